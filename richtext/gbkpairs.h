#pragma once

#include <QChar>

// The two-byte form of a character in code page 936 as the RTF reader
// decodes it, so that a character written as \'hh\'hh always reads back as
// itself.
namespace GbkPairs {

// Lead byte in the high eight bits, trail byte in the low ones; 0 when the
// character has no two-byte form.
quint16 of(QChar c);

} // namespace GbkPairs
