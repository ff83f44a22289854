#pragma once
// The one headless game the framework's fuzz targets share (recording renderer, scripted input):
// readers that place objects reach the engines through the game's instance, so every target must
// find the same one. It has one level, an empty screen, which it never runs by itself.
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/core/Vellumar_LevelFactory.h"
#include "renderer/Renderer_RecordingRenderer.h"
#include "tests/support/Input_FakeSource.h"

namespace FuzzFramework
{
class OneLevel final : public Vellumar::LevelFactory
{
public:
    u32 GetLevelsCount() override { return 1; }
    Vellumar::Level* CreateLevel(u32) override { return new Vellumar::Level(); }
    void OnLevelSwitch() override {}
    bool GetLevelIndex(const Core::String&, u32*) override { return false; }
};

class FuzzGame final : public Vellumar::Game
{
public:
    using Vellumar::Game::Game;
    using Vellumar::Game::ResetForLoad;
    using Vellumar::Game::UpdateFrame;
};

inline Core::RefPtr<Renderer::IRenderer> MakeRecordingRenderer(const Renderer::DisplaySettings& settings)
{
    return Renderer::CreateRecordingRenderer(settings);
}

inline FuzzGame& HeadlessGame()
{
    static FakeSource input;
    static Core::RefPtr<OneLevel> factory(new OneLevel());
    static FuzzGame* game = [] {
        Engine::ApplicationSettings settings;
        settings.width = 320;
        settings.height = 240;
        return new FuzzGame(factory.Get(), settings, 0, &MakeRecordingRenderer, input);
    }();
    return *game;
}
}  // namespace FuzzFramework
