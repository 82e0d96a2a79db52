#include "memo/webpanel.h"

#include "memo/webenginemodule.h"
#include "site/panelpage.h"

#include <QTextBrowser>
#include <QUrl>

#include <cstdio>

namespace WebPanel {

namespace {

QTextBrowser *lightView(QWidget *panel)
{
    auto *view = new QTextBrowser(panel);
    view->setFrameShape(QFrame::NoFrame);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setGeometry(panel->rect());
    return view;
}

} // namespace

QWidget *showBuiltInPage(QWidget *panel, QDate today)
{
    QTextBrowser *view = lightView(panel);
    view->setHtml(PanelPage::html(today));
    view->show();
    return view;
}

QWidget *showMissingModule(QWidget *panel, const QString &siteRoot)
{
    const QString message = WebEngineModule::missingModuleMessage(siteRoot);
    std::fprintf(stderr, "paxelo-memo: %s\n", message.toLocal8Bit().constData());
    QTextBrowser *view = lightView(panel);
    view->setPlainText(message);
    view->show();
    return view;
}

QWidget *showSitePage(QWidget *panel, const QUrl &page)
{
    QWidget *browser = WebEngineModule::createBrowser(panel);
    if (!browser)
        return nullptr;
    browser->setGeometry(-11, -16, 2000, 841);
    browser->show();
    browser->setProperty("url", QUrl(QStringLiteral("about:blank")));
    browser->setProperty("url", page);
    return browser;
}

} // namespace WebPanel
