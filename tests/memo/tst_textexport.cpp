#include "memo/textexport.h"
#include "text/linelist.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestTextExport : public QObject {
    Q_OBJECT
private slots:
    void proposesThePageLetter_data();
    void proposesThePageLetter();
    void writesGbkParagraphsWithAFinalCrLf_data();
    void writesGbkParagraphsWithAFinalCrLf();
    void alwaysAppendsTxtAndReplaces();
    void anUnwritableTargetThrows();
};

void TestTextExport::proposesThePageLetter_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("name");
    QTest::newRow("A") << 1 << "A备忘录";
    QTest::newRow("B") << 2 << "B备忘录";
    QTest::newRow("E") << 5 << "E备忘录";
    QTest::newRow("switching") << 0 << "备忘录";
    QTest::newRow("unknown") << 6 << "备忘录";
}

void TestTextExport::proposesThePageLetter()
{
    QFETCH(int, page);
    QFETCH(QString, name);
    QCOMPARE(TextExport::proposedName(page), name);
}

void TestTextExport::writesGbkParagraphsWithAFinalCrLf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty board") << "" << QByteArray("\r\n");
    QTest::newRow("paragraphs") << "one\n\ntwo" << QByteArray("one\r\n\r\ntwo\r\n");
    QTest::newRow("tick cross mark") << "√×█" << QByteArray("\xA1\xCC\xA1\xC1\xA8\x80\r\n");
    QTest::newRow("Chinese") << "备忘" << QByteArray("\xB1\xB8\xCD\xFC\r\n");
}

void TestTextExport::writesGbkParagraphsWithAFinalCrLf()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    TextExport::write(dir.filePath(QStringLiteral("B备忘录")), text);
    QCOMPARE(contents(dir.filePath(QStringLiteral("B备忘录.txt"))), bytes);
}

void TestTextExport::alwaysAppendsTxtAndReplaces()
{
    QTemporaryDir dir;
    TextExport::write(dir.filePath(QStringLiteral("notes.txt")), QStringLiteral("a longer first text"));
    TextExport::write(dir.filePath(QStringLiteral("notes.txt")), QStringLiteral("b"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("notes.txt.txt")});
    QCOMPARE(contents(dir.filePath(QStringLiteral("notes.txt.txt"))), QByteArray("b\r\n"));
}

void TestTextExport::anUnwritableTargetThrows()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("taken.txt"));
    QVERIFY_THROWS_EXCEPTION(LineList::FileError, TextExport::write(dir.filePath(QStringLiteral("taken")), QStringLiteral("x")));
    QVERIFY_THROWS_EXCEPTION(LineList::FileError,
                             TextExport::write(dir.filePath(QStringLiteral("missing/notes")), QStringLiteral("x")));
}

QTEST_GUILESS_MAIN(TestTextExport)
#include "tst_textexport.moc"
