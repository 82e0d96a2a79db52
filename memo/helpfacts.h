#pragma once

#include "site/builtinsite.h"

// What the help pages say about the running program: its data folder,
// portable or per user, and the picture formats the add accepts.
namespace HelpFacts {

BuiltInSite::Facts current();

} // namespace HelpFacts
