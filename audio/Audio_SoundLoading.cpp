#include "audio/Audio_AlCall.h"
#include "audio/Audio_SoundEngine.h"
#include "core/Core_ResourceReport.h"

#include <algorithm>
#include <cerrno>

using Audio::AlCall;

namespace
{
    constexpr float StreamBufferSeconds = 0.5f;
    constexpr u32 StreamBufferCount = 2;

    bool FillBuffer(const SoundData& data, u32 buffer, const u8* bytes, u32 size)
    {
        return AlCall([&] {
            alBufferData(buffer, static_cast<ALenum>(data.GetAlFormat()), bytes, static_cast<ALsizei>(size),
                         static_cast<ALsizei>(data.GetFormat().frequency));
        });
    }

    bool GenerateBuffers(SoundData& data)
    {
        const u32 count = data.GetBufferCount();
        ALuint* names = const_cast<ALuint*>(data.GetBuffers());
        return AlCall([&] { alGenBuffers(static_cast<ALsizei>(count), names); });
    }

    // One line naming a sound file that gives no sound, and why; an empty name asks for none.
    void ReportUnloadable(const Core::String& path, int result, int openError)
    {
        if (path.empty())
            return;
        const char* reason = "it is no WAV or Ogg Vorbis sound that can be played (broken, or of another kind)";
        if (result == SoundResult::CannotOpen)
            reason = Core::DescribeFileError(openError);
        else if (result == SoundResult::DecoderUnavailable)
            reason = "the Ogg Vorbis decoder is not available";
        Core::ReportResourceFailure("Sound", path.View(), reason, "it stays silent");
    }

    // NaN and negative fractions give 0, fractions above 1 give 1.
    float ClampFraction(float fraction)
    {
        if (!(fraction > 0.0f))
            return 0.0f;
        return std::min(fraction, 1.0f);
    }
}

SoundData* SoundEngine::Adopt(SoundData* data)
{
    soundData.push_back(data);
    return data;
}

SoundData* SoundEngine::LoadSound(const Core::String& path, u32 threshold)
{
    u32 dataSize = 0;
    {
        SoundData probe;
        errno = 0;
        if (const int opened = probe.Open(path); opened != SoundResult::Ok)
        {
            ReportUnloadable(path, opened, errno);
            return nullptr;
        }
        dataSize = probe.GetFormat().dataSize;
        probe.Close();
    }
    if (dataSize >= threshold)
        return CreateStreamData(path, StreamBufferSeconds, StreamBufferCount);
    return LoadSoundData(path, 0.0f);
}

SoundData* SoundEngine::LoadSoundData(const Core::String& path, float splitFraction)
{
    SoundData* data = new SoundData;
    errno = 0;
    if (const int decoded = data->DecodeWhole(path); decoded != SoundResult::Ok)
    {
        ReportUnloadable(path, decoded, errno);
        delete data;
        return nullptr;
    }
    const u8* pcm = data->GetDecodeBuffer();
    const u32 size = data->GetFormat().dataSize;
    bool filled;
    // A fraction that clamps to 0 leaves no intro and loads as one buffer: two buffers without a
    // split fraction would be taken for a stream when attached.
    data->splitFraction = ClampFraction(splitFraction);
    if (data->splitFraction == 0.0f)
    {
        data->AllocateBuffers(1);
        filled = GenerateBuffers(*data) && FillBuffer(*data, data->GetBuffers()[0], pcm, size);
    }
    else
    {
        data->AllocateBuffers(2);
        u32 first = static_cast<u32>(static_cast<double>(size) * data->splitFraction);
        first -= first % data->GetFormat().blockAlign;
        filled = GenerateBuffers(*data) && FillBuffer(*data, data->GetBuffers()[0], pcm, first) &&
                 FillBuffer(*data, data->GetBuffers()[1], pcm + first, size - first);
    }
    if (!filled)
    {
        delete data;
        return nullptr;
    }
    // The samples now live in OpenAL.
    data->FreeDecodeBuffer();
    cache.push_back(SoundDataCacheEntry{path, data->splitFraction, data});
    return Adopt(data);
}

SoundData* SoundEngine::CreateStreamData(const Core::String& path, float bufferSeconds, u32 bufferCount)
{
    SoundData* data = new SoundData;
    errno = 0;
    if (const int opened = data->Open(path); opened != SoundResult::Ok)
    {
        ReportUnloadable(path, opened, errno);
        delete data;
        return nullptr;
    }
    const SoundFormat& format = data->GetFormat();
    data->AllocateBuffers(std::max(bufferCount, 2u));
    if (!GenerateBuffers(*data))
    {
        delete data;
        return nullptr;
    }

    // Never larger than the data itself, whatever byte rate the file claims.
    const double wanted = std::max(0.0, static_cast<double>(format.bytesPerSecond) * bufferSeconds);
    u32 size = static_cast<u32>(std::min(wanted, static_cast<double>(format.dataSize)));
    size -= size % format.blockAlign;
    data->streamBufferSize = size;
    data->AllocateDecodeBuffer(size);

    for (u32 i = 0; i < data->GetBufferCount(); ++i)
    {
        u32 bytes = 0;
        data->ReadChunk(bytes);
        if (!FillBuffer(*data, data->GetBuffers()[i], data->GetDecodeBuffer(), bytes))
        {
            delete data;
            return nullptr;
        }
    }
    return Adopt(data);
}

SoundData* SoundEngine::FindLoadedData(const Core::String& path, float splitFraction) const
{
    for (const SoundDataCacheEntry& entry : cache)
        if (entry.fileName == path && entry.splitFraction == splitFraction)
            return entry.data;
    return nullptr;
}

Core::String SoundEngine::GetDataName(const SoundData* data) const
{
    return data ? data->GetFileName() : Core::String();
}
