// Menu buttons: hover, click, the overlay's fade and the action that follows.
#include "collision/Collision_DynamicObject.h"
#include "platform/PAL_MessagePump.h"
#include "framework/sound/Vellumar_Sound.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_ButtonClass.h"
#include "game/MyGame_Lookup.h"
#include "tests/game/Game_Fixture.h"

#include <algorithm>

namespace
{
class ButtonTest : public GameTest::MyGameTest
{
protected:
    // The game on a menu level with its intro over.
    void Open(u32 level)
    {
        RunFrames(3);
        if (level != 1)
            SwitchTo(level);
        game->introPending = 0;
    }

    // The mouse on a point of the world, y up, about the screen centre.
    void PointAt(f32 x, f32 y)
    {
        input.cursorX = 512 + static_cast<i32>(x);
        input.cursorY = 767 - (384 + static_cast<i32>(y));
        RunFrames(3);
    }

    void Click()
    {
        input.buttons = 1;
        RunFrame();
        input.buttons = 0;
    }

    f32 OverlayOpacity() { return FindObjectByName<Vellumar::Sprite>("transit_black")->GetOpacity(); }
};

TEST_F(ButtonTest, HoverShowsTheSecondFrameAndAClickFadesToTheButtonsLevel)
{
    Open(1);
    auto* options = FindObjectByName<ButtonClass>("optionsbutton");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->GetCurrentFrameIndex(), 0);
    PointAt(-315.0f, -214.0f);
    EXPECT_EQ(options->GetCurrentFrameIndex(), 1);
    EXPECT_EQ(options->actionId, 6u);

    Click();
    EXPECT_NEAR(OverlayOpacity(), 0.05f, 1e-6f);
    EXPECT_EQ(FindObjectByName<Vellumar::Sprite>("transit_black")->GetScaleX(), 1024.0f);
    RunFrames(18);
    EXPECT_EQ(game->GetCurrentLevelIndex(), 1u);
    EXPECT_GE(OverlayOpacity(), 0.95f - 1e-6f);
    RunFrames(4);
    EXPECT_EQ(game->GetCurrentLevelIndex(), 6u);

    // Leaving the button shows its first frame again.
    SwitchTo(1);
    game->introPending = 0;
    PointAt(-315.0f, -214.0f);
    PointAt(0.0f, -380.0f);
    EXPECT_EQ(FindObjectByName<ButtonClass>("optionsbutton")->GetCurrentFrameIndex(), 0);
}

TEST_F(ButtonTest, AClickWhileAScreenFadesInIsHonouredOnceTheScreenHasFadedIn)
{
    struct Screen
    {
        u32 level;
        const char* button;
        f32 x, y;  // the middle of the button's rectangle
        u32 target;
    };
    // The main menu and the options fade in at the transit's pace, the level selection and the
    // credits at twice that; the click comes in the fourth frame of the screen.
    const Screen screens[] = {{1, "startbutton", -3.0f, -15.0f, 2}, {2, "demoB", -406.0f, 56.0f, 0},
                              {3, "backMenuBtn", -401.0f, -308.0f, 1}, {6, "backMenuBtn", 412.0f, -263.0f, 1}};
    for (const Screen& screen : screens)
    {
        SCOPED_TRACE(screen.level);
        TearDown();
        SetUp();
        Open(screen.level == 3 ? 1 : 3);
        input.cursorX = 512 + static_cast<i32>(screen.x);
        input.cursorY = 767 - (384 + static_cast<i32>(screen.y));
        game->GoToLevel(screen.level);
        RunFrame();
        EXPECT_FALSE(FindObjectByName<Vellumar::Sprite>("cursor0")->GetRegisteredObject()->IsMoved())
            << "the cursor appears at the mouse: no sweep from its placed position over the buttons";
        RunFrames(2);
        Click();
        auto* clicked = FindObjectByName<ButtonClass>(screen.button);
        ASSERT_NE(clicked, nullptr);
        EXPECT_EQ(clicked->activated, 1);
        f32 lowest = OverlayOpacity();
        int frames = 0;
        while (game->GetCurrentLevelIndex() == screen.level && frames < 200)
        {
            lowest = std::min(lowest, OverlayOpacity());
            RunFrame();
            ++frames;
        }
        EXPECT_EQ(game->GetCurrentLevelIndex(), screen.target);
        EXPECT_LE(lowest, 0.0f) << "the screen has faded in before it darkens";
        if (screen.target == 0)
        {
            EXPECT_EQ(game->waveFileName, "timer.txt");
        }
    }
}

