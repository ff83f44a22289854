#include "game/MyGame_CannonClass.h"

#include "collision/Collision_DynamicObject.h"
#include "platform/Input_Mouse.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Random.h"
#include "game/MyGame_Archetypes.h"
#include "game/MyGame_BaseAmmoClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_Sounds.h"
#include "game/MyGame_TowerClass.h"
#include "physics/Physics_Force.h"

#include <algorithm>
#include <cmath>

GAME_REGISTER_CLASS(CannonClass)

namespace
{
// The projectile archetype of each element.
const char* const ProjectileArchetypes[] = {"ammo_clone", "ammo_clonf", "ammo_cloni", "ammo_clons"};
constexpr f32 LoadY = -314.0f;
constexpr f32 LoadXs[] = {-121.0f, -83.0f, -45.0f};
constexpr f32 LoadStep = 38.0f;
constexpr f32 RecoilForce = 200.0f;
constexpr f32 RecoilTime = 0.02f;
const Math::Vector2D RestPlace(0.0f, -280.0f);
}  // namespace

void CannonClass::OnStart()
{
    restPosition = GetPosition();
    aimDirection = Math::Vector2D(0.0f, 0.0f);
    aimAngle = 0.0f;
    recoiling = coolingDown = 0;
    cooldownCounter = recoilCounter = 0;
    slotElements = {};
    ammoQueue = {0, 0, 0, NotFired};
    CreateLoadDisplay();
}

void CannonClass::ScriptUpdate(f32)
{
    MyGame* game = GetGame();
    if (!game || GetName() != "cannon")
        return;
    if (game->running)
        aimDirection = Math::Vector2D(game->mouseX - restPosition.x, game->mouseY - restPosition.y);
    if (restPosition.y < game->mouseY)
        Aim();
    Fire();
    UpdateTimers();
}

void CannonClass::Aim()
{
    MyGame* game = GetGame();
    aimAngle = static_cast<f32>(std::atan2(aimDirection.y, aimDirection.x) * 57.295780181884766 - 90.0);
    if (!recoiling && game && game->running)
        SetRotationAngle(aimAngle);
}

void CannonClass::Fire()
{
    MyGame* game = GetGame();
    Input::Mouse* mouse = Input::GetMouse();
    if (!game || !mouse || !mouse->IsTriggered(0) || coolingDown || !(restPosition.y < game->mouseY) ||
        !game->running)
        return;
    PlaySound("CannonFireSound");
    ammoQueue[3] = ammoQueue[2];
    ammoQueue[2] = ammoQueue[1];
    ammoQueue[1] = ammoQueue[0];
    ammoQueue[0] = ChooseAmmoElement();
    AdvanceLoadDisplay();
    AddLoadSprite(ammoQueue[0], LoadXs[0]);
    coolingDown = 1;
    const u8 element = ammoQueue[3];
    BaseAmmoClass* shot = element < std::size(ProjectileArchetypes)
                              ? CloneArchetype<BaseAmmoClass>(ProjectileArchetypes[element], "ammo_base", 3.0f)
                              : nullptr;
    if (shot)
    {
        shot->element = element;
        shot->age = 0;
        shot->SetPosition(GetPosition());
        shot->SetDirection(aimDirection.x, aimDirection.y);
        AddToPlayLayer(shot);
    }
    aimDirection.Normalize();
    AddForce(new (__FILE__, __LINE__) Physics2D::ConstantForce(restPosition, aimDirection * -RecoilForce, RecoilTime));
    recoiling = 1;
    coolingDown = 1;
}

void CannonClass::UpdateTimers()
{
    if (recoiling)
    {
        if (recoilCounter < RecoilUpdates)
            ++recoilCounter;
        else
        {
            SetVelocity(Math::Vector2D(0.0f, 0.0f));
            SetOldPosition(RestPlace);
            recoiling = 0;
            recoilCounter = 0;
        }
    }
    if (coolingDown)
    {
        if (cooldownCounter < CooldownUpdates)
            ++cooldownCounter;
        else
        {
            coolingDown = 0;
            cooldownCounter = 0;
        }
    }
}

u8 CannonClass::ChooseAmmoElement()
{
    // A missing site offers no element.
    const auto offered = [](const auto* site) { return site ? static_cast<u8>(site->cannonElement) : u8{0}; };
    slotElements = {offered(FindObjectByName<Slot1Class>("towerslot1")), offered(FindObjectByName<Slot2Class>("towerslot2")),
                    offered(FindObjectByName<Slot3Class>("towerslot3")), offered(FindObjectByName<Slot4Class>("towerslot4"))};
    const i32 k = std::clamp(Vellumar::RandomIntInRange(0, 3), 0, 3);
    return slotElements[static_cast<u32>(k)];
}

void CannonClass::AddLoadSprite(u8 element, f32 x)
{
    BaseAmmoClass* sprite = CloneArchetype<BaseAmmoClass>("ammo_clone", "ammo_load", 0.5f);
    if (!sprite)
        return;
    if (Collision2D::DynamicObject* object = sprite->GetRegisteredObject())
    {
        object->SetZCollision(2);
        object->SetCanCollid(0, false);
        object->SetCanCollid(1, false);
    }
    sprite->element = element;
    sprite->SetPosition(x, LoadY);
    AddToPlayLayer(sprite);
}

void CannonClass::CreateLoadDisplay()
{
    for (u32 i = 0; i < std::size(LoadXs); ++i)
        AddLoadSprite(ammoQueue[i], LoadXs[i]);
}

void CannonClass::AdvanceLoadDisplay()
{
    MyGame* game = GetGame();
    Vellumar::Level* level = game ? game->GetCurrentLevel() : nullptr;
    if (!level)
        return;
    Core::Vector<Vellumar::GameObject*> shown;
    level->GetGameObjectsByName("ammo_load", shown);
    for (Vellumar::GameObject* sprite : shown)
    {
        sprite->SetPosition(sprite->GetPositionX() + LoadStep, sprite->GetPositionY());
        if (sprite->GetPositionX() > LoadXs[2])
            sprite->Destroy();
    }
}
