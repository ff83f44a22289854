// The play level's layer holds the content tables' objects in their fixed order, each set up as
// its row says; the play level runs and leaves nothing behind when the game moves on.
#include "collision/Collision_DynamicObject.h"
#include "core/Core_Random.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Random.h"
#include "framework/drawables/Vellumar_ParticleEmitter.h"
#include "framework/drawables/Vellumar_ParticleSystem.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "framework/drawables/Vellumar_Text.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_CannonClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MainEnemyClass.h"
#include "tests/game/Game_Fixture.h"

#include <set>
#include <string>
#include <vector>

namespace
{
using GameTest::MyGameTest;

// Every object of the play layer in creation order, which fixes its id, with its class.
struct PlacedObject
{
    const char* name;
    const char* className;
};

const PlacedObject PlayLayerOrder[] = {
    {"loadingtip", "LoadingTipsTextClass"}, {"background", "Vellumar::Sprite"}, {"enemy_heavy", "HeavyClass"},
    {"semiboss_body", "SemiBossClass"}, {"shield_left_bit", "ShieldBitClass"}, {"shield_body", "ShieldClass"},
    {"enemy_basic", "BasicClass"}, {"enemy_light", "LightClass"}, {"ammo_clonf", "FireAmmoClass"},
    {"ammo_cloni", "IceAmmoClass"}, {"ammo_clons", "LightningAmmoClass"}, {"ammo_load", "BaseAmmoClass"},
    {"ammo_base", "BaseAmmoClass"}, {"wave_clear", "WaveClearClass"}, {"crystal", "CrystalClass"},
    {"chain_lightning", "Vellumar::Sprite"}, {"enemy_healer", "HealerClass"}, {"bb_body", "BigBossBodyClass"},
    {"bb_bottom", "BigBossBottomClass"}, {"bb_right", "BigBossArmsClass"}, {"bb_head", "BigBossHeadClass"},
    {"bb_egg", "BigBossEggsClass"}, {"bb_fire_egg", "BigBossEggsClass"}, {"bb_ice_egg", "BigBossEggsClass"},
    {"bb_lightning_egg", "BigBossEggsClass"}, {"shield_right_bit", "ShieldBitClass"}, {"emp", "Vellumar::Sprite"},
    {"semiboss_leftarm", "SemiBossArmClass"}, {"city", "BaseCityClass"}, {"bouncedot", "BounceAimClass"},
    {"towerslot4", "Slot4Class"}, {"select_fire", "FireSelectClass"}, {"select_ice", "IceSelectClass"},
    {"select_lightning", "LightningSelectClass"}, {"towerslot1", "Slot1Class"}, {"towerslot2", "Slot2Class"},
    {"progress_bottom", "Vellumar::Sprite"}, {"towerslot3", "Slot3Class"}, {"progress_bar1", "Vellumar::Sprite"},
    {"cannonbase", "Vellumar::Sprite"}, {"tower_fire", "FireTowerClass"}, {"tower_ice", "IceTowerClass"},
    {"tower_lightning", "LightningTowerClass"}, {"progress_bar2", "Vellumar::Sprite"},
    {"prediction", "Vellumar::Sprite"}, {"resource_bottom", "Vellumar::Sprite"},
    {"resource_bar_2", "Vellumar::Sprite"}, {"resource_bar_3", "Vellumar::Sprite"},
    {"resource_bar_4", "Vellumar::Sprite"}, {"resource_bar_1", "Vellumar::Sprite"},
    {"resource_top", "Vellumar::Sprite"}, {"cannon", "CannonClass"}, {"tut_target", "Vellumar::Sprite"},
    {"cursor_01", "CursorClass"}, {"cursor_02", "CursorClass"}, {"cursor_03", "CursorClass"},
    {"cursor_04", "CursorClass"}, {"cursor_05", "CursorClass"}, {"cursor_06", "CursorClass"},
    {"cursor_07", "CursorClass"}, {"cursor_08", "CursorClass"}, {"cursor_09", "CursorClass"},
    {"cursor_10", "CursorClass"}, {"cursor_11", "CursorClass"}, {"cursor_12", "CursorClass"},
    {"cursor_13", "CursorClass"}, {"cursor_14", "CursorClass"}, {"pause", "ButtonClass"},
    {"transit_black", "Vellumar::Sprite"}, {"tut_mouse", "Vellumar::Sprite"}, {"cursor_15", "CursorClass"},
    {"cursor", "CursorClass"}, {"cursor_16", "CursorClass"}, {"pause_exit", "ButtonClass"},
    {"pause_restart", "ButtonClass"}, {"pause_resume", "ButtonClass"}, {"healAOE", "Vellumar::Sprite"},
    {"loading", "Vellumar::Sprite"}, {"bounceassist", "BounceSystemClass"}, {"aimassist", "AimSystemClass"},
    {"cannonsmoke", "SmokeSystemClass"}, {"ice_tower_effect2", "IceTowerEffectSystemClass"},
    {"ice_tower_effect1", "IceTowerEffectSystemClass"}, {"blood", "BloodSystemClass"},
    {"ice_explode2", "IceSystemClass"}, {"fire_explode2", "FireSystemClass"}, {"fire_explode", "FireSystemClass"},
    {"ice_explode", "IceSystemClass"},
};

Vellumar::ParticleSystem* MakePlainSystem(const Core::String& texture, u32 count, f32 size, const Math::Vector2D& gravity)
{
    return new Vellumar::ParticleSystem(texture, count, size, gravity);
}

bool HasRigidBody(Vellumar::GameObject& object)
{
    return object.SetSpeed(0.0f);
}

TEST(PlayContent, TheTablesKeepTheLayersOrderAndNumberActorsByFirstUse)
{
    std::vector<std::string> names{"loadingtip"};
    for (const PlayObject& row : PlayLayerSprites())
        names.emplace_back(row.name);
    for (const ParticleObject& row : PlayLayerParticles())
        names.emplace_back(row.name);
    std::vector<std::string> expected;
    for (const PlacedObject& placed : PlayLayerOrder)
        expected.emplace_back(placed.name);
    EXPECT_EQ(names, expected);

    // A new actor takes the next number; sharing rows reuse an earlier one.
    std::set<i32> seen;
    for (const PlayObject& row : PlayLayerSprites())
    {
        if (!seen.contains(row.actor))
        {
            EXPECT_EQ(row.actor, static_cast<i32>(seen.size())) << row.name;
        }
        seen.insert(row.actor);
    }
    EXPECT_EQ(seen.size(), 70u);
}

TEST_F(MyGameTest, ThePlayLayerIsBuiltFromItsRowsInTheirOrder)
{
    // Built before the game's first frame, so that no level logic touches the objects.
    Core::RefPtr<Vellumar::Level> built = factory->CreateLevel(0);
    ASSERT_NE(built, nullptr);
    Vellumar::Layer& layer = *built->GetLayer(1);
    const Core::Vector<Vellumar::GameObject*>& objects = factory->contentObjects;
    ASSERT_FALSE(objects.empty());
    auto* tip = dynamic_cast<Vellumar::Text*>(objects[0]);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->GetName(), "loadingtip");
    EXPECT_EQ(tip->GetPosition(), Math::Vector2D(-436.0f, 775.0f));
    EXPECT_EQ(tip->GetZOrder(), 11.0f);
    EXPECT_FALSE(tip->GetEngineText()->IsOverlay());

