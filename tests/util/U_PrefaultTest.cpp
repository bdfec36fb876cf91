// The heap's growth provided in one call.
#include "U_Prefault.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>
#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

TEST(U_PrefaultTest, pagesTheHeapGainedArePresentAfterOneCall)
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
    prefaultHeapGrowth(first, 64); // the heap as it is now counts as seen
    auto* before = static_cast<char*>(::sbrk(0));
    // Pieces below the size that the C library maps apart, never written: only their headers touch
    // their first pages.
    std::vector<void*> pieces;
    while (static_cast<char*>(::sbrk(0)) < before + (1 << 20) && pieces.size() < 256)
        pieces.push_back(std::malloc(24 * 1024));
    auto* after = static_cast<char*>(::sbrk(0));
    if (after <= before) {
        for (void* piece : pieces)
            std::free(piece);
        std::free(first);
        GTEST_SKIP() << "the heap does not grow by moving the program break here";
    }

    prefaultHeapGrowth(pieces.back(), 24 * 1024);
    const std::size_t pages = static_cast<std::size_t>((after - before + page - 1) / page);
    std::vector<unsigned char> present(pages);
    ASSERT_EQ(::mincore(before, static_cast<std::size_t>(after - before), present.data()), 0);
    std::size_t missing = 0;
    for (unsigned char p : present)
        missing += (p & 1) == 0;
    EXPECT_EQ(missing, 0u) << "of " << pages << " pages";

    for (void* piece : pieces)
        std::free(piece);
    std::free(first);
#else
    GTEST_SKIP() << "only where the heap grows by moving the program break";
#endif
}
