#pragma once
// The level's named sound objects, played from the start; a name the level lacks plays nothing.
#include "audio/Vellumar_Sound.h"
#include "game/MyGame_Lookup.h"

inline void PlaySound(const char* name)
{
    if (auto* sound = FindObjectByName<Vellumar::Sound>(name))
        sound->Play(true);
}
