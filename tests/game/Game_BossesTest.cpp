// The semi-boss and its arms, and the big boss in its two phases, spawned by the wave reader's
// boss spawners into the play level and stepped frame by frame.
#include "framework/sound/Vellumar_Sound.h"
#include "platform/Input_KeyCodes.h"
#include "game/MyGame_BigBossClasses.h"
#include "game/MyGame_SemiBossClass.h"
#include "tests/game/Game_PlayFixture.h"

#include <cmath>
#include <string>

namespace
{
using GameTest::Place;

// An archetype drawn from one animation of that many frames.
template <class T>
void PlaceArchetype(BaseLevelClass& level, const char* name, u32 frames)
{
    auto* animation = new Vellumar::SpriteAnimation(nullptr, 2, 3, Core::Vector<f32>(frames, 1.0f));
    auto* object = new T(Core::Vector<Vellumar::SpriteAnimation*>{animation});
    object->SetName(name);
    object->SetVisible(false);
    level.GetLayer(1)->AddGameObject(object, false, nullptr);
}

void PlaceBosses(BaseLevelClass& level)
{
    PlaceArchetype<SemiBossClass>(level, "semiboss_body", 2);
    PlaceArchetype<SemiBossArmClass>(level, "semiboss_leftarm", 6);
    PlaceArchetype<BigBossBodyClass>(level, "bb_body", 1);
    PlaceArchetype<BigBossBottomClass>(level, "bb_bottom", 1);
    PlaceArchetype<BigBossArmsClass>(level, "bb_right", 1);
    PlaceArchetype<BigBossHeadClass>(level, "bb_head", 5);
    for (const char* egg : {"bb_egg", "bb_fire_egg", "bb_ice_egg", "bb_lightning_egg"})
        PlaceArchetype<BigBossEggsClass>(level, egg, 4);
    for (const char* music : {"game_bgm", "bossbgm"})
        Place<Vellumar::Sound>(level, music, true);
}

class BossesTest : public GameTest::PlayFixture
{
protected:
    void SetUp() override
    {
        extraContent = PlaceBosses;
        PlayFixture::SetUp();
    }

    // The act of that wave file in its boss wave: the reader waits for the boss's end.
    void PlayBossWave(const std::string& waveFile, u8 mode)
    {
        Play(WaveFile(waveFile));
        Level().readingRecords = 0;
        Level().recordIndex = 10;
        Level().bossFlag = 1;
        Level().waveMode = mode;
        game->running = 1;
        game->enemyMotion = 1;
    }

    template <class T = MainEnemyClass>
    T* Part(const char* name)
    {
        return Find<T>(name);
    }

    u32 Count(const char* name)
    {
        Core::Vector<Vellumar::GameObject*> found;
        Level().GetGameObjectsByName(name, found);
        return static_cast<u32>(found.size());
    }

    i32 CityHitPoints() { return Find<BaseCityClass>("city")->hitPoints; }

    bool Listed(const Vellumar::GameObject* object)
    {
        for (u32 id : Level().enemyList)
            if (id == object->GetID())
                return true;
        return false;
    }

    // Frames until the condition holds; budget + 1 when it never does.
    template <class Condition>
    int RunUntil(Condition done, int budget)
    {
        for (int frame = 0; frame <= budget; ++frame)
        {
            if (done())
                return frame;
            RunFrame();
        }
        return budget + 1;
    }
};

class SemiBossTest : public BossesTest
{
protected:
    // The semi-boss of an act whose wave file starts with that flag, in place and swaying.
    SemiBossClass* Arrive(int victoryFlag = 1)
    {
        // The boss record second, two empty records after it.
        const char* records = " 0 0 0 0 0 0 0 0 0 0 0 0 0 760 760 760 1 3 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0";
        PlayBossWave(std::string(victoryFlag == 1 ? "1" : "0") + records, 3);
        Level().SpawnSemiBoss();
        RunFrame();
        auto* body = Part<SemiBossClass>("semiboss_body_clone");
        EXPECT_LE(RunUntil([&] { return body->GetPositionY() <= 384.0f; }, 100), 84);
        return body;
    }

