#pragma once

#include "core/Core_Types.h"

#include <atomic>
#include <list>
#include <mutex>
#include <pthread.h>

namespace PAL
{
class ThreadManager;
struct Thread;

// A thread routine reads its argument from the record and loops on Thread::KeepRunning.
using ThreadRoutine = void (*)(Thread* record);
using MutexHandle = pthread_mutex_t*;
using RWLockHandle = pthread_rwlock_t*;
using ConditionHandle = pthread_cond_t*;

// Record of one thread started by a ThreadManager. It lives until the thread has been joined.
struct Thread
{
    pthread_t thread{};
    ThreadRoutine first = nullptr;  // run first; may be null
    ThreadRoutine second = nullptr; // run after the first returns; may be null
    void* argument = nullptr;
    ThreadManager* manager = nullptr;
    std::atomic<u8> stop{0};
    std::atomic<i32> exitCode{0};
    std::atomic<bool> finished{false}; // set when both routines have returned

    // True while no stop was asked for; otherwise sets the exit code to -1 and gives false.
    static bool KeepRunning(Thread* record);
};

// Scheduling priorities of SCHED_OTHER, computed once: normal is the midpoint of lowest and
// highest, low and high the midpoints either side of it.
struct ThreadPriorities
{
    i32 lowest;
    i32 low;
    i32 normal;
    i32 high;
    i32 highest;
};

// Starts threads with a cooperative stop flag and owns the mutexes, read-write locks and
// conditions it creates. Stopping a thread asks it to stop and joins it before its record is
// freed; destroying the manager stops and joins every thread first, then destroys what is left
// of its locks, so no thread outlives the locks and data it uses.
class ThreadManager
{
public:
    ThreadManager();
    ~ThreadManager();
    ThreadManager(const ThreadManager&) = delete;
    ThreadManager& operator=(const ThreadManager&) = delete;

    static const ThreadPriorities& GetPriorities();

    // Null when the thread cannot be started. inherit: take the creator's scheduling instead of
    // the given priority.
    Thread* CreateThread(ThreadRoutine first, ThreadRoutine second, void* argument, i32 priority, u8 inherit);
    // Asks the thread to stop (lower: drop it to the lowest priority) without waiting.
    void RequestStop(Thread* record, u8 lower);
    // Asks every thread of this manager to stop, without waiting.
    void RequestStopAll(u8 lower);
    // Asks the thread to stop, waits for its routines to return and frees its record. A record that
    // is not (or no longer) registered here is left alone; a thread stopping itself is only asked.
    void StopThread(Thread* record, u8 lower);
    // Stops and joins every thread of this manager (the calling thread itself is only asked).
    void StopAllThreads(u8 lower);
    // Number of threads started here and not yet joined.
    u32 GetThreadCount() const;

    // type: a pthread mutex type (0 normal). Null when creation fails.
    MutexHandle CreateMutex(i32 type);
    RWLockHandle CreateRWLock();
    ConditionHandle CreateCondition();
    // Null or a handle of another manager: nothing.
    void DestroyMutex(MutexHandle mutex);
    void DestroyRWLock(RWLockHandle lock);
    void DestroyCondition(ConditionHandle condition);

    // Stops and joins every thread, then destroys the remaining locks and conditions. Run by the
    // destructor; a second call does nothing more.
    void Shutdown();

private:
    static void* ThreadEntry(void* record);
    bool Unregister(Thread* record);
    static void Join(Thread* record);

    mutable std::mutex guard; // guards every list below
    std::list<Thread*> threads;
    std::list<pthread_mutex_t> mutexes;
    std::list<pthread_rwlock_t> rwLocks;
    std::list<pthread_cond_t> conditions;
};

// Null-tolerant wrappers: false for a null handle, true when the pthread call succeeds.
bool LockMutex(MutexHandle mutex);
bool UnlockMutex(MutexHandle mutex);
bool ReadLock(RWLockHandle lock);
bool WriteLock(RWLockHandle lock);
bool TryWriteLock(RWLockHandle lock);
bool UnlockRWLock(RWLockHandle lock);
bool SignalCondition(ConditionHandle condition, u8 all);
// False when either handle is null.
bool WaitCondition(ConditionHandle condition, MutexHandle mutex);
// As WaitCondition, giving up after milliseconds (false on time-out).
bool WaitConditionFor(ConditionHandle condition, MutexHandle mutex, u32 milliseconds);

// Holds a mutex for a scope (a null handle is tolerated).
class ScopedMutexLock
{
public:
    explicit ScopedMutexLock(MutexHandle mutex) : mutex(mutex) { LockMutex(mutex); }
    ~ScopedMutexLock() { UnlockMutex(mutex); }
    ScopedMutexLock(const ScopedMutexLock&) = delete;
    ScopedMutexLock& operator=(const ScopedMutexLock&) = delete;

private:
    MutexHandle mutex;
};

// Without a record (or for 0 ms): sleeps ms (0 yields) and gives true. With a record: sleeps in
// 1 ms slices of real time and gives false (exit code -1) as soon as a stop is asked for.
bool Sleep(u32 milliseconds, Thread* record = nullptr);
} // namespace PAL
