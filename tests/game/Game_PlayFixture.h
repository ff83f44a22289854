#pragma once
// The play level on a headless game: a factory whose level 0 is the play level holding the
// archetypes and HUD sprites the tests need, under their content names, and whose other levels
// are empty; wave files written into a folder of the test's own; the generator seeded.
#include "core/Core_Random.h"
#include "framework/core/Vellumar_Random.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_BaseCityClass.h"
#include "game/MyGame_ButtonClass.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_CrystalClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MainEnemyClass.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_ShieldClass.h"
#include "game/MyGame_WaveClearClass.h"
#include "tests/framework/Framework_GameFixture.h"
#include "tests/support/Support_Scratch.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace GameTest
{
inline const char* const LevelNames[] = {"BaseLevel", "MainMenu", "LevelSelection", "Credits",
                                         "Victory",   "Lose",     "Options"};

class PlayFactory : public Vellumar::LevelFactory
{
public:
    using Builder = std::function<void(BaseLevelClass&)>;

    u32 GetLevelsCount() override { return 7; }
    bool GetLevelIndex(const Core::String& name, u32* index) override
    {
        for (u32 i = 0; i < 7; ++i)
            if (name == LevelNames[i])
            {
                *index = i;
                return true;
            }
        return false;
    }
    Vellumar::Level* CreateLevel(u32 index) override
    {
        Vellumar::Level* level = index == 0 ? new BaseLevelClass() : new Vellumar::Level();
        level->SetName(LevelNames[index]);
        for (const char* name : {"HUD", "layer1", "layer2"})
        {
            auto* layer = new Vellumar::Layer(0.0f);
            layer->SetName(name);
            layer->SetCollisionProperties(Math::Vector2D(-2000.0f, -2000.0f), 4000, 4000, 100);
            level->AddLayer(layer);
        }
        // As in the content, something else takes id 0, which the game reads as "no archetype".
        auto* camera = new Vellumar::GameObject();
        camera->SetName("camera0");
        level->GetLayer(2)->AddGameObject(camera, false, nullptr);
        if (index == 0 && build)
            build(static_cast<BaseLevelClass&>(*level));
        return level;
    }

    void OnLevelSwitch() override {}

    Builder build;
};

// An object of class T placed under a content name, visible or not, into layer 1.
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

// A sprite class built with as many empty animations of that many frames as asked.
template <class T>
T* PlaceAnimated(Vellumar::Level& level, const char* name, bool visible, u32 animations, f32 x = 0.0f, f32 y = 0.0f,
                 u32 frames = 2)
{
    Core::Vector<Vellumar::SpriteAnimation*> list;
    for (u32 i = 0; i < animations; ++i)
        list.push_back(new Vellumar::SpriteAnimation(nullptr, static_cast<i32>(frames), 1, Core::Vector<f32>(frames, 1.0f)));
    auto* object = new T(list);
    object->SetName(name);
    object->SetVisible(visible);
    object->SetPosition(x, y);
    level.GetLayer(1)->AddGameObject(object, false, nullptr);
    return object;
}

// The archetypes, bars, cover and city of the play layer.
inline void PlaceContent(BaseLevelClass& level)
{
    Place<BasicClass>(level, "enemy_basic", false);
    Place<HeavyClass>(level, "enemy_heavy", false);
    Place<LightClass>(level, "enemy_light", false);
    Place<HealerClass>(level, "enemy_healer", false);
    // The body's four frames; a bit's animation per hit point, each of two frames.
    PlaceAnimated<ShieldClass>(level, "shield_body", false, 1, 0.0f, 0.0f, 4);
    for (const char* bit : {"shield_left_bit", "shield_right_bit"})
        PlaceAnimated<ShieldBitClass>(level, bit, false, 4)->SetCurrentAnimation(3, false);
    Place<CrystalClass>(level, "crystal", false);
    Place<WaveClearClass>(level, "wave_clear", false);
    Place<BaseCityClass>(level, "city", true, 0.0f, -330.0f);
    for (const char* name : {"resource_bar_1", "resource_bar_2", "resource_bar_3", "resource_bar_4", "progress_bar1",
                             "progress_bar2", "transit_black", "background", "healAOE", "tut_mouse", "tut_target"})
        Place<Vellumar::Sprite>(level, name, true);
    for (const char* name : {"pause_exit", "pause_resume", "pause_restart"})
        Place<ButtonClass>(level, name, false);
}

class PlayFixture : public FrameworkTest::HeadlessGameTest
{
protected:
    void SetUp() override
    {
        HeadlessGameTest::SetUp();
        Core::SeedRandom(7);
        Engine::ApplicationSettings settings;
        settings.width = 1024;
        settings.height = 768;
        factory = new PlayFactory();
        factory->build = [this](BaseLevelClass& level) {
            PlaceContent(level);
            if (extraContent)
                extraContent(level);
        };
        game = new MyGame(factory.Get(), settings, 1, &FrameworkTest::MakeRecordingRenderer, input);
        // The fake clock does not move while a frame waits for the rate lock.
        game->SetRateLock(0);
        game->GetMouse()->SetWindow(input.window);
        input.area = Input::ClientArea{0, 0, 1024, 768};
        MoveMouse(512, 384);
    }

    void TearDown() override
    {
        game->Shutdown();
        game = nullptr;
    }

    // Starts the play level with that wave file; the level's objects have started when it returns.
    void Play(const std::string& waveFile)
    {
        RunFrames(3);
        game->waveFileName = waveFile.c_str();
        game->GoToLevel(0u);
        RunFrames(2);
    }

    // Writes a wave file of that text into the test's own folder, which the game then reads its
    // wave files from, and returns its name.
    std::string WaveFile(const std::string& text)
    {
        const std::string name = "test_" + std::to_string(waveFiles++) + ".txt";
        spawns.Write(name, std::vector<u8>(text.begin(), text.end()));
        game->spawnsFolder = spawns.Path().string().c_str();
        return name;
    }

    // y from the top of the window, as the window reports it.
    void MoveMouse(i32 x, i32 yFromTop)
    {
        input.cursorX = x;
        input.cursorY = yFromTop;
    }

    void RunFrame() { HeadlessGameTest::RunFrame(*game); }
    void RunFrames(int count)
    {
        for (int i = 0; i < count; ++i)
            RunFrame();
    }

    BaseLevelClass& Level() { return *GetPlayLevel(); }

    template <class T = Vellumar::Sprite>
    T* Find(const char* name)
    {
        return FindObjectByName<T>(name);
    }

    std::function<void(BaseLevelClass&)> extraContent;
    Core::RefPtr<PlayFactory> factory;
    Core::RefPtr<MyGame> game;
    TestSupport::ScratchFolder spawns{"morvane_spawns"};
    u32 waveFiles = 0;
};
}  // namespace GameTest
