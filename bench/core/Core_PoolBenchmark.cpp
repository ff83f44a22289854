// The tracked allocator against the C heap: each iteration makes a batch of blocks of one size,
// touches them and releases them, on one thread and on four at once.
#include "core/Core_Memory.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace
{
constexpr int BatchSize = 64;

void PoolBatch(benchmark::State& state)
{
    const u32 size = static_cast<u32>(state.range(0));
    void* blocks[BatchSize];
    for (auto _ : state)
    {
        for (void*& block : blocks)
        {
            block = Core::TrackedNew(size);
            *static_cast<char*>(block) = 1;
        }
        benchmark::ClobberMemory();
        for (void* block : blocks)
            Core::TrackedDelete(block, size);
    }
    state.SetItemsProcessed(state.iterations() * BatchSize);
}

void HeapBatch(benchmark::State& state)
{
    const std::size_t size = static_cast<std::size_t>(state.range(0));
    void* blocks[BatchSize];
    for (auto _ : state)
    {
        for (void*& block : blocks)
        {
            block = std::malloc(size);
            *static_cast<char*>(block) = 1;
        }
        benchmark::ClobberMemory();
        for (void* block : blocks)
            std::free(block);
    }
    state.SetItemsProcessed(state.iterations() * BatchSize);
}
} // namespace

BENCHMARK(PoolBatch)->RangeMultiplier(2)->Range(8, 2048)->Threads(1)->Threads(4)->UseRealTime();
BENCHMARK(HeapBatch)->RangeMultiplier(2)->Range(8, 2048)->Threads(1)->Threads(4)->UseRealTime();
