// Loads every generated sound through the game's own sound engine with the game's threshold:
// music must come out streamed and effects decoded whole, in the format the files declare.
#include "Tools_Files.h"

#include "audio/Audio_SoundEngine.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
    using namespace ToolsTest;

    constexpr u32 GameThreshold = 0x40000;
    // The streaming thread is not needed here; it sleeps through the test.
    constexpr u32 IdlePeriodMs = 600000;

    TEST(GameSounds, LoadThroughTheSoundEngineAsTheGameLoadsThem)
    {
        SoundEngine engine;
        ASSERT_TRUE(engine.Initialize(-1, IdlePeriodMs));
        const std::set<std::string> music = {"bgm", "Menu_BGM", "BossBGM"};
        int loaded = 0;
        for (const auto& entry : std::filesystem::directory_iterator(ResourceDir() / "Sounds"))
        {
            const std::string name = entry.path().stem().string();
            SCOPED_TRACE(name);
            SoundData* data = engine.LoadSound(Core::String(entry.path().c_str()), GameThreshold);
            ASSERT_NE(data, nullptr);
            ++loaded;
            EXPECT_EQ(data->GetFormat().frequency, 44100u);
            if (music.count(name))
            {
                EXPECT_TRUE(data->IsOggOpen()) << "streamed";
                EXPECT_EQ(data->GetBufferCount(), 2u);
                EXPECT_EQ(data->GetFormat().channels, 2u);
            }
            else
            {
                EXPECT_FALSE(data->IsOggOpen()) << "decoded whole";
                EXPECT_EQ(data->GetBufferCount(), 1u);
            }
        }
        EXPECT_EQ(loaded, 20);
    }
}
