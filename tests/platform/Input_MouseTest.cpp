#include "tests/support/Input_FakeSource.h"

#include "platform/Input_Bytes.h"
#include "platform/Input_Mouse.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
constexpr u32 Left = 0;
constexpr u32 Middle = 1;
constexpr u32 Right = 2;

class MouseTest : public ::testing::Test
{
protected:
    MouseTest()
    {
        Input::MouseImp::ForgetStartGuardPosition();
        // The cursor starts in the middle of the client area (300, 400, 200 x 100).
        source.SetCursor(400, 450);
        Input::MouseImp::Create(mouse, source);
        mouse->SetWindow(source.window);
    }

    // A live mouse whose start guard has ended.
    void StartQuiet()
    {
        mouse->Update();
        mouse->Update();
    }

    // The position read after moving the cursor to a screen point.
    std::pair<i32, i32> ReadAt(i32 screenX, i32 screenY)
    {
        source.SetCursor(screenX, screenY);
        mouse->Update();
        i32 x = -1;
        i32 y = -1;
        mouse->GetPosition(x, y);
        return {x, y};
    }

    FakeSource source;
    Core::RefPtr<Input::Mouse> mouse;
};

TEST_F(MouseTest, YCountsFromTheBottomRowAndPositionsOutsideAreClampedToTheEdges)
{
    StartQuiet();
    const struct
    {
        i32 screenX, screenY;
        i32 x, y;
        bool inWindow;
    } cases[] = {
        {300, 499, 0, 0, true},
        {499, 400, 199, 99, true},
        {310, 470, 10, 29, true},
        {250, 450, 0, 49, false},
        {350, 900, 50, 0, false},
        {900, 450, 199, 49, false},
        {350, 10, 50, 99, false},
        {-5000, -5000, 0, 99, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "screen " << c.screenX << ", " << c.screenY);
        EXPECT_EQ(ReadAt(c.screenX, c.screenY), std::make_pair(c.x, c.y));
        EXPECT_EQ(mouse->GetPosition(), Math::Vector2D(static_cast<f32>(c.x), static_cast<f32>(c.y)));
        EXPECT_EQ(mouse->GetPositionX(), c.x);
        EXPECT_EQ(mouse->GetPositionY(), c.y);
        EXPECT_EQ(mouse->IsInWindow(), c.inWindow);
    }
}

TEST_F(MouseTest, SetPositionReadsBack)
{
    StartQuiet();
    mouse->SetPosition(12, 34);
    // Warped within the window to its client point, counted from the top.
    EXPECT_EQ(source.warpedX, 12);
    EXPECT_EQ(source.warpedY, 65);
    EXPECT_EQ(source.cursorX, 312);
    EXPECT_EQ(source.cursorY, 465);
    i32 x = 0;
    i32 y = 0;
    mouse->GetPosition(x, y);
    EXPECT_EQ(x, 12);
    EXPECT_EQ(y, 34);
    mouse->Update();
    EXPECT_EQ(mouse->GetPositionY(), 34);
}

TEST_F(MouseTest, WithoutAWindowThereIsNoPosition)
{
    mouse->SetWindow(0);
    StartQuiet();
    source.SetCursor(310, 470);
    mouse->Update();
    EXPECT_EQ(mouse->GetPosition(), Math::Vector2D(0.0f, 0.0f));
    EXPECT_FALSE(mouse->IsInWindow());
    mouse->SetPosition(5, 5);
    EXPECT_EQ(source.cursorX, 310);
    // A handle that names no window any more is no better.
    mouse->SetWindow(99);
    EXPECT_EQ(mouse->GetPositionX(), 0);
}

