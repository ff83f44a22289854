// Script methods of "Viewport". Sizes are integers, negative ones stored as 0; a call with too few
// arguments does nothing and returns no result.
#include "engine/Engine_Viewport.h"
#include "script/Lua_ScriptClass.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "framework/drawables/Vellumar_Viewport.h"

namespace Vellumar
{
namespace
{
const Engine::Viewport& Rectangle(const Viewport& viewport)
{
    return *viewport.GetEngineViewport();
}

i32 GetWidth(lua_State* state, Viewport& viewport)
{
    return Lua::PushNumber(state, Rectangle(viewport).GetWidth());
}

i32 GetHeight(lua_State* state, Viewport& viewport)
{
    return Lua::PushNumber(state, Rectangle(viewport).GetHeight());
}

i32 Set(lua_State* state, Viewport& viewport)
{
    if (Lua::HasArguments(state, 4))
        viewport.Set(Lua::CheckInteger(state, 1), Lua::CheckInteger(state, 2), Lua::CheckInteger(state, 3), Lua::CheckInteger(state, 4));
    return 0;
}

i32 Get(lua_State* state, Viewport& viewport)
{
    const Engine::Viewport& rectangle = Rectangle(viewport);
    Lua::PushNumber(state, rectangle.GetX());
    Lua::PushNumber(state, rectangle.GetY());
    Lua::PushNumber(state, rectangle.GetWidth());
    return 3 + Lua::PushNumber(state, rectangle.GetHeight());
}

i32 SetWidth(lua_State* state, Viewport& viewport)
{
    const Engine::Viewport& rectangle = Rectangle(viewport);
    if (Lua::HasArguments(state, 1))
        viewport.Set(rectangle.GetX(), rectangle.GetY(), Lua::CheckInteger(state, 1), rectangle.GetHeight());
    return 0;
}

i32 SetHeight(lua_State* state, Viewport& viewport)
{
    const Engine::Viewport& rectangle = Rectangle(viewport);
    if (Lua::HasArguments(state, 1))
        viewport.Set(rectangle.GetX(), rectangle.GetY(), rectangle.GetWidth(), Lua::CheckInteger(state, 1));
    return 0;
}

void MoveTo(Viewport& viewport, i32 x, i32 y)
{
    const Engine::Viewport& rectangle = Rectangle(viewport);
    viewport.Set(x, y, rectangle.GetWidth(), rectangle.GetHeight());
}

i32 SetPosition(lua_State* state, Viewport& viewport)
{
    if (Lua::IsTable(state, 1))
    {
        const Math::Point2D point = Lua::ToPoint(state, 1);
        MoveTo(viewport, static_cast<i32>(point.x), static_cast<i32>(point.y));
    }
    else if (Lua::HasArguments(state, 2))
    {
        MoveTo(viewport, Lua::CheckInteger(state, 1), Lua::CheckInteger(state, 2));
    }
    return 0;
}

i32 SetPositionX(lua_State* state, Viewport& viewport)
{
    if (Lua::HasArguments(state, 1))
        MoveTo(viewport, Lua::CheckInteger(state, 1), Rectangle(viewport).GetY());
    return 0;
}

i32 SetPositionY(lua_State* state, Viewport& viewport)
{
    if (Lua::HasArguments(state, 1))
        MoveTo(viewport, Rectangle(viewport).GetX(), Lua::CheckInteger(state, 1));
    return 0;
}

i32 GetPosition(lua_State* state, Viewport& viewport)
{
    const Engine::Viewport& rectangle = Rectangle(viewport);
    return Lua::PushPoint(state, Math::Point2D(static_cast<f32>(rectangle.GetX()), static_cast<f32>(rectangle.GetY())));
}

i32 GetPositionX(lua_State* state, Viewport& viewport)
{
    return Lua::PushNumber(state, Rectangle(viewport).GetX());
}

i32 GetPositionY(lua_State* state, Viewport& viewport)
{
    return Lua::PushNumber(state, Rectangle(viewport).GetY());
}

i32 SetClearColor(lua_State* state, Viewport& viewport)
{
    if (Lua::IsTable(state, 1))
        viewport.GetEngineViewport()->SetClearColor(Lua::ToColor(state, 1));
    return 0;
}

i32 GetClearColor(lua_State* state, Viewport& viewport)
{
    return Lua::PushColor(state, Rectangle(viewport).GetClearColor());
}

i32 SetCamera(lua_State* state, Viewport& viewport)
{
    if (Camera* camera = Lua::ToObject<Camera>(state, 1))
        viewport.SetCamera(camera);
    return 0;
}

i32 GetCamera(lua_State* state, Viewport& viewport)
{
    return viewport.GetCamera() ? Lua::PushObject(state, viewport.GetCamera()) : 0;
}

i32 SetName(lua_State* state, Viewport& viewport)
{
    if (Lua::HasArguments(state, 1))
        viewport.SetName(Lua::CheckString(state, 1));
    return 0;
}

i32 GetName(lua_State* state, Viewport& viewport)
{
    return Lua::PushString(state, viewport.GetName());
}

i32 SetBackground(lua_State* state, Viewport& viewport)
{
    if (Lua::HasArguments(state, 1))
        viewport.SetBackground(Lua::CheckString(state, 1));
    return 0;
}

i32 GetBackground(lua_State* state, Viewport& viewport)
{
    return Lua::PushString(state, viewport.GetBackground());
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"GetWidth", Lua::Method<&GetWidth>},
    {"GetHeight", Lua::Method<&GetHeight>},
    {"Set", Lua::Method<&Set>},
    {"Get", Lua::Method<&Get>},
    {"SetWidth", Lua::Method<&SetWidth>},
    {"SetHeight", Lua::Method<&SetHeight>},
    {"SetPosition", Lua::Method<&SetPosition>},
    {"SetPositionX", Lua::Method<&SetPositionX>},
    {"SetPositionY", Lua::Method<&SetPositionY>},
    {"GetPosition", Lua::Method<&GetPosition>},
    {"GetPositionX", Lua::Method<&GetPositionX>},
    {"GetPositionY", Lua::Method<&GetPositionY>},
    {"SetClearColor", Lua::Method<&SetClearColor>},
    {"GetClearColor", Lua::Method<&GetClearColor>},
    {"SetCamera", Lua::Method<&SetCamera>},
    {"GetCamera", Lua::Method<&GetCamera>},
    {"SetName", Lua::Method<&SetName>},
    {"GetName", Lua::Method<&GetName>},
    {"SetBackground", Lua::Method<&SetBackground>},
    {"GetBackground", Lua::Method<&GetBackground>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"Viewport", methods, true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace
} // namespace Vellumar
