#include "memo/boardcommands.h"

#include <QSet>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <cmath>

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

// What a run of text shows, with what its format leaves open taken from the
// board: its default font and its text colour.
FontChoice shownFormat(const QTextCharFormat &format, const QTextEdit &board)
{
    const QFont base = board.document()->defaultFont();
    const QStringList families = format.fontFamilies().toStringList();
    QFont font(families.isEmpty() ? base.family() : families.first());
    double points = pointsOf(base);
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        points = format.fontPointSize();
    else if (format.intProperty(QTextFormat::FontPixelSize) > 0)
        points = format.intProperty(QTextFormat::FontPixelSize) * 0.75;
    // In half points, as the store keeps sizes: the board's 15 pixels show
    // as the 11.5 points the text has once stored.
    font.setPointSizeF(std::round(points * 2) / 2);
    font.setBold(format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() > QFont::Medium : base.bold());
    font.setItalic(format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : base.italic());
    const bool underlineSet = format.hasProperty(QTextFormat::FontUnderline)
        || format.hasProperty(QTextFormat::TextUnderlineStyle);
    font.setUnderline(underlineSet ? format.fontUnderline() : base.underline());
    font.setStrikeOut(format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut() : base.strikeOut());
    const bool coloured = format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush;
    return {font, coloured ? format.foreground().color() : board.palette().color(QPalette::Text)};
}

// The formats of the text within the selection, each once.
QList<QTextCharFormat> selectedFormats(const QTextCursor &cursor)
{
    QList<QTextCharFormat> formats;
    QSet<int> seen;
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    for (QTextBlock block = cursor.document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const bool inside = fragment.position() < end && fragment.position() + fragment.length() > start;
            if (inside && !seen.contains(fragment.charFormatIndex())) {
                seen.insert(fragment.charFormatIndex());
                formats.append(fragment.charFormat());
            }
        }
    }
    return formats;
}

// Leaves out of `into` each attribute in which `other` differs from it.
void narrow(FontChoice &into, const FontChoice &other)
{
    const QFont &a = into.font;
    const QFont &b = other.font;
    const std::pair<FontChoice::Attribute, bool> differences[] = {
        {FontChoice::Face, a.family() != b.family()},
        {FontChoice::Size, a.pointSizeF() != b.pointSizeF()},
        {FontChoice::Colour, into.colour != other.colour},
        {FontChoice::Bold, a.bold() != b.bold()},
        {FontChoice::Italic, a.italic() != b.italic()},
        {FontChoice::Underline, a.underline() != b.underline()},
        {FontChoice::StrikeOut, a.strikeOut() != b.strikeOut()},
    };
    for (const auto &[attribute, differs] : differences)
        if (differs)
            into.determined &= ~FontChoice::Attributes(attribute);
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

FontChoice selectionFont(const QTextEdit &board)
{
    const QTextCursor cursor = board.textCursor();
    QList<QTextCharFormat> formats;
    if (cursor.hasSelection())
        formats = selectedFormats(cursor);
    // A selection of paragraph ends only holds no text to look at.
    if (formats.isEmpty())
        formats.append(cursor.charFormat());
    FontChoice shown = shownFormat(formats.first(), board);
    for (qsizetype i = 1; i < formats.size(); ++i)
        narrow(shown, shownFormat(formats[i], board));
    return shown;
}

void applyFontChoice(QTextEdit &board, const FontChoice &shown, const FontChoice &chosen)
{
    if (board.isReadOnly())
        return;
    const auto toSet = [&](FontChoice::Attribute attribute, bool changed) {
        return (chosen.determined & attribute) && (changed || !(shown.determined & attribute));
    };
    const QFont &was = shown.font;
    const QFont &font = chosen.font;
    QTextCharFormat format;
    if (toSet(FontChoice::Face, font.family() != was.family()))
        format.setFontFamilies({font.family()});
    if (toSet(FontChoice::Colour, chosen.colour != shown.colour))
        format.setForeground(chosen.colour);
    if (toSet(FontChoice::Size, pointsOf(font) != pointsOf(was)))
        format.setFontPointSize(pointsOf(font));
    if (toSet(FontChoice::Bold, font.bold() != was.bold()))
        format.setFontWeight(font.bold() ? QFont::Bold : QFont::Normal);
    if (toSet(FontChoice::Italic, font.italic() != was.italic()))
        format.setFontItalic(font.italic());
    if (toSet(FontChoice::Underline, font.underline() != was.underline()))
        format.setFontUnderline(font.underline());
    if (toSet(FontChoice::StrikeOut, font.strikeOut() != was.strikeOut()))
        format.setFontStrikeOut(font.strikeOut());
    if (!format.properties().isEmpty())
        board.mergeCurrentCharFormat(format);
}

} // namespace BoardCommands
