#include "game/MyGame_CrystalClass.h"

#include "framework/core/Vellumar_Random.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_MyGame.h"

GAME_REGISTER_CLASS(CrystalClass)

namespace
{
const Math::Vector2D Target(84.0f, -307.0f);
constexpr f32 PickupLine = -300.0f;
}  // namespace

void CrystalClass::ScriptUpdate(f32)
{
    if (!GetVisible() || GetName() != "crystal_clone")
        return;
    Math::Vector2D direction = Target - GetPosition();
    direction.Normalize();
    const Math::Vector2D velocity = direction * Vellumar::RandomFloatInRange(15.0f, 100.0f);
    SetRotationAngle(GetRotationAngle() + Vellumar::RandomFloatInRange(10.0f, 20.0f));
    MyGame* game = GetGame();
    SetVelocity(velocity * static_cast<f32>(game ? game->running : 0));
    if (GetPositionY() < PickupLine)
    {
        if (BaseLevelClass* level = GetPlayLevel())
        {
            level->resources = static_cast<u8>(level->resources + 1);
            level->UpdateResourceBars();
        }
        Destroy();
    }
}
