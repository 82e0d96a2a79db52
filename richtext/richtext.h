#pragma once

#include <QByteArray>

class QTextDocument;

// The board's text as the memo store keeps it.
namespace RichText {

// The whole board as an RTF document; an empty board gives a document
// without text, never an empty value.
QByteArray save(const QTextDocument &board);

// Replaces the whole board with a stored value: an RTF document, or else
// plain text (UTF-8 when it is valid UTF-8, otherwise GB18030). An empty
// value gives an empty board. Loading clears the undo history instead of
// becoming a step of it.
void load(const QByteArray &stored, QTextDocument &board);

} // namespace RichText
