// The engine's own application that stands where the game's will: 60 locked frames per second, a
// clear each frame.
#include "engine/Engine_DefaultGame.h"
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
