// The settings menu, the help pages and the web panel.
#include "memo/mainfrm.h"

#include "memo/browserclickfilter.h"
#include "memo/core/dateheader.h"
#include "memo/pageopener.h"
#include "memo/core/siteaddress.h"
#include "memo/webpanel.h"
#include "site/sitepaths.h"
#include "widgets/anchoring.h"
#include "widgets/chinesefonts.h"
#include "widgets/panels.h"
#include "widgets/picturecontrol.h"
#include "widgets/popupmenu.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>

void TMainFrm::createSettingsMenu()
{
    lblSet = new TImage(this);
    lblSet->setText(QStringLiteral("|  选项"));
    lblSet->setFont(ChineseFonts::font(QStringLiteral("宋体"), 12));
    lblSet->setCursor(Qt::PointingHandCursor);
    const QRect design(QPoint(474, 51), lblSet->sizeHint());
    lblSet->setGeometry(design);
    m_anchoring->add(lblSet, design, Anchoring::Top | Anchoring::Right);
    connect(lblSet, &TImage::clicked, this, [this] { lblSetClick(); });

    popSysset = new QMenu(this);
    addMenuItem(popSysset, QStringLiteral("内容导出"), &TMainFrm::N_OutPutConClick);
    addMenuItem(popSysset, QStringLiteral("帮助说明"), &TMainFrm::N_helpClick);
    addMenuItem(popSysset, QStringLiteral("意见反馈"), &TMainFrm::N_SubmitClick);
    createOptionItems(popSysset);
    popSysset->addSeparator();
    addMenuItem(popSysset, QStringLiteral("退出程序"), &TMainFrm::N_ExitPrjClick);
}

void TMainFrm::createWebPanel()
{
    pnlWeb = new FilledPanel(pnlLeft, Qt::white);
    pnlWeb->setGeometry(1, 1, 300, 250);
    m_siteRoot = Site::configuredRoot();
    m_sitePages = new PageOpener(this, m_siteRoot);

    imgAddToDesk = new TImage(pnlLeft, QStringLiteral(":/images/main_addtodesk.png"), true);
    imgAddToDesk->setGeometry(62, 264, 179, 57);
    imgAddToDesk->setCursor(Qt::PointingHandCursor);

    m_browserMenu = new QMenu(this);
    // Watches the panel, whichever view it comes to hold.
    m_browserClicks = new BrowserClickFilter(pnlWeb, m_browserMenu, this);
    qApp->installEventFilter(m_browserClicks);
}

void TMainFrm::openWebPanel()
{
    if (m_siteRoot.isEmpty()) {
        webLink = WebPanel::showBuiltInPage(pnlWeb, Clock::instance().today());
        return;
    }
    // The engine takes long to start: the window comes up first.
    QTimer::singleShot(0, this, [this] {
        webLink = WebPanel::showSitePage(pnlWeb, Site::page(m_siteRoot, SitePaths::kWebPanelPage));
        if (!webLink)
            webLink = WebPanel::showMissingModule(pnlWeb, m_siteRoot);
    });
}

void TMainFrm::lblSetClick()
{
    // After the first click the menu is the label's context menu as well.
    attachPopupMenu(lblSet, popSysset);
    popSysset->popup(lblSet->mapToGlobal(QPoint(0, lblSet->height())));
}

void TMainFrm::N_helpClick()
{
    m_sitePages->open(SitePaths::kHelpPage);
}

void TMainFrm::N_SubmitClick()
{
    m_sitePages->open(SitePaths::kFeedbackPage);
}

void TMainFrm::N_ExitPrjClick()
{
    // Ends the event loop at once: no window is closed and nothing saved,
    // unless the last save failed and the page is only on the board.
    if (!failedSaveRetried())
        return;
    QCoreApplication::exit(0);
}
