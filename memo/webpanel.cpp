#include "memo/webpanel.h"

#include "memo/siteaddress.h"
#include "platform/processuser.h"

#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// The engine refuses to start under the superuser while its sandbox is on,
// and takes the whole program down with it. Every browser of the program is
// made here, so this runs before the engine starts, in the program and in
// tests alike.
void turnSandboxOffForRoot()
{
    if (runsAsSuperuser())
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

} // namespace

namespace WebPanel {

QWebEngineView *createBrowser(QWidget *panel)
{
    turnSandboxOffForRoot();
    auto *browser = new QWebEngineView(panel);
    browser->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    return browser;
}

void openPage(QWebEngineView *browser)
{
    browser->load(QUrl(QStringLiteral("about:blank")));
    browser->load(Site::page(Site::kWebPanelPage));
}

} // namespace WebPanel
