#include "app/memoapplication.h"
#include "memo/mainfrm.h"
#include "support/localsite.h"
#include "support/scripteddialogs.h"
#include "support/tempappfolder.h"
#include "support/windowinput.h"
#include "wallpaper/uglobal.h"
#include "wallpaper/ui/picselfrm.h"
#include "widgets/picturecontrol.h"
#include "widgets/xpbutton.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void createsTheWindowsInOrderWithSharedState();
    void theListWindowIsMadeWhenFirstOpened();
    void aBrokenStoreIsReportedAndNothingIsWritten_data();
    void aBrokenStoreIsReportedAndNothingIsWritten();
};

void TestStartup::initTestCase()
{
    useLocalWebSite();
    prepareApplication();
}

void TestStartup::createsTheWindowsInOrderWithSharedState()
{
    TempAppFolder folder;
    ScriptedDialogs dialogs;
    MemoApplication memo;
    QVERIFY(memo.start());
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(memo.DM() && memo.MainFrm());
    // The list window and the confirmation box wait for their first use.
    QVERIFY(memo.MainFrm()->findChildren<QDialog *>().isEmpty());
    QCOMPARE(memo.MainFrm()->windowTitle(), QStringLiteral("Paxelo备忘录"));
    QVERIFY(memo.MainFrm()->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(memo.MainFrm()->CurrentPage, 0);
    QVERIFY(!memo.MainFrm()->contentLoaded());
    QVERIFY(uGlobal::AskBeforeSetBg);
    QCOMPARE(uGlobal::SetBgAnswer, 0);
    QCOMPARE(uGlobal::ConfigSetBgPath, folder.path("Data/configSetBg.ini"));
    QCOMPARE(folder.readFile("Data/configSetBg.ini"), QByteArray("1\r\n"));
}

void TestStartup::theListWindowIsMadeWhenFirstOpened()
{
    TempAppFolder folder;
    ScriptedDialogs dialogs;
    MemoApplication memo;
    QVERIFY(memo.start());
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(memo.MainFrm()));
    TPicSelFrm *opened = nullptr;
    QTimer::singleShot(0, [&opened] {
        opened = qobject_cast<TPicSelFrm *>(QApplication::activeModalWidget());
        if (opened)
            WindowInput::click(opened->btnOk);
    });
    WindowInput::click(memo.MainFrm()->addToDeskPicture());
    QVERIFY(opened);
    QCOMPARE(opened->parentWidget(), memo.MainFrm());
    QVERIFY(!opened->isVisible());
}

void TestStartup::aBrokenStoreIsReportedAndNothingIsWritten_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("store missing") << false;
    QTest::newRow("store is a text file") << true;
}

void TestStartup::aBrokenStoreIsReportedAndNothingIsWritten()
{
    QFETCH(bool, present);
    TempAppFolder folder(false);
    if (present)
        folder.writeFile("Data/UserData.mdb", "hello\r\n");
    ScriptedDialogs dialogs;
    MemoApplication memo;
    QVERIFY(!memo.start());
    QCOMPARE(dialogs.messages, QStringList{QStringLiteral("配置文件加载失败，请重试！")});
    QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Paxelo备忘录"));
    QVERIFY(!memo.MainFrm());
    QCOMPARE(folder.entries("Data"), present ? QStringList{"UserData.mdb"} : QStringList{});
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
