// A host game keeping 200 networked objects in step with 7 clients on loopback, at 60 frames per
// second. Each client is a facade in a process of its own, forked before the host starts any
// thread; it joins and then polls its session every 1/60 s. The host's frames run under the frame
// rate lock, so an iteration is one frame: its real time is at least the frame period, its CPU
// time what the host's process (main and network threads) spent on it; "bytes_per_frame" is what
// the host sends each frame: per client one state message per object, the level's name and a ping.
#include "core/PAL_Clock.h"
#include "sockets/Sockets_Socket.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/net/Vellumar_NetworkFile.h"
#include "framework/net/Vellumar_VelNet.h"
#include "renderer/Renderer_RecordingRenderer.h"

#include <benchmark/benchmark.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
constexpr u32 Clients = 7;
constexpr u32 Objects = 200;
constexpr f32 FrameTime = 1.0f / 60.0f;
// The engine's frame header before every payload.
constexpr u32 FrameHeader = 8;
const char* const LevelName = "bench";

class OneLevelFactory : public Vellumar::LevelFactory
{
public:
    u32 GetLevelsCount() override { return 1; }
    Vellumar::Level* CreateLevel(u32) override
    {
        auto* level = new Vellumar::Level();
        level->SetName(LevelName);
        level->AddLayer(new Vellumar::Layer(0.0f));
        return level;
    }
    void OnLevelSwitch() override {}
    bool GetLevelIndex(const Core::String&, u32*) override { return false; }
};

Core::RefPtr<Renderer::IRenderer> MakeRecordingRenderer(const Renderer::DisplaySettings& settings)
{
    return Renderer::CreateRecordingRenderer(settings);
}

Vellumar::SessionAddress Loopback()
{
    return Vellumar::SessionAddress("127.0.0.1", 0);
}

// A UDP port nobody holds now, for a facade's discovery socket.
u16 FreeUdpPort()
{
    PAL::SocketHandle socket = PAL::OpenSocket(PAL::SocketType::Datagram);
    PAL::BindSocket(socket, Loopback().GetSocketAddress());
    PAL::SocketAddress bound;
    PAL::GetSocketLocalAddress(socket, bound);
    PAL::CloseSocket(socket);
    return PAL::NetworkToHost16(bound.port);
}

bool Admit(Vellumar::NetMessage*)
{
    return true;
}

// A client: joins the host whose port comes through the pipe, then plays until the session ends.
int Client(int portPipe)
{
    u16 port = 0;
    if (read(portPipe, &port, sizeof(port)) != sizeof(port))
        return 1;
    Vellumar::VelNet net;
    net.SetLocalAddress(Loopback());
    net.SetBroadcastDestination(Loopback());
    if (!net.Start(false, Admit, "", "", 5, 3, 60, FreeUdpPort(), 0) ||
        !net.JoinGame("client", Vellumar::SessionAddress("127.0.0.1", port), ""))
        return 2;
    const f64 limit = PAL::MonotonicTime() + 120000.0;
    while (net.IsSessionActive() && PAL::MonotonicTime() < limit)
    {
        net.Update(FrameTime);
        usleep(16000);
    }
    return 0;
}

// One frame of the host game: begin, the framework's frame, end under the rate lock.
void RunFrame(Vellumar::Game& game)
{
    game.BeginFrame();
    game.Update();
    game.EndFrame();
}

void BM_HostSyncsObjectsWithClients(benchmark::State& state)
{
    setenv("ALSOFT_DRIVERS", "null", 0);
    int ends[2] = {-1, -1};
    if (pipe(ends) != 0)
    {
        state.SkipWithError("no pipe");
        return;
    }
    std::vector<pid_t> children;
    for (u32 i = 0; i < Clients; ++i)
    {
        const pid_t pid = fork();
        if (pid == 0)
            _exit(Client(ends[0]));
        children.push_back(pid);
    }

    Engine::ApplicationSettings settings;
    settings.width = 320;
    settings.height = 240;
    const Core::RefPtr<Vellumar::Game> game =
        new Vellumar::Game(new OneLevelFactory(), settings, 0, &MakeRecordingRenderer);
    game->SetFrameRate(60.0);
    game->SetRateLock(1);
    Vellumar::VelNet* net = game->GetNetworkEngine();
    net->SetLocalAddress(Loopback());
    net->SetBroadcastDestination(Loopback());
    for (int i = 0; i < 3; ++i)
        RunFrame(*game);
    if (!net->Start(true, Admit, "bench", "", 5, 3, 60, FreeUdpPort(), 0) || !net->HostGame("host", Clients + 1, 1, 0.25f))
    {
        state.SkipWithError("the host did not start");
        return;
    }
    Vellumar::Layer* layer = game->GetCurrentLevel()->GetLayer(0u);
    std::vector<Vellumar::GameObject*> objects;
    for (u32 i = 0; i < Objects; ++i)
    {
        auto* object = new Vellumar::GameObject();
        object->SetName("object");
        object->SetNetworkClassName("object");
        layer->AddGameObject(object, true, nullptr);
        objects.push_back(object);
    }
    const u16 port = net->GetSessionAddress().GetPort();
    for (u32 i = 0; i < Clients; ++i)
        (void)!write(ends[1], &port, sizeof(port));
    const f64 limit = PAL::MonotonicTime() + 30000.0;
    while (net->GetAllPlayers()->GetSize() < Clients + 1 && PAL::MonotonicTime() < limit)
        RunFrame(*game);

    Vellumar::NetworkFile record;
    objects[0]->NetworkSyncSend(record);
    const u32 stateMessage = FrameHeader + 12 + record.GetSize();
    const u32 levelMessage = FrameHeader + static_cast<u32>(std::strlen(LevelName)) + 1;
    const u32 pingMessage = FrameHeader + 4;

    u32 frame = 0;
    for (auto _ : state)
    {
        // Every object moves every frame, so every state message carries a change.
        ++frame;
        for (u32 i = 0; i < Objects; ++i)
        {
            const f32 angle = static_cast<f32>(i + frame) * 0.01f;
            objects[i]->SetPosition(100.0f * std::cos(angle), 100.0f * std::sin(angle));
        }
        RunFrame(*game);
    }
    state.counters["clients"] = static_cast<double>(net->GetAllPlayers()->GetSize() - 1);
    state.counters["objects"] = static_cast<double>(net->GetNetObjects().size());
    state.counters["bytes_per_frame"] =
        static_cast<double>((net->GetAllPlayers()->GetSize() - 1) * (Objects * stateMessage + levelMessage + pingMessage));
    state.counters["sends_per_second"] = static_cast<double>(net->GetMeasuredSendsPerSecond());

    game->Shutdown();
    for (pid_t child : children)
    {
        int status = 0;
        if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            state.SkipWithError("a client failed");
    }
    close(ends[0]);
    close(ends[1]);
}
}  // namespace

BENCHMARK(BM_HostSyncsObjectsWithClients)->Iterations(600)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);
