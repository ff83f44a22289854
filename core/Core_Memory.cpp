#include "core/Core_Memory.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

// GCC says AddressSanitizer is on with __SANITIZE_ADDRESS__, clang with the feature test.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CORE_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(CORE_ADDRESS_SANITIZER)
#include <sanitizer/asan_interface.h>
// Free pooled blocks are poisoned so that the sanitizer sees use after release inside the pool.
#define CORE_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define CORE_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
#else
#define CORE_POISON(address, size) ((void)(address), (void)(size))
#define CORE_UNPOISON(address, size) ((void)(address), (void)(size))
#endif

namespace Core
{
namespace
{
// The memory lock: 0 free, 1 held, 2 held with sleepers. Taking a free lock is one
// compare-and-swap and releasing it one exchange, both inline, so an uncontended allocation stays
// cheaper than the C heap's; a waiter sleeps on a futex rather than spinning, which holds up best
// when several threads allocate at once. Constant-initialised and trivially destroyed: allocation
// is guarded from the first static initialiser to the last exit handler.
std::atomic<u32> memoryLock{0};

void LockMemory() noexcept
{
    u32 expected = 0;
    if (memoryLock.compare_exchange_strong(expected, 1, std::memory_order_acquire))
        return;
    while (memoryLock.exchange(2, std::memory_order_acquire) != 0)
        syscall(SYS_futex, &memoryLock, FUTEX_WAIT_PRIVATE, 2, nullptr, nullptr, 0);
}

void UnlockMemory() noexcept
{
    if (memoryLock.exchange(0, std::memory_order_release) == 2)
        syscall(SYS_futex, &memoryLock, FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr, 0);
}

// Free blocks of odd sizes may sit at addresses not aligned for a pointer: the link is copied.
void* LoadLink(const void* block)
{
    void* next;
    std::memcpy(&next, block, sizeof(next));
    return next;
}

void StoreLink(void* block, void* next)
{
    std::memcpy(block, &next, sizeof(next));
}
} // namespace

void TrackingHook::ReportAllocation(void*, u32, u32, const char*, i32) noexcept
{
}

void TrackingHook::ReportRelease(void*, u32) noexcept
{
}

PoolAllocator& PoolAllocator::Instance()
{
    alignas(PoolAllocator) static unsigned char storage[sizeof(PoolAllocator)];
    static PoolAllocator* pool = new (storage) PoolAllocator();
    return *pool;
}

PoolAllocator::PoolAllocator()
    : classes(static_cast<SizeClass**>(std::calloc(LargeSize, sizeof(SizeClass*))))
{
    if (!classes)
        throw BadAllocation();
}

PoolAllocator::~PoolAllocator()
{
    for (u32 size = 0; size < LargeSize; ++size)
    {
        SizeClass* sizeClass = classes[size];
        if (!sizeClass)
            continue;
        for (Chunk* chunk = sizeClass->chunks; chunk;)
        {
            Chunk* next = chunk->next;
            CORE_UNPOISON(chunk->block, sizeClass->elementSize * sizeClass->elementsPerChunk);
            std::free(chunk->block);
            std::free(chunk);
            chunk = next;
        }
        std::free(sizeClass);
    }
    std::free(classes);
}

void* PoolAllocator::Allocate(u32 size)
{
    if (size >= LargeSize)
        return std::malloc(size);
    SizeClass* sizeClass = classes[size];
    if (!sizeClass)
    {
        sizeClass = static_cast<SizeClass*>(std::malloc(sizeof(SizeClass)));
        if (!sizeClass)
            return nullptr;
        *sizeClass = SizeClass{nullptr, nullptr, std::max(size, MinimumElementSize), ElementsPerChunk};
        classes[size] = sizeClass;
    }
    if (!sizeClass->free && !Grow(*sizeClass))
        return nullptr;
    void* block = sizeClass->free;
    CORE_UNPOISON(block, sizeClass->elementSize);
    sizeClass->free = LoadLink(block);
    return block;
}

bool PoolAllocator::Grow(SizeClass& sizeClass)
{
    Chunk* chunk = static_cast<Chunk*>(std::malloc(sizeof(Chunk)));
    unsigned char* block =
        static_cast<unsigned char*>(std::malloc(std::size_t(sizeClass.elementSize) * sizeClass.elementsPerChunk));
    if (!chunk || !block)
    {
        std::free(chunk);
        std::free(block);
        return false;
    }
    chunk->block = block;
    chunk->next = sizeClass.chunks;
    sizeClass.chunks = chunk;
    // Threaded in address order, so a fresh chunk hands out ascending addresses.
    const u32 last = sizeClass.elementsPerChunk - 1;
    for (u32 i = 0; i < last; ++i)
        StoreLink(block + std::size_t(i) * sizeClass.elementSize, block + std::size_t(i + 1) * sizeClass.elementSize);
    StoreLink(block + std::size_t(last) * sizeClass.elementSize, nullptr);
    CORE_POISON(block, std::size_t(sizeClass.elementSize) * sizeClass.elementsPerChunk);
    sizeClass.free = block;
    return true;
}

void PoolAllocator::Free(void* pointer, u32 size)
{
    if (!pointer)
        return;
    if (size >= LargeSize)
    {
        std::free(pointer);
        return;
    }
    SizeClass* sizeClass = classes[size];
    StoreLink(pointer, sizeClass->free);
    CORE_POISON(pointer, sizeClass->elementSize);
    sizeClass->free = pointer;
}

void PoolAllocator::FreeUnsized(void* pointer)
{
    if (!pointer)
        return;
    const unsigned char* address = static_cast<const unsigned char*>(pointer);
    for (u32 size = 0; size < LargeSize; ++size)
    {
        SizeClass* sizeClass = classes[size];
        if (!sizeClass)
            continue;
        const std::size_t chunkBytes = std::size_t(sizeClass->elementSize) * sizeClass->elementsPerChunk;
        for (Chunk* chunk = sizeClass->chunks; chunk; chunk = chunk->next)
        {
            if (address >= chunk->block && address < chunk->block + chunkBytes)
            {
                Free(pointer, size);
                return;
            }
        }
    }
    std::free(pointer);
}

u32 PoolAllocator::GetElementSize(u32 size) const
{
    return size < LargeSize && classes[size] ? classes[size]->elementSize : 0;
}

u32 PoolAllocator::GetChunkCount(u32 size) const
{
    if (size >= LargeSize || !classes[size])
        return 0;
    u32 count = 0;
    for (const Chunk* chunk = classes[size]->chunks; chunk; chunk = chunk->next)
        ++count;
    return count;
}

u32 PoolAllocator::GetFreeCount(u32 size) const
{
    if (size >= LargeSize || !classes[size])
        return 0;
    u32 count = 0;
    for (void* block = classes[size]->free; block;)
    {
        CORE_UNPOISON(block, sizeof(void*));
        void* next = LoadLink(block);
        CORE_POISON(block, sizeof(void*));
        block = next;
        ++count;
    }
    return count;
}

MemoryLock::MemoryLock() noexcept
{
    LockMemory();
}

MemoryLock::~MemoryLock()
{
    UnlockMemory();
}

void* TrackedNew(u32 size, const char* file, i32 line)
{
    MemoryLock lock;
    void* pointer = PoolAllocator::Instance().Allocate(size);
    if (!pointer)
        throw BadAllocation();
    TrackingHook::ReportAllocation(pointer, TrackingHook::KindSingle, size, file, line);
    return pointer;
}

void* TrackedNew(u32 size)
{
    return TrackedNew(size, "unknown", -1);
}

void TrackedDelete(void* pointer, u32 size)
{
    MemoryLock lock;
    if (!pointer)
        return;
    PoolAllocator::Instance().Free(pointer, size);
    TrackingHook::ReportRelease(pointer, TrackingHook::KindSingle);
}

void TrackedDelete(void* pointer, const char*, i32)
{
    MemoryLock lock;
    if (!pointer)
        return;
    PoolAllocator::Instance().FreeUnsized(pointer);
    TrackingHook::ReportRelease(pointer, TrackingHook::KindSingle);
}
} // namespace Core
