// The heap's pages provided in one call as pieces are allocated.
#include "U_Prefault.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>
#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#if defined(__linux__) && defined(__GLIBC__) && defined(MADV_POPULATE_WRITE)
namespace {

// How many pages of the range are present (or, with present false, not present).
std::size_t pagesThat(bool present, const char* begin, const char* end)
{
    const long page = ::sysconf(_SC_PAGESIZE);
    const auto first = reinterpret_cast<std::uintptr_t>(begin) / page * page;
    const auto last = reinterpret_cast<std::uintptr_t>(end);
    std::vector<unsigned char> pages((last - first + page - 1) / page);
    if (::mincore(reinterpret_cast<void*>(first), last - first, pages.data()) != 0)
        return present ? 0 : pages.size();
    std::size_t count = 0;
    for (unsigned char p : pages)
        count += (p & 1) == present;
    return count;
}

} // namespace
#endif

TEST(U_PrefaultTest, piecesArePresentAfterOneCallEachAndTheHeapsUnusedRestIsNot)
{
#if defined(__linux__) && defined(__GLIBC__) && defined(MADV_POPULATE_WRITE)
    const long page = ::sysconf(_SC_PAGESIZE);
    void* probe = ::mmap(nullptr, page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(probe, MAP_FAILED);
    const bool supported = ::madvise(probe, page, MADV_POPULATE_WRITE) == 0;
    ::munmap(probe, page);
    if (!supported)
        GTEST_SKIP() << "the kernel cannot provide pages in one call";

    void* first = std::malloc(64);
    prefaultHeapGrowth(first, 64); // the heap below this piece counts as written
    auto* before = static_cast<char*>(::sbrk(0));
    // Pieces below the size that the C library maps apart, never written: only their headers touch
    // their first pages. Each is followed as operator new follows it.
    constexpr std::size_t kPiece = 24 * 1024;
    std::vector<char*> pieces;
    while (static_cast<char*>(::sbrk(0)) < before + (1 << 20) && pieces.size() < 256) {
        pieces.push_back(static_cast<char*>(std::malloc(kPiece)));
        prefaultHeapGrowth(pieces.back(), kPiece);
    }
    auto* end = static_cast<char*>(::sbrk(0));
    if (end <= before || pieces.back() > end) {
        for (char* piece : pieces)
            std::free(piece);
        std::free(first);
        GTEST_SKIP() << "the heap does not grow by moving the program break here";
    }

    // Every page of every piece is there...
    std::size_t missing = 0;
    for (char* piece : pieces)
        missing += pagesThat(false, piece, piece + kPiece);
    EXPECT_EQ(missing, 0u) << "of the pages of " << pieces.size() << " pieces";
    // ...and the heap's rest above the last piece (the C library asks for 128 KB more than it
    // needs) is not provided beyond a few pages ahead.
    char* rest = pieces.back() + kPiece + 64 * 1024;
    if (rest < end) {
        EXPECT_EQ(pagesThat(true, rest, end), 0u);
    }

    for (char* piece : pieces)
        std::free(piece);
    std::free(first);
#else
    GTEST_SKIP() << "only where the heap grows by moving the program break";
#endif
}
