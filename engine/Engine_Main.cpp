#include "engine/Engine_Main.h"

#include "core/Core_Startup.h"
#include "core/PAL_MessagePump.h"

namespace Engine
{
int EngineMain(const char* commandLine)
{
    const Core::StartupGuard core;
    Core::RefPtr<Application> game;
    CreateGame(game, commandLine);
    while (PAL::PumpMessages())
    {
        game->BeginFrame();
        game->Update();
        game->EndFrame();
    }
    game->Shutdown();
    game = nullptr;
    return 0;
}
}  // namespace Engine
