#include "Network_TestSupport.h"

#include "network/Network_EventQueue.h"

#include <atomic>
#include <functional>
#include <thread>

namespace
{
using Network::EventKind;
using Network::NetworkEvent;

std::vector<i32> delivered;

void Record(NetworkEvent& event)
{
    delivered.push_back(event.slot);
    event.ReleaseFrame();
}

// A thread of the queue's own manager to post from, as the network thread does.
struct Poster
{
    static void Idle(PAL::Thread* thread)
    {
        while (PAL::Sleep(1, thread))
        {
        }
    }
};

NetworkEvent Event(i32 slot)
{
    return NetworkEvent::Make(EventKind::SocketClosed, nullptr, nullptr, slot, nullptr, Vellumar::SessionAddress());
}

class NetworkEventQueue : public ::testing::Test
{
protected:
    void SetUp() override
    {
        delivered.clear();
        ASSERT_TRUE(queue.StartDispatch(Record, false, 0, 0, 0));
        poster = queue.GetThreadManager().CreateThread(Poster::Idle, nullptr, nullptr, 0, 1);
        ASSERT_NE(poster, nullptr);
    }

    Network::EventQueue queue;
    PAL::Thread* poster = nullptr;
};

TEST_F(NetworkEventQueue, EmptyQueueReturnsWithNothingProcessed)
{
    u32 processed = 9;
    u32 remaining = 9;
    queue.Process(5, 1, processed, remaining);
    EXPECT_EQ(processed, 0u);
    EXPECT_EQ(remaining, 0u);
}

TEST_F(NetworkEventQueue, EventsAreDeliveredInPostingOrder)
{
    for (i32 slot = 0; slot < 100; ++slot)
        ASSERT_TRUE(queue.Post(Event(slot), poster));
    u32 processed = 0;
    u32 remaining = 0;
    while (delivered.size() < 100)
        queue.Process(1000, 0, processed, remaining);
    for (i32 slot = 0; slot < 100; ++slot)
        EXPECT_EQ(delivered[slot], slot);
}

// A spent budget leaves the rest queued and counts it.
TEST_F(NetworkEventQueue, SpentBudgetLeavesTheRestQueued)
{
    for (i32 slot = 0; slot < 10; ++slot)
        ASSERT_TRUE(queue.Post(Event(slot), poster));
    u32 processed = 9;
    u32 remaining = 0;
    queue.Process(0, 0, processed, remaining);
    EXPECT_EQ(processed, 0u);
    EXPECT_EQ(remaining, 10u);
}

TEST_F(NetworkEventQueue, PostsAreRefusedWithoutALivePoster)
{
    EXPECT_FALSE(queue.Post(Event(1), nullptr));
    queue.GetThreadManager().RequestStop(poster, 0);
    EXPECT_FALSE(queue.Post(Event(1), poster));
    EXPECT_EQ(queue.GetCount(), 0u);
}

TEST_F(NetworkEventQueue, StoppedQueueRefusesPostsAndStillDrains)
{
    ASSERT_TRUE(queue.Post(Event(4), poster));
    queue.StopDispatch();
    EXPECT_FALSE(queue.Post(Event(5), poster));
    queue.DeliverAll();
    ASSERT_EQ(delivered.size(), 1u);
    EXPECT_EQ(delivered[0], 4);
}

// Frames of events nobody delivered go with the queue.
TEST_F(NetworkEventQueue, UndeliveredFramesAreFreed)
{
    NetworkEvent event = NetworkEvent::Make(EventKind::MessageReceived, nullptr, nullptr, 1, nullptr,
                                            Vellumar::SessionAddress(), Network::BuildFrame(1, "abc", 3));
    ASSERT_TRUE(queue.Post(event, poster));
}

TEST(NetworkEventDelivery, HandlerKeepsTheFrameByReturningFalse)
{
    static u8* kept = nullptr;
    auto keep = [](NetworkEvent& event) {
        kept = event.buffer;
        return false;
    };
    NetworkEvent event = NetworkEvent::Make(EventKind::MessageReceived, nullptr, keep, 1, nullptr,
                                            Vellumar::SessionAddress(), Network::BuildFrame(6, "abcd", 4));
    EXPECT_EQ(event.messageType, 6u);
    EXPECT_EQ(event.payloadLength, 4u);
    NetworkEvent::Deliver(event);
    ASSERT_NE(kept, nullptr);
    // The event no longer owns it, so clearing a list of such events cannot free it twice.
    EXPECT_EQ(event.buffer, nullptr);
    EXPECT_EQ(Network::GetFrameType(kept), 6u);
    Network::DeleteFrame(kept, Network::GetFrameLength(kept));
}

// A handler that holds its first event until the test lets it go; the later ones pass at once.
struct Gate
{
    static std::atomic<int> entered;
    static std::atomic<bool> open;
    static std::atomic<int> delivered;

