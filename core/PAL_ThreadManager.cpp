#include "core/PAL_ThreadManager.h"

#include "core/PAL_Clock.h"

#include <algorithm>
#include <sched.h>
#include <time.h>

namespace PAL
{
namespace
{
void SleepMilliseconds(f64 milliseconds)
{
    timespec duration;
    duration.tv_sec = static_cast<time_t>(milliseconds / 1000.0);
    duration.tv_nsec = static_cast<long>((milliseconds - f64(duration.tv_sec) * 1000.0) * 1000000.0);
    while (nanosleep(&duration, &duration) != 0)
    {
    }
}

ThreadPriorities ComputePriorities()
{
    ThreadPriorities levels;
    levels.lowest = sched_get_priority_min(SCHED_OTHER);
    levels.highest = sched_get_priority_max(SCHED_OTHER);
    levels.normal = (levels.lowest + levels.highest) / 2;
    levels.low = levels.lowest + (levels.normal - levels.lowest) / 2;
    levels.high = levels.normal + (levels.highest - levels.normal) / 2;
    return levels;
}

void LowerPriority(const Thread* record)
{
    sched_param parameter{};
    parameter.sched_priority = ThreadManager::GetPriorities().lowest;
    pthread_setschedparam(record->thread, SCHED_OTHER, &parameter);
}

// A mutex still held by the caller is released before it is destroyed.
void ReleaseMutex(pthread_mutex_t* mutex)
{
    pthread_mutex_trylock(mutex);
    pthread_mutex_unlock(mutex);
    pthread_mutex_destroy(mutex);
}

void ReleaseRWLock(pthread_rwlock_t* lock)
{
    pthread_rwlock_trywrlock(lock);
    pthread_rwlock_unlock(lock);
    pthread_rwlock_destroy(lock);
}

// Waiters are woken before the condition goes.
void ReleaseCondition(pthread_cond_t* condition)
{
    pthread_cond_broadcast(condition);
    pthread_cond_destroy(condition);
}

// Appends a node and initialises it in place (init gives 0 on success); a node that fails to
// initialise is removed again and null returned.
template <class T, class Init>
T* AddNode(std::list<T>& nodes, Init init)
{
    nodes.emplace_back();
    if (init(&nodes.back()) != 0)
    {
        nodes.pop_back();
        return nullptr;
    }
    return &nodes.back();
}

// Releases and removes the node that holds handle; a handle of no node here is left alone.
template <class T>
void EraseNode(std::list<T>& nodes, T* handle, void (*release)(T*))
{
    auto found = std::find_if(nodes.begin(), nodes.end(), [handle](T& node) { return &node == handle; });
    if (found == nodes.end())
        return;
    release(handle);
    nodes.erase(found);
}

template <class T>
void ReleaseAll(std::list<T>& nodes, void (*release)(T*))
{
    for (T& node : nodes)
        release(&node);
    nodes.clear();
}
} // namespace

bool Thread::KeepRunning(Thread* record)
{
    if (!record)
        return false;
    if (record->stop.load() == 0 && record->manager)
        return true;
    record->exitCode.store(-1);
    return false;
}

ThreadManager::ThreadManager()
{
    GetPriorities();
}

ThreadManager::~ThreadManager()
{
    Shutdown();
}

const ThreadPriorities& ThreadManager::GetPriorities()
{
    static const ThreadPriorities levels = ComputePriorities();
    return levels;
}

void* ThreadManager::ThreadEntry(void* argument)
{
    Thread* record = static_cast<Thread*>(argument);
    if (record->first)
        record->first(record);
    if (record->second)
        record->second(record);
    record->finished.store(true);
    return nullptr;
}

Thread* ThreadManager::CreateThread(ThreadRoutine first, ThreadRoutine second, void* argument, i32 priority, u8 inherit)
{
    Thread* record = new Thread;
    record->first = first;
    record->second = second;
    record->argument = argument;
    record->manager = this;

    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0)
    {
        delete record;
        return nullptr;
    }
    sched_param parameter{};
    parameter.sched_priority = priority;
    const bool configured =
        pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_JOINABLE) == 0 &&
        pthread_attr_setschedpolicy(&attributes, SCHED_OTHER) == 0 &&
        pthread_attr_setschedparam(&attributes, &parameter) == 0 &&
        pthread_attr_setinheritsched(&attributes, inherit ? PTHREAD_INHERIT_SCHED : PTHREAD_EXPLICIT_SCHED) == 0;
    bool started = false;
    if (configured)
    {
        // Registered and started under the guard, so a stop request can never see the record
        // before its thread identity is written.
        std::lock_guard<std::mutex> lock(guard);
        threads.push_back(record);
        started = pthread_create(&record->thread, &attributes, &ThreadEntry, record) == 0;
        if (!started)
            threads.pop_back();
    }
    pthread_attr_destroy(&attributes);
    if (!started)
    {
        delete record;
        return nullptr;
    }
    return record;
}

