#include "store/pagestore.h"

#include "richtext/richtext.h"
#include "store/tdm.h"

#include <QSqlRecord>
#include <QTextDocument>

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
    explicit Transaction(QSqlDatabase &db)
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

private:
    QSqlQuery m_query;
    bool m_open = false;
};

} // namespace

PageStore::PageStore(TDM &dm, std::function<void(const QString &)> showMessage)
    : m_dm(dm)
    , m_showMessage(std::move(showMessage))
{
}

void PageStore::LoadAbcPage(int page, QTextDocument &board)
{
    ContentLoaded = false;
    const QString table = tableOf(page);
    const std::optional<QByteArray> content = table.isEmpty() ? std::nullopt : readPage(table);
    if (!content) {
        m_pageNotOnBoard = page;
        m_showMessage(QString::fromUtf8(kLoadFailedMessage));
        return;
    }
    RichText::load(*content, board);
    m_pageNotOnBoard.reset();
    ContentLoaded = true;
}

void PageStore::SaveAbcPage(int page, const QTextDocument &board)
{
    save(page, board, Reporting::FirstOfRun);
}

bool PageStore::saveBeforeLeaving(int page, const QTextDocument &board)
{
    return save(page, board, Reporting::Every);
}

bool PageStore::boardEditable() const
{
    return !m_pageNotOnBoard && m_dm.readOnlyReason().isEmpty();
}

bool PageStore::save(int page, const QTextDocument &board, Reporting reporting)
{
    // After a failed load the board still shows the text of another page;
    // writing it here would overwrite this page with it. A read-only store
    // was reported once when it opened.
    if (m_pageNotOnBoard == page || !m_dm.readOnlyReason().isEmpty())
        return true;
    ContentLoaded = false;
    const QString table = tableOf(page);
    // A number outside 1 to 5 names no page: nothing to store, nothing
    // that failed.
    const bool saved = table.isEmpty() || writePage(table, RichText::save(board));
    ContentLoaded = true;
    if (!saved && (reporting == Reporting::Every || !m_saveFailing)) {
        // While typing, once per run of failures: the user learns that the
        // typing is not kept, without a box for every key.
        m_showMessage(QString::fromUtf8(kSaveFailedMessage));
    }
    m_saveFailing = !saved;
    return saved;
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

bool PageStore::writePage(const QString &table, const QByteArray &content)
{
    Transaction transaction(m_dm.AdoCon);
    if (!transaction.isOpen())
        return false;
    QSqlQuery &query = m_dm.qryData;
    query.finish();
    if (!query.exec(QStringLiteral(" select * from  ") + QLatin1Char(' ') + table + QLatin1Char(' ')
                    + QStringLiteral(" where ID = 1")))
        return false;
    const bool hasRow = query.next();
    const bool hasColumn = query.record().indexOf(QStringLiteral("SundayCon")) >= 0;
    query.finish();
    if (!hasColumn)
        return false;
    // A page whose row went missing gets it back, so the typing is kept.
    QSqlQuery write(m_dm.AdoCon);
    write.prepare((hasRow ? QStringLiteral("UPDATE %1 SET SundayCon = ? WHERE ID = 1")
                          : QStringLiteral("INSERT INTO %1 (ID, SundayCon) VALUES (1, ?)"))
                      .arg(table));
    write.addBindValue(content);
    return write.exec() && transaction.commit();
}
