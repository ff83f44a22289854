// Script methods of "PhysicsEngine". Ids are numbers converted to u32; a call with fewer arguments
// than the method reads does nothing and returns no result.
#include "math/Math_Matrix3x3.h"
#include "script/Lua_ScriptClass.h"
#include "physics/Physics_Contact.h"
#include "physics/Physics_Joint.h"
#include "physics/Physics_MassProperties.h"
#include "physics/Physics_PhysicsEngine.h"
#include "physics/Physics_RigidBody.h"
#include "physics/script/Physics_Script.h"

namespace Physics2D
{
i32 PushFlag(lua_State* state, bool value)
{
    return Lua::PushNumber(state, value ? 1 : 0);
}

i32 DoNothing(lua_State*, Core::Base&)
{
    return 0;
}

i32 PushMatrix(lua_State* state, const Math::Matrix3x3& matrix)
{
    for (const float element : matrix.m)
        Lua::PushNumber(state, element);
    if (Lua::CallGlobal(state, "CreateMatrix", 9, 1))
        return 1;
    return Lua::PushNil(state);
}

namespace
{
u32 ToId(lua_State* state, i32 index)
{
    return Lua::CheckUnsigned(state, index);
}

i32 AddRigidBody(lua_State* state, PhysicsEngine& engine)
{
    if (RigidBody* body = Lua::ToObject<RigidBody>(state, 1))
        engine.AddRigidBody(body);
    return 0;
}

i32 RemoveRigidBody(lua_State* state, PhysicsEngine& engine)
{
    if (Lua::HasArguments(state, 1))
        engine.RemoveRigidBody(ToId(state, 1));
    return 0;
}

i32 AddJoint(lua_State* state, PhysicsEngine& engine)
{
    Joint* joint = Lua::ToObject<Joint>(state, 3);
    if (!joint)
        return 0;
    return Lua::PushObject(state, engine.AddJoint(ToId(state, 1), ToId(state, 2), joint));
}

i32 AddContact(lua_State* state, PhysicsEngine& engine)
{
    Contact* contact = Lua::ToObject<Contact>(state, 3);
    if (!contact)
        return 0;
    return Lua::PushObject(state, engine.AddContact(ToId(state, 1), ToId(state, 2), contact));
}

i32 RemoveJoint(lua_State* state, PhysicsEngine& engine)
{
    if (Joint* joint = Lua::ToObject<Joint>(state, 1))
        engine.RemoveJoint(joint);
    return 0;
}

i32 RemoveContact(lua_State* state, PhysicsEngine& engine)
{
    if (Contact* contact = Lua::ToObject<Contact>(state, 1))
        engine.RemoveContact(contact);
    return 0;
}

i32 GetRigidBody(lua_State* state, PhysicsEngine& engine)
{
    return Lua::HasArguments(state, 1) ? Lua::PushObject(state, engine.GetRigidBody(ToId(state, 1)).Get()) : 0;
}

i32 GetRigidBodyList(lua_State* state, PhysicsEngine& engine)
{
    Lua::PushNewTable(state);
    u32 position = 0;
    for (const Core::RefPtr<RigidBody>& body : engine.GetRigidBodies())
    {
        Lua::PushObject(state, body.Get());
        Lua::SetListElement(state, ++position);
    }
    return 1;
}

i32 SetMassProperties(lua_State* state, PhysicsEngine& engine)
{
    const MassProperties* properties = Lua::ToObject<MassProperties>(state, 2);
    return properties ? PushFlag(state, engine.SetMassProperties(ToId(state, 1), *properties)) : 0;
}

i32 GetMassProperties(lua_State* state, PhysicsEngine& engine)
{
    MassProperties* properties = Lua::ToObject<MassProperties>(state, 2);
    return properties ? PushFlag(state, engine.GetMassProperties(ToId(state, 1), *properties)) : 0;
}

i32 SetRigidBodyOrientation(lua_State* state, PhysicsEngine& engine)
{
    return Lua::HasArguments(state, 2) ? PushFlag(state, engine.SetRigidBodyOrientation(ToId(state, 1), Lua::CheckFloat(state, 2))) : 0;
}

i32 SetRigidBodyVelocity(lua_State* state, PhysicsEngine& engine)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    return PushFlag(state, engine.SetRigidBodyVelocity(ToId(state, 1), Lua::ToVector(state, 2)));
}

i32 GetRigidBodyVelocity(lua_State* state, PhysicsEngine& engine)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    Math::Vector2D velocity;
    const bool found = engine.GetRigidBodyVelocity(ToId(state, 1), velocity);
    if (found)
        Lua::SetVectorFields(state, 2, velocity);
    return PushFlag(state, found);
}

i32 SetRigidBodyAngularVelocity(lua_State* state, PhysicsEngine& engine)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    return PushFlag(state, engine.SetRigidBodyAngularVelocity(ToId(state, 1), Lua::CheckFloat(state, 2)));
}

i32 GetRigidBodyCenterOfMass(lua_State* state, PhysicsEngine& engine)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    Math::Vector2D center;
    const bool found = engine.GetRigidBodyCenterOfMass(ToId(state, 1), center);
    if (found)
        Lua::SetVectorFields(state, 2, center);
    return PushFlag(state, found);
}

i32 RemoveRigidBodyForce(lua_State* state, PhysicsEngine& engine)
{
    return Lua::HasArguments(state, 2) ? PushFlag(state, engine.RemoveRigidBodyForce(ToId(state, 1), ToId(state, 2))) : 0;
}

