// The memo window when the store refuses to keep the board: nothing typed
// is thrown away, no box takes the keys, and nothing can be typed that
// would be thrown away.
#include "memo/boardedit.h"
#include "memo/mainfrm.h"
#include "richtext/richtext.h"
#include "store/tdm.h"
#include "support/localsite.h"
#include "support/scripteddialogs.h"
#include "support/tempappfolder.h"
#include "support/windowinput.h"
#include "widgets/chromebutton.h"
#include "widgets/picturecontrol.h"
#include "widgets/chinesefonts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

#include <unistd.h>

namespace {

const QString kSaveFailedNotice = QStringLiteral("保存记事内容失败！%1。记事还在窗口中，保存成功之前不能切换位置或关闭。");
const QString kLoadFailed = QStringLiteral("加载记事内容失败！");
const QString kStoreReplaced = QStringLiteral("记事库已被其他程序替换，已重新读取。");
const QString kStoreLost = QStringLiteral("记事库 %1 已被删除或移走，窗口中的记事没有保存，现在只能查看。"
                                          "把记事库放回 %1 后，切换位置或关闭窗口时记事就保存到那里。");

struct Memo {
    TempAppFolder folder;
    ScriptedDialogs dialogs;
    TDM dm;
    std::unique_ptr<TMainFrm> window;

    void show()
    {
        window = std::make_unique<TMainFrm>(dm);
        window->setScreenLayout(ScreenLayout{{QRect(0, 0, 1024, 768)}});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void type(const QString &text)
    {
        WindowInput::click(window->board());
        WindowInput::type(window.get(), text);
    }
    // Opens `menu` by clicking `opener` and picks the item `caption`.
    void choose(QWidget *opener, QMenu *menu, const QString &caption)
    {
        WindowInput::click(opener);
        QVERIFY(WindowInput::choose(menu, caption));
    }
    // The pointer comes over the close button and clicks it.
    void clickClose()
    {
        WindowInput::move(window->closeButton());
        WindowInput::click(window->closeButton());
    }
    // Changes the store as the program's own statements do.
    void exec(const QString &sql)
    {
        QVERIFY2(QSqlQuery(dm.database()).exec(sql), qPrintable(sql));
        dm.rememberStoreFile();
    }
    QString storedText(const QString &table) const
    {
        QSqlQuery query(dm.database());
        query.exec(QStringLiteral("SELECT SundayCon FROM %1 WHERE ID = 1").arg(table));
        query.next();
        QTextDocument page;
        RichText::load(query.value(0).toByteArray(), page);
        return page.toPlainText();
    }
};

// Runs a command of the system, as another program would.
void run(const QString &program, const QStringList &arguments)
{
    QCOMPARE(QProcess::execute(program, arguments), 0);
}

// Reads a page of the store at `path` through a connection of its own.
QString readByAnotherProgram(const QString &path, const QString &table)
{
    QString text;
    {
        QSqlDatabase reader = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("reader"));
        reader.setDatabaseName(path);
        reader.open();
        QSqlQuery query(reader);
        query.exec(QStringLiteral("SELECT SundayCon FROM %1 WHERE ID = 1").arg(table));
        QTextDocument page;
        if (query.next())
            RichText::load(query.value(0).toByteArray(), page);
        text = page.toPlainText();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("reader"));
    return text;
}

QString integrityOf(const QString &path)
{
    QString result;
    {
        QSqlDatabase check = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        check.setDatabaseName(path);
        check.open();
        QSqlQuery query(check);
        query.exec(QStringLiteral("PRAGMA integrity_check"));
        result = query.next() ? query.value(0).toString() : check.lastError().text();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return result;
}

// Whether `input` ends the program's event loop.
bool endsTheProgram(const std::function<void()> &input)
{
    QObject timers;
    QTimer::singleShot(0, &timers, [&] {
        input();
        QTimer::singleShot(200, &timers, [] { QCoreApplication::exit(1); });
    });
    return QCoreApplication::exec() == 0;
}

} // namespace

class TestSaveFailure : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void aPageThatCannotBeStoredStaysOnTheBoard_data();
    void aPageThatCannotBeStoredStaysOnTheBoard();
    void aFailedLoadLeavesTheBoardReadOnly();
    void aStoreThatCannotBeWrittenShowsItsPagesReadOnly_data();
    void aStoreThatCannotBeWrittenShowsItsPagesReadOnly();
    void aStoreReplacedByAnotherProgramIsReadAgain_data();
    void aStoreReplacedByAnotherProgramIsReadAgain();
    void aStoreThatIsGoneLeavesTheBoardItsText_data();
    void aStoreThatIsGoneLeavesTheBoardItsText();
};

