#pragma once

class QWebEngineView;
class QWidget;

// The browser of the web panel, a window onto one page of the program's
// web site.
namespace WebPanel {

// Makes the browser inside `panel`. A failed page leaves the browser blank
// instead of showing the engine's error page.
QWebEngineView *createBrowser(QWidget *panel);

// Clears the browser, then asks for the panel's page. Loading runs in the
// background; a page that cannot be had is never reported.
void openPage(QWebEngineView *browser);

} // namespace WebPanel