i32 RemoveAllRigidBodyForces(lua_State* state, PhysicsEngine& engine)
{
    return Lua::HasArguments(state, 2) ? PushFlag(state, engine.RemoveAllRigidBodyForces(ToId(state, 1))) : 0;
}

i32 Update(lua_State* state, PhysicsEngine& engine)
{
    if (Lua::HasArguments(state, 1))
        engine.Update(Lua::CheckFloat(state, 1));
    return 0;
}

i32 PostCollisionUpdate(lua_State* state, PhysicsEngine& engine)
{
    if (Lua::HasArguments(state, 1))
        engine.PostCollisionUpdate(Lua::CheckFloat(state, 1));
    return 0;
}

i32 Reset(lua_State*, PhysicsEngine& engine)
{
    engine.Reset();
    return 0;
}

template <float (PhysicsEngine::*Value)() const>
i32 GetValue(lua_State* state, PhysicsEngine& engine)
{
    return Lua::PushNumber(state, (engine.*Value)());
}

i32 GetAccuracy(lua_State* state, PhysicsEngine& engine)
{
    return Lua::PushNumber(state, engine.GetAccuracy());
}

i32 SetMaximumSimulationStep(lua_State* state, PhysicsEngine& engine)
{
    if (Lua::HasArguments(state, 1))
        engine.SetMaximumSimulationStep(Lua::CheckFloat(state, 1));
    return 0;
}

i32 SetScale(lua_State* state, PhysicsEngine& engine)
{
    if (Lua::HasArguments(state, 1))
        engine.SetScale(Lua::CheckFloat(state, 1));
    return 0;
}

i32 SetAccuracy(lua_State* state, PhysicsEngine& engine)
{
    if (Lua::HasArguments(state, 1))
        engine.SetAccuracy(Lua::CheckUnsigned(state, 1));
    return 0;
}

i32 GetStaticBody(lua_State* state, PhysicsEngine& engine)
{
    return Lua::PushObject(state, engine.GetStaticBody());
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"AddRigidBody", Lua::Method<&AddRigidBody>},
    {"CloneRigidBody", Lua::Method<&DoNothing>},
    {"RemoveRigidBody", Lua::Method<&RemoveRigidBody>},
    {"AddJoint", Lua::Method<&AddJoint>},
    {"AddContact", Lua::Method<&AddContact>},
    {"RemoveJoint", Lua::Method<&RemoveJoint>},
    {"RemoveContact", Lua::Method<&RemoveContact>},
    {"GetRigidBody", Lua::Method<&GetRigidBody>},
    {"GetRigidBodyList", Lua::Method<&GetRigidBodyList>},
    {"SetMassProperties", Lua::Method<&SetMassProperties>},
    {"GetMassProperties", Lua::Method<&GetMassProperties>},
    {"SetRigidBodyOrientation", Lua::Method<&SetRigidBodyOrientation>},
    {"SetRigidBodyVelocity", Lua::Method<&SetRigidBodyVelocity>},
    {"GetRigidBodyVelocity", Lua::Method<&GetRigidBodyVelocity>},
    {"SetRigidBodyAngularVelocity", Lua::Method<&SetRigidBodyAngularVelocity>},
    {"GetRigidBodyCenterOfMass", Lua::Method<&GetRigidBodyCenterOfMass>},
    {"GetRigidBodyOrientation", Lua::Method<&DoNothing>},
    {"GetRigidBodyAngularVelocity", Lua::Method<&DoNothing>},
    {"AddRigidBodyForce", Lua::Method<&DoNothing>},
    {"RemoveRigidBodyForce", Lua::Method<&RemoveRigidBodyForce>},
    {"RemoveAllRigidBodyForces", Lua::Method<&RemoveAllRigidBodyForces>},
    {"Update", Lua::Method<&Update>},
    {"PostCollisionUpdate", Lua::Method<&PostCollisionUpdate>},
    {"SetContactListUpdate", Lua::Method<&DoNothing>},
    {"SetContactListUpdateData", Lua::Method<&DoNothing>},
    {"GetContactListUpdateData", Lua::Method<&DoNothing>},
    {"Reset", Lua::Method<&Reset>},
    {"GetPlusInfinity", Lua::Method<&GetValue<&PhysicsEngine::GetPlusInfinity>>},
    {"GetMinusInfinity", Lua::Method<&GetValue<&PhysicsEngine::GetMinusInfinity>>},
    {"GetSimulationStep", Lua::Method<&GetValue<&PhysicsEngine::GetSimulationStep>>},
    {"GetSimulationInverseStep", Lua::Method<&GetValue<&PhysicsEngine::GetSimulationInverseStep>>},
    {"GetMaximumSimulationStep", Lua::Method<&GetValue<&PhysicsEngine::GetMaximumSimulationStep>>},
    {"GetScale", Lua::Method<&GetValue<&PhysicsEngine::GetScale>>},
    {"GetEpsilon", Lua::Method<&GetValue<&PhysicsEngine::GetEpsilon>>},
    {"GetAccuracy", Lua::Method<&GetAccuracy>},
    {"SetMaximumSimulationStep", Lua::Method<&SetMaximumSimulationStep>},
    {"SetScale", Lua::Method<&SetScale>},
    {"SetAccuracy", Lua::Method<&SetAccuracy>},
    {"GetStaticBody", Lua::Method<&GetStaticBody>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"PhysicsEngine", methods, true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace
} // namespace Physics2D
