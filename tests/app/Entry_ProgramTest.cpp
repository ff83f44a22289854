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
#include <utility>
#include <vector>

#include <fcntl.h>
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

// The program run with the environment changed as given (a name with an empty value is removed),
// its standard error collected until it ends. False when it did not end within the bound, which
// only keeps a program that runs on from hanging the test.
bool RunWithEnvironment(const std::vector<std::pair<std::string, std::string>>& changes, int& status, std::string& said)
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry)
    {
        const std::string text = *entry;
        bool changed = false;
        for (const auto& [name, value] : changes)
            changed = changed || text.rfind(name + "=", 0) == 0;
        if (!changed)
            entries.push_back(text);
    }
    for (const auto& [name, value] : changes)
    {
        if (!value.empty())
            entries.push_back(name + "=" + value);
    }
    std::vector<char*> environment;
    for (std::string& entry : entries)
        environment.push_back(entry.data());
    environment.push_back(nullptr);

    int pipeEnds[2] = {-1, -1};
    if (pipe(pipeEnds) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    const std::string path = std::string(MORVANE_BIN_DIR) + "/morvane";
    char* arguments[] = {const_cast<char*>(path.c_str()), nullptr};
    pid_t program = 0;
    const int spawned = posix_spawn(&program, path.c_str(), &actions, nullptr, arguments, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0)
    {
        close(pipeEnds[0]);
        return false;
    }
    fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK);
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    pid_t ended = 0;
    char buffer[4096];
    while ((ended = waitpid(program, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < limit)
    {
        for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof(buffer))) > 0;)
            said.append(buffer, static_cast<std::size_t>(got));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof(buffer))) > 0;)
        said.append(buffer, static_cast<std::size_t>(got));
    close(pipeEnds[0]);
    if (ended == program)
        return true;
    kill(program, SIGKILL);
    waitpid(program, &status, 0);
    return false;
}

// A display number no X server answers on.
std::string UnusedDisplay()
{
    for (int number = 99;; ++number)
    {
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
        const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
        if (access(socket.c_str(), F_OK) != 0 && access(lock.c_str(), F_OK) != 0)
            return ":" + std::to_string(number);
    }
}

// Without a display the program must not run on unseen: it ends at once with an error naming the
// display, unless the user chose a video driver.
TEST(ProgramTest, WithoutAReachableDisplayTheExecutableEndsWithAnErrorNamingTheDisplay)
{
    const std::string display = UnusedDisplay();
    int status = 0;
    std::string said;
    ASSERT_TRUE(RunWithEnvironment({{"DISPLAY", display}, {"WAYLAND_DISPLAY", ""}, {"SDL_VIDEODRIVER", ""},
                            {"MORVANE_NO_MESSAGE_BOX", "1"}},
                           status, said))
        << "the program ran on without a display; it said: " << said;
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_NE(WEXITSTATUS(status), 0);
    EXPECT_NE(said.find("DISPLAY=" + display + " could not be opened"), std::string::npos) << said;
    EXPECT_NE(said.find("set DISPLAY"), std::string::npos) << said;

    said.clear();
    ASSERT_TRUE(RunWithEnvironment({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"SDL_VIDEODRIVER", ""},
                            {"MORVANE_NO_MESSAGE_BOX", "1"}},
                           status, said))
        << said;
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_NE(WEXITSTATUS(status), 0);
    EXPECT_NE(said.find("no display is set (DISPLAY is empty)"), std::string::npos) << said;
}
}  // namespace
