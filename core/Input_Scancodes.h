#pragma once
// SDL reports keys by USB scancode, the position of the key on the keyboard; the engine keeps
// Win32 virtual-key codes. Letters, digits, function keys, numpad, OEM punctuation (US layout),
// navigation, left and right modifiers and media keys have a virtual key; the rest map to 0.
#include "core/Core_Types.h"

namespace Input
{
u8 VirtualKeyFromScancode(i32 scancode);
}  // namespace Input