    // Every row makes its object of its class, named and numbered in the layer's order.
    ASSERT_EQ(objects.size(), std::size(PlayLayerOrder));
    for (size_t i = 0; i < objects.size(); ++i)
    {
        EXPECT_EQ(objects[i]->GetName(), PlayLayerOrder[i].name);
        EXPECT_STREQ(objects[i]->GetClassName(), PlayLayerOrder[i].className) << PlayLayerOrder[i].name;
        EXPECT_EQ(objects[i]->GetID(), objects[0]->GetID() + i) << PlayLayerOrder[i].name;
    }

    size_t index = 1;
    for (const PlayObject& row : PlayLayerSprites())
    {
        SCOPED_TRACE(row.name);
        ASSERT_LT(index, objects.size());
        auto* sprite = dynamic_cast<Vellumar::Sprite*>(objects[index]);
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(sprite->GetID(), objects[index - 1]->GetID() + 1) << "ids follow the creation order";
        ++index;
        Core::Vector<Vellumar::GameObject*> named;
        layer.GetGameObjectsByName(row.name, named);
        EXPECT_EQ(named.size(), 1u);
        EXPECT_EQ(sprite->GetPosition(), Math::Vector2D(row.x, row.y));
        EXPECT_EQ(sprite->GetZOrder(), row.z);
        EXPECT_EQ(sprite->GetOpacity(), row.opacity);
        EXPECT_EQ(sprite->GetVisible(), row.visible);
        EXPECT_EQ(sprite->GetScaleX(), row.scale);
        EXPECT_EQ(sprite->GetScaleY(), row.scale);
        EXPECT_EQ(sprite->IsPlaying(), row.play);
        EXPECT_EQ(sprite->GetLoop(), row.loop);
        EXPECT_EQ(sprite->GetFlipHorizontal(), row.flipHorizontal);
        EXPECT_EQ(sprite->GetCurrentAnimationIndex(), row.animation);
        EXPECT_EQ(sprite->GetCurrentFrameIndex(), 0);
        EXPECT_EQ(sprite->GetCollisionActorIndex(), row.actor);
        EXPECT_FALSE(sprite->GetEngineSprite()->IsOverlay());
        EXPECT_EQ(HasRigidBody(*sprite), row.mass > 0.0f);
        u32 animations = 0;
        while (animations < row.animations.size() && row.animations[animations].name)
            ++animations;
        ASSERT_EQ(sprite->GetAnimationsCount(), animations);
        for (u32 a = 0; a < animations; ++a)
        {
            sprite->SetCurrentAnimation(static_cast<i32>(a), false);
            EXPECT_EQ(sprite->GetCurrentAnimationName(), row.animations[a].name);
            EXPECT_EQ(sprite->GetFramesCount(static_cast<i32>(a)), row.animations[a].frames);
        }

        Collision2D::DynamicObject* body = sprite->GetRegisteredObject();
        if (row.collision == CollisionKind::None)
        {
            EXPECT_EQ(body, nullptr);
            continue;
        }
        ASSERT_NE(body, nullptr);
        const bool segments = row.collision == CollisionKind::A || row.collision == CollisionKind::C;
        EXPECT_EQ(body->GetCollisionType(), segments ? 1 : 0);
        EXPECT_EQ(body->GetCollisionThickness(), row.collision == CollisionKind::C ? 0.1f : 4.0f);
        EXPECT_EQ(body->GetUpdateOnIdle(), row.collision != CollisionKind::B);
        EXPECT_EQ(body->GetCollisionActor(), factory->collisionActors[static_cast<u32>(row.actor)]);
    }
    EXPECT_EQ(objects.size(), index + PlayLayerParticles().size());
    factory->ResetObjectPointers();
}

