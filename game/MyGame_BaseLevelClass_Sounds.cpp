// The play level's sound objects, made from the game's sound table at the level's start.
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_Sounds.h"

namespace
{
enum class Volume
{
    Music,
    Effect,
    Full
};

struct SoundRow
{
    const char* name;
    u32 tableIndex;
    Volume volume;
    f32 pitch;
    bool looping;
};

constexpr SoundRow Sounds[] = {
    {"CannonFireSound", 0, Volume::Effect, 1.0f, false},
    {"s_mobdestroySound", 1, Volume::Effect, 3.0f, false},
    {"chainSound", 2, Volume::Effect, 1.0f, false},
    {"explodeSound", 3, Volume::Effect, 1.0f, false},
    {"game_bgm", 4, Volume::Music, 1.0f, true},
    {"fire_fx", 5, Volume::Effect, 1.0f, false},
    {"lightning_fx", 6, Volume::Full, 1.0f, false},
    {"ice_fx", 7, Volume::Effect, 1.0f, false},
    {"b_tower_fx", 8, Volume::Full, 1.0f, false},
    {"cb_tower_fx", 9, Volume::Effect, 1.0f, false},
    {"hover_fx", 11, Volume::Effect, 1.0f, false},
    {"FireAoE", 13, Volume::Effect, 1.0f, false},
    {"Heal", 14, Volume::Effect, 1.0f, false},
    {"IceAoE", 15, Volume::Effect, 1.0f, false},
    {"shield", 16, Volume::Effect, 1.0f, false},
    {"cityhit", 17, Volume::Effect, 1.0f, false},
    {"bossbgm", 18, Volume::Music, 1.0f, true},
    {"crit", 19, Volume::Effect, 1.0f, false},
};
}  // namespace

void BaseLevelClass::CreateSounds(f32 musicVolume, f32 effectVolume)
{
    for (const SoundRow& row : Sounds)
    {
        const f32 volume = row.volume == Volume::Music ? musicVolume : row.volume == Volume::Effect ? effectVolume : 1.0f;
        AddLevelSound(*this, row.name, row.tableIndex, volume, row.pitch, row.looping);
    }
}
