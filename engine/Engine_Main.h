#pragma once
// The engine's main function and the shape of the game's creation function that it calls.
#include "core/Core_Object.h"
#include "engine/Engine_Application.h"

namespace Engine
{
// The game's creation function: stores a new game (count 1) in the reference. The command line is
// ignored. The program hands it to the engine, so that the engine never names the game it runs.
using GameCreator = void (*)(Core::RefPtr<Application>& game, const char* commandLine);

// Runs the whole program between the core start-up and shut-down: creates the game, runs frames
// (message pump, BeginFrame, Update, EndFrame) until the quit message, shuts the game down and
// releases it. Returns the process exit code: 0, or the code the game quit with (Application::Quit).
int EngineMain(const char* commandLine, GameCreator createGame);
}  // namespace Engine