TEST_F(MyGameTest, AParticleRowSetsItsSystemsEmitterRangesAndPlace)
{
    Core::RefPtr<Vellumar::Level> built = factory->CreateLevel(0);
    Vellumar::Layer& layer = *built->GetLayer(1);
    for (ParticleObject row : PlayLayerParticles())
    {
        SCOPED_TRACE(row.name);
        row.make = &MakePlainSystem;
        auto* system = dynamic_cast<Vellumar::ParticleSystem*>(factory->CreateParticleObject(row, layer));
        ASSERT_NE(system, nullptr);
        EXPECT_EQ(system->GetName(), row.name);
        EXPECT_EQ(system->GetPosition(), Math::Vector2D(row.x, row.y));
        EXPECT_EQ(system->GetZOrder(), row.z);
        EXPECT_EQ(system->GetParticleCount(), row.count);
        EXPECT_EQ(system->GetGravity(), Math::Vector2D(row.gravity[0], row.gravity[1]));
        EXPECT_TRUE(system->GetRecycleParticles());
        EXPECT_EQ(system->GetEmissionRateMin(), row.emissionRate[0]);
        EXPECT_EQ(system->GetEmissionRateMax(), row.emissionRate[1]);
        EXPECT_EQ(system->GetSrcBlendFactor(), 6u);
        EXPECT_EQ(system->GetDstBlendFactor(), 7u);
        EXPECT_EQ(system->GetParticleStartingColorMax().a, row.startColors[1][3]);
        EXPECT_EQ(system->GetParticleEndingColorMin().r, row.endColors[0][0]);
        EXPECT_EQ(system->GetParticleLifeTimeMax(), row.lifeTime[1]);
        EXPECT_EQ(system->GetParticleSpeedMin(), row.speed[0]);
        EXPECT_EQ(system->GetParticleStartingScaleMax(), Math::Vector2D(row.startScale[1], row.startScale[1]));
        EXPECT_EQ(system->GetParticleEndingScaleMin(), Math::Vector2D(row.endScale[0], row.endScale[0]));
        EXPECT_EQ(system->GetUseLocalCoordinates(), row.localCoordinates);
        EXPECT_EQ(system->GetEmittedCount(), 0u) << "a warm-up of no time runs no update";
        switch (row.emitter)
        {
        case EmitterShape::OwnClass:
            EXPECT_EQ(dynamic_cast<Vellumar::LineEmitter*>(system->GetEmitter()), nullptr) << "the class's own stays";
            break;
        case EmitterShape::Line:
        {
            auto* line = dynamic_cast<Vellumar::LineEmitter*>(system->GetEmitter());
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(line->pointA, Math::Point2D(row.a[0], row.a[1]));
            break;
        }
        case EmitterShape::Point:
        {
            auto* point = dynamic_cast<Vellumar::PointEmitter*>(system->GetEmitter());
            ASSERT_NE(point, nullptr);
            EXPECT_EQ(point->angleMax, row.b[1]);
            break;
        }
        }
    }
    factory->ResetObjectPointers();
}

