#include "core/Core_Random.h"

namespace Core
{
Random& Random::Instance()
{
    static Random generator;
    return generator;
}

void Random::Seed(u32 seed)
{
    state.store(seed, std::memory_order_relaxed);
}

i32 Random::Next()
{
    u32 current = state.load(std::memory_order_relaxed);
    u32 next;
    do
        next = current * 214013u + 2531011u;
    while (!state.compare_exchange_weak(current, next, std::memory_order_relaxed));
    return static_cast<i32>((next >> 16) & 0x7FFFu);
}

i32 Rand()
{
    return Random::Instance().Next();
}

void SeedRandom(u32 seed)
{
    Random::Instance().Seed(seed);
}
} // namespace Core
