#include "platform/processuser.h"

// The web engine's sandbox works for administrators on Windows.
bool runsAsSuperuser()
{
    return false;
}

// Windows has no file-size limit that ends a process.
void keepRunningPastFileSizeLimit()
{
}

// A local socket is a named pipe of the user's session, which the server
// opens for its own user only.
QString privateSocketName(const QString &name)
{
    return name;
}
