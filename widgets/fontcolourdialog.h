#pragma once

#include "widgets/dialogs.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

// The font dialog, titled "字体": face, style, size, strike-out, underline
// and colour, with a sample. It opens on the format of the text it is about;
// an attribute that text has in several values shows blank (no face, style
// or colour chosen, no size, a half-ticked effect) until the user picks one,
// and only what shows comes back as chosen.
class FontColourDialog : public QDialog {
    Q_OBJECT
public:
    FontColourDialog(QWidget *parent, const FontChoice &shown);

    // What the dialog shows now.
    FontChoice chosen() const;

    QListWidget *faceList() const { return m_faces; }
    QListWidget *styleList() const { return m_styles; }
    QLineEdit *sizeEdit() const { return m_size; }
    QListWidget *sizeList() const { return m_sizes; }
    QCheckBox *strikeOutBox() const { return m_strikeOut; }
    QCheckBox *underlineBox() const { return m_underline; }
    QComboBox *colourList() const { return m_colours; }

private:
    void fillLists(const FontChoice &shown);
    void showEffect(QCheckBox *box, bool determined, bool on);
    void showSample();

    FontChoice m_opened;
    QLineEdit *m_face;
    QListWidget *m_faces;
    QLineEdit *m_style;
    QListWidget *m_styles;
    QLineEdit *m_size;
    QListWidget *m_sizes;
    QCheckBox *m_strikeOut;
    QCheckBox *m_underline;
    QComboBox *m_colours;
    QLabel *m_sample;
};
