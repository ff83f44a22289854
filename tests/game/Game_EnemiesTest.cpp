// Enemies, the city, crystals, the resource and progress bars and the pause on the play level.
#include "physics/Physics_MassProperties.h"
#include "tests/game/Game_PlayFixture.h"

namespace
{
using GameTest::PlayFixture;

class EnemiesTest : public PlayFixture
{
protected:
    void SetUp() override
    {
        PlayFixture::SetUp();
        Play(WaveFile("0 0 0 0 0 0 0 0 0 0"));
    }

    template <class Kind = MainEnemyClass>
    Kind* Spawn(const char* archetype, f32 x, f32 y, f32 speedX, f32 speedY)
    {
        auto* clone = static_cast<Kind*>(Find<MainEnemyClass>(archetype)->Clone());
        clone->SetName(Core::String(archetype) + "_clone");
        clone->SetVisible(true);
        clone->SetSpeed(speedX, speedY);
        clone->SetPosition(x, y);
        Level().GetLayer(1)->AddGameObject(clone, false, nullptr);
        Level().enemyList.push_back(clone->GetID());
        RunFrame();
        return clone;
    }

    u32 Count(const char* name)
    {
        Core::Vector<Vellumar::GameObject*> found;
        Level().GetGameObjectsByName(name, found);
        return static_cast<u32>(found.size());
    }
};

TEST_F(EnemiesTest, KindsStartWithTheirHitPointsRewardsAndKindIds)
{
    auto* basic = Spawn("enemy_basic", 0, 0, 0, 0);
    auto* heavy = Spawn("enemy_heavy", 0, 0, 0, 0);
    auto* light = Spawn("enemy_light", 0, 0, 0, 0);
    auto* healer = Spawn<HealerClass>("enemy_healer", 0, 0, 0, 0);
    EXPECT_EQ(basic->hitPoints, 2);
    EXPECT_EQ(basic->reward, 2);
    EXPECT_EQ(heavy->hitPoints, 4);
    EXPECT_EQ(heavy->reward, 3);
    EXPECT_EQ(light->hitPoints, 1);
    EXPECT_EQ(healer->reward, 4);
    EXPECT_FLOAT_EQ(healer->speedY, 0.3f);
    EXPECT_EQ(basic->kindId, Find("enemy_basic")->GetID());
    EXPECT_EQ(game->basicArchetypeId, Find("enemy_basic")->GetID());
    EXPECT_EQ(healer->kindId, game->healerArchetypeId);
    EXPECT_EQ(healer->healedIds[19], HitList::Free);
}

TEST_F(EnemiesTest, AnArchetypeIdBeyondSixteenBitsIsKeptWhole)
{
    Vellumar::GameObject::SetIdCounter(70000);
    auto* archetype = static_cast<MainEnemyClass*>(Find<MainEnemyClass>("enemy_heavy")->Clone());
    Level().GetLayer(1)->AddGameObject(archetype, false, nullptr);
    RunFrame();
    EXPECT_EQ(game->heavyArchetypeId, 70000u);
    auto* heavy = Spawn("enemy_heavy", 0, 0, 0, 0);
    EXPECT_EQ(heavy->kindId, 70000u);
}

TEST_F(EnemiesTest, EnemiesWalkDownBounceAtTheSidesAndStopWhilePaused)
{
    auto* enemy = Spawn("enemy_basic", 481.0f, 100.0f, 0.2f, 0.5f);
    EXPECT_FLOAT_EQ(enemy->speedX, -0.2f);
    EXPECT_NEAR(enemy->GetPositionX(), 480.8f, 1e-4f);
    EXPECT_NEAR(enemy->GetPositionY(), 99.5f, 1e-4f);
    auto* edge = Spawn("enemy_basic", 480.0f, 100.0f, 0.2f, 0.5f);
    EXPECT_FLOAT_EQ(edge->speedX, 0.2f);
    const f32 y = enemy->GetPositionY();
    RunFrame();
    EXPECT_NEAR(enemy->GetPositionY(), y - 0.5f, 1e-4f);
    game->running = 0;
    const Math::Vector2D at = enemy->GetPosition();
    RunFrames(5);
    EXPECT_EQ(enemy->GetPosition().y, at.y);
    game->running = 1;
    game->enemyMotion = 0;
    RunFrame();
    EXPECT_EQ(enemy->GetPosition().y, at.y);
    EXPECT_EQ(enemy->GetModulationColor().r, 0.5f);
}

TEST_F(EnemiesTest, AFreezeHalvesTheSpeedsOnceAndLasts402Updates)
{
    auto* enemy = Spawn("enemy_basic", 0, 300, 0.2f, 0.5f);
    enemy->SetState(MainEnemyClass::Frozen);
    enemy->SetState(MainEnemyClass::Frozen);
    enemy->SetState(1);
    EXPECT_FLOAT_EQ(enemy->speedY, 0.25f);
    EXPECT_FLOAT_EQ(enemy->speedX, 0.1f);
    RunFrames(401);
    EXPECT_EQ(enemy->state, MainEnemyClass::Frozen);
    RunFrame();
    EXPECT_EQ(enemy->state, 0);
    EXPECT_FLOAT_EQ(enemy->speedY, 0.5f);
    EXPECT_FLOAT_EQ(enemy->speedX, 0.2f);
}

TEST_F(EnemiesTest, AKilledEnemyDropsItsCrystalsWhichReachTheCounter)
{
    auto* heavy = Spawn("enemy_heavy", 50, -290, 0, 0);
    heavy->hitPoints = 0;
    RunFrames(2);
    EXPECT_EQ(Count("crystal_clone"), 3u);
    EXPECT_TRUE(Level().enemyList.empty());
    // Without a body of their own the crystals stay where they fell, below the pickup line.
    Core::Vector<Vellumar::GameObject*> crystals;
    Level().GetGameObjectsByName("crystal_clone", crystals);
    for (Vellumar::GameObject* crystal : crystals)
        crystal->SetPosition(84.0f, -301.0f);
    RunFrames(2);
    EXPECT_EQ(Count("crystal_clone"), 0u);
    EXPECT_EQ(Level().resources, 3);
    EXPECT_EQ(Level().barFill[0], 3);
}

TEST_F(EnemiesTest, CrystalsFlyToTheCounterAndStopButSpinWhilePaused)
{
    auto* crystal = GameTest::Place<CrystalClass>(Level(), "crystal_clone", true, 84.0f, 0.0f);
    ASSERT_TRUE(crystal->AddPhysicalProperties(Physics2D::MassProperties(1.0f, 1.0f, Math::Vector2D(0.0f, 0.0f)), 0));
    RunFrames(3);
    const f32 y = crystal->GetPositionY();
    EXPECT_LT(y, 0.0f);
    game->running = 0;
    const f32 angle = crystal->GetRotationAngle();
    RunFrames(3);
    EXPECT_NE(crystal->GetRotationAngle(), angle);
    const f32 still = crystal->GetPositionY();
    RunFrames(3);
    EXPECT_FLOAT_EQ(crystal->GetPositionY(), still);
    game->running = 1;
    RunFrames(600);
    EXPECT_EQ(Level().resources, 1);
}

TEST_F(EnemiesTest, AnEnemyEndedByTheCityDropsNothingButLeavesTheList)
{
    auto* basic = Spawn("enemy_basic", 0, 0, 0, 0);
    auto* city = Find<BaseCityClass>("city");
    city->TouchedBy(*basic);
    RunFrames(2);
    EXPECT_EQ(city->hitPoints, BaseCityClass::StartHitPoints - 1);
    EXPECT_EQ(Count("crystal_clone"), 0u);
    EXPECT_TRUE(Level().enemyList.empty());
}

TEST_F(EnemiesTest, ProjectilesAndTheSemiBossTouchTheCityForNothing)
{
    auto* city = Find<BaseCityClass>("city");
    auto* shot = GameTest::Place<Vellumar::Sprite>(Level(), "ammo_base", true);
    city->TouchedBy(*shot);
    EXPECT_EQ(city->hitPoints, BaseCityClass::StartHitPoints);
    EXPECT_FALSE(shot->IsDestroyed());
}

TEST_F(EnemiesTest, TheCityShowsItsDamageAndLosesAtNoHitPoints)
{
    auto* city = Find<BaseCityClass>("city");
    city->hitPoints = 16;
    RunFrame();
    EXPECT_EQ(city->damageFrame, 0);
    city->hitPoints = 15;
    RunFrame();
    EXPECT_EQ(city->damageFrame, 1);
    city->hitPoints = 1;
    RunFrame();
    EXPECT_EQ(city->damageFrame, 3);
    city->hitPoints = 0;
    RunFrame();
    EXPECT_EQ(city->damageFrame, 4);
    RunFrame();
    EXPECT_EQ(game->GetCurrentLevel()->GetName(), "Lose");
}

TEST_F(EnemiesTest, ResourcesAreCappedAt80AndFillTheFourBars)
{
    BaseLevelClass& level = Level();
    level.resources = 25;
    RunFrame();
    EXPECT_FLOAT_EQ(Find("resource_bar_1")->GetScaleY(), 1.0f);
    EXPECT_FLOAT_EQ(Find("resource_bar_1")->GetPositionY(), -310.0f);
    EXPECT_FLOAT_EQ(Find("resource_bar_2")->GetScaleY(), 0.25f);
    EXPECT_FLOAT_EQ(Find("resource_bar_2")->GetPositionY(), -325.0f);
    EXPECT_FLOAT_EQ(Find("resource_bar_3")->GetScaleY(), 0.0f);
    EXPECT_FLOAT_EQ(Find("resource_bar_4")->GetPositionY(), -330.0f);
    level.resources = 81;
    RunFrame();
    EXPECT_EQ(level.resources, 80);
    RunFrame();
    EXPECT_FLOAT_EQ(Find("resource_bar_4")->GetScaleY(), 1.0f);
}

TEST_F(EnemiesTest, ProgressBarsShowSpawnsOverRecordsAndStayWithoutRecords)
{
    BaseLevelClass& level = Level();
    Find("progress_bar1")->SetScaleX(0.3f);
    level.recordCount = 0;
    level.spawnsFired = 6;
    level.UpdateProgressBars();
    EXPECT_FLOAT_EQ(Find("progress_bar1")->GetScaleX(), 0.3f);
    level.recordCount = 12;
    level.UpdateProgressBars();
    EXPECT_FLOAT_EQ(Find("progress_bar1")->GetScaleX(), 0.5f);
    EXPECT_FLOAT_EQ(Find("progress_bar2")->GetScaleX(), 0.5f);
    // Wave files of more than 255 records count on.
    level.recordCount = 300;
    level.spawnsFired = 270;
    level.UpdateProgressBars();
    EXPECT_FLOAT_EQ(Find("progress_bar1")->GetScaleX(), 0.9f);
}

TEST_F(EnemiesTest, EscapeTogglesThePauseAndItsMenu)
{
    input.Press(Input::VirtualKey::Escape);
    RunFrame();
    input.Release(Input::VirtualKey::Escape);
    RunFrame();
    EXPECT_EQ(game->running, 0);
    EXPECT_TRUE(Find<ButtonClass>("pause_resume")->GetVisible());
    EXPECT_TRUE(Find("transit_black")->GetVisible());
    input.Press(Input::VirtualKey::Escape);
    RunFrame();
    input.Release(Input::VirtualKey::Escape);
    RunFrame();
    EXPECT_EQ(game->running, 1);
    EXPECT_FALSE(Find<ButtonClass>("pause_exit")->GetVisible());
}

TEST_F(EnemiesTest, AHealerPulseHealsEachHurtEnemyInItsSquareOnce)
{
    auto* healer = Spawn<HealerClass>("enemy_healer", 0, 0, 0, 0);
    auto* near = Spawn("enemy_heavy", 30, 30, 0, 0);
    auto* edge = Spawn("enemy_heavy", 200, 0, 0, 0);
    healer->speedY = 0.0f;
    near->hitPoints = 2;
    edge->hitPoints = 2;
    healer->healing = true;
    RunFrames(45);
    EXPECT_EQ(near->hitPoints, 3);
    EXPECT_EQ(edge->hitPoints, 2);
    EXPECT_FALSE(healer->healing);
    healer->healing = true;
    RunFrames(45);
    EXPECT_EQ(near->hitPoints, 3);

    // A healer that has considered more enemies than its twenty places still heals each once.
    std::vector<MainEnemyClass*> crowd;
    for (int i = 0; i < 24; ++i)
        crowd.push_back(Spawn("enemy_heavy", 5.0f * i - 60.0f, -40.0f, 0, 0));
    for (MainEnemyClass* enemy : crowd)
        enemy->hitPoints = 1;
    healer->healing = true;
    RunFrames(45);
    EXPECT_GT(healer->healedIds.Size(), HealerClass::HealedCount);
    for (MainEnemyClass* enemy : crowd)
        EXPECT_EQ(enemy->hitPoints, 2);
}

TEST_F(EnemiesTest, TheLastWavesFinalEnemyRequestsVictory)
{
    auto* enemy = Spawn("enemy_light", 0, 0, 0, 0);
    Level().readingRecords = 0;
    Level().bossFlag = 2;
    enemy->hitPoints = 0;
    RunFrames(3);
    EXPECT_EQ(game->GetCurrentLevel()->GetName(), "Victory");
}

TEST_F(EnemiesTest, AnEnemyNotInTheListChangesNoWaveField)
{
    auto* enemy = Spawn("enemy_light", 0, 0, 0, 0);
    Level().enemyList.clear();
    Level().readingRecords = 0;
    Level().bossFlag = 1;
    Level().waveMode = 1;
    enemy->hitPoints = 0;
    RunFrames(2);
    EXPECT_EQ(Level().recordIndex, 0u);
    EXPECT_EQ(game->GetCurrentLevel()->GetName(), "BaseLevel");
}

TEST_F(EnemiesTest, IdsBeyond16BitsAreRemovedFromTheList)
{
    BaseLevelClass& level = Level();
    level.enemyList = {70000u, 65536u + 5u, 5u};
    EXPECT_TRUE(level.RemoveEnemy(5u));
    ASSERT_EQ(level.enemyList.size(), 2u);
    EXPECT_EQ(level.enemyList[1], 65541u);
    EXPECT_TRUE(level.RemoveEnemy(70000u));
}
}  // namespace
