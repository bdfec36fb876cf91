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
    // More than this at once is left to come page by page: a piece that large may never be written
    // whole.
    constexpr std::uintptr_t kMostAtOnce = 16u << 20;
    // Provided beyond the piece, for the pieces that follow it: fewer calls, and few pages that the
    // process may never write. The heap's end lies up to 128 KB above its last piece (the C
    // library's top pad), and a short-lived process writes little of that.
    constexpr std::uintptr_t kAhead = 16 * 1024;
    // The pages below this were provided, or written before the first call.
    static std::uintptr_t provided = 0;
    static bool unsupported = false;
    const auto begin = reinterpret_cast<std::uintptr_t>(allocated);
    const std::uintptr_t pieceEnd = begin + size;
    if (pieceEnd <= provided || unsupported)
        return;
    const auto heapEnd = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    // After the heap has shrunk, its pages above the new end are gone, and come again.
    if (provided > heapEnd)
        provided = heapEnd;
    // A piece mapped apart from the heap (above its end): the C library's, page by page.
    if (begin >= heapEnd)
        return;
    const std::uintptr_t page = pageSize();
    if (provided == 0)
        provided = begin / page * page;
    // The C library writes the header of the heap's rest right after the piece.
    const std::uintptr_t wanted = (pieceEnd + kAhead + page - 1) / page * page;
    const std::uintptr_t end = wanted < heapEnd ? wanted : heapEnd;
    if (end > provided && end - provided <= kMostAtOnce)
        unsupported = !provide(provided, end);
    if (end > provided)
        provided = end;
#else
    (void)allocated;
    (void)size;
#endif
}