void ThreadManager::RequestStop(Thread* record, u8 lower)
{
    std::lock_guard<std::mutex> lock(guard);
    if (!record || std::find(threads.begin(), threads.end(), record) == threads.end())
        return;
    record->stop.store(1);
    if (lower)
        LowerPriority(record);
}

void ThreadManager::RequestStopAll(u8 lower)
{
    std::lock_guard<std::mutex> lock(guard);
    for (Thread* record : threads)
    {
        record->stop.store(1);
        if (lower)
            LowerPriority(record);
    }
}

bool ThreadManager::Unregister(Thread* record)
{
    auto found = std::find(threads.begin(), threads.end(), record);
    if (found == threads.end())
        return false;
    threads.erase(found);
    return true;
}

void ThreadManager::Join(Thread* record)
{
    pthread_join(record->thread, nullptr);
    delete record;
}

void ThreadManager::StopThread(Thread* record, u8 lower)
{
    {
        std::lock_guard<std::mutex> lock(guard);
        if (!record || std::find(threads.begin(), threads.end(), record) == threads.end())
            return;
        record->stop.store(1);
        if (lower)
            LowerPriority(record);
        // A thread cannot join itself: it stays registered and is joined by a later stop.
        if (pthread_equal(record->thread, pthread_self()))
            return;
        Unregister(record);
    }
    Join(record);
}

void ThreadManager::StopAllThreads(u8 lower)
{
    std::list<Thread*> stopping;
    {
        std::lock_guard<std::mutex> lock(guard);
        for (Thread* record : threads)
        {
            record->stop.store(1);
            if (lower)
                LowerPriority(record);
        }
        for (auto it = threads.begin(); it != threads.end();)
        {
            auto next = std::next(it);
            if (!pthread_equal((*it)->thread, pthread_self()))
                stopping.splice(stopping.end(), threads, it);
            it = next;
        }
    }
    for (Thread* record : stopping)
        Join(record);
}

u32 ThreadManager::GetThreadCount() const
{
    std::lock_guard<std::mutex> lock(guard);
    return static_cast<u32>(threads.size());
}

MutexHandle ThreadManager::CreateMutex(i32 type)
{
    pthread_mutexattr_t attributes;
    if (pthread_mutexattr_init(&attributes) != 0)
        return nullptr;
    MutexHandle mutex = nullptr;
    if (pthread_mutexattr_settype(&attributes, type) == 0)
    {
        std::lock_guard<std::mutex> lock(guard);
        mutex = AddNode(mutexes, [&](pthread_mutex_t* node) { return pthread_mutex_init(node, &attributes); });
    }
    pthread_mutexattr_destroy(&attributes);
    return mutex;
}

RWLockHandle ThreadManager::CreateRWLock()
{
    std::lock_guard<std::mutex> lock(guard);
    return AddNode(rwLocks, [](pthread_rwlock_t* node) { return pthread_rwlock_init(node, nullptr); });
}

