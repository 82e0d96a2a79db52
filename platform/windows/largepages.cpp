#include "platform/largepages.h"

// Large pages on Windows need a privilege that ordinary users do not hold,
// and memory allocated as such from the start: the buffer stays as it is.
void adviseLargePages(void *, std::size_t)
{
}
