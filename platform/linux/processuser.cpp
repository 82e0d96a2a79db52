#include "platform/processuser.h"

#include <unistd.h>

bool runsAsSuperuser()
{
    return geteuid() == 0;
}