TEST_F(ButtonTest, AnActButtonShowsOnHoverAndChoosesItsWaveFileAfterTheDelay)
{
    Open(2);
    auto* act2 = FindObjectByName<ButtonClass>("level2B");
    ASSERT_NE(act2, nullptr);
    RunFrames(12);
    EXPECT_EQ(act2->GetOpacity(), 0.0f);
    PointAt(200.0f, 104.0f);
    EXPECT_EQ(act2->GetOpacity(), 1.0f);
    const f32 before = OverlayOpacity();
    EXPECT_EQ(before, 0.0f) << "the level selection has faded in from black";

    Click();
    EXPECT_TRUE(FindObjectByName<Vellumar::Sound>("start_level_fx")->IsPlaying());
    RunFrames(30);
    EXPECT_EQ(game->GetCurrentLevelIndex(), 2u) << "act buttons wait after the fade";
    EXPECT_EQ(game->waveFileName, "0");
    RunFrames(100);
    EXPECT_EQ(game->waveFileName, "act2.txt");
    EXPECT_EQ(game->GetCurrentLevelIndex(), 0u);
}

TEST_F(ButtonTest, AHoverPlaysItsSoundOnceAndTheTransitFadesTheMenuMusicOut)
{
    Open(1);
    auto* hover = FindObjectByName<Vellumar::Sound>("hover_fx");
    auto* music = FindObjectByName<Vellumar::Sound>("menu_bgm");
    ASSERT_NE(hover, nullptr);
    ASSERT_NE(music, nullptr);
    EXPECT_FALSE(hover->IsPlaying());
    PointAt(-315.0f, -214.0f);
    EXPECT_TRUE(hover->IsPlaying());
    hover->Stop();
    RunFrames(5);
    EXPECT_FALSE(hover->IsPlaying()) << "held on the button, the sound is not played again";
    PointAt(0.0f, -380.0f);
    PointAt(-315.0f, -214.0f);
    EXPECT_TRUE(hover->IsPlaying());

    EXPECT_EQ(music->GetVolume(), 1.0f);
    Click();
    EXPECT_FALSE(FindObjectByName<Vellumar::Sound>("start_level_fx")->IsPlaying()) << "not a level button";
    RunFrames(18);
    EXPECT_NEAR(music->GetVolume(), 0.05f, 1e-4f);
    RunFrames(2);
    EXPECT_GE(music->GetVolume(), 0.0f);
    EXPECT_LT(music->GetVolume(), 0.05f);
}

TEST_F(ButtonTest, NamesMapToTheirActionsAndTheIntroHoldsTheButtons)
{
    EXPECT_EQ(ButtonClass::ActionOf("demoB"), 0u);
    EXPECT_EQ(ButtonClass::ActionOf("loseBG"), 1u);
    EXPECT_EQ(ButtonClass::ActionOf("exitbutton"), 99u);
    EXPECT_EQ(ButtonClass::ActionOf("pause_restart"), 89u);
    EXPECT_EQ(ButtonClass::ActionOf("someone"), 1u);

    RunFrames(3);
    ASSERT_EQ(game->introPending, 1);
    PointAt(-315.0f, -214.0f);
    Click();
    RunFrames(40);
    EXPECT_EQ(FindObjectByName<ButtonClass>("optionsbutton")->GetCurrentFrameIndex(), 0);
    EXPECT_EQ(game->GetCurrentLevelIndex(), 1u);
}

TEST_F(ButtonTest, TheExitButtonPostsTheQuitMessage)
{
    Open(1);
    while (PAL::PumpMessages() == false)
    {
    }
    // At the bottom edge: the options button's rectangle reaches over most of the exit button.
    PointAt(-470.0f, -384.0f);
    Click();
    RunFrames(25);
    EXPECT_FALSE(PAL::PumpMessages());
    EXPECT_EQ(game->GetCurrentLevelIndex(), 1u);
}

// The options button's rectangle reaches over most of the exit button's: where the cursor is over
// both, only the one nearest the viewer answers, the one drawn over the other when their z orders
// are equal.
TEST_F(ButtonTest, ACursorOverSeveralButtonsHoversAndClicksOnlyTheNearest)
{
    Open(1);
    auto* options = FindObjectByName<ButtonClass>("optionsbutton");
    auto* exit = FindObjectByName<ButtonClass>("exitbutton");
    ASSERT_NE(options, nullptr);
    ASSERT_NE(exit, nullptr);
    PointAt(-470.0f, -340.0f);
    EXPECT_EQ(exit->GetCurrentFrameIndex(), 1);
    EXPECT_EQ(options->GetCurrentFrameIndex(), 0) << "hovering the exit button lights only it";

    while (PAL::PumpMessages() == false)
    {
    }
    Click();
    EXPECT_EQ(exit->activated, 1);
    EXPECT_EQ(options->activated, 0) << "one click, one button";
    RunFrames(25);
    EXPECT_FALSE(PAL::PumpMessages());
    EXPECT_EQ(game->GetCurrentLevelIndex(), 1u);

    // Outside the exit button the options button answers as before.
    SwitchTo(1);
    game->introPending = 0;
    options = FindObjectByName<ButtonClass>("optionsbutton");
    exit = FindObjectByName<ButtonClass>("exitbutton");
    PointAt(-400.0f, -340.0f);
    EXPECT_EQ(options->GetCurrentFrameIndex(), 1);
    EXPECT_EQ(exit->GetCurrentFrameIndex(), 0);

    // Raised above the exit button, the options button takes the overlap.
    options->SetZOrder(0.5f);
    PointAt(-470.0f, -340.0f);
    EXPECT_EQ(options->GetCurrentFrameIndex(), 1);
    EXPECT_EQ(exit->GetCurrentFrameIndex(), 0);
    Click();
    EXPECT_EQ(options->activated, 1);
    EXPECT_EQ(exit->activated, 0);
}

