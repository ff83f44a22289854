// Script methods of "CollisionFrame", "CollisionAnimation" and "CollisionActor", through which
// scripts build the collision data of a sprite kind. A call with arguments the method does not
// take does nothing; no method returns a value. An animation and an actor keep their own copies,
// so a frame (animation) is filled before it is added.
#include "collision/Collision_ActorData.h"
#include "script/Lua_ScriptClass.h"

namespace Collision2D
{
namespace
{
// A user id: the number truncated to a 64-bit integer, kept in 32 bits (so -1 reads as
// 4294967295); a number no 64-bit integer holds reads as 0.
u32 ToUserId(lua_State* state, i32 index)
{
    const f64 value = Lua::CheckNumber(state, index);
    constexpr f64 Limit = 9223372036854775808.0;
    if (!(value > -Limit && value < Limit))
        return 0;
    return static_cast<u32>(static_cast<u64>(static_cast<i64>(value)));
}

// (point, flag) adds a hot spot; (point A, point B, user id, flag) a segment; (centre, radius,
// user id, flag) a circle. Points are tables with X and Y.
i32 AddCollisionData(lua_State* state, CollisionFrame& frame)
{
    const i32 count = Lua::GetTop(state);
    if (count == 2)
        frame.AddHotSpot(Lua::ToPoint(state, 1), Lua::ToBoolean(state, 2));
    else if (count == 4 && Lua::IsTable(state, 2))
        frame.AddLineSegment(Lua::ToPoint(state, 1), Lua::ToPoint(state, 2), ToUserId(state, 3),
                             Lua::ToBoolean(state, 4));
    else if (count == 4 && Lua::IsNumber(state, 2))
        frame.AddCircle(Lua::ToPoint(state, 1), Lua::CheckFloat(state, 2), ToUserId(state, 3), Lua::ToBoolean(state, 4));
    return 0;
}

// (rectangle) derives the flipped variants; (rectangle, flag) derives them or copies the
// rectangle into all four.
i32 SetBoundingRectangle(lua_State* state, CollisionFrame& frame)
{
    const i32 count = Lua::GetTop(state);
    const VelRect* rectangle = count == 1 || count == 2 ? Lua::ToObject<VelRect>(state, 1) : nullptr;
    if (rectangle)
        frame.SetBoundingRectangle(*rectangle, count == 1 || Lua::ToBoolean(state, 2));
    return 0;
}

i32 AddCollisionFrame(lua_State* state, CollisionAnimation& animation)
{
    if (const CollisionFrame* frame = Lua::ToObject<CollisionFrame>(state, 1))
        animation.AddCollisionFrame(*frame);
    return 0;
}

i32 AddCollisionAnimation(lua_State* state, CollisionActor& actor)
{
    if (const CollisionAnimation* animation = Lua::ToObject<CollisionAnimation>(state, 1))
        actor.AddCollisionAnimation(*animation);
    return 0;
}

const Vellumar::ScriptMethodEntry frameMethods[] = {
    {"AddCollisionData", Lua::Method<&AddCollisionData>},
    {"SetBoundingRectangle", Lua::Method<&SetBoundingRectangle>},
    {nullptr, nullptr},
};
const Lua::ScriptClass frameClass{"CollisionFrame", frameMethods, true};
const Lua::ScriptClassRegistrar frameRegistrar(frameClass);

const Vellumar::ScriptMethodEntry animationMethods[] = {
    {"AddCollisionFrame", Lua::Method<&AddCollisionFrame>},
    {nullptr, nullptr},
};
const Lua::ScriptClass animationClass{"CollisionAnimation", animationMethods, true};
const Lua::ScriptClassRegistrar animationRegistrar(animationClass);

const Vellumar::ScriptMethodEntry actorMethods[] = {
    {"AddCollisionAnimation", Lua::Method<&AddCollisionAnimation>},
    {nullptr, nullptr},
};
const Lua::ScriptClass actorClass{"CollisionActor", actorMethods, true};
const Lua::ScriptClassRegistrar actorRegistrar(actorClass);
} // namespace
} // namespace Collision2D
