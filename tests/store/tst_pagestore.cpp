#include "richtext/richtext.h"
#include "store/pagestore.h"
#include "store/tdm.h"
#include "support/tempappfolder.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

// Pages moving between the store and a bare board, as the memo window
// drives them.
class TestPageStore : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void eachPageHasItsTable_data();
    void eachPageHasItsTable();
    void pagesOutsideOneToFive();
    void storedValuesThatAreNotRtf_data();
    void storedValuesThatAreNotRtf();
    void emptyBoardSavesADocumentWithoutText();
    void aMissingRowIsMadeByTheFirstSave();
    void loadingWritesNothing();
    void loadAndSaveWithoutEditKeepsTheBytes();
    void savesAfterAFailedLoadAreHeldBack();
    void failedSaveIsShownUntilASaveSucceeds_data();
    void failedSaveIsShownUntilASaveSucceeds();
    void storeRunsDurably();
    void killedWhileSavingLeavesTheStoreWhole();

private:
    QByteArray stored(const QString &table);
    void store(const QString &table, const QVariant &value);
    void exec(const QString &sql);
    // Commits of any connection, seen from a second one.
    int dataVersion();
    PageStoreReports reports();

    TempAppFolder *m_folder = nullptr;
    TDM *m_dm = nullptr;
    PageStore *m_pages = nullptr;
    QStringList m_messages;
    QStringList m_notices;
};

namespace {

const QString kLoadFailed = QStringLiteral("加载记事内容失败！");

void setText(QTextDocument &board, const QString &text)
{
    board.clear();
    QTextCursor(&board).insertText(text);
}

QByteArray rtfOf(const QString &text)
{
    QTextDocument document;
    setText(document, text);
    return RichText::save(document);
}

} // namespace

void TestPageStore::init()
{
    m_folder = new TempAppFolder;
    QVERIFY(m_folder->isValid());
    m_dm = new TDM;
    QVERIFY2(m_dm->OpenDatabase(), qPrintable(m_dm->lastError()));
    m_messages.clear();
    m_notices.clear();
    m_pages = new PageStore(*m_dm, reports());
}

void TestPageStore::cleanup()
{
    delete m_pages;
    delete m_dm;
    delete m_folder;
    QSqlDatabase::removeDatabase(QStringLiteral("observer"));
    QSqlDatabase::removeDatabase(QStringLiteral("watcher"));
}

PageStoreReports TestPageStore::reports()
{
    return {[this](const QString &text) { m_messages.append(text); },
            [this](const QString &text) { m_notices.append(text); }};
}

QByteArray TestPageStore::stored(const QString &table)
{
    QSqlQuery query(m_dm->database());
    if (!query.exec(QStringLiteral("select SundayCon from %1 where ID = 1").arg(table)) || !query.next())
        return QByteArray("<no row>");
    return query.value(0).toByteArray();
}

void TestPageStore::store(const QString &table, const QVariant &value)
{
    QSqlQuery query(m_dm->database());
    query.prepare(QStringLiteral("update %1 set SundayCon = ? where ID = 1").arg(table));
    query.addBindValue(value);
    QVERIFY(query.exec());
    // Written by this program, through its own connection.
    m_dm->rememberStoreFile();
}

void TestPageStore::exec(const QString &sql)
{
    QSqlQuery query(m_dm->database());
    QVERIFY2(query.exec(sql), qPrintable(sql));
    m_dm->rememberStoreFile();
}

int TestPageStore::dataVersion()
{
    QSqlDatabase observer = QSqlDatabase::contains(QStringLiteral("observer"))
        ? QSqlDatabase::database(QStringLiteral("observer"))
        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("observer"));
    observer.setDatabaseName(m_folder->storePath());
    if (!observer.isOpen())
        observer.open();
    QSqlQuery query(observer);
    query.exec(QStringLiteral("PRAGMA data_version"));
    return query.next() ? query.value(0).toInt() : -1;
}

void TestPageStore::eachPageHasItsTable_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("table");
    const char *tables[] = {"tb_A", "tb_B", "tb_C", "tb_D", "tb_E"};
    for (int page = 1; page <= 5; ++page)
        QTest::addRow("page %d", page) << page << QString::fromLatin1(tables[page - 1]);
}

