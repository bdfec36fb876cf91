// Free lists of small blocks for the model objects of the error-file reader.
#include "M_ObjectPool.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooling = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPooling = false;
#else
constexpr bool kPooling = true;
#endif
#else
constexpr bool kPooling = true;
#endif

constexpr std::size_t kGrain = 16;
constexpr std::size_t kClasses = M_ObjectPool::kMaxPooledSize / kGrain;
// A class's first chunk is small and each next one twice the last, up to the largest: one small
// error file's objects take a few pages, and a large file's take few chunks. A fresh chunk's pages
// are provided whole by the heap (see HeapPages.cpp), so a chunk much larger than its use costs
// pages that are never written.
constexpr std::size_t kFirstChunkSize = 4 * 1024;
constexpr std::size_t kLargestChunkSize = 64 * 1024;
static_assert(kFirstChunkSize >= M_ObjectPool::kMaxPooledSize, "a chunk holds a block of every class");

struct FreeBlock {
    FreeBlock* next;
};

struct Pools {
    FreeBlock* free[kClasses] = {};
    // The part of each class's newest chunk not yet handed out. Blocks are carved from it one at a
    // time, so that a process touches only the memory its objects use: a short-lived process per
    // analysed file pays a page fault for every page it touches, and most of a chunk is never
    // needed for one small error file.
    char* next[kClasses] = {};
    char* end[kClasses] = {};
    std::size_t nextChunkSize[kClasses] = {};
    std::vector<void*> chunks; // never given back: the lists point into them
};

Pools& pools()
{
    static Pools* p = new Pools(); // never destroyed: objects may be released during exit
    return *p;
}

std::size_t sizeClass(std::size_t size)
{
    return (size + kGrain - 1) / kGrain - 1;
}

// A block of the class's size from the untouched rest of its chunk, taking a new chunk when the
// rest is too small.
void* carve(Pools& p, std::size_t cls)
{
    const std::size_t blockSize = (cls + 1) * kGrain;
    if (static_cast<std::size_t>(p.end[cls] - p.next[cls]) < blockSize) {
        std::size_t& size = p.nextChunkSize[cls];
        size = size == 0 ? kFirstChunkSize : std::min(2 * size, kLargestChunkSize);
        char* chunk = static_cast<char*>(::operator new(size));
        p.chunks.push_back(chunk);
        p.next[cls] = chunk;
        p.end[cls] = chunk + size;
    }
    void* block = p.next[cls];
    p.next[cls] += blockSize;
    return block;
}

} // namespace

namespace M_ObjectPool {

void* allocate(std::size_t size)
{
    if (kPooling && size > 0 && size <= kMaxPooledSize) {
        Pools& p = pools();
        const std::size_t cls = sizeClass(size);
        FreeBlock* block = p.free[cls];
        if (!block)
            return carve(p, cls);
        p.free[cls] = block->next;
        return block;
    }
    return ::operator new(size);
}

void release(void* object, std::size_t size) noexcept
{
    if (!object)
        return;
    if (kPooling && size > 0 && size <= kMaxPooledSize) {
        Pools& p = pools();
        const std::size_t cls = sizeClass(size);
        auto* block = static_cast<FreeBlock*>(object);
        block->next = p.free[cls];
        p.free[cls] = block;
        return;
    }
    ::operator delete(object);
}

} // namespace M_ObjectPool
