#include "files/fileerror.h"
#include "memo/core/textexport.h"

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
    void encodesParagraphsWithAFinalLineEnd_data();
    void encodesParagraphsWithAFinalLineEnd();
    void writesTheSystemEncodingOnceSuffixed();
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

void TestTextExport::encodesParagraphsWithAFinalLineEnd_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("gb18030");
    QTest::addColumn<QByteArray>("utf8");
    QTest::newRow("empty board") << "" << QByteArray("\r\n") << QByteArray("\n");
    QTest::newRow("paragraphs") << "one\n\ntwo" << QByteArray("one\r\n\r\ntwo\r\n") << QByteArray("one\n\ntwo\n");
    QTest::newRow("tick cross mark") << "√×█" << QByteArray("\xA1\xCC\xA1\xC1\xA8\x80\r\n")
                                     << QByteArray("\xE2\x88\x9A\xC3\x97\xE2\x96\x88\n");
    QTest::newRow("Chinese") << "备忘" << QByteArray("\xB1\xB8\xCD\xFC\r\n") << QByteArray("\xE5\xA4\x87\xE5\xBF\x98\n");
}

void TestTextExport::encodesParagraphsWithAFinalLineEnd()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, gb18030);
    QFETCH(QByteArray, utf8);
    QCOMPARE(TextExport::encoded(text, TextExport::Encoding::Gb18030CrLf), gb18030);
    QCOMPARE(TextExport::encoded(text, TextExport::Encoding::Utf8Lf), utf8);
}

void TestTextExport::writesTheSystemEncodingOnceSuffixed()
{
#ifdef Q_OS_WIN
    QCOMPARE(TextExport::kSystemEncoding, TextExport::Encoding::Gb18030CrLf);
#else
    QCOMPARE(TextExport::kSystemEncoding, TextExport::Encoding::Utf8Lf);
#endif
    QTemporaryDir dir;
    TextExport::write(dir.filePath(QStringLiteral("B备忘录")), QStringLiteral("买菜\n"));
    TextExport::write(dir.filePath(QStringLiteral("notes.TXT")), QStringLiteral("a longer first text"));
    TextExport::write(dir.filePath(QStringLiteral("notes.TXT")), QStringLiteral("b"));
    TextExport::write(dir.filePath(QStringLiteral("notes.txt.bak")), QStringLiteral("c"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
             (QStringList{"B备忘录.txt", "notes.TXT", "notes.txt.bak.txt"}));
    QCOMPARE(contents(dir.filePath(QStringLiteral("B备忘录.txt"))),
             TextExport::encoded(QStringLiteral("买菜\n"), TextExport::kSystemEncoding));
    QCOMPARE(contents(dir.filePath(QStringLiteral("notes.TXT"))), TextExport::encoded("b", TextExport::kSystemEncoding));
}

void TestTextExport::anUnwritableTargetThrows()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("taken.txt"));
    QVERIFY_THROWS_EXCEPTION(FileError, TextExport::write(dir.filePath(QStringLiteral("taken")), QStringLiteral("x")));
    QVERIFY_THROWS_EXCEPTION(FileError,
                             TextExport::write(dir.filePath(QStringLiteral("missing/notes")), QStringLiteral("x")));
    // A failed export leaves nothing half written behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList {QStringLiteral("taken.txt")});
}

QTEST_GUILESS_MAIN(TestTextExport)
#include "tst_textexport.moc"
