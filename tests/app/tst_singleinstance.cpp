// One copy of the program per application folder, with real processes of
// the staged program on the offscreen platform: whatever earlier copies,
// other users or a full disk left behind, a start either runs, hands over to
// the running copy, or says why it does not start.
#include "app/memoapplication.h"
#include "app/singleinstance.h"
#include "memo/mainfrm.h"
#include "platform/processuser.h"
#include "support/localsite.h"
#include "support/scripteddialogs.h"
#include "support/tempappfolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>

#include <memory>

namespace {

QProcessEnvironment programEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    environment.insert("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    return environment;
}

bool run(const QString &program, const QStringList &arguments)
{
    return QProcess::execute(program, arguments) == 0;
}

// The staged program in an application folder of its own: a temporary one,
// or a copy of it at `elsewhere`.
struct ProgramFolder {
    TempAppFolder folder;
    QString root;

    explicit ProgramFolder(const QString &elsewhere = QString())
        : root(elsewhere.isEmpty() ? folder.root() : elsewhere + QLatin1Char('/'))
    {
        if (!elsewhere.isEmpty())
            run("cp", {"-a", folder.root() + ".", root});
        QFile::copy(QStringLiteral(PAXELO_PROGRAM), path("paxelo-memo"));
    }

    QString path(const QString &relative) const { return root + relative; }

    std::unique_ptr<QProcess> start(const QProcessEnvironment &environment = programEnvironment()) const
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment);
        process->start(path("paxelo-memo"), {});
        process->waitForStarted();
        return process;
    }
    // Every file of Data/ with its bytes.
    QList<QByteArray> data() const
    {
        QList<QByteArray> files;
        for (const QString &name : QDir(path("Data")).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
            QFile file(path("Data/" + name));
            files << name.toUtf8() << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable"));
        }
        return files;
    }
};

