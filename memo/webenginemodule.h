#pragma once

#include <QString>

class QWidget;

// The browser engine lives in a module of its own (webengine/), loaded the
// first time a browser is asked for, so that a start without a configured web
// site never maps the engine.
namespace WebEngineModule {

// Run before the application object exists. With a configured web site the
// windows share OpenGL contexts with the engine, as it needs; without one they
// do not, since sharing makes a GL context at once, which costs a plain start
// much of its time and memory.
void prepareApplication(int &argc, char **argv);

// The module's file, without the platform's prefix and suffix, when set
// (tests load the one in the build); otherwise the module is looked for
// beside the executable, then in the installed program's private library
// folder (lib/<architecture>/paxelo-memo/).
QString &location();

// The package that installs the module beside an installed program.
inline constexpr char kPackage[] = "paxelo-memo-web";

// What the user is told when a site is configured but the module cannot be
// loaded: which site, and which package brings the module.
QString missingModuleMessage(const QString &siteRoot);

// A browser of the engine inside `parent`, or nullptr when the module cannot
// be loaded.
QWidget *createBrowser(QWidget *parent);

} // namespace WebEngineModule
