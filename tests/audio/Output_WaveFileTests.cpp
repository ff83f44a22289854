#include "Audio_TestSupport.h"

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

    // OpenAL Soft reads its configuration once, at its first call in the process, so the wave-file
    // backend is chosen here before the engine exists. Its output folder is left missing at first,
    // which makes the device fail to open.
    struct WaveBackend
    {
        TestSupport::ScratchFolder scratch{"morvane_audio_output"};
        const std::string folder = scratch.Path().string();
        std::string outputFolder;
        std::string output;
        std::string log;

        WaveBackend()
        {
            outputFolder = folder + "/render";
            output = outputFolder + "/out.wav";
            log = folder + "/openal.log";
            const std::string config = folder + "/alsoft.conf";
            std::ofstream(config) << "[general]\ndrivers = wave\n[wave]\nfile = " << output << "\n";
            ::setenv("ALSOFT_CONF", config.c_str(), 1);
            ::setenv("ALSOFT_DRIVERS", "wave", 1);
            ::setenv("ALSOFT_LOGLEVEL", "3", 1);
            ::setenv("ALSOFT_LOGFILE", log.c_str(), 1);
        }
    };

    u32 CountThreads()
    {
        u32 count = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
            ++count;
        return count;
    }

    u32 ReadU32(const Bytes& bytes, std::size_t at)
    {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<u32>(bytes[at + 3]) << 24;
    }

    // The first channel of the rendered file as floats in [-1, 1]: the backend writes 16-bit
    // integers or 32-bit floats, depending on the device format.
    std::vector<float> FirstChannel(const Bytes& file)
    {
        std::vector<float> samples;
        if (file.size() < 12)
            return samples;
        u16 channels = 0;
        u16 bits = 0;
        bool isFloat = false;
        for (std::size_t at = 12; at + 8 <= file.size();)
        {
            const u32 size = ReadU32(file, at + 4);
            const std::size_t payload = at + 8;
            if (std::memcmp(&file[at], "fmt ", 4) == 0)
            {
                const u16 tag = static_cast<u16>(file[payload] | file[payload + 1] << 8);
                channels = static_cast<u16>(file[payload + 2] | file[payload + 3] << 8);
                bits = static_cast<u16>(file[payload + 14] | file[payload + 15] << 8);
                const u16 subTag = tag == 0xFFFE ? static_cast<u16>(file[payload + 24] | file[payload + 25] << 8) : tag;
                isFloat = subTag == 3;
            }
            else if (std::memcmp(&file[at], "data", 4) == 0 && channels > 0)
            {
                const std::size_t frameBytes = channels * bits / 8u;
                const std::size_t end = std::min<std::size_t>(file.size(), payload + size);
                for (std::size_t frame = payload; frame + frameBytes <= end; frame += frameBytes)
                {
                    if (isFloat && bits == 32)
                    {
                        float value;
                        std::memcpy(&value, &file[frame], 4);
                        samples.push_back(value);
                    }
                    else if (bits == 16)
                    {
                        i16 value;
                        std::memcpy(&value, &file[frame], 2);
                        samples.push_back(value / 32768.0f);
                    }
                }
                break;
            }
            at = payload + size + (size & 1);
        }
        return samples;
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

    const std::vector<float> samples = FirstChannel(TestSupport::ReadFileBytes(backend.output));
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
