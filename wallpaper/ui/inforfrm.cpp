#include "wallpaper/ui/inforfrm.h"

#include "wallpaper/uglobal.h"
#include "widgets/chinesefonts.h"
#include "widgets/guard.h"
#include "widgets/panels.h"
#include "widgets/picturecontrol.h"
#include "widgets/xpbutton.h"
#include "widgets/xpcheckbox.h"

#include <QLabel>

namespace {

TXPButton *button(QWidget *parent, const QString &caption, QPoint place)
{
    auto *result = new TXPButton(parent);
    result->setCaption(caption);
    result->move(place);
    return result;
}

} // namespace

TInforFrm::TInforFrm(QWidget *parent)
    : BorderlessDialog(parent, QSize(344, 156))
    , shpBG(new FilledPanel(this, Qt::white, QColor(216, 227, 243)))
    , imgques(new TImage(this, QStringLiteral(":/images/infor_question.png")))
    , lblInfo(new QLabel(QStringLiteral("您确定要更换壁纸？"), this))
    , chkSetBgInfo(new TXPCheckbox(this))
    , btnok(button(this, QStringLiteral("确  定"), QPoint(176, 120)))
    , btncancel(button(this, QStringLiteral("取  消"), QPoint(256, 120)))
    , btnClose(button(this, QStringLiteral("X"), QPoint(321, 1)))
    , m_focusOnShow(btnok)
{
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    shpBG->setGeometry(rect());
    dragBy(shpBG);
    imgques->move(32, 24);

    lblInfo->setFont(ChineseFonts::font(QStringLiteral("宋体"), 14, true));
    lblInfo->move(112, 40);
    lblInfo->adjustSize();

    chkSetBgInfo->setCaption(QStringLiteral("下次不再提示"));
    chkSetBgInfo->setGeometry(120, 88, 97, 17);

    btnClose->resize(20, 18);
    btnClose->setFont(ChineseFonts::font(QStringLiteral("Arial"), 12, true));

    setTabOrder(btnok, btncancel);
    setTabOrder(btncancel, btnClose);
    setTabOrder(btnClose, chkSetBgInfo);

    connect(btnok, &TXPButton::clicked, this, [this] { guarded(this, [this] { btnokClick(); }); });
    connect(btncancel, &TXPButton::clicked, this, &TInforFrm::btncancelClick);
    connect(btnClose, &TXPButton::clicked, this, &TInforFrm::btnCloseClick);
}

void TInforFrm::showEvent(QShowEvent *event)
{
    BorderlessDialog::showEvent(event);
    if (m_focusOnShow)
        m_focusOnShow->setFocus(Qt::OtherFocusReason);
}

void TInforFrm::hideEvent(QHideEvent *event)
{
    if (QWidget *focused = focusWidget())
        m_focusOnShow = focused;
    BorderlessDialog::hideEvent(event);
}

void TInforFrm::btnokClick()
{
    uGlobal::SetBgAnswer = 1;
    if (chkSetBgInfo->Checked()) {
        uGlobal::AskBeforeSetBg = false;
        // A failed write reaches the error box and keeps the box open, so
        // the user can try again or cancel.
        uGlobal::writeDoNotAsk(uGlobal::ConfigSetBgPath);
    }
    close();
}

void TInforFrm::btncancelClick()
{
    uGlobal::SetBgAnswer = 0;
    close();
}

void TInforFrm::btnCloseClick()
{
    uGlobal::SetBgAnswer = 0;
    close();
}
