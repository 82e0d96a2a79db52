// One copy of the program per application folder, with real processes of
// the staged program on the offscreen platform.
#include "app/memoapplication.h"
#include "app/singleinstance.h"
#include "memo/mainfrm.h"
#include "support/localsite.h"
#include "support/scripteddialogs.h"
#include "support/tempappfolder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <memory>

namespace {

// The staged program in a temporary application folder of its own.
struct ProgramFolder {
    TempAppFolder folder;
    ProgramFolder() { QFile::copy(QStringLiteral(PAXELO_PROGRAM), folder.path("paxelo-memo")); }

    std::unique_ptr<QProcess> start() const
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
        environment.insert("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
        process->setProcessEnvironment(environment);
        process->start(folder.path("paxelo-memo"), {});
        process->waitForStarted();
        return process;
    }
    // Every file of Data/ but the lock, with its bytes.
    QList<QByteArray> data() const
    {
        QList<QByteArray> files;
        for (const QString &name : folder.entries("Data"))
            if (name != "paxelo-memo.lock")
                files << name.toUtf8() << folder.readFile("Data/" + name);
        return files;
    }
};

// A started copy that is up: it wrote its size file and keeps running.
bool runs(QProcess &process, const ProgramFolder &program)
{
    return QTest::qWaitFor([&] { return QFile::exists(program.folder.path("Data/FormSize.ini")); }, 20000)
        && !process.waitForFinished(300);
}

// A started copy that handed over: ends with status 0 within 2 s.
void handsOver(QProcess &process)
{
    QElapsedTimer clock;
    clock.start();
    QVERIFY(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 5000));
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void aSecondStartBringsTheRunningWindowToTheFront();
    void oneCopyPerFolderWhileItLives();
};

void TestSingleInstance::aSecondStartBringsTheRunningWindowToTheFront()
{
    useLocalWebSite();
    prepareApplication();
    ProgramFolder program;
    ScriptedDialogs dialogs;
    MemoApplication memo;
    QVERIFY(memo.start());
    memo.show();
    memo.MainFrm()->showMinimized();
    SingleInstance guard(program.folder.root());
    QVERIFY(guard.isFirst());
    guard.onLaterStart([&memo] { memo.bringToFront(); });
    const QList<QByteArray> before = program.data();

    std::unique_ptr<QProcess> second = program.start();
    handsOver(*second);
    QVERIFY(!(memo.MainFrm()->windowState() & Qt::WindowMinimized));
    QVERIFY(QTest::qWaitForWindowActive(memo.MainFrm()));
    QCOMPARE(program.data(), before);
}

void TestSingleInstance::oneCopyPerFolderWhileItLives()
{
    ProgramFolder program;
    std::unique_ptr<QProcess> first = program.start();
    QVERIFY(runs(*first, program));
    const QList<QByteArray> before = program.data();
    handsOver(*program.start());
    QCOMPARE(program.data(), before);

    ProgramFolder other;
    std::unique_ptr<QProcess> beside = other.start();
    QVERIFY(runs(*beside, other));

    // A copy killed outright leaves its lock behind: the next start takes
    // the folder over at once, and holds it in turn.
    first->kill();
    first->waitForFinished();
    std::unique_ptr<QProcess> next = program.start();
    QVERIFY(!next->waitForFinished(1500));
    handsOver(*program.start());
    next->kill();
    beside->kill();
    next->waitForFinished();
    beside->waitForFinished();
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