TEST_F(MouseTest, ButtonsGetEdgeFlagsAndEventsLikeKeys)
{
    StartQuiet();
    Core::Vector<u8> buttons;
    Core::Vector<Input::KeyState> records;
    Input::MouseReplayFrame frame;

    source.buttons = Input::ButtonBit::Right;
    mouse->Update();
    EXPECT_TRUE(mouse->IsTriggered(Right));
    EXPECT_TRUE(mouse->IsDown(Right));
    EXPECT_FALSE(mouse->IsPressed(Left));
    ASSERT_TRUE(mouse->GetReplayFrame(frame, buttons, records));
    EXPECT_EQ(buttons, Core::Vector<u8>{2});

    mouse->Update();
    EXPECT_TRUE(mouse->IsPressed(Right));
    EXPECT_FALSE(mouse->IsTriggered(Right));

    source.buttons = 0;
    mouse->Update();
    EXPECT_TRUE(mouse->IsUp(Right));
    ASSERT_TRUE(mouse->GetReplayFrame(frame, buttons, records));
    EXPECT_EQ(buttons, Core::Vector<u8>{2});
    EXPECT_EQ(records[0].released, 1);

    mouse->Update();
    EXPECT_FALSE(mouse->IsUp(Right));
    EXPECT_FALSE(mouse->GetReplayFrame(frame, buttons, records));
    EXPECT_FALSE(mouse->IsPressed(3));
    EXPECT_FALSE(mouse->IsTriggered(0xFFFFFFFFu));
}

// A click shorter than a frame reads as down in the update after it and as released in the next,
// in the records and in the replay events alike.
TEST_F(MouseTest, AClickBetweenTwoUpdatesIsDownInOneAndReleasedInTheNext)
{
    StartQuiet();
    Core::Vector<u8> buttons;
    Core::Vector<Input::KeyState> records;
    Input::MouseReplayFrame frame;

    source.TapButtons(Input::ButtonBit::Left | Input::ButtonBit::Right);
    mouse->Update();
    EXPECT_TRUE(mouse->IsTriggered(Left));
    EXPECT_TRUE(mouse->IsDown(Right));
    EXPECT_FALSE(mouse->IsPressed(Middle));
    ASSERT_TRUE(mouse->GetReplayFrame(frame, buttons, records));
    EXPECT_EQ(buttons, (Core::Vector<u8>{0, 2}));
    EXPECT_EQ(records[0].triggered, 1);

    mouse->Update();
    EXPECT_TRUE(mouse->IsUp(Left));
    EXPECT_FALSE(mouse->IsPressed(Left));
    EXPECT_TRUE(mouse->IsUp(Right));
    mouse->Update();
    EXPECT_FALSE(mouse->IsUp(Left));
    EXPECT_FALSE(mouse->GetReplayFrame(frame, buttons, records));

    // Taken by the start guard, a click after a reset is not seen later either.
    mouse->Reset();
    source.TapButtons(Input::ButtonBit::Left);
    mouse->Update();
    mouse->Update();
    EXPECT_FALSE(mouse->IsPressed(Left));
    EXPECT_FALSE(mouse->IsUp(Left));
}

TEST_F(MouseTest, AButtonHeldAcrossResetKeepsTheDeviceSilentUntilReleased)
{
    StartQuiet();
    source.buttons = Input::ButtonBit::Left;
    mouse->Update();
    ASSERT_TRUE(mouse->IsPressed(Left));
    mouse->Reset();
    for (int frame = 0; frame < 200; ++frame)
    {
        source.SetCursor(310 + frame % 3, 470);
        mouse->Update();
        ASSERT_FALSE(mouse->IsPressed(Left));
    }
    // Not sampled while silent: the cursor is still where Reset found it.
    EXPECT_EQ(mouse->GetPositionX(), 100);
    source.buttons = 0;
    mouse->Update();
    source.buttons = Input::ButtonBit::Left;
    mouse->Update();
    EXPECT_TRUE(mouse->IsTriggered(Left));
}

