#include "richtext/paragraphpieces.h"
#include "richtext/richtext.h"
#include "richtext/rtfwriter.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

// A long paragraph is held in pieces on the board and stored whole.
class TestParagraphPieces : public QObject {
    Q_OBJECT
private slots:
    void longParagraphsArePiecesStoredWhole_data();
    void longParagraphsArePiecesStoredWhole();
    void editsOfPiecesAreEditsOfTheParagraph();
};

namespace {

using ParagraphPieces::kPieceLength;

// The stored page of `paragraphs`, written from a document that holds each
// paragraph as one block, in two formats.
QByteArray storedPage(const QStringList &paragraphs)
{
    QTextDocument whole;
    QTextCursor cursor(&whole);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        const QString &text = paragraphs.at(i);
        qsizetype third = text.size() / 3;
        if (third > 0 && text.at(third - 1).isHighSurrogate())
            ++third;
        cursor.insertText(text.left(third));
        cursor.insertText(text.mid(third), red);
    }
    return Rtf::write(whole);
}

// What `board` stores with its pieces joined into blocks.
QByteArray storedJoined(const QTextDocument &board)
{
    std::unique_ptr<QTextDocument> joined(board.clone());
    ParagraphPieces::join(*joined);
    return Rtf::write(*joined);
}

QString repeated(const QString &unit, qsizetype length)
{
    QString text;
    while (text.size() < length)
        text += unit;
    return text.left(length);
}

} // namespace

void TestParagraphPieces::longParagraphsArePiecesStoredWhole_data()
{
    QTest::addColumn<QStringList>("paragraphs");
    QTest::addColumn<int>("pieces");

    QTest::newRow("short paragraphs stay whole") << QStringList{repeated("abc ", kPieceLength), "", "x"} << 3;
    QTest::newRow("base64 without a blank") << QStringList{repeated("QUJDRA+/", 3 * kPieceLength + 5)} << 4;
    QTest::newRow("words") << QStringList{"before", repeated("notes that never end ", 10 * kPieceLength), "after"}
                           << 13;
    QTest::newRow("Chinese") << QStringList{repeated("记事本里的一句话", 2 * kPieceLength + 1)} << 3;
    // A character outside the basic plane at every place a cut could fall.
    QTest::newRow("surrogate pairs") << QStringList{repeated("a\U0001F600", 2 * kPieceLength + 7)} << 3;
}

void TestParagraphPieces::longParagraphsArePiecesStoredWhole()
{
    QFETCH(QStringList, paragraphs);
    QFETCH(int, pieces);
    const QByteArray stored = storedPage(paragraphs);
    QTextDocument board;
    RichText::load(stored, board);

    QCOMPARE(board.blockCount(), pieces);
    int paragraph = 0;
    for (QTextBlock block = board.begin(); block.isValid(); block = block.next()) {
        QVERIFY(block.length() - 1 <= kPieceLength);
        // No piece ends inside a character.
        QVERIFY(!block.text().endsWith(QChar(0xD83D)));
        if (!ParagraphPieces::continuesParagraph(block))
            ++paragraph;
    }
    QCOMPARE(paragraph, paragraphs.size());
    QCOMPARE(ParagraphPieces::plainText(board), paragraphs.join('\n'));
    QCOMPARE(RichText::save(board), stored);
    QCOMPARE(Rtf::write(board), stored);

    ParagraphPieces::join(board);
    QCOMPARE(board.blockCount(), paragraphs.size());
    QCOMPARE(board.toPlainText(), paragraphs.join('\n'));
    QCOMPARE(Rtf::write(board), stored);
}

void TestParagraphPieces::editsOfPiecesAreEditsOfTheParagraph()
{
    const QString text = repeated("QUJDRA+/", 2 * kPieceLength);
    QTextDocument board;
    RichText::load(storedPage({text}), board);
    QVERIFY(board.blockCount() == 2);
    const int edge = board.lastBlock().position();

    // Typing at a piece's edge and emptying a piece keep one paragraph.
    QTextCursor cursor(&board);
    cursor.setPosition(edge);
    cursor.insertText("!");
    cursor.setPosition(edge);
    cursor.setPosition(board.characterCount() - 1, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    QCOMPARE(ParagraphPieces::plainText(board), text.left(kPieceLength));
    QCOMPARE(RichText::save(board), storedJoined(board));
    QCOMPARE(RichText::save(board).count("\\par\r\n"), 1);

    // A new paragraph inside a piece is a paragraph of the stream.
    cursor.setPosition(10);
    ParagraphPieces::insertParagraph(cursor);
    QVERIFY(!ParagraphPieces::continuesParagraph(cursor.block()));
    QCOMPARE(ParagraphPieces::plainText(board), text.left(10) + '\n' + text.mid(10, kPieceLength - 10));

    // An empty paragraph in pieces keeps the mark of its first piece.
    QTextDocument empty;
    RichText::load(storedPage({"", "", repeated("x", kPieceLength + 1)}), empty);
    cursor = QTextCursor(&empty);
    cursor.setPosition(empty.lastBlock().position());
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.setPosition(2);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    QCOMPARE(empty.blockCount(), 4);
    const QByteArray joined = storedJoined(empty);
    QCOMPARE(joined.count("\\par\r\n"), 3);
    QCOMPARE(RichText::save(empty), joined);
}

QTEST_GUILESS_MAIN(TestParagraphPieces)
#include "tst_paragraphpieces.moc"
