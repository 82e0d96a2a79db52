#include "memo/boardcommands.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

const QString kMark = QStringLiteral("█");

// Runs `edit` outside the undo history. Turning the history off empties it;
// keeping older steps is not an option, as they record positions that the
// unrecorded change shifts, and undoing them would change the wrong text.
template <typename Edit>
void withoutUndo(QTextEdit &board, Edit &&edit)
{
    QTextDocument *document = board.document();
    document->setUndoRedoEnabled(false);
    edit();
    document->setUndoRedoEnabled(true);
}

void insertAtCaret(QTextEdit &board, const QString &text, const QTextCharFormat &format)
{
    QTextCursor cursor = board.textCursor();
    cursor.insertText(text, format);
    board.setTextCursor(cursor);
}

} // namespace

namespace BoardCommands {

void replaceSelectionForGood(QTextEdit &board, const QString &text)
{
    if (board.isReadOnly())
        return;
    withoutUndo(board, [&] { insertAtCaret(board, text, board.textCursor().charFormat()); });
}

void setSelectionColour(QTextEdit &board, const QColor &colour)
{
    if (board.isReadOnly())
        return;
    QTextCharFormat format;
    format.setForeground(colour);
    board.mergeCurrentCharFormat(format);
}

void insertMark(QTextEdit &board, const QColor &colour)
{
    if (board.isReadOnly())
        return;
    // The mark replaces the selection, so only the mark itself needs the
    // colour; the caret after it then carries the colour on.
    QTextCharFormat format = board.textCursor().charFormat();
    format.setForeground(colour);
    withoutUndo(board, [&] { insertAtCaret(board, kMark, format); });
}

void applyFont(QTextEdit &board, const QFont &font)
{
    if (board.isReadOnly())
        return;
    QTextCharFormat format;
    format.setFontFamilies(font.families());
    format.setFontPointSize(font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75);
    format.setFontFixedPitch(font.fixedPitch());
    format.setFontWeight(font.weight());
    format.setFontItalic(font.italic());
    format.setFontUnderline(font.underline());
    format.setFontStrikeOut(font.strikeOut());
    board.mergeCurrentCharFormat(format);
}

} // namespace BoardCommands
