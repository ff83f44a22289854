#include "platform/Input_Scancodes.h"

#include "platform/Input_Source.h"

#include <SDL_mouse.h>
#include <SDL_scancode.h>

#include <algorithm>

namespace Input
{
u8 VirtualKeyFromScancode(i32 scancode)
{
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
    {
        return static_cast<u8>(VirtualKey::LetterA + (scancode - SDL_SCANCODE_A));
    }
    // SDL orders the digit row 1 to 9 then 0.
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
    {
        return static_cast<u8>(VirtualKey::Digit0 + 1 + (scancode - SDL_SCANCODE_1));
    }
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
    {
        return static_cast<u8>(VirtualKey::F1 + (scancode - SDL_SCANCODE_F1));
    }
    if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24)
    {
        return static_cast<u8>(VirtualKey::F13 + (scancode - SDL_SCANCODE_F13));
    }
    if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
    {
        return static_cast<u8>(VirtualKey::Numpad0 + 1 + (scancode - SDL_SCANCODE_KP_1));
    }
    switch (scancode)
    {
    case SDL_SCANCODE_0: return VirtualKey::Digit0;
    case SDL_SCANCODE_KP_0: return VirtualKey::Numpad0;
    case SDL_SCANCODE_RETURN: return VirtualKey::Return;
    case SDL_SCANCODE_KP_ENTER: return VirtualKey::Return;
    case SDL_SCANCODE_ESCAPE: return VirtualKey::Escape;
    case SDL_SCANCODE_BACKSPACE: return VirtualKey::Back;
    case SDL_SCANCODE_TAB: return VirtualKey::Tab;
    case SDL_SCANCODE_SPACE: return VirtualKey::Space;
    case SDL_SCANCODE_MINUS: return VirtualKey::OemMinus;
    case SDL_SCANCODE_EQUALS: return VirtualKey::OemPlus;
    case SDL_SCANCODE_LEFTBRACKET: return VirtualKey::Oem4;
    case SDL_SCANCODE_RIGHTBRACKET: return VirtualKey::Oem6;
    case SDL_SCANCODE_BACKSLASH: return VirtualKey::Oem5;
    case SDL_SCANCODE_NONUSHASH: return VirtualKey::Oem5;
    case SDL_SCANCODE_SEMICOLON: return VirtualKey::Oem1;
    case SDL_SCANCODE_APOSTROPHE: return VirtualKey::Oem7;
    case SDL_SCANCODE_GRAVE: return VirtualKey::Oem3;
    case SDL_SCANCODE_COMMA: return VirtualKey::OemComma;
    case SDL_SCANCODE_PERIOD: return VirtualKey::OemPeriod;
    case SDL_SCANCODE_SLASH: return VirtualKey::Oem2;
    case SDL_SCANCODE_NONUSBACKSLASH: return VirtualKey::Oem102;
    case SDL_SCANCODE_CAPSLOCK: return VirtualKey::Capital;
    case SDL_SCANCODE_PRINTSCREEN: return VirtualKey::Snapshot;
    case SDL_SCANCODE_SCROLLLOCK: return VirtualKey::Scroll;
    case SDL_SCANCODE_PAUSE: return VirtualKey::Pause;
    case SDL_SCANCODE_INSERT: return VirtualKey::Insert;
    case SDL_SCANCODE_HOME: return VirtualKey::Home;
    case SDL_SCANCODE_PAGEUP: return VirtualKey::Prior;
    case SDL_SCANCODE_DELETE: return VirtualKey::Delete;
    case SDL_SCANCODE_END: return VirtualKey::End;
    case SDL_SCANCODE_PAGEDOWN: return VirtualKey::Next;
    case SDL_SCANCODE_RIGHT: return VirtualKey::Right;
    case SDL_SCANCODE_LEFT: return VirtualKey::Left;
    case SDL_SCANCODE_DOWN: return VirtualKey::Down;
    case SDL_SCANCODE_UP: return VirtualKey::Up;
    case SDL_SCANCODE_NUMLOCKCLEAR: return VirtualKey::NumLock;
    case SDL_SCANCODE_KP_DIVIDE: return VirtualKey::Divide;
    case SDL_SCANCODE_KP_MULTIPLY: return VirtualKey::Multiply;
    case SDL_SCANCODE_KP_MINUS: return VirtualKey::Subtract;
    case SDL_SCANCODE_KP_PLUS: return VirtualKey::Add;
    case SDL_SCANCODE_KP_PERIOD: return VirtualKey::Decimal;
    case SDL_SCANCODE_KP_COMMA: return VirtualKey::Separator;
    case SDL_SCANCODE_APPLICATION: return VirtualKey::Apps;
    case SDL_SCANCODE_EXECUTE: return VirtualKey::Execute;
    case SDL_SCANCODE_HELP: return VirtualKey::Help;
    case SDL_SCANCODE_SELECT: return VirtualKey::Select;
    case SDL_SCANCODE_MUTE: return VirtualKey::VolumeMute;
    case SDL_SCANCODE_VOLUMEUP: return VirtualKey::VolumeUp;
    case SDL_SCANCODE_VOLUMEDOWN: return VirtualKey::VolumeDown;
    case SDL_SCANCODE_LCTRL: return VirtualKey::LeftControl;
    case SDL_SCANCODE_LSHIFT: return VirtualKey::LeftShift;
    case SDL_SCANCODE_LALT: return VirtualKey::LeftMenu;
    case SDL_SCANCODE_LGUI: return VirtualKey::LeftWin;
    case SDL_SCANCODE_RCTRL: return VirtualKey::RightControl;
    case SDL_SCANCODE_RSHIFT: return VirtualKey::RightShift;
    case SDL_SCANCODE_RALT: return VirtualKey::RightMenu;
    case SDL_SCANCODE_RGUI: return VirtualKey::RightWin;
    case SDL_SCANCODE_AUDIONEXT: return VirtualKey::MediaNextTrack;
    case SDL_SCANCODE_AUDIOPREV: return VirtualKey::MediaPrevTrack;
    case SDL_SCANCODE_AUDIOSTOP: return VirtualKey::MediaStop;
    case SDL_SCANCODE_AUDIOPLAY: return VirtualKey::MediaPlayPause;
    case SDL_SCANCODE_AUDIOMUTE: return VirtualKey::VolumeMute;
    case SDL_SCANCODE_MEDIASELECT: return VirtualKey::LaunchMediaSelect;
    case SDL_SCANCODE_MAIL: return VirtualKey::LaunchMail;
    case SDL_SCANCODE_AC_SEARCH: return VirtualKey::BrowserSearch;
    case SDL_SCANCODE_AC_HOME: return VirtualKey::BrowserHome;
    case SDL_SCANCODE_AC_BACK: return VirtualKey::BrowserBack;
    case SDL_SCANCODE_AC_FORWARD: return VirtualKey::BrowserForward;
    case SDL_SCANCODE_AC_STOP: return VirtualKey::BrowserStop;
    case SDL_SCANCODE_AC_REFRESH: return VirtualKey::BrowserRefresh;
    case SDL_SCANCODE_AC_BOOKMARKS: return VirtualKey::BrowserFavorites;
    case SDL_SCANCODE_SLEEP: return VirtualKey::Sleep;
    case SDL_SCANCODE_APP1: return VirtualKey::LaunchApp1;
    case SDL_SCANCODE_APP2: return VirtualKey::LaunchApp2;
    default: return 0;
    }
}

