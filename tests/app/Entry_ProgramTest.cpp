// The program apart from the engine library: its creation function makes the game with the game's
// display settings, the engine's main function runs it, and the executable opens its window and
// ends cleanly when asked to (all on a real display).
#include "platform/PAL_MessagePump.h"
#include "platform/PAL_Window.h"
#include "engine/Engine_ApplicationRendering.h"
#include "engine/Engine_Main.h"
#include "framework/core/Vellumar_Game.h"
#include "game/MyGame_MyGame.h"
#include "tests/app/Entry_ProgramWindow.h"
#include "tests/support/Support_Messages.h"
#include "tests/support/Support_Skip.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
TEST(CreateGameTest, ItMakesTheOnlyReferenceToAWindowedGameOfTheGamesSettings)
{
    if (!PAL::Window(16, 16).IsCreated())
        MORVANE_SKIP_WITHOUT_DISPLAY();
    Core::RefPtr<Engine::Application> game;
    CreateGame(game, "ignored");
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->GetReferenceCount(), 1u);
    auto* application = dynamic_cast<Engine::RenderingApplication*>(game.Get());
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(application->GetFrameRate(), 60.0);
    EXPECT_EQ(application->IsRateLocked(), 1);
    const Renderer::DisplaySettings display = application->GetRenderer()->GetDisplaySettings();
    EXPECT_EQ(display.width, 1024);
    EXPECT_EQ(display.height, 768);
    EXPECT_EQ(display.refreshRate, 85);
    EXPECT_EQ(display.samples, 0);
    EXPECT_EQ(display.fullScreen, 0);
    EXPECT_EQ(display.vsync, 1);
    EXPECT_STREQ(application->GetWindow().GetTitle(), "MyGame");
    // The game's first frame creates the main menu and gives the window the game's title.
    auto* framework = dynamic_cast<Vellumar::Game*>(game.Get());
    ASSERT_NE(framework, nullptr);
    framework->Update();
    ASSERT_NE(framework->GetCurrentLevel(), nullptr);
    EXPECT_EQ(framework->GetCurrentLevel()->GetName(), "MainMenu");
    EXPECT_STREQ(application->GetWindow().GetTitle(), "Morvane");
    game->Shutdown();
    game = nullptr;
    EXPECT_EQ(Engine::Application::GetInstance(), nullptr);
}

TEST(EngineMainTest, AQuitBeforeTheFirstFrameEndsTheRunCleanly)
{
    if (!PAL::Window(16, 16).IsCreated())
        MORVANE_SKIP_WITHOUT_DISPLAY();
    TestSupport::DrainMessages();
    PAL::PostQuit();
    EXPECT_EQ(Engine::EngineMain("", &CreateGame), 0);
    EXPECT_EQ(Engine::Application::GetInstance(), nullptr);
    EXPECT_EQ(Renderer::GetRenderer(), nullptr);
}

TEST(ProgramTest, TheExecutableOpensItsWindowAndEndsWithCodeZeroWhenTerminated)
{
    if (!PAL::Window(16, 16).IsCreated())
        MORVANE_SKIP_WITHOUT_DISPLAY();
    if (std::system("command -v xdotool >/dev/null") != 0)
        MORVANE_SKIP("xdotool is not installed");
    const std::string path = std::string(MORVANE_BIN_DIR) + "/morvane";
    char* arguments[] = {const_cast<char*>(path.c_str()), nullptr};
    pid_t program = 0;
    ASSERT_EQ(posix_spawn(&program, path.c_str(), nullptr, nullptr, arguments, environ), 0) << path;

    // The bound only keeps a broken program from hanging the test; it is never asserted on.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    bool shown = false;
    int status = 0;
    pid_t ended = 0;
    while (!(shown = WindowShown(program)) && std::chrono::steady_clock::now() < limit &&
           (ended = waitpid(program, &status, WNOHANG)) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(shown) << "no visible window titled Morvane";
    if (ended != program)
    {
        kill(program, SIGTERM);
        ASSERT_EQ(waitpid(program, &status, 0), program);
    }
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
}  // namespace
