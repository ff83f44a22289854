#pragma once
// A session's event queue: the network thread posts, the owner takes events out polled (once per
// frame on the main thread), or a dispatch thread delivers them, or one short-lived thread per event
// up to a maximum. The dispatch thread holds the queue's lock while its handler runs, so a post
// waits for the handler to return; polled delivery and handler threads run handlers without it.
// Nothing posts while holding the session's table lock, so a handler may call back into its
// session's socket operations; it must not call into this queue itself.
#include "core/Core_Memory.h"
#include "core/Core_Types.h"
#include "core/PAL_ThreadManager.h"
#include "network/Network_Event.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace Network
{
class EventQueue
{
public:
    using Dispatcher = void (*)(NetworkEvent& event);

    enum class Mode : u32
    {
        Polled = 0,
        DispatchThread = 1,
        HandlerThreads = 2,
    };

    EventQueue() = default;
    // Stops dispatch, joins the queue's threads and frees the frames of undelivered events.
    ~EventQueue();
    EventQueue(const EventQueue&) = delete;
    EventQueue& operator=(const EventQueue&) = delete;

    // Not threaded: polled. Threaded with maxHandlers 0: one dispatch thread; otherwise at most
    // maxHandlers handler threads at a time. False without a dispatcher or when a thread cannot start.
    bool StartDispatch(Dispatcher dispatcher, bool threaded, u32 maxHandlers, i32 threadPriority, u32 idleSleepMs);
    // Appends a copy; refused once dispatch stops, without a posting thread or when the posting
    // thread has been asked to stop. The caller keeps a refused event's frame.
    bool Post(const NetworkEvent& event, PAL::Thread* postingThread);
    // Appends a copy unless dispatch has stopped (the session's own shut-down reports).
    bool Append(const NetworkEvent& event);
    // Polled delivery on the calling thread: delivers events for at most budgetMs; when the queue
    // runs dry, waits for more until waitMs from the start.
    void Process(u32 budgetMs, u32 waitMs, u32& processed, u32& remaining);
    // Refuses further posts and joins the dispatch and handler threads. With a dispatch thread,
    // every thread of the queue's manager is asked to stop at once.
    void StopDispatch();
    // Delivers every queued event on the calling thread, in order.
    void DeliverAll();
    u32 GetCount();
    // Handler threads started and not yet finished while dispatch runs; a handler still running
    // when dispatch stops stays counted.
    u32 GetRunningHandlers();
    Mode GetMode() const { return mode; }
    bool IsStopping() const { return stopping.load(); }
    PAL::ThreadManager& GetThreadManager() { return threads; }

private:
    struct HandlerRecord
    {
        NetworkEvent event;
        EventQueue* queue;
        static void* operator new(std::size_t size);
        static void operator delete(void* pointer, std::size_t size);
    };

    static void DispatchThread(PAL::Thread* thread);
    static void PoolThread(PAL::Thread* thread);
    static void HandlerThread(PAL::Thread* thread);
    static void HandlerThreadExit(PAL::Thread* thread);
    // Joins the handler threads that have finished (pool thread only).
    void ReapHandlers(bool all);
    bool Pop(NetworkEvent& event);

    Core::Deque<NetworkEvent> events;
    std::mutex mutex; // guards the events, the running count and the stopping flag's changes
    std::condition_variable changed;
    Mode mode = Mode::Polled;
    std::atomic<bool> stopping{false};
    bool started = false;
    PAL::Thread* dispatchThread = nullptr;
    Dispatcher dispatcher = nullptr;
    u32 runningHandlers = 0;
    u32 maxHandlers = 0;
    u32 idleSleep = 0;
    Core::Vector<PAL::Thread*> handlerThreads; // pool thread only
    // Last, so that its threads are joined before anything above goes.
    PAL::ThreadManager threads;
};
} // namespace Network
