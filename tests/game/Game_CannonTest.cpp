// The cannon, its ammunition queue and load display, and the projectiles' flight and hits.
#include "game/MyGame_BaseAmmoClass.h"
#include "game/MyGame_CannonClass.h"
#include "game/MyGame_EffectSystems.h"
#include "tests/game/Game_PlayFixture.h"

#include <algorithm>

namespace
{
using GameTest::PlayFixture;

class CannonTest : public PlayFixture
{
protected:
    void SetUp() override
    {
        PlayFixture::SetUp();
        extraContent = [](BaseLevelClass& level) {
            GameTest::Place<BaseAmmoClass>(level, "ammo_base", false);
            GameTest::Place<CannonClass>(level, "cannon", true, 0.0f, -280.0f);
            auto* blood = new BloodSystemClass("", 16, 1.0f, Math::Vector2D(0.0f, 0.0f));
            blood->SetName("blood");
            level.GetLayer(1)->AddGameObject(blood, false, nullptr);
        };
        Play(WaveFile("0 0 0 0 0 0 0 0 0 0"));
    }

    CannonClass& Cannon() { return *Find<CannonClass>("cannon"); }

    // The mouse at that point of the world, relative to the screen centre, y upwards.
    void AimAt(i32 x, i32 y) { MoveMouse(512 + x, 767 - (384 + y)); }

    void Click()
    {
        input.buttons = 1;
        RunFrame();
        input.buttons = 0;
    }

    std::vector<BaseAmmoClass*> Named(const char* name)
    {
        Core::Vector<Vellumar::GameObject*> found;
        Level().GetGameObjectsByName(name, found);
        std::vector<BaseAmmoClass*> ammo;
        for (Vellumar::GameObject* object : found)
            if (!object->IsDestroyed() && !object->IsDestroying())
                ammo.push_back(dynamic_cast<BaseAmmoClass*>(object));
        return ammo;
    }

