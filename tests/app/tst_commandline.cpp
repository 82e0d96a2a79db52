#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// The program as a terminal starts it, with no display of any kind: what it
// prints it prints before it would need one.
Run run(const QStringList &arguments, const QString &lang)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LANG"), lang);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(PAXELO_PROGRAM), arguments);
    if (!program.waitForFinished(20000)) {
        program.kill();
        program.waitForFinished();
        return {};
    }
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardOutput()), QString::fromUtf8(program.readAllStandardError())};
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void helpAndVersionPrintInTheLocalesLanguage_data();
    void helpAndVersionPrintInTheLocalesLanguage();
    void unknownArgumentsAreRefusedWithTheUsage_data();
    void unknownArgumentsAreRefusedWithTheUsage();
};

void TestCommandLine::helpAndVersionPrintInTheLocalesLanguage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("expected");
    QTest::newRow("--help, English") << QStringList {"--help"} << "C.UTF-8" << "Usage: paxelo-memo [OPTION]\n";
    QTest::newRow("-h, Chinese") << QStringList {"-h"} << "zh_CN.UTF-8" << "用法：paxelo-memo [选项]\n";
    QTest::newRow("--version, English") << QStringList {"--version"} << "en_GB.UTF-8" << "paxelo-memo 1.0\n";
    QTest::newRow("-V, Taiwan") << QStringList {"-V"} << "zh_TW.UTF-8" << "Paxelo备忘录 1.0\n";
    // Qt's own options are Qt's; the version still answers.
    QTest::newRow("after Qt's -platform") << QStringList {"-platform", "xcb", "--version"} << "C" << "paxelo-memo 1.0\n";
}

void TestCommandLine::helpAndVersionPrintInTheLocalesLanguage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, lang);
    QFETCH(QString, expected);
    const Run result = run(arguments, lang);
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QString());
    QVERIFY2(result.out.startsWith(expected), qPrintable(result.out));
    if (expected.contains(QLatin1String("paxelo-memo [")))
        QVERIFY(result.out.contains(QLatin1String("--help")) && result.out.contains(QLatin1String("--version")));
    else
        QCOMPARE(result.out, expected);
}

void TestCommandLine::unknownArgumentsAreRefusedWithTheUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("unknown option") << QStringList {"--frobnicate"} << "C.UTF-8"
                                    << "paxelo-memo: unrecognised argument '--frobnicate'";
    QTest::newRow("a file") << QStringList {"notes.txt"} << "C.UTF-8" << "paxelo-memo: unrecognised argument 'notes.txt'";
    QTest::newRow("Chinese") << QStringList {"-x"} << "zh_CN.UTF-8" << "paxelo-memo：无法识别的参数“-x”";
    QTest::newRow("Qt's option without its value") << QStringList {"-style"} << "C" << "paxelo-memo: unrecognised argument '-style'";
}

void TestCommandLine::unknownArgumentsAreRefusedWithTheUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, lang);
    QFETCH(QString, firstLine);
    const Run result = run(arguments, lang);
    QCOMPARE(result.status, 2);
    QCOMPARE(result.out, QString());
    const QStringList lines = result.err.split(QLatin1Char('\n'));
    QCOMPARE(lines.first(), firstLine);
    QVERIFY2(lines.value(1).contains(QLatin1String("paxelo-memo [")), qPrintable(result.err));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
