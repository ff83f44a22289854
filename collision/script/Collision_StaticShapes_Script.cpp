// Script methods and the shape field of the static shapes. The shape a script reads is its own
// copy; a shape it gives is copied in (the grid registration is not redone).
#include "collision/Collision_StaticShapes.h"
#include "script/Lua_ScriptClass.h"

namespace Collision2D
{
namespace
{
template <class Owner>
struct ShapeOf;
template <>
struct ShapeOf<StaticCollisionCircle>
{
    using Type = Math::Circle2D;
    static constexpr const char* ClassName = "Circle2D";
    static const Type& Get(const StaticCollisionCircle& owner) { return owner.GetCircle(); }
    static void Set(StaticCollisionCircle& owner, const Type& shape) { owner.SetCircle(shape); }
};
template <>
struct ShapeOf<StaticCollisionLineSegment>
{
    using Type = Math::LineSegment2D;
    static constexpr const char* ClassName = "LineSegment2D";
    static const Type& Get(const StaticCollisionLineSegment& owner) { return owner.GetLineSegment(); }
    static void Set(StaticCollisionLineSegment& owner, const Type& shape) { owner.SetLineSegment(shape); }
};

template <class Owner>
i32 SetZCollision(lua_State* state, Owner& owner)
{
    if (Lua::HasArguments(state, 1))
        owner.SetZCollision(static_cast<u8>(Lua::CheckInteger(state, 1)));
    return 0;
}

template <class Owner>
i32 SetShape(lua_State* state, Owner& owner)
{
    using Shape = ShapeOf<Owner>;
    if (const typename Shape::Type* shape = Lua::ToValue<typename Shape::Type>(state, 1, Shape::ClassName))
        Shape::Set(owner, *shape);
    return 0;
}

template <class Owner>
i32 GetShape(lua_State* state, Owner& owner)
{
    using Shape = ShapeOf<Owner>;
    return Lua::PushValueCopy(state, Shape::Get(owner), Shape::ClassName);
}

template <class Owner>
i32 GetId(lua_State* state, Owner& owner)
{
    return Lua::PushNumber(state, owner.GetId());
}

template <class Owner>
i32 SetUserId(lua_State* state, Owner& owner)
{
    if (Lua::HasArguments(state, 1))
        owner.SetUserId(static_cast<u32>(Lua::CheckInteger(state, 1)));
    return 0;
}

template <class Owner>
i32 GetUserId(lua_State* state, Owner& owner)
{
    return Lua::PushNumber(state, owner.GetUserId());
}

template <class Owner>
i32 GetZCollision(lua_State* state, Owner& owner)
{
    return Lua::PushNumber(state, owner.GetZCollision());
}

using Circle = StaticCollisionCircle;
using Segment = StaticCollisionLineSegment;

const Vellumar::ScriptMethodEntry circleMethods[] = {
    {"SetZCollision", Lua::Method<&SetZCollision<Circle>>},
    {"SetCircle", Lua::Method<&SetShape<Circle>>},
    {"GetCircle", Lua::Method<&GetShape<Circle>>},
    {"GetId", Lua::Method<&GetId<Circle>>},
    {"SetUserId", Lua::Method<&SetUserId<Circle>>},
    {"GetUserId", Lua::Method<&GetUserId<Circle>>},
    {"GetZ_Collision", Lua::Method<&GetZCollision<Circle>>},
    {nullptr, nullptr},
};
const Lua::ScriptProperty circleFields[] = {
    {"circle", Lua::Method<&GetShape<Circle>>, Lua::Method<&SetShape<Circle>>},
    {nullptr, nullptr, nullptr},
};
const Lua::ScriptClass circleClass{"StaticCollisionCircle", circleMethods, true, circleFields};
const Lua::ScriptClassRegistrar circleRegistrar(circleClass);

const Vellumar::ScriptMethodEntry segmentMethods[] = {
    {"SetZCollision", Lua::Method<&SetZCollision<Segment>>},
    {"SetLineSegment", Lua::Method<&SetShape<Segment>>},
    {"GetLineSegment", Lua::Method<&GetShape<Segment>>},
    {"GetId", Lua::Method<&GetId<Segment>>},
    {"SetUserId", Lua::Method<&SetUserId<Segment>>},
    {"GetUserId", Lua::Method<&GetUserId<Segment>>},
    {"GetZ_Collision", Lua::Method<&GetZCollision<Segment>>},
    {nullptr, nullptr},
};
const Lua::ScriptProperty segmentFields[] = {
    {"lineSegment", Lua::Method<&GetShape<Segment>>, Lua::Method<&SetShape<Segment>>},
    {nullptr, nullptr, nullptr},
};
const Lua::ScriptClass segmentClass{"StaticCollisionLineSegment", segmentMethods, true, segmentFields};
const Lua::ScriptClassRegistrar segmentRegistrar(segmentClass);
} // namespace
} // namespace Collision2D
