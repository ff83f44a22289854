// Fire and frost areas, the lightning chain and the hit lists they keep.
#include "game/MyGame_BigBossClasses.h"
#include "tests/game/Game_EffectsFixture.h"

namespace
{
using GameTest::EffectsFixture;

TEST(HitListTest, AFullListGrowsAndNeverAnswersNewTwice)
{
    HitList list(2);
    EXPECT_FALSE(list.MarkHit(7));
    EXPECT_FALSE(list.MarkHit(70000));
    EXPECT_FALSE(list.MarkHit(9));
    EXPECT_EQ(list.Size(), 3u);
    for (u32 id : {7u, 70000u, 9u})
        EXPECT_TRUE(list.MarkHit(id));
    list.Clear(4);
    list[0] = 9;
    EXPECT_TRUE(list.MarkHit(9));
    EXPECT_FALSE(list.MarkHit(7));
}

class ElementalAmmoTest : public EffectsFixture
{
};

TEST_F(ElementalAmmoTest, AFireAreaGrowsToItsLimitAndBurnsEachEnemyInItsSquareOnce)
{
    MainEnemyClass* direct = Enemy(0.0f, 0.0f);
    MainEnemyClass* fiery = Enemy(50.0f, 0.0f, 1);
    MainEnemyClass* plain = Enemy(0.0f, -99.0f);
    MainEnemyClass* outside = Enemy(100.0f, 0.0f);
    auto* shot = Flying<FireAmmoClass>("ammo_clonf", 0.0f, 0.0f, 1);
    shot->hitEnemyId = direct->GetID();
    shot->Destroy();
    RunFrames(2);
    auto* area = Find<FireAmmoClass>("ammo_Fiery");
    ASSERT_NE(area, nullptr);
    EXPECT_FALSE(area->GetVisible());
    auto* glow = Find<FireSystemClass>("fire_explode");
    EXPECT_TRUE(glow->GetVisible());
    EXPECT_EQ(glow->GetEmissionRateMin(), 4000.0f);
    EXPECT_EQ(glow->GetPositionX(), 0.0f);
    game->running = 0;
    RunFrames(5);
    const u16 paused = area->radius;
    EXPECT_EQ(paused, 5);
    game->running = 1;
    RunFrames(30);
    EXPECT_EQ(Find<FireAmmoClass>("ammo_Fiery"), nullptr);
    EXPECT_EQ(direct->hitPoints, 10);
    EXPECT_EQ(fiery->hitPoints, 8);
    EXPECT_EQ(plain->hitPoints, 9);
    EXPECT_EQ(outside->hitPoints, 10);
    EXPECT_FALSE(glow->GetVisible());
    EXPECT_EQ(glow->GetEmissionRateMax(), 0.0f);
}

TEST_F(ElementalAmmoTest, AnAreaReachesItsLimitAfterItsGrowthAndAShotThatLeftOrAgedMakesNone)
{
    auto* old = Flying<FireAmmoClass>("ammo_clonf", 0.0f, 0.0f, 1);
    old->age = 175;
    old->Destroy();
    auto* high = Flying<IceAmmoClass>("ammo_cloni", 0.0f, 401.0f, 2);
    high->Destroy();
    RunFrames(2);
    EXPECT_EQ(Count("ammo_Fiery"), 0u);
    EXPECT_EQ(Count("ammo_Ice"), 0u);
    auto* ice = Flying<IceAmmoClass>("ammo_cloni", 0.0f, 0.0f, 2);
    ice->Destroy();
    RunFrames(2);
    auto* area = Find<IceAmmoClass>("ammo_Ice");
    ASSERT_NE(area, nullptr);
    int updates = 1;
    while (Find<IceAmmoClass>("ammo_Ice") && updates < 200)
    {
        EXPECT_EQ(area->radius, 2 * updates);
        RunFrame();
        ++updates;
    }
    EXPECT_EQ(updates, 51);
}

TEST_F(ElementalAmmoTest, AFrostAreaHalvesTheSpeedOfEachEnemyInItOnceWithoutDamage)
{
    MainEnemyClass* near = Enemy(30.0f, 30.0f);
    MainEnemyClass* far = Enemy(150.0f, 0.0f);
    near->speedY = 1.0f;
    far->speedY = 1.0f;
    Flying<IceAmmoClass>("ammo_cloni", 0.0f, 0.0f, 2)->Destroy();
    RunFrames(25);
    EXPECT_EQ(near->state, MainEnemyClass::Frozen);
    EXPECT_FLOAT_EQ(near->speedY, 0.5f);
    EXPECT_EQ(near->hitPoints, 10);
    EXPECT_NE(far->state, MainEnemyClass::Frozen);
    EXPECT_FLOAT_EQ(far->speedY, 1.0f);
}

TEST_F(ElementalAmmoTest, LightningChainsUpToFourHopsOneLinkEverySixUpdates)
{
    MainEnemyClass* row[6];
    for (int i = 0; i < 6; ++i)
        row[i] = Enemy(60.0f * i, 0.0f, i == 2 ? 3 : 0);
    Flying<LightningAmmoClass>("ammo_clons", -60.0f, 0.0f, 3)->Destroy();
    RunFrame();
    EXPECT_EQ(Count("ammo_Lightning"), 1u);
    EXPECT_EQ(row[0]->hitPoints, 9);
    EXPECT_EQ(Find<BloodSystemClass>("blood")->targetId, row[0]->GetID());
    EXPECT_TRUE(Find("chain_lightning") != nullptr);
    RunFrames(6);
    EXPECT_EQ(row[1]->hitPoints, 10);
    RunFrame();
    EXPECT_EQ(row[1]->hitPoints, 9);
    RunFrames(60);
    EXPECT_EQ(Count("ammo_Lightning"), 0u);
    EXPECT_EQ(row[2]->hitPoints, 8);
    EXPECT_EQ(row[3]->hitPoints, 9);
    EXPECT_EQ(row[4]->hitPoints, 10);
    EXPECT_EQ(row[5]->hitPoints, 10);
}

TEST_F(ElementalAmmoTest, AChainStopsAtAShieldBodyAndAtAnEggWithoutAHop)
{
    MainEnemyClass* shield = Enemy(50.0f, 0.0f);
    shield->chainImmune = 1;
    MainEnemyClass* behind = Enemy(90.0f, 0.0f);
    auto* bolt = Flying<LightningAmmoClass>("ammo_clons", 0.0f, 0.0f, 3);
    bolt->Destroy();
    RunFrames(10);
    EXPECT_EQ(shield->hitPoints, 10);
    EXPECT_EQ(behind->hitPoints, 10);
    EXPECT_EQ(Count("ammo_Lightning"), 0u);

    shield->chainImmune = 0;
    game->bigBossEggsArchetypeId = shield->GetID();
    shield->kindId = shield->GetID();
    auto* second = Flying<LightningAmmoClass>("ammo_clons", 0.0f, 0.0f, 3);
    second->Destroy();
    RunFrames(10);
    EXPECT_EQ(shield->hitPoints, 10);
    EXPECT_EQ(behind->hitPoints, 10);
}

TEST_F(ElementalAmmoTest, AnEggLetsOnlyItsOwnElementThroughAndAShotItStopsMakesNoArea)
{
    GameTest::Place<BigBossEggsClass>(Level(), "bb_fire_egg", false);
    RunFrame();
    BigBossEggsClass::Lay("bb_fire_egg", "bb_fire_egg_clone", 1.6f, 1);
    RunFrame();
    auto* egg = Find<BigBossEggsClass>("bb_fire_egg_clone");
    ASSERT_NE(egg, nullptr);
    auto* blood = Find<BloodSystemClass>("blood");
    auto hit = [&](BaseAmmoClass* shot) {
        shot->ResolveHit(egg->GetID(), true);
        RunFrames(2);
    };
    hit(Flying<IceAmmoClass>("ammo_cloni", -1.0f, -400.0f, 2));
    EXPECT_EQ(egg->hitPoints, 4);
    EXPECT_NE(blood->targetId, egg->GetID());
    EXPECT_EQ(Count("ammo_Ice"), 0u);
    hit(Flying<FireAmmoClass>("ammo_clonf", -1.0f, -400.0f, 1));
    EXPECT_EQ(egg->hitPoints, 3);
    EXPECT_EQ(blood->targetId, egg->GetID());
    EXPECT_EQ(Count("ammo_Fiery"), 1u);
}
}  // namespace
