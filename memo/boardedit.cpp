#include "memo/boardedit.h"

#include "richtext/paragraphpieces.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace {

// The character format reduced to what the store keeps.
QTextCharFormat storableFormat(const QTextCharFormat &source)
{
    QTextCharFormat format;
    if (source.hasProperty(QTextFormat::FontFamilies))
        format.setFontFamilies(source.fontFamilies().toStringList());
    if (source.hasProperty(QTextFormat::FontPointSize))
        format.setFontPointSize(source.fontPointSize());
    else if (source.hasProperty(QTextFormat::FontPixelSize))
        format.setFontPointSize(source.intProperty(QTextFormat::FontPixelSize) * 0.75);
    if (source.hasProperty(QTextFormat::ForegroundBrush))
        format.setForeground(QBrush(source.foreground().color()));
    if (source.hasProperty(QTextFormat::FontWeight))
        format.setFontWeight(source.fontWeight() >= QFont::DemiBold ? QFont::Bold : QFont::Normal);
    if (source.hasProperty(QTextFormat::FontItalic))
        format.setFontItalic(source.fontItalic());
    if (source.fontUnderline())
        format.setFontUnderline(true);
    if (source.fontStrikeOut())
        format.setFontStrikeOut(true);
    return format;
}

} // namespace

BoardEdit::BoardEdit(QWidget *parent)
    : QTextEdit(parent)
{
}

void BoardEdit::showPage(QTextDocument *page)
{
    // Qt hands the format the caret had on the old page to the new one;
    // typed on an empty page, or before the caret moves, text would come
    // out in the last page's colour and size. A new caret reads the format
    // from the page.
    setDocument(page);
    QTextCursor start(page);
    // An empty page starts in the board's own format, whatever its
    // paragraph mark was last given.
    if (page->isEmpty())
        start.setCharFormat(QTextCharFormat());
    setTextCursor(start);
}

QTextDocumentFragment BoardEdit::storableFragment(const QMimeData *source)
{
    if (!source->hasHtml())
        return QTextDocumentFragment::fromPlainText(source->text());

    QTextDocument pasted;
    pasted.setHtml(source->html());
    QTextDocument kept;
    QTextCursor out(&kept);
    bool firstBlock = true;
    // Every block, table cells included, becomes a plain paragraph; pictures
    // and other objects are dropped, links keep their text.
    for (QTextBlock block = pasted.begin(); block.isValid(); block = block.next()) {
        if (!firstBlock)
            out.insertBlock(QTextBlockFormat(), QTextCharFormat());
        firstBlock = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QString text = fragment.text();
            text.remove(QChar::ObjectReplacementCharacter);
            text.replace(QChar::LineSeparator, QLatin1Char('\n'));
            if (!text.isEmpty())
                out.insertText(text, storableFormat(fragment.charFormat()));
        }
    }
    return QTextDocumentFragment(&kept);
}

bool BoardEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return !isReadOnly() && (source->hasText() || source->hasHtml());
}

void BoardEdit::insertFromMimeData(const QMimeData *source)
{
    // The paste command reaches here on a read-only board too.
    if (isReadOnly())
        return;
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    const int start = cursor.position();
    cursor.insertFragment(storableFragment(source));
    // A long pasted paragraph is laid out in pieces, as one loaded.
    ParagraphPieces::cut(*document(), start, cursor.position());
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

QMimeData *BoardEdit::createMimeDataFromSelection() const
{
    // The copy holds the paragraphs whole, whatever pieces the board shows.
    QTextDocument copied;
    QTextCursor(&copied).insertFragment(textCursor().selection());
    ParagraphPieces::join(copied);
    auto *data = new QMimeData;
    data->setHtml(copied.toHtml());
    data->setText(copied.toPlainText());
    return data;
}

void BoardEdit::keyPressEvent(QKeyEvent *event)
{
    if (!isReadOnly() && editedAcrossPieces(event))
        return;
    QTextEdit::keyPressEvent(event);
}

// Keys whose edit at a piece's edge must reach the paragraph: a new
// paragraph starts, or a character on the other side of the edge goes.
bool BoardEdit::editedAcrossPieces(QKeyEvent *event)
{
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection())
        return false;
    if (event == QKeySequence::InsertParagraphSeparator) {
        if (!ParagraphPieces::continuesParagraph(cursor.block()))
            return false;
        ParagraphPieces::insertParagraph(cursor);
    } else if (event->key() == Qt::Key_Backspace && event->modifiers() == Qt::NoModifier) {
        if (!cursor.atBlockStart() || !ParagraphPieces::continuesParagraph(cursor.block()))
            return false;
        cursor.beginEditBlock();
        cursor.deletePreviousChar();
        cursor.deletePreviousChar();
        cursor.endEditBlock();
    } else if (event == QKeySequence::Delete) {
        if (!cursor.atBlockEnd() || !ParagraphPieces::continuesParagraph(cursor.block().next()))
            return false;
        cursor.beginEditBlock();
        cursor.deleteChar();
        cursor.deleteChar();
        cursor.endEditBlock();
    } else {
        return false;
    }
    setTextCursor(cursor);
    ensureCursorVisible();
    return true;
}

void BoardEdit::focusOutEvent(QFocusEvent *event)
{
    QTextEdit::focusOutEvent(event);
    // Opening a menu or switching to another program does not leave the board.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        emit focusLeft();
}
