// Asking the system for fresh memory's pages in one call.
#include "U_Prefault.h"

#include <cerrno>
#include <cstdint>
#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
std::uintptr_t pageSize()
{
    static const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    return page;
}

// Provides the pages from first (a page boundary) to end in one call, keeping errno. False where the
// kernel cannot (before Linux 5.14).
bool provide(std::uintptr_t first, std::uintptr_t end)
{
    const int saved = errno;
    const bool unsupported =
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE) != 0 && errno == EINVAL;
    errno = saved;
    return !unsupported;
}
#endif

} // namespace

void prefaultForWriting(void* start, std::size_t size)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    // Below this, the few pages cost less than the call.
    constexpr std::size_t kWorthIt = 64 * 1024;
    if (size < kWorthIt)
        return;
    // Only the pages wholly inside the buffer: the ones it shares with its neighbours are theirs.
    const std::uintptr_t page = pageSize();
    const auto begin = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t first = (begin + page - 1) / page * page;
    const std::uintptr_t end = (begin + size) / page * page;
    if (end > first)
        provide(first, end);
#else
    (void)start;
    (void)size;
#endif
}

void prefaultHeapGrowth(const void* allocated, std::size_t size)
{
#if defined(__linux__) && defined(__GLIBC__) && defined(MADV_POPULATE_WRITE)
    // A growth larger than this is left to come page by page: a piece that large may never be
    // written whole.
    constexpr std::uintptr_t kMostAtOnce = 16u << 20;
    // The heap's end at the last call: the pages below it were provided then, or written before.
    static std::uintptr_t seen = 0;
    static bool unsupported = false;
    if (reinterpret_cast<std::uintptr_t>(allocated) + size <= seen || unsupported)
        return;
    const auto end = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    if (end == seen)
        return;
    if (seen == 0) {
        // The first call: from the page of the piece, which lies in the heap unless it is mapped
        // apart (above the heap's end, and then nothing is provided).
        seen = reinterpret_cast<std::uintptr_t>(allocated) / pageSize() * pageSize();
    }
    if (end > seen && end - seen <= kMostAtOnce)
        unsupported = !provide(seen, end);
    // Also after the heap has shrunk: its pages above the new end are gone, and come again.
    seen = end;
#else
    (void)allocated;
    (void)size;
#endif
}