    SemiBossArmClass* Arm(const char* name) { return Part<SemiBossArmClass>(name); }
};

TEST_F(SemiBossTest, TheBodyGlidesInWithTwoArmsAndSwaysWhileItSinksEvenWhilePaused)
{
    PlayBossWave("0 0 0 0 0 0 0 0 0 0 0 0 0 0 760 760 760 1 3 0", 3);
    Level().SpawnSemiBoss();
    RunFrame();
    auto* body = Part<SemiBossClass>("semiboss_body_clone");
    ASSERT_NE(body, nullptr);
    auto* left = Arm("semiboss_leftarm_clone");
    auto* right = Arm("semiboss_rightarm_clone");
    ASSERT_TRUE(left && right);
    EXPECT_EQ(body->hitPoints, 2);
    EXPECT_EQ(body->reward, 5);
    EXPECT_EQ(body->armsAlive, 2);
    EXPECT_EQ(body->kindId, game->semiBossArchetypeId);
    EXPECT_EQ(body->leftArmId, left->GetID());
    EXPECT_EQ(body->rightArmId, right->GetID());
    EXPECT_EQ(left->hitPoints, 6);
    EXPECT_EQ(left->kindId, game->semiBossArmArchetypeId);
    EXPECT_NE(left->kindId, 0u);
    EXPECT_TRUE(right->GetFlipHorizontal());
    EXPECT_FALSE(left->GetFlipHorizontal());
    EXPECT_TRUE(Listed(body) && Listed(left) && Listed(right));

    // Gliding in 2.0 an update; the arms hang below it on either side.
    const f32 y = body->GetPositionY();
    game->running = 0;
    RunFrame();
    EXPECT_FLOAT_EQ(body->GetPositionY(), y - 2.0f);
    EXPECT_FLOAT_EQ(left->GetPositionX(), body->GetPositionX() - 110.0f);
    EXPECT_FLOAT_EQ(right->GetPositionX(), body->GetPositionX() + 110.0f);
    EXPECT_FLOAT_EQ(right->GetPositionY(), body->GetPositionY() - 130.0f);

    // In place: x moves by 3 sin(phase), held in speedX, y sinks 0.1, the timer rises 0.1.
    ASSERT_LE(RunUntil([&] { return body->GetPositionY() <= 384.0f; }, 100), 84);
    RunFrames(10);
    const f32 x = body->GetPositionX();
    const f32 phase = body->swayPhase;
    const f32 timer = body->attackTimer;
    const f32 sunk = body->GetPositionY();
    RunFrame();
    EXPECT_FLOAT_EQ(body->GetPositionX(), x + 3.0f * std::sin(phase));
    EXPECT_FLOAT_EQ(body->speedX, body->GetPositionX());
    EXPECT_NEAR(body->GetPositionY(), sunk - 0.1f, 1e-4f);
    EXPECT_NEAR(body->attackTimer, timer + 0.1f, 1e-4f);
    EXPECT_NEAR(body->swayPhase, phase + 0.03f, 1e-5f);
}

TEST_F(SemiBossTest, ItBlinksThenDivesStrikesTheCityForThreeAndClimbsBack)
{
    SemiBossClass* body = Arrive();
    auto* left = Arm("semiboss_leftarm_clone");
    // The timer starts at 40: about 300 updates of sway before the blink, 100 more before the dive.
    EXPECT_GT(RunUntil([&] { return body->GetModulationColor().g < 1.0f; }, 400), 280);
    EXPECT_LT(body->attackTimer, 80.0f);
    EXPECT_EQ(left->GetModulationColor().g, body->GetModulationColor().g);
    EXPECT_EQ(body->attacking, 0);
    const int blinking = RunUntil([&] { return body->attacking != 0; }, 200);
    EXPECT_GT(blinking, 90);
    EXPECT_LT(blinking, 110);
    EXPECT_EQ(body->GetModulationColor().g, 1.0f);
    const f32 restY = body->restY;
    const i32 city = CityHitPoints();

    // Diving 25 an update, the arms with it and without touching the city themselves.
    const f32 y = body->GetPositionY();
    RunFrame();
    EXPECT_FLOAT_EQ(body->GetPositionY(), y - 25.0f);
    ASSERT_LE(RunUntil([&] { return body->struck; }, 40), 40);
    EXPECT_LE(body->GetPositionY(), -200.0f);
    EXPECT_EQ(CityHitPoints(), city - 3);
    EXPECT_EQ(body->armsAlive, 2);
    EXPECT_FALSE(left->IsDestroyed());

    // Climbing 10 an update back to its height, then swaying again with the timer at 0.
    const f32 low = body->GetPositionY();
    RunFrame();
    EXPECT_FLOAT_EQ(body->GetPositionY(), low + 10.0f);
    ASSERT_LE(RunUntil([&] { return body->attacking == 0; }, 100), 100);
    EXPECT_GE(body->GetPositionY(), restY - 0.5f);
    EXPECT_LT(body->attackTimer, 1.0f);
    EXPECT_EQ(CityHitPoints(), city - 3);
}

TEST_F(SemiBossTest, ArmsKeepTheBodyAliveAndWithoutThemItPlungesAndCanBeKilled)
{
    SemiBossClass* body = Arrive(0);
    auto* left = Arm("semiboss_leftarm_clone");
    body->hitPoints = 1;
    RunFrame();
    EXPECT_EQ(body->hitPoints, 2);
    EXPECT_EQ(body->GetCurrentFrameIndex(), 1);

    left->hitPoints = 0;
    RunFrame();
    EXPECT_EQ(body->armsAlive, 1);
    body->hitPoints = 0;
    RunFrame();
    EXPECT_EQ(body->hitPoints, 2);
    EXPECT_EQ(Count("semiboss_leftarm_clone"), 0u);
    EXPECT_EQ(Count("crystal_clone"), 5u);

    Arm("semiboss_rightarm_clone")->hitPoints = 0;
    RunFrames(2);
    EXPECT_EQ(body->armsAlive, 0);
    const f32 y = body->GetPositionY();
    RunFrame();
    EXPECT_NEAR(body->GetPositionY(), y - 5.1f, 1e-3f);
    // No arms, no blink and no attack: once the timer has run out it falls 10 an update.
    body->attackTimer = 81.0f;
    RunFrame();
    const f32 falling = body->GetPositionY();
    RunFrame();
    EXPECT_NEAR(body->GetPositionY(), falling - 10.0f, 1e-3f);
    EXPECT_EQ(body->attacking, 0);

    body->hitPoints = 0;
    RunFrames(2);
    EXPECT_EQ(Count("semiboss_body_clone"), 0u);
    EXPECT_EQ(Count("crystal_clone"), 15u);
}

TEST_F(SemiBossTest, AnArmTouchingDownOutsideAnAttackCostsTheCityOneAndItsBodyOnce)
{
    SemiBossClass* body = Arrive(0);
    const i32 city = CityHitPoints();
    body->SetPositionY(-60.0f);
    // The left arm dies in the update it reaches the ground: lost once, by its death.
    Arm("semiboss_leftarm_clone")->hitPoints = 0;
    RunFrame();
    EXPECT_EQ(CityHitPoints(), city - 1);
    EXPECT_EQ(body->armsAlive, 0);
    RunFrame();
    EXPECT_EQ(Count("semiboss_leftarm_clone") + Count("semiboss_rightarm_clone"), 0u);
    EXPECT_EQ(Count("crystal_clone"), 5u);
    // The body crashes at -284 for three more and no crystals.
    ASSERT_LE(RunUntil([&] { return Count("semiboss_body_clone") == 0; }, 100), 100);
    EXPECT_EQ(CityHitPoints(), city - 4);
    EXPECT_EQ(Count("crystal_clone"), 5u);
}

TEST_F(SemiBossTest, TheLastArmDyingDuringAnAttackEndsItSoTheBodyCrashesAndTheActIsWon)
{
    SemiBossClass* body = Arrive();
    Arm("semiboss_leftarm_clone")->hitPoints = 0;
    RunFrame();
    body->attackTimer = 80.5f;
    RunFrames(3);
    ASSERT_EQ(body->attacking, 1);
    Arm("semiboss_rightarm_clone")->hitPoints = 0;
    RunFrame();
    EXPECT_EQ(body->armsAlive, 0);
    EXPECT_EQ(body->attacking, 0);
    EXPECT_FALSE(body->struck);
    ASSERT_LE(RunUntil([&] { return game->GetCurrentLevelIndex() == 4u; }, 200), 200);
}

TEST_F(SemiBossTest, ItsDeathWinsAnActThatSaysSoUnlessTheCityIsDownOrAIsHeld)
{
    SemiBossClass* body = Arrive();
    // The letter M has the virtual key that is A's engine code: holding it changes nothing.
    input.Press('M');
    body->armsAlive = 0;
    body->hitPoints = 0;
    ASSERT_LE(RunUntil([&] { return game->GetCurrentLevelIndex() == 4u; }, 5), 5);

    input.Release('M');
    body = Arrive();
    input.Press('A');
    body->armsAlive = 0;
    body->hitPoints = 0;
    RunFrames(5);
    EXPECT_EQ(game->GetCurrentLevelIndex(), 0u);
    EXPECT_EQ(Count("semiboss_body_clone"), 0u);
    input.Release('A');

    body = Arrive();
    Find<BaseCityClass>("city")->hitPoints = 0;
    body->armsAlive = 0;
    body->hitPoints = 0;
    RunFrames(5);
    EXPECT_NE(game->GetCurrentLevelIndex(), 4u);
}

TEST_F(SemiBossTest, InAnyOtherActItsDeathAdvancesTheRecordTwice)
{
    SemiBossClass* body = Arrive(0);
    body->armsAlive = 0;
    body->hitPoints = 0;
    RunFrames(2);
    EXPECT_EQ(Level().recordIndex, 30u);
    EXPECT_EQ(game->GetCurrentLevelIndex(), 0u);
}

class BigBossTest : public BossesTest
{
protected:
    // Act 3's last record: the big boss, at (0, 500) over its lower part and three eggs.
    BigBossBodyClass* Arrive()
    {
        PlayBossWave("0 0 0 0 0 0 0 0 0 0 0 0 0 0 760 760 760 1 1 0", 1);
        Level().SpawnBigBoss();
        RunFrame();
        return Part<BigBossBodyClass>("bb_body_clone");
    }

