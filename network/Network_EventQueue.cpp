#include "network/Network_EventQueue.h"

#include "core/PAL_Clock.h"

#include <chrono>

namespace Network
{
namespace
{
std::chrono::duration<f64, std::milli> Milliseconds(f64 value)
{
    return std::chrono::duration<f64, std::milli>(value);
}
} // namespace

void* EventQueue::HandlerRecord::operator new(std::size_t size)
{
    return Core::TrackedNew(static_cast<u32>(size), __FILE__, __LINE__);
}

void EventQueue::HandlerRecord::operator delete(void* pointer, std::size_t size)
{
    Core::TrackedDelete(pointer, static_cast<u32>(size));
}

EventQueue::~EventQueue()
{
    StopDispatch();
    threads.Shutdown();
    for (NetworkEvent& event : events)
        event.ReleaseFrame();
}

bool EventQueue::StartDispatch(Dispatcher newDispatcher, bool threaded, u32 newMaxHandlers, i32 threadPriority,
                               u32 idleSleepMs)
{
    if (newDispatcher == nullptr || started)
        return false;
    dispatcher = newDispatcher;
    idleSleep = idleSleepMs;
    if (!threaded)
    {
        mode = Mode::Polled;
        started = true;
        return true;
    }
    maxHandlers = newMaxHandlers;
    mode = maxHandlers == 0 ? Mode::DispatchThread : Mode::HandlerThreads;
    dispatchThread = threads.CreateThread(mode == Mode::DispatchThread ? DispatchThread : PoolThread, nullptr, this,
                                          threadPriority, 0);
    if (dispatchThread == nullptr)
    {
        dispatcher = nullptr;
        mode = Mode::Polled;
        return false;
    }
    started = true;
    return true;
}

bool EventQueue::Post(const NetworkEvent& event, PAL::Thread* postingThread)
{
    if (postingThread == nullptr || postingThread->stop.load() != 0)
        return false;
    return Append(event);
}

bool EventQueue::Append(const NetworkEvent& event)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (stopping.load() || !started)
            return false;
        events.push_back(event);
    }
    changed.notify_all();
    return true;
}

bool EventQueue::Pop(NetworkEvent& event)
{
    if (events.empty())
        return false;
    event = events.front();
    events.pop_front();
    return true;
}

void EventQueue::Process(u32 budgetMs, u32 waitMs, u32& processed, u32& remaining)
{
    processed = 0;
    const f64 start = PAL::MonotonicTime();
    const f64 waitLimit = waitMs < budgetMs ? waitMs : budgetMs;
    for (;;)
    {
        f64 elapsed = PAL::MonotonicTime() - start;
        if (elapsed >= budgetMs)
            break;
        NetworkEvent event;
        {
            std::unique_lock<std::mutex> lock(mutex);
            if (!Pop(event))
            {
                if (elapsed >= waitLimit)
                    break;
                changed.wait_for(lock, Milliseconds(waitLimit - elapsed));
                continue;
            }
        }
        dispatcher(event);
        ++processed;
    }
    remaining = GetCount();
}

void EventQueue::StopDispatch()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (stopping.load())
            return;
        stopping.store(true);
        // Asked under the lock: a handler thread that ends from here on finds itself stopped.
        if (dispatchThread != nullptr)
            threads.RequestStopAll(0);
    }
    changed.notify_all();
    if (dispatchThread != nullptr)
        threads.StopThread(dispatchThread, 0);
    dispatchThread = nullptr;
}

void EventQueue::DeliverAll()
{
    for (;;)
    {
        NetworkEvent event;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (!Pop(event))
                return;
        }
        if (dispatcher != nullptr)
            dispatcher(event);
        else
            event.ReleaseFrame();
    }
}

u32 EventQueue::GetCount()
{
    std::lock_guard<std::mutex> lock(mutex);
    return static_cast<u32>(events.size());
}

u32 EventQueue::GetRunningHandlers()
{
    std::lock_guard<std::mutex> lock(mutex);
    return runningHandlers;
}

void EventQueue::DispatchThread(PAL::Thread* thread)
{
    auto* queue = static_cast<EventQueue*>(thread->argument);
    while (PAL::Thread::KeepRunning(thread))
    {
        std::unique_lock<std::mutex> lock(queue->mutex);
        if (queue->stopping.load())
            break;
        if (queue->events.empty())
        {
            queue->changed.wait_for(lock, Milliseconds(queue->idleSleep > 0 ? queue->idleSleep : 1));
            continue;
        }
        // Delivered in place and removed after: while the handler runs, posts wait for it.
        queue->dispatcher(queue->events.front());
        queue->events.pop_front();
    }
    thread->argument = nullptr;
}

void EventQueue::PoolThread(PAL::Thread* thread)
{
    auto* queue = static_cast<EventQueue*>(thread->argument);
    while (PAL::Thread::KeepRunning(thread))
    {
        queue->ReapHandlers(false);
        std::unique_lock<std::mutex> lock(queue->mutex);
        if (queue->stopping.load())
            break;
        if (queue->runningHandlers >= queue->maxHandlers || queue->events.empty())
        {
            queue->changed.wait_for(lock, Milliseconds(queue->idleSleep > 0 ? queue->idleSleep : 1));
            continue;
        }
        auto* handler = new HandlerRecord{queue->events.front(), queue};
        PAL::Thread* started = queue->threads.CreateThread(HandlerThread, HandlerThreadExit, handler, 0, 1);
        if (started == nullptr)
        {
            // Left queued; a later pass tries again.
            delete handler;
            lock.unlock();
            PAL::Sleep(1, thread);
            continue;
        }
        ++queue->runningHandlers;
        queue->events.pop_front();
        queue->handlerThreads.push_back(started);
    }
    queue->ReapHandlers(true);
    thread->argument = nullptr;
}

void EventQueue::ReapHandlers(bool all)
{
    for (auto it = handlerThreads.begin(); it != handlerThreads.end();)
    {
        if (all || (*it)->finished.load())
        {
            threads.StopThread(*it, 0);
            it = handlerThreads.erase(it);
        }
        else
            ++it;
    }
}

void EventQueue::HandlerThread(PAL::Thread* thread)
{
    auto* handler = static_cast<HandlerRecord*>(thread->argument);
    handler->queue->dispatcher(handler->event);
}

void EventQueue::HandlerThreadExit(PAL::Thread* thread)
{
    auto* handler = static_cast<HandlerRecord*>(thread->argument);
    EventQueue* queue = handler->queue;
    // A handler that dispatch's stop has asked to end leaves the count alone: nothing starts
    // handlers any more.
    if (thread->stop.load() == 0)
    {
        std::lock_guard<std::mutex> lock(queue->mutex);
        if (thread->stop.load() == 0)
            --queue->runningHandlers;
    }
    queue->changed.notify_all();
    delete handler;
    thread->argument = nullptr;
}
} // namespace Network