// A started copy that is up: it wrote its size file and keeps running.
bool runs(QProcess &process, const ProgramFolder &program)
{
    return QTest::qWaitFor([&] { return QFile::exists(program.path("Data/FormSize.ini")); }, 20000)
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

// A started copy that does not start and says why, on its terminal as in its
// message box (which stays open on the test's platform).
QString refuses(QProcess &process)
{
    QString said;
    const bool told = QTest::qWaitFor([&] {
        said += QString::fromUtf8(process.readAllStandardError());
        return said.contains(QStringLiteral("Paxelo备忘录没有启动：")) && said.endsWith(QLatin1Char('\n'));
    }, 30000);
    return told ? said : QString();
}

void stop(QProcess &process)
{
    process.kill();
    process.waitForFinished();
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void aSecondStartBringsTheRunningWindowToTheFront();
    void oneCopyPerFolderWhileItLives();
    void leftOverLockFilesNeverStopAStart_data();
    void leftOverLockFilesNeverStopAStart();
    void aHolderThatDoesNotAnswerIsNamed();
    void theSocketLivesInAFolderOfTheUsersOwn();
    void anotherUsersFolderNeverTakesTheSocket();
    void oneCopyPerFolderOnAFullDisk();

private:
    QTemporaryDir m_runtime;
};

void TestSingleInstance::initTestCase()
{
    // The sockets of this test's copies, apart from any other program's.
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

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
    // The browser engine starts once the window is up, and holds the event
    // loop meanwhile.
    QTRY_VERIFY(memo.MainFrm()->browser());
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

    // A copy killed outright leaves nothing that holds the folder: the next
    // start takes it over at once, and holds it in turn.
    first->kill();
    first->waitForFinished();
    std::unique_ptr<QProcess> next = program.start();
    QVERIFY(!next->waitForFinished(1500));
    handsOver(*program.start());
    stop(*next);
    stop(*beside);
}

void TestSingleInstance::leftOverLockFilesNeverStopAStart_data()
{
    // What earlier versions and other programs left as Data/paxelo-memo.lock.
    QTest::addColumn<QByteArray>("lock");
    QTest::addColumn<bool>("isFolder");
    QTest::addColumn<bool>("unreadable");
    const QByteArray host = QHostInfo::localHostName().toUtf8();
    QTest::newRow("empty") << QByteArray() << false << false;
    QTest::newRow("random bytes") << QByteArray("\x8f\x02\xff\x00\x13 7\xc3", 9) << false << false;
    QTest::newRow("another machine") << QByteArray("4711\npaxelo-memo\nother-host.example.org\n") << false << false;
    // Copied with the folder of a copy that runs: its process lives.
    QTest::newRow("a living process") << QByteArray::number(QCoreApplication::applicationPid()) + "\npaxelo-memo\n" + host + "\n"
                                      << false << false;
    QTest::newRow("a folder") << QByteArray() << true << false;
    // Made by another user (run as an ordinary user to see it).
    QTest::newRow("unreadable") << QByteArray("1\npaxelo-memo\n" + host + "\n") << false << true;
}

void TestSingleInstance::leftOverLockFilesNeverStopAStart()
{
    QFETCH(QByteArray, lock);
    QFETCH(bool, isFolder);
    QFETCH(bool, unreadable);
    ProgramFolder program;
    const QString lockFile = program.path("Data/paxelo-memo.lock");
    if (isFolder)
        QVERIFY(QDir().mkpath(lockFile + "/inside"));
    else
        program.folder.writeFile("Data/paxelo-memo.lock", lock);
    if (unreadable)
        QVERIFY(QFile::setPermissions(lockFile, {}));

    std::unique_ptr<QProcess> first = program.start();
    QVERIFY(runs(*first, program));
    const QList<QByteArray> before = program.data();
    handsOver(*program.start());
    QCOMPARE(program.data(), before);
    stop(*first);
}

void TestSingleInstance::aHolderThatDoesNotAnswerIsNamed()
{
    // Another user's copy on a shared folder, or a hung one: alive, holding
    // the folder, and silent.
    ProgramFolder program;
    QProcess holder;
    holder.start("flock", {"--no-fork", program.root, "sleep", "600"});
    QVERIFY(holder.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(!SingleInstance(program.root).isFirst(), 10000);

    ScriptedDialogs dialogs;
    const SingleInstance later(program.root);
    QCOMPARE(endLaterStart(later), 1);
    QCOMPARE(dialogs.messages.size(), 1);
    const QString message = dialogs.messages.first();
    QVERIFY2(message.startsWith(QStringLiteral("Paxelo备忘录没有启动：")), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("（进程 %1）").arg(holder.processId())), qPrintable(message));
    QVERIFY2(message.contains(QDir(program.root).canonicalPath()), qPrintable(message));
    stop(holder);

    // Once the holder is gone, the folder is free again.
    QVERIFY(SingleInstance(program.root).isFirst());

    // A folder that cannot be opened is named with the reason.
    const QString missing = program.path("no-such-folder");
    const SingleInstance nowhere(missing);
    QVERIFY(!nowhere.isFirst());
    QCOMPARE(endLaterStart(nowhere), 1);
    QCOMPARE(dialogs.messages.size(), 2);
    QVERIFY2(dialogs.messages.last().contains(QStringLiteral("无法锁定 %1（").arg(missing)), qPrintable(dialogs.messages.last()));
}

void TestSingleInstance::theSocketLivesInAFolderOfTheUsersOwn()
{
    // In the runtime folder the session gives.
    ProgramFolder program;
    QTemporaryDir runtime;
    QProcessEnvironment environment = programEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    std::unique_ptr<QProcess> first = program.start(environment);
    QVERIFY(runs(*first, program));
    QCOMPARE(QDir(runtime.path()).entryList({"paxelo-memo-*"}, QDir::System).size(), 1);
    handsOver(*program.start(environment));
    stop(*first);

    // Without one, in a folder the program makes in the temporary folder for
    // this user alone.
    QTemporaryDir temporary;
    QVERIFY(run("chmod", {"1777", temporary.path()}));
    environment.remove("XDG_RUNTIME_DIR");
    environment.insert("TMPDIR", temporary.path());
    ProgramFolder again;
    first = again.start(environment);
    QVERIFY(runs(*first, again));
    const QStringList made = QDir(temporary.path()).entryList({"paxelo-memo-*"}, QDir::Dirs);
    QCOMPARE(made.size(), 1);
    const QFileInfo own(temporary.filePath(made.first()));
    QCOMPARE(own.ownerId(), QFileInfo(again.path("Data/FormSize.ini")).ownerId());
    QCOMPARE(own.permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(QDir(own.filePath()).entryList(QDir::System).size(), 1);
    handsOver(*again.start(environment));
    stop(*first);
}

void TestSingleInstance::anotherUsersFolderNeverTakesTheSocket()
{
    if (!runsAsSuperuser())
        QSKIP("needs the superuser to act as a second user");
    // Another user made the program's folder in the shared temporary folder
    // first, open to all.
    QTemporaryDir temporary;
    QVERIFY(run("chmod", {"1777", temporary.path()}));
    const QString taken = temporary.filePath("paxelo-memo-0");
    QVERIFY(run("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", "mkdir", "-m", "777", taken}));
    QProcessEnvironment environment = programEnvironment();
    environment.remove("XDG_RUNTIME_DIR");
    environment.insert("TMPDIR", temporary.path());

    ProgramFolder program;
    std::unique_ptr<QProcess> first = program.start(environment);
    QVERIFY(runs(*first, program));
    std::unique_ptr<QProcess> second = program.start(environment);
    const QString said = refuses(*second);
    QVERIFY2(said.contains(QStringLiteral("没有应答")), qPrintable(said));
    QCOMPARE(QDir(taken).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(first->state(), QProcess::Running);
    stop(*second);
    stop(*first);
}

void TestSingleInstance::oneCopyPerFolderOnAFullDisk()
{
    if (!runsAsSuperuser())
        QSKIP("needs the superuser to mount a small file system");
    QTemporaryDir mountPoint;
    const qint64 room = QFileInfo(QStringLiteral(PAXELO_PROGRAM)).size() + 4 * 1024 * 1024;
    if (!run("mount", {"-t", "tmpfs", "-o", QStringLiteral("size=%1").arg(room), "tmpfs", mountPoint.path()}))
        QSKIP("no tmpfs can be mounted here");
    const auto unmount = qScopeGuard([&] { run("umount", {"-l", mountPoint.path()}); });
    std::unique_ptr<ProgramFolder> program = std::make_unique<ProgramFolder>(mountPoint.path());

    // A copy that ran once and died, leaving its lock of an earlier version.
    std::unique_ptr<QProcess> dead = program->start();
    QVERIFY(runs(*dead, *program));
    stop(*dead);
    QFile lock(program->path("Data/paxelo-memo.lock"));
    QVERIFY(lock.open(QIODevice::WriteOnly) && lock.write("4711\npaxelo-memo\n") > 0);
    lock.close();
    QFile filler(program->path("filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(4096, 'x')) > 0) {
    }
    filler.close();

    std::unique_ptr<QProcess> first = program->start();
    QVERIFY(runs(*first, *program));
    handsOver(*program->start());
    // Room again: a later start still finds the copy that holds the folder.
    QVERIFY(QFile::remove(program->path("filler")));
    handsOver(*program->start());
    QCOMPARE(first->state(), QProcess::Running);
    stop(*first);
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
