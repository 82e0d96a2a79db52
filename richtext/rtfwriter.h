#pragma once

#include <QByteArray>

class QTextDocument;

namespace Rtf {

// The whole document as an RTF document for code page 936: font and colour
// tables, one \par per paragraph, and per run the font, size, colour, bold,
// italic, underline and strike-out. The output is 7-bit ASCII and depends
// on nothing but the document, so equal documents give equal bytes.
QByteArray write(const QTextDocument &document);

} // namespace Rtf
