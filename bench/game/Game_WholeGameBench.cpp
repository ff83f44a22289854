// Act 1 played from the intro to the victory screen by the tests' automatic player, headless: the
// frames of simulation per second of the whole game with its real content.
#include "bench/game/Game_BenchGame.h"
#include "core/Core_Random.h"
#include "tests/game/Game_AutoPlayer.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr u32 VictoryLevel = 4;
constexpr u32 LoseLevel = 5;
constexpr int FrameLimit = 100000;

void PlayAct1Headless(benchmark::State& state)
{
    i64 frames = 0;
    bool won = true;
    for (auto _ : state)
    {
        Core::SeedRandom(7);
        GameBench::BenchGame bench(GameBench::Drawing::Recording);
        MyGame& game = bench.Game();
        GameTest::AutoPlayer player(game, bench.Input(), "level1B");
        for (int frame = 0; frame < FrameLimit && game.GetCurrentLevelIndex() != VictoryLevel &&
                            game.GetCurrentLevelIndex() != LoseLevel;
             ++frame)
        {
            player.Act();
            bench.Frame();
            ++frames;
        }
        won = won && game.GetCurrentLevelIndex() == VictoryLevel;
    }
    if (!won)
        state.SkipWithError("the player did not win the act");
    state.counters["frames"] = static_cast<double>(frames) / static_cast<double>(state.iterations());
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
}  // namespace

BENCHMARK(PlayAct1Headless)->Unit(benchmark::kMillisecond);
