// The intro of the first main menu, its skips, and the fade from black of later menu levels.
#include "framework/sound/Vellumar_Sound.h"
#include "platform/Input_KeyCodes.h"
#include "platform/Input_Mouse.h"
#include "platform/Input_Source.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MainMenuClass.h"
#include "tests/game/Game_Fixture.h"

#include <string>

namespace
{
class MainMenuTest : public GameTest::MyGameTest
{
protected:
    // Frames until the intro is over, at most limit; the count run.
    int RunUntilIntroEnds(int limit)
    {
        int frames = 0;
        while (game->introPending && frames < limit)
        {
            RunFrame();
            ++frames;
        }
        return frames;
    }

    f32 Opacity(const char* name) { return FindObjectByName<Vellumar::Sprite>(name)->GetOpacity(); }
};

TEST_F(MainMenuTest, TheIntroShowsEveryStepInOrderAndEndsByItself)
{
    testing::internal::CaptureStdout();
    RunFrames(3);
    ASSERT_NE(dynamic_cast<MainMenuClass*>(game->GetCurrentLevel()), nullptr);
    EXPECT_EQ(Opacity("transit_white"), 1.0f);
    RunUntilIntroEnds(5000);
    const std::string trace = testing::internal::GetCapturedStdout();
    EXPECT_EQ(game->introPending, 0);
    EXPECT_EQ(trace, "Initial\nHXstart\nHXend\nVLstart\nVLend\nKTstart\nKTend\nMstart\nMend\nFinal\n");
    EXPECT_EQ(FindObjectByName<Vellumar::Sprite>("comic_1")->GetPosition(), Math::Vector2D(0.0f, 0.0f));
    EXPECT_LE(Opacity("transit_white"), 0.0f);
    EXPECT_EQ(Opacity("logo"), 1.0f);
    EXPECT_EQ(Opacity("comic_4"), 0.0f);
}

TEST_F(MainMenuTest, EachSkipKeyAndClickGoesToTheFinalFade)
{
    struct Skip
    {
        u8 key;
        u8 buttons;
    };
    const Skip skips[] = {{Input::VirtualKey::Escape, 0}, {Input::VirtualKey::Space, 0}, {Input::VirtualKey::Return, 0},
                          {0, Input::ButtonBit::Left}, {0, Input::ButtonBit::Right}};
    for (const Skip& skip : skips)
    {
        SCOPED_TRACE(int(skip.key) * 10 + skip.buttons);
        TearDown();
        SetUp();
        testing::internal::CaptureStdout();
        RunFrames(40);
        if (skip.key)
            input.Press(skip.key);
        input.buttons = skip.buttons;
        RunFrame();
        input.ReleaseAll();
        input.buttons = 0;
        EXPECT_EQ(Opacity("logo_hx"), 0.0f);
        const int frames = RunUntilIntroEnds(500);
        const std::string trace = testing::internal::GetCapturedStdout();
        EXPECT_EQ(trace, "Initial\nHXstart\nFinal\n");
        EXPECT_EQ(game->introPending, 0);
        EXPECT_GE(frames, 98);
        EXPECT_LE(frames, 102);
    }
}

TEST_F(MainMenuTest, ZJumpsToTheComicOnlyDuringTheFirstLogo)
{
    testing::internal::CaptureStdout();
    RunFrames(10);
    input.Press(Input::VirtualKeyOf(Input::EngineKey::LetterZ));
    RunFrame();
    input.ReleaseAll();
    RunFrames(44);
    const std::string trace = testing::internal::GetCapturedStdout();
    EXPECT_EQ(trace, "Initial\nHXstart\n");
    EXPECT_EQ(FindObjectByName<Vellumar::Sprite>("comic_1")->GetPosition(), Math::Vector2D(0.0f, 0.0f));
    EXPECT_NE(FindObjectByName<Vellumar::Sprite>("comic_2")->GetPosition(), Math::Vector2D(0.0f, 0.0f));
}

TEST_F(MainMenuTest, TheMenuMusicStartsWithTheFinalFadeAndIsRestartedWhenItStops)
{
    testing::internal::CaptureStdout();
    RunFrames(3);
    auto* music = FindObjectByName<Vellumar::Sound>("menu_bgm");
    ASSERT_NE(music, nullptr);
    EXPECT_TRUE(music->GetLooping());
    RunFrames(10);
    EXPECT_FALSE(music->IsPlaying()) << "silent during the first logos";
    input.Press(Input::VirtualKey::Escape);
    RunFrame();
    input.ReleaseAll();
    EXPECT_TRUE(music->IsPlaying());
    music->Stop();
    RunFrame();
    EXPECT_TRUE(music->IsPlaying());
    testing::internal::GetCapturedStdout();

    // The next menu level makes its sounds with the volumes the options set.
    game->introPending = 0;
    game->musicVolume = 0.25f;
    game->soundVolume = 0.5f;
    SwitchTo(2);
    EXPECT_FLOAT_EQ(FindObjectByName<Vellumar::Sound>("menu_bgm")->GetVolume(), 0.25f);
    EXPECT_FLOAT_EQ(FindObjectByName<Vellumar::Sound>("start_level_fx")->GetVolume(), 0.5f);
    EXPECT_FLOAT_EQ(FindObjectByName<Vellumar::Sound>("hover_fx")->GetVolume(), 0.5f);
    EXPECT_TRUE(FindObjectByName<Vellumar::Sound>("menu_bgm")->IsPlaying());
}

TEST_F(MainMenuTest, LaterMenuLevelsFadeInFromBlack)
{
    RunFrames(3);
    game->introPending = 0;
    SwitchTo(3);
    EXPECT_TRUE(game->menusVisited);
    RunFrames(11);
    EXPECT_LE(Opacity("transit_black"), 0.0f) << "the credits fade in at twice the speed";
    SwitchTo(1);
    EXPECT_GT(Opacity("transit_black"), 0.0f);
    RunFrames(21);
    EXPECT_EQ(Opacity("transit_black"), 0.0f);
    EXPECT_EQ(Opacity("logo"), 1.0f);
}
}  // namespace
