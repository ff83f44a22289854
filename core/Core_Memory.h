#pragma once

#include "core/Core_Types.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <list>
#include <map>
#include <new>
#include <set>
#include <vector>

namespace Core
{
// The allocation failure of the tracked allocator and the pooled containers.
class BadAllocation : public std::bad_alloc
{
public:
    const char* what() const noexcept override { return "bad allocation"; }
};

// Allocation-tracking hook. Every tracked allocation and release is reported here while the memory
// lock is held; this build records nothing, the hook only marks the place where a tracker plugs in.
struct TrackingHook
{
    static constexpr u32 KindSingle = 0;
    static constexpr u32 KindArray = 1;

    static void ReportAllocation(void* pointer, u32 kind, u32 size, const char* file, i32 line) noexcept;
    static void ReportRelease(void* pointer, u32 kind) noexcept;
};

// Size-class pool: every request below LargeSize bytes is served from a free list of blocks of
// exactly that size, grown by chunks of ElementsPerChunk blocks; larger requests go to the C heap.
// The last block released is the first reused. Takes no lock itself: callers hold the MemoryLock.
class PoolAllocator
{
public:
    static constexpr u32 LargeSize = 4096;
    static constexpr u32 ElementsPerChunk = 256;
    // A free block keeps the link to the next free block in its first bytes.
    static constexpr u32 MinimumElementSize = sizeof(void*);

    // The process-wide pool. Made on first use and never torn down, so statics released late in
    // process exit can still return their blocks.
    static PoolAllocator& Instance();

    // Private pools (tests) release all their chunks when destroyed.
    PoolAllocator();
    ~PoolAllocator();
    PoolAllocator(const PoolAllocator&) = delete;
    PoolAllocator& operator=(const PoolAllocator&) = delete;

    // Null when the C heap cannot supply a block or a chunk.
    void* Allocate(u32 size);
    // The size must be the size that was allocated.
    void Free(void* pointer, u32 size);
    // Release of a block whose size is unknown: finds the chunk holding it; a pointer held by no
    // chunk is a large block and goes back to the C heap.
    void FreeUnsized(void* pointer);

    // Inspection for tests and diagnostics: 0 for a size class that was never used.
    u32 GetElementSize(u32 size) const;
    u32 GetChunkCount(u32 size) const;
    u32 GetFreeCount(u32 size) const;

private:
    struct Chunk
    {
        unsigned char* block;
        Chunk* next;
    };
    struct SizeClass
    {
        Chunk* chunks;
        void* free;
        u32 elementSize;
        u32 elementsPerChunk;
    };

    bool Grow(SizeClass& sizeClass);

    SizeClass** classes; // LargeSize entries, indexed by the exact requested size
};

// Scoped hold of the process-wide memory lock that guards the pool. The lock exists from static
// initialisation to the end of the process; it is not recursive.
class MemoryLock
{
public:
    MemoryLock() noexcept;
    ~MemoryLock();
    MemoryLock(const MemoryLock&) = delete;
    MemoryLock& operator=(const MemoryLock&) = delete;
};

// The tracked allocator through which engine objects are made. Throws std::bad_alloc ("bad
// allocation") when the pool cannot serve the request.
void* TrackedNew(u32 size, const char* file, i32 line);
void* TrackedNew(u32 size);
// Null does nothing; size must be the size given to TrackedNew.
void TrackedDelete(void* pointer, u32 size);
// Pairs with TrackedNew(size, file, line) when the constructor of the new object throws.
void TrackedDelete(void* pointer, const char* file, i32 line);

// Standard-container allocator over the pool: n elements are one request of n * sizeof(T) bytes.
template <class T>
class ContainerAllocator
{
public:
    using value_type = T;

    ContainerAllocator() noexcept = default;
    template <class U>
    ContainerAllocator(const ContainerAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t count)
    {
        static_assert(alignof(T) <= alignof(std::max_align_t), "pool blocks are not over-aligned");
        if (count > 0xFFFFFFFFu / sizeof(T))
            throw std::bad_array_new_length();
        MemoryLock lock;
        void* block = PoolAllocator::Instance().Allocate(static_cast<u32>(count * sizeof(T)));
        if (!block)
            throw BadAllocation();
        return static_cast<T*>(block);
    }

    void deallocate(T* pointer, std::size_t count) noexcept
    {
        if (!pointer)
            return;
        MemoryLock lock;
        PoolAllocator::Instance().Free(pointer, static_cast<u32>(count * sizeof(T)));
    }

    template <class U>
    bool operator==(const ContainerAllocator<U>&) const noexcept
    {
        return true;
    }
};

template <class T>
using Vector = std::vector<T, ContainerAllocator<T>>;
template <class T>
using List = std::list<T, ContainerAllocator<T>>;
template <class T>
using Deque = std::deque<T, ContainerAllocator<T>>;
template <class K, class V, class Compare = std::less<K>>
using Map = std::map<K, V, Compare, ContainerAllocator<std::pair<const K, V>>>;
template <class K, class Compare = std::less<K>>
using Set = std::set<K, Compare, ContainerAllocator<K>>;
} // namespace Core
