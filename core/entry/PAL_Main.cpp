// Program entry. The engine's own main runs the core start-up, the game and the core shut-down.
#include "core/Core_Startup.h"

int main()
{
    Core::StartupGuard core;
    return 0;
}
