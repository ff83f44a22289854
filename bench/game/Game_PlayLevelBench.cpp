// The play level stepped headless, one whole frame per iteration: the level's update (fade-in,
// the four resource bars, the progress bars, the wave reader, the pause test), 60 enemies walking
// and 20 projectiles flying, each hit-testing the enemy list. The projectiles' ages are put back
// each frame so that none expires.
#include "core/PAL_Clock.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_BaseAmmoClass.h"
#include "game/MyGame_BaseCityClass.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_CrystalClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MainEnemyClass.h"
#include "game/MyGame_MyGame.h"
#include "renderer/Renderer_RecordingRenderer.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace
{
template <class T>
T* Place(Vellumar::Level& level, const char* name, bool visible, f32 x = 0.0f, f32 y = 0.0f)
{
    auto* object = new T();
    object->SetName(name);
    object->SetVisible(visible);
    object->SetPosition(x, y);
    level.GetLayer(1)->AddGameObject(object, false, nullptr);
    return object;
}

// Level 0 is the play level with the archetypes and HUD sprites; the others are empty.
class PlayFactory : public Vellumar::LevelFactory
{
public:
    u32 GetLevelsCount() override { return 7; }
    bool GetLevelIndex(const Core::String&, u32*) override { return false; }
    void OnLevelSwitch() override {}
    Vellumar::Level* CreateLevel(u32 index) override
    {
        Vellumar::Level* level = index == 0 ? new BaseLevelClass() : new Vellumar::Level();
        for (int i = 0; i < 3; ++i)
        {
            auto* layer = new Vellumar::Layer(0.0f);
            layer->SetCollisionProperties(Math::Vector2D(-2000.0f, -2000.0f), 4000, 4000, 100);
            level->AddLayer(layer);
        }
        if (index != 0)
            return level;
        Place<Vellumar::Sprite>(*level, "camera0", false);
        Place<BasicClass>(*level, "enemy_basic", false);
        Place<LightClass>(*level, "enemy_light", false);
        Place<HeavyClass>(*level, "enemy_heavy", false);
        Place<CrystalClass>(*level, "crystal", false);
        Place<BaseAmmoClass>(*level, "ammo_base", false);
        Place<BaseCityClass>(*level, "city", true, 0.0f, -330.0f);
        for (const char* name : {"resource_bar_1", "resource_bar_2", "resource_bar_3", "resource_bar_4",
                                 "progress_bar1", "progress_bar2", "transit_black", "background"})
            Place<Vellumar::Sprite>(*level, name, true);
        return level;
    }
};

Core::RefPtr<Renderer::IRenderer> MakeRecordingRenderer(const Renderer::DisplaySettings& settings)
{
    return Renderer::CreateRecordingRenderer(settings);
}

void StepPlayLevel(benchmark::State& state)
{
    setenv("ALSOFT_DRIVERS", "null", 0);
    PAL::ScopedFakeClock clock(1000.0);
    Engine::ApplicationSettings settings;
    settings.width = 1024;
    settings.height = 768;
    Core::RefPtr<MyGame> game = new MyGame(new PlayFactory(), settings, 0, &MakeRecordingRenderer);
    game->SetRateLock(0);
    auto frame = [&] {
        game->BeginFrame();
        game->Update();
        game->EndFrame();
        clock.Advance(16.0);
    };
    for (int i = 0; i < 3; ++i)
        frame();
    BaseLevelClass* level = GetPlayLevel();
    level->resources = 47;
    level->recordCount = 12;
    level->spawnsFired = 5;
    level->Spawn(4);
    level->Spawn(22);
    level->Spawn(1);
    level->Spawn(1);
    std::vector<BaseAmmoClass*> shots;
    for (int i = 0; i < 20; ++i)
    {
        auto* shot = static_cast<BaseAmmoClass*>(FindObjectByName<BaseAmmoClass>("ammo_clone")->Clone());
        shot->SetName("ammo_base");
        shot->SetVisible(true);
        shot->SetPosition(-400.0f + 40.0f * static_cast<f32>(i), -200.0f);
        shot->SetRotationAngle(270.0f);
        level->GetLayer(1)->AddGameObject(shot, false, nullptr);
        shots.push_back(shot);
    }
    frame();
    for (auto _ : state)
    {
        frame();
        for (BaseAmmoClass* shot : shots)
            shot->age = 0;
    }
    state.counters["enemies"] = static_cast<double>(level->enemyList.size());
    game->Shutdown();
}
BENCHMARK(StepPlayLevel)->Unit(benchmark::kMicrosecond);
}  // namespace
