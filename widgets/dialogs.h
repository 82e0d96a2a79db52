#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// What the font dialog shows and chooses: the font and, beside it, the text
// colour. An attribute left out of `determined` has several values in the
// text the dialog opened on: the dialog shows it blank, and it comes back
// left out unless the user chose a value for it.
struct FontChoice {
    enum Attribute {
        Face = 0x01,
        Size = 0x02,
        Colour = 0x04,
        Bold = 0x08,
        Italic = 0x10,
        Underline = 0x20,
        StrikeOut = 0x40,
        All = 0x7f,
    };
    Q_DECLARE_FLAGS(Attributes, Attribute)

    QFont font;
    QColor colour;
    Attributes determined = All;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(FontChoice::Attributes)

// Every message box and common dialog the program shows goes through this
// one interface, so that tests can script the answers. The real dialogs are
// Qt's own, never the platform's: those ignore the program's font mapping
// and its Chinese translation.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A plain message box with an OK button and the application title as caption.
    virtual void message(QWidget *parent, const QString &text) = 0;
    // The error box for a failure that ended a handler.
    virtual void error(QWidget *parent, const QString &text) = 0;
    // The colour dialog with its custom colours shown; nullopt on cancel.
    virtual std::optional<QColor> color(QWidget *parent, const QColor &initial) = 0;
    // The font dialog with a colour choice, opened on `initial`; nullopt on
    // cancel. A face the program maps to an installed one (ChineseFonts) is
    // shown as the installed face and comes back under its own name unless
    // another face was chosen.
    virtual std::optional<FontChoice> font(QWidget *parent, const FontChoice &initial) = 0;
    // The open dialog for pictures, multiple selection, with a preview. It
    // starts in the user's pictures folder, then in the folder of the last
    // pictures chosen while the program runs.
    virtual QStringList openPictures(QWidget *parent, const QString &filterCaption) = 0;
    // The save dialog titled `title`; an empty string on cancel.
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &proposedName,
                                 const QString &filter) = 0;

    // The dialogs in use: the real ones unless a test installed others.
    static Dialogs &instance();
    // Installs `dialogs` (not owned); nullptr restores the real ones.
    static void setInstance(Dialogs *dialogs);
};

// The real dialogs on Qt Widgets.
class WidgetDialogs : public Dialogs {
public:
    void message(QWidget *parent, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
    std::optional<QColor> color(QWidget *parent, const QColor &initial) override;
    std::optional<FontChoice> font(QWidget *parent, const FontChoice &initial) override;
    QStringList openPictures(QWidget *parent, const QString &filterCaption) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &proposedName,
                         const QString &filter) override;
};
