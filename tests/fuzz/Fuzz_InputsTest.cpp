#include "fuzz/Fuzz_Target.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace
{
const Fuzz::Target* Find(const std::string& name)
{
    for (const Fuzz::Target& target : Fuzz::Targets())
        if (name == target.name)
            return &target;
    return nullptr;
}

TEST(FuzzTargets, EveryTargetHasSeedsAndAcceptsOneOfThem)
{
    ASSERT_FALSE(Fuzz::Targets().empty());
    for (const Fuzz::Target& target : Fuzz::Targets())
    {
        Fuzz::Seeds seeds;
        target.seeds(seeds);
        ASSERT_FALSE(seeds.empty()) << target.name;
        const bool anyAccepted = std::any_of(seeds.begin(), seeds.end(), [&](const auto& seed) {
            return target.read(seed.second.data(), seed.second.size());
        });
        EXPECT_TRUE(anyAccepted) << target.name << ": the writers' own output is refused";
    }
}

TEST(FuzzTargets, KeptFindingsAreRefused)
{
    const std::filesystem::path folder = std::filesystem::path(MORVANE_SOURCE_DIR) / "tests" / "fuzz";
    u32 inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
    {
        if (!entry.is_directory())
            continue;
        const Fuzz::Target* target = Find(entry.path().filename().string());
        ASSERT_NE(target, nullptr) << entry.path() << " names no target";
        for (const auto& input : std::filesystem::directory_iterator(entry.path()))
        {
            const Fuzz::Bytes bytes = Fuzz::ReadFile(input.path().string());
            EXPECT_FALSE(target->read(bytes.data(), bytes.size())) << input.path();
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 0u);
}
}  // namespace
