#include "audio/Audio_AlCall.h"
#include "audio/Audio_SoundEngine.h"

using Audio::AlCall;

namespace
{
    bool IsPlayingOrPaused(ALuint source)
    {
        ALint state = AL_STOPPED;
        return AlCall([&] { alGetSourcei(source, AL_SOURCE_STATE, &state); }) &&
               (state == AL_PLAYING || state == AL_PAUSED);
    }

    ALint QueryInt(ALuint source, ALenum parameter)
    {
        ALint value = 0;
        if (!AlCall([&] { alGetSourcei(source, parameter, &value); }))
            return 0;
        return value;
    }

    // A source that OpenAL has let run out is stopped, and the callers learn it through the flag.
    void MarkFinished(ALuint source, std::atomic<bool>& playing)
    {
        if (AlCall([&] { alSourceStop(source); }))
            playing = false;
    }
}

void SoundEngine::StreamThread(PAL::Thread* record)
{
    SoundEngine* engine = static_cast<SoundEngine*>(record->argument);
    const u32 period = engine->streamingPeriod;
    while (PAL::Thread::KeepRunning(record))
    {
        engine->ServeSources();
        PAL::Sleep(period, record);
    }
    PAL::LockMutex(engine->shutdownMutex);
    engine->streamThreadDone = true;
    PAL::SignalCondition(engine->shutdownCondition, 0);
    PAL::UnlockMutex(engine->shutdownMutex);
    record->argument = nullptr;
}

void SoundEngine::ServeSources()
{
    if (!PAL::LockMutex(sourceListMutex))
        return;
    for (SoundSource& source : sources)
        ServeSource(source);
    ++servePasses;
    PAL::UnlockMutex(sourceListMutex);
}

void SoundEngine::ServeSource(SoundSource& source)
{
    if (!source.playing)
        return;
    switch (source.kind)
    {
    case SoundSource::KindStatic:
        if (!IsPlayingOrPaused(source.name))
            MarkFinished(source.name, source.playing);
        break;
    case SoundSource::KindIntroAndLoop:
        ServeIntroAndLoop(source);
        break;
    case SoundSource::KindStream:
        ServeStream(source);
        break;
    default:
        break;
    }
}

// Once the intro has played it is unqueued and the loop part repeats by itself. Without looping
// both parts play once, and the source is marked finished when they have; looping turned off
// while the loop part repeats lets it play out and end.
void SoundEngine::ServeIntroAndLoop(SoundSource& source)
{
    const ALuint name = source.name;
    if (!source.looping)
    {
        if (QueryInt(name, AL_BUFFERS_QUEUED) == 1)
            AlCall([&] { alSourcei(name, AL_LOOPING, AL_FALSE); });
        if (!IsPlayingOrPaused(name))
            MarkFinished(name, source.playing);
        return;
    }
    const ALint processed = QueryInt(name, AL_BUFFERS_PROCESSED);
    if (processed == 1)
    {
        ALuint intro = 0;
        AlCall([&] { alSourceUnqueueBuffers(name, 1, &intro); });
        AlCall([&] { alSourcei(name, AL_LOOPING, AL_TRUE); });
    }
    else if (processed == 2)
    {
        ALuint parts[2] = {0, 0};
        AlCall([&] { alSourceUnqueueBuffers(name, 2, parts); });
        AlCall([&] { alSourceQueueBuffers(name, 1, &parts[1]); });
        AlCall([&] { alSourcei(name, AL_LOOPING, AL_TRUE); });
        if (AlCall([&] { alSourcePlay(name); }))
            source.playing = true;
    }
}

void SoundEngine::ServeStream(SoundSource& source)
{
    const ALuint name = source.name;
    SoundData* data = source.data;
    const ALint processed = QueryInt(name, AL_BUFFERS_PROCESSED);
    for (ALint i = 0; i < processed; ++i)
    {
        ALuint buffer = 0;
        if (!AlCall([&] { alSourceUnqueueBuffers(name, 1, &buffer); }))
            break;
        u32 bytes = 0;
        data->ReadChunk(bytes);
        if (bytes == 0 && source.looping)
        {
            data->RewindData();
            data->ReadChunk(bytes);
        }
        if (bytes == 0)
            continue;
        if (AlCall([&] {
                alBufferData(buffer, static_cast<ALenum>(data->GetAlFormat()), data->GetDecodeBuffer(),
                             static_cast<ALsizei>(bytes), static_cast<ALsizei>(data->GetFormat().frequency));
            }))
            AlCall([&] { alSourceQueueBuffers(name, 1, &buffer); });
    }

    if (IsPlayingOrPaused(name))
        return;
    // The source stopped without being told to: it ran out of queued data.
    if (QueryInt(name, AL_BUFFERS_QUEUED) > 0)
    {
        if (AlCall([&] { alSourcePlay(name); }))
            source.playing = true;
    }
    else if (source.looping)
    {
        source.QueueFromStart();
        if (AlCall([&] { alSourcePlay(name); }))
            source.playing = true;
    }
    else
    {
        // The flag goes down only once the source stands rewound with its buffers queued: a caller
        // that sees it down must find the source ready to play from the start.
        const ALuint* buffers = data->GetBuffers();
        AlCall([&] { alSourceQueueBuffers(name, static_cast<ALsizei>(data->GetBufferCount()), buffers); });
        if (AlCall([&] { alSourceStop(name); }))
        {
            source.Rewind();
            source.playing = false;
        }
    }
}
