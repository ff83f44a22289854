#include "tests/support/Input_FakeSource.h"

#include "platform/Input_Bytes.h"
#include "platform/Input_Keyboard.h"

#include <gtest/gtest.h>

#include <cstring>

using Input::EngineKey::LetterA;
namespace VK = Input::VirtualKey;

namespace
{
struct Flags
{
    bool pressed, triggered, down, up;
    bool operator==(const Flags&) const = default;
};

class KeyboardTest : public ::testing::Test
{
protected:
    KeyboardTest() { Input::KeyboardImp::Create(keyboard, source); }

    Flags FlagsOf(u32 key) const
    {
        return {keyboard->IsPressed(key), keyboard->IsTriggered(key), keyboard->IsDown(key), keyboard->IsUp(key)};
    }

    // A live keyboard whose start guard has ended.
    void StartQuiet()
    {
        keyboard->Update();
        ASSERT_FALSE(keyboard->AnyKey());
    }

    FakeSource source;
    Core::RefPtr<Input::Keyboard> keyboard;
};

TEST_F(KeyboardTest, KeyTableNumbersTheVirtualKeysInDeclarationOrder)
{
    EXPECT_EQ(Input::VirtualKeyOf(0), 0x01);
    EXPECT_EQ(Input::VirtualKeyOf(6), 0x08);
    EXPECT_EQ(Input::VirtualKeyOf(Input::EngineKey::Escape), 0x1B);
    // KANA, HANGEUL and HANGUL are one key.
    EXPECT_EQ(Input::VirtualKeyOf(15), 0x15);
    EXPECT_EQ(Input::VirtualKeyOf(17), 0x15);
    EXPECT_EQ(Input::VirtualKeyOf(LetterA), 'A');
    EXPECT_EQ(Input::VirtualKeyOf(Input::EngineKey::LetterZ), 'Z');
    EXPECT_EQ(Input::VirtualKeyOf(99), 0x70);   // F1
    EXPECT_EQ(Input::VirtualKeyOf(122), 0x87);  // F24
    EXPECT_EQ(Input::VirtualKeyOf(131), 0xA0);  // LSHIFT
    EXPECT_EQ(Input::VirtualKeyOf(165), 0xDE);  // OEM_7
    EXPECT_EQ(Input::VirtualKeyOf(195), 0xFE);  // OEM_CLEAR
    EXPECT_EQ(Input::VirtualKeyOf(196), 0);
}

TEST_F(KeyboardTest, PressHoldReleaseGiveEdgeFlagsFrameByFrame)
{
    StartQuiet();
    source.Press('A');
    keyboard->Update();
    EXPECT_EQ(FlagsOf(LetterA), (Flags{true, true, true, false}));
    keyboard->Update();
    EXPECT_EQ(FlagsOf(LetterA), (Flags{true, false, false, false}));
    keyboard->Update();
    EXPECT_EQ(FlagsOf(LetterA), (Flags{true, false, false, false}));
    source.Release('A');
    keyboard->Update();
    EXPECT_EQ(FlagsOf(LetterA), (Flags{false, false, false, true}));
    keyboard->Update();
    EXPECT_EQ(FlagsOf(LetterA), (Flags{false, false, false, false}));
}

TEST_F(KeyboardTest, PressingAgainRightAfterAReleaseIsNotAlsoARelease)
{
    StartQuiet();
    source.Press('A');
    keyboard->Update();
    source.Release('A');
    keyboard->Update();
    source.Press('A');
    keyboard->Update();
    EXPECT_EQ(FlagsOf(LetterA), (Flags{true, true, true, false}));
}

// A key pressed and released between two updates reads as down in the first update after it and
// as released in the next; its events, which replays record, say the same. A tap while the start
// guard waits is swallowed like any other press.
TEST_F(KeyboardTest, ATapBetweenTwoUpdatesIsDownInOneAndReleasedInTheNext)
{
    StartQuiet();
    source.Tap(VK::Escape);
    source.Tap(VK::LeftShift);
    keyboard->Update();
    EXPECT_EQ(FlagsOf(Input::EngineKey::Escape), (Flags{true, true, true, false}));
    EXPECT_TRUE(keyboard->IsTriggered(10)) << "the generic Shift goes down with the left one";
    Core::Vector<u8> keys;
    Core::Vector<Input::KeyState> records;
    ASSERT_TRUE(keyboard->PopRecordedEvents(keys, records));
    EXPECT_EQ(keys, (Core::Vector<u8>{VK::Shift, VK::Escape, VK::LeftShift}));
    keyboard->Update();
    EXPECT_EQ(FlagsOf(Input::EngineKey::Escape), (Flags{false, false, false, true}));
    ASSERT_TRUE(keyboard->PopRecordedEvents(keys, records));
    EXPECT_EQ(records[1].released, 1);
    keyboard->Update();
    EXPECT_EQ(FlagsOf(Input::EngineKey::Escape), (Flags{false, false, false, false}));

    // Each tap is a press of its own.
    for (int tap = 0; tap < 3; ++tap)
    {
        source.Tap('A');
        keyboard->Update();
        EXPECT_TRUE(keyboard->IsTriggered(LetterA));
        keyboard->Update();
        EXPECT_TRUE(keyboard->IsUp(LetterA));
    }

    keyboard->Reset();
    source.Tap('A');
    keyboard->Update();
    EXPECT_FALSE(keyboard->IsPressed(LetterA));
    keyboard->Update();
    EXPECT_FALSE(keyboard->AnyKey());
    EXPECT_FALSE(keyboard->IsUp(LetterA));
}

TEST_F(KeyboardTest, HeldKeysGiveAnEventEveryFrameAndOneMoreWhenReleased)
{
    StartQuiet();
    Core::Vector<u8> keys;
    Core::Vector<Input::KeyState> records;
    EXPECT_FALSE(keyboard->PopRecordedEvents(keys, records));

    source.Press('A');
    source.Press(VK::Space);
    for (int frame = 0; frame < 3; ++frame)
    {
        keyboard->Update();
        ASSERT_TRUE(keyboard->PopRecordedEvents(keys, records));
        ASSERT_EQ(keys, (Core::Vector<u8>{VK::Space, 'A'}));
        EXPECT_EQ(records[1].triggered, frame == 0 ? 1 : 0);
    }
    source.Release('A');
    keyboard->Update();
    ASSERT_TRUE(keyboard->PopRecordedEvents(keys, records));
    ASSERT_EQ(keys, (Core::Vector<u8>{VK::Space, 'A'}));
    EXPECT_EQ(records[1].released, 1);
    source.Release(VK::Space);
    keyboard->Update();
    keyboard->Update();
    EXPECT_FALSE(keyboard->PopRecordedEvents(keys, records));
}

TEST_F(KeyboardTest, AKeyDownAtCreationIsIgnoredUntilItIsReleased)
{
    source.Press('A');
    for (int frame = 0; frame < 50; ++frame)
    {
        keyboard->Update();
    }
    EXPECT_FALSE(keyboard->IsPressed(LetterA));
    source.Release('A');
    keyboard->Update();
    EXPECT_FALSE(keyboard->IsUp(LetterA));
    source.Press('A');
    keyboard->Update();
    EXPECT_TRUE(keyboard->IsTriggered(LetterA));
}

TEST_F(KeyboardTest, AKeyHeldAcrossResetIsTriggeredAtTheHundredAndTwentyFirstUpdate)
{
    StartQuiet();
    source.Press('A');
    keyboard->Update();
    keyboard->Reset();
    EXPECT_FALSE(keyboard->IsPressed(LetterA));
    for (int update = 1; update <= 120; ++update)
    {
        keyboard->Update();
        ASSERT_FALSE(keyboard->IsPressed(LetterA)) << "update " << update;
    }
    keyboard->Update();
    EXPECT_EQ(FlagsOf(LetterA), (Flags{true, true, true, false}));
}

TEST_F(KeyboardTest, ResettingAnArmedGuardDoesNotRestartItsCount)
{
    source.Press('A');
    for (int update = 1; update <= 100; ++update)
    {
        keyboard->Update();
    }
    keyboard->Reset();
    for (int update = 101; update <= 120; ++update)
    {
        keyboard->Update();
        ASSERT_FALSE(keyboard->IsPressed(LetterA)) << "update " << update;
    }
    keyboard->Update();
    EXPECT_TRUE(keyboard->IsTriggered(LetterA));
}

TEST_F(KeyboardTest, TheLastVirtualKeyIsNeverSampled)
{
    StartQuiet();
    source.Press(0xFF);
    keyboard->Update();
    Core::Vector<u8> keys;
    Core::Vector<Input::KeyState> records;
    EXPECT_FALSE(keyboard->PopRecordedEvents(keys, records));
    EXPECT_FALSE(keyboard->AnyKey());
    // Nor does it hold the start guard.
    keyboard->Reset();
    keyboard->Update();
    source.Press('A');
    keyboard->Update();
    EXPECT_TRUE(keyboard->IsTriggered(LetterA));
}

TEST_F(KeyboardTest, EndStartGuardSamplesAtOnce)
{
    source.Press('A');
    keyboard->EndStartGuard();
    keyboard->Update();
    EXPECT_TRUE(keyboard->IsTriggered(LetterA));
}

TEST_F(KeyboardTest, LowestCodeWinsSoShiftIsReportedBeforeLeftShift)
{
    StartQuiet();
    u32 key = 0;
    EXPECT_FALSE(keyboard->GetPressed(key));
    source.Press(VK::LeftShift);
    keyboard->Update();
    ASSERT_TRUE(keyboard->GetPressed(key));
    EXPECT_EQ(key, 10u);
    ASSERT_TRUE(keyboard->GetTriggered(key));
    EXPECT_EQ(key, 10u);
    keyboard->Update();
    EXPECT_FALSE(keyboard->GetTriggered(key));
    EXPECT_TRUE(keyboard->AnyKey());
}

TEST_F(KeyboardTest, MouseButtonsAreNotKeys)
{
    StartQuiet();
    source.Press(VK::LeftButton);
    keyboard->Update();
    u32 key = 0;
    EXPECT_TRUE(keyboard->IsPressed(0));
    EXPECT_FALSE(keyboard->AnyKey());
    EXPECT_FALSE(keyboard->GetPressed(key));
}

TEST_F(KeyboardTest, CodesBeyondTheKeyTableAreNeverPressed)
{
    source.Press(VK::Escape);
    keyboard->EndStartGuard();
    keyboard->Update();
    EXPECT_FALSE(keyboard->IsPressed(196));
    EXPECT_FALSE(keyboard->IsTriggered(0xFFFFFFFFu));
    EXPECT_FALSE(keyboard->IsDown(1000));
    EXPECT_FALSE(keyboard->IsUp(196));
    EXPECT_EQ(keyboard->GetKeyAsChar(196), 0);
}

TEST_F(KeyboardTest, LettersFollowCapsLockInvertedByShift)
{
    keyboard->EndStartGuard();
    keyboard->Update();
    EXPECT_EQ(keyboard->GetKeyAsChar(LetterA), 'a');
    source.capsLock = true;
    EXPECT_EQ(keyboard->GetKeyAsChar(LetterA), 'A');
    source.Press(VK::RightShift);
    keyboard->Update();
    EXPECT_EQ(keyboard->GetKeyAsChar(LetterA), 'a');
    source.capsLock = false;
    EXPECT_EQ(keyboard->GetKeyAsChar(Input::EngineKey::LetterZ), 'Z');
}

TEST_F(KeyboardTest, DigitsAndPunctuationFollowShift)
{
    keyboard->EndStartGuard();
    keyboard->Update();
    const char* plain = "0123456789";
    for (u32 i = 0; i < 10; ++i)
    {
        EXPECT_EQ(keyboard->GetKeyAsChar(Input::EngineKey::Digit0 + i), plain[i]);
    }
    EXPECT_EQ(keyboard->GetKeyAsChar(155), ';');
    EXPECT_EQ(keyboard->GetKeyAsChar(163), '\\');
    EXPECT_EQ(keyboard->GetKeyAsChar(165), '\'');

    source.Press(VK::LeftShift);
    keyboard->Update();
    const char* shifted = ")!@#$%^&*(";
    for (u32 i = 0; i < 10; ++i)
    {
        EXPECT_EQ(keyboard->GetKeyAsChar(Input::EngineKey::Digit0 + i), shifted[i]);
    }
    const char* oem = ":+<_>?~{|}\"";
    for (u32 i = 0; i < 11; ++i)
    {
        EXPECT_EQ(keyboard->GetKeyAsChar(155 + i), oem[i]);
    }
    EXPECT_EQ(keyboard->GetKeyAsChar(Input::EngineKey::Tab), '\t');
    EXPECT_EQ(keyboard->GetKeyAsChar(Input::EngineKey::Return), '\n');
    EXPECT_EQ(keyboard->GetKeyAsChar(Input::EngineKey::Space), ' ');
}

TEST_F(KeyboardTest, NumpadDigitsAndDecimalNeedNumLockButOperatorsDoNot)
{
    EXPECT_EQ(keyboard->GetKeyAsChar(Input::EngineKey::Numpad0 + 7), 0);
    EXPECT_EQ(keyboard->GetKeyAsChar(Input::EngineKey::Decimal), 0);
    EXPECT_EQ(keyboard->GetKeyAsChar(Input::EngineKey::Multiply), '*');
    EXPECT_EQ(keyboard->GetKeyAsChar(Input::EngineKey::Divide), '/');
    source.numLock = true;
    EXPECT_EQ(keyboard->GetKeyAsChar(Input::EngineKey::Numpad0 + 7), '7');
    EXPECT_EQ(keyboard->GetKeyAsChar(Input::EngineKey::Decimal), '.');
    // Separator, Escape, F1, OEM_8 have no character.
    EXPECT_EQ(keyboard->GetKeyAsChar(95), 0);
    EXPECT_EQ(keyboard->GetKeyAsChar(Input::EngineKey::Escape), 0);
    EXPECT_EQ(keyboard->GetKeyAsChar(99), 0);
    EXPECT_EQ(keyboard->GetKeyAsChar(166), 0);
}

TEST_F(KeyboardTest, RecordedStateRoundTripsIntoAPlaybackDevice)
{
    Core::RefPtr<Input::Keyboard> playback;
    Input::KeyboardImp::CreatePlayback(playback);
    const u8* block = reinterpret_cast<const u8*>(1);
    u32 size = 99;
    keyboard->GetRecordedState(block, size);
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(size, 0u);

    StartQuiet();
    source.Press('A');
    source.Press(VK::Escape);
    keyboard->Update();
    keyboard->Update();
    source.Release(VK::Escape);
    keyboard->Update();
    keyboard->GetRecordedState(block, size);
    ASSERT_EQ(size, 2 * Input::RecordedKeySize);
    // Escape went up (released only), A is held (pressed and held): pressed, triggered, held,
    // down and released in this order, three zero bytes, then the virtual key.
    const u8 expected[] = {0, 0, 0, 0, 1, 0, 0, 0, 0x1B, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 'A', 0, 0, 0};
    EXPECT_EQ(std::memcmp(block, expected, sizeof(expected)), 0);

    playback->SetRecordedState(block, size);
    EXPECT_TRUE(playback->IsPressed(LetterA));
    EXPECT_FALSE(playback->IsTriggered(LetterA));
    EXPECT_TRUE(playback->IsUp(Input::EngineKey::Escape));
    EXPECT_FALSE(playback->IsPressed(Input::EngineKey::Escape));

    // Playback devices neither sample nor hand out states.
    playback->Update();
    EXPECT_TRUE(playback->IsPressed(LetterA));
    playback->GetRecordedState(block, size);
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(size, 0u);
}

TEST_F(KeyboardTest, HostileRecordedStatesNeverReachBeyondTheRecords)
{
    Core::RefPtr<Input::Keyboard> playback;
    Input::KeyboardImp::CreatePlayback(playback);
    u8 block[3 * Input::RecordedKeySize + 5] = {};
    // An entry for a key far beyond the table, one for 'B', one for key 256, and a partial tail.
    block[0] = 1;
    Input::PutU32(block + 8, 0xFFFFFFF0u);
    block[12] = 1;
    Input::PutU32(block + 20, 'B');
    block[24] = 1;
    Input::PutU32(block + 32, 256);
    std::memset(block + 36, 0xFF, 5);
    playback->SetRecordedState(block, sizeof(block));
    u32 key = 0;
    ASSERT_TRUE(playback->GetPressed(key));
    EXPECT_EQ(key, LetterA + 1);
    // Neither the low byte of the huge key (OEM_ATTN) nor that of 256 (LBUTTON) was written.
    EXPECT_FALSE(playback->IsPressed(181));
    EXPECT_FALSE(playback->IsPressed(0));

    // A null block, and a live device, change nothing but the reset.
    playback->SetRecordedState(nullptr, 24);
    EXPECT_FALSE(playback->AnyKey());
    keyboard->SetRecordedState(block, sizeof(block));
    EXPECT_FALSE(keyboard->IsPressed(LetterA + 1));
}

TEST_F(KeyboardTest, LoadedKeyStatesCanDisagreeWithLiveEdges)
{
    Core::Vector<u8> keys{'A', VK::Escape};
    Core::Vector<Input::KeyState> records{Input::KeyState{1, 0, 1, 1, 0}, Input::KeyState{0, 1, 0, 0, 1}};
    keyboard->LoadKeyStates(keys, records);
    EXPECT_TRUE(keyboard->IsDown(LetterA));
    EXPECT_FALSE(keyboard->IsTriggered(LetterA));
    EXPECT_TRUE(keyboard->IsTriggered(Input::EngineKey::Escape));
    EXPECT_TRUE(keyboard->IsUp(Input::EngineKey::Escape));

    // Lists that do not pair up load nothing.
    keys.push_back('C');
    keyboard->LoadKeyStates(keys, records);
    EXPECT_FALSE(keyboard->AnyKey());
    EXPECT_FALSE(keyboard->IsPressed(LetterA));
}

TEST_F(KeyboardTest, TheLiveKeyboardIsTheLastOneCreatedWhileItLives)
{
    EXPECT_EQ(Input::GetKeyboard(), keyboard.Get());
    Core::RefPtr<Input::Keyboard> playback;
    Input::KeyboardImp::CreatePlayback(playback);
    EXPECT_EQ(Input::GetKeyboard(), keyboard.Get());
    EXPECT_EQ(keyboard->GetKeyCode(), Input::EngineKey::Escape);
    keyboard = nullptr;
    EXPECT_EQ(Input::GetKeyboard(), nullptr);
}

TEST_F(KeyboardTest, DevicesAreRegisteredByQualifiedName)
{
    EXPECT_STREQ(keyboard->GetClassName(), "Input::KeyboardImp");
    Core::RefPtr<Core::Object> made(Core::CreateObjectByName("Input::KeyboardImp"));
    ASSERT_NE(made.Get(), nullptr);
    EXPECT_EQ(Core::CreateObjectByName("Input::Keyboard"), nullptr);
}
}  // namespace
