#pragma once

#include <QTextEdit>

class QTextDocumentFragment;

// The board's rich edit. Pasting keeps only what the memo store keeps (text,
// font, size, colour, bold, italic, underline, strike-out): pictures, tables
// and links from other programs arrive as their text, so nothing shown on the
// board is lost at the next load. A long paragraph is shown in pieces
// (richtext/paragraphpieces.h); keys and copies treat it as one paragraph.
class BoardEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit BoardEdit(QWidget *parent = nullptr);

    // Shows `page` (the board takes it over) with the caret at its start, in
    // the format of its first character; on an empty page, in the board's
    // default format.
    void showPage(QTextDocument *page);

    // What a paste of `source` inserts.
    static QTextDocumentFragment storableFragment(const QMimeData *source);

signals:
    // The input focus moved to another control of the window.
    void focusLeft();

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool editedAcrossPieces(QKeyEvent *event);
};
