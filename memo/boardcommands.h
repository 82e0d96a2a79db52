#pragma once

#include "widgets/dialogs.h"

#include <QColor>
#include <QFont>
#include <QString>

class QTextEdit;

// The board's editing commands that go beyond what the rich edit offers
// itself: insertions that cannot be undone, marks, colour and font. Each
// leaves a read-only board as it is.
namespace BoardCommands {

// Replaces the selection, or inserts at the caret, with `text` in the
// format the caret carries. The insertion is no step of the undo history:
// the history is emptied, since steps recorded before it would no longer
// fit the text.
void replaceSelectionForGood(QTextEdit &board, const QString &text);

// Gives the selection, or what is typed next at the caret, `colour`.
void setSelectionColour(QTextEdit &board, const QColor &colour);

// A mark "█" in `colour` in place of the selection; what is typed right
// after it continues in that colour.
void insertMark(QTextEdit &board, const QColor &colour);

// The format of the selection, or of the caret without one, as the font
// dialog shows it: an attribute that differs within the selection is left
// out of `determined`.
FontChoice selectionFont(const QTextEdit &board);

// Gives the selection, or what is typed next at the caret, every attribute
// the font dialog `chosen` shows. The dialog opened on `shown`, the
// selection's own format: an attribute it showed and still shows unchanged
// is the selection's already, and setting it again would only turn the
// board's defaults (its face, the automatic colour) into explicit values,
// so a bare OK leaves the text as it was.
void applyFontChoice(QTextEdit &board, const FontChoice &shown, const FontChoice &chosen);

} // namespace BoardCommands