void TestSaveFailure::initTestCase()
{
    useLocalWebSite();
    QApplication::setApplicationDisplayName(QStringLiteral("Paxelo备忘录"));
    ChineseFonts::install();
}

void TestSaveFailure::aPageThatCannotBeStoredStaysOnTheBoard_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("switch to B") << 0;
    QTest::newRow("close button") << 1;
    QTest::newRow("退出程序") << 2;
}

void TestSaveFailure::aPageThatCannotBeStoredStaysOnTheBoard()
{
    QFETCH(int, way);
    Memo memo;
    QVERIFY(memo.dm.OpenDatabase());
    memo.show();
    const auto leave = [&] {
        if (way == 0)
            memo.choose(memo.window->positionButton(), memo.window->positionMenu(), QStringLiteral("B"));
        else if (way == 1)
            memo.clickClose();
        else
            memo.choose(memo.window->settingsLabel(), memo.window->settingsMenu(), QStringLiteral("退出程序"));
    };
    memo.type(QStringLiteral("alpha "));
    QCOMPARE(memo.storedText("tb_A"), QStringLiteral("alpha "));
    QCOMPARE(memo.window->noticeText(), QString());

    memo.exec("CREATE TRIGGER refuse BEFORE UPDATE ON tb_A BEGIN SELECT RAISE(ABORT, 'refused'); END");
    // Every key fails to save; none may go anywhere but the board.
    WindowInput::type(memo.window.get(), QStringLiteral("abc def"));
    QCOMPARE(memo.window->board()->toPlainText(), QStringLiteral("alpha abc def"));
    QCOMPARE(QApplication::focusWidget(), memo.window->board());
    QVERIFY(memo.dialogs.messages.isEmpty());
    QCOMPARE(memo.window->noticeText(), kSaveFailedNotice.arg(QStringLiteral("refused")));

    QVERIFY(!endsTheProgram(leave));
    QVERIFY(memo.dialogs.messages.isEmpty());
    QCOMPARE(memo.window->board()->toPlainText(), QStringLiteral("alpha abc def"));
    QCOMPARE(memo.window->positionLetter(), QStringLiteral("A"));
    QCOMPARE(memo.window->CurrentPage, 1);
    QVERIFY(memo.window->isVisible());
    QCOMPARE(memo.storedText("tb_A"), QStringLiteral("alpha "));
    QCOMPARE(memo.window->noticeText(), kSaveFailedNotice.arg(QStringLiteral("refused")));

    memo.exec("DROP TRIGGER refuse");
    QCOMPARE(endsTheProgram(leave), way != 0);
    QCOMPARE(memo.storedText("tb_A"), QStringLiteral("alpha abc def"));
    QCOMPARE(memo.window->positionLetter(), QString(way == 0 ? "B" : "A"));
    QCOMPARE(memo.window->noticeText(), QString());
    QVERIFY(memo.dialogs.messages.isEmpty());
}

