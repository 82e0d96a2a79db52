#pragma once

class QWidget;

// The one entry of the browser engine's module: makes a browser inside
// `parent`, with the engine's error page off, so a page that cannot be had
// leaves the browser blank, and without the boxes of the page's script
// (alert, confirm, prompt). The browser's "url" property navigates it.
namespace BrowserModule {

inline constexpr char kFileName[] = "paxelo-memo-web";
inline constexpr char kCreateBrowser[] = "paxeloCreateBrowser";
using CreateBrowser = QWidget *(*)(QWidget *parent);

} // namespace BrowserModule
