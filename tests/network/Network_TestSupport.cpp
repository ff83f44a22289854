#include "Network_TestSupport.h"

#include "tests/support/Support_Deadline.h"
#include "tests/support/Support_Loopback.h"

namespace NetworkTest
{
namespace
{
// The socket layer refuses every destination outside 127.0.0.0/8 in this program, and a hung
// network thread fails its test at once.
const bool loopbackOnly = TestSupport::InstallLoopbackOnly();
const bool deadlines = TestSupport::InstallTestDeadline(std::chrono::seconds(120));
} // namespace

bool Recorder::Handle(Network::NetworkEvent& event)
{
    auto* recorder = static_cast<Recorder*>(event.session->GetUserData());
    // Sessions made by a manager get their recorder only after start-up.
    if (recorder == nullptr)
        return true;
    Recorded copy{event.kind,
                  event.slot,
                  event.failed,
                  event.messageType,
                  std::vector<u8>(event.payload, event.payload + event.payloadLength),
                  event.address,
                  event.record != nullptr,
                  std::this_thread::get_id()};
    std::lock_guard<std::mutex> lock(recorder->mutex);
    recorder->events.push_back(std::move(copy));
    return true;
}

std::vector<Recorded> Recorder::Snapshot()
{
    std::lock_guard<std::mutex> lock(mutex);
    return events;
}

std::size_t Recorder::Count(Network::EventKind kind, i32 slot)
{
    std::lock_guard<std::mutex> lock(mutex);
    std::size_t count = 0;
    for (const Recorded& event : events)
        if (event.kind == kind && (slot == -2 || event.slot == slot))
            ++count;
    return count;
}

std::vector<Recorded> Recorder::Messages(i32 slot)
{
    std::lock_guard<std::mutex> lock(mutex);
    std::vector<Recorded> messages;
    for (const Recorded& event : events)
        if (event.kind == Network::EventKind::MessageReceived && (slot == -2 || event.slot == slot))
            messages.push_back(event);
    return messages;
}

void Recorder::Clear()
{
    std::lock_guard<std::mutex> lock(mutex);
    events.clear();
}

Vellumar::SessionAddress Loopback(u16 port)
{
    return Vellumar::SessionAddress("127.0.0.1", port);
}

Network::Vel_Session* StartSession(Recorder& recorder, bool threaded, u32 maxHandlers)
{
    auto* session = new Network::Vel_Session;
    session->SetUserData(&recorder);
    session->SetLocalAddress(Loopback());
    if (!session->Init("test", "", false, Recorder::Handle, 0, threaded, maxHandlers, 0, 1))
    {
        delete session;
        return nullptr;
    }
    return session;
}

bool PumpUntil(std::initializer_list<Network::Vel_Session*> sessions, const std::function<bool()>& condition)
{
    const f64 deadline = PAL::MonotonicTime() + WaitLimitMs;
    while (!condition())
    {
        if (PAL::MonotonicTime() > deadline)
            return false;
        bool polled = false;
        for (Network::Vel_Session* session : sessions)
            if (session != nullptr && session->IsRunning())
            {
                u32 processed = 0;
                u32 remaining = 0;
                session->PollEvents(5, 1, processed, remaining);
                polled = true;
            }
        if (!polled)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

bool PumpUntil(Network::Vel_Session* session, const std::function<bool()>& condition)
{
    return PumpUntil({session}, condition);
}

ConnectedPair::ConnectedPair()
{
    host = StartSession(hostEvents);
    client = StartSession(clientEvents);
    if (host == nullptr || client == nullptr)
        return;
    EXPECT_TRUE(host->Listen(Loopback(), 8));
    EXPECT_TRUE(host->GetLocalAddress(Network::Slot::HostListener, hostAddress));
    EXPECT_NE(client->OpenSocket(Network::Slot::ClientConnection, PAL::SocketType::Stream, Loopback(),
                                 Network::ModeRead, Network::OptionNonBlocking),
              nullptr);
    EXPECT_TRUE(client->GetLocalAddress(Network::Slot::ClientConnection, clientAddress));
    EXPECT_TRUE(client->Connect(Network::Slot::ClientConnection, hostAddress));
    EXPECT_TRUE(PumpUntil({host, client}, [this] {
        return hostEvents.Count(Network::EventKind::ConnectionAccepted) == 1 &&
               clientEvents.Count(Network::EventKind::ConnectFinished) == 1;
    }));
}

ConnectedPair::~ConnectedPair()
{
    delete client;
    delete host;
}

JoiningClient::JoiningClient(u32 clientSyncTimeoutMs)
{
    host = StartSession(hostEvents);
    client = StartSession(clientEvents);
    if (host == nullptr || client == nullptr)
        return;
    client->SetSyncTimeout(clientSyncTimeoutMs);
    EXPECT_TRUE(host->Listen(Loopback(), 4));
    EXPECT_TRUE(host->GetLocalAddress(Network::Slot::HostListener, hostAddress));
    record = client->OpenSocket(Network::Slot::ClientConnection, PAL::SocketType::Stream, Loopback(), 0, 0);
    EXPECT_NE(record, nullptr);
    EXPECT_TRUE(client->Connect(Network::Slot::ClientConnection, hostAddress));
    EXPECT_TRUE(client->GetLocalAddress(Network::Slot::ClientConnection, clientAddress));
}

JoiningClient::~JoiningClient()
{
    delete client;
    delete host;
}

FullListener::FullListener()
{
    listener = PAL::OpenSocket(PAL::SocketType::Stream);
    EXPECT_TRUE(PAL::BindSocket(listener, Loopback().GetSocketAddress()));
    EXPECT_TRUE(PAL::ListenSocket(listener, 0));
    PAL::SocketAddress bound;
    EXPECT_TRUE(PAL::GetSocketLocalAddress(listener, bound));
    address.SetSocketAddress(bound);
    filler = ConnectRaw(address);
    EXPECT_NE(filler, PAL::InvalidSocket);
}

FullListener::~FullListener()
{
    PAL::CloseSocket(filler);
    PAL::CloseSocket(listener);
}

PAL::SocketHandle ConnectRaw(const Vellumar::SessionAddress& address)
{
    PAL::SocketHandle socket = PAL::OpenSocket(PAL::SocketType::Stream);
    if (socket != PAL::InvalidSocket && !PAL::ConnectSocketWithin(socket, address.GetSocketAddress(), 5000))
    {
        PAL::CloseSocket(socket);
        return PAL::InvalidSocket;
    }
    return socket;
}

std::vector<u8> Frame(u32 type, const std::vector<u8>& payload)
{
    std::vector<u8> frame(payload.size() + Network::FrameHeaderSize);
    Network::WriteFrame(frame.data(), type, payload.data(), static_cast<u32>(payload.size()));
    return frame;
}

std::vector<u8> Pattern(std::size_t size, u32 seed)
{
    std::vector<u8> bytes(size);
    u32 state = seed * 2654435761u + 1;
    for (u8& byte : bytes)
    {
        state = state * 1103515245u + 12345u;
        byte = static_cast<u8>(state >> 16);
    }
    return bytes;
}
} // namespace NetworkTest