    BaseAmmoClass* Shoot(f32 x, f32 y, f32 degrees)
    {
        auto* shot = static_cast<BaseAmmoClass*>(Find<BaseAmmoClass>("ammo_clone")->Clone());
        shot->SetName("ammo_base");
        shot->SetVisible(true);
        shot->SetPosition(x, y);
        shot->SetRotationAngle(degrees);
        Level().GetLayer(1)->AddGameObject(shot, false, nullptr);
        return shot;
    }
};

TEST_F(CannonTest, StartsWithItsQueueAndThreeLoadSprites)
{
    CannonClass& cannon = Cannon();
    EXPECT_EQ(cannon.ammoQueue, (std::array<u8, 4>{0, 0, 0, CannonClass::NotFired}));
    EXPECT_EQ(cannon.restPosition.y, -280.0f);
    std::vector<f32> xs;
    for (BaseAmmoClass* sprite : Named("ammo_load"))
        xs.push_back(sprite->GetPositionX());
    std::sort(xs.begin(), xs.end());
    EXPECT_EQ(xs, (std::vector<f32>{-121.0f, -83.0f, -45.0f}));
    EXPECT_EQ(Find("ammo_clone")->GetName(), "ammo_clone");
}

TEST_F(CannonTest, AimsOnlyAboveItsRestHeight)
{
    AimAt(100, -180);
    RunFrame();
    EXPECT_FLOAT_EQ(Cannon().GetRotationAngle(), -45.0f);
    AimAt(-100, -300);
    RunFrame();
    EXPECT_FLOAT_EQ(Cannon().GetRotationAngle(), -45.0f);
    Click();
    EXPECT_TRUE(Named("ammo_base").empty());
    EXPECT_EQ(Cannon().coolingDown, 0);
}

TEST_F(CannonTest, FiresOnATriggerAfterTheCooldownShiftsTheQueueAndRecoils)
{
    AimAt(0, 100);
    RunFrame();
    Click();
    CannonClass& cannon = Cannon();
    auto shots = Named("ammo_base");
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(shots[0]->element, 0);
    EXPECT_EQ(cannon.ammoQueue[3], 0);
    EXPECT_EQ(cannon.coolingDown, 1);
    EXPECT_EQ(cannon.recoiling, 1);
    EXPECT_FLOAT_EQ(shots[0]->GetRotationAngle(), 90.0f);
    RunFrame();
    std::vector<f32> xs;
    for (BaseAmmoClass* sprite : Named("ammo_load"))
        xs.push_back(sprite->GetPositionX());
    std::sort(xs.begin(), xs.end());
    EXPECT_EQ(xs, (std::vector<f32>{-121.0f, -83.0f, -45.0f}));
    // Held, and clicked again during the cool-down: nothing more.
    input.buttons = 1;
    RunFrames(5);
    input.buttons = 0;
    RunFrame();
    Click();
    EXPECT_EQ(Named("ammo_base").size(), 1u);
    RunFrames(3);
    EXPECT_EQ(cannon.recoiling, 0);
    EXPECT_EQ(cannon.GetPositionY(), -280.0f);
    RunFrames(45);
    EXPECT_EQ(cannon.coolingDown, 0);
    Click();
    EXPECT_EQ(cannon.coolingDown, 1);
}

TEST_F(CannonTest, NothingFiresWhilePaused)
{
    AimAt(0, 100);
    game->running = 0;
    Click();
    EXPECT_TRUE(Named("ammo_base").empty());
}

TEST_F(CannonTest, ProjectilesFly16UnitsBounceAtTheWallsAndDieAtTheTop)
{
    auto* up = Shoot(0.0f, 0.0f, 90.0f);
    auto* side = Shoot(480.0f, -200.0f, 10.0f);
    RunFrame();
    RunFrame();
    EXPECT_NEAR(up->GetPositionY(), 32.0f, 1e-3f);
    EXPECT_FLOAT_EQ(side->GetRotationAngle(), 170.0f);
    game->running = 0;
    RunFrames(3);
    EXPECT_NEAR(up->GetPositionY(), 32.0f, 1e-3f);
    EXPECT_EQ(up->age, 2);
    game->running = 1;
    // 400 is passed at the 26th update.
    RunFrames(22);
    EXPECT_FALSE(up->IsDestroying());
    RunFrames(2);
    EXPECT_TRUE(up->IsDestroying() || up->IsDestroyed());
}

TEST_F(CannonTest, ProjectilesDieAfter175Updates)
{
    auto* shot = Shoot(0.0f, -300.0f, 0.0f);
    RunFrame();
    RunFrame();
    shot->age = BaseAmmoClass::MaxAge;
    shot->SetRotationAngle(0.0f);
    shot->SetPosition(0.0f, -300.0f);
    RunFrames(2);
    EXPECT_TRUE(Named("ammo_base").empty());
}

TEST_F(CannonTest, HitsAreNormalCriticalOrOnTheHealer)
{
    auto make = [this](const char* archetype, i32 element) {
        auto* enemy = static_cast<MainEnemyClass*>(Find<MainEnemyClass>(archetype)->Clone());
        enemy->SetName(Core::String(archetype) + "_clone");
        enemy->SetVisible(true);
        enemy->SetSpeed(0.0f, 0.0f);
        enemy->element = element;
        Level().GetLayer(1)->AddGameObject(enemy, false, nullptr);
        Level().enemyList.push_back(enemy->GetID());
        return enemy;
    };
    auto* fireHeavy = make("enemy_heavy", 1);
    auto* iceHeavy = make("enemy_heavy", 2);
    auto* plainHeavy = make("enemy_heavy", 0);
    auto* healer = static_cast<HealerClass*>(make("enemy_healer", 1));
    RunFrame();
    auto hit = [this](MainEnemyClass* enemy, u8 element) {
        auto* shot = Shoot(0.0f, -300.0f, 0.0f);
        shot->element = element;
        RunFrame();
        shot->damage = 1;
        shot->ResolveHit(enemy->GetID(), true);
        EXPECT_EQ(shot->hitEnemyId, enemy->GetID());
        EXPECT_TRUE(shot->IsDestroying());
    };
    // Each hit but the healer's starts the burst on its enemy, critical when the elements match.
    auto* blood = Find<BloodSystemClass>("blood");
    hit(fireHeavy, 1);
    EXPECT_EQ(blood->targetId, fireHeavy->GetID());
    EXPECT_EQ(blood->critical, 1);
    hit(iceHeavy, 1);
    EXPECT_EQ(blood->targetId, iceHeavy->GetID());
    EXPECT_EQ(blood->critical, 0);
    EXPECT_EQ(blood->active, 1);
    hit(plainHeavy, 0);
    hit(healer, 1);
    EXPECT_EQ(blood->targetId, plainHeavy->GetID());
    EXPECT_EQ(fireHeavy->hitPoints, 2);
    EXPECT_EQ(iceHeavy->hitPoints, 3);
    EXPECT_EQ(plainHeavy->hitPoints, 3);
    EXPECT_EQ(healer->hitPoints, 3);
    EXPECT_TRUE(healer->healing);
}
}  // namespace