void TestSaveFailure::aFailedLoadLeavesTheBoardReadOnly()
{
    Memo memo;
    QVERIFY(memo.dm.OpenDatabase());
    memo.show();
    QWidget *letter = memo.window->positionButton();
    memo.type(QStringLiteral("alpha"));
    memo.exec("ALTER TABLE tb_B RENAME TO tb_B_away");
    memo.choose(letter, memo.window->positionMenu(), QStringLiteral("B"));
    QCOMPARE(memo.dialogs.messages, QStringList{kLoadFailed});
    memo.type(QStringLiteral("lost"));
    QCOMPARE(memo.window->board()->toPlainText(), QStringLiteral("alpha"));

    memo.exec("ALTER TABLE tb_B_away RENAME TO tb_B");
    memo.choose(letter, memo.window->positionMenu(), QStringLiteral("B"));
    memo.type(QStringLiteral("kept"));
    QCOMPARE(memo.storedText("tb_B"), QStringLiteral("kept"));
    QCOMPARE(memo.storedText("tb_A"), QStringLiteral("alpha"));
}

void TestSaveFailure::aStoreThatCannotBeWrittenShowsItsPagesReadOnly_data()
{
    QTest::addColumn<QString>("locked");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder read-only") << QStringLiteral("Data") << QStringLiteral("文件夹 %1 不允许写入");
    QTest::newRow("file read-only") << QStringLiteral("Data/UserData.mdb") << QStringLiteral("文件 %1 是只读的");
}

void TestSaveFailure::aStoreThatCannotBeWrittenShowsItsPagesReadOnly()
{
    QFETCH(QString, locked);
    QFETCH(QString, reason);
    Memo memo;
    {
        TDM setUp;
        QVERIFY(setUp.OpenDatabase());
        QSqlQuery(setUp.database()).exec("UPDATE tb_A SET SundayCon = 'stored text' WHERE ID = 1");
    }
    // Open to everyone, the locked one only for reading; the group's rights
    // count as well, as the ordinary user below stays in the superuser's group.
    for (const char *path : {"", "Data", "Data/UserData.mdb"})
        QFile::setPermissions(memo.folder.path(path), QFile::Permissions(path == locked ? 0x5555 : 0x7777));
    const QByteArray before = memo.folder.readFile("Data/UserData.mdb");
    // The superuser may write anywhere: the store is opened as an ordinary user.
    // The window starts as that user too: the settings files it makes at
    // start cannot be made in a read-only folder, which the store's
    // message has said already.
    const bool superuser = geteuid() == 0;
    QVERIFY(!superuser || seteuid(65534) == 0);
    const bool opened = memo.dm.OpenDatabase();
    if (opened)
        memo.show();
    QVERIFY(!superuser || seteuid(0) == 0);
    QVERIFY(opened);
    QCOMPARE(memo.dialogs.messages,
             QStringList{QString::fromUtf8(kStoreReadOnlyMessage).arg(reason.arg(memo.folder.path(locked)))});
    QCOMPARE(memo.dialogs.errors, QStringList());
    QCOMPARE(memo.window->board()->toPlainText(), QStringLiteral("stored text"));
    memo.type(QStringLiteral("lost"));
    memo.choose(memo.window->positionButton(), memo.window->positionMenu(), QStringLiteral("A"));
    QCOMPARE(memo.window->board()->toPlainText(), QStringLiteral("stored text"));
    QCOMPARE(memo.dialogs.messages.size(), 1);
    QCOMPARE(memo.folder.readFile("Data/UserData.mdb"), before);
    QFile::setPermissions(memo.folder.path(locked), QFile::Permissions(0x7777));
}

void TestSaveFailure::aStoreReplacedByAnotherProgramIsReadAgain_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("reader");
    QTest::newRow("cp") << QStringLiteral("cp") << false;
    QTest::newRow("cp, then read") << QStringLiteral("cp") << true;
    QTest::newRow("mv") << QStringLiteral("mv") << false;
    QTest::newRow("mv, then read") << QStringLiteral("mv") << true;
}

