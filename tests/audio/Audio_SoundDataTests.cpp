#include "tests/support/Support_SoundFiles.h"
#include "audio/Audio_SoundData.h"
#include "audio/Audio_SoundEngine.h"
#include "tests/support/Support_Scratch.h"

#include <AL/al.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace AudioTest;

namespace
{
    class SoundDataTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            SoundEngine::InitVorbisTable();
        }

        Core::String Write(const std::string& name, const Bytes& bytes)
        {
            return Core::String(scratch.Write(name, bytes).c_str());
        }

        int OpenBytes(const Bytes& bytes, const char* name = "sound.wav")
        {
            return data.Open(Write(name, bytes));
        }

        TestSupport::ScratchFolder scratch{"morvane_audio_data"};
        const std::string folder = scratch.Path().string();
        SoundData data;
    };

    double ChannelEnergy(const u8* pcm, u32 bytes, u32 channels, u32 channel)
    {
        double energy = 0.0;
        for (u32 offset = channel * 2; offset + 2 <= bytes; offset += channels * 2)
        {
            i16 sample;
            std::memcpy(&sample, pcm + offset, 2);
            energy += static_cast<double>(sample) * sample;
        }
        return energy;
    }
}

TEST_F(SoundDataTest, MonoAndStereoWavFilesOf8And16BitsDecodeTheirSamplesExactly)
{
    const struct
    {
        u16 channels;
        u16 bits;
        ALenum alFormat;
    } layouts[] = {{1, 8, AL_FORMAT_MONO8}, {1, 16, AL_FORMAT_MONO16}, {2, 8, AL_FORMAT_STEREO8},
                   {2, 16, AL_FORMAT_STEREO16}};
    for (const auto& layout : layouts)
    {
        SCOPED_TRACE(testing::Message() << layout.channels << " channels of " << layout.bits << " bits");
        const Bytes pcm = TonePcm(layout.channels, layout.bits, 11025, 2000);
        const Core::String path = Write("tone" + std::to_string(layout.channels) + "x" + std::to_string(layout.bits) +
                                            ".wav",
                                        MakeWav(layout.channels, layout.bits, 11025, 2000));
        SoundData decoded;
        ASSERT_EQ(decoded.DecodeWhole(path), SoundResult::Ok);
        const SoundFormat& format = decoded.GetFormat();
        EXPECT_EQ(format.channels, layout.channels);
        EXPECT_EQ(format.bitsPerSample, layout.bits);
        EXPECT_EQ(format.frequency, 11025u);
        EXPECT_EQ(format.blockAlign, layout.channels * layout.bits / 8);
        EXPECT_DOUBLE_EQ(decoded.GetDuration(), 2000.0 / 11025.0);
        EXPECT_EQ(decoded.GetAlFormat(), static_cast<u32>(layout.alFormat));
        EXPECT_EQ(decoded.GetFileName(), path);
        ASSERT_EQ(format.dataSize, pcm.size());
        EXPECT_EQ(std::memcmp(decoded.GetDecodeBuffer(), pcm.data(), pcm.size()), 0);
        EXPECT_FALSE(decoded.IsWavOpen());
    }
}

TEST_F(SoundDataTest, FileTypeComesFromTheExtensionInAnyCase)
{
    const Bytes wav = MakeWav(1, 16, 8000, 100);
    EXPECT_EQ(OpenBytes(wav, "upper.WAV"), SoundResult::Ok);
    EXPECT_EQ(data.GetFileType(), SoundData::WavFile);
    EXPECT_EQ(OpenBytes(MakeOgg(1, 22050, 3000), "mixed.oGg"), SoundResult::Ok);
    EXPECT_EQ(data.GetFileType(), SoundData::OggFile);
    EXPECT_EQ(OpenBytes(wav, "tone.mp3"), SoundResult::Malformed);
    EXPECT_EQ(data.Open("ab"), SoundResult::CannotOpen);
    EXPECT_EQ(data.Open(Core::String((folder + "/missing.wav").c_str())), SoundResult::CannotOpen);
    EXPECT_TRUE(data.GetFileName().empty());
}

TEST_F(SoundDataTest, BackslashPathsOpenAndKeepTheirSpelling)
{
    Write("tone.wav", MakeWav(1, 16, 8000, 100));
    const Core::String path((folder + "\\tone.wav").c_str());
    ASSERT_EQ(data.Open(path), SoundResult::Ok);
    EXPECT_EQ(data.GetFileName(), path);
}

