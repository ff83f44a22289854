// Frames per second and bytes per second through one loopback connection between two sessions:
// the client sends a batch of frames, the host's dispatch thread counts them, and each batch ends
// when the last frame has arrived.
#include "sockets/Sockets_Socket.h"
#include "network/Network_Session.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <thread>
#include <vector>

namespace
{
struct Counter
{
    std::atomic<u64> frames{0};
};

bool Count(Network::NetworkEvent& event)
{
    auto* counter = static_cast<Counter*>(event.session->GetUserData());
    if (counter != nullptr && event.kind == Network::EventKind::MessageReceived)
        counter->frames.fetch_add(1);
    return true;
}

Vellumar::SessionAddress Loopback()
{
    return Vellumar::SessionAddress("127.0.0.1", 0);
}

Network::Vel_Session* Start(Counter* counter, bool threaded)
{
    auto* session = new Network::Vel_Session;
    session->SetUserData(counter);
    session->SetLocalAddress(Loopback());
    if (!session->Init("bench", "", false, Count, 0, threaded, 0, 0, 1))
    {
        delete session;
        return nullptr;
    }
    return session;
}

void Throughput(benchmark::State& state)
{
    PAL::SetLoopbackOnly(true);
    const u32 payloadSize = static_cast<u32>(state.range(0));
    const u64 batch = static_cast<u64>(state.range(1));
    Counter received;
    Network::Vel_Session* host = Start(&received, true);
    Network::Vel_Session* client = Start(nullptr, false);
    Vellumar::SessionAddress hostAddress;
    if (host == nullptr || client == nullptr || !host->Listen(Loopback(), 4) ||
        !host->GetLocalAddress(Network::Slot::HostListener, hostAddress) ||
        client->OpenSocket(Network::Slot::ClientConnection, PAL::SocketType::Stream, Loopback(), 0, 0) == nullptr ||
        !client->Connect(Network::Slot::ClientConnection, hostAddress))
    {
        state.SkipWithError("no loopback connection");
        delete client;
        delete host;
        return;
    }

    std::vector<u8> payload(payloadSize, 0x5A);
    u64 expected = 0;
    for (auto _ : state)
    {
        for (u64 i = 0; i < batch; ++i)
            if (!client->SendMessage(Network::Slot::ClientConnection, 1, payload.data(), payloadSize, hostAddress,
                                     nullptr))
            {
                state.SkipWithError("send failed");
                break;
            }
        expected += batch;
        while (received.frames.load() < expected)
            std::this_thread::yield();
    }
    const u64 frames = static_cast<u64>(state.iterations()) * batch;
    state.counters["frames"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
    state.counters["MB"] = benchmark::Counter(static_cast<double>(frames * (payloadSize + 8)) / 1e6,
                                              benchmark::Counter::kIsRate);
    delete client;
    delete host;
}

BENCHMARK(Throughput)->Args({64, 512})->Args({64 * 1024, 32})->UseRealTime()->Unit(benchmark::kMillisecond);
} // namespace