TEST_F(MyGameTest, ThePlayLevelRunsAndLeavesNothingBehind)
{
    RunFrames(3);
    SwitchTo(0);
    RunFrames(10);
    auto* cannon = FindObjectByName<CannonClass>("cannon");
    ASSERT_NE(cannon, nullptr);
    auto* smoke = FindObjectByName<Vellumar::ParticleSystem>("cannonsmoke");
    ASSERT_NE(smoke, nullptr);
    EXPECT_EQ(smoke->GetMount(), cannon);
    EXPECT_EQ(cannon->GetLayer(), game->GetCurrentLevel()->GetLayer(1));
    const u32 cannonId = cannon->GetID();

    SwitchTo(1);
    EXPECT_EQ(FindObjectByName<Vellumar::GameObject>("cannon"), nullptr);
    EXPECT_EQ(FindObjectByName<Vellumar::GameObject>("enemy_basic"), nullptr);
    SwitchTo(0);
    auto* again = FindObjectByName<CannonClass>("cannon");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetID(), cannonId) << "ids restart at every level switch";
}
// A lone enemy takes its drift, then its element, then its place, as the generator hands them out.
TEST_F(MyGameTest, TheLoneEnemySpawnersDrawSpeedElementAndPlaceInThatOrder)
{
    RunFrames(3);
    game->introPending = 0;
    game->waveFileName = "act1.txt";
    SwitchTo(0);
    auto* level = dynamic_cast<BaseLevelClass*>(game->GetCurrentLevel());
    ASSERT_NE(level, nullptr);
    // Taken into the layer where nothing moves and the waves do not count on.
    game->running = 0;
    struct Case
    {
        void (BaseLevelClass::*spawn)();
        const char* name;
        f32 drift;
        f32 speedY;
    };
    const Case cases[] = {{&BaseLevelClass::SpawnCode1, "enemy_basic_clone", 0.2f, 0.5f},
                          {&BaseLevelClass::SpawnCode11, "enemy_heavy_clone", 0.15f, 0.3f},
                          {&BaseLevelClass::SpawnCode21, "enemy_light_clone", 0.3f, 0.7f}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Core::SeedRandom(12345);
        const f32 drift = Vellumar::RandomFloatInRange(-c.drift, c.drift);
        const i32 element = Vellumar::RandomIntInRange(0, 3);
        const i32 x = Vellumar::RandomIntInRange(-500, 500);
        Core::SeedRandom(12345);
        (level->*c.spawn)();
        RunFrame();
        auto* enemy = FindObjectById<MainEnemyClass>(level->enemyList.back());
        ASSERT_NE(enemy, nullptr);
        EXPECT_EQ(enemy->GetName(), c.name);
        EXPECT_EQ(enemy->GetPositionX(), static_cast<f32>(x));
        EXPECT_EQ(enemy->GetPositionY(), 384.0f);
        EXPECT_EQ(enemy->speedX, drift);
        EXPECT_EQ(enemy->speedY, c.speedY);
        EXPECT_EQ(enemy->element, element);
        EXPECT_EQ(enemy->GetZOrder(), 1.4f);
    }
    Core::SeedRandom(12345);
    level->Spawn(1);
    RunFrame();
    EXPECT_EQ(FindObjectById<MainEnemyClass>(level->enemyList.back())->GetPositionX(), 287.0f);
}
}  // namespace
