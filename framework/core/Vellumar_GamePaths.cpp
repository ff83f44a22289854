#include "platform/PAL_FileSystem.h"
#include "framework/core/Vellumar_Game.h"

namespace Vellumar
{
Core::String Game::GetDirectory()
{
    return Core::String(PAL::GetExecutableDirectory());
}

Core::String Game::GetExecutableName()
{
    return Core::String(PAL::GetExecutableName());
}

Core::String Game::GetExecutableNameNoExtension()
{
    Core::String name = GetExecutableName();
    if (name.EndsWith(".exe"))
    {
        name.erase(name.size() - 4);
    }
    return name;
}
}  // namespace Vellumar
