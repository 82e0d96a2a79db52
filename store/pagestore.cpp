#include "store/pagestore.h"

#include "richtext/richtext.h"
#include "store/tdm.h"

#include <QDir>
#include <QSqlError>
#include <QSqlRecord>
#include <QTextDocument>

#include <utility>

namespace {

// tb_A to tb_E for pages 1 to 5; any other number names no table.
QString tableOf(int page)
{
    if (page < 1 || page > 5)
        return QString();
    return QStringLiteral("tb_") + QChar(u'A' + page - 1);
}

// Runs the statements of one transaction on the store's connection and
// rolls it back unless it is committed.
class Transaction {
public:
    explicit Transaction(const QSqlDatabase &db)
        : m_query(db)
    {
        // IMMEDIATE takes the write lock at once, so the update cannot fail
        // half way for want of it.
        m_open = m_query.exec(QStringLiteral("BEGIN IMMEDIATE"));
    }
    ~Transaction()
    {
        if (m_open)
            m_query.exec(QStringLiteral("ROLLBACK"));
    }
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    bool isOpen() const { return m_open; }
    bool commit()
    {
        m_open = !m_query.exec(QStringLiteral("COMMIT"));
        return !m_open;
    }
    QSqlError lastError() const { return m_query.lastError(); }

private:
    QSqlQuery m_query;
    bool m_open = false;
};

} // namespace

QString storeFailureReason(const QSqlError &error)
{
    // SQLite's primary result codes, the low byte of the extended ones.
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case 13: // SQLITE_FULL
        return QStringLiteral("磁盘空间不足");
    case 8: // SQLITE_READONLY
        return QStringLiteral("记事库不允许写入");
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return QStringLiteral("记事库正被其他程序占用");
    case 10: // SQLITE_IOERR
        return QStringLiteral("读写磁盘出错");
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return QStringLiteral("记事库已损坏");
    default:
        return error.databaseText().isEmpty() ? QStringLiteral("记事库出错") : error.databaseText();
    }
}

PageStore::PageStore(TDM &dm, PageStoreReports reports)
    : m_dm(dm)
    , m_reports(std::move(reports))
{
}

void PageStore::LoadAbcPage(int page, QTextDocument &board)
{
    m_contentLoaded = false;
    const QString table = tableOf(page);
    const std::optional<QByteArray> content = table.isEmpty() ? std::nullopt : readPage(table);
    if (!content) {
        m_pageNotOnBoard = page;
        m_reports.showMessage(QString::fromUtf8(kLoadFailedMessage));
        return;
    }
    RichText::load(*content, board);
    m_pageNotOnBoard.reset();
    m_contentLoaded = true;
    // The page read after a replacement shows what the notice is about;
    // the next page the user chooses ends it.
    if (!std::exchange(m_storeReopened, false) && m_notice == Notice::StoreReplaced)
        notify(Notice::None);
}

void PageStore::SaveAbcPage(int page, const QTextDocument &board)
{
    save(page, board);
}

bool PageStore::saveBeforeLeaving(int page, const QTextDocument &board)
{
    return save(page, board);
}

bool PageStore::boardEditable() const
{
    return !m_pageNotOnBoard && !m_storeLost && m_dm.readOnlyReason().isEmpty();
}

bool PageStore::save(int page, const QTextDocument &board)
{
    // After a failed load the board still shows the text of another page;
    // writing it here would overwrite this page with it. A read-only store
    // was reported once when it opened.
    if (m_pageNotOnBoard == page || (!m_storeLost && !m_dm.readOnlyReason().isEmpty()))
        return true;
    m_contentLoaded = false;
    const bool saved = writeBoard(page, board);
    m_contentLoaded = true;
    return saved;
}

