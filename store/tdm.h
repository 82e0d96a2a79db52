#pragma once

#include "platform/fileidentity.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <optional>

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
    // database or a store without the page tables gives false, lastError()
    // says why, and the file is left byte for byte as it was. A store that
    // cannot be written here opens read-only and readOnlyReason() says why.
    bool OpenDatabase();

    // Opens the store at an explicit path (tests and tools).
    bool OpenDatabase(const QString &path);

    // What the store's path names now, against the file this connection
    // writes. Other programs may copy a backup over the store, move
    // another file there or delete it while the program runs.
    enum class StoreFile {
        Unchanged, // the file as the last save of this connection left it
        Replaced,  // another file, or the same file with content this connection did not write
        Gone,      // no file (the store or its folder was deleted or moved away)
    };
    StoreFile checkStoreFile() const;
    // After a write of this connection: the file's new size and time are its own.
    void rememberStoreFile();
    // Opens the store again at the same path, checked as at start.
    bool reopen();
    // Ends the connection: nothing more is written through it.
    void close();
    QString storePath() const { return m_path; }

    QString lastError() const { return m_lastError; }
    // Empty when the store can be written; otherwise why it cannot, for the user.
    QString readOnlyReason() const { return m_readOnlyReason; }
    QString connectionName() const { return m_connectionName; }

    // The connection to the store; copies of it share the connection.
    QSqlDatabase database() const { return m_database; }
    QSqlQuery qryData;

private:
    QSqlDatabase m_database;
    QString m_connectionName;
    QString m_path;
    // Whether this connection writes the store, and the file as it last
    // left it (empty when the file was gone by then).
    bool m_watched = false;
    std::optional<FileIdentity> m_written;
    QString m_lastError;
    QString m_readOnlyReason;

    bool connect(const QString &path, const QString &uriOptions);
    bool holdsThePages();
};

// The text of the message box shown when the store cannot be opened.
inline constexpr const char *kStoreOpenFailedMessage = "配置文件加载失败，请重试！";

// The message shown once when the store opened read-only; %1 says why.
inline constexpr const char *kStoreReadOnlyMessage = "记事不能保存在这里：%1。记事可以查看，但不能修改。";
