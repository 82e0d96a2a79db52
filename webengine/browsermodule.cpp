#include "webengine/browsermodule.h"

#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// The panel shows the site's page beside the board, which keeps the keyboard:
// the page's script opens no boxes, so a looping alert() cannot take it.
// Alerts are dropped, a confirm is refused, a prompt is cancelled.
class PanelPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    void javaScriptAlert(const QUrl &, const QString &) override {}
    bool javaScriptConfirm(const QUrl &, const QString &) override { return false; }
    bool javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *) override { return false; }
};

} // namespace

extern "C" Q_DECL_EXPORT QWidget *paxeloCreateBrowser(QWidget *parent)
{
    auto *browser = new QWebEngineView(parent);
    browser->setPage(new PanelPage(browser));
    browser->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    return browser;
}