bool PageStore::writeBoard(int page, const QTextDocument &board)
{
    const QString table = tableOf(page);
    // A number outside 1 to 5 names no page: nothing to store, nothing
    // that failed.
    if (table.isEmpty())
        return true;
    if (!followStoreFile(page))
        return !m_storeLost;
    const QString failure = writePage(table, RichText::save(board));
    m_dm.rememberStoreFile();
    m_saveFailing = !failure.isEmpty();
    if (m_saveFailing)
        notify(Notice::SaveFailed, QString::fromUtf8(kSaveFailedNotice).arg(failure));
    else if (m_notice == Notice::SaveFailed || m_notice == Notice::StoreLost)
        notify(Notice::None);
    return !m_saveFailing;
}

bool PageStore::followStoreFile(int page)
{
    if (m_storeLost) {
        // The notice promised it: once a store that can be written is back
        // at the path, the board is saved there.
        if (!m_dm.reopen() || !m_dm.readOnlyReason().isEmpty()) {
            m_dm.close();
            return false;
        }
        m_storeLost = false;
        return true;
    }
    const TDM::StoreFile file = m_dm.checkStoreFile();
    if (file == TDM::StoreFile::Unchanged)
        return true;
    // Never a write through the old connection: it would go to a deleted
    // file, or mix this program's pages into another file's.
    if (file == TDM::StoreFile::Replaced && m_dm.reopen()) {
        // The board holds the old store's text; the current page is shown
        // from the new one before anything more is saved.
        m_pageNotOnBoard = page;
        m_storeReopened = true;
        m_saveFailing = false;
        QString text = QString::fromUtf8(kStoreReplacedNotice);
        if (!m_dm.readOnlyReason().isEmpty())
            text += QString::fromUtf8(kStoreReadOnlyMessage).arg(m_dm.readOnlyReason());
        notify(Notice::StoreReplaced, text);
        return false;
    }
    m_dm.close();
    m_storeLost = true;
    m_saveFailing = true;
    notify(Notice::StoreLost, QString::fromUtf8(kStoreLostNotice).arg(QDir::toNativeSeparators(m_dm.storePath())));
    return false;
}

void PageStore::notify(Notice notice, const QString &text)
{
    m_notice = notice;
    m_reports.showNotice(text);
}

std::optional<QByteArray> PageStore::readPage(const QString &table)
{
    QSqlQuery &query = m_dm.qryData;
    query.finish();
    if (!query.exec(QStringLiteral(" select * from ") + table + QStringLiteral(" where ID = 1 ")))
        return std::nullopt;
    const int column = query.record().indexOf(QStringLiteral("SundayCon"));
    if (column < 0) {
        query.finish();
        return std::nullopt;
    }
    const QByteArray content = query.next() ? query.value(column).toByteArray() : QByteArray();
    // A statement left open would hold its snapshot of the store and keep
    // the write-ahead log from being folded back.
    query.finish();
    return content;
}

QString PageStore::writePage(const QString &table, const QByteArray &content)
{
    Transaction transaction(m_dm.database());
    if (!transaction.isOpen())
        return storeFailureReason(transaction.lastError());
    QSqlQuery &query = m_dm.qryData;
    query.finish();
    if (!query.exec(QStringLiteral(" select * from  ") + QLatin1Char(' ') + table + QLatin1Char(' ')
                    + QStringLiteral(" where ID = 1")))
        return storeFailureReason(query.lastError());
    const bool hasRow = query.next();
    const bool hasColumn = query.record().indexOf(QStringLiteral("SundayCon")) >= 0;
    query.finish();
    if (!hasColumn)
        return QStringLiteral("记事库缺少数据列");
    // A page whose row went missing gets it back, so the typing is kept.
    QSqlQuery write(m_dm.database());
    write.prepare((hasRow ? QStringLiteral("UPDATE %1 SET SundayCon = ? WHERE ID = 1")
                          : QStringLiteral("INSERT INTO %1 (ID, SundayCon) VALUES (1, ?)"))
                      .arg(table));
    write.addBindValue(content);
    if (!write.exec())
        return storeFailureReason(write.lastError());
    if (!transaction.commit())
        return storeFailureReason(transaction.lastError());
    return QString();
}
