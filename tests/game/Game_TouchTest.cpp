// Touches found by the collision engine: a projectile hitting the first listed enemy it touches,
// and enemies reaching the city.
#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "game/MyGame_BaseAmmoClass.h"
#include "tests/game/Game_PlayFixture.h"

namespace
{
using GameTest::PlayFixture;

class TouchTest : public PlayFixture
{
protected:
    void SetUp() override
    {
        PlayFixture::SetUp();
        extraContent = [](BaseLevelClass& level) { GameTest::Place<BaseAmmoClass>(level, "ammo_base", false); };
        Play(WaveFile("0 0 0 0 0 0 0 0 0 0"));
        actor = new Collision2D::CollisionActor();
        Collision2D::CollisionFrame& frame = actor->AddCollisionAnimation().AddCollisionFrame();
        frame.SetBoundingRectangle(Collision2D::VelRect(10.0f, -10.0f, 10.0f, -10.0f), true);
        frame.AddCircle({0.0f, 0.0f}, 10.0f, 1, true);
        game->AddCollisionAssets(actor);
    }

    // A round body of radius 10 that touches every other.
    void GiveBody(Vellumar::GameObject& object)
    {
        auto* body = new Collision2D::DynamicObject();
        body->AddCollisionData(actor, 0, 0);
        body->SetCollisionType(1);
        body->SetCanCollid(0, true);
        body->SetUpdateOnIdle(true);
        object.AddCollision(body, Level().GetLayer(1)->GetCollisionId());
    }

    MainEnemyClass* Enemy(const char* archetype, f32 x, f32 y)
    {
        auto* enemy = static_cast<MainEnemyClass*>(Find<MainEnemyClass>(archetype)->Clone());
        enemy->SetName(Core::String(archetype) + "_clone");
        enemy->SetVisible(true);
        enemy->SetSpeed(0.0f, 0.0f);
        enemy->SetPosition(x, y);
        GiveBody(*enemy);
        Level().GetLayer(1)->AddGameObject(enemy, false, nullptr);
        Level().enemyList.push_back(enemy->GetID());
        return enemy;
    }

    Collision2D::CollisionActor* actor = nullptr;
};

TEST_F(TouchTest, AProjectileHitsOnlyTheFirstListedEnemyItTouches)
{
    auto* first = Enemy("enemy_heavy", 0.0f, 100.0f);
    auto* second = Enemy("enemy_heavy", 5.0f, 100.0f);
    auto* shot = static_cast<BaseAmmoClass*>(Find<BaseAmmoClass>("ammo_clone")->Clone());
    shot->SetName("ammo_base");
    shot->SetVisible(true);
    shot->SetPosition(0.0f, 60.0f);
    shot->SetRotationAngle(90.0f);
    GiveBody(*shot);
    Level().GetLayer(1)->AddGameObject(shot, false, nullptr);
    RunFrames(6);
    EXPECT_EQ(first->hitPoints, 3);
    EXPECT_EQ(second->hitPoints, 4);
}

TEST_F(TouchTest, EnemiesReachingTheCityCostItAHitPointEachAndVanish)
{
    auto* city = Find<BaseCityClass>("city");
    GiveBody(*city);
    Enemy("enemy_light", 0.0f, -325.0f);
    Enemy("enemy_light", 3.0f, -328.0f);
    RunFrames(4);
    EXPECT_EQ(city->hitPoints, BaseCityClass::StartHitPoints - 2);
    EXPECT_TRUE(Level().enemyList.empty());
    Core::Vector<Vellumar::GameObject*> crystals;
    Level().GetGameObjectsByName("crystal_clone", crystals);
    EXPECT_TRUE(crystals.empty());
}
}  // namespace
