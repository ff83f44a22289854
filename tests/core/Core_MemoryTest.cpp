#include "core/Core_Memory.h"
#include "core/Core_Object.h"

#include <gtest/gtest.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TEST_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(TEST_ADDRESS_SANITIZER)
#include <sanitizer/asan_interface.h>
#define TEST_POOL_POISONING 1
#endif

#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

namespace
{
TEST(PoolAllocatorTest, TinyRequestsGetPointerSizedElementsInTheirOwnClasses)
{
    Core::PoolAllocator pool;
    void* zero = pool.Allocate(0);
    void* one = pool.Allocate(1);
    void* three = pool.Allocate(3);
    ASSERT_NE(zero, nullptr);
    ASSERT_NE(one, nullptr);
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(pool.GetElementSize(0), sizeof(void*));
    EXPECT_EQ(pool.GetElementSize(1), sizeof(void*));
    EXPECT_EQ(pool.GetElementSize(3), sizeof(void*));
    EXPECT_EQ(pool.GetElementSize(2), 0u) << "a size never asked for has no class";
    EXPECT_EQ(pool.GetChunkCount(0), 1u);
    EXPECT_EQ(pool.GetChunkCount(1), 1u);
    EXPECT_EQ(pool.GetElementSize(24), 0u);
    pool.Allocate(24);
    EXPECT_EQ(pool.GetElementSize(24), 24u) << "sizes are not rounded";
}

// Only a build with AddressSanitizer has the test, so that no other build reports it skipped.
#if defined(TEST_POOL_POISONING)
TEST(PoolAllocatorTest, FreedBlocksArePoisonedUnderAddressSanitizer)
{
    Core::PoolAllocator pool;
    auto* block = static_cast<unsigned char*>(pool.Allocate(48));
    auto* spare = static_cast<unsigned char*>(pool.Allocate(48));
    EXPECT_FALSE(__asan_address_is_poisoned(block));
    EXPECT_TRUE(__asan_address_is_poisoned(spare + 48)) << "blocks never handed out stay poisoned";
    pool.Free(block, 48);
    EXPECT_TRUE(__asan_address_is_poisoned(block + 47));
    EXPECT_EQ(pool.Allocate(48), block);
    EXPECT_FALSE(__asan_address_is_poisoned(block + 47));
}
#endif

TEST(PoolAllocatorTest, LastReleasedBlockIsReusedFirst)
{
    Core::PoolAllocator pool;
    void* a = pool.Allocate(40);
    void* b = pool.Allocate(40);
    void* c = pool.Allocate(40);
    pool.Free(a, 40);
    pool.Free(c, 40);
    EXPECT_EQ(pool.Allocate(40), c);
    EXPECT_EQ(pool.Allocate(40), a);
    pool.Free(b, 40);
    EXPECT_EQ(pool.Allocate(40), b);
}

TEST(PoolAllocatorTest, FreshChunkHandsOutAscendingAddresses)
{
    Core::PoolAllocator pool;
    unsigned char* first = static_cast<unsigned char*>(pool.Allocate(12));
    unsigned char* second = static_cast<unsigned char*>(pool.Allocate(12));
    EXPECT_EQ(second, first + 12);
}

TEST(PoolAllocatorTest, ChunkOf256ElementsIsAddedOnlyWhenTheClassIsExhausted)
{
    Core::PoolAllocator pool;
    std::vector<unsigned char*> blocks;
    for (u32 i = 0; i < Core::PoolAllocator::ElementsPerChunk; ++i)
    {
        blocks.push_back(static_cast<unsigned char*>(pool.Allocate(16)));
        std::memset(blocks.back(), int(i & 0xFF), 16);
    }
    EXPECT_EQ(pool.GetChunkCount(16), 1u);
    EXPECT_EQ(pool.GetFreeCount(16), 0u);
    unsigned char* extra = static_cast<unsigned char*>(pool.Allocate(16));
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(pool.GetChunkCount(16), 2u);
    EXPECT_EQ(pool.GetFreeCount(16), Core::PoolAllocator::ElementsPerChunk - 1);
    std::memset(extra, 0xAB, 16);
    for (u32 i = 0; i < blocks.size(); ++i)
        EXPECT_EQ(blocks[i][15], (i & 0xFF)) << "the first chunk's blocks stay valid";
}

TEST(PoolAllocatorTest, LargestPooledSizeAndFirstHeapSize)
{
    Core::PoolAllocator pool;
    void* pooled = pool.Allocate(4095);
    EXPECT_EQ(pool.GetChunkCount(4095), 1u);
    void* heap = pool.Allocate(4096);
    ASSERT_NE(heap, nullptr);
    std::memset(heap, 1, 4096);
    pool.Free(heap, 4096); // back to the C heap: the sanitizer would report a leak otherwise
    pool.Free(pooled, 4095);
    EXPECT_EQ(pool.GetFreeCount(4095), Core::PoolAllocator::ElementsPerChunk);
}

TEST(PoolAllocatorTest, UnsizedReleaseFindsTheOwningClassOrTheHeap)
{
    Core::PoolAllocator pool;
    void* pooled = pool.Allocate(72);
    void* heap = pool.Allocate(5000);
    const u32 freeBefore = pool.GetFreeCount(72);
    pool.FreeUnsized(pooled);
    EXPECT_EQ(pool.GetFreeCount(72), freeBefore + 1);
    EXPECT_EQ(pool.Allocate(72), pooled);
    pool.FreeUnsized(heap);
}

TEST(TrackedAllocatorTest, NewAndDeleteUseTheProcessPool)
{
    Core::PoolAllocator& pool = Core::PoolAllocator::Instance();
    void* block = Core::TrackedNew(333, "Core_MemoryTest", __LINE__);
    Core::TrackedDelete(block, 333);
    EXPECT_EQ(Core::TrackedNew(333), block);
    EXPECT_GE(pool.GetChunkCount(333), 1u);
    Core::TrackedDelete(block, 333);
    Core::TrackedDelete(nullptr, 333);
    Core::TrackedDelete(nullptr, "Core_MemoryTest", __LINE__);
}

TEST(TrackedAllocatorTest, FailureThrowsBadAllocation)
{
    Core::BadAllocation failure;
    EXPECT_STREQ(failure.what(), "bad allocation");
    Core::Vector<u64> values;
    EXPECT_THROW(values.resize(std::size_t(1) << 40), std::bad_alloc);
}

TEST(TrackedAllocatorTest, ManyThreadsAllocateAtOnceWithoutSharingBlocks)
{
    constexpr int threadCount = 4;
    constexpr int rounds = 2000;
    std::vector<std::thread> workers;
    std::vector<int> failures(threadCount, 0);
    for (int t = 0; t < threadCount; ++t)
    {
        workers.emplace_back([t, &failures] {
            std::vector<std::pair<unsigned char*, u32>> held;
            for (int i = 0; i < rounds; ++i)
            {
                const u32 size = 8 + u32((i * 37 + t * 11) % 600);
                unsigned char* block = static_cast<unsigned char*>(Core::TrackedNew(size));
                std::memset(block, t + 1, size);
                held.emplace_back(block, size);
                if (i % 3 == 2)
                {
                    auto [oldest, oldestSize] = held.front();
                    for (u32 k = 0; k < oldestSize; ++k)
                        failures[t] += oldest[k] != t + 1;
                    Core::TrackedDelete(oldest, oldestSize);
                    held.erase(held.begin());
                }
            }
            for (auto [block, size] : held)
            {
                for (u32 k = 0; k < size; ++k)
                    failures[t] += block[k] != t + 1;
                Core::TrackedDelete(block, size);
            }
        });
    }
    for (std::thread& worker : workers)
        worker.join();
    for (int t = 0; t < threadCount; ++t)
        EXPECT_EQ(failures[t], 0) << "thread " << t << " found its blocks overwritten";
}

TEST(ContainerAllocatorTest, ContainersDrawExactByteCountsFromThePool)
{
    Core::PoolAllocator& pool = Core::PoolAllocator::Instance();
    Core::Vector<u32> values;
    values.reserve(123); // 492 bytes: a class of its own
    values.push_back(7);
    EXPECT_GE(pool.GetChunkCount(123 * sizeof(u32)), 1u);
    const u32 freeWhileHeld = pool.GetFreeCount(123 * sizeof(u32));
    values = Core::Vector<u32>();
    EXPECT_EQ(pool.GetFreeCount(123 * sizeof(u32)), freeWhileHeld + 1);

    Core::Map<int, int> map;
    Core::List<int> list;
    Core::Deque<int> deque;
    for (int i = 0; i < 1000; ++i)
    {
        map[i] = i * 2;
        list.push_back(i);
        deque.push_front(i);
    }
    EXPECT_EQ(map[999], 1998);
    EXPECT_EQ(list.back(), 999);
    EXPECT_EQ(deque.front(), 999);
}

struct Counted : Core::Object
{
    static int alive;
    Counted() { ++alive; }
    ~Counted() override { --alive; }
    double payload[5] = {};
};
int Counted::alive = 0;

struct ThrowsOnConstruction : Core::Object
{
    ThrowsOnConstruction() { throw 7; }
    char payload[200];
};

TEST(ObjectAllocationTest, PlainNewAndDeleteOfObjectsGoThroughThePool)
{
    Core::PoolAllocator& pool = Core::PoolAllocator::Instance();
    Counted* first = new Counted();
    // Only the address is compared once the object is gone.
    const std::uintptr_t firstAddress = reinterpret_cast<std::uintptr_t>(first);
    const u32 freeWhileHeld = pool.GetFreeCount(sizeof(Counted));
    delete first;
    EXPECT_EQ(pool.GetFreeCount(sizeof(Counted)), freeWhileHeld + 1);
    Counted* second = new (__FILE__, __LINE__) Counted();
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(second), firstAddress) << "the released block is reused";
    Core::Object* asBase = second;
    delete asBase; // the dynamic size returns the block to the right class
    EXPECT_EQ(pool.GetFreeCount(sizeof(Counted)), freeWhileHeld + 1);
    EXPECT_EQ(Counted::alive, 0);
}

TEST(ObjectAllocationTest, ConstructorThrowingReturnsTheBlock)
{
    Core::PoolAllocator& pool = Core::PoolAllocator::Instance();
    EXPECT_THROW(new (__FILE__, __LINE__) ThrowsOnConstruction(), int);
    const u32 freeAfterFirst = pool.GetFreeCount(sizeof(ThrowsOnConstruction));
    EXPECT_GE(pool.GetChunkCount(sizeof(ThrowsOnConstruction)), 1u);
    EXPECT_THROW(new ThrowsOnConstruction(), int);
    EXPECT_THROW(new (__FILE__, __LINE__) ThrowsOnConstruction(), int);
    EXPECT_EQ(pool.GetFreeCount(sizeof(ThrowsOnConstruction)), freeAfterFirst) << "no block is lost";
}
} // namespace
