// The whole game with its real content: act 1 played from the intro to the victory screen by the
// tests' automatic player, headless (frames of simulation per second), and the play level at its
// busiest drawn through the OpenGL renderer (needs a display: run it under Xvfb).
#include "core/Core_Random.h"
#include "core/PAL_Clock.h"
#include "core/PAL_MessagePump.h"
#include "core/PAL_Window.h"
#include "framework/Vellumar_GameObject.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_EffectSystems.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_MyLevelFactory.h"
#include "renderer/Renderer_RecordingRenderer.h"
#include "tests/game/Game_AutoPlayer.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace
{
constexpr u32 PlayLevel = 0;
constexpr u32 VictoryLevel = 4;
constexpr u32 LoseLevel = 5;

Core::RefPtr<Renderer::IRenderer> MakeRecordingRenderer(const Renderer::DisplaySettings& settings)
{
    return Renderer::CreateRecordingRenderer(settings);
}

// A 1024 x 768 game on the content's levels, its mouse and keyboard scripted, its clock faked so
// that every run plays the same frames.
class BenchGame
{
public:
    explicit BenchGame(Engine::RendererFactory renderer)
    {
        setenv("ALSOFT_DRIVERS", "null", 0);
        Input::MouseImp::ForgetStartGuardPosition();
        Vellumar::GameObject::ResetIdCounter();
        Core::SeedRandom(7);
        Engine::ApplicationSettings settings;
        settings.width = 1024;
        settings.height = 768;
        game = new MyGame(new MyLevelFactory(), settings, 1, renderer, input);
        game->SetRateLock(0);
        game->GetMouse()->SetWindow(input.window);
        input.area = Input::ClientArea{0, 0, 1024, 768};
    }

    ~BenchGame() { game->Shutdown(); }

    void Frame()
    {
        PAL::PumpMessages();
        game->BeginFrame();
        game->Update();
        game->EndFrame();
        clock.Advance(16.0);
    }

    PAL::ScopedFakeClock clock{1000.0};
    FakeSource input;
    Core::RefPtr<MyGame> game;
};

void PlayAct1Headless(benchmark::State& state)
{
    i64 frames = 0;
    bool won = true;
    for (auto _ : state)
    {
        BenchGame run(&MakeRecordingRenderer);
        GameTest::AutoPlayer player(*run.game, run.input, "level1B");
        while (run.game->GetCurrentLevelIndex() != VictoryLevel && run.game->GetCurrentLevelIndex() != LoseLevel &&
               frames < 100000)
        {
            player.Act();
            run.Frame();
            ++frames;
        }
        won = won && run.game->GetCurrentLevelIndex() == VictoryLevel;
    }
    if (!won)
        state.SkipWithError("the player did not win the act");
    state.counters["frames"] = static_cast<double>(frames) / static_cast<double>(state.iterations());
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}

// Act 1's largest formations at once, held still as the ice tower holds them, with every effect
// system of the level emitting and the aiming guide out.
void BusiestPlayLevelOpenGL(benchmark::State& state)
{
    if (!PAL::Window(16, 16).IsCreated())
    {
        state.SkipWithError("no display");
        return;
    }
    BenchGame run(&Renderer::CreateOGLRenderer);
    for (int i = 0; i < 3; ++i)
        run.Frame();
    run.game->waveFileName = "act1.txt";
    run.game->GoToLevel(PlayLevel);
    run.input.cursorX = 700;
    run.input.cursorY = 200;
    for (int i = 0; i < 60; ++i)
        run.Frame();
    BaseLevelClass* level = GetPlayLevel();
    for (u8 code : {4, 22, 24})
        level->Spawn(code);
    run.game->enemyMotion = 0;
    for (const char* name : {"ice_tower_effect1", "ice_tower_effect2"})
        FindObjectByName<IceTowerEffectSystemClass>(name)->active = 1;
    for (int i = 0; i < 120; ++i)
        run.Frame();
    for (auto _ : state)
        run.Frame();
    state.counters["enemies"] = static_cast<double>(level->enemyList.size());
}
}  // namespace

BENCHMARK(PlayAct1Headless)->Unit(benchmark::kMillisecond);
BENCHMARK(BusiestPlayLevelOpenGL)->Unit(benchmark::kMillisecond)->UseRealTime();