void VirtualKeysFromSDL(const u8* scancodes, i32 count, u32 buttonMask, u8 (&keys)[VirtualKeyCount])
{
    std::fill(std::begin(keys), std::end(keys), u8{0});
    for (i32 scancode = 0; scancode < count; ++scancode)
    {
        const u8 key = scancodes[scancode] ? VirtualKeyFromScancode(scancode) : 0;
        if (key != 0)
        {
            keys[key] = KeyDownBit;
        }
    }
    keys[VirtualKey::Shift] = keys[VirtualKey::LeftShift] | keys[VirtualKey::RightShift];
    keys[VirtualKey::Control] = keys[VirtualKey::LeftControl] | keys[VirtualKey::RightControl];
    keys[VirtualKey::Menu] = keys[VirtualKey::LeftMenu] | keys[VirtualKey::RightMenu];

    keys[VirtualKey::LeftButton] = (buttonMask & SDL_BUTTON_LMASK) ? KeyDownBit : 0;
    keys[VirtualKey::RightButton] = (buttonMask & SDL_BUTTON_RMASK) ? KeyDownBit : 0;
    keys[VirtualKey::MiddleButton] = (buttonMask & SDL_BUTTON_MMASK) ? KeyDownBit : 0;
    keys[VirtualKey::XButton1] = (buttonMask & SDL_BUTTON_X1MASK) ? KeyDownBit : 0;
    keys[VirtualKey::XButton2] = (buttonMask & SDL_BUTTON_X2MASK) ? KeyDownBit : 0;
}

namespace
{
struct Presses
{
    u8 scancodes[SDL_NUM_SCANCODES] = {};
    u32 keyboardButtons = 0;
    u32 mouseButtons = 0;
};

// Main thread only, like the pump and the devices.
Presses& PendingPresses()
{
    static Presses presses;
    return presses;
}
}  // namespace

void NoteKeyDown(i32 scancode)
{
    if (scancode >= 0 && scancode < SDL_NUM_SCANCODES)
    {
        PendingPresses().scancodes[scancode] = 1;
    }
}

void NoteButtonDown(u8 button)
{
    if (button >= 1 && button <= 32)
    {
        PendingPresses().keyboardButtons |= SDL_BUTTON(button);
        PendingPresses().mouseButtons |= SDL_BUTTON(button);
    }
}

void TakeKeyPresses(u8 (&keys)[VirtualKeyCount])
{
    Presses& presses = PendingPresses();
    VirtualKeysFromSDL(presses.scancodes, SDL_NUM_SCANCODES, presses.keyboardButtons, keys);
    std::fill(std::begin(presses.scancodes), std::end(presses.scancodes), u8{0});
    presses.keyboardButtons = 0;
}

u8 TakeButtonPresses()
{
    Presses& presses = PendingPresses();
    const u8 buttons = ButtonBitsFromSDL(presses.mouseButtons);
    presses.mouseButtons = 0;
    return buttons;
}

u8 ButtonBitsFromSDL(u32 buttonMask)
{
    u8 result = 0;
    result |= (buttonMask & SDL_BUTTON_LMASK) ? ButtonBit::Left : 0;
    result |= (buttonMask & SDL_BUTTON_MMASK) ? ButtonBit::Middle : 0;
    result |= (buttonMask & SDL_BUTTON_RMASK) ? ButtonBit::Right : 0;
    return result;
}
}  // namespace Input
