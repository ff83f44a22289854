#include "framework/sound/Vellumar_JukeBox.h"

#include "audio/Audio_SoundEngine.h"
#include "core/Core_File.h"
#include "core/Core_Random.h"
#include "framework/core/Vellumar_Game.h"

namespace Vellumar
{
CORE_REGISTER_CLASS(JukeBox, "Vellumar::JukeBox")

namespace
{
// What a saved jukebox keeps of a music path: the part from the resources folder on, so that the
// game folder may move. A path outside it is kept whole (it will not load again).
Core::String SavedMusicName(const Core::String& path)
{
    Core::String::size_type at = path.find("\\resources");
    if (at == Core::String::npos)
    {
        at = path.find("\\Resources");
    }
    return at == Core::String::npos ? path : path.SubstringFrom(static_cast<u32>(at));
}

// A stored name is read back only when it stays inside the resources folder.
bool IsStoredMusicName(const Core::String& name)
{
    const bool inResources = name.rfind("\\resources\\", 0) == 0 || name.rfind("\\Resources\\", 0) == 0;
    return inResources && name.find("\\..") == Core::String::npos && name.find('/') == Core::String::npos;
}
}  // namespace

SoundEngine* JukeBox::Engine()
{
    Game* game = Game::GetInstance();
    SoundEngine* engine = game ? game->GetSoundEngine() : nullptr;
    if (!engine || engine->GetGeneration() != generation)
    {
        currentSource = nullptr;
        fadingSource = nullptr;
        for (SoundData*& data : music)
        {
            data = nullptr;
        }
        for (const Core::RefPtr<Playlist>& playlist : playlists)
        {
            playlist->ForgetData();
        }
    }
    return engine;
}

SoundSource* JukeBox::GetCurrentSource()
{
    Engine();
    return currentSource;
}

SoundSource* JukeBox::GetFadingSource()
{
    Engine();
    return fadingSource;
}

SoundData* JukeBox::FindMusic(const Core::String& path)
{
    Engine();
    for (u32 i = 0; i < musicNames.size(); ++i)
    {
        if (musicNames[i] == path)
        {
            return music[i];
        }
    }
    return nullptr;
}

void JukeBox::SetMusicFiles(const Core::Vector<Core::String>& paths)
{
    SoundEngine* engine = Engine();
    if (engine)
    {
        // Sources held before would otherwise stay in the engine until the next level switch.
        engine->ReleaseSource(currentSource);
        engine->ReleaseSource(fadingSource);
        generation = engine->GetGeneration();
    }
    music.clear();
    musicNames.clear();
    for (const Core::String& path : paths)
    {
        if (SoundData* data = engine ? engine->LoadSound(path, StreamThreshold) : nullptr)
        {
            music.push_back(data);
            musicNames.push_back(engine->GetDataName(data));
        }
    }
    currentPlaylist = nullptr;
    currentTrack = -1;
    loopCounter = 0;
    Playlist* defaults = AddPlaylist("Default");
    for (const Core::String& path : paths)
    {
        if (SoundData* data = FindMusic(path))
        {
            defaults->AddTrack(path, data, 0);
        }
    }
    musicVolume = 1.0f;
    currentSource = nullptr;
    fadingSource = nullptr;
    fadeTime = 0.0f;
    musicOn = false;
    gainRate = 0.0f;
    repeat = false;
    shuffle = false;
    elapsed = 0.0f;
}

Playlist* JukeBox::AddPlaylist(const Core::String& name)
{
    playlists.push_back(Core::RefPtr<Playlist>(new (__FILE__, __LINE__) Playlist(name, this)));
    if (!currentPlaylist)
    {
        currentPlaylist = playlists.back().Get();
    }
    return playlists.back().Get();
}

Playlist* JukeBox::FindPlaylist(const Core::String& name) const
{
    for (const Core::RefPtr<Playlist>& playlist : playlists)
    {
        if (playlist->GetName() == name)
        {
            return playlist.Get();
        }
    }
    return nullptr;
}

bool JukeBox::SetCurrentPlaylist(const Core::String& name)
{
    Playlist* found = FindPlaylist(name);
    if (!found)
    {
        return false;
    }
    StopMusic();
    currentTrack = -1;
    loopCounter = 0;
    if (currentPlaylist)
    {
        currentPlaylist->ResetPlayed();
    }
    currentPlaylist = found;
    return true;
}

void JukeBox::ReleaseFading()
{
    if (SoundEngine* engine = Engine(); fadingSource)
    {
        engine->ReleaseSource(fadingSource);
    }
    fadingSource = nullptr;
}

// A fade over no time ends at the next fade-out step, which releases a source whose rate is not
// below 0; a rate of -gain / 0 would be infinite, or not a number.
void JukeBox::FadeOutCurrent(f32 time)
{
    ReleaseFading();
    fadingSource = currentSource;
    currentSource = nullptr;
    if (fadingSource)
    {
        fadeOutRate = time > 0.0f ? -fadingSource->GetGain() / time : 0.0f;
    }
}

void JukeBox::SetMusicVolume(f32 volume, f32 time)
{
    Engine();
    if (!currentSource)
    {
        return;
    }
    musicVolume = volume;
    // Without a time the next fade-in step sets the volume.
    gainRate = time != 0.0f ? (volume - currentSource->GetGain()) / time : 0.0f;
}

// One draw of the generator reaches 32768 tracks only; a longer list (a loaded one may be) takes
// two, or the draw would never end once only tracks past that were left.
u32 JukeBox::DrawTrack(u32 count)
{
    constexpr u32 DrawRange = 32768;
    const u32 draw = static_cast<u32>(Core::Rand());
    return (count > DrawRange ? draw * DrawRange + static_cast<u32>(Core::Rand()) : draw) % count;
}

u32 JukeBox::DrawUnplayed()
{
    const u32 count = currentPlaylist->GetTrackCount();
    u32 drawn = DrawTrack(count);
    while (currentPlaylist->GetTrack(drawn).played)
    {
        drawn = DrawTrack(count);
    }
    return drawn;
}

bool JukeBox::StartTrack(u32 index)
{
    SoundEngine* engine = Engine();
    currentSource = engine->CreateSource(currentPlaylist->GetTrack(index).data, true, false);
    if (!engine->Play(currentSource))
    {
        return false;
    }
    currentSource->SetGain(0.0f);
    SetMusicVolume(musicVolume, fadeTime);
    return true;
}

bool JukeBox::PlayTrack(i32 index)
{
    SoundEngine* engine = Engine();
    if (!engine || !currentPlaylist || currentPlaylist->GetTrackCount() == 0)
    {
        return false;
    }
    Playlist& list = *currentPlaylist;
    if (list.AllPlayed())
    {
        list.ResetPlayed();
    }
    u32 chosen = static_cast<u32>(index);
    if (index < 0 || chosen >= list.GetTrackCount())
    {
        chosen = shuffle ? DrawUnplayed() : 0;
    }
    PlaylistTrack& track = list.GetTrack(chosen);
    track.played = false;
    ReleaseFading();
    if (currentSource && currentSource->GetData() == track.data)
    {
        // The same track again restarts it without a cross-fade.
        engine->ReleaseSource(currentSource);
        currentSource = nullptr;
    }
    else
    {
        FadeOutCurrent(fadeTime);
    }
    if (!StartTrack(chosen))
    {
        return false;
    }
    currentTrack = static_cast<i32>(chosen);
    elapsed = 0.0f;
    loopCounter = 0;
    musicOn = true;
    return true;
}

void JukeBox::StopMusic()
{
    FadeOutCurrent(fadeTime);
    if (currentPlaylist)
    {
        currentPlaylist->ResetPlayed();
    }
    loopCounter = 0;
    musicOn = false;
    elapsed = 0.0f;
    currentTrack = -1;
}

bool JukeBox::LoopsLeft()
{
    return currentPlaylist && currentTrack >= 0 && static_cast<u32>(currentTrack) < currentPlaylist->GetTrackCount() &&
           loopCounter < currentPlaylist->GetTrack(static_cast<u32>(currentTrack)).loopCount;
}

void JukeBox::Update(f32 dt)
{
    SoundEngine* engine = Engine();
    if (!engine)
    {
        return;
    }
    bool trackEnded = false;
    if (!currentSource)
    {
        elapsed = 0.0f;
    }
    else if (!engine->GetPlayingFlag(currentSource))
    {
        if (!musicOn)
        {
            engine->ReleaseSource(currentSource);
            currentSource = nullptr;
            return;
        }
        if (LoopsLeft())
        {
            ++loopCounter;
            engine->Play(currentSource);
            currentSource->SetGain(musicVolume);
            elapsed = 0.0f;
            return;
        }
        loopCounter = 0;
        engine->ReleaseSource(currentSource);
        currentSource = nullptr;
        elapsed = 0.0f;
        trackEnded = true;
    }
    else if (engine->IsPlaying(currentSource) && musicOn)
    {
        elapsed += dt;
        if (!LoopsLeft())
        {
            const SoundData* data = currentSource->GetData();
            const f32 remaining = static_cast<f32>(data ? data->GetDuration() : 0.0) - elapsed;
            if (remaining <= fadeTime)
            {
                FadeOutCurrent(remaining);
                elapsed = 0.0f;
                loopCounter = 0;
                trackEnded = true;
            }
        }
    }
    if (trackEnded && currentPlaylist)
    {
        if (currentTrack >= 0 && static_cast<u32>(currentTrack) < currentPlaylist->GetTrackCount())
        {
            currentPlaylist->GetTrack(static_cast<u32>(currentTrack)).played = true;
        }
        NextTrackAfterEnd();
    }
    FadeIn(dt);
    FadeOut(dt);
}

void JukeBox::NextTrackAfterEnd()
{
    Playlist& list = *currentPlaylist;
    const u32 count = list.GetTrackCount();
    if (count == 0)
    {
        return;
    }
    if (list.AllPlayed())
    {
        if (!repeat)
        {
            return;
        }
        list.ResetPlayed();
    }
    u32 next = shuffle ? DrawUnplayed() : static_cast<u32>(currentTrack + 1);
    if (repeat && next >= count)
    {
        next = 0;
    }
    if (next >= count)
    {
        return;
    }
    if (fadingSource && fadingSource->GetData() == list.GetTrack(next).data)
    {
        ReleaseFading();
    }
    if (StartTrack(next))
    {
        elapsed = 0.0f;
        currentTrack = static_cast<i32>(next);
    }
}

void JukeBox::FadeIn(f32 dt)
{
    if (!currentSource)
    {
        return;
    }
    f32 gain = musicVolume;
    if (gainRate != 0.0f)
    {
        gain = currentSource->GetGain() + gainRate * dt;
        if ((gainRate > 0.0f && gain >= musicVolume) || (gainRate < 0.0f && gain <= musicVolume))
        {
            gain = musicVolume;
        }
    }
    currentSource->SetGain(gain);
}

void JukeBox::FadeOut(f32 dt)
{
    if (!fadingSource)
    {
        return;
    }
    if ((currentSource && currentSource->GetData() == fadingSource->GetData()) || !(fadeOutRate < 0.0f))
    {
        ReleaseFading();
        return;
    }
    const f32 gain = fadingSource->GetGain() + fadeOutRate * dt;
    if (gain <= 0.0f)
    {
        fadeOutRate = 0.0f;
        ReleaseFading();
        return;
    }
    fadingSource->SetGain(gain);
}

void JukeBox::Pause()
{
    if (SoundEngine* engine = Engine(); currentSource)
    {
        engine->Pause(currentSource);
    }
}

void JukeBox::Rewind()
{
    if (SoundEngine* engine = Engine(); currentSource)
    {
        engine->Rewind(currentSource);
        elapsed = 0.0f;
    }
}

bool JukeBox::IsPlaying()
{
    SoundEngine* engine = Engine();
    return currentSource && engine->IsPlaying(currentSource);
}

f32 JukeBox::GetMusicVolume()
{
    Engine();
    return currentSource ? currentSource->GetGain() : 0.0f;
}

void JukeBox::NextTrack()
{
    if (currentPlaylist && currentTrack + 1 < static_cast<i32>(currentPlaylist->GetTrackCount()))
    {
        PlayTrack(currentTrack + 1);
    }
}

void JukeBox::PreviousTrack()
{
    if (currentPlaylist && currentTrack - 1 >= 0)
    {
        PlayTrack(currentTrack - 1);
    }
}

void JukeBox::Save(Core::File& file)
{
    Core::WriteU32(file, static_cast<u32>(musicNames.size()));
    for (const Core::String& name : musicNames)
    {
        Core::WriteString(file, SavedMusicName(name));
    }
    Core::WriteU32(file, static_cast<u32>(playlists.size()));
    for (const Core::RefPtr<Playlist>& playlist : playlists)
    {
        file.WriteObject(playlist.Get());
    }
    file.WriteObject(currentPlaylist);
    Core::WriteI32(file, currentTrack);
    Core::WriteI32(file, loopCounter);
    Core::WriteU8(file, musicOn ? 1 : 0);
    Core::WriteU8(file, repeat ? 1 : 0);
    Core::WriteU8(file, shuffle ? 1 : 0);
    Core::WriteF32(file, musicVolume);
    Core::WriteF32(file, fadeTime);
    Core::WriteF32(file, gainRate);
    Core::WriteF32(file, fadeOutRate);
    Core::WriteF32(file, elapsed);
    Core::WriteU8(file, IsPlaying() ? 1 : 0);
}

void JukeBox::Load(Core::File& file)
{
    u32 count = 0;
    Core::ReadCount(file, count, 4);
    Core::Vector<Core::String> paths;
    for (u32 i = 0; i < count && !file.Failed(); ++i)
    {
        Core::String name;
        Core::ReadString(file, name);
        if (IsStoredMusicName(name))
        {
            paths.push_back(Game::GetDirectory() + name);
        }
    }
    if (file.Failed())
    {
        return;
    }
    SetMusicFiles(paths);
    Core::ReadCount(file, count, 1);
    for (u32 i = 0; i < count && !file.Failed(); ++i)
    {
        Core::RefPtr<Playlist> playlist;
        if (file.ReadObjectInto(playlist) && playlist)
        {
            playlists.push_back(playlist);
        }
    }
    Core::Object* object = file.ReadObject();
    Playlist* current = dynamic_cast<Playlist*>(object);
    bool listed = false;
    for (const Core::RefPtr<Playlist>& playlist : playlists)
    {
        listed = listed || playlist.Get() == current;
    }
    // The current playlist is one of the jukebox's own; anything else is a broken record.
    if (object && !listed)
    {
        file.SetFailed();
        file.Discard(object);
        return;
    }
    currentPlaylist = current;
    i32 storedTrack = -1;
    Core::ReadI32(file, storedTrack);
    Core::ReadI32(file, loopCounter);
    u8 flag = 0;
    Core::ReadU8(file, flag);
    musicOn = flag != 0;
    Core::ReadU8(file, flag);
    repeat = flag != 0;
    Core::ReadU8(file, flag);
    shuffle = flag != 0;
    Core::ReadF32(file, musicVolume);
    Core::ReadF32(file, fadeTime);
    Core::ReadF32(file, gainRate);
    Core::ReadF32(file, fadeOutRate);
    Core::ReadF32(file, elapsed);
    Core::ReadU8(file, flag);
    if (!file.Failed())
    {
        PlayTrack(storedTrack);
    }
}
}  // namespace Vellumar
