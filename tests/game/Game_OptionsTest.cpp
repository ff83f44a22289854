// The options screen: it fades in, plays the menu music, drags its two knobs with the mouse within
// their bars to set the volumes, remembers where they were left, and toggles full screen.
#include "framework/sound/Vellumar_Sound.h"
#include "platform/Input_Source.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_OptionsMenuClass.h"
#include "tests/framework/Framework_RoundTrip.h"
#include "tests/game/Game_Fixture.h"

#include <cmath>

namespace
{
class OptionsTest : public GameTest::MyGameTest
{
protected:
    void SetUp() override
    {
        MyGameTest::SetUp();
        RunFrames(3);
        game->introPending = 0;
        SwitchTo(6);
    }

    // The mouse on a point of the screen, y up, about its centre.
    void MoveTo(f32 x, f32 y)
    {
        input.cursorX = 512 + static_cast<i32>(std::lround(x));
        input.cursorY = 767 - (384 + static_cast<i32>(std::lround(y)));
        RunFrame();
    }

    // Presses the left button on (from, y), moves to (to, y) a few units per frame, and lets go.
    void Drag(f32 from, f32 to, f32 y)
    {
        MoveTo(from, y);
        RunFrames(2);
        input.buttons = Input::ButtonBit::Left;
        constexpr f32 Step = 4.0f;
        for (f32 x = from; std::abs(to - x) > Step; x += to > from ? Step : -Step)
            MoveTo(x, y);
        MoveTo(to, y);
        RunFrames(2);
        input.buttons = 0;
        RunFrame();
    }

    void ClickAt(f32 x, f32 y)
    {
        MoveTo(x, y);
        RunFrames(2);
        input.buttons = Input::ButtonBit::Left;
        RunFrame();
        input.buttons = 0;
        RunFrame();
    }

    static Vellumar::Sprite* Sprite(const char* name) { return FindObjectByName<Vellumar::Sprite>(name); }

