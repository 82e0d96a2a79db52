#include "wallpaper/ui/picselfrm.h"

#include "wallpaper/piclistfile.h"
#include "wallpaper/pictureformats.h"
#include "wallpaper/pictureimport.h"
#include "widgets/chinesefonts.h"
#include "widgets/chromebutton.h"
#include "widgets/dialogs.h"
#include "widgets/guard.h"
#include "widgets/panels.h"
#include "widgets/picturecontrol.h"
#include "widgets/xpbutton.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace {

const QColor kBackground(216, 227, 243);

TXPButton *button(QWidget *parent, const QString &caption, QPoint place)
{
    auto *result = new TXPButton(parent);
    result->setCaption(caption);
    result->move(place);
    return result;
}

// Shows "（默认）" after every row that names the default picture. The rows
// themselves hold the bare names the list file gets.
class DefaultRowMark : public QStyledItemDelegate {
public:
    DefaultRowMark(const QString &defaultPic, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_defaultPic(defaultPic)
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!m_defaultPic.isEmpty() && index.data().toString() == m_defaultPic)
            option->text += QStringLiteral("（默认）");
    }

private:
    const QString &m_defaultPic;
};

QTreeWidget *pictureList(QWidget *parent)
{
    auto *list = new QTreeWidget(parent);
    list->setGeometry(9, 56, 319, 160);
    list->setColumnCount(1);
    list->setHeaderLabels({QStringLiteral("默认图片")});
    list->setHeaderHidden(true);
    list->header()->setStretchLastSection(false);
    list->setColumnWidth(0, 300);
    list->setRootIsDecorated(false);
    list->setIndentation(0);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setFrameShape(QFrame::NoFrame);
    list->setFont(ChineseFonts::font(QStringLiteral("宋体"), 12));
    return list;
}

// The two runs of blanks make the wrapped label break there into three
// lines; the formats' line may wrap at its blanks.
QString hintText()
{
    const QString blanks(28, QLatin1Char(' '));
    return QStringLiteral("注：可添加多个壁纸大 小1024*768以上") + blanks + QStringLiteral("图像格式：") + blanks
        + PictureFormats::captions(QStringLiteral(", "));
}

} // namespace

TPicSelFrm::TPicSelFrm(QWidget *parent)
    : BorderlessDialog(parent, QSize(524, 286))
    , imgBG(new TImage(this, QStringLiteral(":/images/main_bg.png"), true))
    , imgLogo(new TImage(this, QStringLiteral(":/images/picsel_logo.png")))
    , imgClose(new ChromeButton(this, QStringLiteral(":/images/picsel_close"), QRect(484, 0, 39, 20),
                                QRect(484, 0, 39, 20)))
    , listFrame(new FilledPanel(this, Qt::white, QColor(64, 128, 128)))
    , LVpic(pictureList(this))
    , lblHint(new QLabel(hintText(), this))
    , btnRemove(button(this, QStringLiteral("移  除"), QPoint(12, 240)))
    , btnAdd(button(this, QStringLiteral("添  加"), QPoint(108, 240)))
    , btnOk(button(this, QStringLiteral("确  定"), QPoint(209, 240)))
{
    setWindowTitle(QStringLiteral("背景图片选择"));
    // The buttons' corners show the window's colour: the background's blue.
    QPalette blue = palette();
    blue.setColor(QPalette::Window, kBackground);
    setPalette(blue);

    imgBG->setGeometry(rect());
    dragBy(imgBG);
    connect(imgBG, &TImage::mouseMoved, imgClose, [this] { imgClose->setState(ChromeButton::Normal); });
    imgLogo->move(5, 1);
    imgClose->setReleaseRestores(true);
    connect(imgClose, &ChromeButton::clicked, this, &QWidget::close);

    listFrame->setGeometry(8, 55, 321, 162);

    lblHint->setGeometry(352, 64, 161, 153);
    lblHint->setWordWrap(true);
    lblHint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblHint->setFont(ChineseFonts::font(QStringLiteral("幼圆"), 15));

    LVpic->setItemDelegate(new DefaultRowMark(DefaultPic, LVpic));

    setTabOrder(btnRemove, btnAdd);
    setTabOrder(btnAdd, btnOk);
    setTabOrder(btnOk, LVpic);
    btnRemove->setFocus(Qt::OtherFocusReason);

    connect(btnAdd, &TXPButton::clicked, this, [this] { guarded(this, [this] { btnAddClick(); }); });
    connect(btnRemove, &TXPButton::clicked, this, [this] { guarded(this, [this] { btnRemoveClick(); }); });
    connect(btnOk, &TXPButton::clicked, this, &TPicSelFrm::btnOkClick);
}

