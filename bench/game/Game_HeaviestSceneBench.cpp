// The heaviest scene of the game: act 3's big boss in its second phase (body, head, two swinging
// arms, two plain eggs and the heavy enemies they make), an ice tower on each of the four sites
// with its frost pouring over the halted field, and the aim and bounce trails of a cannon aimed at
// the right wall. One iteration is one whole frame: stepped headless (the simulation alone) and
// drawn through OpenGL into a window (run that one under a display, e.g. Xvfb). The argument says
// whether the towers' frost pours: without it the same scene shows what the frost costs.
#include "bench/game/Game_BenchGame.h"
#include "framework/core/Vellumar_Layer.h"
#include "game/MyGame_BaseLevelClass.h"
#include "tests/game/Game_BusiestScene.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace
{
using GameBench::BenchGame;

// Processor time of every thread of the process, a software rasteriser's included, in ms: unlike
// the wall time, it hardly moves with the load of the machine.
double ProcessCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void Run(benchmark::State& state, GameBench::Drawing drawing)
{
    BenchGame bench(drawing);
    GameTest::BusiestScene scene;
    if (!bench.IsReady())
    {
        state.SkipWithError("no display");
        return;
    }
    if (!scene.Build(bench, state.range(0) != 0))
    {
        state.SkipWithError("the scene could not be built");
        return;
    }
    const double cpuBefore = ProcessCpuMs();
    for (auto _ : state)
    {
        bench.Frame();
        scene.Hold();
    }
    state.counters["all_threads_cpu_ms"] = (ProcessCpuMs() - cpuBefore) / static_cast<double>(state.iterations());
    state.counters["enemies"] = static_cast<double>(bench.Level().enemyList.size());
    Core::Vector<Vellumar::GameObject*> objects;
    bench.Level().GetLayer(1)->GetGameObjects(objects);
    state.counters["objects"] = static_cast<double>(objects.size());
}

void HeaviestSceneStepped(benchmark::State& state)
{
    Run(state, GameBench::Drawing::Recording);
}

void HeaviestSceneOpenGL(benchmark::State& state)
{
    Run(state, GameBench::Drawing::OpenGL);
}
}  // namespace

BENCHMARK(HeaviestSceneStepped)->ArgName("frost")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond)->Iterations(600);
BENCHMARK(HeaviestSceneOpenGL)->ArgName("frost")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(120);