void TestSaveFailure::aStoreReplacedByAnotherProgramIsReadAgain()
{
    QFETCH(QString, command);
    QFETCH(bool, reader);
    Memo memo;
    QVERIFY(memo.dm.OpenDatabase());
    memo.show();
    const QString store = memo.folder.storePath();
    const QString backup = memo.folder.path("backup.mdb");
    memo.type(QStringLiteral("restored notes"));
    run("cp", {store, backup});
    memo.type(QStringLiteral(" typed later"));
    QCOMPARE(memo.storedText("tb_A"), QStringLiteral("restored notes typed later"));

    if (command == "mv") {
        run("cp", {backup, memo.folder.path("moved.mdb")});
        run("mv", {memo.folder.path("moved.mdb"), store});
    } else {
        run("cp", {backup, store});
    }
    if (reader)
        QCOMPARE(readByAnotherProgram(store, "tb_A"), QStringLiteral("restored notes"));
    // The next key would save: the restored notes are read instead of
    // written over.
    WindowInput::type(memo.window.get(), QStringLiteral("x"));
    QCOMPARE(memo.window->board()->toPlainText(), QStringLiteral("restored notes"));
    QCOMPARE(memo.window->noticeText(), kStoreReplaced);
    QCOMPARE(memo.storedText("tb_A"), QStringLiteral("restored notes"));

    // Typing goes on into the restored store, which stays whole.
    WindowInput::key(memo.window.get(), Qt::Key_End);
    WindowInput::type(memo.window.get(), QStringLiteral(" and more"));
    QCOMPARE(memo.window->board()->toPlainText(), QStringLiteral("restored notes and more"));
    QCOMPARE(readByAnotherProgram(store, "tb_A"), QStringLiteral("restored notes and more"));
    QCOMPARE(integrityOf(store), QStringLiteral("ok"));
    QCOMPARE(memo.window->noticeText(), kStoreReplaced);
    memo.choose(memo.window->positionButton(), memo.window->positionMenu(), QStringLiteral("B"));
    QCOMPARE(memo.window->noticeText(), QString());
    QVERIFY(memo.dialogs.messages.isEmpty());
}

void TestSaveFailure::aStoreThatIsGoneLeavesTheBoardItsText_data()
{
    QTest::addColumn<QString>("removed");
    QTest::newRow("store deleted") << QStringLiteral("Data/UserData.mdb");
    QTest::newRow("Data/ deleted") << QStringLiteral("Data");
}

void TestSaveFailure::aStoreThatIsGoneLeavesTheBoardItsText()
{
    QFETCH(QString, removed);
    Memo memo;
    QVERIFY(memo.dm.OpenDatabase());
    memo.show();
    const QString store = memo.folder.storePath();
    const QString backup = memo.folder.path("backup.mdb");
    run("cp", {store, backup});
    memo.type(QStringLiteral("only here"));
    run("rm", {"-r", memo.folder.path(removed)});

    // The key that found the store gone stays; the board then takes no more.
    WindowInput::type(memo.window.get(), QStringLiteral("!"));
    QCOMPARE(memo.window->noticeText(), kStoreLost.arg(store));
    WindowInput::type(memo.window.get(), QStringLiteral("lost"));
    QCOMPARE(memo.window->board()->toPlainText(), QStringLiteral("only here!"));
    QVERIFY(memo.window->board()->isReadOnly());
    // The text is nowhere else: the board does not leave the page.
    QVERIFY(!endsTheProgram([&] { memo.clickClose(); }));
    memo.choose(memo.window->positionButton(), memo.window->positionMenu(), QStringLiteral("B"));
    QCOMPARE(memo.window->positionLetter(), QStringLiteral("A"));
    QCOMPARE(memo.window->board()->toPlainText(), QStringLiteral("only here!"));
    QVERIFY(!QFileInfo::exists(store));

    // Put back where the notice says, the store takes the board's text.
    QDir().mkpath(memo.folder.path("Data"));
    run("cp", {backup, store});
    memo.choose(memo.window->positionButton(), memo.window->positionMenu(), QStringLiteral("B"));
    QCOMPARE(memo.window->positionLetter(), QStringLiteral("B"));
    QCOMPARE(memo.storedText("tb_A"), QStringLiteral("only here!"));
    QCOMPARE(memo.window->noticeText(), QString());
    QVERIFY(!memo.window->board()->isReadOnly());
    QVERIFY(memo.dialogs.messages.isEmpty());
}

QTEST_MAIN(TestSaveFailure)
#include "tst_savefailure.moc"
