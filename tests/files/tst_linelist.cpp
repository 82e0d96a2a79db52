#include "files/fileerror.h"
#include "files/intparse.h"
#include "files/linelist.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestLineList : public QObject {
    Q_OBJECT
private slots:
    void splitsAtEveryLineEnd_data();
    void splitsAtEveryLineEnd();
    void writesGb18030WithCrLf();
    void roundTripsCharactersOutsideGbk();
    void replacesWholeFileAndLeavesNoTemporary();
    void failsClearlyOnUnwritableAndUnreadable();
    void readsOnlyRegularFilesOfBoundedSize_data();
    void readsOnlyRegularFilesOfBoundedSize();
    void parsesIntegers();
};

void TestLineList::splitsAtEveryLineEnd_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("crlf") << "1\r\n645\r\n" << QStringList{"1", "645"};
    QTest::newRow("lf and cr") << "a\nb\rc" << QStringList{"a", "b", "c"};
    QTest::newRow("blank lines kept") << "\r\n\r\nx\r\n" << QStringList{"", "", "x"};
    QTest::newRow("not trimmed") << " sky.bmp \r\n" << QStringList{" sky.bmp "};
    QTest::newRow("lf cr is two ends") << "a\n\rb" << QStringList{"a", "", "b"};
}

void TestLineList::splitsAtEveryLineEnd()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(LineList::splitLines(text), lines);
}

void TestLineList::writesGb18030WithCrLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.ini");
    LineList::write(path, {"A1.bmp", "天空.bmp"});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // 天 = CC EC, 空 = BF D5 in GBK.
    QCOMPARE(file.readAll(), QByteArray("A1.bmp\r\n\xcc\xec\xbf\xd5.bmp\r\n"));
    QCOMPARE(LineList::read(path), (QStringList{"A1.bmp", "天空.bmp"}));
}

void TestLineList::roundTripsCharactersOutsideGbk()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.ini");
    const QString name = QString::fromUtf8("\xF0\x9F\x98\x80 photo \xE2\x82\xAC.bmp");
    LineList::write(path, {name});
    QCOMPARE(LineList::read(path), QStringList{name});
}

void TestLineList::replacesWholeFileAndLeavesNoTemporary()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("FormSize.ini");
    LineList::write(path, {"1", "645", "443", "189", "147", "extra"});
    LineList::write(path, {"0"});
    QCOMPARE(LineList::read(path), QStringList{"0"});
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"FormSize.ini"});
}

void TestLineList::failsClearlyOnUnwritableAndUnreadable()
{
    QTemporaryDir dir;
    const QString missingFolder = dir.filePath("no-such-folder/FormSize.ini");
    QVERIFY_THROWS_EXCEPTION(FileError, LineList::write(missingFolder, {"1"}));
    QVERIFY_THROWS_EXCEPTION(FileError, LineList::read(missingFolder));
    try {
        LineList::write(missingFolder, {"1"});
    } catch (const FileError &error) {
        QVERIFY(QString::fromUtf8(error.what()).contains("FormSize.ini"));
    }
}

void TestLineList::readsOnlyRegularFilesOfBoundedSize_data()
{
    // What stands in the settings file's place, and why it is not read.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("fifo") << "fifo" << "不是普通文件";
    QTest::newRow("link to /dev/zero") << "zero" << "不是普通文件";
    QTest::newRow("folder") << "folder" << "不是普通文件";
    QTest::newRow("one byte too large") << "large" << "文件过大";
    QTest::newRow("link to a settings file") << "link" << QString();
    QTest::newRow("at the limit") << "limit" << QString();
}

void TestLineList::readsOnlyRegularFilesOfBoundedSize()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath("configSetBg.ini");
    if (kind == "fifo") {
        QCOMPARE(QProcess::execute("mkfifo", {path}), 0);
    } else if (kind == "zero") {
        QVERIFY(QFile::link("/dev/zero", path));
    } else if (kind == "folder") {
        QVERIFY(QDir(dir.path()).mkdir("configSetBg.ini"));
    } else if (kind == "link") {
        LineList::write(dir.filePath("real.ini"), {"0"});
        QVERIFY(QFile::link(dir.filePath("real.ini"), path));
    } else {
        // Sparse: a file of the size, without its bytes on the disk.
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("0\r\n") == 3);
        QVERIFY(file.resize(LineList::kMaxFileSize + (kind == "large" ? 1 : 0)));
    }
    if (reason.isEmpty()) {
        QCOMPARE(LineList::read(path).value(0), QStringLiteral("0"));
        return;
    }
    try {
        LineList::read(path);
        QFAIL("read");
    } catch (const FileError &error) {
        QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("无法读取文件 %1：%2").arg(path, reason));
    }
}

void TestLineList::parsesIntegers()
{
    QCOMPARE(parseInt32("645"), std::optional<int>(645));
    QCOMPARE(parseInt32("-3"), std::optional<int>(-3));
    QCOMPARE(parseInt32(" 12 "), std::optional<int>(12));
    QCOMPARE(parseInt32("-2147483648"), std::optional<int>(INT_MIN));
    QCOMPARE(parseInt32("2147483647"), std::optional<int>(INT_MAX));
    QCOMPARE(parseInt32("2147483648"), std::nullopt);
    QCOMPARE(parseInt32("99999999999999999999"), std::nullopt);
    QCOMPARE(parseInt32("abc"), std::nullopt);
    QCOMPARE(parseInt32(""), std::nullopt);
    QCOMPARE(parseInt32("-"), std::nullopt);
    QCOMPARE(parseInt32("1.5"), std::nullopt);
}

QTEST_GUILESS_MAIN(TestLineList)
#include "tst_linelist.moc"
