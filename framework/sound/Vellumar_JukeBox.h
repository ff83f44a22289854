#pragma once
// A level's music player: the level's music files as engine sound data, named playlists over them,
// and one track at a time with repeat, shuffle, per-track loop counts and a linear cross-fade. The
// level updates it every frame and stops its music before it lets it go.
#include "framework/sound/Vellumar_Playlist.h"
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"

class SoundEngine;
class SoundSource;

namespace Vellumar
{
class JukeBox : public Core::Object
{
    CORE_CLASS(JukeBox)

public:
    // Music of this decoded size or more is streamed.
    static constexpr u32 StreamThreshold = 0x40000;

    JukeBox() = default;
    JukeBox(const JukeBox&) = delete;

    // Loads the files and makes the "Default" playlist of those that loaded, current.
    void SetMusicFiles(const Core::Vector<Core::String>& paths);
    Playlist* AddPlaylist(const Core::String& name);
    Playlist* FindPlaylist(const Core::String& name) const;
    // Stops the music and makes the named playlist current; false when no playlist has the name.
    bool SetCurrentPlaylist(const Core::String& name);
    // -1 (or any index outside the playlist) picks track 0, or an unplayed one with shuffle.
    bool PlayTrack(i32 index);
    // The current track fades out over the fade time.
    void StopMusic();
    // Brings the current track's gain to volume over time seconds from the next update (in that
    // update for 0).
    void SetMusicVolume(f32 volume, f32 time);
    void Update(f32 dt);

    void Pause();
    void Rewind();
    bool IsPlaying();
    // The current track's gain, 0 without one.
    f32 GetMusicVolume();
    void SetRepeat(bool on) { repeat = on; }
    bool GetRepeat() const { return repeat; }
    void SetShuffle(bool on) { shuffle = on; }
    bool GetShuffle() const { return shuffle; }
    // A negative time is taken as 0.
    void SetFadeTime(f32 seconds) { fadeTime = seconds < 0.0f ? 0.0f : seconds; }
    f32 GetFadeTime() const { return fadeTime; }
    i32 GetCurrentTrack() const { return currentTrack; }
    void NextTrack();
    void PreviousTrack();
    bool IsMusicOn() const { return musicOn; }
    Playlist* GetCurrentPlaylist() const { return currentPlaylist; }
    u32 GetMusicCount() const { return static_cast<u32>(music.size()); }
    // The music record loaded from exactly this path, or none.
    SoundData* FindMusic(const Core::String& path);
    SoundSource* GetCurrentSource();
    SoundSource* GetFadingSource();

    // Music names from the resources folder on, the playlists, the current one and the playing
    // state. Loading reloads the music and starts the stored track again from its beginning.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

protected:
    const char* GetScriptTypeName() const override { return "JukeBox"; }

private:
    // The engine when one exists; music and sources taken before its last release of every record
    // are forgotten first.
    SoundEngine* Engine();
    bool LoopsLeft();
    // The current track becomes the fading one (the one fading before is let go); it fades out in
    // time seconds from the next update, or goes in that update without a positive time.
    void FadeOutCurrent(f32 time);
    void ReleaseFading();
    // Draws an unplayed track of the current playlist.
    u32 DrawUnplayed();
    static u32 DrawTrack(u32 count);
    // Starts track index of the current playlist at gain 0, fading in over the fade time.
    bool StartTrack(u32 index);
    void NextTrackAfterEnd();
    void FadeIn(f32 dt);
    void FadeOut(f32 dt);

    Core::Vector<SoundData*> music;
    // The music's file names, kept apart from the engine's records so that saving never reads one
    // the engine has freed.
    Core::Vector<Core::String> musicNames;
    Core::Vector<Core::RefPtr<Playlist>> playlists;
    Playlist* currentPlaylist = nullptr;
    i32 currentTrack = -1;
    i32 loopCounter = 0;
    SoundSource* currentSource = nullptr;
    SoundSource* fadingSource = nullptr;
    bool musicOn = false;
    bool repeat = false;
    bool shuffle = false;
    f32 musicVolume = 1.0f;
    f32 fadeTime = 0.0f;
    f32 gainRate = 0.0f;
    f32 fadeOutRate = 0.0f;
    f32 elapsed = 0.0f;
    u32 generation = 0;
};
}  // namespace Vellumar