    BigBossEggsClass* Egg(const char* name) { return Part<BigBossEggsClass>(name); }

    // Breaks the three elemental eggs: the body builds its second phase.
    void BreakElementalEggs()
    {
        for (const char* egg : {"bb_fire_egg_clone", "bb_ice_egg_clone", "bb_lightning_egg_clone"})
            Egg(egg)->hitPoints = 0;
        RunFrames(4);
    }

    // Light or heavy enemies of that archetype clone name, with their elements.
    std::vector<MainEnemyClass*> Hatched(const char* name)
    {
        Core::Vector<Vellumar::GameObject*> found;
        Level().GetGameObjectsByName(name, found);
        std::vector<MainEnemyClass*> enemies;
        for (Vellumar::GameObject* object : found)
            enemies.push_back(static_cast<MainEnemyClass*>(object));
        return enemies;
    }
};

TEST_F(BigBossTest, TheFirstPhaseIsTheBodyOverThreeElementalEggsHatchingLightEnemiesEvery150Updates)
{
    BigBossBodyClass* body = Arrive();
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->GetPosition(), Math::Vector2D(0.0f, 500.0f));
    auto* bottom = Part<BigBossBottomClass>("bb_bottom_clone");
    ASSERT_NE(bottom, nullptr);
    EXPECT_EQ(bottom->eggsAlive, 3);
    EXPECT_EQ(body->kindId, game->bigBossBodyArchetypeId);
    EXPECT_NE(body->kindId, 0u);
    const struct
    {
        const char* name;
        i32 element;
        Math::Vector2D offset;
    } eggs[] = {{"bb_fire_egg_clone", 1, {-1.0f, -300.0f}},
                {"bb_ice_egg_clone", 2, {-175.0f, -250.0f}},
                {"bb_lightning_egg_clone", 3, {175.0f, -250.0f}}};
    for (const auto& expected : eggs)
    {
        BigBossEggsClass* egg = Egg(expected.name);
        ASSERT_NE(egg, nullptr) << expected.name;
        EXPECT_EQ(egg->eggElement, expected.element);
        EXPECT_EQ(egg->hitPoints, 4);
        EXPECT_EQ(egg->reward, 10);
        EXPECT_EQ(egg->kindId, game->bigBossEggsArchetypeId);
        EXPECT_EQ(egg->GetPosition(), body->GetPosition() + expected.offset);
        EXPECT_TRUE(Listed(egg));
    }
    EXPECT_TRUE(Listed(body) && Listed(bottom));