void TestPageStore::eachPageHasItsTable()
{
    QFETCH(int, page);
    QFETCH(QString, table);
    for (const char *other : {"tb_A", "tb_B", "tb_C", "tb_D", "tb_E"})
        store(QLatin1String(other), rtfOf(QStringLiteral("text of ") + QLatin1String(other)));

    QTextDocument board;
    m_pages->LoadAbcPage(page, board);
    QVERIFY(m_pages->contentLoaded());
    QCOMPARE(board.toPlainText(), QStringLiteral("text of ") + table);

    setText(board, QStringLiteral("新的内容 for ") + table);
    const QByteArray before = stored(QStringLiteral("tb_A"));
    m_pages->SaveAbcPage(page, board);
    QVERIFY(m_pages->contentLoaded());
    QCOMPARE(stored(table), RichText::save(board));
    if (table != QLatin1String("tb_A"))
        QCOMPARE(stored(QStringLiteral("tb_A")), before);
    QVERIFY(m_messages.isEmpty());
}

void TestPageStore::pagesOutsideOneToFive()
{
    for (int page : {0, 6}) {
        QTextDocument board;
        setText(board, QStringLiteral("on the board"));
        m_pages->LoadAbcPage(page, board);
        QCOMPARE(m_messages, QStringList{kLoadFailed});
        QCOMPARE(board.toPlainText(), QStringLiteral("on the board"));
        QVERIFY(!m_pages->contentLoaded());
        m_messages.clear();
    }

    PageStore fresh(*m_dm, reports());
    QTextDocument board;
    const int version = dataVersion();
    fresh.SaveAbcPage(6, board);
    QVERIFY(fresh.contentLoaded());
    QCOMPARE(dataVersion(), version);
    QVERIFY(m_messages.isEmpty());
    QVERIFY(m_notices.isEmpty());
}

void TestPageStore::storedValuesThatAreNotRtf_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("NULL") << QVariant() << QString();
    QTest::newRow("empty") << QVariant(QByteArray()) << QString();
    QTest::newRow("UTF-8 text") << QVariant(QStringLiteral("纯文本\r\n第二行")) << QStringLiteral("纯文本\n第二行");
    QTest::newRow("GBK bytes") << QVariant(QByteArray("\xb4\xbf\xce\xc4\xb1\xbe")) << QStringLiteral("纯文本");
}

void TestPageStore::storedValuesThatAreNotRtf()
{
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    store(QStringLiteral("tb_B"), value);
    QTextDocument board;
    setText(board, QStringLiteral("previous"));
    m_pages->LoadAbcPage(2, board);
    QVERIFY(m_pages->contentLoaded());
    QCOMPARE(board.toPlainText(), text);
    QVERIFY(m_messages.isEmpty());

    m_pages->SaveAbcPage(2, board);
    const QByteArray saved = stored(QStringLiteral("tb_B"));
    QVERIFY(saved.startsWith("{\\rtf1"));
    QTextDocument reloaded;
    RichText::load(saved, reloaded);
    QCOMPARE(reloaded.toPlainText(), text);
}

void TestPageStore::emptyBoardSavesADocumentWithoutText()
{
    QTextDocument board;
    m_pages->SaveAbcPage(3, board);
    const QByteArray saved = stored(QStringLiteral("tb_C"));
    QVERIFY(saved.startsWith("{\\rtf1"));
    QVERIFY(saved.endsWith("\\par\r\n}\r\n"));
    QTextDocument reloaded;
    RichText::load(saved, reloaded);
    QVERIFY(reloaded.isEmpty());
}

void TestPageStore::aMissingRowIsMadeByTheFirstSave()
{
    // Renumbered away: the table holds a row, just not ID = 1.
    exec(QStringLiteral("update tb_D set ID = 7"));
    QTextDocument board;
    m_pages->LoadAbcPage(4, board);
    QVERIFY(m_pages->contentLoaded());
    QVERIFY(board.isEmpty());

    setText(board, QStringLiteral("kept"));
    m_pages->SaveAbcPage(4, board);
    QCOMPARE(stored(QStringLiteral("tb_D")), RichText::save(board));
    setText(board, QStringLiteral("kept again"));
    m_pages->SaveAbcPage(4, board);
    QSqlQuery count(m_dm->database());
    QVERIFY(count.exec(QStringLiteral("select count(*) from tb_D")) && count.next());
    QCOMPARE(count.value(0).toInt(), 2);
    QCOMPARE(stored(QStringLiteral("tb_D")), RichText::save(board));
    QVERIFY(m_messages.isEmpty());
}

