#include "core/PAL_ThreadManager.h"
#include "tests/support/Support_Deadline.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace
{
// A thread that never ends fails its test at once instead of at CTest's time-out.
const bool deadlines = TestSupport::InstallTestDeadline(std::chrono::seconds(60));

struct Shared
{
    std::atomic<int> steps{0};
    std::atomic<int> order{0};
    std::atomic<int> firstAt{0};
    std::atomic<int> secondAt{0};
    std::atomic<bool> sleepResult{true};
    PAL::MutexHandle mutex = nullptr;
    PAL::ConditionHandle condition = nullptr;
    int counter = 0;
    bool ready = false;
    bool answered = false;
};

Shared& ArgumentOf(PAL::Thread* record)
{
    return *static_cast<Shared*>(record->argument);
}

void RecordFirst(PAL::Thread* record)
{
    ArgumentOf(record).firstAt = ++ArgumentOf(record).order;
}

void RecordSecond(PAL::Thread* record)
{
    ArgumentOf(record).secondAt = ++ArgumentOf(record).order;
}

void LoopUntilStopped(PAL::Thread* record)
{
    while (PAL::Thread::KeepRunning(record))
    {
        ++ArgumentOf(record).steps;
        PAL::Sleep(0, record);
    }
}

void SleepLong(PAL::Thread* record)
{
    ArgumentOf(record).sleepResult = PAL::Sleep(600000, record);
}

void CountUnderLock(PAL::Thread* record)
{
    Shared& shared = ArgumentOf(record);
    for (int i = 0; i < 20000; ++i)
    {
        PAL::ScopedMutexLock lock(shared.mutex);
        ++shared.counter;
    }
}

void AnswerWhenReady(PAL::Thread* record)
{
    Shared& shared = ArgumentOf(record);
    PAL::LockMutex(shared.mutex);
    while (!shared.ready)
        PAL::WaitCondition(shared.condition, shared.mutex);
    shared.answered = true;
    PAL::SignalCondition(shared.condition, 1);
    PAL::UnlockMutex(shared.mutex);
}

void StopItself(PAL::Thread* record)
{
    record->manager->StopThread(record, 0);
    ArgumentOf(record).sleepResult = PAL::Thread::KeepRunning(record);
}

void UseManagerMutexUntilStopped(PAL::Thread* record)
{
    Shared& shared = ArgumentOf(record);
    while (PAL::Thread::KeepRunning(record))
    {
        PAL::ScopedMutexLock lock(shared.mutex);
        ++shared.steps;
    }
}

TEST(ThreadManagerTest, RoutinesRunInOrderWithTheArgument)
{
    Shared shared;
    PAL::ThreadManager manager;
    PAL::Thread* record =
        manager.CreateThread(&RecordFirst, &RecordSecond, &shared, PAL::ThreadManager::GetPriorities().normal, 0);
    ASSERT_NE(record, nullptr);
    manager.StopThread(record, 0); // joins: both routines are done afterwards
    EXPECT_EQ(shared.firstAt, 1);
    EXPECT_EQ(shared.secondAt, 2);
    EXPECT_EQ(manager.GetThreadCount(), 0u);
}

TEST(ThreadManagerTest, EitherRoutineMayBeMissing)
{
    Shared shared;
    PAL::ThreadManager manager;
    PAL::Thread* onlySecond = manager.CreateThread(nullptr, &RecordSecond, &shared, 0, 1);
    ASSERT_NE(onlySecond, nullptr);
    PAL::Thread* none = manager.CreateThread(nullptr, nullptr, &shared, 0, 1);
    ASSERT_NE(none, nullptr);
    manager.StopAllThreads(0);
    EXPECT_EQ(shared.secondAt, 1);
    EXPECT_EQ(shared.firstAt, 0);
}

TEST(ThreadManagerTest, ThreadThatCannotStartGivesNullAndStaysUnregistered)
{
    Shared shared;
    PAL::ThreadManager manager;
    // An explicit priority outside the scheduler's range cannot be applied.
    const i32 invalid = PAL::ThreadManager::GetPriorities().highest + 1000;
    EXPECT_EQ(manager.CreateThread(&RecordFirst, nullptr, &shared, invalid, 0), nullptr);
    EXPECT_EQ(manager.GetThreadCount(), 0u);
    manager.StopAllThreads(0);
    EXPECT_EQ(shared.firstAt, 0) << "no routine ran";
}

TEST(ThreadManagerTest, StopEndsTheLoopAndSetsTheExitCode)
{
    Shared shared;
    PAL::ThreadManager manager;
    PAL::Thread* record = manager.CreateThread(&LoopUntilStopped, nullptr, &shared, 0, 0);
    ASSERT_NE(record, nullptr);
    while (shared.steps < 10)
        PAL::Sleep(0);
    EXPECT_EQ(record->exitCode, 0);
    manager.RequestStop(record, 1);
    EXPECT_EQ(record->stop, 1);
    manager.StopThread(record, 0);
    EXPECT_EQ(manager.GetThreadCount(), 0u);
}

TEST(ThreadManagerTest, StoppingAThreadThatAlreadyEndedIsHarmless)
{
    Shared shared;
    PAL::ThreadManager manager;
    PAL::Thread* record = manager.CreateThread(&RecordFirst, nullptr, &shared, 0, 0);
    ASSERT_NE(record, nullptr);
    while (!record->finished)
        PAL::Sleep(1);
    EXPECT_EQ(manager.GetThreadCount(), 1u) << "kept until joined";
    manager.StopThread(record, 1);
    manager.StopThread(record, 1);
    manager.StopThread(nullptr, 0);
    manager.RequestStop(nullptr, 0);
    EXPECT_EQ(manager.GetThreadCount(), 0u);
}

TEST(ThreadManagerTest, StopAllJoinsEveryThread)
{
    Shared shared;
    PAL::ThreadManager manager;
    std::vector<PAL::Thread*> records;
    for (int i = 0; i < 3; ++i)
        records.push_back(manager.CreateThread(&LoopUntilStopped, nullptr, &shared, 0, 0));
    records.push_back(manager.CreateThread(&SleepLong, nullptr, &shared, 0, 0));
    for (PAL::Thread* record : records)
        ASSERT_NE(record, nullptr);
    EXPECT_EQ(manager.GetThreadCount(), 4u);
    manager.StopAllThreads(1);
    EXPECT_EQ(manager.GetThreadCount(), 0u);
    EXPECT_FALSE(shared.sleepResult) << "the sliced sleep noticed the stop";
}

TEST(ThreadManagerTest, ThreadStoppingItselfIsOnlyAskedAndJoinedLater)
{
    Shared shared;
    PAL::ThreadManager manager;
    PAL::Thread* record = manager.CreateThread(&StopItself, nullptr, &shared, 0, 0);
    ASSERT_NE(record, nullptr);
    while (!record->finished)
        PAL::Sleep(1);
    EXPECT_FALSE(shared.sleepResult);
    EXPECT_EQ(record->exitCode, -1);
    EXPECT_EQ(manager.GetThreadCount(), 1u);
    manager.StopAllThreads(0);
    EXPECT_EQ(manager.GetThreadCount(), 0u);
}

TEST(ThreadManagerTest, DestroyingTheManagerJoinsThreadsBeforeItsLocksGo)
{
    Shared shared;
    {
        PAL::ThreadManager manager;
        shared.mutex = manager.CreateMutex(0);
        ASSERT_NE(shared.mutex, nullptr);
        ASSERT_NE(manager.CreateThread(&UseManagerMutexUntilStopped, nullptr, &shared, 0, 0), nullptr);
        ASSERT_NE(manager.CreateThread(&UseManagerMutexUntilStopped, nullptr, &shared, 0, 0), nullptr);
        while (shared.steps < 100)
            PAL::Sleep(0);
    }
    // Under the address sanitizer a thread still touching the destroyed mutex would be reported.
    const int stepsAfter = shared.steps;
    PAL::Sleep(5);
    EXPECT_EQ(shared.steps, stepsAfter);
}

TEST(ThreadManagerTest, PriorityLevelsAreOrdered)
{
    const PAL::ThreadPriorities& levels = PAL::ThreadManager::GetPriorities();
    EXPECT_LE(levels.lowest, levels.low);
    EXPECT_LE(levels.low, levels.normal);
    EXPECT_LE(levels.normal, levels.high);
    EXPECT_LE(levels.high, levels.highest);
    EXPECT_EQ(levels.normal, (levels.lowest + levels.highest) / 2);
}

TEST(SleepTest, ZeroMillisecondsReturnsTrueEvenWhenAStopIsPending)
{
    PAL::Thread record;
    PAL::ThreadManager manager;
    record.manager = &manager;
    record.stop = 1;
    EXPECT_TRUE(PAL::Sleep(0, &record));
    EXPECT_EQ(record.exitCode, 0);
    EXPECT_FALSE(PAL::Sleep(50, &record));
    EXPECT_EQ(record.exitCode, -1);
}

TEST(SleepTest, RecordWithoutManagerEndsTheSleep)
{
    PAL::Thread record;
    EXPECT_FALSE(PAL::Sleep(50, &record));
    EXPECT_FALSE(PAL::Thread::KeepRunning(&record));
    EXPECT_FALSE(PAL::Thread::KeepRunning(nullptr));
    EXPECT_TRUE(PAL::Sleep(1));
    EXPECT_TRUE(PAL::Sleep(1, nullptr));
}

TEST(SleepTest, UninterruptedSleepReturnsTrue)
{
    PAL::Thread record;
    PAL::ThreadManager manager;
    record.manager = &manager;
    EXPECT_TRUE(PAL::Sleep(3, &record));
    EXPECT_TRUE(PAL::Thread::KeepRunning(&record));
}

TEST(LockTest, MutexSerialisesManyThreads)
{
    Shared shared;
    PAL::ThreadManager manager;
    shared.mutex = manager.CreateMutex(0);
    ASSERT_NE(shared.mutex, nullptr);
    for (int i = 0; i < 4; ++i)
        ASSERT_NE(manager.CreateThread(&CountUnderLock, nullptr, &shared, 0, 0), nullptr);
    manager.StopAllThreads(0);
    EXPECT_EQ(shared.counter, 4 * 20000);
}

TEST(LockTest, RecursiveMutexTypeIsHonoured)
{
    PAL::ThreadManager manager;
    PAL::MutexHandle mutex = manager.CreateMutex(PTHREAD_MUTEX_RECURSIVE);
    ASSERT_NE(mutex, nullptr);
    EXPECT_TRUE(PAL::LockMutex(mutex));
    EXPECT_TRUE(PAL::LockMutex(mutex));
    EXPECT_TRUE(PAL::UnlockMutex(mutex));
    EXPECT_TRUE(PAL::UnlockMutex(mutex));
    EXPECT_EQ(manager.CreateMutex(-12345), nullptr) << "an invalid type fails";
}

TEST(LockTest, ReadLocksExcludeWriters)
{
    PAL::ThreadManager manager;
    PAL::RWLockHandle lock = manager.CreateRWLock();
    ASSERT_NE(lock, nullptr);
    EXPECT_TRUE(PAL::ReadLock(lock));
    EXPECT_TRUE(PAL::ReadLock(lock)) << "readers share";
    std::atomic<bool> writerGotIt{true};
    std::thread writer([&] { writerGotIt = PAL::TryWriteLock(lock); });
    writer.join();
    EXPECT_FALSE(writerGotIt);
    EXPECT_TRUE(PAL::UnlockRWLock(lock));
    EXPECT_TRUE(PAL::UnlockRWLock(lock));
    EXPECT_TRUE(PAL::TryWriteLock(lock));
    EXPECT_TRUE(PAL::UnlockRWLock(lock));
    EXPECT_TRUE(PAL::WriteLock(lock));
    EXPECT_TRUE(PAL::UnlockRWLock(lock));
    manager.DestroyRWLock(lock);
}

TEST(LockTest, ConditionHandsOverBetweenThreads)
{
    Shared shared;
    PAL::ThreadManager manager;
    shared.mutex = manager.CreateMutex(0);
    shared.condition = manager.CreateCondition();
    ASSERT_NE(shared.condition, nullptr);
    ASSERT_NE(manager.CreateThread(&AnswerWhenReady, nullptr, &shared, 0, 0), nullptr);
    PAL::LockMutex(shared.mutex);
    shared.ready = true;
    EXPECT_TRUE(PAL::SignalCondition(shared.condition, 0));
    while (!shared.answered)
        EXPECT_TRUE(PAL::WaitCondition(shared.condition, shared.mutex));
    PAL::UnlockMutex(shared.mutex);
    manager.StopAllThreads(0);
    EXPECT_TRUE(shared.answered);
}

TEST(LockTest, TimedWaitGivesUp)
{
    PAL::ThreadManager manager;
    PAL::MutexHandle mutex = manager.CreateMutex(0);
    PAL::ConditionHandle condition = manager.CreateCondition();
    PAL::LockMutex(mutex);
    EXPECT_FALSE(PAL::WaitConditionFor(condition, mutex, 1));
    EXPECT_TRUE(PAL::UnlockMutex(mutex));
    EXPECT_FALSE(PAL::WaitConditionFor(condition, nullptr, 1));
}

TEST(LockTest, NullHandlesGiveFalse)
{
    EXPECT_FALSE(PAL::LockMutex(nullptr));
    EXPECT_FALSE(PAL::UnlockMutex(nullptr));
    EXPECT_FALSE(PAL::ReadLock(nullptr));
    EXPECT_FALSE(PAL::WriteLock(nullptr));
    EXPECT_FALSE(PAL::TryWriteLock(nullptr));
    EXPECT_FALSE(PAL::UnlockRWLock(nullptr));
    EXPECT_FALSE(PAL::SignalCondition(nullptr, 1));
    PAL::ThreadManager manager;
    PAL::ConditionHandle condition = manager.CreateCondition();
    EXPECT_FALSE(PAL::WaitCondition(condition, nullptr));
    EXPECT_FALSE(PAL::WaitCondition(nullptr, manager.CreateMutex(0)));
    PAL::ScopedMutexLock tolerated(nullptr);
}

TEST(LockTest, DestroyingHeldOrForeignHandles)
{
    PAL::ThreadManager manager;
    PAL::ThreadManager other;
    PAL::MutexHandle held = manager.CreateMutex(0);
    PAL::MutexHandle foreign = other.CreateMutex(0);
    EXPECT_TRUE(PAL::LockMutex(held));
    manager.DestroyMutex(held); // released first, then destroyed
    manager.DestroyMutex(foreign);
    manager.DestroyMutex(nullptr);
    EXPECT_TRUE(PAL::LockMutex(foreign)) << "another manager's mutex is left alone";
    EXPECT_TRUE(PAL::UnlockMutex(foreign));
    PAL::ConditionHandle condition = manager.CreateCondition();
    manager.DestroyCondition(condition);
    manager.DestroyCondition(condition);
    manager.Shutdown();
    manager.Shutdown();
}
} // namespace