TEST_F(MouseTest, ACursorMovedSinceTheGuardLastLookedKeepsItBusy)
{
    StartQuiet();
    source.SetCursor(320, 480);
    mouse->Update();
    EXPECT_TRUE(mouse->IsMoved());
    mouse->Reset();
    // Reset took the new position, which differs from the one the guard remembers.
    source.buttons = Input::ButtonBit::Middle;
    mouse->Update();
    EXPECT_FALSE(mouse->IsPressed(Middle));
    mouse->Update();
    EXPECT_FALSE(mouse->IsPressed(Middle));
    source.buttons = 0;
    mouse->Update();
    source.buttons = Input::ButtonBit::Middle;
    mouse->Update();
    EXPECT_TRUE(mouse->IsTriggered(Middle));
}

TEST_F(MouseTest, ReplayFramesCarryTheCursorAndZeroUnusedBytes)
{
    StartQuiet();
    source.SetCursor(330, 440);
    mouse->Update();
    Input::MouseReplayFrame frame;
    std::memset(static_cast<void*>(&frame), 0xAB, sizeof(frame));
    Core::Vector<u8> buttons;
    Core::Vector<Input::KeyState> records;
    EXPECT_TRUE(mouse->GetReplayFrame(frame, buttons, records));
    EXPECT_EQ(frame.x, 330);
    EXPECT_EQ(frame.y, 440);
    EXPECT_EQ(frame.previousX, 330);
    EXPECT_EQ(frame.moved, 1);
    EXPECT_EQ(frame.unused[0] | frame.unused[1] | frame.unused[2], 0);
    mouse->Update();
    EXPECT_FALSE(mouse->GetReplayFrame(frame, buttons, records));
    EXPECT_EQ(frame.moved, 0);
}

TEST_F(MouseTest, AppliedReplayFramesSetCursorAndButtons)
{
    StartQuiet();
    Input::MouseReplayFrame frame;
    frame.x = 310;
    frame.y = 490;
    const Input::KeyState down{1, 1, 1, 1, 0};
    mouse->ApplyReplayFrame(frame, Core::Vector<u8>{0, 2}, Core::Vector<Input::KeyState>{down, down});
    EXPECT_TRUE(mouse->IsMoved());
    EXPECT_EQ(mouse->GetPosition(), Math::Vector2D(10.0f, 9.0f));
    EXPECT_TRUE(mouse->IsTriggered(Left));
    EXPECT_TRUE(mouse->IsTriggered(Right));
    EXPECT_FALSE(mouse->IsPressed(Middle));

    mouse->ApplyReplayFrame(frame, {}, {});
    EXPECT_FALSE(mouse->IsMoved());
    EXPECT_FALSE(mouse->IsPressed(Left));
}

TEST_F(MouseTest, HostileReplayFramesNeverReachBeyondTheThreeButtons)
{
    Input::MouseReplayFrame frame;
    const Input::KeyState down{1, 1, 1, 1, 0};
    mouse->ApplyReplayFrame(frame, Core::Vector<u8>{3, 255, 1}, Core::Vector<Input::KeyState>{down, down, down});
    EXPECT_TRUE(mouse->IsPressed(Middle));
    EXPECT_FALSE(mouse->IsPressed(Left));
    EXPECT_FALSE(mouse->IsPressed(Right));
    // Lists that do not pair up load nothing.
    mouse->ApplyReplayFrame(frame, Core::Vector<u8>{0, 1}, Core::Vector<Input::KeyState>{down});
    EXPECT_FALSE(mouse->IsPressed(Left));
    EXPECT_FALSE(mouse->IsPressed(Middle));
}

