#pragma once
// The main loop's message pump. Window events reach the callbacks of their PAL::Window; keyboard
// and mouse events only refresh the state that the input devices poll, and keep each press until
// the devices' next poll, so that a tap shorter than a frame is seen.

namespace PAL
{
// Handles every pending event. True once the queue is empty; false as soon as the quit message
// is taken (events queued before it are handled first, the quit itself is not).
bool PumpMessages();

// Queues the quit message.
void PostQuit();
}  // namespace PAL
