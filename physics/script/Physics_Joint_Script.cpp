// Script methods of joints: "Joint", and the same table under the names of the joint kinds and of
// contacts. "IsLimit" reports the active flag, as "IsActive" does.
#include "script/Lua_ScriptClass.h"
#include "physics/Physics_Joint.h"
#include "physics/Physics_RigidBody.h"
#include "physics/script/Physics_Script.h"

namespace Physics2D
{
namespace
{
i32 SetActive(lua_State* state, Joint& joint)
{
    if (Lua::HasArguments(state, 1))
        joint.SetActive(Lua::CheckNumber(state, 1) != 0);
    return 0;
}

i32 IsActive(lua_State* state, Joint& joint)
{
    return PushFlag(state, joint.IsActive());
}

i32 GetBody1(lua_State* state, Joint& joint)
{
    return Lua::PushObject(state, joint.GetBody1());
}

i32 GetBody2(lua_State* state, Joint& joint)
{
    return Lua::PushObject(state, joint.GetBody2());
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"SetActive", Lua::Method<&SetActive>},
    {"IsActive", Lua::Method<&IsActive>},
    {"IsLimit", Lua::Method<&IsActive>},
    {"GetBody1", Lua::Method<&GetBody1>},
    {"GetBody2", Lua::Method<&GetBody2>},
    {nullptr, nullptr},
};
const Lua::ScriptClass jointClass{"Joint", methods, true};
const Lua::ScriptClass nailClass{"JointNail", methods, true};
const Lua::ScriptClass hingeClass{"JointHinge", methods, true};
const Lua::ScriptClass springClass{"JointSpring", methods, true};
const Lua::ScriptClass sliderClass{"JointSlider", methods, true};
const Lua::ScriptClass fixedClass{"JointFixed", methods, true};
const Lua::ScriptClass motorClass{"JointAngularMotor", methods, true};
const Lua::ScriptClass contactClass{"Contact", methods, true};
const Lua::ScriptClassRegistrar jointRegistrar(jointClass);
const Lua::ScriptClassRegistrar nailRegistrar(nailClass);
const Lua::ScriptClassRegistrar hingeRegistrar(hingeClass);
const Lua::ScriptClassRegistrar springRegistrar(springClass);
const Lua::ScriptClassRegistrar sliderRegistrar(sliderClass);
const Lua::ScriptClassRegistrar fixedRegistrar(fixedClass);
const Lua::ScriptClassRegistrar motorRegistrar(motorClass);
const Lua::ScriptClassRegistrar contactRegistrar(contactClass);
} // namespace
} // namespace Physics2D
