#pragma once

#include "memo/core/siteaddress.h"
#include "memo/webenginemodule.h"

#include <QCoreApplication>

// Configures a web site at a closed port of this machine, so the web panel,
// help and feedback go through the browser engine without ever reaching out
// to the network. The engine's module is the one of the build.
inline void useLocalWebSite()
{
    Site::rootOverride() = QStringLiteral("https://127.0.0.1:9");
    WebEngineModule::location() = QStringLiteral(PAXELO_WEB_MODULE);
}

// The browser engine shares OpenGL contexts with the windows; that must be
// settled before the application object is made, as the program does in main().
inline const bool kSharedContextsForTheEngine = [] {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return true;
}();
