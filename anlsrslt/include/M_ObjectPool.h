// Allocation of the small model objects that a reader creates by the hundred thousand.
#pragma once

#include <cstddef>

// Objects up to kMaxPooledSize bytes come from free lists, one per size rounded up to 16 bytes,
// carved from a chunk as needed; a released object goes back to its list and is handed out again for
// the next file, so reading a file costs no malloc or free per diagnostic, parameter or location.
// The chunks are kept for the process: their total follows the largest number of objects alive
// at once (one error file's model), not the number of files read. Single-threaded, like the tool.
// Builds with AddressSanitizer use the global allocator, so that it keeps checking every object.
namespace M_ObjectPool {

constexpr std::size_t kMaxPooledSize = 256;

void* allocate(std::size_t size);
void release(void* object, std::size_t size) noexcept;

} // namespace M_ObjectPool

// Gives a class (and the classes derived from it, whose destructor is virtual, so that the size
// released is that of the whole object) its allocation from the pool.
#define M_POOLED_ALLOCATION                                                                            \
    static void* operator new(std::size_t size) { return M_ObjectPool::allocate(size); }                \
    static void operator delete(void* object, std::size_t size) noexcept                               \
    {                                                                                                  \
        M_ObjectPool::release(object, size);                                                           \
    }

// A standard allocator over the pool, for the small vectors inside pooled objects.
template <class T>
struct M_PoolAllocator {
    using value_type = T;

    M_PoolAllocator() = default;
    template <class U>
    M_PoolAllocator(const M_PoolAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t count) { return static_cast<T*>(M_ObjectPool::allocate(count * sizeof(T))); }
    void deallocate(T* objects, std::size_t count) noexcept { M_ObjectPool::release(objects, count * sizeof(T)); }

    template <class U>
    bool operator==(const M_PoolAllocator<U>&) const noexcept
    {
        return true;
    }
    template <class U>
    bool operator!=(const M_PoolAllocator<U>&) const noexcept
    {
        return false;
    }
};
