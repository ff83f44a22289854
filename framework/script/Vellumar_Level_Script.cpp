// Script methods of "Level". A call with too few arguments does nothing and returns no result.
#include "framework/sound/Vellumar_JukeBox.h"
#include "script/Lua_ScriptClass.h"
#include "script/Lua_ScriptEngine.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_GameObject.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/script/Vellumar_Script.h"
#include "framework/drawables/Vellumar_Viewport.h"

namespace Vellumar
{
i32 PushGameObjects(lua_State* state, const Core::Vector<GameObject*>& objects)
{
    Lua::PushNewTable(state);
    u32 position = 0;
    for (GameObject* object : objects)
    {
        Lua::PushObject(state, object);
        Lua::SetListElement(state, ++position);
    }
    return 1;
}

bool ReadViewportArgument(lua_State* state, const Viewport*& viewport)
{
    viewport = Lua::ToObject<Viewport>(state, 1);
    if (viewport)
        return true;
    if (!Lua::IsNumber(state, 1))
        return false;
    Game* game = Game::GetInstance();
    const Level* level = game ? game->GetCurrentLevel() : nullptr;
    u32 index = 0;
    if (level && Lua::CheckIndex(state, 1, level->GetViewportsCount(), index))
        viewport = level->GetViewport(index);
    return true;
}

namespace
{
i32 ObjectFunction(lua_State* state, Level& level)
{
    return LuaScript::ObjectFunction(state, level.GetScript());
}

i32 AddManagedObject(lua_State* state, Level& level)
{
    GameObject* object = Lua::ToObject<GameObject>(state, 1);
    if (object && Lua::HasArguments(state, 2))
        level.AddManagedObject(object, Lua::CheckString(state, 2));
    return 0;
}

i32 SetName(lua_State* state, Level& level)
{
    if (Lua::HasArguments(state, 1))
        level.SetName(Lua::CheckString(state, 1));
    return 0;
}

i32 GetName(lua_State* state, Level& level)
{
    return Lua::PushString(state, level.GetName());
}

i32 AddLayer(lua_State* state, Level& level)
{
    if (Layer* layer = Lua::ToObject<Layer>(state, 1))
        level.AddLayer(layer);
    return 0;
}

i32 GetLayersCount(lua_State* state, Level& level)
{
    return Lua::PushNumber(state, level.GetLayersCount());
}

// A number is an index (truncated), anything else a name; no match pushes nothing.
template <class T, T* (Level::*ByIndex)(u32) const, T* (Level::*ByName)(const Core::String&) const,
          u32 (Level::*Count)() const>
i32 GetByIndexOrName(lua_State* state, Level& level)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    T* found = nullptr;
    u32 index = 0;
    if (Lua::IsNumber(state, 1))
        found = Lua::CheckIndex(state, 1, (level.*Count)(), index) ? (level.*ByIndex)(index) : nullptr;
    else
        found = (level.*ByName)(Lua::CheckString(state, 1));
    return found ? Lua::PushObject(state, found) : 0;
}

i32 AddViewport(lua_State* state, Level& level)
{
    if (Viewport* viewport = Lua::ToObject<Viewport>(state, 1))
        level.AddViewport(viewport);
    return 0;
}

i32 RemoveViewport(lua_State* state, Level& level)
{
    if (Viewport* viewport = Lua::ToObject<Viewport>(state, 1))
        level.RemoveViewport(viewport);
    return 0;
}

i32 GetViewportsCount(lua_State* state, Level& level)
{
    return Lua::PushNumber(state, level.GetViewportsCount());
}

i32 CreateJukeBox(lua_State* state, Level& level)
{
    if (JukeBox* jukeBox = Lua::ToObject<JukeBox>(state, 1))
        level.SetJukeBox(jukeBox);
    return 0;
}

i32 GetJukeBox(lua_State* state, Level& level)
{
    return Lua::PushObject(state, level.GetJukeBox());
}

i32 SetClearBackBuffer(lua_State* state, Level& level)
{
    if (Lua::HasArguments(state, 1))
        level.SetClearBackBuffer(Lua::ToBoolean(state, 1));
    return 0;
}

i32 GetClearBackBuffer(lua_State* state, Level& level)
{
    return Lua::PushBoolean(state, level.GetClearBackBuffer());
}

i32 SetClearColor(lua_State* state, Level& level)
{
    if (Lua::IsTable(state, 1))
        level.SetClearColor(Lua::ToColor(state, 1));
    return 0;
}

i32 GetClearColor(lua_State* state, Level& level)
{
    return Lua::PushColor(state, level.GetClearColor());
}

i32 GetGameObjects(lua_State* state, Level& level)
{
    Core::Vector<GameObject*> objects;
    if (Lua::HasArguments(state, 1))
        level.GetGameObjectsByName(Lua::CheckString(state, 1), objects);
    else
        level.GetGameObjects(objects);
    return PushGameObjects(state, objects);
}

i32 GetGameObjectsByName(lua_State* state, Level& level)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    Core::Vector<GameObject*> objects;
    level.GetGameObjectsByName(Lua::CheckString(state, 1), objects);
    return PushGameObjects(state, objects);
}

i32 SetScript(lua_State* state, Level& level)
{
    if (Lua::HasArguments(state, 1))
        level.SetScriptName(Lua::CheckString(state, 1));
    return 0;
}

i32 RunScript(lua_State*, Level& level)
{
    level.RunScript();
    return 0;
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"ObjectFunction", Lua::Method<&ObjectFunction>},
    {"AddManagedObject", Lua::Method<&AddManagedObject>},
    {"SetName", Lua::Method<&SetName>},
    {"GetName", Lua::Method<&GetName>},
    {"AddLayer", Lua::Method<&AddLayer>},
    {"GetLayersCount", Lua::Method<&GetLayersCount>},
    {"GetLayer", Lua::Method<&GetByIndexOrName<Layer, &Level::GetLayer, &Level::GetLayer, &Level::GetLayersCount>>},
    {"AddViewport", Lua::Method<&AddViewport>},
    {"RemoveViewport", Lua::Method<&RemoveViewport>},
    {"GetViewportsCount", Lua::Method<&GetViewportsCount>},
    {"GetViewport",
     Lua::Method<&GetByIndexOrName<Viewport, &Level::GetViewport, &Level::GetViewport, &Level::GetViewportsCount>>},
    {"CreateJukeBox", Lua::Method<&CreateJukeBox>},
    {"GetJukeBox", Lua::Method<&GetJukeBox>},
    {"SetClearBackBuffer", Lua::Method<&SetClearBackBuffer>},
    {"GetClearBackBuffer", Lua::Method<&GetClearBackBuffer>},
    {"SetClearColor", Lua::Method<&SetClearColor>},
    {"GetClearColor", Lua::Method<&GetClearColor>},
    {"GetGameObjects", Lua::Method<&GetGameObjects>},
    {"GetGameObjectsByName", Lua::Method<&GetGameObjectsByName>},
    {"SetScript", Lua::Method<&SetScript>},
    {"RunScript", Lua::Method<&RunScript>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"Level", methods, true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace
} // namespace Vellumar
