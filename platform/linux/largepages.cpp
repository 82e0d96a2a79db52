#include "platform/largepages.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

void adviseLargePages(void *begin, std::size_t bytes)
{
    // The advice takes whole pages: those wholly inside the buffer. The
    // kernel then uses a large page for every aligned stretch of them.
    const auto page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const auto start = (std::uintptr_t(begin) + page - 1) & ~(page - 1);
    const auto end = (std::uintptr_t(begin) + bytes) & ~(page - 1);
    if (end > start)
        ::madvise(reinterpret_cast<void *>(start), end - start, MADV_HUGEPAGE);
}
