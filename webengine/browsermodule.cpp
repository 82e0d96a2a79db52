#include "webengine/browsermodule.h"

#include <QWebEngineSettings>
#include <QWebEngineView>

extern "C" Q_DECL_EXPORT QWidget *paxeloCreateBrowser(QWidget *parent)
{
    auto *browser = new QWebEngineView(parent);
    browser->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    return browser;
}
