// The program's game until the game itself defines its creation function: the framework's game in
// a 1024 x 768 window at a locked 60 frames per second, on one level that clears the window.
#include "core/PAL_FileSystem.h"
#include "engine/Engine_Main.h"
#include "framework/Vellumar_Game.h"

namespace
{
class DefaultLevelFactory : public Vellumar::LevelFactory
{
public:
    u32 GetLevelsCount() override { return 1; }
    Vellumar::Level* CreateLevel(u32) override
    {
        auto* level = new (__FILE__, __LINE__) Vellumar::Level();
        level->SetName("Default");
        level->SetClearColor(Math::Color(0.15f, 0.3f, 0.5f, 1.0f));
        level->SetClearBackBuffer(true);
        return level;
    }
    void OnLevelSwitch() override {}
    bool GetLevelIndex(const Core::String& name, u32* index) override
    {
        if (name != "Default")
        {
            return false;
        }
        *index = 0;
        return true;
    }
};
}  // namespace

void CreateGame(Core::RefPtr<Engine::Application>& game, const char*)
{
    Engine::ApplicationSettings settings;
    settings.width = 1024;
    settings.height = 768;
    settings.refreshRate = 85;
    settings.samples = 0;
    settings.fullScreen = 0;
    settings.verticalSync = 1;
    auto* framework = new (__FILE__, __LINE__) Vellumar::Game(new (__FILE__, __LINE__) DefaultLevelFactory(), settings, 0);
    framework->SetFrameRate(60.0);
    framework->SetRateLock(1);
    framework->SetIcon(Vellumar::Game::GetDirectory() + "\\Resources\\GameIcon\\GameIcon.ico");
    framework->SetTitle("Morvane");
    game = framework;
}
