#include "platform/linux/commandrunner.h"
#include "wallpaperfailure.h"

#include <QTest>

class TestCommandRunner : public QObject {
    Q_OBJECT
private slots:
    void capturesOutputAndExitCode();
    void reportsAProgramThatCannotStart();
    void failureMessagesCarryTheCommandsWords_data();
    void failureMessagesCarryTheCommandsWords();
};

void TestCommandRunner::capturesOutputAndExitCode()
{
    ProcessCommandRunner runner;
    const CommandResult result = runner.run("sh", {"-c", "echo out; echo err >&2; exit 3"});
    QVERIFY(result.started);
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 3);
    QCOMPARE(result.standardOutput, QByteArray("out\n"));
    QCOMPARE(result.standardError, QByteArray("err\n"));
    QCOMPARE(runOrThrow(runner, "sh", {"-c", "echo fine"}), QByteArray("fine\n"));
}

void TestCommandRunner::reportsAProgramThatCannotStart()
{
    ProcessCommandRunner runner;
    QVERIFY(!runner.run("paxelo-no-such-program", {}).started);
    QVERIFY(wallpaperFailure([&] { runOrThrow(runner, "paxelo-no-such-program", {}); })
                .contains("paxelo-no-such-program"));
}

void TestCommandRunner::failureMessagesCarryTheCommandsWords_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");
    QTest::newRow("non-zero exit") << "echo 'no such property' >&2; exit 1" << "no such property";
    QTest::newRow("killed") << "echo dying >&2; kill -9 $$" << "dying";
}

void TestCommandRunner::failureMessagesCarryTheCommandsWords()
{
    QFETCH(QString, script);
    QFETCH(QString, expected);
    ProcessCommandRunner runner;
    const QString message = wallpaperFailure([&] { runOrThrow(runner, "sh", {"-c", script}); });
    QVERIFY2(message.contains(expected), qPrintable(message));
}

QTEST_GUILESS_MAIN(TestCommandRunner)
#include "tst_commandrunner.moc"
