// A host and its clients in separate processes on loopback: each client is a child process forked
// before the host starts any thread, and reports through its exit status which step failed.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "core/PAL_Clock.h"
#include "sockets/Sockets_Socket.h"
#include "network/Network_Frame.h"
#include "framework/net/Vellumar_VelNet.h"
#include "tests/support/Support_Loopback.h"

namespace Vellumar
{
namespace
{
const bool loopbackOnly = TestSupport::InstallLoopbackOnly();

constexpr f32 FrameTime = 1.0f / 60.0f;
const char* const NetworkId = "Morvane-test";

// What this process's facade reported.
struct Heard
{
    std::vector<u32> types;
    std::vector<Core::String> texts;
    std::vector<i32> joinCodes;
    bool admit = true;

    bool Has(u32 type) const { return std::find(types.begin(), types.end(), type) != types.end(); }
};
Heard heard;

bool Record(NetMessage* message)
{
    heard.types.push_back(message->GetType());
    if (message->GetType() == NetText)
    {
        heard.texts.push_back(static_cast<NetTextMessage*>(message)->GetText());
    }
    if (message->GetType() == NetJoinReply)
    {
        heard.joinCodes.push_back(*static_cast<const i32*>(static_cast<NetDataMessage*>(message)->GetData()));
    }
    return message->GetType() != NetPlayerJoining || heard.admit;
}

// Runs frames until the condition holds; the time limit only keeps a broken run from hanging.
bool Frames(VelNet& net, const std::function<bool()>& condition)
{
    const f64 limit = PAL::MonotonicTime() + 10000.0;
    while (!condition())
    {
        if (PAL::MonotonicTime() > limit)
        {
            return false;
        }
        net.UpdateNetworkInputs(FrameTime);
        net.Update(FrameTime);
        usleep(2000);
    }
    return true;
}

void StartLocal(VelNet& net)
{
    net.SetLocalAddress(SessionAddress("127.0.0.1", 0));
    net.SetBroadcastDestination(SessionAddress("127.0.0.1", 0));
}

// A pipe the host writes one byte to when a child may go on.
struct Gate
{
    int ends[2] = {-1, -1};
    Gate() { EXPECT_EQ(pipe(ends), 0); }
    void Open() const { EXPECT_EQ(write(ends[1], "g", 1), 1); }
    void Wait() const
    {
        char byte = 0;
        (void)!read(ends[0], &byte, 1);
    }
    void Send(u16 port) const { EXPECT_EQ(write(ends[1], &port, 2), 2); }
    u16 Receive() const
    {
        u16 port = 0;
        (void)!read(ends[0], &port, 2);
        return port;
    }
};

void SendFrame(PAL::SocketHandle socket, u32 type, const Core::Vector<u8>& payload, const PAL::SocketAddress* to)
{
    u8* frame = Network::BuildFrame(type, payload.data(), static_cast<u32>(payload.size()));
    const u32 length = Network::GetFrameLength(frame);
    if (to)
        PAL::SendSocketTo(socket, frame, length, *to);
    else
        PAL::SendSocket(socket, frame, length);
    Network::DeleteFrame(frame, length);
}

// A peer that sends a malformed payload of every type to the host's game socket, then connects and
// sends a malformed join request; the host must close that connection.
int HostileClient(const Gate& gate)
{
    const PAL::SocketAddress host = TestSupport::LoopbackAddress(gate.Receive());
    PAL::SocketHandle datagrams = PAL::OpenSocket(PAL::SocketType::Datagram);
    const Core::Vector<u8> cut{0xff, 0xff, 0xff};
    const Core::Vector<u8> lying{2, 0, 0, 0, 1, 0, 0, 0, 9, 0, 0, 0, 0xff, 0xff, 0xff, 0x7f};
    for (u32 type = 0; type <= static_cast<u32>(MessageType::PingReply); ++type)
    {
        SendFrame(datagrams, type, cut, &host);
        SendFrame(datagrams, type, lying, &host);
    }
    PAL::CloseSocket(datagrams);
    PAL::SocketHandle stream = PAL::OpenSocket(PAL::SocketType::Stream);
    if (!PAL::ConnectSocket(stream, host))
        return 40;
    SendFrame(stream, static_cast<u32>(MessageType::JoinRequest), cut, nullptr);
    PAL::SocketWait wait;
    wait.handle = stream;
    wait.wantRead = true;
    u8 byte = 0;
    const bool closed = PAL::WaitSockets(&wait, 1, 10000) == 1 && PAL::ReceiveSocket(stream, &byte, 1) <= 0;
    PAL::CloseSocket(stream);
    return closed ? 0 : 41;
}

bool FindSession(VelNet& net, VelBroadcast& found)
{
    return Frames(net, [&] {
        for (const VelBroadcast& session : net.GetDiscoveredSessions())
        {
            if (session.networkId == NetworkId)
            {
                found = session;
                return true;
            }
        }
        return false;
    });
}

// The first client: discovery, a refused and an accepted join, texts both ways, a group, then the
// loss of the session when the host shuts down.
int FirstClient(u16 discoveryPort)
{
    VelNet net;
    StartLocal(net);
    if (!net.Start(false, Record, "", "", 5, 3, 60, discoveryPort, 0))
        return 10;
    VelBroadcast session;
    if (!FindSession(net, session) || session.hostName != "TestHost" || session.passwordProtected != 1 ||
        session.maximumPlayers != 2 || session.players != 1)
        return 11;
    if (net.JoinGame("Bob", session.GetAddress(), "wrong") || heard.joinCodes != std::vector<i32>{JoinWrongPassword} ||
        net.IsSessionActive())
        return 12;
    if (!net.JoinGame("Bob", session.GetAddress(), "pw") || !net.IsSessionActive() || net.IsHostMode())
        return 13;
    if (net.GetLocalPlayer()->GetID() != 2 || !heard.Has(NetSessionJoined))
        return 14;
    if (!Frames(net, [&] { return net.GetAllPlayers()->GetSize() == 2; }))
        return 15;
    VelPlayer* host = net.FindPlayerByID(1);
    if (!host || !host->IsHost() || host->GetName() != "Alice" || host->IsLocal())
        return 16;
    if (!Frames(net, [&] { return !heard.texts.empty(); }) || heard.texts[0] != "hello all")
        return 17;
    Core::RefPtr<VelGroup> pair = new (__FILE__, __LINE__) VelGroup("pair", nullptr);
    pair->AddPlayer(host);
    pair->AddPlayer(net.GetLocalPlayer());
    if (!net.CreateGroup(pair.Get()))
        return 18;
    if (!net.SendTextToPlayer(true, "hi host", host, false) || !net.SendTextToGroup(true, "to the pair", pair.Get(), false))
        return 19;
    if (!Frames(net, [&] { return heard.Has(NetSessionLost); }) || net.IsSessionActive() ||
        net.GetAllPlayers()->GetSize() != 0)
        return 20;
    return 0;
}

// The second client arrives when the session is full.
int LateClient(u16 discoveryPort, const Gate& gate)
{
    gate.Wait();
    VelNet net;
    StartLocal(net);
    if (!net.Start(false, Record, "", "", 5, 3, 60, discoveryPort, 0))
        return 30;
    VelBroadcast session;
    if (!FindSession(net, session) || session.players != 2)
        return 31;
    if (net.JoinGame("Carol", session.GetAddress(), "pw") || heard.joinCodes != std::vector<i32>{JoinSessionFull})
        return 32;
    return 0;
}

// A child process; one the test did not wait for (a failed assertion) is stopped.
class Child
{
public:
    explicit Child(const std::function<int()>& body) : pid(fork())
    {
        if (pid == 0)
        {
            _exit(body());
        }
    }
    ~Child()
    {
        if (pid > 0)
        {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // The exit status; the host keeps playing while it waits.
    int ExitCode(VelNet& net)
    {
        int status = 0;
        if (!Frames(net, [&] { return waitpid(pid, &status, WNOHANG) == pid; }))
        {
            return -1;
        }
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid;
};

TEST(NetworkSessionPlay, HostAndClientsInTheirOwnProcesses)
{
    ResetNetworkCounters();
    const TestSupport::HeldUdpPort discovery;
    const u16 discoveryPort = discovery.Port();
    Gate late;
    Gate hostile;
    Child first([&] { return FirstClient(discoveryPort); });
    Child second([&] { return LateClient(discoveryPort, late); });
    Child third([&] { return HostileClient(hostile); });

    VelNet net;
    StartLocal(net);
    net.SetNetworkId(NetworkId);
    ASSERT_TRUE(net.Start(true, Record, "TestHost", "pw", 5, 3, 60, discoveryPort, 0));
    EXPECT_FALSE(net.Start(true, Record, "again", "", 5, 3, 60, discoveryPort, 0));
    ASSERT_TRUE(net.HostGame("Alice", 2, 1, 0.05f));
    EXPECT_TRUE(net.IsSessionActive());
    EXPECT_TRUE(heard.Has(NetSessionHosted));
    EXPECT_TRUE(net.SendText(true, "nobody yet", false)) << "a host alone sends to nobody and succeeds";

    ASSERT_TRUE(Frames(net, [&] { return net.GetAllPlayers()->GetSize() == 2; }));
    EXPECT_TRUE(heard.Has(NetPlayerJoining));
    VelPlayer* bob = net.FindPlayerByID(2);
    ASSERT_NE(bob, nullptr);
    EXPECT_EQ(bob->GetName(), "Bob");
    EXPECT_NE(bob->GetKeyboard(), nullptr) << "a remote player plays on network devices";
    ASSERT_TRUE(net.SendText(true, "hello all", false));

    ASSERT_TRUE(Frames(net, [&] { return heard.texts.size() >= 2; }));
    EXPECT_EQ(heard.texts[0], "hi host");
    EXPECT_EQ(heard.texts[1], "to the pair");
    EXPECT_NE(net.FindGroupByName("pair", bob), nullptr);

    late.Open();
    EXPECT_EQ(second.ExitCode(net), 0);
    EXPECT_EQ(net.GetAllPlayers()->GetSize(), 2u);

    hostile.Send(net.GetSessionAddress().GetPort());
    EXPECT_EQ(third.ExitCode(net), 0) << "the hostile peer is disconnected";
    EXPECT_EQ(net.GetAllPlayers()->GetSize(), 2u) << "and the other client plays on";

    ASSERT_TRUE(Frames(net, [&] { return bob->GetPingTime() > 0.0; }));
    EXPECT_TRUE(net.Shutdown());
    EXPECT_FALSE(net.Shutdown());
    EXPECT_EQ(first.ExitCode(net), 0);
}
}  // namespace
}  // namespace Vellumar
