// Script methods of "SpriteAnimation". "SetName" stands twice in the table, both rows one method.
#include "script/Lua_ScriptClass.h"
#include "framework/drawables/Vellumar_SpriteAnimation.h"

namespace Vellumar
{
namespace
{
i32 SetName(lua_State* state, SpriteAnimation& animation)
{
    if (Lua::HasArguments(state, 1))
        animation.SetName(Lua::CheckString(state, 1));
    return 0;
}

i32 GetName(lua_State* state, SpriteAnimation& animation)
{
    return Lua::PushString(state, animation.GetName());
}

i32 GetFrameWidth(lua_State* state, SpriteAnimation& animation)
{
    return Lua::PushNumber(state, animation.GetFrameWidth());
}

i32 GetFrameHeight(lua_State* state, SpriteAnimation& animation)
{
    return Lua::PushNumber(state, animation.GetFrameHeight());
}

i32 GetFramesCount(lua_State* state, SpriteAnimation& animation)
{
    return Lua::PushNumber(state, animation.GetFramesCount());
}

i32 GetFrameDelay(lua_State* state, SpriteAnimation& animation)
{
    return Lua::HasArguments(state, 1) ? Lua::PushNumber(state, animation.GetFrameDelay(Lua::CheckInteger(state, 1))) : 0;
}

i32 SetLoopStartingFrame(lua_State* state, SpriteAnimation& animation)
{
    if (Lua::HasArguments(state, 1))
        animation.SetLoopStartingFrame(Lua::CheckUnsigned(state, 1));
    return 0;
}

i32 GetLoopStartingFrame(lua_State* state, SpriteAnimation& animation)
{
    return Lua::PushNumber(state, animation.GetLoopStartingFrame());
}

i32 SetLoopEndingFrame(lua_State* state, SpriteAnimation& animation)
{
    if (Lua::HasArguments(state, 1))
        animation.SetLoopEndingFrame(Lua::CheckUnsigned(state, 1));
    return 0;
}

i32 GetLoopEndingFrame(lua_State* state, SpriteAnimation& animation)
{
    return Lua::PushNumber(state, animation.GetLoopEndingFrame());
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"SetName", Lua::Method<&SetName>},
    {"SetName", Lua::Method<&SetName>},
    {"GetName", Lua::Method<&GetName>},
    {"GetFrameWidth", Lua::Method<&GetFrameWidth>},
    {"GetFrameHeight", Lua::Method<&GetFrameHeight>},
    {"GetFramesCount", Lua::Method<&GetFramesCount>},
    {"GetFrameDelay", Lua::Method<&GetFrameDelay>},
    {"SetLoopStartingFrame", Lua::Method<&SetLoopStartingFrame>},
    {"GetLoopStartingFrame", Lua::Method<&GetLoopStartingFrame>},
    {"SetLoopEndingFrame", Lua::Method<&SetLoopEndingFrame>},
    {"GetLoopEndingFrame", Lua::Method<&GetLoopEndingFrame>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"SpriteAnimation", methods, true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace
} // namespace Vellumar
