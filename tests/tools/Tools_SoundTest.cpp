// Decodes every generated sound with libvorbisfile and checks what the sound engine and the game
// rely on: format, length, level, and for the music the streaming size and a seamless loop.
#include "Tools_Files.h"

#include <vorbis/vorbisfile.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <unistd.h>

namespace
{
    using namespace ToolsTest;

    // Sounds whose decoded size reaches this many bytes are streamed by the sound engine.
    constexpr size_t StreamingThreshold = 0x40000;

    struct Decoded
    {
        int channels = 0;
        long rate = 0;
        std::vector<int16_t> samples; // interleaved
    };

    // A path as one word of a shell command.
    std::string Quoted(const std::filesystem::path& path)
    {
        std::string quoted = "'";
        quoted += path.string();
        quoted += '\'';
        return quoted;
    }

    bool Decode(const std::filesystem::path& path, Decoded& decoded)
    {
        OggVorbis_File file;
        if (ov_fopen(path.c_str(), &file) != 0)
            return false;
        const vorbis_info* info = ov_info(&file, -1);
        decoded.channels = info->channels;
        decoded.rate = info->rate;
        char buffer[8192];
        int section = 0;
        for (long got; (got = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section)) > 0;)
        {
            const auto* samples = reinterpret_cast<const int16_t*>(buffer);
            decoded.samples.insert(decoded.samples.end(), samples, samples + got / 2);
        }
        ov_clear(&file);
        return !decoded.samples.empty();
    }

    struct SoundFile
    {
        const char* name;
        bool music;
    };

    // The game's table of 20 sound files, in its order.
    const SoundFile SoundTable[] = {
        {"CannonFire", false}, {"smallmobdestroy", false}, {"ChainLightning", false},
        {"NormalHit", false}, {"bgm", true}, {"Fire_Tower_Effect", false},
        {"Lightning_Tower_Effect", false}, {"Ice_Tower_Effect", false}, {"Build_Tower_Effect", false},
        {"Cant_Build_Tower_Effect", false}, {"Menu_BGM", true}, {"Hover_Effect", false},
        {"Start_Level", false}, {"FireAoE", false}, {"Heal", false}, {"IceAOE", false},
        {"Shield", false}, {"CityHit", false}, {"BossBGM", true}, {"Criticalhit", false}};

    void ExpectAudibleUnclippedSoundOfTheRightShape(const SoundFile& file, const Decoded& sound)
    {
        EXPECT_EQ(sound.rate, 44100);
        EXPECT_EQ(sound.channels, file.music ? 2 : 1);

        const size_t bytes = sound.samples.size() * 2;
        const double seconds = static_cast<double>(sound.samples.size()) / sound.channels / sound.rate;
        if (file.music)
        {
            EXPECT_GE(bytes, StreamingThreshold) << "music must stream";
            EXPECT_GE(seconds, 20.0);
            EXPECT_LE(seconds, 60.0);
        }
        else
        {
            EXPECT_LT(bytes, StreamingThreshold) << "effects load whole";
            EXPECT_GE(seconds, 0.1);
            EXPECT_LE(seconds, 2.5);
        }

        double energy = 0.0;
        int peak = 0;
        for (int16_t s : sound.samples)
        {
            energy += static_cast<double>(s) * s;
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        }
        const double rms = std::sqrt(energy / static_cast<double>(sound.samples.size())) / 32768.0;
        EXPECT_GT(rms, 0.02) << "not silent";
        EXPECT_GT(peak, 0.3 * 32768) << "not silent";
        EXPECT_LT(peak, 32000) << "not clipped";
    }

    void ExpectStartAtOnceAndEndInSilence(const Decoded& sound)
    {
        const size_t tenMilliseconds = 441;
        int start = 0;
        for (size_t i = 0; i < std::min(sound.samples.size(), 5 * tenMilliseconds); ++i)
            start = std::max(start, std::abs(static_cast<int>(sound.samples[i])));
        EXPECT_GT(start, 1000) << "an effect answers its event without delay";
        int end = 0;
        for (size_t i = sound.samples.size() - tenMilliseconds; i < sound.samples.size(); ++i)
            end = std::max(end, std::abs(static_cast<int>(sound.samples[i])));
        EXPECT_LT(end, 400) << "no click when the effect stops";
    }

    void ExpectLoopWithoutASeam(const Decoded& sound)
    {
        const size_t frames = sound.samples.size() / sound.channels;
        for (int c = 0; c < sound.channels; ++c)
        {
            std::vector<int> steps;
            for (size_t i = 1; i < frames; ++i)
                steps.push_back(std::abs(sound.samples[i * sound.channels + c] - sound.samples[(i - 1) * sound.channels + c]));
            std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
            const int typical = steps[steps.size() * 99 / 100];
            const int seam = std::abs(sound.samples[c] - sound.samples[(frames - 1) * sound.channels + c]);
            EXPECT_LE(seam, typical) << "the jump from the last sample back to the first";
        }
    }

    // Every generated sound is audible, unclipped and of its kind's shape; effects start at once and
    // end in silence, music loops without a seam.
    TEST(SoundFiles, DecodeToSoundsTheEngineAndTheGameCanUse)
    {
        for (const SoundFile& file : SoundTable)
        {
            SCOPED_TRACE(file.name);
            Decoded sound;
            if (!Decode(ResourceDir() / "Sounds" / (std::string(file.name) + ".ogg"), sound))
            {
                ADD_FAILURE() << "no sound decoded";
                continue;
            }
            ExpectAudibleUnclippedSoundOfTheRightShape(file, sound);
            if (file.music)
                ExpectLoopWithoutASeam(sound);
            else
                ExpectStartAtOnceAndEndInSilence(sound);
        }
    }

    TEST(SoundTool, EqualDescriptionsGiveIdenticalFiles)
    {
        const auto tool = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "soundgen";
        const auto description = std::filesystem::path(MORVANE_SOURCE_DIR) / "tools/soundgen/sounds/NormalHit.txt";
        const auto folder = std::filesystem::temp_directory_path() / ("soundgen_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        // The file's title comes from its name, so both runs write a file of the same name.
        for (const char* run : {"a", "b"})
        {
            const auto output = folder / run / "NormalHit.ogg";
            const std::string command = Quoted(tool) + " " + Quoted(description) + " " + Quoted(output);
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
        }
        const std::vector<uint8_t> first = ReadBytes(folder / "a" / "NormalHit.ogg");
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(first, ReadBytes(folder / "b" / "NormalHit.ogg"));
        EXPECT_EQ(first, ReadBytes(ResourceDir() / "Sounds" / "NormalHit.ogg"));
        std::filesystem::remove_all(folder);
    }
}
