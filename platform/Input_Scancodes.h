#pragma once
// SDL reports keys by USB scancode, the position of the key on the keyboard, and mouse buttons by
// its own numbers; the engine keeps Win32 virtual-key codes. Letters, digits, function keys,
// numpad, OEM punctuation (US layout), navigation, left and right modifiers and media keys have a
// virtual key; the rest map to 0.
#include "core/Core_Types.h"
#include "platform/Input_KeyCodes.h"

namespace Input
{
u8 VirtualKeyFromScancode(i32 scancode);

// The virtual-key array the devices sample, from SDL's key array (one byte per scancode, non-zero
// while down) and its mouse button mask: every key that is down gets the top bit (0x80), the
// generic Shift, Control and Alt keys are down while their left or right key is, and the mouse
// buttons sit at virtual keys 1 (left), 2 (right), 4 (middle), 5 and 6 (the two side buttons).
void VirtualKeysFromSDL(const u8* scancodes, i32 count, u32 buttonMask, u8 (&keys)[VirtualKeyCount]);

// The left, middle and right buttons of an SDL button mask as ButtonBit flags.
u8 ButtonBitsFromSDL(u32 buttonMask);

// The keys and buttons the message pump saw go down (by SDL scancode and button number), kept
// until the system source hands them to the devices: SDL's key array and button mask show only
// what is down at the moment they are read, so a press released before the next poll would be
// lost. The keyboard's presses (keys and buttons, as virtual keys) and the mouse's (buttons) are
// taken apart and each taking empties its own.
void NoteKeyDown(i32 scancode);
void NoteButtonDown(u8 button);
void TakeKeyPresses(u8 (&keys)[VirtualKeyCount]);
u8 TakeButtonPresses();
}  // namespace Input
