#include "framework/sound/Vellumar_Playlist.h"

#include "framework/sound/Vellumar_JukeBox.h"
#include "core/Core_File.h"

namespace Vellumar
{
CORE_REGISTER_CLASS(Playlist, "Vellumar::Playlist")

bool Playlist::AllPlayed() const
{
    for (const PlaylistTrack& track : tracks)
    {
        if (!track.played)
        {
            return false;
        }
    }
    return true;
}

void Playlist::ResetPlayed()
{
    for (PlaylistTrack& track : tracks)
    {
        track.played = false;
    }
}

void Playlist::AddTrack(const Core::String& fileName, SoundData* data, i32 loopCount)
{
    tracks.push_back(PlaylistTrack{fileName, data, loopCount < 0 ? 0 : loopCount, false});
}

void Playlist::ForgetData()
{
    for (PlaylistTrack& track : tracks)
    {
        track.data = nullptr;
    }
}

void Playlist::Save(Core::File& file)
{
    Core::WriteString(file, name);
    file.WriteObject(owner);
    Core::WriteU32(file, static_cast<u32>(tracks.size()));
    for (const PlaylistTrack& track : tracks)
    {
        Core::WriteString(file, track.fileName);
        Core::WriteU32(file, static_cast<u32>(track.loopCount));
    }
}

void Playlist::Load(Core::File& file)
{
    Core::ReadString(file, name);
    Core::Object* object = file.ReadObject();
    JukeBox* jukeBox = dynamic_cast<JukeBox*>(object);
    if (object && !jukeBox)
    {
        file.SetFailed();
        file.Discard(object);
        return;
    }
    // An owner that this read made and nothing else holds goes with this holder: the playlist is
    // left without owner and tracks.
    const Core::RefPtr<JukeBox> held(jukeBox);
    owner = jukeBox && jukeBox->GetReferenceCount() > 1 ? jukeBox : nullptr;
    tracks.clear();
    u32 count = 0;
    Core::ReadCount(file, count, 8);
    for (u32 i = 0; i < count && !file.Failed(); ++i)
    {
        Core::String fileName;
        Core::ReadString(file, fileName);
        i32 loopCount = 0;
        Core::ReadI32(file, loopCount);
        if (SoundData* data = owner && !file.Failed() ? owner->FindMusic(fileName) : nullptr)
        {
            AddTrack(fileName, data, loopCount);
        }
    }
}
}  // namespace Vellumar