    BigBossEggsClass* fire = Egg("bb_fire_egg_clone");
    ASSERT_LE(RunUntil([&] { return fire->hatchTimer == 150; }, 200), 200);
    EXPECT_TRUE(Hatched("enemy_light_clone").empty());
    RunFrame();
    EXPECT_EQ(fire->hatchTimer, 1);
    std::vector<MainEnemyClass*> lights = Hatched("enemy_light_clone");
    ASSERT_EQ(lights.size(), 3u);
    RunFrame();
    for (MainEnemyClass* light : lights)
    {
        EXPECT_TRUE(Listed(light));
        if (light->element == 1)
        {
            EXPECT_FLOAT_EQ(light->speedX, 0.0f);
            EXPECT_FLOAT_EQ(light->speedY, 0.7f);
        }
        else if (light->element == 2)
        {
            EXPECT_LE(light->speedX, 0.0f);
            EXPECT_GE(light->speedX, -0.8f);
            EXPECT_FLOAT_EQ(light->speedY, 0.5f);
        }
        else
        {
            EXPECT_EQ(light->element, 3);
            EXPECT_GE(light->speedX, 0.0f);
            EXPECT_LE(light->speedX, 0.8f);
        }
    }
    // 150 updates from one hatch to the next.
    RunFrames(148);
    EXPECT_EQ(Hatched("enemy_light_clone").size(), 3u);
    RunFrame();
    EXPECT_EQ(Hatched("enemy_light_clone").size(), 6u);
}

