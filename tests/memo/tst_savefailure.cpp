// The memo window when the store refuses to keep the board: nothing typed
// is thrown away, and nothing can be typed that would be.
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
#include <QFile>
#include <QMenu>
#include <QSqlQuery>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

#include <unistd.h>

namespace {

const QString kSaveFailed = QStringLiteral("保存记事内容失败！");
const QString kLoadFailed = QStringLiteral("加载记事内容失败！");

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
    void exec(const QString &sql) const { QVERIFY2(QSqlQuery(dm.AdoCon).exec(sql), qPrintable(sql)); }
    QString storedText(const QString &table) const
    {
        QSqlQuery query(dm.AdoCon);
        query.exec(QStringLiteral("SELECT SundayCon FROM %1 WHERE ID = 1").arg(table));
        query.next();
        QTextDocument page;
        RichText::load(query.value(0).toByteArray(), page);
        return page.toPlainText();
    }
};

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
    memo.type(QStringLiteral("alpha"));
    QCOMPARE(memo.storedText("tb_A"), QStringLiteral("alpha"));

    memo.exec("CREATE TRIGGER refuse BEFORE UPDATE ON tb_A BEGIN SELECT RAISE(ABORT, 'refused'); END");
    memo.type(QStringLiteral("beta"));
    QCOMPARE(memo.dialogs.messages, QStringList{kSaveFailed});
    QVERIFY(!endsTheProgram(leave));
    QCOMPARE(memo.dialogs.messages, (QStringList{kSaveFailed, kSaveFailed}));
    QCOMPARE(memo.window->board()->toPlainText(), QStringLiteral("alphabeta"));
    QCOMPARE(memo.window->positionLetter(), QStringLiteral("A"));
    QCOMPARE(memo.window->CurrentPage, 1);
    QVERIFY(memo.window->isVisible());
    QCOMPARE(memo.storedText("tb_A"), QStringLiteral("alpha"));

    memo.exec("DROP TRIGGER refuse");
    QCOMPARE(endsTheProgram(leave), way != 0);
    QCOMPARE(memo.storedText("tb_A"), QStringLiteral("alphabeta"));
    QCOMPARE(memo.window->positionLetter(), QString(way == 0 ? "B" : "A"));
    QCOMPARE(memo.dialogs.messages.size(), 2);
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
        QSqlQuery(setUp.AdoCon).exec("UPDATE tb_A SET SundayCon = 'stored text' WHERE ID = 1");
    }
    // Open to everyone, the locked one only for reading; the group's rights
    // count as well, as the ordinary user below stays in the superuser's group.
    for (const char *path : {"", "Data", "Data/UserData.mdb"})
        QFile::setPermissions(memo.folder.path(path), QFile::Permissions(path == locked ? 0x5555 : 0x7777));
    const QByteArray before = memo.folder.readFile("Data/UserData.mdb");
    // The superuser may write anywhere: the store is opened as an ordinary user.
    const bool superuser = geteuid() == 0;
    QVERIFY(!superuser || seteuid(65534) == 0);
    const bool opened = memo.dm.OpenDatabase();
    QVERIFY(!superuser || seteuid(0) == 0);
    QVERIFY(opened);
    memo.show();
    QCOMPARE(memo.dialogs.messages,
             QStringList{QString::fromUtf8(kStoreReadOnlyMessage).arg(reason.arg(memo.folder.path(locked)))});
    QCOMPARE(memo.window->board()->toPlainText(), QStringLiteral("stored text"));
    memo.type(QStringLiteral("lost"));
    memo.choose(memo.window->positionButton(), memo.window->positionMenu(), QStringLiteral("A"));
    QCOMPARE(memo.window->board()->toPlainText(), QStringLiteral("stored text"));
    QCOMPARE(memo.dialogs.messages.size(), 1);
    QCOMPARE(memo.folder.readFile("Data/UserData.mdb"), before);
    QFile::setPermissions(memo.folder.path(locked), QFile::Permissions(0x7777));
}

QTEST_MAIN(TestSaveFailure)
#include "tst_savefailure.moc"
