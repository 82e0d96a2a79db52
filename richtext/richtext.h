#pragma once

#include <QByteArray>

class QTextDocument;

// The board's text as the memo store keeps it.
namespace RichText {

// The whole board as an RTF document; an empty board gives a document
// without text, never an empty value. A board filled by load() encodes
// only the paragraphs changed since its last save.
QByteArray save(const QTextDocument &board);

// Replaces the whole board with a stored value: an RTF document, or else
// plain text (UTF-8 when it is valid UTF-8, otherwise GB18030). An empty
// value gives an empty board. Loading clears the undo history instead of
// becoming a step of it. A long paragraph comes in pieces
// (richtext/paragraphpieces.h) that save() joins again.
void load(const QByteArray &stored, QTextDocument &board);

} // namespace RichText
