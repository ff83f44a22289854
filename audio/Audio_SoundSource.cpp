#include "audio/Audio_SoundSource.h"
#include "audio/Audio_AlCall.h"
#include "audio/Audio_SoundData.h"

using Audio::AlCall;

bool SoundSource::Create(bool relative, bool looping)
{
    if (created)
        return false;
    ALuint source = 0;
    if (!AlCall([&] { alGenSources(1, &source); }))
        return false;
    name = source;
    if (!AlCall([&] { alSourcei(source, AL_SOURCE_RELATIVE, relative ? AL_TRUE : AL_FALSE); }) ||
        !SetLooping(looping))
    {
        DeleteSource();
        return false;
    }
    listenerRelative = relative;
    created = true;
    return true;
}

void SoundSource::DeleteSource()
{
    if (name != 0)
    {
        const ALuint source = name;
        AlCall([&] { alDeleteSources(1, &source); });
    }
    name = 0;
    created = false;
}

bool SoundSource::StopAndRewind()
{
    if (!AlCall([&] { alSourceStop(name); }))
        return false;
    playing = false;
    if (kind == KindStream)
        return Rewind();
    return true;
}

bool SoundSource::Attach(SoundData* newData)
{
    if (!newData)
        return Detach();
    StopAndRewind();
    if (data && !Detach())
        return false;

    const u32 count = newData->GetBufferCount();
    const ALuint* buffers = newData->GetBuffers();
    if (count == 1)
    {
        if (!AlCall([&] { alSourcei(name, AL_BUFFER, static_cast<ALint>(buffers[0])); }))
            return false;
        kind = KindStatic;
        if (!SetLooping(looping))
            return false;
    }
    else if (count >= 2)
    {
        const bool split = count == 2 && newData->GetSplitFraction() != 0.0f;
        if (!AlCall([&] { alSourceQueueBuffers(name, static_cast<ALsizei>(count), buffers); }))
            return false;
        kind = split ? KindIntroAndLoop : KindStream;
    }
    else
        return false;
    data = newData;
    return true;
}

bool SoundSource::Detach()
{
    StopAndRewind();
    kind = KindNone;
    if (!AlCall([&] { alSourcei(name, AL_BUFFER, 0); }))
        return false;
    data = nullptr;
    return true;
}

bool SoundSource::RefillAndQueue(u32 buffer)
{
    u32 bytes = 0;
    data->ReadChunk(bytes);
    if (bytes == 0)
        return false;
    const ALuint bufferName = buffer;
    return AlCall([&] {
               alBufferData(bufferName, static_cast<ALenum>(data->GetAlFormat()), data->GetDecodeBuffer(),
                            static_cast<ALsizei>(bytes), static_cast<ALsizei>(data->GetFormat().frequency));
           }) &&
           AlCall([&] { alSourceQueueBuffers(name, 1, &bufferName); });
}

void SoundSource::QueueFromStart()
{
    data->RewindData();
    for (u32 i = 0; i < data->GetBufferCount(); ++i)
        RefillAndQueue(data->GetBuffers()[i]);
}

bool SoundSource::Rewind()
{
    ALint state = AL_STOPPED;
    const bool wasPlaying = AlCall([&] { alGetSourcei(name, AL_SOURCE_STATE, &state); }) && state == AL_PLAYING;

    if (kind == KindStream)
    {
        if (!AlCall([&] { alSourceStop(name); }))
            return false;
        ALint processed = 0;
        if (data && AlCall([&] { alGetSourcei(name, AL_BUFFERS_PROCESSED, &processed); }) && processed > 0)
        {
            data->RewindData();
            for (ALint i = 0; i < processed; ++i)
            {
                ALuint buffer = 0;
                AlCall([&] { alSourceUnqueueBuffers(name, 1, &buffer); });
            }
            for (u32 i = 0; i < data->GetBufferCount(); ++i)
                RefillAndQueue(data->GetBuffers()[i]);
        }
    }
    if (!AlCall([&] { alSourceRewind(name); }))
        return false;
    if (wasPlaying)
        return Play();
    return true;
}

bool SoundSource::Play()
{
    if (!AlCall([&] { alSourcePlay(name); }))
        return false;
    playing = true;
    return true;
}

bool SoundSource::IsActive() const
{
    ALint state = AL_STOPPED;
    if (!AlCall([&] { alGetSourcei(name, AL_SOURCE_STATE, &state); }))
        return false;
    return state == AL_PLAYING || state == AL_PAUSED;
}

bool SoundSource::SetPosition(const Math::Vector3D& newPosition)
{
    if (!AlCall([&] { alSource3f(name, AL_POSITION, newPosition.x, newPosition.y, newPosition.z); }))
        return false;
    position = newPosition;
    return true;
}

bool SoundSource::SetGain(float newGain)
{
    if (!AlCall([&] { alSourcef(name, AL_GAIN, newGain); }))
        return false;
    gain = newGain;
    return true;
}

bool SoundSource::SetPitch(float newPitch)
{
    if (!AlCall([&] { alSourcef(name, AL_PITCH, newPitch); }))
        return false;
    pitch = newPitch;
    return true;
}

bool SoundSource::SetReferenceDistance(float distance)
{
    if (!AlCall([&] { alSourcef(name, AL_REFERENCE_DISTANCE, distance); }))
        return false;
    referenceDistance = distance;
    return true;
}

bool SoundSource::SetLooping(bool newLooping)
{
    if (kind == KindStatic && !AlCall([&] { alSourcei(name, AL_LOOPING, newLooping ? AL_TRUE : AL_FALSE); }))
        return false;
    looping = newLooping;
    return true;
}
