#pragma once

#include "core/Core_Types.h"

namespace PAL
{
// Millisecond stopwatch over Engine::GetTime. Reset (stopped, zero) or running; there is no pause,
// so a stopwatch that is not running always reports 0.
class Stopwatch
{
public:
    Stopwatch() = default;

    // Takes a fresh start time; nothing while already running.
    void Start();
    // Stopped, zero elapsed.
    void Reset();
    // Milliseconds since Start while running; 0 otherwise.
    f64 GetElapsed() const;
    bool IsRunning() const { return running; }

private:
    f64 start = 0.0;
    bool running = false;
};
} // namespace PAL
