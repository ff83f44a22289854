#pragma once
// The engine's main function and the game's creation function that it calls.
#include "core/Core_Object.h"
#include "engine/Engine_Application.h"

namespace Engine
{
// Runs the whole program between the core start-up and shut-down: creates the game, runs frames
// (message pump, BeginFrame, Update, EndFrame) until the quit message, shuts the game down and
// releases it. Returns the process exit code, 0.
int EngineMain(const char* commandLine);
}  // namespace Engine

// The game's creation function: stores a new game (count 1) in the reference. The command line is
// ignored. The program defines it, never the engine library, so that exactly one game is linked.
void CreateGame(Core::RefPtr<Engine::Application>& game, const char* commandLine);
