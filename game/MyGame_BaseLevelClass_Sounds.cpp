// The play level's sound objects, made from the game's sound table at the level's start.
#include "audio/Vellumar_Sound.h"
#include "framework/Vellumar_Layer.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_MyGame.h"

namespace
{
enum class Volume
{
    Music,
    Effect,
    Full
};

enum class Looping
{
    AsCreated,
    On,
    Off
};

struct SoundRow
{
    const char* name;
    u32 tableIndex;
    Volume volume;
    f32 pitch;
    Looping looping;
};

constexpr SoundRow Sounds[] = {
    {"CannonFireSound", 0, Volume::Effect, 1.0f, Looping::AsCreated},
    {"s_mobdestroySound", 1, Volume::Effect, 3.0f, Looping::AsCreated},
    {"chainSound", 2, Volume::Effect, 1.0f, Looping::AsCreated},
    {"explodeSound", 3, Volume::Effect, 1.0f, Looping::AsCreated},
    {"game_bgm", 4, Volume::Music, 1.0f, Looping::On},
    {"fire_fx", 5, Volume::Effect, 1.0f, Looping::AsCreated},
    {"lightning_fx", 6, Volume::Full, 1.0f, Looping::AsCreated},
    {"ice_fx", 7, Volume::Effect, 1.0f, Looping::AsCreated},
    {"b_tower_fx", 8, Volume::Full, 1.0f, Looping::AsCreated},
    {"cb_tower_fx", 9, Volume::Effect, 1.0f, Looping::AsCreated},
    {"hover_fx", 11, Volume::Effect, 1.0f, Looping::Off},
    {"FireAoE", 13, Volume::Effect, 1.0f, Looping::AsCreated},
    {"Heal", 14, Volume::Effect, 1.0f, Looping::AsCreated},
    {"IceAoE", 15, Volume::Effect, 1.0f, Looping::AsCreated},
    {"shield", 16, Volume::Effect, 1.0f, Looping::AsCreated},
    {"cityhit", 17, Volume::Effect, 1.0f, Looping::AsCreated},
    {"bossbgm", 18, Volume::Music, 1.0f, Looping::On},
    {"crit", 19, Volume::Effect, 1.0f, Looping::AsCreated},
};
}  // namespace

void BaseLevelClass::CreateSounds(f32 musicVolume, f32 effectVolume)
{
    MyGame* game = GetGame();
    Vellumar::Layer* layer = GetLayer(1);
    if (!game || !layer)
        return;
    for (const SoundRow& row : Sounds)
    {
        if (row.tableIndex >= game->soundTable.size())
            continue;
        auto* sound = new (__FILE__, __LINE__)
            Vellumar::Sound(game->soundTable[row.tableIndex], Vellumar::Sound::NotPositional, 10.0f, false, 0.0f, false);
        sound->SetName(row.name);
        sound->SetPosition(0.0f, 0.0f);
        sound->SetVolume(row.volume == Volume::Music ? musicVolume : row.volume == Volume::Effect ? effectVolume : 1.0f);
        sound->SetPitch(row.pitch);
        sound->SetLifeTime(0.0f);
        if (row.looping != Looping::AsCreated)
            sound->SetLooping(row.looping == Looping::On);
        layer->AddGameObject(sound, false, nullptr);
    }
}
