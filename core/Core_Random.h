#pragma once

#include "core/Core_Types.h"

#include <atomic>

namespace Core
{
// The project's random generator, with the range of the C library's rand(): a 32-bit linear
// congruential generator, x = x * 214013 + 2531011, giving (x >> 16) & 0x7FFF. Every random draw in
// the game goes through it, so a seed reproduces a run. Safe to call from any thread.
class Random
{
public:
    static constexpr i32 Max = 32767;
    static constexpr u32 DefaultSeed = 1;

    static Random& Instance();

    explicit Random(u32 seed = DefaultSeed) : state(seed) {}

    void Seed(u32 seed);
    // Back to the state of a new process.
    void Reset() { Seed(DefaultSeed); }
    // 0..32767.
    i32 Next();

private:
    std::atomic<u32> state;
};

// The process-wide generator: Rand() in 0..32767, SeedRandom(seed).
i32 Rand();
void SeedRandom(u32 seed);
} // namespace Core
