#include "game/MyGame_WaveClearClass.h"

#include "game/MyGame_BaseLevelClass.h"

GAME_REGISTER_CLASS(WaveClearClass)

void WaveClearClass::OnStart()
{
    age = 0;
}

void WaveClearClass::ScriptUpdate(f32)
{
    age += 1;
    if (GetName() == "wave_clear_clone" && age == Life)
        Destroy();
}

void WaveClearClass::OnEnd()
{
    if (BaseLevelClass* level = GetPlayLevel())
        level->readingRecords = 1;
}
