#pragma once

#include "core/Core_Memory.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"

#include <cstdio>

struct OggVorbis_File;
struct vorbis_info;

// Result codes of the sound-data operations.
namespace SoundResult
{
    constexpr int Ok = 0;
    constexpr int CannotOpen = -1;
    constexpr int Malformed = -2;
    constexpr int NothingOpen = -13;
    constexpr int DecoderUnavailable = -16;
}

// What a sound file says about its samples, plus the open file and the decode buffer that belong
// to it. Resetting it frees the buffer and closes the file.
struct SoundFormat
{
    static constexpr u32 PlainKind = 1;
    static constexpr u32 ExtensibleKind = 2;

    u32 kind = PlainKind;
    u16 tag = 0;
    u16 channels = 0;
    u32 frequency = 0;
    u32 bytesPerSecond = 0;
    u16 blockAlign = 0;
    u16 bitsPerSample = 0;
    u16 extraSize = 0;
    u16 validBitsPerSample = 0;
    u32 channelMask = 0;
    u8 subFormat[16] = {};
    u8* decodeBuffer = nullptr;
    u32 decodeBufferCapacity = 0;
    u32 dataSize = 0;
    double duration = 0.0;
    std::FILE* file = nullptr;
    u32 dataOffset = 0;
};

// One sound file made ready for OpenAL: decoded whole into one or two buffers, or kept open and
// decoded piece by piece into a ring of queued buffers (a stream). The sound engine makes and owns
// every record.
class SoundData
{
public:
    static constexpr u32 WavFile = 0;
    static constexpr u32 OggFile = 1;

    SoundData();
    ~SoundData();
    SoundData(const SoundData&) = delete;
    SoundData& operator=(const SoundData&) = delete;

    static void* operator new(std::size_t size);
    static void operator delete(void* pointer, std::size_t size);

    int Open(const Core::String& requestedPath);
    int ReadChunk(u32& bytes);
    int RewindData();
    int Seek(u32 offset);
    void Close();
    int DecodeWhole(const Core::String& path);
    u32 ReadOgg(u8* destination, u32 size, u32 channels);

    double GetDuration() const { return format.duration; }
    u32 GetFileType() const { return fileType; }
    const SoundFormat& GetFormat() const { return format; }
    const Core::String& GetFileName() const { return fileName; }
    u32 GetAlFormat() const { return alFormat; }
    const u32* GetBuffers() const { return buffers; }
    u32 GetBufferCount() const { return bufferCount; }
    u32 GetStreamBufferSize() const { return streamBufferSize; }
    float GetSplitFraction() const { return splitFraction; }
    const u8* GetDecodeBuffer() const { return format.decodeBuffer; }
    bool IsWavOpen() const { return format.file != nullptr; }
    bool IsOggOpen() const { return oggInfo != nullptr; }

private:
    friend class SoundEngine;

    int OpenOgg(const Core::String& path);
    int ReadRiff();
    void DecodeWholeOgg();
    void ClearOgg();
    void ResetFormat();
    void AllocateDecodeBuffer(u32 size);
    void FreeDecodeBuffer();
    void AllocateBuffers(u32 count);
    void FreeBuffers();

    u32 fileType = WavFile;
    SoundFormat format;
    OggVorbis_File* oggStream = nullptr;
    vorbis_info* oggInfo = nullptr;
    Core::String fileName;
    u32 alFormat = 0;
    u32* buffers = nullptr;
    u32 bufferCount = 0;
    u32 streamBufferSize = 0;
    float splitFraction = 0.0f;
};
