#include "tests/support/Support_SoundFiles.h"

#include "tools/soundgen/SoundGen_Vorbis.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

// The Vorbis encoder's set-up for more than two channels loses one block of its own; the tests
// only use the encoder to make their input files.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:vorbis_encode_setup_init\n";
}

namespace AudioTest
{
    void PutU16(Bytes& bytes, u16 value)
    {
        bytes.push_back(static_cast<u8>(value));
        bytes.push_back(static_cast<u8>(value >> 8));
    }

    void PutU32(Bytes& bytes, u32 value)
    {
        PutU16(bytes, static_cast<u16>(value));
        PutU16(bytes, static_cast<u16>(value >> 16));
    }

    void Append(Bytes& bytes, const Bytes& more)
    {
        bytes.insert(bytes.end(), more.begin(), more.end());
    }

    Bytes FormatFields(u16 tag, u16 channels, u32 frequency, u32 bytesPerSecond, u16 blockAlign, u16 bits)
    {
        Bytes payload;
        PutU16(payload, tag);
        PutU16(payload, channels);
        PutU32(payload, frequency);
        PutU32(payload, bytesPerSecond);
        PutU16(payload, blockAlign);
        PutU16(payload, bits);
        return payload;
    }

    Bytes PlainFormat(u16 channels, u32 frequency, u16 bits)
    {
        const u16 blockAlign = static_cast<u16>(channels * ((bits + 7) / 8));
        return FormatFields(1, channels, frequency, frequency * blockAlign, blockAlign, bits);
    }

    Bytes ExtensibleFormat(u16 channels, u32 frequency, u16 bits, u32 channelMask)
    {
        const u16 blockAlign = static_cast<u16>(channels * ((bits + 7) / 8));
        Bytes payload = FormatFields(0xFFFE, channels, frequency, frequency * blockAlign, blockAlign, bits);
        PutU16(payload, 22);
        PutU16(payload, bits);
        PutU32(payload, channelMask);
        const u8 pcmSubFormat[16] = {1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
        payload.insert(payload.end(), std::begin(pcmSubFormat), std::end(pcmSubFormat));
        return payload;
    }

    Bytes ChunkHeader(const char* id, u32 declaredSize)
    {
        Bytes bytes(id, id + 4);
        PutU32(bytes, declaredSize);
        return bytes;
    }

    Bytes Chunk(const char* id, const Bytes& payload)
    {
        Bytes bytes = ChunkHeader(id, static_cast<u32>(payload.size()));
        Append(bytes, payload);
        if (payload.size() % 2 != 0)
            bytes.push_back(0);
        return bytes;
    }

    Bytes Riff(const std::vector<Bytes>& chunks)
    {
        Bytes body{'W', 'A', 'V', 'E'};
        for (const Bytes& chunk : chunks)
            Append(body, chunk);
        Bytes bytes{'R', 'I', 'F', 'F'};
        PutU32(bytes, static_cast<u32>(body.size()));
        Append(bytes, body);
        return bytes;
    }

    Bytes TonePcm(u16 channels, u16 bits, u32 frequency, u32 frames)
    {
        Bytes pcm;
        for (u32 frame = 0; frame < frames; ++frame)
            for (u16 channel = 0; channel < channels; ++channel)
            {
                const double tone = 220.0 * (channel + 1);
                const double value = 0.5 * std::sin(2.0 * M_PI * tone * frame / frequency);
                if (bits == 8)
                    pcm.push_back(static_cast<u8>(128 + std::lround(value * 127)));
                else
                    PutU16(pcm, static_cast<u16>(static_cast<i16>(std::lround(value * 32767))));
            }
        return pcm;
    }

    Bytes MakeWav(u16 channels, u16 bits, u32 frequency, u32 frames)
    {
        return Riff({Chunk("fmt ", PlainFormat(channels, frequency, bits)),
                     Chunk("data", TonePcm(channels, bits, frequency, frames))});
    }

    Bytes MakeOgg(int channels, long frequency, long frames, u32 toneMask)
    {
        std::vector<float> samples(static_cast<size_t>(frames) * channels);
        for (long i = 0; i < frames; ++i)
            for (int channel = 0; channel < channels; ++channel)
            {
                const bool tone = (toneMask >> channel & 1u) != 0;
                const double phase = 2.0 * M_PI * 220.0 * (channel + 1) * i / frequency;
                samples[static_cast<size_t>(i) * channels + channel] = tone ? static_cast<float>(0.5 * std::sin(phase)) : 0.0f;
            }
        Bytes out;
        if (!SoundGen::EncodeOggVorbis(samples, channels, static_cast<int>(frequency), 0.4, "test", out))
            throw std::runtime_error("the Vorbis encoder refused the set-up");
        return out;
    }

    static u32 ReadU32(const Bytes& bytes, std::size_t at)
    {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<u32>(bytes[at + 3]) << 24;
    }

    RenderedChannel FirstChannel(const Bytes& file)
    {
        RenderedChannel rendered;
        std::vector<float>& samples = rendered.samples;
        if (file.size() < 12)
            return rendered;
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
                rendered.rate = ReadU32(file, payload + 4);
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
        return rendered;
    }
}
