#pragma once
// The engine's message box with its own button flags. It never blocks an automated run: when the
// environment variable MORVANE_NO_MESSAGE_BOX is set, or there is no display, the title and text go
// to standard error and the box's default button is taken.
#include "core/Core_String.h"
#include "core/Core_Types.h"

namespace PAL
{
// One bit per button; a button set is the sum of its flags. Abort has no bit: the
// Abort/Retry/Ignore box is asked for with Retry + Ignore, and a press of Abort reports 0.
struct MessageBoxButton
{
    static constexpr u32 Cancel = 2;
    static constexpr u32 Continue = 4;
    static constexpr u32 Ignore = 8;
    static constexpr u32 No = 16;
    static constexpr u32 Ok = 32;
    static constexpr u32 Retry = 64;
    static constexpr u32 TryAgain = 128;
    static constexpr u32 Yes = 256;
};

// Any other kind shows no icon.
struct MessageBoxKind
{
    static constexpr i32 Information = 1;
    static constexpr i32 Warning = 2;
    static constexpr i32 Error = 3;
    static constexpr i32 Question = 4;
};

// Button sets: Ok + Cancel, Retry + Ignore (with Abort), Yes + No + Cancel, Yes + No,
// Retry + Cancel and TryAgain + Continue + Cancel have boxes of their own; any other set shows a
// plain OK box. Returns the flag of the pressed button.
u32 ShowMessageBox(const Core::String& title, const Core::String& text, i32 kind, u32 buttons);
}  // namespace PAL
