#include "core/Core_Random.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{
TEST(RandomTest, DefaultSeedGivesTheClassicSequence)
{
    Core::Random generator;
    const i32 expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (i32 value : expected)
        EXPECT_EQ(generator.Next(), value);
}

TEST(RandomTest, SeedReproducesAndResetRestarts)
{
    Core::Random generator(12345);
    std::vector<i32> first;
    for (int i = 0; i < 100; ++i)
        first.push_back(generator.Next());
    generator.Seed(12345);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(generator.Next(), first[i]);
    generator.Reset();
    EXPECT_EQ(generator.Next(), 41);
}

TEST(RandomTest, ValuesStayInRangeAndCoverIt)
{
    Core::Random generator(7);
    i32 lowest = Core::Random::Max;
    i32 highest = 0;
    for (int i = 0; i < 200000; ++i)
    {
        const i32 value = generator.Next();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, Core::Random::Max);
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, Core::Random::Max);
}

TEST(RandomTest, ProcessGeneratorIsSeededThroughTheFreeFunctions)
{
    Core::SeedRandom(1);
    EXPECT_EQ(Core::Rand(), 41);
    EXPECT_EQ(Core::Rand(), 18467);
    Core::Random::Instance().Reset();
    EXPECT_EQ(Core::Rand(), 41);
}

TEST(RandomTest, ConcurrentDrawsLoseNoStep)
{
    Core::Random shared(99);
    Core::Random reference(99);
    constexpr int perThread = 5000;
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([&shared] {
            for (int i = 0; i < perThread; ++i)
                shared.Next();
        });
    for (std::thread& worker : workers)
        worker.join();
    for (int i = 0; i < 4 * perThread; ++i)
        reference.Next();
    EXPECT_EQ(shared.Next(), reference.Next());
}
} // namespace
