#pragma once

#include <QTextCharFormat>
#include <QTextCursor>

class QTextDocument;

// Fills a document from the front to the back with runs of text and
// paragraph ends. Whatever the text holds, the document gets only
// characters it can keep: CR, LF and CR LF end a paragraph, control
// characters are dropped, and a stray surrogate or a character that
// QTextDocument reserves for its own structure becomes U+FFFD.
//
// A paragraph end is placed when more text follows, so that the \par the
// RTF stream writes after the last paragraph adds no empty line.
class DocumentBuilder {
public:
    // Empties the document; its default font stays.
    explicit DocumentBuilder(QTextDocument &document);

    void appendText(QStringView text, const QTextCharFormat &format);
    // `format` is the format of the paragraph mark: an empty paragraph
    // keeps it as its own.
    void endParagraph(const QTextCharFormat &format);

private:
    void flush(QString &piece, const QTextCharFormat &format);
    void placePendingBreak(const QTextCharFormat &format);

    QTextCursor m_cursor;
    bool m_breakPending = false;
    bool m_paragraphEmpty = true;
    bool m_afterCarriageReturn = false;
};
