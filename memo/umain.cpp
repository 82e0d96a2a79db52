#include "memo/umain.h"

namespace uMain {

bool ContentLoaded = false;

} // namespace uMain
