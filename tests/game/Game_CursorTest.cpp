// The game cursor of the play level: the arrow and the crosshair pieces follow the mouse, show by
// whether the player can aim, spin red while the cannon cools down, and are what the pause menu's
// buttons and the tower sites answer to.
#include "collision/Collision_DynamicObject.h"
#include "platform/Input_KeyCodes.h"
#include "game/MyGame_BaseCityClass.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_ButtonClass.h"
#include "game/MyGame_CannonClass.h"
#include "game/MyGame_CursorClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_TowerClass.h"
#include "gui/GUI_HUD.h"
#include "tests/game/Game_Fixture.h"

#include <string>

namespace
{
class CursorTest : public GameTest::MyGameTest
{
protected:
    void SetUp() override
    {
        MyGameTest::SetUp();
        RunFrames(3);
        game->introPending = 0;
        game->waveFileName = "act1.txt";
        SwitchTo(0);
        RunFrames(30);
    }

    // The mouse on a point of the screen, y up, about its centre.
    void PointAt(f32 x, f32 y)
    {
        input.cursorX = 512 + static_cast<i32>(x);
        input.cursorY = 767 - (384 + static_cast<i32>(y));
        RunFrames(2);
    }

    void Click()
    {
        input.buttons = Input::ButtonBit::Left;
        RunFrame();
        input.buttons = 0;
        RunFrame();
    }

    void Escape()
    {
        input.Press(Input::VirtualKey::Escape);
        RunFrame();
        input.ReleaseAll();
        RunFrame();
    }

    static CursorClass* Cursor(const char* name) { return FindObjectByName<CursorClass>(name); }

