// The aiming guide and bounce marker, the hit burst and the cannon-following systems.
#include "tests/game/Game_EffectsFixture.h"

namespace
{
using GameTest::EffectsFixture;

TEST(BounceWallTest, TheAimLineMeetsEitherWallAndAVerticalAimMeetsNone)
{
    Math::Vector2D hit(3.0f, 4.0f);
    ASSERT_TRUE(IntersectWall(Math::Vector2D(0.0f, -280.0f), Math::Vector2D(100.0f, 50.0f), 499.0f, 384.0f, hit));
    EXPECT_FLOAT_EQ(hit.x, 499.0f);
    EXPECT_NEAR(hit.y, -280.0f + 249.5f, 1e-3f);
    ASSERT_TRUE(IntersectWall(Math::Vector2D(0.0f, -280.0f), Math::Vector2D(100.0f, 50.0f), -499.0f, 384.0f, hit));
    EXPECT_NEAR(hit.y, -280.0f - 249.5f, 1e-3f);
    EXPECT_FALSE(IntersectWall(Math::Vector2D(0.0f, -280.0f), Math::Vector2D(0.0f, 50.0f), 499.0f, 384.0f, hit));
    EXPECT_NEAR(hit.y, -280.0f - 249.5f, 1e-3f);
}

class AimEffectsTest : public EffectsFixture
{
protected:
    CannonClass& Cannon() { return *Find<CannonClass>("cannon"); }

    // The cannon aiming at the mouse, at window pixels from the top left.
    void AimAt(i32 x, i32 yFromTop)
    {
        MoveMouse(x, yFromTop);
        RunFrame();
        Cannon().aimDirection = Math::Vector2D(game->mouseX, game->mouseY) - Cannon().restPosition;
        RunFrame();
    }
};

TEST_F(AimEffectsTest, TheGuidesShowAboveTheCannonAndTheMarkerSitsOnTheMousesWall)
{
    Cannon().restPosition = Math::Vector2D(0.0f, -280.0f);
    AimAt(512 + 200, 384 - 100);
    auto* marker = Find<BounceAimClass>("bouncedot");
    EXPECT_TRUE(marker->GetVisible());
    EXPECT_TRUE(Find<AimSystemClass>("aimassist")->GetVisible());
    EXPECT_EQ(marker->GetPositionX(), 499.0f);
    EXPECT_FLOAT_EQ(marker->GetPositionY(), -280.0f + (game->mouseY + 280.0f) * 499.0f / game->mouseX);
    auto* bounce = Find<BounceSystemClass>("bounceassist");
    EXPECT_FLOAT_EQ(bounce->GetPositionY(), marker->bouncePoint.y);
    Math::Point2D at;
    Math::Vector2D aim, mirrored;
    Find<AimSystemClass>("aimassist")->GetEmitter()->GetPositionAndDirection(0.0f, at, aim);
    bounce->GetEmitter()->GetPositionAndDirection(0.0f, at, mirrored);
    EXPECT_NEAR(aim.Length(), 1.0f, 1e-5f);
    EXPECT_FLOAT_EQ(mirrored.x, -aim.x);
    EXPECT_FLOAT_EQ(mirrored.y, aim.y);

    AimAt(512, 200);
    EXPECT_EQ(marker->GetPositionX(), 499.0f);
    AimAt(100, 300);
    EXPECT_EQ(marker->GetPositionX(), -499.0f);
    AimAt(100, 700);
    EXPECT_FALSE(marker->GetVisible());
    EXPECT_FALSE(bounce->GetVisible());
}

TEST_F(AimEffectsTest, KeyAHidesOnlyTheMarkerAndKeyBSwitchesItsPicture)
{
    AimAt(700, 200);
    auto* marker = Find<BounceAimClass>("bouncedot");
    input.Press('A');
    RunFrame();
    input.Release('A');
    RunFrame();
    EXPECT_FALSE(marker->GetVisible());
    EXPECT_TRUE(Find<AimSystemClass>("aimassist")->GetVisible());
    input.Press('A');
    input.Press('B');
    RunFrame();
    EXPECT_TRUE(marker->GetVisible());
    EXPECT_EQ(marker->dotFrameFlag, 0);
    EXPECT_EQ(marker->GetCurrentFrameIndex(), 1);
}

TEST_F(AimEffectsTest, TheBurstFollowsItsEnemyWithTheLookOfItsHitUntilItsGroupOfFiveEnds)
{
    MainEnemyClass* enemy = Enemy(40.0f, 60.0f);
    auto* blood = Find<BloodSystemClass>("blood");
    while (blood->frameCounter % 5 != 1)
        RunFrame();
    blood->Hit(enemy->GetID(), 1, 0);
    RunFrame();
    EXPECT_EQ(blood->GetPositionX(), 40.0f);
    EXPECT_EQ(blood->GetEmissionRateMin(), 1000.0f);
    EXPECT_EQ(blood->GetParticleLifeTimeMax(), 1.5f);
    EXPECT_EQ(blood->GetParticleStartingColorMax().r, 1.0f);
    blood->targetId = enemy->GetID();
    blood->active = 1;
    RunFrame();
    EXPECT_EQ(blood->GetEmissionRateMin(), 1000.0f);
    RunFrames(2);
    EXPECT_EQ(blood->active, 0);
    blood->Hit(enemy->GetID(), 0, 1);
    RunFrame();
    EXPECT_EQ(blood->GetEmissionRateMax(), 300.0f);
    EXPECT_EQ(blood->GetParticleStartingColorMin().g, 1.0f);
    EXPECT_EQ(blood->GetParticleStartingColorMin().r, 0.0f);
    blood->Hit(enemy->GetID(), 1, 1);
    RunFrame();
    EXPECT_EQ(blood->GetEmissionRateMax(), 0.0f);
}

TEST_F(AimEffectsTest, NoAreaAndNoIceTowerLeaveTheirSystemsSilent)
{
    RunFrame();
    EXPECT_FALSE(Find<FireSystemClass>("fire_explode")->GetVisible());
    EXPECT_FALSE(Find<IceSystemClass>("ice_explode")->GetVisible());
    auto* frost = Find<IceTowerEffectSystemClass>("ice_tower_effect2");
    EXPECT_FALSE(frost->GetVisible());
    frost->SetVisible(true);
    frost->active = 1;
    RunFrame();
    EXPECT_TRUE(frost->GetVisible());
    EXPECT_EQ(frost->GetEmissionRateMax(), 0.0f);
}

TEST_F(AimEffectsTest, TheCannonSmokesOnlyInTheUpdateOfAClickWhileItRecoils)
{
    auto* smoke = GameTest::PlaceSystem<SmokeSystemClass>(Level(), "cannonsmoke");
    Cannon().recoiling = 1;
    RunFrame();
    input.buttons = Input::ButtonBit::Left;
    RunFrame();
    EXPECT_EQ(smoke->GetEmissionRateMax(), 10000.0f);
    RunFrame();
    EXPECT_EQ(smoke->GetEmissionRateMax(), 0.0f);
    input.buttons = 0;
    RunFrame();
    Cannon().recoiling = 0;
    input.buttons = Input::ButtonBit::Left;
    RunFrame();
    EXPECT_EQ(smoke->GetEmissionRateMax(), 0.0f);
}
}  // namespace