    static void Reset()
    {
        entered = 0;
        open = false;
        delivered = 0;
    }
    static void Handle(NetworkEvent& event)
    {
        if (entered.fetch_add(1) == 0)
            while (!open.load())
                PAL::Sleep(0);
        event.ReleaseFrame();
        ++delivered;
    }
    static bool Until(const std::function<bool()>& condition) { return NetworkTest::PumpUntil(nullptr, condition); }
};
std::atomic<int> Gate::entered{0};
std::atomic<bool> Gate::open{false};
std::atomic<int> Gate::delivered{0};

// The dispatch thread delivers with the queue held: a post made while its handler runs returns
// only once the handler has.
TEST(NetworkEventQueueThreads, APostWaitsWhileTheDispatchThreadsHandlerRuns)
{
    Gate::Reset();
    Network::EventQueue queue;
    ASSERT_TRUE(queue.StartDispatch(Gate::Handle, true, 0, 0, 1));
    PAL::Thread* poster = queue.GetThreadManager().CreateThread(Poster::Idle, nullptr, nullptr, 0, 1);
    ASSERT_TRUE(queue.Post(Event(1), poster));
    ASSERT_TRUE(Gate::Until([] { return Gate::entered.load() == 1; }));

    std::atomic<bool> returned{false};
    std::thread second([&] {
        EXPECT_TRUE(queue.Post(Event(2), poster));
        returned = true;
    });
    // Bounded only to give a post that does not wait the time to return; none can meanwhile.
    const f64 until = PAL::MonotonicTime() + 200.0;
    while (!returned.load() && PAL::MonotonicTime() < until)
        PAL::Sleep(1);
    EXPECT_FALSE(returned.load());
    Gate::open = true;
    second.join();
    EXPECT_TRUE(Gate::Until([] { return Gate::delivered.load() == 2; }));
}

// A handler thread that ends after dispatch has been stopped leaves the running count as it was;
// one that ends while dispatch runs is taken off it.
TEST(NetworkEventQueueThreads, AHandlerCutShortByTheStopStaysCounted)
{
    Gate::Reset();
    Gate::entered = 1;
    Network::EventQueue queue;
    ASSERT_TRUE(queue.StartDispatch(Gate::Handle, true, 2, 0, 1));
    PAL::Thread* poster = queue.GetThreadManager().CreateThread(Poster::Idle, nullptr, nullptr, 0, 1);
    ASSERT_TRUE(queue.Post(Event(1), poster));
    ASSERT_TRUE(Gate::Until([&] { return Gate::delivered.load() == 1 && queue.GetRunningHandlers() == 0; }));

    Gate::entered = 0;
    ASSERT_TRUE(queue.Post(Event(2), poster));
    ASSERT_TRUE(Gate::Until([] { return Gate::entered.load() == 1; }));
    EXPECT_EQ(queue.GetRunningHandlers(), 1u);
    std::thread stopper([&] { queue.StopDispatch(); });
    ASSERT_TRUE(Gate::Until([&] { return queue.IsStopping(); }));
    // Taken after the stop's locked part, in which every thread of the queue was asked to end.
    EXPECT_EQ(queue.GetRunningHandlers(), 1u);
    Gate::open = true;
    stopper.join();
    EXPECT_EQ(Gate::delivered.load(), 2);
    EXPECT_EQ(queue.GetRunningHandlers(), 1u);
}
}
