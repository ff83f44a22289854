#include "engine/Engine_Main.h"

#include "core/Core_Startup.h"
#include "platform/PAL_MessagePump.h"

namespace Engine
{
int EngineMain(const char* commandLine, GameCreator createGame)
{
    const Core::StartupGuard core;
    Core::RefPtr<Application> game;
    createGame(game, commandLine);
    while (PAL::PumpMessages())
    {
        game->BeginFrame();
        game->Update();
        game->EndFrame();
    }
    const int exitCode = game->GetExitCode();
    game->Shutdown();
    game = nullptr;
    return exitCode;
}
}  // namespace Engine
