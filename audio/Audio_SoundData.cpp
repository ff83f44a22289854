#include "audio/Audio_SoundData.h"
#include "audio/Audio_AlCall.h"
#include "audio/Audio_SoundDataOggCheck.h"
#include "core/PAL_Path.h"
#include "audio/Audio_SoundEngine.h"
#include "audio/Audio_VorbisTable.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <new>

namespace
{
    // Above this rate a file is taken as corrupt: one second of its samples would be an
    // unreasonable allocation.
    constexpr long MaxOggFrequency = 384000;

    bool EndsWithNoCase(const Core::String& path, const char* extension)
    {
        const std::size_t length = path.size();
        for (std::size_t i = 0; i < 3; ++i)
        {
            const unsigned char c = static_cast<unsigned char>(path.c_str()[length - 3 + i]);
            if (std::toupper(c) != extension[i])
                return false;
        }
        return true;
    }
}

SoundData::SoundData() = default;

SoundData::~SoundData()
{
    FreeBuffers();
    ClearOgg();
    ResetFormat();
    if (oggStream)
        Core::TrackedDelete(oggStream, sizeof(OggVorbis_File));
}

void* SoundData::operator new(std::size_t size)
{
    return Core::TrackedNew(size, __FILE__, __LINE__);
}

void SoundData::operator delete(void* pointer, std::size_t size)
{
    Core::TrackedDelete(pointer, size);
}

int SoundData::Open(const Core::String& requestedPath)
{
    // A copy, because the caller may pass this record's own file name, which is cleared below.
    const Core::String path(requestedPath);
    ClearOgg();
    ResetFormat();
    fileName = Core::String();
    alFormat = 0;

    if (path.size() < 3)
        return SoundResult::CannotOpen;
    if (EndsWithNoCase(path, "WAV"))
        fileType = WavFile;
    else if (EndsWithNoCase(path, "OGG"))
        fileType = OggFile;
    else
        return SoundResult::Malformed;

    int result;
    if (fileType == WavFile)
    {
        format.file = PAL::OpenFile(path.View(), "rb");
        if (!format.file)
            return SoundResult::CannotOpen;
        result = ReadRiff();
    }
    else
        result = OpenOgg(path);
    if (result != SoundResult::Ok)
        return result;

    result = SoundEngine::GetAlFormat(*this);
    if (result != SoundResult::Ok)
    {
        ClearOgg();
        ResetFormat();
        return result;
    }
    fileName = path;
    return SoundResult::Ok;
}

int SoundData::OpenOgg(const Core::String& path)
{
    Audio::VorbisTable& table = Audio::GetVorbisTable();
    if (!table.ready)
        return SoundResult::DecoderUnavailable;
    std::FILE* file = PAL::OpenFile(path.View(), "rb");
    if (!file)
        return SoundResult::CannotOpen;
    if (!Audio::AreVorbisCodebooksSound(file))
    {
        std::fclose(file);
        return SoundResult::Malformed;
    }
    if (!oggStream)
        oggStream = new (Core::TrackedNew(sizeof(OggVorbis_File), __FILE__, __LINE__)) OggVorbis_File{};
    if (table.openCallbacks(file, oggStream, nullptr, 0, table.callbacks) != 0)
    {
        std::fclose(file);
        return SoundResult::Malformed;
    }
    oggInfo = table.info(oggStream, -1);
    if (!oggInfo)
    {
        table.clear(oggStream);
        return SoundResult::Malformed;
    }
    const ogg_int64_t frames = table.pcmTotal(oggStream, -1);
    if (oggInfo->channels < 1 || oggInfo->rate < 1 || oggInfo->rate > MaxOggFrequency ||
        frames < 0)
    {
        ClearOgg();
        return SoundResult::Malformed;
    }
    format.kind = SoundFormat::PlainKind;
    format.channels = static_cast<u16>(oggInfo->channels);
    format.frequency = static_cast<u32>(oggInfo->rate);
    format.bitsPerSample = 16;
    format.blockAlign = static_cast<u16>(format.channels * 2);
    format.bytesPerSecond = format.blockAlign * format.frequency;
    format.duration = table.timeTotal(oggStream, -1);
    const ogg_int64_t bytes = frames * format.blockAlign;
    format.dataSize = static_cast<u32>(
        std::min<ogg_int64_t>(bytes, std::numeric_limits<u32>::max()));
    format.dataOffset = 0;
    Seek(0);
    return SoundResult::Ok;
}

void SoundData::Close()
{
    if (format.file)
    {
        std::fclose(format.file);
        format.file = nullptr;
    }
    ClearOgg();
}

void SoundData::ClearOgg()
{
    if (!oggInfo)
        return;
    Audio::GetVorbisTable().clear(oggStream);
    oggInfo = nullptr;
}

void SoundData::ResetFormat()
{
    FreeDecodeBuffer();
    if (format.file)
        std::fclose(format.file);
    format = SoundFormat();
}

void SoundData::FreeDecodeBuffer()
{
    if (format.decodeBuffer)
        Core::TrackedDelete(format.decodeBuffer, format.decodeBufferCapacity);
    format.decodeBuffer = nullptr;
    format.decodeBufferCapacity = 0;
}

void SoundData::AllocateDecodeBuffer(u32 size)
{
    FreeDecodeBuffer();
    if (size == 0)
        return;
    format.decodeBuffer = static_cast<u8*>(Core::TrackedNew(size, __FILE__, __LINE__));
    format.decodeBufferCapacity = size;
}

void SoundData::AllocateBuffers(u32 count)
{
    FreeBuffers();
    buffers = static_cast<u32*>(Core::TrackedNew(count * sizeof(u32), __FILE__, __LINE__));
    std::fill(buffers, buffers + count, 0u);
    bufferCount = count;
}

void SoundData::FreeBuffers()
{
    if (!buffers)
        return;
    const u32 count = bufferCount;
    u32* names = buffers;
    Audio::AlCall([&] { alDeleteBuffers(static_cast<ALsizei>(count), names); });
    Core::TrackedDelete(buffers, count * sizeof(u32));
    buffers = nullptr;
    bufferCount = 0;
}
