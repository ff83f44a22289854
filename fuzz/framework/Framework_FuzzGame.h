#pragma once
// The one headless game the framework's fuzz targets share (recording renderer, scripted input):
// readers that place objects reach the engines through the game's instance, so every target must
// find the same one. By default it has one level, an empty screen, which it never runs by itself;
// a target that needs levels of its own gives the factory a builder for the length of its inputs.
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/core/Vellumar_LevelFactory.h"
#include "renderer/Renderer_RecordingRenderer.h"
#include "tests/support/Input_FakeSource.h"

#include <string>

namespace FuzzFramework
{
class FuzzLevels final : public Vellumar::LevelFactory
{
public:
    // Fills the level of that index, named "level<index>" before the builder runs.
    using Builder = void (*)(Vellumar::Level& level, u32 index);

    // A null builder brings back the one empty level.
    void Use(Builder levelBuilder, u32 levelCount)
    {
        builder = levelBuilder;
        count = levelBuilder ? levelCount : 1;
    }

    u32 GetLevelsCount() override { return count; }
    Vellumar::Level* CreateLevel(u32 index) override
    {
        auto* level = new Vellumar::Level();
        if (builder)
        {
            level->SetName(Name(index).c_str());
            builder(*level, index);
        }
        return level;
    }
    void OnLevelSwitch() override {}
    bool GetLevelIndex(const Core::String& name, u32* index) override
    {
        for (u32 i = 0; builder && i < count; ++i)
        {
            if (name == Name(i).c_str())
            {
                *index = i;
                return true;
            }
        }
        return false;
    }

    static std::string Name(u32 index) { return "level" + std::to_string(index); }

private:
    Builder builder = nullptr;
    u32 count = 1;
};

class FuzzGame final : public Vellumar::Game
{
public:
    using Vellumar::Game::Game;
    using Vellumar::Game::ResetForLoad;
    using Vellumar::Game::UpdateFrame;

    // As games do: a player who leaves takes the objects it controlled along.
    void OnPlayerRemoved(Vellumar::VelPlayer* player) override
    {
        GetNetworkEngine()->RemoveNetObjectsControlledBy(player);
    }
};

inline Core::RefPtr<Renderer::IRenderer> MakeRecordingRenderer(const Renderer::DisplaySettings& settings)
{
    return Renderer::CreateRecordingRenderer(settings);
}

inline FuzzLevels& Levels()
{
    static Core::RefPtr<FuzzLevels> factory(new FuzzLevels());
    return *factory;
}

inline FuzzGame& HeadlessGame()
{
    static FakeSource input;
    static FuzzGame* game = [] {
        Engine::ApplicationSettings settings;
        settings.width = 320;
        settings.height = 240;
        return new FuzzGame(&Levels(), settings, 0, &MakeRecordingRenderer, input);
    }();
    return *game;
}
}  // namespace FuzzFramework
