// The program's game until the game itself defines its creation function: the engine's default
// game in a 1024 x 768 window.
#include "engine/Engine_DefaultGame.h"
#include "engine/Engine_Main.h"

void CreateGame(Core::RefPtr<Engine::Application>& game, const char*)
{
    Engine::ApplicationSettings settings;
    settings.width = 1024;
    settings.height = 768;
    settings.refreshRate = 85;
    settings.samples = 0;
    settings.fullScreen = 0;
    settings.verticalSync = 1;
    game = new (__FILE__, __LINE__) Engine::DefaultGame(settings);
}
