// The play level's fade-in and the tutorial from its hint to the victory screen.
#include "tests/game/Game_PlayFixture.h"

namespace
{
using GameTest::PlayFixture;

enum TutorialState : u32
{
    ClickPassed,
    MouseClick,
    Rest1,
    Rest2,
    MovePassed,
    MouseMove,
    FirstEnemy,
    End,
    EnemyPassed,
    Rest3
};

class TutorialTest : public PlayFixture
{
protected:
    u32 State() { return Level().GetTutorialMachine()->GetCurrentIndex(); }

    // Frames until the tutorial leaves its state; the count, or -1 past the limit.
    int FramesToLeave(int limit)
    {
        const u32 from = State();
        for (int i = 1; i <= limit; ++i)
        {
            RunFrame();
            if (State() != from)
                return i;
        }
        return -1;
    }

    void Click()
    {
        input.buttons = 1;
        RunFrame();
        input.buttons = 0;
    }
};

TEST_F(TutorialTest, TheCoverFadesOutAndHides)
{
    Play("act1.txt");
    auto* cover = Find("transit_black");
    EXPECT_TRUE(cover->GetVisible());
    RunFrames(25);
    EXPECT_FALSE(cover->GetVisible());
    EXPECT_FLOAT_EQ(cover->GetOpacity(), 0.8f);
}

TEST_F(TutorialTest, OtherWaveFilesNeverStepTheTutorial)
{
    Play(WaveFile("0 0 0 0 0 0 0 0 0 0"));
    RunFrames(300);
    MoveMouse(900, 100);
    RunFrames(300);
    EXPECT_EQ(State(), static_cast<u32>(MouseMove));
    EXPECT_EQ(Level().tutorialFlag, 0);
}

TEST_F(TutorialTest, TheTargetBlinksOnTheTutorialEnemyOnlyWhileItExists)
{
    Play("timer.txt");
    auto* target = Find("tut_target");
    target->SetPosition(7.0f, 7.0f);
    RunFrames(20);
    EXPECT_EQ(target->GetPosition(), Math::Vector2D(7.0f, 7.0f));
    EXPECT_TRUE(target->GetVisible());
    auto* enemy = GameTest::Place<BasicClass>(Level(), "enemy_basic_tut", true, 30.0f, 200.0f);
    Level().blinkFrames = 150;
    RunFrames(2);
    EXPECT_EQ(target->GetPositionX(), enemy->GetPositionX());
    RunFrames(160);
    EXPECT_FALSE(target->GetVisible());
    EXPECT_EQ(Level().blinkFrames, 0);
}

TEST_F(TutorialTest, TheTutorialRunsFromTheHintToVictory)
{
    Play("timer.txt");
    ASSERT_EQ(State(), static_cast<u32>(MouseMove));
    // A click and a move during the hint delay do not count.
    Click();
    MoveMouse(900, 100);
    RunFrames(100);
    EXPECT_EQ(State(), static_cast<u32>(MouseMove));
    EXPECT_NE(FramesToLeave(100), -1);
    EXPECT_EQ(State(), static_cast<u32>(MovePassed));
    EXPECT_NE(FramesToLeave(300), -1);
    EXPECT_NE(FramesToLeave(100), -1);
    ASSERT_EQ(State(), static_cast<u32>(MouseClick));
    RunFrames(10);
    EXPECT_EQ(State(), static_cast<u32>(MouseClick));
    Click();
    EXPECT_EQ(State(), static_cast<u32>(ClickPassed));
    EXPECT_NE(FramesToLeave(300), -1);
    EXPECT_NE(FramesToLeave(100), -1);
    ASSERT_EQ(State(), static_cast<u32>(FirstEnemy));
    RunFrame();
    auto* enemy = Find<BasicClass>("enemy_basic_tut");
    ASSERT_NE(enemy, nullptr);
    EXPECT_FLOAT_EQ(enemy->speedY, 0.2f);
    EXPECT_EQ(enemy->reward, 20);
    enemy->hitPoints = 0;
    EXPECT_NE(FramesToLeave(5), -1);
    EXPECT_EQ(State(), static_cast<u32>(EnemyPassed));
    EXPECT_NE(FramesToLeave(2), -1);
    EXPECT_EQ(State(), static_cast<u32>(Rest3));
    const int rest = FramesToLeave(400);
    EXPECT_GE(rest, 300);
    RunFrames(2);
    EXPECT_EQ(game->GetCurrentLevel()->GetName(), "Victory");
}
}  // namespace
