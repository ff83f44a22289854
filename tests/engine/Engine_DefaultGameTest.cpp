// The engine's own application that stands where the game's will: 60 locked frames per second, a
// clear each frame; and the creation function that makes it with the game's display settings (on a
// real display).
#include "core/PAL_Window.h"
#include "engine/Engine_DefaultGame.h"
#include "engine/Engine_Main.h"
#include "renderer/Renderer_RecordingRenderer.h"

#include <gtest/gtest.h>

namespace
{
Core::RefPtr<Renderer::IRenderer> MakeRecording(const Renderer::DisplaySettings& settings)
{
    return Renderer::CreateRecordingRenderer(settings);
}
}  // namespace

TEST(DefaultGameTest, ItLocksSixtyFramesAndClearsEachFrame)
{
    Engine::ApplicationSettings settings;
    settings.width = 320;
    settings.height = 240;
    const Core::RefPtr<Engine::DefaultGame> game(new Engine::DefaultGame(settings, &MakeRecording));
    EXPECT_EQ(game->GetFrameRate(), 60.0);
    EXPECT_EQ(game->IsRateLocked(), 1);
    EXPECT_STREQ(game->GetWindow().GetTitle(), "Morvane");
    auto& renderer = static_cast<Renderer::RecordingRenderer&>(*game->GetRenderer());
    renderer.ClearLog();
    game->Update();
    ASSERT_EQ(renderer.GetCalls().size(), 1u);
    EXPECT_STREQ(renderer.GetCalls()[0].operation, "ClearColorBuffer");
    EXPECT_EQ(renderer.GetCalls()[0].arguments[2], static_cast<f64>(Engine::DefaultGame::ClearColor.b));
}

TEST(CreateGameTest, ItMakesTheOnlyReferenceToAWindowedGameOfTheGamesSettings)
{
    if (!PAL::Window(16, 16).IsCreated())
    {
        GTEST_SKIP() << "no display";
    }
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
    game->Shutdown();
    game = nullptr;
    EXPECT_EQ(Engine::Application::GetInstance(), nullptr);
}
