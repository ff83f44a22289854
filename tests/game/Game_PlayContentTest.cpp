// The play level's layer holds the content tables' objects in their fixed order, each set up as
// its row says; the play level runs and leaves nothing behind when the game moves on.
#include "collision/Collision_DynamicObject.h"
#include "framework/Vellumar_Layer.h"
#include "framework/Vellumar_ParticleEmitter.h"
#include "framework/Vellumar_ParticleSystem.h"
#include "framework/Vellumar_Sprite.h"
#include "framework/Vellumar_Text.h"
#include "game/MyGame_CannonClass.h"
#include "game/MyGame_Lookup.h"
#include "tests/game/Game_Fixture.h"

#include <set>
#include <string>
#include <vector>

namespace
{
using GameTest::MyGameTest;

// Every object of the play layer in creation order.
const char* const PlayLayerOrder[] = {
    "loadingtip", "background", "enemy_heavy", "semiboss_body", "shield_left_bit", "shield_body", "enemy_basic",
    "enemy_light", "ammo_clonf", "ammo_cloni", "ammo_clons", "ammo_load", "ammo_base", "wave_clear", "crystal",
    "chain_lightning", "enemy_healer", "bb_body", "bb_bottom", "bb_right", "bb_head", "bb_egg", "bb_fire_egg",
    "bb_ice_egg", "bb_lightning_egg", "shield_right_bit", "emp", "semiboss_leftarm", "city", "bouncedot",
    "towerslot4", "select_fire", "select_ice", "select_lightning", "towerslot1", "towerslot2", "progress_bottom",
    "towerslot3", "progress_bar1", "cannonbase", "tower_fire", "tower_ice", "tower_lightning", "progress_bar2",
    "prediction", "resource_bottom", "resource_bar_2", "resource_bar_3", "resource_bar_4", "resource_bar_1",
    "resource_top", "cannon", "tut_target", "cursor_01", "cursor_02", "cursor_03", "cursor_04", "cursor_05",
    "cursor_06", "cursor_07", "cursor_08", "cursor_09", "cursor_10", "cursor_11", "cursor_12", "cursor_13",
    "cursor_14", "pause", "transit_black", "tut_mouse", "cursor_15", "cursor", "cursor_16", "pause_exit",
    "pause_restart", "pause_resume", "healAOE", "loading", "bounceassist", "aimassist", "cannonsmoke",
    "ice_tower_effect2", "ice_tower_effect1", "blood", "ice_explode2", "fire_explode2", "fire_explode",
    "ice_explode"};

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
    EXPECT_EQ(names, std::vector<std::string>(std::begin(PlayLayerOrder), std::end(PlayLayerOrder)));

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

    size_t index = 1;
    for (const PlayObject& row : PlayLayerSprites())
    {
        if (!row.make)
            continue;
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
    for (const ParticleObject& row : PlayLayerParticles())
        index += row.make ? 1 : 0;
    EXPECT_EQ(objects.size(), index);
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
}  // namespace
