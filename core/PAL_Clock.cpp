#include "core/PAL_Clock.h"

#include <atomic>
#include <time.h>

namespace PAL
{
namespace
{
std::atomic<TimeSource> timeSource{&MonotonicTime};
std::atomic<f64> fakeTime{0.0};

f64 FakeTime()
{
    return fakeTime.load(std::memory_order_relaxed);
}
} // namespace

f64 MonotonicTime()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return f64(now.tv_sec) * 1000.0 + f64(now.tv_nsec) / 1000000.0;
}

TimeSource SetTimeSource(TimeSource source)
{
    return timeSource.exchange(source ? source : &MonotonicTime);
}

TimeSource GetTimeSource()
{
    return timeSource.load();
}

ScopedFakeClock::ScopedFakeClock(f64 startMilliseconds)
{
    fakeTime.store(startMilliseconds);
    previous = SetTimeSource(&FakeTime);
}

ScopedFakeClock::~ScopedFakeClock()
{
    SetTimeSource(previous);
}

void ScopedFakeClock::Set(f64 milliseconds)
{
    fakeTime.store(milliseconds);
}

void ScopedFakeClock::Advance(f64 milliseconds)
{
    fakeTime.store(fakeTime.load() + milliseconds);
}

f64 ScopedFakeClock::Get() const
{
    return fakeTime.load();
}
} // namespace PAL

namespace Engine
{
f64 GetTime()
{
    return PAL::timeSource.load(std::memory_order_relaxed)();
}
} // namespace Engine
