#pragma once

#include "memo/siteaddress.h"

// Points the program's web pages at a closed port of this machine, so tests
// that show the memo window never reach out to the network.
inline void useLocalWebSite()
{
    Site::root() = QStringLiteral("https://127.0.0.1:9");
}