TEST_F(BigBossTest, OnlyTheThirdBrokenEggStartsTheSecondPhaseWithHeadArmsAndPlainEggs)
{
    BigBossBodyClass* body = Arrive();
    Egg("bb_fire_egg_clone")->hitPoints = 0;
    Egg("bb_ice_egg_clone")->hitPoints = 0;
    RunFrames(3);
    auto* bottom = Part<BigBossBottomClass>("bb_bottom_clone");
    ASSERT_NE(bottom, nullptr);
    EXPECT_EQ(bottom->eggsAlive, 1);
    EXPECT_EQ(Count("crystal_clone"), 20u);
    EXPECT_EQ(Part("bb_head_clone"), nullptr);
    EXPECT_EQ(Count("bb_lightning_egg_clone"), 1u);

    Egg("bb_lightning_egg_clone")->hitPoints = 0;
    RunFrames(4);
    EXPECT_EQ(Count("bb_bottom_clone"), 0u);
    auto* head = Part<BigBossHeadClass>("bb_head_clone");
    auto* left = Part<BigBossArmsClass>("bb_left_clone");
    auto* right = Part<BigBossArmsClass>("bb_right_clone");
    ASSERT_TRUE(head && left && right);
    EXPECT_EQ(head->hitPoints, 10);
    EXPECT_EQ(left->hitPoints, 200);
    EXPECT_TRUE(left->GetFlipHorizontal());
    EXPECT_FALSE(right->GetFlipHorizontal());
    EXPECT_EQ(Egg("bb_left_egg_clone")->eggElement, 0);
    EXPECT_TRUE(Egg("bb_left_egg_clone")->GetFlipHorizontal());
    EXPECT_EQ(Egg("bb_right_egg_clone")->GetPosition(), body->GetPosition() + Math::Vector2D(350.0f, -50.0f));
    EXPECT_TRUE(Listed(head) && Listed(left) && Listed(right));
    // The body drops no crystals and sinks 1.0 an update to 200, its parts with it.
    EXPECT_EQ(Count("crystal_clone"), 30u);
    EXPECT_TRUE(body->sinking);
    const f32 y = body->GetPositionY();
    RunFrame();
    EXPECT_FLOAT_EQ(body->GetPositionY(), y - 1.0f);
    ASSERT_LE(RunUntil([&] { return !body->sinking; }, 400), 400);
    EXPECT_LE(body->GetPositionY(), 200.0f);
    EXPECT_GT(body->GetPositionY(), 199.0f);
    RunFrame();
    EXPECT_FLOAT_EQ(head->GetPositionY(), body->GetPositionY());
    EXPECT_FLOAT_EQ(left->GetPositionY(), body->GetPositionY());
}

