#pragma once

#include "core/Core_Types.h"

#include <string>
#include <vector>

// Sound files made by the tests themselves: RIFF files assembled chunk by chunk (so that broken
// ones are as easy to make as good ones) and Ogg Vorbis files encoded from a generated tone.
namespace AudioTest
{
    using Bytes = std::vector<u8>;

    void PutU16(Bytes& bytes, u16 value);
    void PutU32(Bytes& bytes, u32 value);
    void Append(Bytes& bytes, const Bytes& more);

    // A plain PCM "fmt " payload with consistent block align and byte rate.
    Bytes PlainFormat(u16 channels, u32 frequency, u16 bits);
    // The same fields spelt out, for headers that contradict themselves.
    Bytes FormatFields(u16 tag, u16 channels, u32 frequency, u32 bytesPerSecond, u16 blockAlign, u16 bits);
    // An extensible payload (40 bytes) with the given channel mask.
    Bytes ExtensibleFormat(u16 channels, u32 frequency, u16 bits, u32 channelMask);
    // Chunk header and payload, with the pad byte after an odd payload.
    Bytes Chunk(const char* id, const Bytes& payload);
    // A chunk header that declares `declaredSize` whatever follows it.
    Bytes ChunkHeader(const char* id, u32 declaredSize);
    Bytes Riff(const std::vector<Bytes>& chunks);

    // Interleaved PCM of a tone, a different one in each channel; 8-bit samples are unsigned.
    Bytes TonePcm(u16 channels, u16 bits, u32 frequency, u32 frames);
    Bytes MakeWav(u16 channels, u16 bits, u32 frequency, u32 frames);

    // Channels whose bit is clear in toneMask stay silent.
    Bytes MakeOgg(int channels, long frequency, long frames, u32 toneMask = 0xFFFFFFFFu);

    // The first channel of a rendered file as floats in [-1, 1], with its sample rate: the
    // wave-file backend writes 16-bit integers or 32-bit floats, depending on the device format.
    struct RenderedChannel
    {
        u32 rate = 0;
        std::vector<float> samples;
    };
    RenderedChannel FirstChannel(const Bytes& file);
}
