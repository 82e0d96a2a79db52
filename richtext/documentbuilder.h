#pragma once

#include <QTextCharFormat>
#include <QTextCursor>

class QTextDocument;

// `text` with only the characters a document keeps and the RTF stream
// writes back unchanged: control characters other than tab are dropped, a
// stray surrogate or a character QTextDocument reserves for its own
// structure becomes U+FFFD.
QString keepableText(QStringView text);

// Fills a document from the front to the back with runs of text and
// paragraph ends. CR, LF and CR LF in the text end a paragraph; otherwise
// the document gets the keepable text.
//
// A paragraph end is placed when more text follows, so that the \par the
// RTF stream writes after the last paragraph adds no empty line.
//
// Text and paragraph ends of one format are collected and inserted in one
// go: the document's cost is mostly per insertion, not per character.
class DocumentBuilder {
public:
    // Empties the document; its default font stays. Everything appended
    // until the builder ends is one edit of the document: its layout and
    // the views on it catch up once, not at every paragraph.
    explicit DocumentBuilder(QTextDocument &document);
    ~DocumentBuilder();
    DocumentBuilder(const DocumentBuilder &) = delete;
    DocumentBuilder &operator=(const DocumentBuilder &) = delete;

    void appendText(QStringView text, const QTextCharFormat &format);
    // `format` is the format of the paragraph mark: an empty paragraph
    // keeps it as its own.
    void endParagraph(const QTextCharFormat &format);

private:
    void insert(QStringView piece, const QTextCharFormat &format);
    void placePendingBreak(const QTextCharFormat &format);
    // Makes `format` the format of the collected text, inserting what was
    // collected in another one.
    void pend(const QTextCharFormat &format);
    void flush();

    QTextCursor m_cursor;
    bool m_breakPending = false;
    bool m_paragraphEmpty = true;
    bool m_afterCarriageReturn = false;
    QString m_pending;
    QTextCharFormat m_pendingFormat;
};
