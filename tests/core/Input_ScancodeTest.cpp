#include "core/Input_KeyCodes.h"
#include "core/Input_Scancodes.h"

#include <SDL2/SDL_scancode.h>

#include <gtest/gtest.h>

namespace
{
namespace VK = Input::VirtualKey;

u8 Map(SDL_Scancode scancode)
{
    return Input::VirtualKeyFromScancode(scancode);
}

TEST(ScancodeTest, LettersDigitsAndFunctionKeysKeepTheirOrder)
{
    EXPECT_EQ(Map(SDL_SCANCODE_A), 'A');
    EXPECT_EQ(Map(SDL_SCANCODE_Z), 'Z');
    EXPECT_EQ(Map(SDL_SCANCODE_1), '1');
    EXPECT_EQ(Map(SDL_SCANCODE_9), '9');
    EXPECT_EQ(Map(SDL_SCANCODE_0), '0');
    EXPECT_EQ(Map(SDL_SCANCODE_F1), VK::F1);
    EXPECT_EQ(Map(SDL_SCANCODE_F12), 0x7B);
    EXPECT_EQ(Map(SDL_SCANCODE_F13), 0x7C);
    EXPECT_EQ(Map(SDL_SCANCODE_F24), 0x87);
}

TEST(ScancodeTest, NumpadKeysAreTheirOwnKeys)
{
    EXPECT_EQ(Map(SDL_SCANCODE_KP_0), VK::Numpad0);
    EXPECT_EQ(Map(SDL_SCANCODE_KP_1), VK::Numpad0 + 1);
    EXPECT_EQ(Map(SDL_SCANCODE_KP_9), VK::Numpad0 + 9);
    EXPECT_EQ(Map(SDL_SCANCODE_KP_MULTIPLY), VK::Multiply);
    EXPECT_EQ(Map(SDL_SCANCODE_KP_PERIOD), VK::Decimal);
    EXPECT_EQ(Map(SDL_SCANCODE_KP_ENTER), VK::Return);
}

TEST(ScancodeTest, PunctuationFollowsTheUsLayout)
{
    EXPECT_EQ(Map(SDL_SCANCODE_SEMICOLON), VK::Oem1);
    EXPECT_EQ(Map(SDL_SCANCODE_EQUALS), VK::OemPlus);
    EXPECT_EQ(Map(SDL_SCANCODE_COMMA), VK::OemComma);
    EXPECT_EQ(Map(SDL_SCANCODE_MINUS), VK::OemMinus);
    EXPECT_EQ(Map(SDL_SCANCODE_PERIOD), VK::OemPeriod);
    EXPECT_EQ(Map(SDL_SCANCODE_SLASH), VK::Oem2);
    EXPECT_EQ(Map(SDL_SCANCODE_GRAVE), VK::Oem3);
    EXPECT_EQ(Map(SDL_SCANCODE_LEFTBRACKET), VK::Oem4);
    EXPECT_EQ(Map(SDL_SCANCODE_BACKSLASH), VK::Oem5);
    EXPECT_EQ(Map(SDL_SCANCODE_RIGHTBRACKET), VK::Oem6);
    EXPECT_EQ(Map(SDL_SCANCODE_APOSTROPHE), VK::Oem7);
}

TEST(ScancodeTest, ModifiersKeepTheirSideAndOthersMapToNothing)
{
    EXPECT_EQ(Map(SDL_SCANCODE_LSHIFT), VK::LeftShift);
    EXPECT_EQ(Map(SDL_SCANCODE_RSHIFT), VK::RightShift);
    EXPECT_EQ(Map(SDL_SCANCODE_LCTRL), VK::LeftControl);
    EXPECT_EQ(Map(SDL_SCANCODE_RALT), VK::RightMenu);
    EXPECT_EQ(Map(SDL_SCANCODE_ESCAPE), VK::Escape);
    EXPECT_EQ(Map(SDL_SCANCODE_UP), VK::Up);
    EXPECT_EQ(Map(SDL_SCANCODE_PAGEDOWN), VK::Next);
    EXPECT_EQ(Map(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(Map(SDL_SCANCODE_KP_HEXADECIMAL), 0);
    EXPECT_EQ(Input::VirtualKeyFromScancode(-1), 0);
    EXPECT_EQ(Input::VirtualKeyFromScancode(100000), 0);
}
}  // namespace
