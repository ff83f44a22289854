// A game in a network session saves, loads and replays nothing: every peer must stay on the
// session's one timeline.
#include "tests/framework/Framework_GameFixture.h"

#include "core/PAL_Path.h"
#include "sockets/Sockets_Socket.h"
#include "framework/net/Vellumar_VelNet.h"
#include "tests/support/Support_Loopback.h"

#include <fstream>

using namespace FrameworkTest;

namespace
{
const bool loopbackOnly = TestSupport::InstallLoopbackOnly();

bool Exists(const Core::String& folder, const char* name)
{
    return std::ifstream(PAL::ToOSPath((folder + "\\" + name).View())).good();
}
}  // namespace

TEST_F(GameFixture, ANetworkSessionRefusesSavesLoadsAndReplays)
{
    ASSERT_TRUE(loopbackOnly);
    MakeGame();
    Start();
    Vellumar::VelNet& net = *game->GetNetworkEngine();
    net.SetLocalAddress(Vellumar::SessionAddress("127.0.0.1", 0));
    net.SetBroadcastDestination(Vellumar::SessionAddress("127.0.0.1", 0));
    const TestSupport::HeldUdpPort announcements;
    ASSERT_TRUE(net.Start(true, nullptr, "fw", "", 5, 3, 60, announcements.Port(), 0));
    ASSERT_TRUE(net.HostGame("host", 2, 1, 0.05f));
    ASSERT_TRUE(net.IsSessionActive());
    game->Save(Core::String("fw_session_save"));
    RunFrame();
    EXPECT_FALSE(Exists(SaveFolder(), "fw_session_save"));
    game->StartReplayRecording(Core::String("fw_session_run"));
    RunFrame();
    EXPECT_FALSE(Exists(SaveFolder(), "fw_session_run_gameSaved"));
    game->StopReplayRecording();
    RunFrame();
    EXPECT_FALSE(Exists(SaveFolder(), "fw_session_run_replayData"));
    game->StartReplay(Core::String("fw_session_run"));
    EXPECT_FALSE(game->IsPlaying());
    log.clear();
    RunFrame();
    EXPECT_TRUE(Entries("Create.").empty()) << "nothing was loaded";
    net.Shutdown();
}
