#pragma once
// Engine key codes and the key record. The engine names keys by 196 codes that number the Win32
// virtual-key constants in the order the Windows SDK declares them (aliases included); inside,
// keys live in 256 records indexed by virtual-key code, which is what records and replays store.
#include "core/Core_Types.h"

namespace Input
{
// The five flags of one key or button (one byte each, in this order in every stream form).
struct KeyState
{
    u8 pressed = 0;    // down now
    u8 triggered = 0;  // went down in this update
    u8 held = 0;       // was down at this update (remembered for the next)
    u8 down = 0;       // went down in this update (set with triggered)
    u8 released = 0;   // went up in this update

    bool IsClear() const { return (pressed | triggered | held | down | released) == 0; }
    bool operator==(const KeyState&) const = default;
};
static_assert(sizeof(KeyState) == 5);

// One sampling step of a record, the same for keys and mouse buttons. A first down update sets
// triggered, held and down; a held update clears triggered and down; an up update sets released
// from held and clears the rest. True when the key gets an event: it is down, or went up now.
bool ApplySample(KeyState& record, bool down);

constexpr u32 EngineKeyCount = 196;
constexpr u32 VirtualKeyCount = 256;

// The virtual key of an engine key code; 0 (no key) for codes beyond the table.
u8 VirtualKeyOf(u32 engineKey);

// Engine codes the devices themselves name.
namespace EngineKey
{
constexpr u32 Tab = 7;
constexpr u32 Return = 9;
constexpr u32 Escape = 22;
constexpr u32 Space = 27;
constexpr u32 Digit0 = 43;
constexpr u32 Digit9 = 52;
constexpr u32 LetterA = 53;
constexpr u32 LetterZ = 78;
constexpr u32 Numpad0 = 83;
constexpr u32 Numpad9 = 92;
constexpr u32 Multiply = 93;
constexpr u32 Add = 94;
constexpr u32 Subtract = 96;
constexpr u32 Decimal = 97;
constexpr u32 Divide = 98;
constexpr u32 LeftShift = 131;
constexpr u32 RightShift = 132;
constexpr u32 Oem1 = 155;
constexpr u32 Oem7 = 165;
}  // namespace EngineKey

// Virtual-key codes the platform layer maps to.
namespace VirtualKey
{
constexpr u8 LeftButton = 0x01;
constexpr u8 RightButton = 0x02;
constexpr u8 MiddleButton = 0x04;
constexpr u8 XButton1 = 0x05;
constexpr u8 XButton2 = 0x06;
constexpr u8 Back = 0x08;
constexpr u8 Tab = 0x09;
constexpr u8 Return = 0x0D;
constexpr u8 Shift = 0x10;
constexpr u8 Control = 0x11;
constexpr u8 Menu = 0x12;
constexpr u8 Pause = 0x13;
constexpr u8 Capital = 0x14;
constexpr u8 Escape = 0x1B;
constexpr u8 Space = 0x20;
constexpr u8 Prior = 0x21;
constexpr u8 Next = 0x22;
constexpr u8 End = 0x23;
constexpr u8 Home = 0x24;
constexpr u8 Left = 0x25;
constexpr u8 Up = 0x26;
constexpr u8 Right = 0x27;
constexpr u8 Down = 0x28;
constexpr u8 Select = 0x29;
constexpr u8 Execute = 0x2B;
constexpr u8 Snapshot = 0x2C;
constexpr u8 Insert = 0x2D;
constexpr u8 Delete = 0x2E;
constexpr u8 Help = 0x2F;
constexpr u8 Digit0 = 0x30;
constexpr u8 LetterA = 0x41;
constexpr u8 LeftWin = 0x5B;
constexpr u8 RightWin = 0x5C;
constexpr u8 Apps = 0x5D;
constexpr u8 Sleep = 0x5F;
constexpr u8 Numpad0 = 0x60;
constexpr u8 Multiply = 0x6A;
constexpr u8 Add = 0x6B;
constexpr u8 Separator = 0x6C;
constexpr u8 Subtract = 0x6D;
constexpr u8 Decimal = 0x6E;
constexpr u8 Divide = 0x6F;
constexpr u8 F1 = 0x70;
constexpr u8 F13 = 0x7C;
constexpr u8 NumLock = 0x90;
constexpr u8 Scroll = 0x91;
constexpr u8 LeftShift = 0xA0;
constexpr u8 RightShift = 0xA1;
constexpr u8 LeftControl = 0xA2;
constexpr u8 RightControl = 0xA3;
constexpr u8 LeftMenu = 0xA4;
constexpr u8 RightMenu = 0xA5;
constexpr u8 BrowserBack = 0xA6;
constexpr u8 BrowserForward = 0xA7;
constexpr u8 BrowserRefresh = 0xA8;
constexpr u8 BrowserStop = 0xA9;
constexpr u8 BrowserSearch = 0xAA;
constexpr u8 BrowserFavorites = 0xAB;
constexpr u8 BrowserHome = 0xAC;
constexpr u8 VolumeMute = 0xAD;
constexpr u8 VolumeDown = 0xAE;
constexpr u8 VolumeUp = 0xAF;
constexpr u8 MediaNextTrack = 0xB0;
constexpr u8 MediaPrevTrack = 0xB1;
constexpr u8 MediaStop = 0xB2;
constexpr u8 MediaPlayPause = 0xB3;
constexpr u8 LaunchMail = 0xB4;
constexpr u8 LaunchMediaSelect = 0xB5;
constexpr u8 LaunchApp1 = 0xB6;
constexpr u8 LaunchApp2 = 0xB7;
constexpr u8 Oem1 = 0xBA;       // ;:
constexpr u8 OemPlus = 0xBB;    // =+
constexpr u8 OemComma = 0xBC;   // ,<
constexpr u8 OemMinus = 0xBD;   // -_
constexpr u8 OemPeriod = 0xBE;  // .>
constexpr u8 Oem2 = 0xBF;       // /?
constexpr u8 Oem3 = 0xC0;       // `~
constexpr u8 Oem4 = 0xDB;       // [{
constexpr u8 Oem5 = 0xDC;       // \|
constexpr u8 Oem6 = 0xDD;       // ]}
constexpr u8 Oem7 = 0xDE;       // '"
constexpr u8 Oem102 = 0xE2;     // the extra key beside the left Shift on ISO keyboards
}  // namespace VirtualKey
}  // namespace Input
