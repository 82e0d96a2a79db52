// The date header, the header pictures and the board's editing commands.
#include "memo/mainfrm.h"

#include "memo/boardcommands.h"
#include "memo/boardedit.h"
#include "memo/core/dateheader.h"
#include "memo/core/textexport.h"
#include "richtext/paragraphpieces.h"
#include "widgets/anchoring.h"
#include "widgets/chinesefonts.h"
#include "widgets/dialogs.h"
#include "widgets/guard.h"
#include "widgets/picturecontrol.h"

#include <QLabel>
#include <QMenu>
#include <QPixmap>

namespace {

const QColor kMaroon(128, 0, 0);
const QColor kMarkBlue(0, 0, 255);
const QColor kMarkRed(255, 0, 0);
const QColor kMarkMagenta(255, 0, 255);

TImage *headerPicture(QWidget *parent, const QString &resource, const QString &hint)
{
    auto *picture = new TImage(parent, resource);
    picture->setToolTip(hint);
    picture->setCursor(Qt::PointingHandCursor);
    return picture;
}

QIcon swatch(const QColor &colour)
{
    QPixmap square(16, 16);
    square.fill(colour);
    return QIcon(square);
}

} // namespace

void TMainFrm::addMenuItem(QMenu *menu, const QString &caption, void (TMainFrm::*handler)(), const QIcon &icon)
{
    QAction *item = menu->addAction(icon, caption);
    connect(item, &QAction::triggered, this, [this, handler] { guarded(this, [this, handler] { (this->*handler)(); }); });
}

void TMainFrm::createHeader()
{
    lblDateTime = new QLabel(this);
    lblDateTime->setFont(ChineseFonts::font(QStringLiteral("微软雅黑"), 12, true));
    QPalette maroon = lblDateTime->palette();
    maroon.setColor(QPalette::WindowText, kMaroon);
    lblDateTime->setPalette(maroon);

    imgFont = headerPicture(this, QStringLiteral(":/images/main_font.png"), QStringLiteral("字体大小颜色"));
    m_anchoring->add(imgFont, QRect(328, 48, 20, 17));
    imgDate = headerPicture(this, QStringLiteral(":/images/main_date.png"), QStringLiteral("插入日期"));
    m_anchoring->add(imgDate, QRect(352, 49, 44, 15));
    imgRedColor = headerPicture(this, QStringLiteral(":/images/main_redcolor.png"), QStringLiteral("字体颜色"));
    m_anchoring->add(imgRedColor, QRect(398, 52, 20, 11));
    connect(imgFont, &TImage::clicked, this, [this] { guarded(this, [this] { imgFontClick(); }); });
    connect(imgDate, &TImage::clicked, this, [this] { guarded(this, [this] { imgDateClick(); }); });
    connect(imgRedColor, &TImage::clicked, this, [this] { guarded(this, [this] { imgRedColorClick(); }); });
}

void TMainFrm::createEditingMenu()
{
    pmDeskTopMonCal = new QMenu(this);
    addMenuItem(pmDeskTopMonCal, QStringLiteral("复制"), &TMainFrm::copySelection);
    addMenuItem(pmDeskTopMonCal, QStringLiteral("粘贴"), &TMainFrm::pasteClipboard);
    addMenuItem(pmDeskTopMonCal, QStringLiteral("删除"), &TMainFrm::deleteSelection);
    addMenuItem(pmDeskTopMonCal, QStringLiteral("剪切"), &TMainFrm::cutSelection);
    pmDeskTopMonCal->addSeparator();
    addMenuItem(pmDeskTopMonCal, QStringLiteral("打V"), &TMainFrm::insertTick);
    addMenuItem(pmDeskTopMonCal, QStringLiteral("打X"), &TMainFrm::insertCross);
    pmDeskTopMonCal->addSeparator();
    addMenuItem(pmDeskTopMonCal, QStringLiteral("撤销(Ctrl+Z)"), &TMainFrm::undoEdit);
    QMenu *marks = pmDeskTopMonCal->addMenu(QStringLiteral("添加标注"));
    addMenuItem(marks, QStringLiteral("1"), &TMainFrm::insertBlueMark, swatch(kMarkBlue));
    addMenuItem(marks, QStringLiteral("2"), &TMainFrm::insertRedMark, swatch(kMarkRed));
    addMenuItem(marks, QStringLiteral("3"), &TMainFrm::insertMagentaMark, swatch(kMarkMagenta));

    rdtAbc->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(rdtAbc, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { pmDeskTopMonCal->popup(rdtAbc->viewport()->mapToGlobal(at)); });
}

void TMainFrm::showDateHeader()
{
    lblDateTime->setText(DateHeader::headerText(Clock::instance().today()));
    // The label fits its text, like the header's other labels.
    const QRect design(QPoint(343, 19), lblDateTime->sizeHint());
    lblDateTime->setGeometry(design);
    m_anchoring->add(lblDateTime, design);
}

void TMainFrm::imgDateClick()
{
    BoardCommands::replaceSelectionForGood(*rdtAbc, DateHeader::stamp(Clock::instance().today()));
}

void TMainFrm::copySelection()
{
    rdtAbc->copy();
}

void TMainFrm::pasteClipboard()
{
    rdtAbc->paste();
}

void TMainFrm::deleteSelection()
{
    if (rdtAbc->isReadOnly())
        return;
    rdtAbc->textCursor().removeSelectedText();
}

void TMainFrm::cutSelection()
{
    rdtAbc->cut();
}

void TMainFrm::insertTick()
{
    BoardCommands::replaceSelectionForGood(*rdtAbc, QStringLiteral("√"));
}

void TMainFrm::insertCross()
{
    BoardCommands::replaceSelectionForGood(*rdtAbc, QStringLiteral("×"));
}

void TMainFrm::undoEdit()
{
    if (rdtAbc->isReadOnly())
        return;
    rdtAbc->undo();
}

void TMainFrm::insertBlueMark()
{
    BoardCommands::insertMark(*rdtAbc, kMarkBlue);
}

void TMainFrm::insertRedMark()
{
    BoardCommands::insertMark(*rdtAbc, kMarkRed);
}

void TMainFrm::insertMagentaMark()
{
    BoardCommands::insertMark(*rdtAbc, kMarkMagenta);
}

void TMainFrm::imgRedColorClick()
{
    // The window's focus control, which the click on a picture leaves alone.
    if (focusWidget() != rdtAbc)
        return;
    const std::optional<QColor> chosen = Dialogs::instance().color(this, m_lastTextColour);
    if (!chosen)
        return;
    m_lastTextColour = *chosen;
    BoardCommands::setSelectionColour(*rdtAbc, *chosen);
}

void TMainFrm::imgFontClick()
{
    // The dialog opens on what the text looks like, as word processors do.
    const FontChoice shown = BoardCommands::selectionFont(*rdtAbc);
    const std::optional<FontChoice> chosen = Dialogs::instance().font(this, shown);
    if (!chosen)
        return;
    BoardCommands::applyFontChoice(*rdtAbc, shown, *chosen);
}

void TMainFrm::N_OutPutConClick()
{
    const QString text = ParagraphPieces::plainText(*rdtAbc->document());
    const QString chosen = Dialogs::instance().saveFileName(this, QStringLiteral("内容导出"),
                                                           TextExport::proposedName(CurrentPage),
                                                           QString::fromUtf16(TextExport::kFilter));
    if (chosen.isEmpty())
        return;
    TextExport::write(chosen, text);
}