ConditionHandle ThreadManager::CreateCondition()
{
    pthread_condattr_t attributes;
    if (pthread_condattr_init(&attributes) != 0)
        return nullptr;
    ConditionHandle condition = nullptr;
    // Timed waits count on the monotonic clock, immune to changes of the wall clock.
    if (pthread_condattr_setclock(&attributes, CLOCK_MONOTONIC) == 0)
    {
        std::lock_guard<std::mutex> lock(guard);
        condition = AddNode(conditions, [&](pthread_cond_t* node) { return pthread_cond_init(node, &attributes); });
    }
    pthread_condattr_destroy(&attributes);
    return condition;
}

void ThreadManager::DestroyMutex(MutexHandle mutex)
{
    std::lock_guard<std::mutex> lock(guard);
    EraseNode(mutexes, mutex, &ReleaseMutex);
}

void ThreadManager::DestroyRWLock(RWLockHandle rwLock)
{
    std::lock_guard<std::mutex> lock(guard);
    EraseNode(rwLocks, rwLock, &ReleaseRWLock);
}

void ThreadManager::DestroyCondition(ConditionHandle condition)
{
    std::lock_guard<std::mutex> lock(guard);
    EraseNode(conditions, condition, &ReleaseCondition);
}

void ThreadManager::Shutdown()
{
    StopAllThreads(0);
    std::lock_guard<std::mutex> lock(guard);
    ReleaseAll(mutexes, &ReleaseMutex);
    ReleaseAll(rwLocks, &ReleaseRWLock);
    ReleaseAll(conditions, &ReleaseCondition);
}

bool LockMutex(MutexHandle mutex)
{
    return mutex && pthread_mutex_lock(mutex) == 0;
}

bool UnlockMutex(MutexHandle mutex)
{
    return mutex && pthread_mutex_unlock(mutex) == 0;
}

bool ReadLock(RWLockHandle lock)
{
    return lock && pthread_rwlock_rdlock(lock) == 0;
}

bool WriteLock(RWLockHandle lock)
{
    return lock && pthread_rwlock_wrlock(lock) == 0;
}

bool TryWriteLock(RWLockHandle lock)
{
    return lock && pthread_rwlock_trywrlock(lock) == 0;
}

bool UnlockRWLock(RWLockHandle lock)
{
    return lock && pthread_rwlock_unlock(lock) == 0;
}

bool SignalCondition(ConditionHandle condition, u8 all)
{
    if (!condition)
        return false;
    return (all ? pthread_cond_broadcast(condition) : pthread_cond_signal(condition)) == 0;
}

bool WaitCondition(ConditionHandle condition, MutexHandle mutex)
{
    return condition && mutex && pthread_cond_wait(condition, mutex) == 0;
}

bool WaitConditionFor(ConditionHandle condition, MutexHandle mutex, u32 milliseconds)
{
    if (!condition || !mutex)
        return false;
    timespec deadline;
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    deadline.tv_sec += milliseconds / 1000;
    deadline.tv_nsec += long(milliseconds % 1000) * 1000000L;
    if (deadline.tv_nsec >= 1000000000L)
    {
        deadline.tv_sec += 1;
        deadline.tv_nsec -= 1000000000L;
    }
    return pthread_cond_timedwait(condition, mutex, &deadline) == 0;
}

bool Sleep(u32 milliseconds, Thread* record)
{
    if (!record || milliseconds == 0)
    {
        if (milliseconds == 0)
            sched_yield();
        else
            SleepMilliseconds(milliseconds);
        return true;
    }
    // Real time, not the engine clock: a fake clock in a test must not freeze a worker's sleep.
    const f64 start = MonotonicTime();
    for (;;)
    {
        if (record->stop.load() != 0 || !record->manager)
        {
            record->exitCode.store(-1);
            return false;
        }
        const f64 elapsed = MonotonicTime() - start;
        if (elapsed >= f64(milliseconds))
            return true;
        SleepMilliseconds(std::min(1.0, f64(milliseconds) - elapsed));
    }
}
} // namespace PAL
