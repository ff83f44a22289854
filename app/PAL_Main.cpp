// Program entry: the command line and the game's creation function go to the engine's main
// function, which runs everything.
#include "engine/Engine_Main.h"
#include "game/MyGame_MyGame.h"

#include <string>

int main(int argc, char** argv)
{
    std::string commandLine;
    for (int i = 1; i < argc; ++i)
    {
        commandLine += i > 1 ? " " : "";
        commandLine += argv[i];
    }
    return Engine::EngineMain(commandLine.c_str(), &CreateGame);
}
