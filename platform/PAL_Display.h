#pragma once
// Display modes of the primary display and the switch of a window into and out of a full-screen
// mode. The renderer's mode search and its diagnostic listing sit on top of these.
#include "core/Core_Memory.h"
#include "core/Core_Types.h"

namespace PAL
{
class Window;

struct DisplayMode
{
    u32 width = 0;
    u32 height = 0;
    u32 colorBits = 0;
    u32 refreshRate = 0;
};

// Appends every mode the primary display offers, in the system's order. Nothing without a display.
void EnumerateDisplayModes(Core::Vector<DisplayMode>& modes);
// The desktop mode; false without a display.
bool GetCurrentDisplayMode(DisplayMode& mode);
// Whether the display offers exactly this width and height (any depth and rate).
bool TestDisplayMode(const DisplayMode& mode);
// Puts the window into exclusive full screen at the mode; false when the system refuses.
bool EnterFullScreen(Window& window, const DisplayMode& mode);
// Back to a window and the desktop mode; false when the system refuses. The window's size and
// position are the caller's to set again: without a window manager nothing restores them.
bool LeaveFullScreen(Window& window);
}  // namespace PAL
