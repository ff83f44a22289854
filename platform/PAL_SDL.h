#pragma once
// Start-up of the SDL subsystems the platform layer stands on. Each is started on first use and
// stays up for the rest of the process: windows come and go, the subsystems under them do not.

namespace PAL
{
// The event queue (message pump, quit message). Works without a display.
bool StartEvents();

// Video (windows, GL, display modes, cursor, keyboard state). False when there is no display;
// the answer is remembered, so a process without a display asks the system only once. Unless the
// user names a video driver (SDL_VIDEODRIVER), a driver that shows no window counts as no display.
bool StartVideo();

// Why video could not be started: which display could not be opened and how to set one. Empty
// while video works or was never asked for.
const char* GetVideoFailure();

// For a process forked from one that may have the display open: the connection it inherited is
// the parent's, and a request or read on it here would garble the parent's. The process leaves it
// alone from now on: no events are pumped, and video counts as unavailable.
void LeaveInheritedDisplay();

// Whether LeaveInheritedDisplay was called in this process.
bool HasLeftDisplay();
}  // namespace PAL
