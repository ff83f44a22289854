#pragma once

#include "core/Core_Types.h"

namespace PAL
{
// A clock source: milliseconds from an arbitrary origin; only differences are meaningful.
using TimeSource = f64 (*)();

// CLOCK_MONOTONIC in milliseconds; the default source.
f64 MonotonicTime();

// Replaces the process-wide clock source (null restores the monotonic clock); returns the previous
// one. Tests inject a fake clock through it.
TimeSource SetTimeSource(TimeSource source);
TimeSource GetTimeSource();

// A settable clock for tests: while it lives, Engine::GetTime returns its time (starting at the
// given value); the previous source comes back when it is destroyed. One at a time.
class ScopedFakeClock
{
public:
    explicit ScopedFakeClock(f64 startMilliseconds = 0.0);
    ~ScopedFakeClock();
    ScopedFakeClock(const ScopedFakeClock&) = delete;
    ScopedFakeClock& operator=(const ScopedFakeClock&) = delete;

    void Set(f64 milliseconds);
    void Advance(f64 milliseconds);
    f64 Get() const;

private:
    TimeSource previous;
};
} // namespace PAL

namespace Engine
{
// The current time in milliseconds from the process-wide clock source. Any thread may call it.
f64 GetTime();
} // namespace Engine
