#include "framework/core/Vellumar_Resources.h"

#include "script/Lua_ScriptEngine.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_GameObject.h"

namespace Vellumar
{
bool IsResourceName(const Core::String& name)
{
    return !name.empty() && name.find('\\') == Core::String::npos && name.find('/') == Core::String::npos &&
           name != "." && name != "..";
}

Core::String ResourceFile(const char* folder, const Core::String& name)
{
    if (!IsResourceName(name))
    {
        return Core::String();
    }
    return Game::GetDirectory() + "\\Resources\\" + folder + "\\" + name;
}

Core::String ResourceFile(const char* folder, const Core::String& subFolder, const Core::String& name)
{
    if (!IsResourceName(subFolder) || !IsResourceName(name))
    {
        return Core::String();
    }
    return Game::GetDirectory() + "\\Resources\\" + folder + "\\" + subFolder + "\\" + name;
}

Core::String ScriptDirectory()
{
    const Game* game = Game::GetInstance();
    return game ? game->GetScriptDirectory() : Game::GetDirectory();
}

void NotifyClone(GameObject& copy, const GameObject& source)
{
    if (LuaScript* script = copy.GetScript())
    {
        script->CallHook("OnClone", const_cast<GameObject*>(&source));
    }
}
}  // namespace Vellumar
