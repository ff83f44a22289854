// Script methods of forces ("Force", and the same table under the names of its three kinds) and
// of a body's force container "Forces". A boolean result is the number 1 or 0.
#include "script/Lua_ScriptClass.h"
#include "physics/Physics_Force.h"
#include "physics/Physics_Forces.h"
#include "physics/Physics_RigidBody.h"
#include "physics/script/Physics_Script.h"

namespace Physics2D
{
namespace
{
i32 Initialize(lua_State* state, Force& force)
{
    if (RigidBody* body = Lua::ToObject<RigidBody>(state, 1))
        force.SetBody(body);
    return 0;
}

i32 Evaluate(lua_State* state, Force& force)
{
    if (Lua::HasArguments(state, 1))
        force.Evaluate(Lua::CheckFloat(state, 1));
    return 0;
}

i32 Update(lua_State* state, Force& force)
{
    if (Lua::HasArguments(state, 1))
        force.Update(Lua::CheckFloat(state, 1));
    return 0;
}

i32 SetPosition(lua_State* state, Force& force)
{
    if (Lua::IsTable(state, 1))
        force.SetPosition(Lua::ToPoint(state, 1));
    return 0;
}

i32 GetPosition(lua_State* state, Force& force)
{
    return Lua::PushPoint(state, force.GetPosition());
}

i32 GetVector(lua_State* state, Force& force)
{
    return Lua::PushVector(state, force.GetVector());
}

i32 GetBody(lua_State* state, Force& force)
{
    return Lua::PushObject(state, force.GetBody());
}

i32 GetTime(lua_State* state, Force& force)
{
    return Lua::PushNumber(state, force.GetTime());
}

i32 SetTimeToLive(lua_State* state, Force& force)
{
    if (Lua::HasArguments(state, 1))
        force.SetTimeToLive(Lua::CheckFloat(state, 1));
    return 0;
}

i32 GetTimeToLive(lua_State* state, Force& force)
{
    return Lua::PushNumber(state, force.GetTimeToLive());
}

i32 GetEvaluatedForce(lua_State* state, Force& force)
{
    return Lua::PushVector(state, force.GetEvaluatedForce());
}

i32 GetEvaluatedTorque(lua_State* state, Force& force)
{
    return Lua::PushNumber(state, force.GetEvaluatedTorque());
}

const Vellumar::ScriptMethodEntry forceMethods[] = {
    {"Initialize", Lua::Method<&Initialize>},
    {"Evaluate", Lua::Method<&Evaluate>},
    {"Update", Lua::Method<&Update>},
    {"SetPosition", Lua::Method<&SetPosition>},
    {"GetPosition", Lua::Method<&GetPosition>},
    {"GetVector", Lua::Method<&GetVector>},
    {"GetBody", Lua::Method<&GetBody>},
    {"GetTime", Lua::Method<&GetTime>},
    {"SetTimeToLive", Lua::Method<&SetTimeToLive>},
    {"GetTimeToLive", Lua::Method<&GetTimeToLive>},
    {"GetEvaluatedForce", Lua::Method<&GetEvaluatedForce>},
    {"GetEvaluatedTorque", Lua::Method<&GetEvaluatedTorque>},
    {nullptr, nullptr},
};
const Lua::ScriptClass forceClass{"Force", forceMethods, true};
const Lua::ScriptClass constantForceClass{"ConstantForce", forceMethods, true};
const Lua::ScriptClass gravityForceClass{"GravityForce", forceMethods, true};
const Lua::ScriptClass dragForceClass{"DragForce", forceMethods, true};
const Lua::ScriptClassRegistrar forceRegistrar(forceClass);
const Lua::ScriptClassRegistrar constantForceRegistrar(constantForceClass);
const Lua::ScriptClassRegistrar gravityForceRegistrar(gravityForceClass);
const Lua::ScriptClassRegistrar dragForceRegistrar(dragForceClass);

i32 SetBody(lua_State* state, Forces& forces)
{
    if (RigidBody* body = Lua::ToObject<RigidBody>(state, 1))
        forces.SetBody(body);
    return 0;
}

i32 GetForcesBody(lua_State* state, Forces& forces)
{
    return Lua::PushObject(state, forces.GetBody());
}

i32 AddForce(lua_State* state, Forces& forces)
{
    Force* force = Lua::ToObject<Force>(state, 1);
    return force ? Lua::PushNumber(state, forces.AddForce(force)) : 0;
}

i32 RemoveForce(lua_State* state, Forces& forces)
{
    return Lua::HasArguments(state, 1) ? PushFlag(state, forces.RemoveForce(Lua::CheckUnsigned(state, 1))) : 0;
}

i32 RemoveAllForces(lua_State* state, Forces& forces)
{
    return Lua::HasArguments(state, 1) ? PushFlag(state, forces.RemoveAllForces()) : 0;
}

const Vellumar::ScriptMethodEntry forcesMethods[] = {
    {"SetBody", Lua::Method<&SetBody>},
    {"GetBody", Lua::Method<&GetForcesBody>},
    {"AddForce", Lua::Method<&AddForce>},
    {"RemoveForce", Lua::Method<&RemoveForce>},
    {"RemoveAllForces", Lua::Method<&RemoveAllForces>},
    {"UpdateForces", Lua::Method<&DoNothing>},
    {nullptr, nullptr},
};
const Lua::ScriptClass forcesClass{"Forces", forcesMethods, true};
const Lua::ScriptClassRegistrar forcesRegistrar(forcesClass);
} // namespace
} // namespace Physics2D
