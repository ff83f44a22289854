#include "core/Core_Startup.h"
#include "core/PAL_Clock.h"
#include "core/PAL_Stopwatch.h"

#include <gtest/gtest.h>

namespace
{
f64 FixedTime()
{
    return 1234.5;
}

TEST(ClockTest, MonotonicClockNeverGoesBack)
{
    f64 previous = PAL::MonotonicTime();
    for (int i = 0; i < 1000; ++i)
    {
        const f64 now = PAL::MonotonicTime();
        EXPECT_GE(now, previous);
        previous = now;
    }
}

TEST(ClockTest, TimeSourceIsReplaceableAndRestorable)
{
    EXPECT_EQ(PAL::GetTimeSource(), &PAL::MonotonicTime);
    PAL::TimeSource previous = PAL::SetTimeSource(&FixedTime);
    EXPECT_EQ(previous, &PAL::MonotonicTime);
    EXPECT_EQ(Engine::GetTime(), 1234.5);
    PAL::SetTimeSource(nullptr);
    EXPECT_EQ(PAL::GetTimeSource(), &PAL::MonotonicTime);
}

TEST(ClockTest, FakeClockDrivesEngineTimeWhileItLives)
{
    {
        PAL::ScopedFakeClock clock(100.0);
        EXPECT_EQ(Engine::GetTime(), 100.0);
        clock.Advance(16.5);
        EXPECT_EQ(Engine::GetTime(), 116.5);
        clock.Set(5.0);
        EXPECT_EQ(Engine::GetTime(), 5.0);
    }
    EXPECT_EQ(PAL::GetTimeSource(), &PAL::MonotonicTime);
}

TEST(StopwatchTest, NewAndResetStopwatchesReportZero)
{
    PAL::ScopedFakeClock clock(1000.0);
    PAL::Stopwatch watch;
    EXPECT_EQ(watch.GetElapsed(), 0.0);
    EXPECT_FALSE(watch.IsRunning());
    watch.Start();
    clock.Advance(40.0);
    watch.Reset();
    EXPECT_EQ(watch.GetElapsed(), 0.0);
    clock.Advance(40.0);
    EXPECT_EQ(watch.GetElapsed(), 0.0);
}

TEST(StopwatchTest, ElapsedFollowsTheClockFromStart)
{
    PAL::ScopedFakeClock clock(500.0);
    PAL::Stopwatch watch;
    watch.Start();
    EXPECT_EQ(watch.GetElapsed(), 0.0);
    clock.Advance(16.25);
    EXPECT_EQ(watch.GetElapsed(), 16.25);
    clock.Advance(0.75);
    EXPECT_EQ(watch.GetElapsed(), 17.0);
}

TEST(StopwatchTest, StartingTwiceKeepsTheFirstStart)
{
    PAL::ScopedFakeClock clock(0.0);
    PAL::Stopwatch watch;
    watch.Start();
    clock.Advance(10.0);
    watch.Start();
    clock.Advance(5.0);
    EXPECT_EQ(watch.GetElapsed(), 15.0);
    watch.Reset();
    watch.Start();
    clock.Advance(2.0);
    EXPECT_EQ(watch.GetElapsed(), 2.0) << "a stopped stopwatch takes a fresh start";
}

TEST(StartupGuardTest, OnlyTheOutermostGuardCounts)
{
    const u32 before = Core::StartupGuard::GetNesting();
    {
        Core::StartupGuard outer;
        {
            Core::StartupGuard inner;
            EXPECT_EQ(Core::StartupGuard::GetNesting(), before + 2);
        }
        EXPECT_EQ(Core::StartupGuard::GetNesting(), before + 1);
    }
    EXPECT_EQ(Core::StartupGuard::GetNesting(), before);
}
} // namespace
