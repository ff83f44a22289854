// Script methods of the particle emitters: one table of six rows, under the name of the base and
// of each of the six shapes.
#include "script/Lua_ScriptClass.h"
#include "script/Lua_ScriptEngine.h"
#include "framework/drawables/Vellumar_ParticleEmitter.h"

namespace Vellumar
{
namespace
{
i32 ObjectFunction(lua_State* state, ParticleEmitter& emitter)
{
    return LuaScript::ObjectFunction(state, emitter.GetScript());
}

i32 GetPositionAndDirection(lua_State* state, ParticleEmitter& emitter)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    Math::Point2D position;
    Math::Vector2D direction;
    emitter.GetPositionAndDirection(Lua::CheckFloat(state, 1), position, direction);
    Lua::PushPoint(state, position);
    return 1 + Lua::PushVector(state, direction);
}

i32 Clone(lua_State* state, ParticleEmitter& emitter)
{
    return Lua::PushObject(state, emitter.Clone());
}

i32 SetScript(lua_State* state, ParticleEmitter& emitter)
{
    if (Lua::HasArguments(state, 1))
        emitter.SetScript(Lua::CheckString(state, 1));
    return 0;
}

i32 RunScript(lua_State*, ParticleEmitter& emitter)
{
    emitter.RunScript();
    return 0;
}

i32 AddManagedObject(lua_State* state, ParticleEmitter& emitter)
{
    Core::Object* object = Lua::ToObject<Core::Object>(state, 1);
    if (object && Lua::HasArguments(state, 2))
        emitter.AddManagedObject(object, Lua::CheckString(state, 2));
    return 0;
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"ObjectFunction", Lua::Method<&ObjectFunction>},
    {"GetPositionAndDirection", Lua::Method<&GetPositionAndDirection>},
    {"Clone", Lua::Method<&Clone>},
    {"SetScript", Lua::Method<&SetScript>},
    {"RunScript", Lua::Method<&RunScript>},
    {"AddManagedObject", Lua::Method<&AddManagedObject>},
    {nullptr, nullptr},
};
const Lua::ScriptClass baseClass{"ParticleEmitter", methods, true};
const Lua::ScriptClass pointClass{"PointEmitter", methods, true};
const Lua::ScriptClass lineClass{"LineEmitter", methods, true};
const Lua::ScriptClass circleClass{"CircleEmitter", methods, true};
const Lua::ScriptClass diskClass{"DiskEmitter", methods, true};
const Lua::ScriptClass rectangleClass{"RectangleEmitter", methods, true};
const Lua::ScriptClass filledRectangleClass{"FilledRectangleEmitter", methods, true};
const Lua::ScriptClassRegistrar baseRegistrar(baseClass);
const Lua::ScriptClassRegistrar pointRegistrar(pointClass);
const Lua::ScriptClassRegistrar lineRegistrar(lineClass);
const Lua::ScriptClassRegistrar circleRegistrar(circleClass);
const Lua::ScriptClassRegistrar diskRegistrar(diskClass);
const Lua::ScriptClassRegistrar rectangleRegistrar(rectangleClass);
const Lua::ScriptClassRegistrar filledRectangleRegistrar(filledRectangleClass);
} // namespace
} // namespace Vellumar