TEST_F(BigBossTest, ArmSwingsDropAHeavyAndHealTheHeadAndPlainEggsHatchHeaviesOnTheir651stUpdate)
{
    Arrive();
    BreakElementalEggs();
    auto* head = Part<BigBossHeadClass>("bb_head_clone");
    auto* left = Part<BigBossArmsClass>("bb_left_clone");
    auto* right = Part<BigBossArmsClass>("bb_right_clone");
    BigBossEggsClass* egg = Egg("bb_left_egg_clone");
    ASSERT_TRUE(head && left && right && egg);

    // 350 updates at rest, then the arms reach out 0.1 an update to past 50 on their sides.
    ASSERT_LE(RunUntil([&] { return left->extending; }, 400), 400);
    EXPECT_EQ(left->swingCounter, 351);
    EXPECT_NEAR(left->GetPositionX(), -0.1f, 1e-6f);
    RunFrame();
    EXPECT_NEAR(left->GetPositionX(), -0.2f, 1e-5f);
    EXPECT_NEAR(right->GetPositionX(), 0.2f, 1e-5f);

    // The plain eggs hatch a heavy each on their 651st update, 10 below themselves.
    ASSERT_LE(RunUntil([&] { return egg->hatchTimer == 650; }, 700), 700);
    EXPECT_TRUE(Hatched("enemy_heavy_clone").empty());
    RunFrame();
    EXPECT_EQ(Hatched("enemy_heavy_clone").size(), 2u);
    EXPECT_EQ(egg->hatchTimer, 1);

    // The left arm at full reach: one heavy from the body, the head one hit point more.
    ASSERT_LE(RunUntil([&] { return left->ready; }, 300), 300);
    EXPECT_LT(left->GetPositionX(), -50.0f);
    EXPECT_GT(right->GetPositionX(), 50.0f);
    RunFrame();
    EXPECT_EQ(Hatched("enemy_heavy_clone").size(), 3u);
    EXPECT_EQ(head->hitPoints, 11);
    EXPECT_EQ(head->GetCurrentFrameIndex(), 4);
    EXPECT_FALSE(left->ready || right->ready);
    // Back 0.5 an update to rest, and the counter starts again.
    ASSERT_LE(RunUntil([&] { return left->swingCounter == 1; }, 200), 120);
    EXPECT_EQ(left->GetPositionX(), 0.0f);
    EXPECT_EQ(right->GetPositionX(), 0.0f);
}

TEST_F(BigBossTest, TheHeadsDeathWinsTheActAndInTheTutorialAlways)
{
    Arrive();
    BreakElementalEggs();
    auto* head = Part<BigBossHeadClass>("bb_head_clone");
    head->hitPoints = 3;
    RunFrame();
    EXPECT_EQ(head->GetCurrentFrameIndex(), 0);
    const u32 crystals = Count("crystal_clone");
    head->hitPoints = 0;
    RunFrames(2);
    EXPECT_EQ(Count("crystal_clone"), crystals);
    ASSERT_LE(RunUntil([&] { return game->GetCurrentLevelIndex() == 4u; }, 5), 5);

    Arrive();
    BreakElementalEggs();
    Level().bossFlag = 0;
    Level().waveMode = 0;
    game->waveFileName = "timer.txt";
    Part("bb_head_clone")->hitPoints = 0;
    ASSERT_LE(RunUntil([&] { return game->GetCurrentLevelIndex() == 4u; }, 5), 5);
}
}  // namespace
