#include "richtext/richtext.h"
#include "runlist.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextCursor>

// Random boards survive save and load: the same text and formatting, and
// the same bytes when saved again.
class TestRtfRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void randomDocuments();
    void typedTextAfterLoadKeepsTheRunFormat();
};

namespace {

const QStringList kFamilies = {
    QStringLiteral("宋体"), QStringLiteral("黑体"), QStringLiteral("楷体"), QStringLiteral("Arial"),
    QStringLiteral("Times New Roman"), QStringLiteral("Microsoft YaHei"), QStringLiteral("Courier New"),
    QStringLiteral("Odd;{Name}\\"), QStringLiteral("Café 字体"),
};

// Pieces that between them reach every way the stream writes a character.
const QStringList kPieces = {
    QStringLiteral("Hello"), QStringLiteral(" world "), QStringLiteral("a\\b"), QStringLiteral("{x}"),
    QStringLiteral("; 1,2"), QStringLiteral("\t"), QStringLiteral("x\u2028y"), QStringLiteral("，。！“”"),
    QStringLiteral("😀"), QStringLiteral("👍🏽"), QStringLiteral("𠀀𪚥"), QStringLiteral("한국어"),
    QStringLiteral("ภาษา"), QStringLiteral("€"), QStringLiteral("é ü ß"), QStringLiteral("\u00A0"),
    QStringLiteral("Ω≈√"),
};

QString randomChinese(QRandomGenerator &random)
{
    QString text;
    const int length = random.bounded(1, 8);
    for (int i = 0; i < length; ++i)
        text += QChar(char16_t(random.bounded(0x4E00, 0x9FA6)));
    return text;
}

QTextCharFormat randomFormat(QRandomGenerator &random)
{
    QTextCharFormat format;
    format.setFontFamilies({kFamilies.at(random.bounded(int(kFamilies.size())))});
    format.setFontPointSize(random.bounded(8, 145) / 2.0);
    if (random.bounded(3) == 0)
        format.setForeground(QColor::fromRgb(random.bounded(0x1000000)));
    format.setFontWeight(random.bounded(2) ? QFont::Bold : QFont::Normal);
    format.setFontItalic(random.bounded(2));
    format.setFontUnderline(random.bounded(2));
    format.setFontStrikeOut(random.bounded(4) == 0);
    return format;
}

void fillRandomly(QTextDocument &document, QRandomGenerator &random)
{
    QTextCursor cursor(&document);
    const int paragraphs = random.bounded(1, 9);
    for (int p = 0; p < paragraphs; ++p) {
        if (p > 0)
            cursor.insertBlock(QTextBlockFormat(), randomFormat(random));
        const int runs = random.bounded(4) == 0 ? 0 : random.bounded(1, 6);
        if (runs == 0)
            cursor.setBlockCharFormat(randomFormat(random));
        for (int r = 0; r < runs; ++r) {
            const QString text = random.bounded(2) ? randomChinese(random)
                                                   : kPieces.at(random.bounded(int(kPieces.size())));
            cursor.insertText(text, randomFormat(random));
        }
    }
}

bool sevenBit(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

void TestRtfRoundTrip::randomDocuments()
{
    QRandomGenerator random(20240607);
    for (int n = 0; n < 300; ++n) {
        QTextDocument original;
        fillRandomly(original, random);
        const QByteArray saved = RichText::save(original);
        QVERIFY2(sevenBit(saved), qPrintable(QStringLiteral("document %1").arg(n)));
        QCOMPARE(RichText::save(original), saved);

        QTextDocument loaded;
        RichText::load(saved, loaded);
        if (runsOf(loaded) != runsOf(original)) {
            qDebug() << "document" << n << saved;
            QCOMPARE(runsOf(loaded), runsOf(original));
        }
        QCOMPARE(RichText::save(loaded), saved);
    }
}

void TestRtfRoundTrip::typedTextAfterLoadKeepsTheRunFormat()
{
    QTextDocument board;
    RichText::load(QByteArrayLiteral("{\\rtf1{\\fonttbl{\\f0\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\\f0\\fs30\\b AB\\par}"),
                   board);
    QTextCursor cursor(&board);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("中"));

    QTextDocument reloaded;
    RichText::load(RichText::save(board), reloaded);
    const QList<QList<Run>> runs = runsOf(reloaded);
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs.at(0).size(), 1);
    QCOMPARE(runs.at(0).at(0).text, QStringLiteral("AB中"));
    QCOMPARE(runs.at(0).at(0).family, QStringLiteral("宋体"));
    QCOMPARE(runs.at(0).at(0).points, 15.0);
    QVERIFY(runs.at(0).at(0).bold);
}

QTEST_GUILESS_MAIN(TestRtfRoundTrip)
#include "tst_rtfroundtrip.moc"
