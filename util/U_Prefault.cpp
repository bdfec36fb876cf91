// Asking the system for a fresh buffer's pages in one call.
#include "U_Prefault.h"

#include <cstdint>
#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

void prefaultForWriting(void* start, std::size_t size)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    // Below this, the few pages cost less than the call.
    constexpr std::size_t kWorthIt = 64 * 1024;
    if (size < kWorthIt)
        return;
    // Only the pages wholly inside the buffer: the ones it shares with its neighbours are theirs.
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t first = (begin + page - 1) / page * page;
    const std::uintptr_t end = (begin + size) / page * page;
    if (end > first)
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
    (void)start;
    (void)size;
#endif
}