TEST_F(MouseTest, RecordedStateRoundTripsIntoAPlaybackDevice)
{
    StartQuiet();
    source.SetCursor(310, 470);
    source.buttons = Input::ButtonBit::Left;
    source.cursorShown = false;
    mouse->Update();
    const u8* block = nullptr;
    u32 size = 0;
    mouse->GetRecordedState(block, size);
    ASSERT_EQ(size, Input::MouseStateSize);
    // Left, middle and right records, a zero byte, x and y, inside, moved, shown, a zero byte.
    const u8 expected[Input::MouseStateSize] = {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                10, 0, 0, 0, 29, 0, 0, 0, 1, 1, 0, 0};
    EXPECT_EQ(std::memcmp(block, expected, sizeof(expected)), 0);

    Core::RefPtr<Input::Mouse> playback;
    Input::MouseImp::CreatePlayback(playback);
    playback->SetRecordedState(block, size);
    EXPECT_EQ(playback->GetPosition(), Math::Vector2D(10.0f, 29.0f));
    EXPECT_TRUE(playback->IsInWindow());
    EXPECT_TRUE(playback->IsMoved());
    EXPECT_FALSE(playback->IsCursorVisible());
    EXPECT_TRUE(playback->IsTriggered(Left));
    EXPECT_EQ(playback->GetWindow(), 0u);

    // Playback devices neither sample nor hand out states.
    playback->Update();
    EXPECT_TRUE(playback->IsTriggered(Left));
    playback->GetRecordedState(block, size);
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(size, 0u);
}

TEST_F(MouseTest, APlaybackDeviceReadsEachFieldFromItsPlace)
{
    Core::RefPtr<Input::Mouse> playback;
    Input::MouseImp::CreatePlayback(playback);
    u8 block[Input::MouseStateSize] = {};
    block[5 + 4] = 1;   // middle released
    block[10 + 0] = 1;  // right pressed
    Input::PutU32(block + 16, static_cast<u32>(-3));
    Input::PutU32(block + 20, 0x01020304u);
    block[26] = 1;
    playback->SetRecordedState(block, Input::MouseStateSize);
    EXPECT_FALSE(playback->IsPressed(Left));
    EXPECT_TRUE(playback->IsUp(Middle));
    EXPECT_TRUE(playback->IsPressed(Right));
    EXPECT_FALSE(playback->IsTriggered(Right));
    EXPECT_EQ(playback->GetPositionX(), -3);
    EXPECT_EQ(playback->GetPositionY(), 0x01020304);
    EXPECT_FALSE(playback->IsInWindow());
    EXPECT_FALSE(playback->IsMoved());
    EXPECT_TRUE(playback->IsCursorVisible());
}

TEST_F(MouseTest, RecordedStatesOfAnyOtherSizeAreIgnored)
{
    Core::RefPtr<Input::Mouse> playback;
    Input::MouseImp::CreatePlayback(playback);
    u8 block[Input::MouseStateSize + 1] = {};
    block[0] = 1;
    Input::PutU32(block + 16, 5);
    playback->SetRecordedState(block, Input::MouseStateSize + 1);
    playback->SetRecordedState(block, Input::MouseStateSize - 1);
    playback->SetRecordedState(nullptr, Input::MouseStateSize);
    EXPECT_FALSE(playback->IsPressed(Left));
    EXPECT_EQ(playback->GetPositionX(), 0);
    // Live devices ignore recorded states.
    mouse->SetRecordedState(block, Input::MouseStateSize);
    EXPECT_FALSE(mouse->IsPressed(Left));
}

TEST_F(MouseTest, CursorVisibilityGoesToTheSystemForLiveDevicesOnly)
{
    mouse->ShowCursor(0);
    EXPECT_FALSE(source.cursorShown);
    EXPECT_FALSE(mouse->IsCursorVisible());
    mouse->ShowCursor(1);
    EXPECT_TRUE(mouse->IsCursorVisible());
    Core::RefPtr<Input::Mouse> playback;
    Input::MouseImp::CreatePlayback(playback);
    EXPECT_EQ(Input::GetMouse(), mouse.Get());
    mouse = nullptr;
    EXPECT_EQ(Input::GetMouse(), nullptr);
}
}  // namespace
