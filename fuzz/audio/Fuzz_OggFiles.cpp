// Ogg Vorbis sound files, opened and decoded whole as the sound engine loads them. Every page of
// a mutated input gets its checksum mended, since the Ogg layer drops pages with a wrong one and
// the decoder behind it would otherwise see nothing but the seeds. Seeds come from the sound
// tool's Vorbis encoder and from the game's smallest generated sound.
#include "fuzz/Fuzz_Target.h"

#include "audio/Audio_SoundData.h"
#include "audio/Audio_SoundEngine.h"
#include "tools/soundgen/SoundGen_Vorbis.h"

#include <cmath>
#include <string>

namespace
{
constexpr std::size_t PageHeaderSize = 27;

bool Read(const u8* data, std::size_t size)
{
    SoundEngine::InitVorbisTable();
    const Fuzz::TemporaryFile file(".ogg", data, size);
    SoundData sound;
    return sound.DecodeWhole(file.Path()) == SoundResult::Ok;
}

// The Ogg page checksum: CRC-32 with polynomial 0x04C11DB7, no reflection, initial value 0, over
// the page with its checksum field zeroed.
u32 PageChecksum(const u8* page, std::size_t size)
{
    u32 crc = 0;
    for (std::size_t i = 0; i < size; ++i)
    {
        const u8 byte = i >= 22 && i < 26 ? 0 : page[i];
        crc ^= static_cast<u32>(byte) << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 0x80000000u ? crc << 1 ^ 0x04C11DB7u : crc << 1;
    }
    return crc;
}

std::size_t RepairPages(u8* data, std::size_t size, std::size_t)
{
    for (std::size_t at = 0; at + PageHeaderSize <= size;)
    {
        if (data[at] != 'O' || data[at + 1] != 'g' || data[at + 2] != 'g' || data[at + 3] != 'S')
        {
            ++at;
            continue;
        }
        const std::size_t segments = data[at + 26];
        if (at + PageHeaderSize + segments > size)
            break;
        std::size_t body = 0;
        for (std::size_t i = 0; i < segments; ++i)
            body += data[at + PageHeaderSize + i];
        const std::size_t pageSize = PageHeaderSize + segments + body;
        if (at + pageSize > size)
            break;
        const u32 crc = PageChecksum(data + at, pageSize);
        for (int i = 0; i < 4; ++i)
            data[at + 22 + i] = static_cast<u8>(crc >> (8 * i));
        at += pageSize;
    }
    return size;
}

Fuzz::Bytes Tone(int channels, int rate, int frames)
{
    std::vector<float> samples(static_cast<std::size_t>(frames) * static_cast<std::size_t>(channels));
    for (int i = 0; i < frames; ++i)
        for (int channel = 0; channel < channels; ++channel)
            samples[static_cast<std::size_t>(i * channels + channel)] = static_cast<float>(0.5 * std::sin(0.05 * (channel + 1) * i));
    std::vector<unsigned char> bytes;
    SoundGen::EncodeOggVorbis(samples, channels, rate, 0.1, "fuzz", bytes);
    return Fuzz::Bytes(bytes.begin(), bytes.end());
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    seeds.emplace_back("mono-8000.ogg", Tone(1, 8000, 2000));
    seeds.emplace_back("stereo-22050.ogg", Tone(2, 22050, 3000));
    seeds.emplace_back("five-one-11025.ogg", Tone(6, 11025, 1000));
    const Fuzz::Bytes hover = Fuzz::ReadResource("Sounds/Hover_Effect.ogg");
    if (!hover.empty())
        seeds.emplace_back("Hover_Effect.ogg", hover);
}

const Fuzz::Registration registration("OggFiles", Read, WriteSeeds, RepairPages);
}  // namespace
