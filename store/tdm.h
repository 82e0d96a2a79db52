#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// The data module: the one connection to the memo store and the one query
// through which every page is read and written. It lives from start to end.
class TDM {
public:
    TDM();
    ~TDM();
    TDM(const TDM &) = delete;
    TDM &operator=(const TDM &) = delete;

    // Opens the existing store Data/UserData.mdb of the application folder.
    // Never creates one: a missing file, a file that is not a SQLite
    // database or a store without the page tables gives false, and
    // lastError() says why.
    bool OpenDatabase();

    // Opens the store at an explicit path (tests and tools).
    bool OpenDatabase(const QString &path);

    QString lastError() const { return m_lastError; }
    QString connectionName() const { return m_connectionName; }

    QSqlDatabase AdoCon;
    QSqlQuery qryData;

private:
    QString m_connectionName;
    QString m_lastError;
};

// The text of the message box shown when the store cannot be opened.
inline constexpr const char *kStoreOpenFailedMessage = "配置文件加载失败，请重试！";
