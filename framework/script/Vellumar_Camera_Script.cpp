// Script methods of "Camera": the GameObject rows and the camera's own.
#include "script/Lua_ScriptClass.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "framework/script/Vellumar_GameObject_Script.h"

namespace Vellumar
{
namespace
{
i32 SetFOV(lua_State* state, Camera& camera)
{
    if (Lua::HasArguments(state, 1))
        camera.SetFOV(Lua::CheckFloat(state, 1));
    return 0;
}

i32 GetFOV(lua_State* state, Camera& camera)
{
    return Lua::PushNumber(state, camera.GetFOV());
}

i32 UpdateFromKeyboard(lua_State*, Camera& camera)
{
    camera.UpdateFromKeyboard();
    return 0;
}

i32 MakeActiveListener(lua_State*, Camera& camera)
{
    camera.MakeActiveListener();
    return 0;
}

i32 IsActiveListener(lua_State* state, Camera& camera)
{
    return Lua::PushBoolean(state, camera.IsActiveListener());
}

const Vellumar::ScriptMethodEntry cameraMethods[] = {
    {"SetFOV", Lua::Method<&SetFOV>},
    {"GetFOV", Lua::Method<&GetFOV>},
    {"UpdateFromKeyboard", Lua::Method<&UpdateFromKeyboard>},
    {"MakeActiveListener", Lua::Method<&MakeActiveListener>},
    {"IsActiveListener", Lua::Method<&IsActiveListener>},
    {"Clone", Lua::Method<&CloneForScript>},
    {nullptr, nullptr},
};
const Core::Vector<Vellumar::ScriptMethodEntry> methods = ComposeScriptMethods(cameraMethods);
const Lua::ScriptClass scriptClass{"Camera", methods.data(), true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace
} // namespace Vellumar
