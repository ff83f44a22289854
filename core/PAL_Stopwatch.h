#pragma once

#include "core/Core_Types.h"

namespace PAL
{
// Millisecond stopwatch over Engine::GetTime. Reset (stopped, zero) or running.
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
    bool IsRunning() const { return running != 0; }

private:
    f64 start = 0.0;
    f64 stop = 0.0;
    u8 running = 0;
    u8 paused = 0;
};
} // namespace PAL
