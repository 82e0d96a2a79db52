#include "store/tdm.h"

#include "files/appfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QTemporaryFile>
#include <QUrl>

#include <atomic>

namespace {

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("DM%1").arg(counter++);
}

// "file:///path?options" for SQLite's URI file names.
QString storeUri(const QString &path, const QString &options)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded)
        + QLatin1Char('?') + options;
}

// Why the store cannot be written here, or an empty string. Found by trying,
// as the running user, what a save needs: writing the file itself, and
// making the log files beside it.
QString whyNotWritable(const QString &path)
{
    const QFileInfo store(path);
    QTemporaryFile probe(store.absolutePath() + QStringLiteral("/.paxelo-write-probe-XXXXXX"));
    if (!probe.open())
        return QStringLiteral("文件夹 %1 不允许写入").arg(QDir::toNativeSeparators(store.absolutePath()));
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return QStringLiteral("文件 %1 是只读的").arg(QDir::toNativeSeparators(store.absoluteFilePath()));
    return QString();
}

} // namespace

TDM::TDM()
    : m_connectionName(nextConnectionName())
{
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    qryData = QSqlQuery(m_database);
}

TDM::~TDM()
{
    qryData = QSqlQuery();
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool TDM::OpenDatabase()
{
    return OpenDatabase(AppFolder::file(QStringLiteral("Data/UserData.mdb")));
}

bool TDM::OpenDatabase(const QString &path)
{
    close();
    m_path = path;
    m_lastError.clear();
    m_readOnlyReason.clear();

    if (!QFileInfo(path).isFile()) {
        m_lastError = QStringLiteral("找不到记事数据库 %1").arg(path);
        return false;
    }
    // The store is checked over a read-only connection, which cannot change
    // a byte of a file that turns out to be damaged or no store at all. In
    // a folder that cannot be written a store in write-ahead mode opens only
    // as immutable.
    if (!connect(path, QStringLiteral("mode=ro")) || !holdsThePages()) {
        const QString firstError = m_lastError;
        if (!connect(path, QStringLiteral("mode=ro&immutable=1")) || !holdsThePages()) {
            m_lastError = firstError;
            m_database.close();
            return false;
        }
    }

    m_readOnlyReason = whyNotWritable(path);
    if (m_readOnlyReason.isEmpty()) {
        m_database.close();
        if (!connect(path, QStringLiteral("mode=rw")) || !holdsThePages()) {
            m_database.close();
            return false;
        }
        // Each save is one transaction that, once committed, survives a
        // killed process and a power cut: a rollback journal, synced at
        // every commit and deleted after it. Between saves the store is
        // this one file and nothing beside it, so a backup copied over it
        // or taken of it is whole; a write-ahead log would hold part of
        // the notes in a second file and fold it into whatever file the
        // path names later.
        QSqlQuery pragma(m_database);
        pragma.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        pragma.exec(QStringLiteral("PRAGMA synchronous=FULL"));
        m_watched = true;
        m_written = fileIdentity(path);
    }
    qryData = QSqlQuery(m_database);
    return true;
}

TDM::StoreFile TDM::checkStoreFile() const
{
    if (!m_watched)
        return StoreFile::Unchanged;
    const std::optional<FileIdentity> now = fileIdentity(m_path);
    if (!now)
        return StoreFile::Gone;
    return now == m_written ? StoreFile::Unchanged : StoreFile::Replaced;
}

void TDM::rememberStoreFile()
{
    if (m_watched)
        m_written = fileIdentity(m_path);
}

bool TDM::reopen()
{
    return OpenDatabase(m_path);
}

void TDM::close()
{
    qryData = QSqlQuery();
    m_database.close();
    m_watched = false;
    m_written.reset();
}

bool TDM::connect(const QString &path, const QString &uriOptions)
{
    m_database.close();
    // Saves run on every keystroke: a store locked by another program must
    // not hold the window for long, and a save that gives up is reported.
    m_database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=300"));
    m_database.setDatabaseName(storeUri(path, uriOptions));
    if (!m_database.open()) {
        m_lastError = m_database.lastError().text();
        return false;
    }
    return true;
}

// Opening is lazy in SQLite: a real statement proves the file is a database
// and holds the five page tables.
bool TDM::holdsThePages()
{
    QSqlQuery probe(m_database);
    const bool ran = probe.exec(QStringLiteral(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' "
        "AND name IN ('tb_A', 'tb_B', 'tb_C', 'tb_D', 'tb_E')"));
    if (!ran || !probe.next() || probe.value(0).toInt() != 5) {
        m_lastError = ran ? QStringLiteral("记事数据库缺少数据表") : probe.lastError().text();
        return false;
    }
    return true;
}
