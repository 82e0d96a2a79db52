#include "store/tdm.h"

#include "text/appfolder.h"

#include <QFileInfo>
#include <QSqlError>
#include <QUrl>

#include <atomic>

namespace {

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("DM%1").arg(counter++);
}

// "file:///path?mode=rw": SQLite opens the file for reading and writing and
// fails instead of creating it when it is missing.
QString readWriteUri(const QString &path)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded)
        + QStringLiteral("?mode=rw");
}

} // namespace

TDM::TDM()
    : m_connectionName(nextConnectionName())
{
    AdoCon = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    qryData = QSqlQuery(AdoCon);
}

TDM::~TDM()
{
    qryData = QSqlQuery();
    AdoCon.close();
    AdoCon = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool TDM::OpenDatabase()
{
    return OpenDatabase(AppFolder::file(QStringLiteral("Data/UserData.mdb")));
}

bool TDM::OpenDatabase(const QString &path)
{
    qryData = QSqlQuery();
    AdoCon.close();
    m_lastError.clear();

    if (!QFileInfo(path).isFile()) {
        m_lastError = QStringLiteral("找不到记事数据库 %1").arg(path);
        return false;
    }
    // Saves run on every keystroke: a store locked by another program must
    // not hold the window for long, and a save that gives up is reported.
    AdoCon.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=300"));
    AdoCon.setDatabaseName(readWriteUri(path));
    if (!AdoCon.open()) {
        m_lastError = AdoCon.lastError().text();
        return false;
    }

    // Opening is lazy in SQLite: a real statement proves the file is a
    // database and holds the five page tables.
    QSqlQuery probe(AdoCon);
    const bool ran = probe.exec(QStringLiteral(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' "
        "AND name IN ('tb_A', 'tb_B', 'tb_C', 'tb_D', 'tb_E')"));
    if (!ran || !probe.next() || probe.value(0).toInt() != 5) {
        m_lastError = ran ? QStringLiteral("记事数据库缺少数据表") : probe.lastError().text();
        probe = QSqlQuery();
        AdoCon.close();
        return false;
    }
    probe.finish();

    // Each save is one transaction that, once committed, survives a killed
    // process and a power cut: a write-ahead log synced at every commit.
    // Where the log cannot be used the rollback journal, also synced, keeps
    // the same promise.
    probe.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    probe.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    probe.finish();

    qryData = QSqlQuery(AdoCon);
    return true;
}
