#pragma once
// The levels' named sound objects: made from the game's table of sound files, and played by name;
// a name the level lacks plays nothing.
#include "framework/sound/Vellumar_Sound.h"
#include "game/MyGame_Lookup.h"

inline void PlaySound(const char* name)
{
    if (auto* sound = FindObjectByName<Vellumar::Sound>(name))
        sound->Play(true);
}

// A sound object of the game's sound-table entry, not positional, named, at (0, 0), with its volume,
// pitch and looping and no limit to its life, added to layer 1 of the level. Nothing for an entry
// beyond the table or a level without that layer.
void AddLevelSound(Vellumar::Level& level, const char* name, u32 tableIndex, f32 volume, f32 pitch, bool looping);

inline void StopSound(const char* name)
{
    if (auto* sound = FindObjectByName<Vellumar::Sound>(name))
        sound->Stop();
}

// A boss replaces the level's music by the boss theme.
inline void StartBossMusic()
{
    StopSound("game_bgm");
    PlaySound("bossbgm");
}
