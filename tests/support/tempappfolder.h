#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary application folder laid out as the build stages it: Data/ with
// a fresh store, source/DeskTopBG/. It becomes AppFolder::root() while it
// lives.
class TempAppFolder {
public:
    explicit TempAppFolder(bool withStore = true);
    ~TempAppFolder();

    bool isValid() const { return m_valid; }
    QString root() const;
    QString path(const QString &relative) const;
    QString storePath() const { return path(QStringLiteral("Data/UserData.mdb")); }

    void writeFile(const QString &relative, const QByteArray &bytes) const;
    QByteArray readFile(const QString &relative) const;
    // The names in a folder of the application folder, sorted.
    QStringList entries(const QString &relative) const;

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};
