// Saving and loading a whole game whose level holds 1,000 sprites, each with a collision circle and
// a rigid body, to and from a memory stream: milliseconds per save and per load, and the bytes a
// save writes (the "bytes" counter). A load starts from the reset game a load request makes; the
// reset itself is not timed.
#include "core/Core_File.h"
#include "framework/core/Vellumar_Game.h"
#include "renderer/Renderer_RecordingRenderer.h"
#include "tests/framework/Framework_SpriteScene.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr u32 Sprites = 1000;
constexpr f32 FrameTime = 1.0f / 60.0f;

class OneLevel : public Vellumar::LevelFactory
{
public:
    u32 GetLevelsCount() override { return 1; }
    Vellumar::Level* CreateLevel(u32) override { return new Vellumar::Level(); }
    void OnLevelSwitch() override {}
    bool GetLevelIndex(const Core::String&, u32*) override { return false; }
};

Core::RefPtr<Renderer::IRenderer> MakeRecordingRenderer(const Renderer::DisplaySettings& settings)
{
    return Renderer::CreateRecordingRenderer(settings);
}

class SavingGame : public Vellumar::Game
{
public:
    using Vellumar::Game::Game;
    using Vellumar::Game::ResetForLoad;
    using Vellumar::Game::UpdateFrame;
};

// A game running the sprite level, its objects in their layer.
Core::RefPtr<SavingGame> MakeGame()
{
    Engine::ApplicationSettings settings;
    settings.width = 320;
    settings.height = 240;
    Core::RefPtr<SavingGame> game(new SavingGame(new OneLevel(), settings, 0, &MakeRecordingRenderer));
    game->Update();
    FrameworkTest::BuildSpriteScene(*game->GetCurrentLevel(), Sprites);
    game->UpdateFrame(FrameTime);
    game->UpdateFrame(FrameTime);
    return game;
}

void SaveGame(benchmark::State& state)
{
    const Core::RefPtr<SavingGame> game = MakeGame();
    u32 bytes = 0;
    for (auto _ : state)
    {
        Core::MemoryFile file;
        game->Save(file);
        bytes = file.GetSize();
        benchmark::DoNotOptimize(file.GetData());
    }
    state.counters["bytes"] = bytes;
    game->Shutdown();
}
BENCHMARK(SaveGame)->Unit(benchmark::kMillisecond);

void LoadGame(benchmark::State& state)
{
    const Core::RefPtr<SavingGame> game = MakeGame();
    Core::MemoryFile saved;
    game->Save(saved);
    for (auto _ : state)
    {
        state.PauseTiming();
        game->ResetForLoad();
        Core::MemoryFile file(saved.GetData(), saved.GetSize());
        state.ResumeTiming();
        game->Load(file);
        if (file.Failed())
            state.SkipWithError("the saved game did not load");
    }
    state.counters["bytes"] = saved.GetSize();
    game->Shutdown();
}
BENCHMARK(LoadGame)->Unit(benchmark::kMillisecond);
}  // namespace