    static f32 VolumeAt(f32 x) { return (x + 47.0f + 1.0f) / 449.0f; }
};

TEST_F(OptionsTest, TheScreenFadesInPlaysTheMusicAndOpensWithTheKnobsWhereTheVolumesAre)
{
    ASSERT_NE(dynamic_cast<OptionsMenuClass*>(game->GetCurrentLevel()), nullptr);
    auto* music = FindObjectByName<Vellumar::Sound>("menu_bgm");
    ASSERT_NE(music, nullptr);
    EXPECT_TRUE(music->IsPlaying());
    EXPECT_TRUE(music->GetLooping());
    ASSERT_NE(FindObjectByName<Vellumar::Sound>("hover_fx"), nullptr);
    EXPECT_EQ(Sprite("transit_black")->GetScaleX(), 1024.0f);
    EXPECT_GT(Sprite("transit_black")->GetOpacity(), 0.9f);
    RunFrames(21);
    EXPECT_EQ(Sprite("transit_black")->GetOpacity(), 0.0f);
    // Full volume puts the knobs one unit short of the bars' right ends.
    EXPECT_EQ(Sprite("music_knob")->GetPosition(), Math::Vector2D(401.0f, 33.0f));
    EXPECT_EQ(Sprite("sound_knob")->GetPosition(), Math::Vector2D(401.0f, -106.0f));
    EXPECT_EQ(game->musicVolume, 1.0f) << "opening the screen changes no volume";
    EXPECT_EQ(game->soundVolume, 1.0f);
    EXPECT_EQ(Sprite("music_icon")->GetCurrentFrameIndex(), 0);
}

TEST_F(OptionsTest, WithoutInputTheScreenKeepsTheVolumesItFinds)
{
    SwitchTo(1);
    game->musicVolume = 0.25f;
    game->soundVolume = 1.0f / 449.0f;
    SwitchTo(6);
    RunFrames(30);
    EXPECT_FLOAT_EQ(Sprite("music_knob")->GetPositionX(), 0.25f * 449.0f - 48.0f);
    EXPECT_FLOAT_EQ(Sprite("sound_knob")->GetPositionX(), -47.0f);
    EXPECT_FLOAT_EQ(game->musicVolume, 0.25f);
    EXPECT_FLOAT_EQ(game->soundVolume, 1.0f / 449.0f);
    EXPECT_EQ(Sprite("sound_icon")->GetCurrentFrameIndex(), 1) << "the quietest setting shows the muted look";

    // Moving the pointer over the knobs without a press moves nothing either.
    MoveTo(0.25f * 449.0f - 48.0f, 33.0f);
    MoveTo(300.0f, 33.0f);
    MoveTo(-47.0f, -106.0f);
    MoveTo(300.0f, -106.0f);
    RunFrames(2);
    EXPECT_FLOAT_EQ(game->musicVolume, 0.25f);
    EXPECT_FLOAT_EQ(game->soundVolume, 1.0f / 449.0f);
}

TEST_F(OptionsTest, DraggedKnobsStayOnTheirBarsSetTheVolumesAndComeBackWhereTheyWereLeft)
{
    RunFrames(21);
    Drag(401.0f, -200.0f, 33.0f);
    EXPECT_EQ(Sprite("music_knob")->GetPositionX(), -47.0f);
    EXPECT_EQ(Sprite("music_knob")->GetPositionY(), 33.0f);
    EXPECT_EQ(Sprite("music_icon")->GetCurrentFrameIndex(), 1) << "the muted look";
    EXPECT_FLOAT_EQ(game->musicVolume, 1.0f / 449.0f) << "the quietest setting is not silent";
    Drag(-47.0f, 600.0f, 33.0f);
    EXPECT_EQ(Sprite("music_knob")->GetPositionX(), 402.0f);
    EXPECT_EQ(Sprite("music_icon")->GetCurrentFrameIndex(), 0);
    EXPECT_FLOAT_EQ(game->musicVolume, 450.0f / 449.0f);

    Drag(401.0f, 300.0f, -106.0f);
    EXPECT_EQ(Sprite("sound_knob")->GetPositionX(), 300.0f);
    EXPECT_FLOAT_EQ(game->soundVolume, VolumeAt(300.0f));
    EXPECT_FLOAT_EQ(game->musicVolume, 450.0f / 449.0f) << "the other knob stays";

    ClickAt(412.0f, -263.0f);
    for (int frame = 0; frame < 60 && game->GetCurrentLevelIndex() != 1; ++frame)
        RunFrame();
    ASSERT_EQ(game->GetCurrentLevelIndex(), 1u);
    EXPECT_EQ(game->soundKnobX, 300.0f);
    SwitchTo(6);
    EXPECT_EQ(Sprite("sound_knob")->GetPosition(), Math::Vector2D(300.0f, -106.0f));
    EXPECT_EQ(Sprite("music_knob")->GetPosition(), Math::Vector2D(402.0f, 33.0f));
}

TEST_F(OptionsTest, TheFullScreenSwitchTogglesTheGamesFlagAndShowsTheTouch)
{
    RunFrames(21);
    ASSERT_EQ(game->fullScreen, 1);
    EXPECT_EQ(Sprite("fullscreenBtn")->GetCurrentFrameIndex(), 1);
    ClickAt(-378.0f, -272.0f);
    EXPECT_EQ(game->fullScreen, 0);
    RunFrame();
    EXPECT_EQ(Sprite("fullscreenBtn")->GetCurrentFrameIndex(), 2);
    EXPECT_EQ(game->IsFullScreen(), 0) << "the window follows the flag";
    ClickAt(-378.0f, -272.0f);
    EXPECT_EQ(game->fullScreen, 1);
    RunFrame();
    EXPECT_EQ(Sprite("fullscreenBtn")->GetCurrentFrameIndex(), 3);
    MoveTo(0.0f, 300.0f);
    RunFrames(2);
    EXPECT_EQ(Sprite("fullscreenBtn")->GetCurrentFrameIndex(), 1);
}
// Touch screens and remote desktops send the pointer's move and the press together: the knob the
// pointer left stays where it was, and a knob the pointer went down on follows it from there.
TEST_F(OptionsTest, APressThatComesWithThePointersMoveLeavesTheKnobItLeftAndDragsTheOneItHits)
{
    RunFrames(21);
    Drag(401.0f, 300.0f, -106.0f);
    ASSERT_EQ(Sprite("sound_knob")->GetPositionX(), 300.0f);

    input.cursorX = 512 - 378;
    input.cursorY = 767 - (384 - 272);
    input.buttons = Input::ButtonBit::Left;
    RunFrames(5);
    input.buttons = 0;
    RunFrame();
    EXPECT_EQ(Sprite("sound_knob")->GetPositionX(), 300.0f);
    EXPECT_FLOAT_EQ(game->soundVolume, VolumeAt(300.0f));
    EXPECT_EQ(game->fullScreen, 0) << "the press counts for the switch it went down on";

    MoveTo(0.0f, 33.0f);
    input.cursorX = 512 + 402;
    input.buttons = Input::ButtonBit::Left;
    RunFrames(3);
    MoveTo(100.0f, 33.0f);
    MoveTo(96.0f, 33.0f);
    input.buttons = 0;
    RunFrame();
    EXPECT_EQ(Sprite("music_knob")->GetPositionX(), 96.0f);
}

TEST(OptionsSaveTest, TheFadeMachineComesBackWithTheLevel)
{
    auto* level = new OptionsMenuClass();
    level->SetName("Options");
    // Without a cover in the level the fade is over at its second step.
    level->fadeInSM->Update(0.1f);
    level->fadeInSM->Update(0.1f);
    ASSERT_EQ(level->fadeInSM->GetCurrentIndex(), 0u);
    const Core::RefPtr<OptionsMenuClass> loaded = FrameworkTest::RoundTrip(level);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetName(), "Options");
    EXPECT_EQ(loaded->fadeInSM->GetCurrentIndex(), 0u);
    EXPECT_EQ(OptionsMenuClass().fadeInSM->GetCurrentIndex(), 1u) << "a new screen starts covered";
}
}  // namespace
