// WAV sound files, opened and read whole as the sound engine loads them. The project writes no WAV
// file, so the seeds are assembled here chunk by chunk: plain PCM of 8 and 16 bits and an
// extensible 5.1 file, with a list chunk the reader must step over.
#include "fuzz/Fuzz_Target.h"

#include "audio/Audio_SoundData.h"
#include "audio/Audio_SoundEngine.h"

#include <string>

namespace
{
bool Read(const u8* data, std::size_t size)
{
    SoundEngine::InitVorbisTable();
    const Fuzz::TemporaryFile file(".wav", data, size);
    SoundData sound;
    return sound.DecodeWhole(file.Path()) == SoundResult::Ok;
}

void Chunk(Fuzz::Bytes& out, const char* id, const Fuzz::Bytes& payload)
{
    out.insert(out.end(), id, id + 4);
    Fuzz::PutLittleEndian32(out, static_cast<u32>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    if (payload.size() % 2 != 0)
        out.push_back(0);
}

Fuzz::Bytes Wav(u16 channels, u32 rate, u16 bits, bool extensible, u32 frames)
{
    const u16 blockAlign = static_cast<u16>(channels * bits / 8);
    Fuzz::Bytes format;
    Fuzz::PutLittleEndian16(format, extensible ? 0xFFFE : 1);
    Fuzz::PutLittleEndian16(format, channels);
    Fuzz::PutLittleEndian32(format, rate);
    Fuzz::PutLittleEndian32(format, rate * blockAlign);
    Fuzz::PutLittleEndian16(format, blockAlign);
    Fuzz::PutLittleEndian16(format, bits);
    if (extensible)
    {
        Fuzz::PutLittleEndian16(format, 22);
        Fuzz::PutLittleEndian16(format, bits);
        Fuzz::PutLittleEndian32(format, 0x3F);
        const u8 pcm[16] = {1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
        format.insert(format.end(), pcm, pcm + 16);
    }
    Fuzz::Bytes samples;
    for (u32 i = 0; i < frames * blockAlign; ++i)
        samples.push_back(static_cast<u8>(i * 37));
    Fuzz::Bytes body = {'W', 'A', 'V', 'E'};
    Chunk(body, "fmt ", format);
    Chunk(body, "LIST", {'I', 'N', 'F', 'O', 'x'});
    Chunk(body, "data", samples);
    Fuzz::Bytes file;
    Chunk(file, "RIFF", body);
    return file;
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    seeds.emplace_back("mono8.wav", Wav(1, 8000, 8, false, 40));
    seeds.emplace_back("stereo16.wav", Wav(2, 22050, 16, false, 30));
    seeds.emplace_back("five-one16.wav", Wav(6, 44100, 16, true, 10));
}

const Fuzz::Registration registration("WavFiles", Read, WriteSeeds);
}  // namespace
