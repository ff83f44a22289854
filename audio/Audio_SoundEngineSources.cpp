#include "audio/Audio_AlCall.h"
#include "audio/Audio_SoundEngine.h"

using Audio::AlCall;

namespace
{
    bool QueryState(const SoundSource& source, ALint& state)
    {
        return AlCall([&] { alGetSourcei(source.GetName(), AL_SOURCE_STATE, &state); });
    }
}

SoundSource* SoundEngine::CreateSource(SoundData* data, bool listenerRelative, bool looping)
{
    if (!data)
        return nullptr;
    PAL::ScopedMutexLock lock(sourceListMutex);
    SoundSource& record = sources.emplace_back();
    if (record.Create(listenerRelative, looping) && record.Attach(data))
        return &record;
    DestroySource(std::prev(sources.end()));
    return nullptr;
}

bool SoundEngine::ReleaseSource(SoundSource* source)
{
    if (!source)
        return false;
    PAL::ScopedMutexLock lock(sourceListMutex);
    for (auto record = sources.begin(); record != sources.end(); ++record)
    {
        if (&*record != source)
            continue;
        DestroySource(record);
        return true;
    }
    return false;
}

void SoundEngine::DestroySource(Core::List<SoundSource>::iterator record)
{
    if (record->created)
    {
        record->StopAndRewind();
        record->Detach();
    }
    record->DeleteSource();
    if (defaultSource == &*record)
        defaultSource = nullptr;
    sources.erase(record);
}

bool SoundEngine::Play(SoundSource* source)
{
    if (!source)
        return false;
    PAL::ScopedMutexLock lock(sourceListMutex);
    ALint state = AL_STOPPED;
    if (QueryState(*source, state) && state == AL_PLAYING)
        return false;
    return source->Play();
}

bool SoundEngine::Pause(SoundSource* source)
{
    if (!source)
        return false;
    return AlCall([&] { alSourcePause(source->GetName()); });
}

bool SoundEngine::Stop(SoundSource* source)
{
    if (!source)
        return false;
    PAL::ScopedMutexLock lock(sourceListMutex);
    if (!AlCall([&] { alSourceStop(source->GetName()); }))
        return false;
    source->playing = false;
    if (source->kind == SoundSource::KindStream)
        return source->Rewind();
    return true;
}

bool SoundEngine::Rewind(SoundSource* source)
{
    if (!source)
        return false;
    PAL::ScopedMutexLock lock(sourceListMutex);
    return source->Rewind();
}

bool SoundEngine::IsPlaying(SoundSource* source)
{
    if (!source)
        return false;
    ALint state = AL_STOPPED;
    return QueryState(*source, state) && state == AL_PLAYING;
}

bool SoundEngine::GetPlayingFlag(SoundSource* source) const
{
    return source && source->GetPlayingFlag();
}

void SoundEngine::StopAllSources()
{
    PAL::ScopedMutexLock lock(sourceListMutex);
    ReleaseAllRecords();
}

void SoundEngine::ReleaseAllRecords()
{
    for (SoundSource& record : sources)
        record.StopAndRewind();
    while (!sources.empty())
        DestroySource(sources.begin());
    for (SoundData* data : soundData)
        delete data;
    soundData.clear();
    cache.clear();
    ++generation;
}
