#include "richtext/documentbuilder.h"

#include <QTextDocument>

namespace {

bool reservedByDocument(char16_t c)
{
    return c == QChar::ObjectReplacementCharacter || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFE
        || c == 0xFFFF;
}

} // namespace

DocumentBuilder::DocumentBuilder(QTextDocument &document)
    : m_cursor(&document)
{
    document.clear();
    m_cursor = QTextCursor(&document);
}

void DocumentBuilder::appendText(QStringView text, const QTextCharFormat &format)
{
    QString piece;
    piece.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool afterCarriageReturn = m_afterCarriageReturn;
        m_afterCarriageReturn = c == u'\r';
        if (c == u'\r' || c == QChar::ParagraphSeparator || (c == u'\n' && !afterCarriageReturn)) {
            flush(piece, format);
            endParagraph(format);
        } else if (c == u'\n' || (c < 0x20 && c != u'\t') || c == 0x7F) {
            continue;
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            piece += text[i];
            piece += text[++i];
        } else if (QChar::isSurrogate(c) || reservedByDocument(c)) {
            piece += QChar(QChar::ReplacementCharacter);
        } else {
            piece += text[i];
        }
    }
    flush(piece, format);
}

void DocumentBuilder::endParagraph(const QTextCharFormat &format)
{
    placePendingBreak(format);
    if (m_paragraphEmpty)
        m_cursor.setBlockCharFormat(format);
    m_breakPending = true;
}

void DocumentBuilder::flush(QString &piece, const QTextCharFormat &format)
{
    if (piece.isEmpty())
        return;
    placePendingBreak(format);
    m_cursor.insertText(piece, format);
    m_paragraphEmpty = false;
    piece.clear();
}

void DocumentBuilder::placePendingBreak(const QTextCharFormat &format)
{
    if (!m_breakPending)
        return;
    m_cursor.insertBlock(QTextBlockFormat(), format);
    m_breakPending = false;
    m_paragraphEmpty = true;
}
