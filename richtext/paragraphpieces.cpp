#include "richtext/paragraphpieces.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr int kContinuesProperty = QTextFormat::UserProperty + 0x5043;

// A cut looks this far back from the longest piece for a place where a
// line may break anyway.
constexpr int kLookBack = ParagraphPieces::kPieceLength / 8;

bool breaksAfter(QChar c)
{
    return c.isSpace() || c.unicode() >= 0x2E80;
}

// Where to end the first piece of `text`, longer than kPieceLength.
int cutPosition(QStringView text)
{
    for (int i = ParagraphPieces::kPieceLength; i > ParagraphPieces::kPieceLength - kLookBack; --i) {
        if (breaksAfter(text[i - 1]) && !text[i - 1].isHighSurrogate())
            return i;
    }
    const int i = ParagraphPieces::kPieceLength;
    return text[i - 1].isHighSurrogate() ? i - 1 : i;
}

QTextBlockFormat continuationFormat(QTextBlockFormat format)
{
    format.setProperty(kContinuesProperty, true);
    return format;
}

// Cuts `block` into pieces; returns the last.
QTextBlock cutIntoPieces(const QTextBlock &block, QTextCursor &cursor)
{
    // The block's text is read once; each piece cut off the front leaves
    // the rest in the next block.
    const QString text = block.text();
    int start = 0;
    int position = block.position();
    while (text.size() - start > ParagraphPieces::kPieceLength) {
        const int length = cutPosition(QStringView(text).sliced(start));
        start += length;
        position += length;
        cursor.setPosition(position);
        cursor.insertBlock(continuationFormat(cursor.blockFormat()), cursor.charFormat());
        ++position;
    }
    return cursor.block();
}

} // namespace

namespace ParagraphPieces {

bool continuesParagraph(const QTextBlock &block)
{
    return block.isValid() && continuesParagraph(block.blockFormat());
}

bool continuesParagraph(const QTextBlockFormat &format)
{
    return format.boolProperty(kContinuesProperty);
}

void cut(QTextDocument &document, int from, int to)
{
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    const QTextBlock last = to < 0 ? document.lastBlock() : document.findBlock(to);
    for (QTextBlock block = document.findBlock(from); block.isValid(); block = block.next()) {
        const bool isLast = block == last;
        if (block.length() - 1 > kPieceLength)
            block = cutIntoPieces(block, cursor);
        if (isLast)
            break;
    }
    cursor.endEditBlock();
}

void join(QTextDocument &document)
{
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (QTextBlock block = document.begin(); block.isValid();) {
        const QTextBlock next = block.next();
        if (continuesParagraph(next)) {
            cursor.setPosition(next.position());
            cursor.setBlockFormat(block.blockFormat());
            cursor.deletePreviousChar();
            block = cursor.block();
        } else {
            block = next;
        }
    }
    cursor.endEditBlock();
}

QString plainText(const QTextDocument &document)
{
    const QString whole = document.toPlainText();
    // The plain text has one character for each of the document's, so a
    // piece's break is at the position before the piece.
    QString text;
    text.reserve(whole.size());
    qsizetype copied = 0;
    for (QTextBlock block = document.begin().next(); block.isValid(); block = block.next()) {
        if (!continuesParagraph(block))
            continue;
        const qsizetype pieceBreak = block.position() - 1;
        text += QStringView(whole).sliced(copied, pieceBreak - copied);
        copied = pieceBreak + 1;
    }
    text += QStringView(whole).sliced(copied);
    return text;
}

void insertParagraph(QTextCursor &cursor)
{
    QTextBlockFormat format = cursor.blockFormat();
    format.clearProperty(kContinuesProperty);
    cursor.insertBlock(format, cursor.charFormat());
}

} // namespace ParagraphPieces
