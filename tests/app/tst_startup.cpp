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
#include <QProcess>
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
    void aFileSizeLimitFailsTheWriteNotTheProgram();
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

void TestStartup::aFileSizeLimitFailsTheWriteNotTheProgram()
{
    // The child: adds a picture larger than its file-size limit allows.
    const QString chosen = qEnvironmentVariable("PAXELO_PICTURE_PAST_THE_LIMIT");
    if (!chosen.isEmpty()) {
        TempAppFolder folder(false);
        QWidget owner;
        auto *window = new TPicSelFrm(&owner);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        ScriptedDialogs dialogs;
        dialogs.openAnswers = {{chosen}};
        WindowInput::click(window->btnAdd);
        QCOMPARE(dialogs.errors.size(), 1);
        const QString expected = QStringLiteral("以下文件没有添加：\nbig.bmp：无法写入文件 %1").arg(folder.path("source/DeskTopBG/"));
        QVERIFY2(dialogs.errors.first().startsWith(expected), qPrintable(dialogs.errors.first()));
        QVERIFY2(dialogs.errors.first().endsWith("File too large"), qPrintable(dialogs.errors.first()));
        QCOMPARE(folder.entries("source/DeskTopBG"), QStringList());
        return;
    }
    QTemporaryDir outside;
    const QString big = outside.filePath("big.bmp");
    QImage picture(400, 300, QImage::Format_RGB888);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(big, "BMP"));
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PAXELO_PICTURE_PAST_THE_LIMIT", big);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    // No trap: the program itself must keep the signal from ending it.
    child.start("sh", {"-c", "ulimit -f 200; exec \"$0\" aFileSizeLimitFailsTheWriteNotTheProgram",
                       QCoreApplication::applicationFilePath()});
    QVERIFY(child.waitForFinished(120000));
    const QString output = QString::fromUtf8(child.readAll());
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() == 0, qPrintable(output));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