    static std::string Piece(int number) { return (number < 10 ? "cursor_0" : "cursor_") + std::to_string(number); }
};

TEST_F(CursorTest, TheCrosshairShowsWhereThePlayerCanAimAndTheArrowElsewhere)
{
    ASSERT_NE(Cursor("cursor"), nullptr);
    EXPECT_FALSE(GUI::HUD::GetInstance()->IsCursorVisible());
    PointAt(100.0f, 200.0f);
    for (int number = 1; number <= 16; ++number)
    {
        CursorClass* piece = Cursor(Piece(number).c_str());
        ASSERT_NE(piece, nullptr) << number;
        EXPECT_EQ(piece->GetPosition(), Math::Vector2D(100.0f, 200.0f));
        EXPECT_EQ(piece->GetOpacity(), 1.0f);
        EXPECT_EQ(piece->GetScaleX(), 0.4f);
    }
    EXPECT_EQ(Cursor("cursor")->GetPosition(), Math::Vector2D(100.0f, 200.0f));
    EXPECT_EQ(Cursor("cursor")->GetOpacity(), 0.0f);
    EXPECT_EQ(Cursor("cursor")->GetScaleX(), 1.0f);

    PointAt(100.0f, -350.0f);
    EXPECT_EQ(Cursor("cursor")->GetOpacity(), 1.0f) << "below the cannon";
    EXPECT_EQ(Cursor("cursor_07")->GetOpacity(), 0.0f);

    PointAt(100.0f, 200.0f);
    Escape();
    EXPECT_EQ(Cursor("cursor")->GetOpacity(), 1.0f) << "paused";
    EXPECT_EQ(Cursor("cursor_07")->GetOpacity(), 0.0f);
}

TEST_F(CursorTest, TheCrosshairSpinsRedWhileTheCannonCoolsDownAndRestsWithOneGreenPiece)
{
    PointAt(0.0f, 200.0f);
    CannonClass* cannon = FindObjectByName<CannonClass>("cannon");
    ASSERT_EQ(cannon->coolingDown, 0);
    EXPECT_EQ(Cursor("cursor_05")->GetModulationColor(), Math::Color(0.0f, 0.7f, 0.0f, 1.0f));
    EXPECT_EQ(Cursor("cursor_03")->GetRotationAngle(), 0.0f);
    input.buttons = Input::ButtonBit::Left;
    RunFrame();
    input.buttons = 0;
    ASSERT_EQ(cannon->coolingDown, 1);
    // The pieces read the cool-down one update late.
    RunFrame();
    const f32 odd = Cursor("cursor_03")->GetRotationAngle();
    const f32 even = Cursor("cursor_04")->GetRotationAngle();
    RunFrame();
    EXPECT_EQ(Cursor("cursor_03")->GetRotationAngle(), odd + 20.0f);
    EXPECT_EQ(Cursor("cursor_04")->GetRotationAngle(), even - 15.0f);
    EXPECT_EQ(Cursor("cursor")->GetModulationColor(), Math::Color(1.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_EQ(Cursor("cursor_05")->GetModulationColor(), Math::Color(1.0f, 0.0f, 0.0f, 1.0f));

    int frames = 0;
    while (cannon->coolingDown && frames++ < 600)
        RunFrame();
    RunFrames(2);
    const f32 ready = Cursor("cursor_05")->GetRotationAngle();
    const f32 first = Cursor("cursor_01")->GetRotationAngle();
    RunFrame();
    EXPECT_NE(ready, 0.0f);
    EXPECT_EQ(Cursor("cursor_05")->GetRotationAngle(), ready) << "keeps the angle the cool-down left";
    EXPECT_EQ(Cursor("cursor_05")->GetModulationColor(), Math::Color(0.0f, 0.7f, 0.0f, 1.0f));
    EXPECT_EQ(Cursor("cursor_03")->GetRotationAngle(), 0.0f);
    EXPECT_EQ(Cursor("cursor_01")->GetRotationAngle(), first + 1.0f);
    EXPECT_EQ(Cursor("cursor_03")->GetModulationColor(), Math::Color(1.0f, 1.0f, 1.0f, 1.0f));
}

TEST_F(CursorTest, ThePauseMenuAnswersClicksOfTheArrow)
{
    Escape();
    ASSERT_EQ(game->running, 0);
    PointAt(-300.0f, 0.0f);
    Click();
    EXPECT_EQ(game->running, 1) << "resumed";
    EXPECT_FALSE(FindObjectByName<ButtonClass>("pause_resume")->GetVisible());

    Escape();
    PointAt(300.0f, 0.0f);
    Click();
    RunFrames(30);
    EXPECT_EQ(game->GetCurrentLevelIndex(), 1u) << "left for the main menu";
}

TEST_F(CursorTest, TheArrowAppearsAtTheMouseAndThePauseMenuLeavesEvenWhileTheActFadesIn)
{
    // The mouse rests where the exit button will show; the act starts over and fades in again.
    PointAt(300.0f, 0.0f);
    game->GoToLevel(0u);
    RunFrame();
    EXPECT_FALSE(Cursor("cursor")->GetRegisteredObject()->IsMoved()) << "no sweep from off screen";
    RunFrame();
    Escape();
    ASSERT_EQ(game->running, 0);
    Click();
    EXPECT_TRUE(GetPlayLevel()->IsFadingIn());
    EXPECT_EQ(FindObjectByName<ButtonClass>("pause_exit")->activated, 1);
    RunFrames(40);
    EXPECT_EQ(game->GetCurrentLevelIndex(), 1u) << "left for the main menu";
}
// One crosshair piece has a collision circle; the player's own pointer brought down onto the city
// is no attacker.
TEST_F(CursorTest, TheCrosshairOverTheCityCostsItNothing)
{
    auto* city = FindObjectByName<BaseCityClass>("city");
    ASSERT_NE(city, nullptr);
    ASSERT_EQ(city->hitPoints, 20);
    for (f32 y : {0.0f, -200.0f, -240.0f, -267.0f, -290.0f, -320.0f, -267.0f})
        for (f32 x : {-150.0f, 0.0f, 150.0f})
            PointAt(x, y);
    RunFrames(10);
    EXPECT_EQ(city->hitPoints, 20);
    for (int number = 1; number <= 16; ++number)
        EXPECT_NE(Cursor(Piece(number).c_str()), nullptr) << number;
    EXPECT_NE(Cursor("cursor"), nullptr);
}

// Touch screens and remote desktops send the pointer's move and the press together: the press
// counts for the site the pointer went down on, not for the one it left.
TEST_F(CursorTest, APressThatComesWithThePointersMoveCountsForTheSiteItWentDownOn)
{
    auto* site = FindObjectByName<SlotClass>("towerslot3");
    ASSERT_NE(site, nullptr);
    const auto jumpAndPress = [&](f32 x, f32 y) {
        input.cursorX = 512 + static_cast<i32>(x);
        input.cursorY = 767 - (384 + static_cast<i32>(y));
        input.buttons = Input::ButtonBit::Left;
        RunFrame();
        input.buttons = 0;
        RunFrames(4);
    };
    PointAt(site->GetPositionX(), site->GetPositionY());
    jumpAndPress(-100.0f, 250.0f);
    EXPECT_EQ(site->menuOpen, 0) << "the site the pointer left";
    RunFrames(3);
    jumpAndPress(site->GetPositionX(), site->GetPositionY());
    EXPECT_EQ(site->menuOpen, 1) << "the site the pointer went down on";
}
}  // namespace
