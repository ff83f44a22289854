#include "Network_TestSupport.h"

#include "network/Network_Manager.h"

namespace
{
using Network::EventKind;

TEST(NetworkManager, StartsOnce)
{
    Network::Vel_Network_Manager manager;
    EXPECT_TRUE(manager.Startup());
    EXPECT_FALSE(manager.Startup());
    EXPECT_TRUE(manager.IsStarted());
}

TEST(NetworkManager, SessionsAreRemovedOnceAndReleasedAtTheEnd)
{
    Network::Vel_Network_Manager manager;
    ASSERT_TRUE(manager.Startup());
    manager.SetLocalAddress(NetworkTest::Loopback());
    Network::Vel_Session* first = manager.CreateSession("a", "pw", true, nullptr, 0, false, 0, 0, 1);
    Network::Vel_Session* second = manager.CreateSession("b", "", false, nullptr, 0, false, 0, 0, 1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(first->IsPasswordProtected());
    EXPECT_EQ(first->GetPassword(), "pw");
    EXPECT_EQ(second->GetLocalAddressText(), "127.0.0.1");
    EXPECT_EQ(manager.GetSessionCount(), 2u);

    EXPECT_TRUE(manager.RemoveSession(first));
    EXPECT_FALSE(manager.RemoveSession(first));
    ASSERT_TRUE(second->Shutdown());
    EXPECT_FALSE(manager.RemoveSession(second));
    EXPECT_EQ(manager.GetSessionCount(), 1u);
    EXPECT_FALSE(manager.RemoveSession(nullptr));
}

TEST(NetworkManager, ShutdownAllEndsEverySession)
{
    NetworkTest::Recorder events;
    Network::Vel_Network_Manager manager;
    manager.SetLocalAddress(NetworkTest::Loopback());
    for (int i = 0; i < 3; ++i)
    {
        Network::Vel_Session* session = manager.CreateSession("s", "", false, NetworkTest::Recorder::Handle, 0,
                                                              false, 0, 0, 1);
        ASSERT_NE(session, nullptr);
        session->SetUserData(&events);
        ASSERT_TRUE(session->Listen(NetworkTest::Loopback(), 2));
    }
    manager.ShutdownAll();
    EXPECT_EQ(manager.GetSessionCount(), 0u);
    EXPECT_EQ(events.Count(EventKind::SessionClosed), 3u);
    EXPECT_EQ(events.Count(EventKind::SocketClosed, Network::Slot::HostListener), 3u);
}
}
