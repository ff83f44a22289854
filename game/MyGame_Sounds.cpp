#include "game/MyGame_Sounds.h"

#include "framework/core/Vellumar_Layer.h"
#include "game/MyGame_MyGame.h"

void AddLevelSound(Vellumar::Level& level, const char* name, u32 tableIndex, f32 volume, f32 pitch, bool looping)
{
    MyGame* game = GetGame();
    Vellumar::Layer* layer = level.GetLayer(1);
    if (!game || !layer || tableIndex >= game->soundTable.size())
        return;
    auto* sound = new (__FILE__, __LINE__)
        Vellumar::Sound(game->soundTable[tableIndex], Vellumar::Sound::NotPositional, 10.0f, false, 0.0f, false);
    sound->SetName(name);
    sound->SetPosition(0.0f, 0.0f);
    sound->SetVolume(volume);
    sound->SetPitch(pitch);
    sound->SetLifeTime(0.0f);
    sound->SetLooping(looping);
    layer->AddGameObject(sound, false, nullptr);
}
