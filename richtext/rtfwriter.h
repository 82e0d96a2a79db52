#pragma once

#include <QByteArray>
#include <QObject>

class QTextDocument;

namespace Rtf {

// The whole document as an RTF document for code page 936: font and colour
// tables, one \par per paragraph, and per run the font, size, colour, bold,
// italic, underline and strike-out. The output is 7-bit ASCII and depends
// on nothing but the document, so equal documents give equal bytes.
QByteArray write(const QTextDocument &document);

// The board is written at every key: each paragraph's encoding is kept on
// its block until the block changes, so that a write encodes only the
// paragraphs changed since the last one and copies the rest. The bytes are
// those of write(). Only a document with a layout tells its changes: one
// without is written whole.
class KeptEncodings : public QObject {
    Q_OBJECT
public:
    // Keeps the encodings of `document` from now on, once.
    static void attach(QTextDocument &document);
    // The encodings kept for `document`, if any.
    static KeptEncodings *of(const QTextDocument &document);

    // The document as write() gives it.
    QByteArray write() const;

private:
    explicit KeptEncodings(QTextDocument &document);
};

} // namespace Rtf
