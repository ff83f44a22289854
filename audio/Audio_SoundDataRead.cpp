#include "audio/Audio_SoundData.h"
#include "audio/Audio_VorbisTable.h"

#include <algorithm>
#include <cstring>

namespace
{
    constexpr u32 FiveOneChannels = 6;

    // The decoder gives 5.1 frames as front left, centre, front right, rear left, rear right,
    // low frequency; OpenAL wants front left, front right, centre, low frequency, rear left, rear right.
    void ReorderFiveOne(u8* bytes, u32 size)
    {
        constexpr int order[FiveOneChannels] = {0, 2, 1, 5, 3, 4};
        const u32 frameBytes = FiveOneChannels * 2;
        for (u32 offset = 0; offset + frameBytes <= size; offset += frameBytes)
        {
            i16 frame[FiveOneChannels];
            std::memcpy(frame, bytes + offset, frameBytes);
            i16 reordered[FiveOneChannels];
            for (u32 i = 0; i < FiveOneChannels; ++i)
                reordered[i] = frame[order[i]];
            std::memcpy(bytes + offset, reordered, frameBytes);
        }
    }
}

u32 SoundData::ReadOgg(u8* destination, u32 size, u32 channels)
{
    Audio::VorbisTable& table = Audio::GetVorbisTable();
    u32 got = 0;
    int section = 0;
    while (got < size)
    {
        const long read = table.read(oggStream, reinterpret_cast<char*>(destination + got),
                                     static_cast<int>(size - got), 0, 2, 1, &section);
        if (read <= 0)
            break;
        got += static_cast<u32>(read);
    }
    if (channels == FiveOneChannels)
        ReorderFiveOne(destination, got);
    return got;
}

int SoundData::ReadChunk(u32& bytes)
{
    bytes = 0;
    if (IsWavOpen())
    {
        const off_t position = ftello(format.file);
        const off_t end = static_cast<off_t>(format.dataOffset) + format.dataSize;
        const off_t left = position >= 0 && position < end ? end - position : 0;
        const u32 wanted = static_cast<u32>(std::min<off_t>(streamBufferSize, left));
        if (wanted > 0)
            bytes = static_cast<u32>(std::fread(format.decodeBuffer, 1, wanted, format.file));
        return SoundResult::Ok;
    }
    if (IsOggOpen())
    {
        if (streamBufferSize > 0)
            bytes = ReadOgg(format.decodeBuffer, streamBufferSize, format.channels);
        return SoundResult::Ok;
    }
    return SoundResult::NothingOpen;
}

int SoundData::RewindData()
{
    return Seek(0);
}

int SoundData::Seek(u32 offset)
{
    if (IsWavOpen())
    {
        std::clearerr(format.file);
        return fseeko(format.file, static_cast<off_t>(format.dataOffset) + offset, SEEK_SET) == 0
                   ? SoundResult::Ok
                   : SoundResult::Malformed;
    }
    if (IsOggOpen())
    {
        Audio::VorbisTable& table = Audio::GetVorbisTable();
        if (!table.ready)
            return SoundResult::DecoderUnavailable;
        return table.rawSeek(oggStream, offset) == 0 ? SoundResult::Ok : SoundResult::Malformed;
    }
    return SoundResult::NothingOpen;
}

int SoundData::DecodeWhole(const Core::String& path)
{
    const int opened = Open(path);
    if (opened != SoundResult::Ok)
        return opened;
    if (IsWavOpen())
    {
        AllocateDecodeBuffer(format.dataSize);
        if (std::fread(format.decodeBuffer, 1, format.dataSize, format.file) != format.dataSize)
        {
            ResetFormat();
            return SoundResult::Malformed;
        }
    }
    else
        DecodeWholeOgg();
    Close();
    return SoundResult::Ok;
}

// Decodes one second at a time until the decoder runs dry, but never past the length the stream
// declares, so a forged stream cannot make the whole load grow without bound.
void SoundData::DecodeWholeOgg()
{
    const u32 blockSize = format.bytesPerSecond;
    Core::Vector<u8*> blocks;
    Core::Vector<u32> blockBytes;
    u32 total = 0;
    while (total < format.dataSize)
    {
        auto* block = static_cast<u8*>(Core::TrackedNew(blockSize, __FILE__, __LINE__));
        const u32 got = std::min(ReadOgg(block, blockSize, format.channels), format.dataSize - total);
        blocks.push_back(block);
        blockBytes.push_back(got);
        total += got;
        if (got < blockSize)
            break;
    }
    AllocateDecodeBuffer(total);
    u32 offset = 0;
    for (std::size_t i = 0; i < blocks.size(); ++i)
    {
        if (blockBytes[i] > 0)
            std::memcpy(format.decodeBuffer + offset, blocks[i], blockBytes[i]);
        offset += blockBytes[i];
        Core::TrackedDelete(blocks[i], blockSize);
    }
    format.dataSize = total;
}
