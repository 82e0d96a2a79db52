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

// Pixel sizes are taken at the 96 dots per inch that the store assumes.
double pointsOf(const QFont &font)
{
    return font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
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

void applyFontChoice(QTextEdit &board, const FontChoice &offered, const FontChoice &chosen)
{
    if (board.isReadOnly())
        return;
    const QFont &was = offered.font;
    const QFont &font = chosen.font;
    QTextCharFormat format;
    if (font.family() != was.family())
        format.setFontFamilies({font.family()});
    if (chosen.colour != offered.colour)
        format.setForeground(chosen.colour);
    if (pointsOf(font) != pointsOf(was))
        format.setFontPointSize(pointsOf(font));
    if (font.fixedPitch() != was.fixedPitch())
        format.setFontFixedPitch(font.fixedPitch());
    if (font.weight() != was.weight())
        format.setFontWeight(font.weight());
    if (font.italic() != was.italic())
        format.setFontItalic(font.italic());
    if (font.underline() != was.underline())
        format.setFontUnderline(font.underline());
    if (font.strikeOut() != was.strikeOut())
        format.setFontStrikeOut(font.strikeOut());
    if (!format.properties().isEmpty())
        board.mergeCurrentCharFormat(format);
}

} // namespace BoardCommands
