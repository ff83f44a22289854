#include "game/MyGame_LoadingTipsTextClass.h"

#include "framework/core/Vellumar_Random.h"

GAME_REGISTER_CLASS(LoadingTipsTextClass)

const char* const LoadingTips[LoadingTipsCount] = {
    "DEAL DOUBLE DAMAGE BY HITTING ENEMIES WITH PROJECTILES OF MATCHING ELEMENTS.",
    "DURING TIGHT SITUATIONS, CLICK ON TOWERS TO SACRIFICE THEM FOR DEVASTATING ATTACKS.",
    "REBOUND PROJECTILES ON EITHER SIDE OF THE SCREEN TO HIT HARD-TO-REACH AREAS.",
    "EACH ELEMENTAL PROJECTILE HAS A SECONDARY EFFECT. USE THEM WISELY.",
    "HITTING THE HEALER ENEMY FORCES IT TO HEAL SURROUNDING ENEMIES. KILL IT FIRST.",
    "TAKE DOWN A SHIELDER BY DESTROYING ITS SHIELD BITS FIRST.",
    "",
};

Core::String ChooseLoadingTip()
{
    return LoadingTips[static_cast<i8>(Vellumar::RandomIntInRange(0, 5))];
}

void LoadingTipsTextClass::OnStart()
{
    SetText(ChooseLoadingTip());
}