void TPicSelFrm::showEvent(QShowEvent *event)
{
    BorderlessDialog::showEvent(event);
    if (!event->spontaneous())
        guarded(this, [this] { FillPicList(); });
}

void TPicSelFrm::FillPicList()
{
    const PicListFile::WindowList list = PicListFile::FillPicList();
    if (list.defaultPic)
        DefaultPic = *list.defaultPic;
    if (list.rows)
        setRows(*list.rows);
}

QStringList TPicSelFrm::rows() const
{
    QStringList result;
    for (int i = 0; i < LVpic->topLevelItemCount(); ++i)
        result.append(LVpic->topLevelItem(i)->text(0));
    return result;
}

void TPicSelFrm::setRows(const QStringList &rows)
{
    LVpic->clear();
    for (const QString &row : rows)
        new QTreeWidgetItem(LVpic, {row});
}

QTreeWidgetItem *TPicSelFrm::firstSelectedRow() const
{
    for (int i = 0; i < LVpic->topLevelItemCount(); ++i)
        if (LVpic->topLevelItem(i)->isSelected())
            return LVpic->topLevelItem(i);
    return nullptr;
}

void TPicSelFrm::btnAddClick()
{
    const QStringList chosen = Dialogs::instance().openPictures(this, PictureFormats::dialogFilter());
    // One file that is not added does not stop the others; all of them are
    // told in one message at the end.
    QStringList notAdded;
    for (const QString &file : chosen) {
        try {
            addPicture(file);
        } catch (const std::exception &e) {
            notAdded.append(QStringLiteral("%1：%2").arg(QFileInfo(file).fileName(), QString::fromUtf8(e.what())));
        }
    }
    if (!notAdded.isEmpty())
        Dialogs::instance().error(this, QStringLiteral("以下文件没有添加：\n") + notAdded.join(QLatin1Char('\n')));
}

// Each command writes the list file first and changes the window only once
// the file holds the change: a file that cannot be written (a full disk) is
// reported and the window still shows what the file holds.
void TPicSelFrm::addPicture(const QString &file)
{
    const PictureImport::Imported picture = PictureImport::importPicture(file);
    try {
        PicListFile::SavePicListFile(DefaultPic, rows() << picture.row);
    } catch (...) {
        // The picture folder stays as it was: nothing unlisted comes in and
        // a picture of the same name keeps its bytes.
        PictureImport::withdraw(picture);
        throw;
    }
    new QTreeWidgetItem(LVpic, {picture.row});
    PictureImport::place(picture);
}

void TPicSelFrm::btnRemoveClick()
{
    const QTreeWidgetItem *first = firstSelectedRow();
    if (!first)
        return;
    const QString caption = first->text(0);
    const QString defaultPic = caption == DefaultPic ? PicListFile::standardPicture() : DefaultPic;
    // The standard picture never goes, nor what was selected with it.
    const QList<QTreeWidgetItem *> going =
        caption == PicListFile::standardPicture() ? QList<QTreeWidgetItem *>() : LVpic->selectedItems();
    QStringList kept;
    for (int i = 0; i < LVpic->topLevelItemCount(); ++i)
        if (!going.contains(LVpic->topLevelItem(i)))
            kept.append(LVpic->topLevelItem(i)->text(0));
    PicListFile::SavePicListFile(defaultPic, kept);
    DefaultPic = defaultPic;
    qDeleteAll(going);
    // The mark follows the default to the standard picture.
    LVpic->viewport()->update();
}

void TPicSelFrm::btnOkClick()
{
    guarded(this, [this] {
        const QTreeWidgetItem *first = firstSelectedRow();
        if (!first || first->text(0) == DefaultPic)
            return;
        PicListFile::SavePicListFile(first->text(0), rows());
        DefaultPic = first->text(0);
    });
    close();
}
