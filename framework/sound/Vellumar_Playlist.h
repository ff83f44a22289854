#pragma once
// A named list of tracks over the music of one jukebox, each with its loop count and whether it
// was played in the current turn.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"

class SoundData;

namespace Vellumar
{
class JukeBox;

struct PlaylistTrack
{
    Core::String fileName;
    SoundData* data = nullptr;
    // Times the track is repeated after its first pass; never negative.
    i32 loopCount = 0;
    bool played = false;
};

class Playlist : public Core::Object
{
    CORE_CLASS(Playlist)

public:
    Playlist() = default;
    Playlist(const Core::String& playlistName, JukeBox* jukeBox) : name(playlistName), owner(jukeBox) {}

    // Name, owner, and per track its file name and loop count. Loading keeps only the tracks whose
    // file is among the owner's music.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    // True also for no tracks.
    bool AllPlayed() const;
    void ResetPlayed();
    void AddTrack(const Core::String& fileName, SoundData* data, i32 loopCount);
    // Forgets every track's data (the engine freed it).
    void ForgetData();

    const Core::String& GetName() const { return name; }
    JukeBox* GetOwner() const { return owner; }
    u32 GetTrackCount() const { return static_cast<u32>(tracks.size()); }
    PlaylistTrack& GetTrack(u32 index) { return tracks[index]; }

private:
    Core::Vector<PlaylistTrack> tracks;
    Core::String name;
    JukeBox* owner = nullptr;
};
}  // namespace Vellumar
