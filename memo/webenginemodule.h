#pragma once

#include <QString>

class QWidget;

// The browser engine lives in a module of its own (webengine/), loaded the
// first time a browser is asked for, so that a start without a configured web
// site never maps the engine.
namespace WebEngineModule {

// The module's file, without the platform's prefix and suffix: beside the
// executable unless set (tests load the one in the build).
QString &location();

// A browser of the engine inside `parent`, or nullptr when the module cannot
// be loaded.
QWidget *createBrowser(QWidget *parent);

} // namespace WebEngineModule
