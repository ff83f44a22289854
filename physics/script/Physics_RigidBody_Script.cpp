// Script methods of "RigidBody" and "MassProperties". Angles are degrees; a boolean result is the
// number 1 or 0.
#include "script/Lua_ScriptClass.h"
#include "physics/Physics_Force.h"
#include "physics/Physics_MassProperties.h"
#include "physics/Physics_RigidBody.h"
#include "physics/script/Physics_Script.h"

namespace Physics2D
{
namespace
{
i32 SetMassProperties(lua_State* state, RigidBody& body)
{
    if (const MassProperties* properties = Lua::ToObject<MassProperties>(state, 1))
        body.SetMassProperties(*properties);
    return 0;
}

i32 GetMassProperties(lua_State* state, RigidBody& body)
{
    return Lua::PushValueCopy(state, body.GetMassProperties(), "MassProperties");
}

i32 SetVelocity(lua_State* state, RigidBody& body)
{
    if (Lua::IsTable(state, 1))
        body.SetVelocity(Lua::ToVector(state, 1));
    return 0;
}

i32 GetVelocity(lua_State* state, RigidBody& body)
{
    return Lua::PushVector(state, body.GetVelocity());
}

i32 SetPosition(lua_State* state, RigidBody& body)
{
    if (Lua::IsTable(state, 1))
        body.SetPosition(Lua::ToPoint(state, 1));
    return 0;
}

i32 GetPosition(lua_State* state, RigidBody& body)
{
    return Lua::PushPoint(state, body.GetPosition());
}

i32 GetCenterOfMass(lua_State* state, RigidBody& body)
{
    return Lua::PushPoint(state, body.GetCenterOfMass());
}

i32 SetAngularVelocity(lua_State* state, RigidBody& body)
{
    if (Lua::HasArguments(state, 1))
        body.SetAngularVelocity(Lua::CheckFloat(state, 1));
    return 0;
}

i32 GetAngularVelocity(lua_State* state, RigidBody& body)
{
    return Lua::PushNumber(state, body.GetAngularVelocity());
}

i32 SetOrientation(lua_State* state, RigidBody& body)
{
    if (Lua::HasArguments(state, 1))
        body.SetOrientation(Lua::CheckFloat(state, 1));
    return 0;
}

i32 GetOrientation(lua_State* state, RigidBody& body)
{
    return Lua::PushNumber(state, body.GetOrientation());
}

i32 GetMatrix(lua_State* state, RigidBody& body)
{
    return PushMatrix(state, body.GetMatrix());
}

i32 GetRotationMatrix(lua_State* state, RigidBody& body)
{
    return PushMatrix(state, body.GetRotationMatrix());
}

i32 GetInverseMatrix(lua_State* state, RigidBody& body)
{
    return PushMatrix(state, body.GetInverseMatrix());
}

i32 AddForce(lua_State* state, RigidBody& body)
{
    Force* force = Lua::ToObject<Force>(state, 1);
    return force ? Lua::PushNumber(state, body.AddForce(force)) : 0;
}

i32 RemoveForce(lua_State* state, RigidBody& body)
{
    return Lua::HasArguments(state, 1) ? PushFlag(state, body.RemoveForce(Lua::CheckUnsigned(state, 1))) : 0;
}

i32 RemoveAllForces(lua_State* state, RigidBody& body)
{
    return PushFlag(state, body.RemoveAllForces());
}

const Vellumar::ScriptMethodEntry bodyMethods[] = {
    {"SetMassProperties", Lua::Method<&SetMassProperties>},
    {"GetMassProperties", Lua::Method<&GetMassProperties>},
    {"SetVelocity", Lua::Method<&SetVelocity>},
    {"GetVelocity", Lua::Method<&GetVelocity>},
    {"SetPosition", Lua::Method<&SetPosition>},
    {"GetPosition", Lua::Method<&GetPosition>},
    {"GetCenterOfMass", Lua::Method<&GetCenterOfMass>},
    {"SetAngularVelocity", Lua::Method<&SetAngularVelocity>},
    {"GetAngularVelocity", Lua::Method<&GetAngularVelocity>},
    {"SetOrientation", Lua::Method<&SetOrientation>},
    {"GetOrientation", Lua::Method<&GetOrientation>},
    {"GetMatrix", Lua::Method<&GetMatrix>},
    {"GetRotationMatrix", Lua::Method<&GetRotationMatrix>},
    {"GetInverseMatrix", Lua::Method<&GetInverseMatrix>},
    {"SetData", Lua::Method<&DoNothing>},
    {"GetData", Lua::Method<&DoNothing>},
    {"AddForce", Lua::Method<&AddForce>},
    {"RemoveForce", Lua::Method<&RemoveForce>},
    {"RemoveAllForces", Lua::Method<&RemoveAllForces>},
    {nullptr, nullptr},
};
const Lua::ScriptClass bodyClass{"RigidBody", bodyMethods, true};
const Lua::ScriptClassRegistrar bodyRegistrar(bodyClass);

i32 SetMass(lua_State* state, MassProperties& properties)
{
    if (Lua::HasArguments(state, 1))
        properties.SetMass(Lua::CheckFloat(state, 1));
    return 0;
}

i32 SetInertia(lua_State* state, MassProperties& properties)
{
    if (Lua::HasArguments(state, 1))
        properties.SetInertia(Lua::CheckFloat(state, 1));
    return 0;
}

template <float (MassProperties::*Value)() const>
i32 GetValue(lua_State* state, MassProperties& properties)
{
    return Lua::PushNumber(state, (properties.*Value)());
}

i32 SetCenter(lua_State* state, MassProperties& properties)
{
    if (Lua::IsTable(state, 1))
        properties.SetCenterOfMass(Lua::ToPoint(state, 1));
    return 0;
}

i32 GetCenter(lua_State* state, MassProperties& properties)
{
    return Lua::PushPoint(state, properties.GetCenterOfMass());
}

const Vellumar::ScriptMethodEntry massMethods[] = {
    {"SetMass", Lua::Method<&SetMass>},
    {"SetInertia", Lua::Method<&SetInertia>},
    {"GetMass", Lua::Method<&GetValue<&MassProperties::GetMass>>},
    {"GetInverseMass", Lua::Method<&GetValue<&MassProperties::GetInverseMass>>},
    {"GetInertia", Lua::Method<&GetValue<&MassProperties::GetInertia>>},
    {"GetInverseInertia", Lua::Method<&GetValue<&MassProperties::GetInverseInertia>>},
    {"SetCenterOfMass", Lua::Method<&SetCenter>},
    {"GetCenterOfMass", Lua::Method<&GetCenter>},
    {nullptr, nullptr},
};
const Lua::ScriptClass massClass{"MassProperties", massMethods, true};
const Lua::ScriptClassRegistrar massRegistrar(massClass);
} // namespace
} // namespace Physics2D
