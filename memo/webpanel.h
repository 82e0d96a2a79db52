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
// be had is never reported, and neither is a module that cannot be loaded
// (nullptr: the panel stays blank).
QWidget *showSitePage(QWidget *panel, const QUrl &page);

} // namespace WebPanel
