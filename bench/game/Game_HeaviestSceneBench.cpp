// The heaviest scene of the game: act 3's big boss in its second phase (body, head, two swinging
// arms, two plain eggs and the heavy enemies they make), an ice tower on each of the four sites
// with its frost pouring over the halted field, and the aim and bounce trails of a cannon aimed at
// the right wall. One iteration is one whole frame: stepped headless (the simulation alone) and
// drawn through OpenGL into a window (run that one under a display, e.g. Xvfb). The argument says
// whether the towers' frost pours: without it the same scene shows what the frost costs.
#include "bench/game/Game_BenchGame.h"
#include "framework/Vellumar_Layer.h"
#include "game/MyGame_BaseCityClass.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_BigBossClasses.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_TowerClass.h"
#include "game/MyGame_TowerClasses.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace
{
using GameBench::BenchGame;

class HeaviestScene
{
public:
    // False when the scene could not be built (no display, or the content lacks a part).
    bool Build(BenchGame& bench, bool frost)
    {
        bench.EnterAct("act3.txt");
        BaseLevelClass& level = bench.Level();
        // The waves are over: the act waits in its last record, the big boss's.
        level.recordIndex = static_cast<u32>(level.waveTable.size()) - 10u;
        level.readingRecords = 0;
        level.bossFlag = 1;
        level.waveMode = 1;
        level.SpawnBigBoss();
        bench.Frame();
        for (const char* egg : {"bb_fire_egg_clone", "bb_ice_egg_clone", "bb_lightning_egg_clone"})
        {
            auto* part = FindObjectByName<BigBossEggsClass>(egg);
            if (!part)
                return false;
            part->hitPoints = 0;
        }
        // The body sinks to its fighting height; the plain eggs hatch their first heavies.
        bench.Frames(700);
        for (const char* site : {"towerslot1", "towerslot2", "towerslot3", "towerslot4"})
        {
            auto* slot = FindObjectByName<SlotClass>(site);
            if (!slot)
                return false;
            level.resources = TowerClass::TowerPrice;
            slot->menuOpen = 1;
            slot->ToggleTowerSelection(slot->GetID());
            bench.Frame();
            auto* icon = FindObjectByName<SelectClass>("select_ice_clone");
            if (!icon)
                return false;
            icon->BuildTower(slot->GetID());
            slot->menuOpen = 0;
            slot->ToggleTowerSelection(slot->GetID());
            bench.Frame();
        }
        Core::Vector<Vellumar::GameObject*> objects;
        level.GetLayer(1)->GetGameObjects(objects);
        for (Vellumar::GameObject* object : objects)
            if (auto* tower = dynamic_cast<IceTowerClass*>(object); tower && tower->GetVisible())
                towers.push_back(tower);
        for (IceTowerClass* tower : towers)
            tower->active = frost ? 1 : 0;
        bench.PointAt(250.0f, 100.0f);
        // The frost fills the screen and the trails reach the wall.
        bench.Frames(240);
        Hold();
        return towers.size() == 4 && FindObjectByName<BigBossHeadClass>("bb_head_clone");
    }

    // The towers never run out of frost and the city never falls, however long the run.
    void Hold()
    {
        for (IceTowerClass* tower : towers)
            tower->haltTimer = 0;
        if (auto* city = FindObjectByName<BaseCityClass>("city"))
            city->hitPoints = BaseCityClass::StartHitPoints;
    }

private:
    std::vector<IceTowerClass*> towers;
};

void Run(benchmark::State& state, GameBench::Drawing drawing)
{
    BenchGame bench(drawing);
    HeaviestScene scene;
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
    for (auto _ : state)
    {
        bench.Frame();
        scene.Hold();
    }
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
