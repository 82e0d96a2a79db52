#include "platform/processuser.h"

// The web engine's sandbox works for administrators on Windows.
bool runsAsSuperuser()
{
    return false;
}

// A local socket is a named pipe of the user's session, which the server
// opens for its own user only.
QString privateSocketName(const QString &name)
{
    return name;
}
