#pragma once
// The play level with the elemental archetypes, the effect and aiming systems, the tower sites,
// icons and towers, and helpers that place still enemies and read objects back.
#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "framework/sound/Vellumar_Sound.h"
#include "game/MyGame_AimClasses.h"
#include "game/MyGame_Archetypes.h"
#include "game/MyGame_CannonClass.h"
#include "game/MyGame_EffectSystems.h"
#include "game/MyGame_ElementalAmmo.h"
#include "game/MyGame_TowerClasses.h"
#include "game/content/MyGame_CollisionActors.h"
#include "tests/game/Game_PlayFixture.h"

namespace GameTest
{
template <class T>
T* PlaceSystem(Vellumar::Level& level, const char* name)
{
    auto* system = new T("", 16, 1.0f, Math::Vector2D(0.0f, 0.0f));
    system->SetName(name);
    system->SetVisible(true);
    level.GetLayer(1)->AddGameObject(system, false, nullptr);
    return system;
}

inline void PlaceEffectsContent(BaseLevelClass& level)
{
    Place<FireAmmoClass>(level, "ammo_clonf", false);
    Place<IceAmmoClass>(level, "ammo_cloni", false);
    Place<LightningAmmoClass>(level, "ammo_clons", false);
    Place<Vellumar::Sprite>(level, "chain_lightning", false);
    Place<Vellumar::Sprite>(level, "emp", false, 0.0f, -297.0f);
    for (const char* name : {"crit", "FireAoE", "IceAoE", "chainSound", "b_tower_fx", "cb_tower_fx", "fire_fx",
                             "ice_fx", "lightning_fx"})
        Place<Vellumar::Sound>(level, name, true);
    Place<CannonClass>(level, "cannon", true, 0.0f, -280.0f);
    PlaceAnimated<BounceAimClass>(level, "bouncedot", true, 1);
    PlaceSystem<AimSystemClass>(level, "aimassist")->SetPosition(0.0f, -280.0f);
    PlaceSystem<BounceSystemClass>(level, "bounceassist");
    PlaceSystem<BloodSystemClass>(level, "blood");
    PlaceSystem<FireSystemClass>(level, "fire_explode");
    PlaceSystem<IceSystemClass>(level, "ice_explode");
    PlaceSystem<IceTowerEffectSystemClass>(level, "ice_tower_effect1");
    PlaceSystem<IceTowerEffectSystemClass>(level, "ice_tower_effect2");
    PlaceAnimated<Slot1Class>(level, "towerslot1", true, 1, -402.0f, -330.0f);
    PlaceAnimated<Slot2Class>(level, "towerslot2", true, 1, -247.0f, -330.0f);
    PlaceAnimated<Slot3Class>(level, "towerslot3", true, 1, 251.0f, -330.0f);
    PlaceAnimated<Slot4Class>(level, "towerslot4", true, 1, 406.0f, -330.0f);
    Place<FireSelectClass>(level, "select_fire", true, -3000.0f, -3000.0f)->SetOpacity(0.5f);
    Place<IceSelectClass>(level, "select_ice", true, -3000.0f, -3000.0f)->SetOpacity(0.5f);
    Place<LightningSelectClass>(level, "select_lightning", true, -3000.0f, -3000.0f)->SetOpacity(0.5f);
    PlaceAnimated<FireTowerClass>(level, "tower_fire", false, 2, -3000.0f, -3000.0f);
    PlaceAnimated<IceTowerClass>(level, "tower_ice", false, 1, -3000.0f, -3000.0f);
    PlaceAnimated<LightningTowerClass>(level, "tower_lightning", false, 1, -3000.0f, -3000.0f);
}

class EffectsFixture : public PlayFixture
{
protected:
    void SetUp() override
    {
        extraContent = PlaceEffectsContent;
        PlayFixture::SetUp();
        // The fake clock only moves between frames: a locked rate would wait for it forever.
        game->SetRateLock(0);
        // A headless window has no handle: the mouse reads the fake window's client area.
        input.window = 7;
        game->GetMouse()->SetWindow(input.window);
        Play(WaveFile(""));
        game->running = 1;
        game->enemyMotion = 1;
        game->bigBossEggsArchetypeId = 0xFFFFFFFFu;
    }

    // A still enemy of that element and hit points, listed as the spawners list theirs; it has
    // started when this returns.
    MainEnemyClass* Enemy(f32 x, f32 y, i32 element = 0, i32 hitPoints = 10)
    {
        auto* enemy = Place<MainEnemyClass>(Level(), "enemy_test", true, x, y);
        enemy->element = element;
        enemy->maxHitPoints = hitPoints;
        Level().enemyList.push_back(enemy->GetID());
        RunFrame();
        return enemy;
    }

    // A clone of an elemental archetype as a flying projectile at the point, where it ends when the
    // test destroys it.
    template <class Ammo>
    Ammo* Flying(const char* archetype, f32 x, f32 y, u8 element)
    {
        Ammo* ammo = Find<Ammo>(archetype)->Clone();
        ammo->SetName("ammo_base");
        ammo->SetVisible(true);
        ammo->element = element;
        ammo->SetPosition(x, y);
        AddToPlayLayer(ammo);
        RunFrame();
        // Its first update flew it: back to where the test wants its end.
        ammo->SetPosition(x, y);
        return ammo;
    }

    // The content's collision actor of that number, handed to the game, which owns it.
    Collision2D::CollisionActor* ContentActor(u32 number)
    {
        Collision2D::CollisionActor* found = nullptr;
        BuildCollisionActors(CollisionActorTable, [&](u32 built, Collision2D::CollisionActor* actor) {
            if (built != number)
            {
                delete actor;
                return;
            }
            game->AddCollisionAssets(actor);
            found = actor;
        });
        return found;
    }

    // A collision body on the actor, as the content gives one: rectangles only (type 0) or the
    // actor's shapes (type 1), of that thickness, kept up to date while idle.
    void GiveBody(Vellumar::GameObject& object, const Collision2D::CollisionActor* actor, u8 type, f32 thickness = 4.0f)
    {
        auto* body = new Collision2D::DynamicObject();
        body->AddCollisionData(actor, 0, 0);
        body->SetCollisionType(type);
        body->SetCollisionThickness(thickness);
        body->SetCanCollid(0, true);
        body->SetUpdateOnIdle(true);
        object.AddCollision(body, Level().GetLayer(1)->GetCollisionId());
    }

    u32 Count(const char* name)
    {
        Core::Vector<Vellumar::GameObject*> found;
        Level().GetGameObjectsByName(name, found);
        return static_cast<u32>(found.size());
    }
};
}  // namespace GameTest