TEST_F(SoundDataTest, OddChunksAreFollowedByAPadByte)
{
    const Bytes pcm = TonePcm(1, 8, 8000, 5);
    const Bytes file = Riff({Chunk("LIST", Bytes{1, 2, 3}), Chunk("fmt ", PlainFormat(1, 8000, 8)), Chunk("data", pcm),
                             Chunk("cue ", Bytes{9})});
    ASSERT_EQ(OpenBytes(file), SoundResult::Ok);
    EXPECT_EQ(data.GetFormat().dataSize, 5u);
    EXPECT_EQ(data.GetFormat().dataOffset, 12u + 8 + 4 + 8 + 16 + 8);
}

TEST_F(SoundDataTest, RiffHeaderIsCheckedWithoutRegardToCase)
{
    Bytes file = MakeWav(1, 16, 8000, 10);
    std::memcpy(file.data(), "riff", 4);
    std::memcpy(file.data() + 8, "wave", 4);
    EXPECT_EQ(OpenBytes(file), SoundResult::Ok);

    std::memcpy(file.data(), "RIFX", 4);
    EXPECT_EQ(OpenBytes(file), SoundResult::Malformed);
    EXPECT_EQ(OpenBytes(Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V'}), SoundResult::Malformed);
    EXPECT_EQ(OpenBytes(Bytes{}), SoundResult::Malformed);
    EXPECT_FALSE(data.IsWavOpen());
}

TEST_F(SoundDataTest, FilesWithoutUsableFormatOrDataAreRejected)
{
    const Bytes pcm = TonePcm(1, 16, 8000, 10);
    Bytes longFormat = PlainFormat(1, 8000, 16);
    longFormat.resize(46);
    EXPECT_EQ(OpenBytes(Riff({Chunk("fmt ", longFormat), Chunk("data", pcm)})), SoundResult::Malformed);
    EXPECT_EQ(OpenBytes(Riff({Chunk("fmt ", PlainFormat(1, 8000, 16))})), SoundResult::Malformed);
    EXPECT_EQ(OpenBytes(Riff({Chunk("data", pcm)})), SoundResult::Malformed);
    EXPECT_EQ(OpenBytes(Riff({Chunk("fmt ", Bytes{}), Chunk("data", pcm)})), SoundResult::Malformed);
}

TEST_F(SoundDataTest, UnplayableSampleLayoutsAreRejected)
{
    const Bytes pcm(64, 0);
    const std::vector<Bytes> formats = {
        PlainFormat(3, 8000, 16),                  // three channels
        PlainFormat(4, 8000, 8),                   // quad of 8 bits
        PlainFormat(2, 8000, 24),                  // 24-bit samples
        PlainFormat(1, 8000, 12),                  // 12-bit samples
        FormatFields(1, 0, 8000, 16000, 2, 16),    // no channels
        FormatFields(1, 1, 8000, 16000, 0, 16),    // no block align
        FormatFields(1, 1, 8000, 0, 2, 16),        // no byte rate
        FormatFields(1, 2, 8000, 32000, 2, 16),    // frames narrower than their samples
        FormatFields(3, 1, 8000, 32000, 4, 32),    // floating-point tag
        ExtensibleFormat(2, 8000, 8, 0x30),        // rear pair of 8 bits
        ExtensibleFormat(2, 8000, 16, 0x5),        // unknown speaker mask
    };
    for (std::size_t i = 0; i < formats.size(); ++i)
        EXPECT_EQ(OpenBytes(Riff({Chunk("fmt ", formats[i]), Chunk("data", pcm)})), SoundResult::Malformed)
            << "format " << i;
}

TEST_F(SoundDataTest, SupportedLayoutsChooseTheirOpenALFormat)
{
    struct Case
    {
        Bytes format;
        const char* name;
    };
    const std::vector<Case> cases = {
        {PlainFormat(4, 8000, 16), "AL_FORMAT_QUAD16"},
        {ExtensibleFormat(1, 8000, 8, 0x4), "AL_FORMAT_MONO8"},
        {ExtensibleFormat(2, 8000, 16, 0x3), "AL_FORMAT_STEREO16"},
        {ExtensibleFormat(2, 8000, 16, 0x30), "AL_FORMAT_REAR16"},
        {ExtensibleFormat(6, 8000, 16, 0x3F), "AL_FORMAT_51CHN16"},
        {ExtensibleFormat(8, 8000, 16, 0x63F), "AL_FORMAT_71CHN16"},
    };
    for (const Case& c : cases)
    {
        ASSERT_EQ(OpenBytes(Riff({Chunk("fmt ", c.format), Chunk("data", Bytes(96, 0))})), SoundResult::Ok) << c.name;
        EXPECT_EQ(data.GetAlFormat(), static_cast<u32>(alGetEnumValue(c.name))) << c.name;
        EXPECT_NE(data.GetAlFormat(), 0u) << c.name;
    }
    EXPECT_EQ(data.GetFormat().kind, SoundFormat::ExtensibleKind);
    EXPECT_EQ(data.GetFormat().channelMask, 0x63Fu);
}

TEST_F(SoundDataTest, DataLargerThanTheFileIsCutToTheWholeFramesThere)
{
    const Bytes pcm = TonePcm(2, 16, 8000, 25);
    for (u32 declared : {1000u, 0xFFFFFFFFu})
    {
        Bytes file = Riff({Chunk("fmt ", PlainFormat(2, 8000, 16)), ChunkHeader("data", declared)});
        Append(file, pcm);
        file.push_back(0x55); // half a frame more
        file.push_back(0x66);
        const Core::String path = Write("long.wav", file);
        ASSERT_EQ(data.DecodeWhole(path), SoundResult::Ok) << declared;
        ASSERT_EQ(data.GetFormat().dataSize, pcm.size()) << declared;
        EXPECT_EQ(std::memcmp(data.GetDecodeBuffer(), pcm.data(), pcm.size()), 0);
        EXPECT_DOUBLE_EQ(data.GetDuration(), 25.0 / 8000.0);
    }
}

TEST_F(SoundDataTest, TruncatedAndOversizedChunksNeverReadPastTheFile)
{
    const Bytes pcm = TonePcm(1, 16, 8000, 10);
    Bytes cutFormat = Riff({ChunkHeader("fmt ", 16)});
    cutFormat.resize(cutFormat.size() + 7, 1);
    EXPECT_EQ(OpenBytes(cutFormat), SoundResult::Malformed);

    Bytes hugeTrailer = Riff({Chunk("fmt ", PlainFormat(1, 8000, 16)), Chunk("data", pcm), ChunkHeader("junk", 0xFFFFFFFF)});
    EXPECT_EQ(OpenBytes(hugeTrailer), SoundResult::Ok);
    EXPECT_EQ(data.GetFormat().dataSize, pcm.size());

    Bytes hugeBeforeData = Riff({Chunk("fmt ", PlainFormat(1, 8000, 16)), ChunkHeader("junk", 0xFFFFFFFE)});
    Append(hugeBeforeData, Chunk("data", pcm));
    EXPECT_EQ(OpenBytes(hugeBeforeData), SoundResult::Malformed);

    Bytes cutHeader = Riff({Chunk("fmt ", PlainFormat(1, 8000, 16)), Chunk("data", pcm)});
    Append(cutHeader, Bytes{'L', 'I', 'S'});
    EXPECT_EQ(OpenBytes(cutHeader), SoundResult::Ok);
}

TEST_F(SoundDataTest, OggStreamsDescribeAndDecodeTheirSamples)
{
    for (int channels : {1, 2})
    {
        const long frames = 30000;
        ASSERT_EQ(data.Open(Write("tone.ogg", MakeOgg(channels, 22050, frames))), SoundResult::Ok);
        const SoundFormat& format = data.GetFormat();
        EXPECT_EQ(format.channels, channels);
        EXPECT_EQ(format.frequency, 22050u);
        EXPECT_EQ(format.bitsPerSample, 16);
        EXPECT_EQ(format.blockAlign, channels * 2);
        EXPECT_EQ(format.bytesPerSecond, 22050u * channels * 2);
        EXPECT_EQ(format.dataSize, static_cast<u32>(frames * channels * 2));
        EXPECT_NEAR(data.GetDuration(), frames / 22050.0, 1e-6);
        EXPECT_EQ(data.GetAlFormat(), static_cast<u32>(channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16));

        ASSERT_EQ(data.DecodeWhole(data.GetFileName()), SoundResult::Ok);
        ASSERT_EQ(data.GetFormat().dataSize, static_cast<u32>(frames * channels * 2));
        for (int channel = 0; channel < channels; ++channel)
            EXPECT_GT(ChannelEnergy(data.GetDecodeBuffer(), data.GetFormat().dataSize, channels, channel), 1e9);
        EXPECT_FALSE(data.IsOggOpen());
    }
}

TEST_F(SoundDataTest, FiveOneOggComesOutInOpenALChannelOrder)
{
    // Only the decoder's second channel (the centre) carries a tone; OpenAL wants the centre third.
    ASSERT_EQ(data.DecodeWhole(Write("centre.ogg", MakeOgg(6, 44100, 8000, 1u << 1))), SoundResult::Ok);
    EXPECT_EQ(data.GetAlFormat(), static_cast<u32>(alGetEnumValue("AL_FORMAT_51CHN16")));
    const u8* pcm = data.GetDecodeBuffer();
    const u32 bytes = data.GetFormat().dataSize;
    const double centre = ChannelEnergy(pcm, bytes, 6, 2);
    EXPECT_GT(centre, 1e9);
    for (u32 channel : {0u, 1u, 3u, 4u, 5u})
        EXPECT_LT(ChannelEnergy(pcm, bytes, 6, channel), centre / 100) << channel;
}

TEST_F(SoundDataTest, DamagedOggFilesFailOrDecodeWithinTheirBounds)
{
    const Bytes good = MakeOgg(2, 22050, 40000);
    EXPECT_EQ(OpenBytes(Bytes(500, 0x4F), "garbage.ogg"), SoundResult::Malformed);
    EXPECT_EQ(OpenBytes(Bytes(good.begin(), good.begin() + 100), "headers.ogg"), SoundResult::Malformed);
    EXPECT_FALSE(data.IsOggOpen());

    Bytes damaged = good;
    for (std::size_t i = damaged.size() / 3; i < damaged.size() / 3 + 200; ++i)
        damaged[i] ^= 0xA5;
    Bytes cut(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    for (const Bytes& file : {damaged, cut})
    {
        const Core::String path = Write("damaged.ogg", file);
        const int result = data.DecodeWhole(path);
        EXPECT_TRUE(result == SoundResult::Ok || result == SoundResult::Malformed);
        if (result == SoundResult::Ok)
        {
            EXPECT_LE(data.GetFormat().dataSize, 40000u * 4);
        }
    }
}

TEST_F(SoundDataTest, CodebooksOfNoDimensionAreRefusedBeforeTheDecoderDividesByThem)
{
    // A mono file whose first residue was made type 0 and whose cascade book was given dimension
    // 0 with lookup type 2: libvorbis opens it and then divides by zero in ov_read.
    const Bytes hostile = TestSupport::ReadFileBytes(std::string(MORVANE_SOURCE_DIR) + "/tests/fuzz/OggFiles/zero-dimension-codebook-in-type-0-residue.ogg");
    ASSERT_FALSE(hostile.empty());
    EXPECT_EQ(data.DecodeWhole(Write("hostile.ogg", hostile)), SoundResult::Malformed);
    EXPECT_FALSE(data.IsOggOpen());
    EXPECT_EQ(data.DecodeWhole(Write("good.ogg", MakeOgg(1, 8000, 2000))), SoundResult::Ok);
}

TEST_F(SoundDataTest, OperationsNeedAnOpenFile)
{
    u32 bytes = 7;
    EXPECT_EQ(data.ReadChunk(bytes), SoundResult::NothingOpen);
    EXPECT_EQ(bytes, 0u);
    EXPECT_EQ(data.RewindData(), SoundResult::NothingOpen);
    EXPECT_EQ(data.Seek(4), SoundResult::NothingOpen);
    EXPECT_EQ(SoundEngine::GetAlFormat(data), SoundResult::NothingOpen);
}

TEST_F(SoundDataTest, OggNeedsTheDecoderTable)
{
    const Core::String path = Write("tone.ogg", MakeOgg(1, 22050, 2000));
    {
        SoundEngine engine;
    }
    EXPECT_EQ(data.Open(path), SoundResult::DecoderUnavailable);
    SoundEngine::InitVorbisTable();
    EXPECT_EQ(data.Open(path), SoundResult::Ok);
}
