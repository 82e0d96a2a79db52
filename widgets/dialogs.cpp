#include "widgets/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace {

Dialogs *&installed()
{
    static Dialogs *dialogs = nullptr;
    return dialogs;
}

void plainBox(QWidget *parent, QMessageBox::Icon icon, const QString &text)
{
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

Dialogs &Dialogs::instance()
{
    static WidgetDialogs real;
    return installed() ? *installed() : real;
}

void Dialogs::setInstance(Dialogs *dialogs)
{
    installed() = dialogs;
}

void WidgetDialogs::message(QWidget *parent, const QString &text)
{
    plainBox(parent, QMessageBox::NoIcon, text);
}

void WidgetDialogs::error(QWidget *parent, const QString &text)
{
    plainBox(parent, QMessageBox::Critical, text);
}

std::optional<QColor> WidgetDialogs::color(QWidget *parent, const QColor &initial)
{
    QColorDialog dialog(initial, parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog, false);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

std::optional<QFont> WidgetDialogs::font(QWidget *parent, const QFont &initial)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return chosen;
}

QStringList WidgetDialogs::openPictures(QWidget *parent, const QString &filterCaption)
{
    return QFileDialog::getOpenFileNames(parent, QString(), QString(), filterCaption);
}

QString WidgetDialogs::saveFileName(QWidget *parent, const QString &proposedName, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, QString(), proposedName, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}
