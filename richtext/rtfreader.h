#pragma once

#include <QByteArrayView>

class QTextDocument;

namespace Rtf {

// True when `bytes` is an RTF document, that is it starts with "{\rtf".
bool isRtf(QByteArrayView bytes);

// Replaces the content of `document` with the text and character formats of
// the RTF document `rtf`, as Windows programs and Rtf::write produce it.
// Damaged input gives whatever text can be recovered; any input is read in
// time and memory linear in its size.
void read(QByteArrayView rtf, QTextDocument &document);

} // namespace Rtf
