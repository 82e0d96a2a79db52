#include "richtext/richtext.h"
#include "richtext/rtfwriter.h"

#include <QAbstractTextDocumentLayout>
#include <QRandomGenerator>

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

// The bytes the board is stored as, as Windows programs will read them.
class TestRtfWriter : public QObject {
    Q_OBJECT
private slots:
    void emptyBoardIsADocumentWithoutText();
    void characters_data();
    void characters();
    void formattingIsWrittenAsItChanges();
    void fragmentationDoesNotShowInTheBytes();
    void keptEncodingsGiveTheBytesOfAFullWrite();
};

namespace {

QFont boardFont()
{
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(15);
    return font;
}

QTextCharFormat fontFormat(const QString &family)
{
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(12);
    return format;
}

// The body between "\pard" and the closing brace.
QByteArray bodyOf(const QByteArray &rtf)
{
    const qsizetype start = rtf.indexOf("\\pard") + 5;
    return rtf.mid(start, rtf.lastIndexOf('}') - start);
}

} // namespace

void TestRtfWriter::emptyBoardIsADocumentWithoutText()
{
    QTextDocument board;
    board.setDefaultFont(boardFont());
    QCOMPARE(RichText::save(board),
             QByteArray("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\r\n"
                        "{\\colortbl ;}\r\n\\uc1\\pard\\f0\\fs23\\par\r\n}\r\n"));
}

void TestRtfWriter::characters_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("body");

    const QString song = QStringLiteral("宋体");
    const QString arial = QStringLiteral("Arial");
    QTest::newRow("ASCII and escapes") << arial << QStringLiteral("a\\b{c};") << QByteArray("\\f0\\fs24 a\\\\b\\{c\\};\\par\r\n");
    QTest::newRow("GBK as byte pairs") << song << QStringLiteral("中文，") << QByteArray("\\f0\\fs24\\'d6\\'d0\\'ce\\'c4\\'a3\\'ac\\par\r\n");
    QTest::newRow("Chinese face by Latin name") << QStringLiteral("SimSun") << QStringLiteral("中") << QByteArray("\\f0\\fs24\\'d6\\'d0\\par\r\n");
    QTest::newRow("outside GBK") << song << QStringLiteral("€한") << QByteArray("\\f0\\fs24\\u8364?\\u-10916?\\par\r\n");
    QTest::newRow("beyond U+FFFF as surrogates") << song << QStringLiteral("😀") << QByteArray("\\f0\\fs24\\u-10179?\\u-8704?\\par\r\n");
    QTest::newRow("Western face: no pairs") << arial << QStringLiteral("中é") << QByteArray("\\f0\\fs24\\u20013?\\u233?\\par\r\n");
    QTest::newRow("tab and line break") << arial << QStringLiteral("a\tb\u2028c") << QByteArray("\\f0\\fs24 a\\tab b\\line c\\par\r\n");
    QTest::newRow("control characters dropped") << arial << QStringLiteral("a\u0001b\u007f") << QByteArray("\\f0\\fs24 ab\\par\r\n");
    QTest::newRow("stray surrogate") << arial << QString(QChar(0xD800)) + QStringLiteral("z") << QByteArray("\\f0\\fs24\\u-3?z\\par\r\n");
}

void TestRtfWriter::characters()
{
    QFETCH(QString, family);
    QFETCH(QString, text);
    QFETCH(QByteArray, body);
    QTextDocument board;
    QTextCursor(&board).insertText(text, fontFormat(family));
    QCOMPARE(bodyOf(RichText::save(board)), body);
}

void TestRtfWriter::formattingIsWrittenAsItChanges()
{
    QTextDocument board;
    board.setDefaultFont(boardFont());
    QTextCursor cursor(&board);
    QTextCharFormat plain = fontFormat(QStringLiteral("Arial"));
    cursor.insertText(QStringLiteral("A"), plain);
    QTextCharFormat marked = plain;
    marked.setFontWeight(QFont::Bold);
    marked.setFontItalic(true);
    marked.setFontUnderline(true);
    marked.setFontStrikeOut(true);
    marked.setForeground(QColor(255, 0, 0));
    marked.setFontPointSize(15.5);
    cursor.insertText(QStringLiteral("B"), marked);
    cursor.insertText(QStringLiteral("C"), plain);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("D"), QTextCharFormat());

    const QByteArray rtf = RichText::save(board);
    QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"));
    QVERIFY(rtf.contains("{\\colortbl ;\\red255\\green0\\blue0;}"));
    QCOMPARE(bodyOf(rtf), QByteArray("\\f0\\fs24 A\\fs31\\cf1\\b\\i\\ul\\strike B\\fs24\\cf0\\b0\\i0\\ulnone\\strike0 C\\par\r\n"
                                     "\\f1\\fs23 D\\par\r\n"));
}

