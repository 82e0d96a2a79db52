#include "richtext/documentbuilder.h"

#include <QTextDocument>

namespace {

bool reservedByDocument(char16_t c)
{
    return c == QChar::ObjectReplacementCharacter || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFE
        || c == 0xFFFF;
}

} // namespace

QString keepableText(QStringView text)
{
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if ((c < 0x20 && c != u'\t') || c == 0x7F)
            continue;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            kept += text[i];
            kept += text[++i];
        } else if (QChar::isSurrogate(c) || reservedByDocument(c)) {
            kept += QChar(QChar::ReplacementCharacter);
        } else {
            kept += text[i];
        }
    }
    return kept;
}

DocumentBuilder::DocumentBuilder(QTextDocument &document)
    : m_cursor(&document)
{
    document.clear();
    m_cursor = QTextCursor(&document);
    m_cursor.beginEditBlock();
}

DocumentBuilder::~DocumentBuilder()
{
    flush();
    m_cursor.endEditBlock();
}

void DocumentBuilder::appendText(QStringView text, const QTextCharFormat &format)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool afterCarriageReturn = m_afterCarriageReturn;
        m_afterCarriageReturn = c == u'\r';
        if (c != u'\r' && c != u'\n' && c != QChar::ParagraphSeparator)
            continue;
        insert(text.sliced(start, i - start), format);
        start = i + 1;
        if (c != u'\n' || !afterCarriageReturn)
            endParagraph(format);
    }
    insert(text.sliced(start), format);
}

void DocumentBuilder::endParagraph(const QTextCharFormat &format)
{
    if (m_breakPending) {
        // The new paragraph mark already has the format.
        placePendingBreak(format);
    } else if (m_paragraphEmpty) {
        // The document's first paragraph, still empty: its mark is there.
        flush();
        m_cursor.setBlockCharFormat(format);
    }
    m_breakPending = true;
}

void DocumentBuilder::insert(QStringView piece, const QTextCharFormat &format)
{
    const QString kept = keepableText(piece);
    if (kept.isEmpty())
        return;
    placePendingBreak(format);
    pend(format);
    m_pending += kept;
    m_paragraphEmpty = false;
}

void DocumentBuilder::placePendingBreak(const QTextCharFormat &format)
{
    if (!m_breakPending)
        return;
    // Inserted as text, a paragraph separator makes a block with the
    // current block's format, which is the default one everywhere here,
    // and gives its mark the text's format.
    pend(format);
    m_pending += QChar(QChar::ParagraphSeparator);
    m_breakPending = false;
    m_paragraphEmpty = true;
}

void DocumentBuilder::pend(const QTextCharFormat &format)
{
    if (!m_pending.isEmpty() && format == m_pendingFormat)
        return;
    flush();
    m_pendingFormat = format;
}

void DocumentBuilder::flush()
{
    if (m_pending.isEmpty())
        return;
    m_cursor.insertText(m_pending, m_pendingFormat);
    m_pending.clear();
}
