#include "platform/Input_KeyCodes.h"
#include "platform/Input_Scancodes.h"

#include "platform/Input_Source.h"

#include <SDL2/SDL_mouse.h>
#include <SDL2/SDL_scancode.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <set>

namespace
{
namespace VK = Input::VirtualKey;

TEST(ScancodeTest, ScancodesMapToTheirUsLayoutVirtualKeysAndUnknownOnesToNothing)
{
    const struct
    {
        int scancode;
        u8 key;
    } cases[] = {
        // Letters, digits and function keys keep their order.
        {SDL_SCANCODE_A, 'A'},
        {SDL_SCANCODE_Z, 'Z'},
        {SDL_SCANCODE_1, '1'},
        {SDL_SCANCODE_9, '9'},
        {SDL_SCANCODE_0, '0'},
        {SDL_SCANCODE_F1, VK::F1},
        {SDL_SCANCODE_F12, 0x7B},
        {SDL_SCANCODE_F13, 0x7C},
        {SDL_SCANCODE_F24, 0x87},
        // Numpad keys are their own keys.
        {SDL_SCANCODE_KP_0, VK::Numpad0},
        {SDL_SCANCODE_KP_1, VK::Numpad0 + 1},
        {SDL_SCANCODE_KP_9, VK::Numpad0 + 9},
        {SDL_SCANCODE_KP_MULTIPLY, VK::Multiply},
        {SDL_SCANCODE_KP_PERIOD, VK::Decimal},
        {SDL_SCANCODE_KP_ENTER, VK::Return},
        // Punctuation follows the US layout.
        {SDL_SCANCODE_SEMICOLON, VK::Oem1},
        {SDL_SCANCODE_EQUALS, VK::OemPlus},
        {SDL_SCANCODE_COMMA, VK::OemComma},
        {SDL_SCANCODE_MINUS, VK::OemMinus},
        {SDL_SCANCODE_PERIOD, VK::OemPeriod},
        {SDL_SCANCODE_SLASH, VK::Oem2},
        {SDL_SCANCODE_GRAVE, VK::Oem3},
        {SDL_SCANCODE_LEFTBRACKET, VK::Oem4},
        {SDL_SCANCODE_BACKSLASH, VK::Oem5},
        {SDL_SCANCODE_RIGHTBRACKET, VK::Oem6},
        {SDL_SCANCODE_APOSTROPHE, VK::Oem7},
        // Modifiers keep their side.
        {SDL_SCANCODE_LSHIFT, VK::LeftShift},
        {SDL_SCANCODE_RSHIFT, VK::RightShift},
        {SDL_SCANCODE_LCTRL, VK::LeftControl},
        {SDL_SCANCODE_RALT, VK::RightMenu},
        {SDL_SCANCODE_ESCAPE, VK::Escape},
        {SDL_SCANCODE_UP, VK::Up},
        {SDL_SCANCODE_PAGEDOWN, VK::Next},
        // Keys without a virtual key, and codes beyond SDL's range, map to nothing.
        {SDL_SCANCODE_UNKNOWN, 0},
        {SDL_SCANCODE_KP_HEXADECIMAL, 0},
        {-1, 0},
        {100000, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.scancode);
        EXPECT_EQ(Input::VirtualKeyFromScancode(c.scancode), c.key);
    }
}

// The virtual keys that are down after sampling SDL's key array with these scancodes down and
// these mouse buttons.
std::set<u32> DownKeys(std::initializer_list<SDL_Scancode> down, u32 buttonMask)
{
    u8 scancodes[SDL_NUM_SCANCODES] = {};
    for (SDL_Scancode scancode : down)
    {
        scancodes[scancode] = 1;
    }
    u8 keys[Input::VirtualKeyCount];
    std::fill(std::begin(keys), std::end(keys), u8{0x55});
    Input::VirtualKeysFromSDL(scancodes, SDL_NUM_SCANCODES, buttonMask, keys);
    std::set<u32> result;
    for (u32 key = 0; key < Input::VirtualKeyCount; ++key)
    {
        EXPECT_TRUE(keys[key] == 0 || keys[key] == Input::KeyDownBit) << "virtual key " << key;
        if (keys[key] != 0)
        {
            result.insert(key);
        }
    }
    return result;
}

TEST(ScancodeTest, GenericModifiersFollowEitherSide)
{
    EXPECT_EQ(DownKeys({}, 0), std::set<u32>{});
    EXPECT_EQ(DownKeys({SDL_SCANCODE_RSHIFT}, 0), (std::set<u32>{VK::Shift, VK::RightShift}));
    EXPECT_EQ(DownKeys({SDL_SCANCODE_LCTRL, SDL_SCANCODE_RALT}, 0),
              (std::set<u32>{VK::Control, VK::Menu, VK::LeftControl, VK::RightMenu}));
    EXPECT_EQ(DownKeys({SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RCTRL, SDL_SCANCODE_LALT, SDL_SCANCODE_Q}, 0),
              (std::set<u32>{VK::Shift, VK::Control, VK::Menu, VK::LeftShift, VK::RightControl, VK::LeftMenu, 'Q'}));
    // Keys without a virtual key leave no trace.
    EXPECT_EQ(DownKeys({SDL_SCANCODE_KP_HEXADECIMAL, SDL_SCANCODE_UNKNOWN}, 0), std::set<u32>{});
}

TEST(ScancodeTest, MouseButtonsAreVirtualKeysOneTwoFourFiveAndSix)
{
    EXPECT_EQ(DownKeys({}, SDL_BUTTON_LMASK), std::set<u32>{1});
    EXPECT_EQ(DownKeys({}, SDL_BUTTON_RMASK), std::set<u32>{2});
    EXPECT_EQ(DownKeys({}, SDL_BUTTON_MMASK), std::set<u32>{4});
    EXPECT_EQ(DownKeys({}, SDL_BUTTON_X1MASK), std::set<u32>{5});
    EXPECT_EQ(DownKeys({}, SDL_BUTTON_X2MASK), std::set<u32>{6});
    EXPECT_EQ(DownKeys({SDL_SCANCODE_A}, SDL_BUTTON_LMASK | SDL_BUTTON_X2MASK), (std::set<u32>{1, 6, 'A'}));
}

TEST(ScancodeTest, TheMouseDeviceSeesLeftMiddleAndRight)
{
    EXPECT_EQ(Input::ButtonBitsFromSDL(0), 0);
    EXPECT_EQ(Input::ButtonBitsFromSDL(SDL_BUTTON_LMASK), Input::ButtonBit::Left);
    EXPECT_EQ(Input::ButtonBitsFromSDL(SDL_BUTTON_MMASK), Input::ButtonBit::Middle);
    EXPECT_EQ(Input::ButtonBitsFromSDL(SDL_BUTTON_RMASK), Input::ButtonBit::Right);
    // The side buttons are keys only.
    EXPECT_EQ(Input::ButtonBitsFromSDL(SDL_BUTTON_X1MASK | SDL_BUTTON_X2MASK), 0);
}
}  // namespace
