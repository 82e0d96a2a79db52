#include "platform/processuser.h"

// The web engine's sandbox works for administrators on Windows.
bool runsAsSuperuser()
{
    return false;
}
