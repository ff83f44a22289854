// The whole game from the intro, driven only through the injected mouse and keyboard by the
// automatic player: the menus lead into each act and back, Escape and the pause button pause it,
// the pause menu restarts or leaves the act, an act in which nobody fires is lost, and the player
// wins the tutorial and the acts. Every level switch lets go of every object of the level left.
#include "core/Core_Random.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_BaseCityClass.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_CannonClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MainEnemyClass.h"
#include "tests/game/Game_AutoPlayer.h"
#include "tests/game/Game_Fixture.h"

#include <gmock/gmock.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace
{
constexpr u32 PlayLevel = 0;
constexpr u32 MainMenu = 1;
constexpr u32 LevelSelection = 2;
constexpr u32 Credits = 3;
constexpr u32 VictoryLevel = 4;
constexpr u32 LoseLevel = 5;
constexpr u32 Options = 6;

// Holds the current level and every object in its layers, so that after a switch the test can
// tell whether the game let go of all of them.
class LevelWatch
{
public:
    explicit LevelWatch(Vellumar::Game& game) : level(game.GetCurrentLevel())
    {
        for (u32 i = 0; level && i < level->GetLayersCount(); ++i)
        {
            Core::Vector<Vellumar::GameObject*> objects;
            level->GetLayer(i)->GetGameObjects(objects);
            for (Vellumar::GameObject* object : objects)
                held.emplace_back(object);
        }
    }

    // The watched level and those of its objects that something besides this watch still holds.
    std::vector<std::string> StillHeld() const
    {
        std::vector<std::string> names;
        if (level && level->GetReferenceCount() > 1)
            names.push_back(std::string("level ") + level->GetName().c_str());
        for (const Core::RefPtr<Vellumar::GameObject>& object : held)
            if (object->GetReferenceCount() > 1)
                names.emplace_back(object->GetName().c_str());
        return names;
    }

    size_t Count() const { return held.size(); }

private:
    Core::RefPtr<Vellumar::Level> level;
    std::vector<Core::RefPtr<Vellumar::GameObject>> held;
};

class EndToEndTest : public GameTest::MyGameTest
{
protected:
    // A player heading for the act behind that level-selection button, on a seeded generator.
    GameTest::AutoPlayer& Player(const char* actButton)
    {
        Core::SeedRandom(7);
        player = std::make_unique<GameTest::AutoPlayer>(*game, input, actButton);
        return *player;
    }

    // Frames the player plays until the condition holds; the frames it took, or budget + 1.
    int PlayUntil(const std::function<bool()>& done, int budget)
    {
        for (int frame = 0; frame <= budget; ++frame)
        {
            if (done())
                return frame;
            player->Act();
            RunFrame();
        }
        return budget + 1;
    }

    bool On(u32 level) const { return game->GetCurrentLevelIndex() == level; }
    bool Ended() const { return On(VictoryLevel) || On(LoseLevel); }

    // Through the intro and the menus into the act.
    void EnterAct()
    {
        RunFrames(3);
        ASSERT_LE(PlayUntil([&] { return On(PlayLevel); }, 1200), 1200) << "the menus lead into the act";
    }

    // The player clicks the button of this screen (or plays, with none) until the level of that
    // index is shown; then nothing of the screen it left may still be held.
    void Leave(const char* button, u32 to, int budget = 1200)
    {
        const u32 from = game->GetCurrentLevelIndex();
        LevelWatch watch(*game);
        ASSERT_GT(watch.Count(), 0u);
        player->route[from] = button;
        ASSERT_LE(PlayUntil([&] { return On(to); }, budget), budget)
            << "from level " << from << " to " << to << " by " << (button ? button : "playing");
        player->route[from] = nullptr;
        RunFrames(2);
        EXPECT_THAT(watch.StillHeld(), ::testing::IsEmpty()) << "left over from level " << from;
    }

    void PressEscape()
    {
        input.Press(Input::VirtualKeyOf(Input::EngineKey::Escape));
        RunFrame();
        input.ReleaseAll();
        RunFrames(2);
    }

    std::unique_ptr<GameTest::AutoPlayer> player;
};

TEST_F(EndToEndTest, TheMenusLeadIntoAct1AndAnActWithoutShotsIsLost)
{
    GameTest::AutoPlayer& idle = Player("level1B");
    idle.shoot = false;
    idle.useTowers = false;
    EnterAct();
    EXPECT_EQ(game->waveFileName, "act1.txt");
    EXPECT_NE(FindObjectByName<CannonClass>("cannon"), nullptr);
    EXPECT_NE(FindObjectByName<BaseCityClass>("city"), nullptr);
    // The act's enemies need about 9,400 frames to bring the city down.
    constexpr int Budget = 12000;
    EXPECT_LE(PlayUntil([&] { return Ended(); }, Budget), Budget);
    ASSERT_TRUE(On(LoseLevel)) << "the city falls to the unopposed enemies";
    EXPECT_EQ(idle.shots, 0u);
    Leave("loseBG", MainMenu);
}

TEST_F(EndToEndTest, EscapeShowsAndHidesThePauseMenu)
{
    Player("level1B").shoot = false;
    EnterAct();
    RunFrames(120);
    PressEscape();
    EXPECT_EQ(game->running, 0);
    for (const char* name : {"pause_resume", "pause_restart", "pause_exit"})
        EXPECT_TRUE(FindObjectByName<Vellumar::Sprite>(name)->GetVisible()) << name;
    PressEscape();
    EXPECT_EQ(game->running, 1);
    EXPECT_FALSE(FindObjectByName<Vellumar::Sprite>("pause_resume")->GetVisible());
}

TEST_F(EndToEndTest, ThePauseButtonAndThePauseMenuRestartTheAct)
{
    GameTest::AutoPlayer& restarter = Player("level1B");
    EnterAct();
    ASSERT_LE(PlayUntil([&] { return GetPlayLevel()->enemyList.size() >= 3; }, 2000), 2000);
    restarter.route[PlayLevel] = "pause";
    ASSERT_LE(PlayUntil([&] { return game->running == 0; }, 60), 60) << "the pause button pauses";
    EXPECT_TRUE(FindObjectByName<Vellumar::Sprite>("pause_restart")->GetVisible());
    Vellumar::Level* before = game->GetCurrentLevel();
    LevelWatch watch(*game);
    restarter.route[PlayLevel] = "pause_restart";
    ASSERT_LE(PlayUntil([&] { return game->GetCurrentLevel() != before; }, 60), 60) << "the act starts anew";
    restarter.route[PlayLevel] = nullptr;
    RunFrames(2);
    EXPECT_THAT(watch.StillHeld(), ::testing::IsEmpty());
    EXPECT_TRUE(On(PlayLevel));
    EXPECT_EQ(game->running, 1);
    EXPECT_EQ(game->waveFileName, "act1.txt");
    EXPECT_TRUE(GetPlayLevel()->enemyList.empty());
    EXPECT_EQ(FindObjectByName<BaseCityClass>("city")->hitPoints, BaseCityClass::StartHitPoints);
    EXPECT_FALSE(FindObjectByName<Vellumar::Sprite>("pause_restart")->GetVisible());
}

TEST_F(EndToEndTest, ThePauseMenuLeavesTheActForTheMainMenu)
{
    Player("level2B");
    EnterAct();
    EXPECT_EQ(game->waveFileName, "act2.txt");
    PlayUntil([] { return false; }, 300);
    PressEscape();
    ASSERT_EQ(game->running, 0);
    Leave("pause_exit", MainMenu);
}

TEST_F(EndToEndTest, ALevelSwitchAtEveryScreenLeavesNothingOfIt)
{
    Player(nullptr);
    RunFrames(3);
    Leave("optionsbutton", Options);
    Leave("backMenuBtn", MainMenu);
    Leave("creditsbutton", Credits);
    Leave("backMenuBtn", MainMenu);
    Leave("startbutton", LevelSelection);
    Leave("backMenuBtn", MainMenu);
    Leave("startbutton", LevelSelection);
    Leave("demoB", PlayLevel);
    Leave(nullptr, VictoryLevel, 3000);
    Leave("victoryBG", MainMenu);
}

TEST_F(EndToEndTest, TheAutomaticPlayerFinishesTheTutorial)
{
    GameTest::AutoPlayer& pupil = Player("demoB");
    EnterAct();
    EXPECT_EQ(game->waveFileName, "timer.txt");
    // The tutorial's lessons and its first enemy take about 1,300 frames.
    constexpr int Budget = 3000;
    const int frames = PlayUntil([&] { return Ended(); }, Budget);
    EXPECT_TRUE(On(VictoryLevel)) << "the tutorial's end screen within " << Budget << " frames, after " << frames
                                  << " and " << pupil.shots << " shots";
}

// The acts, each a test of its own so that they run side by side: the button that leads into it
// and the boss whose end wins it (none in act 1, which its last wave ends).
struct Act
{
    const char* button;
    const char* boss;
};

// The act by its button, so that the test's name stays the same from run to run.
void PrintTo(const Act& act, std::ostream* out)
{
    *out << act.button;
}

class ActTest : public EndToEndTest, public ::testing::WithParamInterface<Act>
{
};

TEST_P(ActTest, TheAutomaticPlayerWinsTheAct)
{
    GameTest::AutoPlayer& winner = Player(GetParam().button);
    EnterAct();
    int lowest = BaseCityClass::StartHitPoints;
    bool bossSeen = false;
    // The player takes about 7,100 frames for act 1, 13,600 for act 2 (the semi-boss) and 15,700
    // for act 3 (the big boss).
    constexpr int Budget = 20000;
    const int frames = PlayUntil(
        [&] {
            if (auto* city = FindObjectByName<BaseCityClass>("city"))
                lowest = std::min(lowest, city->hitPoints);
            bossSeen = bossSeen || (GetParam().boss && FindObjectByName<MainEnemyClass>(GetParam().boss));
            return Ended();
        },
        Budget);
    EXPECT_TRUE(On(VictoryLevel)) << "victory within " << Budget << " frames, after " << frames << ", "
                                  << winner.shots << " shots, " << winner.towersBuilt << " towers built and "
                                  << winner.towersSacrificed << " sacrificed; the city went down to " << lowest;
    EXPECT_EQ(bossSeen, GetParam().boss != nullptr);
    EXPECT_GT(winner.towersBuilt, 0u);
}

INSTANTIATE_TEST_SUITE_P(Acts, ActTest,
                         ::testing::Values(Act{"level1B", nullptr}, Act{"level2B", "semiboss_body_clone"},
                                           Act{"level3B", "bb_head_clone"}),
                         [](const ::testing::TestParamInfo<Act>& info) { return "Act" + std::to_string(info.index + 1); });
}  // namespace
