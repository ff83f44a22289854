// Script methods and fields of the dynamic shapes. A field read gives the script its own copy of
// that flip variant; a field write copies a shape of the same class into the variant.
#include "collision/Collision_Shapes.h"
#include "script/Lua_ScriptClass.h"

namespace Collision2D
{
namespace
{
template <class Owner, FlipVariant Variant>
i32 GetVariant(lua_State* state, Owner& owner)
{
    using Shape = std::remove_reference_t<decltype(owner.variants[0])>;
    constexpr const char* className = std::is_same_v<Shape, Math::Circle2D> ? "Circle2D" : "LineSegment2D";
    return Lua::PushValueCopy(state, owner.variants[Variant], className);
}

template <class Owner, FlipVariant Variant>
i32 SetVariant(lua_State* state, Owner& owner)
{
    using Shape = std::remove_reference_t<decltype(owner.variants[0])>;
    constexpr const char* className = std::is_same_v<Shape, Math::Circle2D> ? "Circle2D" : "LineSegment2D";
    if (const Shape* shape = Lua::ToValue<Shape>(state, 1, className))
        owner.variants[Variant] = *shape;
    return 0;
}

template <class Owner>
i32 SetUserId(lua_State* state, Owner& owner)
{
    if (Lua::HasArguments(state, 1))
        owner.userId = static_cast<u32>(Lua::CheckInteger(state, 1));
    return 0;
}

template <class Owner>
i32 GetUserId(lua_State* state, Owner& owner)
{
    return Lua::PushNumber(state, owner.userId);
}

template <FlipVariant Variant>
i32 GetHotSpot(lua_State* state, DynamicCollisionHotSpot& hotSpot)
{
    return Lua::PushPoint(state, hotSpot.variants[Variant]);
}

template <FlipVariant Variant>
i32 SetHotSpot(lua_State* state, DynamicCollisionHotSpot& hotSpot)
{
    if (Lua::IsTable(state, 1))
        hotSpot.variants[Variant] = Lua::ToPoint(state, 1);
    return 0;
}

using Circle = DynamicCollisionCircle;
using Segment = DynamicCollisionLineSegment;

const Vellumar::ScriptMethodEntry circleMethods[] = {
    {"SetUserId", Lua::Method<&SetUserId<Circle>>},
    {"GetUserId", Lua::Method<&GetUserId<Circle>>},
    {nullptr, nullptr},
};
const Lua::ScriptProperty circleFields[] = {
    {"circleNoFlip", Lua::Method<&GetVariant<Circle, NoFlip>>, Lua::Method<&SetVariant<Circle, NoFlip>>},
    {"circleHVFlip", Lua::Method<&GetVariant<Circle, HVFlip>>, Lua::Method<&SetVariant<Circle, HVFlip>>},
    {"circleHFlip", Lua::Method<&GetVariant<Circle, HFlip>>, Lua::Method<&SetVariant<Circle, HFlip>>},
    {"circleVFlip", Lua::Method<&GetVariant<Circle, VFlip>>, Lua::Method<&SetVariant<Circle, VFlip>>},
    {nullptr, nullptr, nullptr},
};
const Lua::ScriptClass circleClass{"DynamicCollisionCircle", circleMethods, true, circleFields};
const Lua::ScriptClassRegistrar circleRegistrar(circleClass);

const Vellumar::ScriptMethodEntry segmentMethods[] = {
    {"SetUserId", Lua::Method<&SetUserId<Segment>>},
    {"GetUserId", Lua::Method<&GetUserId<Segment>>},
    {nullptr, nullptr},
};
const Lua::ScriptProperty segmentFields[] = {
    {"lineSegmentNoFlip", Lua::Method<&GetVariant<Segment, NoFlip>>, Lua::Method<&SetVariant<Segment, NoFlip>>},
    {"lineSegmentHVFlip", Lua::Method<&GetVariant<Segment, HVFlip>>, Lua::Method<&SetVariant<Segment, HVFlip>>},
    {"lineSegmentHFlip", Lua::Method<&GetVariant<Segment, HFlip>>, Lua::Method<&SetVariant<Segment, HFlip>>},
    {"lineSegmentVFlip", Lua::Method<&GetVariant<Segment, VFlip>>, Lua::Method<&SetVariant<Segment, VFlip>>},
    {nullptr, nullptr, nullptr},
};
const Lua::ScriptClass segmentClass{"DynamicCollisionLineSegment", segmentMethods, true, segmentFields};
const Lua::ScriptClassRegistrar segmentRegistrar(segmentClass);

const Vellumar::ScriptMethodEntry hotSpotMethods[] = {
    {"GetHotSpotNoFlip", Lua::Method<&GetHotSpot<NoFlip>>},
    {"GetHotSpotHVFlip", Lua::Method<&GetHotSpot<HVFlip>>},
    {"GetHotSpotHFlip", Lua::Method<&GetHotSpot<HFlip>>},
    {"GetHotSpotVFlip", Lua::Method<&GetHotSpot<VFlip>>},
    {"SetHotSpotNoFlip", Lua::Method<&SetHotSpot<NoFlip>>},
    {"SetHotSpotHVFlip", Lua::Method<&SetHotSpot<HVFlip>>},
    {"SetHotSpotHFlip", Lua::Method<&SetHotSpot<HFlip>>},
    {"SetHotSpotVFlip", Lua::Method<&SetHotSpot<VFlip>>},
    {nullptr, nullptr},
};
const Lua::ScriptClass hotSpotClass{"DynamicCollisionHotSpot", hotSpotMethods, true};
const Lua::ScriptClassRegistrar hotSpotRegistrar(hotSpotClass);
} // namespace
} // namespace Collision2D