void TestRtfWriter::fragmentationDoesNotShowInTheBytes()
{
    const QTextCharFormat format = fontFormat(QStringLiteral("宋体"));
    QTextDocument whole;
    QTextCursor(&whole).insertText(QStringLiteral("甲乙丙"), format);
    QTextDocument pieces;
    QTextCursor cursor(&pieces);
    cursor.insertText(QStringLiteral("甲丙"), format);
    cursor.setPosition(1);
    cursor.insertText(QStringLiteral("乙"), format);
    QCOMPARE(RichText::save(pieces), RichText::save(whole));
}

namespace {

// Random edits of the kinds the board sees: typing (Chinese, ASCII that
// needs a blank after a control word, escaped characters, tabs and line
// breaks), new paragraphs, deletions across paragraphs, formats over
// ranges and on empty paragraphs, undo and redo, a new default font.
class RandomEditor {
public:
    RandomEditor(QTextDocument &board, quint32 seed)
        : m_board(board)
        , m_random(seed)
    {
    }

    void edit()
    {
        QTextCursor cursor(&m_board);
        cursor.setPosition(position());
        switch (m_random.bounded(9)) {
        case 0:
        case 1:
            cursor.insertText(someText(), someFormat());
            break;
        case 2:
            cursor.insertText(someText());
            break;
        case 3:
            cursor.insertBlock(QTextBlockFormat(), someFormat());
            break;
        case 4:
            cursor.setPosition(position(), QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            break;
        case 5:
            cursor.setPosition(position(), QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(someFormat());
            break;
        case 6:
            cursor.setBlockCharFormat(someFormat());
            break;
        case 7:
            m_random.bounded(2) ? m_board.undo() : m_board.redo();
            break;
        default:
            if (m_random.bounded(8) == 0)
                m_board.setDefaultFont(QFont(pick({QStringLiteral("宋体"), QStringLiteral("Arial")})));
            else
                cursor.deletePreviousChar();
        }
    }

private:
    int position() { return int(m_random.bounded(m_board.characterCount())); }

    QString pick(const QStringList &choices) { return choices.at(m_random.bounded(int(choices.size()))); }

    QString someText()
    {
        return pick({QStringLiteral("记事"), QStringLiteral("abc"), QStringLiteral("1"), QStringLiteral("{\\}"),
                     QStringLiteral("\t"), QString(QChar(0x2028)), QStringLiteral("é€"), QStringLiteral("x 甲 y")});
    }

    QTextCharFormat someFormat()
    {
        QTextCharFormat format;
        switch (m_random.bounded(5)) {
        case 0:
            format.setFontFamilies({pick({QStringLiteral("宋体"), QStringLiteral("Arial"), QStringLiteral("黑体")})});
            break;
        case 1:
            format.setForeground(QColor::fromRgb(m_random.bounded(4) * 60, 0, 0));
            break;
        case 2:
            format.setFontWeight(m_random.bounded(2) ? QFont::Bold : QFont::Normal);
            break;
        case 3:
            format.setFontPointSize(9 + m_random.bounded(4));
            break;
        default:
            format.setFontUnderline(m_random.bounded(2));
        }
        return format;
    }

    QTextDocument &m_board;
    QRandomGenerator m_random;
};

} // namespace

void TestRtfWriter::keptEncodingsGiveTheBytesOfAFullWrite()
{
    for (quint32 seed = 1; seed <= 12; ++seed) {
        QTextDocument board;
        board.setDefaultFont(boardFont());
        RichText::load("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
                       "\\f0 \\'bc\\'c7\\'ca\\'c2\\par\\par abc\\tab d\\par}",
                       board);
        QVERIFY(Rtf::KeptEncodings::of(board));
        // Laid out, as the board is.
        board.documentLayout();
        RandomEditor editor(board, seed);
        for (int step = 0; step < 150; ++step) {
            editor.edit();
            // Not every change is saved at once: some reach the next save
            // together.
            if (step % 3 == 0)
                continue;
            const QByteArray kept = RichText::save(board);
            if (kept != Rtf::write(board))
                QFAIL(qPrintable(QStringLiteral("seed %1, step %2: %3 instead of %4")
                                     .arg(seed)
                                     .arg(step)
                                     .arg(QString::fromLatin1(kept), QString::fromLatin1(Rtf::write(board)))));
        }
    }
}

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