void TestPageStore::loadingWritesNothing()
{
    store(QStringLiteral("tb_A"), rtfOf(QStringLiteral("stored")));
    const int version = dataVersion();
    QSqlQuery changes(m_dm->database());
    QVERIFY(changes.exec(QStringLiteral("select total_changes()")) && changes.next());
    const int before = changes.value(0).toInt();

    QTextDocument board;
    for (int page = 1; page <= 5; ++page)
        m_pages->LoadAbcPage(page, board);
    QVERIFY(changes.exec(QStringLiteral("select total_changes()")) && changes.next());
    QCOMPARE(changes.value(0).toInt(), before);
    QCOMPARE(dataVersion(), version);
}

void TestPageStore::loadAndSaveWithoutEditKeepsTheBytes()
{
    QTextDocument formatted;
    QTextCursor cursor(&formatted);
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral("黑体")});
    format.setFontPointSize(18);
    format.setFontWeight(QFont::Bold);
    format.setForeground(QColor(0, 128, 0));
    cursor.insertText(QStringLiteral("标题 😀"), format);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("body"), QTextCharFormat());
    const QByteArray rtf = RichText::save(formatted);
    store(QStringLiteral("tb_B"), rtf);

    QTextDocument board;
    m_pages->LoadAbcPage(2, board);
    m_pages->SaveAbcPage(2, board);
    QCOMPARE(stored(QStringLiteral("tb_B")), rtf);
}

void TestPageStore::savesAfterAFailedLoadAreHeldBack()
{
    store(QStringLiteral("tb_A"), rtfOf(QStringLiteral("page A")));
    store(QStringLiteral("tb_B"), rtfOf(QStringLiteral("page B")));
    QTextDocument board;
    m_pages->LoadAbcPage(1, board);

    // A switch to B whose load fails: the board keeps A's text.
    exec(QStringLiteral("alter table tb_B rename to tb_B_away"));
    m_pages->SaveAbcPage(1, board);
    m_pages->LoadAbcPage(2, board);
    QCOMPARE(m_messages, QStringList{kLoadFailed});
    QCOMPARE(board.toPlainText(), QStringLiteral("page A"));
    exec(QStringLiteral("alter table tb_B_away rename to tb_B"));

    // Leaving the editor, switching and closing save B: none may put A's
    // text there.
    const int version = dataVersion();
    m_pages->SaveAbcPage(2, board);
    m_pages->SaveAbcPage(2, board);
    QCOMPARE(dataVersion(), version);
    QVERIFY(!m_pages->contentLoaded());
    QCOMPARE(stored(QStringLiteral("tb_B")), rtfOf(QStringLiteral("page B")));

    // The next successful load ends the hold.
    m_pages->LoadAbcPage(2, board);
    QVERIFY(m_pages->contentLoaded());
    QCOMPARE(board.toPlainText(), QStringLiteral("page B"));
    setText(board, QStringLiteral("page B edited"));
    m_pages->SaveAbcPage(2, board);
    QCOMPARE(stored(QStringLiteral("tb_B")), rtfOf(QStringLiteral("page B edited")));
    QCOMPARE(m_messages, QStringList{kLoadFailed});
}

void TestPageStore::failedSaveIsShownUntilASaveSucceeds_data()
{
    QTest::addColumn<QString>("breakIt");
    QTest::addColumn<QString>("mendIt");
    QTest::addColumn<QString>("reason");
    QTest::newRow("post refused")
        << QStringLiteral("create trigger refuse before update on tb_A begin select raise(abort, 'refused'); end")
        << QStringLiteral("drop trigger refuse") << QStringLiteral("refused");
    QTest::newRow("table gone") << QStringLiteral("alter table tb_A rename to tb_A_away")
                                << QStringLiteral("alter table tb_A_away rename to tb_A")
                                << QStringLiteral("no such table: tb_A");
    QTest::newRow("column gone")
        << QStringLiteral("alter table tb_A rename column SundayCon to Elsewhere")
        << QStringLiteral("alter table tb_A rename column Elsewhere to SundayCon") << QStringLiteral("记事库缺少数据列");
    // The store may not grow by a page: what a full disk does to it.
    QTest::newRow("disk full") << QStringLiteral("pragma max_page_count = 1")
                               << QStringLiteral("pragma max_page_count = 1000000") << QStringLiteral("磁盘空间不足");
}

