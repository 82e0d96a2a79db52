#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QComboBox;
class QFontDialog;

// Qt's font dialog with a colour list below it, as one dialog titled "字体":
// the text's font and colour are chosen together.
class FontColourDialog : public QDialog {
    Q_OBJECT
public:
    FontColourDialog(QWidget *parent, const QFont &font, const QColor &colour);

    QFont selectedFont() const;
    QColor selectedColour() const;

    QFontDialog *fontPart() const { return m_font; }
    QComboBox *colourList() const { return m_colours; }

private:
    QFontDialog *m_font;
    QComboBox *m_colours;
};
