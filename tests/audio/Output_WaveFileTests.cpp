#include "Audio_TestSupport.h"
#include "tests/support/Support_WaveBackend.h"

#include "tests/support/Support_Scratch.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace AudioTest;

namespace
{
    constexpr u32 ToneRate = 22050;
    constexpr u32 ToneFrames = ToneRate * 6 / 10; // 0.6 s of the 220 Hz tone of TonePcm's first channel
    constexpr double ToneHz = 220.0;

    u32 CountThreads()
    {
        u32 count = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
            ++count;
        return count;
    }

    // Sign changes counted with hysteresis, so that dither in the silence counts for nothing.
    u32 CountCrossings(const std::vector<float>& samples, float threshold)
    {
        u32 crossings = 0;
        int side = 0;
        for (float sample : samples)
        {
            const int now = sample > threshold ? 1 : sample < -threshold ? -1 : 0;
            if (now != 0 && side != 0 && now != side)
                ++crossings;
            if (now != 0)
                side = now;
        }
        return crossings;
    }
}

TEST(WaveFileOutput, FailedInitializeLeavesNothingBehindAndTheRetryRendersTheStream)
{
    static WaveBackend backend;
    const std::string tone = backend.scratch.Write("tone.wav", MakeWav(1, 16, ToneRate, ToneFrames));
    {
        SoundEngine engine;
        ASSERT_FALSE(engine.GetDeviceNames().empty());
        const u32 threadsBefore = CountThreads();
        EXPECT_FALSE(engine.Initialize(-1, 30));
        EXPECT_FALSE(engine.IsInitialized());
        EXPECT_EQ(CountThreads(), threadsBefore);

        std::filesystem::create_directories(backend.outputFolder);
        ASSERT_TRUE(engine.Initialize(-1, 30));
        SoundData* stream = engine.CreateStreamData(Core::String(tone.c_str()), 0.1f, 2);
        SoundSource* source = engine.CreateSource(stream, false, false);
        ASSERT_NE(source, nullptr);
        ASSERT_TRUE(engine.Play(source));
        ASSERT_TRUE(WaitUntil([&] { return !engine.GetPlayingFlag(source); }));
        // Leaves a source and its buffers for the destructor to release.
        ASSERT_NE(engine.CreateSource(engine.LoadSoundData(Core::String(tone.c_str()), 0.0f), false, false), nullptr);
    }

    const std::vector<float> samples = FirstChannel(TestSupport::ReadFileBytes(backend.output)).samples;
    ASSERT_FALSE(samples.empty());
    float peak = 0.0f;
    for (float sample : samples)
        peak = std::max(peak, std::fabs(sample));
    EXPECT_GT(peak, 0.1f);
    const double expected = 2.0 * ToneHz * ToneFrames / ToneRate;
    EXPECT_NEAR(CountCrossings(samples, peak / 4), expected, expected * 0.05);

    std::stringstream log;
    log << std::ifstream(backend.log).rdbuf();
    // OpenAL Soft reports sources and buffers that were still alive when their context or device went.
    EXPECT_EQ(log.str().find("ReleaseALSources"), std::string::npos);
    EXPECT_EQ(log.str().find("ReleaseALBuffers"), std::string::npos);
    EXPECT_EQ(log.str().find("null context"), std::string::npos);
}
