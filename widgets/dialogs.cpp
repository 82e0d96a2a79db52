#include "widgets/dialogs.h"

#include "widgets/chinesefonts.h"
#include "widgets/fontcolourdialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QSplitter>
#include <QTreeView>

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

// Keeps a dialog, buttons included, on a small screen even where no window
// manager places it.
void fitOnScreen(QDialog &dialog, QWidget *parent, QSize extra = QSize(0, 0))
{
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Room for a window manager's frame and title bar.
    const QSize room = screen->availableGeometry().size() - QSize(16, 48);
    dialog.resize((dialog.sizeHint().expandedTo(dialog.minimumSizeHint()) + extra).boundedTo(room));
}

// The open dialog's preview: the picture under the cursor, scaled down to fit.
class PicturePreview : public QLabel {
public:
    explicit PicturePreview(QWidget *parent)
        : QLabel(parent)
    {
        setMinimumWidth(180);
        setAlignment(Qt::AlignCenter);
        setFrameShape(QFrame::StyledPanel);
    }

    void showPicture(const QString &path)
    {
        QImageReader reader(path);
        const QSize full = reader.size();
        const QSize room = contentsRect().size();
        // Readers that can decode at a smaller size (JPEG) then never hold
        // the whole picture.
        if (full.isValid() && (full.width() > room.width() || full.height() > room.height()))
            reader.setScaledSize(full.scaled(room, Qt::KeepAspectRatio));
        const QImage picture = reader.read();
        if (picture.isNull())
            clear();
        else
            setPixmap(QPixmap::fromImage(picture));
    }
};

// The patterns in the last parentheses of a filter caption, which may be
// separated by ';', ',' or blanks: "All(*.bmp;*.ico,*.Jpg;)" gives *.bmp,
// *.ico and *.Jpg.
QStringList filterPatterns(const QString &caption)
{
    const qsizetype open = caption.lastIndexOf(QLatin1Char('('));
    const qsizetype close = caption.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open)
        return {};
    static const QRegularExpression separators(QStringLiteral("[;, ]"));
    return caption.mid(open + 1, close - open - 1).split(separators, Qt::SkipEmptyParts);
}

// Where the open dialog for pictures starts: the user's pictures folder
// (XDG_PICTURES_DIR), later the folder of the last pictures chosen, for as
// long as the program runs.
QString &lastPictureFolder()
{
    static QString folder = [] {
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
    }();
    return folder;
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
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QStringLiteral("颜色"));
    fitOnScreen(dialog, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

std::optional<FontChoice> WidgetDialogs::font(QWidget *parent, const FontChoice &initial)
{
    const QString designFace = initial.font.family();
    const QString shownFace = ChineseFonts::installedFace(designFace);
    FontChoice shown = initial;
    shown.font.setFamilies({shownFace});
    FontColourDialog dialog(parent, shown);
    fitOnScreen(dialog, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    FontChoice chosen = dialog.chosen();
    if (chosen.font.family() == shownFace)
        chosen.font.setFamilies({designFace});
    return chosen;
}

QStringList WidgetDialogs::openPictures(QWidget *parent, const QString &filterCaption)
{
    QFileDialog dialog(parent, QStringLiteral("打开"), lastPictureFolder());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    // The dialog reads only blank-separated patterns, so the caption alone
    // would list nothing. It shows the caption as given and filters by the
    // patterns the caption names, which it matches in any letter case.
    const QStringList patterns = filterPatterns(filterCaption);
    dialog.setOption(QFileDialog::HideNameFilterDetails, !patterns.isEmpty());
    dialog.setNameFilter(patterns.isEmpty() ? filterCaption
                                            : filterCaption + QStringLiteral(" (") + patterns.join(QLatin1Char(' '))
                             + QLatin1Char(')'));

    // Beside the file list, in the splitter that holds it.
    QSize previewRoom(0, 0);
    if (auto *splitter = dialog.findChild<QSplitter *>()) {
        auto *preview = new PicturePreview(splitter);
        splitter->addWidget(preview);
        splitter->setStretchFactor(1, 1);
        previewRoom.setWidth(preview->minimumWidth());
        QObject::connect(&dialog, &QFileDialog::currentChanged, preview, &PicturePreview::showPicture);
    }
    // The detailed list's name column gives way, so size, type and date show whole.
    if (auto *details = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        QHeaderView *header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    fitOnScreen(dialog, parent, previewRoom);

    if (dialog.exec() != QDialog::Accepted)
        return {};
    lastPictureFolder() = dialog.directory().absolutePath();
    return dialog.selectedFiles();
}

QString WidgetDialogs::saveFileName(QWidget *parent, const QString &title, const QString &proposedName,
                                    const QString &filter)
{
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(proposedName);
    fitOnScreen(dialog, parent);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}
