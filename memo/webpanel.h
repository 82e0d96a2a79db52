#pragma once

#include <QDate>

class QUrl;
class QWidget;

// The view of the web panel, a window onto one page.
namespace WebPanel {

// The program's own page for `today` in a light rich-text view that fills
// `panel`: no browser engine is loaded.
QWidget *showBuiltInPage(QWidget *panel, QDate today);

// The configured site's page in the engine's browser. The browser is far
// larger than its panel, which shows only the part away from the browser's
// borders and scroll bars. Loading runs in the background; a page that cannot
// be had is never reported. nullptr when the engine's module cannot be
// loaded.
QWidget *showSitePage(QWidget *panel, const QUrl &page);

// In place of the site's page when the engine's module is missing: says so
// in the panel, and on the terminal for whoever started the program there.
QWidget *showMissingModule(QWidget *panel, const QString &siteRoot);

} // namespace WebPanel