// Touch screens and remote desktops send the pointer's move and the press together: the press
// counts for the button the pointer went down on, once, even where the pointer came from another
// button.
TEST_F(ButtonTest, APressThatComesWithThePointersMoveCountsForTheButtonItWentDownOn)
{
    struct Case
    {
        u32 level;
        f32 fromX, fromY;
        const char* button;
        f32 x, y;
        u32 target;
        const char* waveFile;
    };
    const Case cases[] = {
        {1, 0.0f, -380.0f, "optionsbutton", -315.0f, -214.0f, 6, "0"},
        {1, -3.0f, -15.0f, "optionsbutton", -315.0f, -214.0f, 6, "0"},
        {1, 0.0f, -380.0f, "startbutton", -3.0f, -15.0f, 2, "0"},
        {2, 0.0f, -300.0f, "level1B", -237.0f, 52.0f, 0, "act1.txt"},
        {2, -406.0f, 56.0f, "level1B", -237.0f, 52.0f, 0, "act1.txt"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.button);
        TearDown();
        SetUp();
        Open(c.level);
        RunFrames(30);
        PointAt(c.fromX, c.fromY);
        input.cursorX = 512 + static_cast<i32>(c.x);
        input.cursorY = 767 - (384 + static_cast<i32>(c.y));
        Click();
        RunFrames(2);
        Core::Vector<Vellumar::GameObject*> objects;
        game->GetCurrentLevel()->GetGameObjects(objects);
        for (Vellumar::GameObject* object : objects)
        {
            if (auto* button = dynamic_cast<ButtonClass*>(object))
            {
                EXPECT_EQ(button->activated, button->GetName() == c.button ? 1 : 0) << button->GetName().c_str();
            }
        }
        for (int frame = 0; frame < 200 && game->GetCurrentLevelIndex() == c.level; ++frame)
            RunFrame();
        EXPECT_EQ(game->GetCurrentLevelIndex(), c.target);
        EXPECT_EQ(game->waveFileName, c.waveFile);
    }
}

// The shot that came with the pointer's move as the last enemy died is the play level's: the
// victory screen that follows waits for a click of its own.
TEST_F(ButtonTest, APressStillWaitingAtALevelSwitchStaysWithTheLevelItWasMadeIn)
{
    for (const u32 target : {4u, 5u})
    {
        SCOPED_TRACE(target);
        TearDown();
        SetUp();
        Open(1);
        game->waveFileName = "act1.txt";
        SwitchTo(0);
        RunFrames(30);
        PointAt(0.0f, 100.0f);
        input.cursorX = 512 + 40;
        Click();
        game->GoToLevel(target);
        RunFrames(200);
        EXPECT_EQ(game->GetCurrentLevelIndex(), target);
        auto* screen = FindObjectByName<ButtonClass>(target == 4 ? "victoryBG" : "loseBG");
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->activated, 0);

        // Its own click leaves it.
        Click();
        for (int frame = 0; frame < 200 && game->GetCurrentLevelIndex() == target; ++frame)
            RunFrame();
        EXPECT_EQ(game->GetCurrentLevelIndex(), 1u);
    }
}

TEST_F(ButtonTest, ACloneRunsItsOwnCopyOfTheTransitMachine)
{
    Open(1);
    auto* source = FindObjectByName<ButtonClass>("creditsbutton");
    ASSERT_NE(source, nullptr);
    Core::RefPtr<ButtonClass> copy = source->Clone();
    EXPECT_EQ(copy->activated, 0);
    EXPECT_EQ(copy->actionId, 0u);
    ASSERT_NE(copy->transitSM, nullptr);
    EXPECT_NE(copy->transitSM.Get(), source->transitSM.Get());
    EXPECT_EQ(copy->transitSM->GetOwner(), copy.Get());
    copy->transitSM->Update(0.016f);
    EXPECT_EQ(source->transitSM->GetOwner(), source);
    EXPECT_NEAR(OverlayOpacity(), 0.05f, 1e-6f) << "the copy's first step fades for itself";
    EXPECT_EQ(source->activated, 0);
}
}  // namespace