void TestPageStore::failedSaveIsShownUntilASaveSucceeds()
{
    QFETCH(QString, breakIt);
    QFETCH(QString, mendIt);
    QFETCH(QString, reason);
    const QString notice = QString::fromUtf8(kSaveFailedNotice).arg(reason);
    // Longer than the pages the store has room for.
    const QString typing = QStringLiteral("typing ").repeated(3000);
    store(QStringLiteral("tb_A"), rtfOf(QStringLiteral("kept")));
    QTextDocument board;
    m_pages->LoadAbcPage(1, board);
    setText(board, typing);

    exec(breakIt);
    for (int i = 0; i < 3; ++i) {
        m_pages->SaveAbcPage(1, board);
        QVERIFY(m_pages->contentLoaded());
    }
    // No box: it would take the next keys from the board.
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(m_notices.last(), notice);
    QCOMPARE(board.toPlainText(), typing);
    QVERIFY(m_pages->lastSaveFailed());
    QVERIFY(!m_pages->saveBeforeLeaving(1, board));
    QCOMPARE(m_notices.last(), notice);
    exec(mendIt);
    QCOMPARE(stored(QStringLiteral("tb_A")), rtfOf(QStringLiteral("kept")));

    // The first save that succeeds takes the notice away.
    QVERIFY(m_pages->saveBeforeLeaving(1, board));
    QVERIFY(!m_pages->lastSaveFailed());
    QCOMPARE(stored(QStringLiteral("tb_A")), rtfOf(typing));
    QCOMPARE(m_notices.last(), QString());
    const qsizetype shown = m_notices.size();
    m_pages->SaveAbcPage(1, board);
    QCOMPARE(m_notices.size(), shown);

    exec(breakIt);
    setText(board, typing + typing);
    m_pages->SaveAbcPage(1, board);
    QCOMPARE(m_notices.last(), notice);
    exec(mendIt);
    QVERIFY(m_messages.isEmpty());
}

void TestPageStore::storeRunsDurably()
{
    QSqlQuery pragma(m_dm->database());
    // A rollback journal, gone after each commit: between saves the store
    // is one file that another program may copy whole.
    QVERIFY(pragma.exec(QStringLiteral("PRAGMA journal_mode")) && pragma.next());
    QCOMPARE(pragma.value(0).toString(), QStringLiteral("delete"));
    QTextDocument board;
    setText(board, QStringLiteral("saved"));
    m_pages->SaveAbcPage(1, board);
    QCOMPARE(m_folder->entries("Data"), QStringList{"UserData.mdb"});
    QVERIFY(pragma.exec(QStringLiteral("PRAGMA synchronous")) && pragma.next());
    QCOMPARE(pragma.value(0).toInt(), 2); // FULL
}

void TestPageStore::killedWhileSavingLeavesTheStoreWhole()
{
    delete m_pages;
    m_pages = nullptr;
    delete m_dm;
    m_dm = nullptr;

    const pid_t child = fork();
    if (child == 0) {
        // Saves as fast as it can until it is killed.
        TDM dm;
        if (!dm.OpenDatabase())
            _exit(1);
        PageStore pages(dm, {[](const QString &) {}, [](const QString &) {}});
        QTextDocument board;
        for (int n = 0;; ++n) {
            setText(board, QStringLiteral("save %1 ").arg(n).repeated(200));
            pages.SaveAbcPage(1, board);
        }
    }
    QVERIFY(child > 0);
    // Killed once its saves are under way, however slow the machine: the
    // kill then falls among them.
    QSqlDatabase watcher = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("watcher"));
    watcher.setDatabaseName(m_folder->storePath());
    const auto childHasSaved = [&watcher] {
        QSqlQuery query(watcher);
        return watcher.open() && query.exec(QStringLiteral("select SundayCon from tb_A where ID = 1")) && query.next()
               && query.value(0).toByteArray().contains("save ");
    };
    QTRY_VERIFY_WITH_TIMEOUT(childHasSaved(), 60000);
    watcher.close();
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    QVERIFY(WIFSIGNALED(status));

    m_dm = new TDM;
    QVERIFY(m_dm->OpenDatabase());
    QSqlQuery check(m_dm->database());
    QVERIFY(check.exec(QStringLiteral("PRAGMA integrity_check")) && check.next());
    QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
    QTextDocument board;
    RichText::load(stored(QStringLiteral("tb_A")), board);
    QVERIFY(board.toPlainText().startsWith(QStringLiteral("save ")));
    QVERIFY(board.toPlainText().endsWith(QStringLiteral(" ")));
}

QTEST_GUILESS_MAIN(TestPageStore)
#include "tst_pagestore.moc"
