// Script methods of "DynamicObject". Numbers are truncated to integers where the member takes one;
// a call with too few arguments does nothing and returns no result.
#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Rect.h"
#include "collision/script/Collision_Script.h"
#include "collision/Collision_Shapes.h"
#include "script/Lua_ScriptClass.h"

namespace Collision2D
{
namespace
{
template <class Shape>
i32 PushObjects(lua_State* state, const Core::List<Shape>& shapes)
{
    Lua::PushNewTable(state);
    u32 position = 0;
    for (const Shape& shape : shapes)
    {
        Lua::PushObject(state, const_cast<Shape*>(&shape));
        Lua::SetListElement(state, ++position);
    }
    return 1;
}

template <class Shape>
i32 PushCopies(lua_State* state, const Core::Vector<Shape>& shapes, const char* className)
{
    Lua::PushNewTable(state);
    u32 position = 0;
    for (const Shape& shape : shapes)
    {
        Lua::PushValueCopy(state, shape, className);
        Lua::SetListElement(state, ++position);
    }
    return 1;
}
} // namespace

i32 PushFrameLineSegments(lua_State* state, const DynamicObject& object)
{
    const CollisionFrame* frame = object.GetCurrentCollisionFrame();
    return frame ? PushObjects(state, frame->lineSegments) : 0;
}

i32 PushFrameCircles(lua_State* state, const DynamicObject& object)
{
    const CollisionFrame* frame = object.GetCurrentCollisionFrame();
    return frame ? PushObjects(state, frame->circles) : 0;
}

i32 PushFrameHotSpots(lua_State* state, const DynamicObject& object)
{
    const CollisionFrame* frame = object.GetCurrentCollisionFrame();
    return frame ? PushObjects(state, frame->hotSpots) : 0;
}

i32 PushCurrentLineSegments(lua_State* state, const DynamicObject& object)
{
    return PushCopies(state, object.GetCurrentLineSegments(), "LineSegment2D");
}

i32 PushCurrentCircles(lua_State* state, const DynamicObject& object)
{
    return PushCopies(state, object.GetCurrentCircles(), "Circle2D");
}

i32 PushCurrentHotSpots(lua_State* state, const DynamicObject& object)
{
    Lua::PushNewTable(state);
    u32 position = 0;
    for (const Math::Point2D& point : object.GetCurrentHotSpots())
    {
        Lua::PushPoint(state, point);
        Lua::SetListElement(state, ++position);
    }
    return 1;
}

namespace
{
u8 ToZ(lua_State* state, i32 index)
{
    return static_cast<u8>(Lua::CheckInteger(state, index));
}

i32 SetZCollision(lua_State* state, DynamicObject& object)
{
    if (Lua::HasArguments(state, 1))
        object.SetZCollision(ToZ(state, 1));
    return 0;
}

i32 SetPosition(lua_State* state, DynamicObject& object)
{
    if (Lua::IsTable(state, 1))
        object.SetPosition(Lua::ToPoint(state, 1));
    return 0;
}

i32 SetOldPosition(lua_State* state, DynamicObject& object)
{
    if (Lua::IsTable(state, 1))
        object.SetOldPosition(Lua::ToPoint(state, 1));
    return 0;
}

i32 SetOrientation(lua_State* state, DynamicObject& object)
{
    if (Lua::HasArguments(state, 1))
        object.SetOrientation(Lua::CheckFloat(state, 1));
    return 0;
}

i32 SetOldOrientation(lua_State* state, DynamicObject& object)
{
    if (Lua::HasArguments(state, 1))
        object.SetOldOrientation(Lua::CheckFloat(state, 1));
    return 0;
}

i32 SetUpdateOnIdle(lua_State* state, DynamicObject& object)
{
    if (Lua::HasArguments(state, 1))
        object.SetUpdateOnIdle(Lua::ToBoolean(state, 1));
    return 0;
}

i32 AddCollisionData(lua_State* state, DynamicObject& object)
{
    const CollisionActor* actor = Lua::ToObject<CollisionActor>(state, 1);
    if (actor)
        object.AddCollisionData(actor, Lua::OptInteger(state, 2, 0), Lua::OptInteger(state, 3, 0));
    return 0;
}

i32 SetBoundingRectangle(lua_State* state, DynamicObject& object)
{
    const VelRect* rectangle = Lua::ToObject<VelRect>(state, 1);
    if (rectangle)
        object.SetBoundingRectangle(*rectangle);
    return 0;
}

i32 SetCollisionType(lua_State* state, DynamicObject& object)
{
    if (Lua::HasArguments(state, 1))
        object.SetCollisionType(Lua::ToBoolean(state, 1) ? 1 : 0);
    return 0;
}

i32 SetCanCollid(lua_State* state, DynamicObject& object)
{
    if (Lua::HasArguments(state, 2))
        object.SetCanCollid(ToZ(state, 1), Lua::ToBoolean(state, 2));
    return 0;
}

i32 SetCollisionActor(lua_State* state, DynamicObject& object)
{
    const CollisionActor* actor = Lua::ToObject<CollisionActor>(state, 1);
    if (actor && Lua::HasArguments(state, 3))
        object.SetCollisionActor(actor, Lua::CheckInteger(state, 2), Lua::CheckInteger(state, 3));
    return 0;
}

i32 SetCurrentCollisionFrame(lua_State* state, DynamicObject& object)
{
    if (Lua::HasArguments(state, 4))
        object.SetCurrentCollisionFrame(Lua::CheckInteger(state, 1), Lua::CheckInteger(state, 2), Lua::ToBoolean(state, 3),
                                        Lua::ToBoolean(state, 4));
    return 0;
}

i32 SetCollisionThickness(lua_State* state, DynamicObject& object)
{
    if (Lua::HasArguments(state, 1))
        object.SetCollisionThickness(Lua::CheckFloat(state, 1));
    return 0;
}

i32 SetBoundingRectangleCheckingTileMap(lua_State* state, DynamicObject& object)
{
    if (Lua::HasArguments(state, 1))
        object.SetBoundingRectangleCheckingTileMap(Lua::ToBoolean(state, 1));
    return 0;
}

i32 GetCurrentHotSpot(lua_State* state, DynamicObject& object)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    return Lua::PushPoint(state, object.GetCurrentHotSpot(static_cast<u8>(Lua::CheckUnsigned(state, 1))));
}

i32 GetBoundingRectangle(lua_State* state, DynamicObject& object)
{
    return Lua::PushValueCopy(state, object.GetBoundingRectangle(), "VelRect");
}

i32 GetBoundingRectangleCheckingTileMap(lua_State* state, DynamicObject& object)
{
    return Lua::PushBoolean(state, object.GetBoundingRectangleCheckingTileMap());
}

i32 GetCanCollid(lua_State* state, DynamicObject& object)
{
    return Lua::HasArguments(state, 1) ? Lua::PushBoolean(state, object.GetCanCollid(ToZ(state, 1))) : 0;
}

i32 GetCircles(lua_State* state, DynamicObject& object)
{
    return PushFrameCircles(state, object);
}

i32 GetCurrentBoundingRectangle(lua_State* state, DynamicObject& object)
{
    return Lua::PushValueCopy(state, object.GetCurrentWorldRectangle(), "VelRect");
}

i32 GetCurrentCircles(lua_State* state, DynamicObject& object)
{
    return PushCurrentCircles(state, object);
}

i32 GetCurrentHotSpots(lua_State* state, DynamicObject& object)
{
    return PushCurrentHotSpots(state, object);
}

i32 GetCurrentLineSegments(lua_State* state, DynamicObject& object)
{
    return PushCurrentLineSegments(state, object);
}

i32 GetHotSpots(lua_State* state, DynamicObject& object)
{
    return PushFrameHotSpots(state, object);
}

i32 GetLineSegments(lua_State* state, DynamicObject& object)
{
    return PushFrameLineSegments(state, object);
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"SetZCollision", Lua::Method<&SetZCollision>},
    {"SetPosition", Lua::Method<&SetPosition>},
    {"SetOldPosition", Lua::Method<&SetOldPosition>},
    {"SetOrientation", Lua::Method<&SetOrientation>},
    {"SetOldOrientation", Lua::Method<&SetOldOrientation>},
    {"SetUpdateOnIdle", Lua::Method<&SetUpdateOnIdle>},
    {"AddCollisionData", Lua::Method<&AddCollisionData>},
    {"SetBoundingRectangle", Lua::Method<&SetBoundingRectangle>},
    {"SetCollisionType", Lua::Method<&SetCollisionType>},
    {"SetCanCollid", Lua::Method<&SetCanCollid>},
    {"SetCollisionActor", Lua::Method<&SetCollisionActor>},
    {"SetCurrentCollisionFrame", Lua::Method<&SetCurrentCollisionFrame>},
    {"SetCollisionThickness", Lua::Method<&SetCollisionThickness>},
    {"SetBoundingRectangleCheckingTileMap", Lua::Method<&SetBoundingRectangleCheckingTileMap>},
    {"GetCurrentHotSpot", Lua::Method<&GetCurrentHotSpot>},
    {"GetBoundingRectangle", Lua::Method<&GetBoundingRectangle>},
    {"GetBoundingRectangleCheckingTileMap", Lua::Method<&GetBoundingRectangleCheckingTileMap>},
    {"GetCanCollid", Lua::Method<&GetCanCollid>},
    {"GetCircles", Lua::Method<&GetCircles>},
    {"GetCurrentBoundingRectangle", Lua::Method<&GetCurrentBoundingRectangle>},
    {"GetCurrentCircles", Lua::Method<&GetCurrentCircles>},
    {"GetCurrentHotSpots", Lua::Method<&GetCurrentHotSpots>},
    {"GetCurrentLineSegments", Lua::Method<&GetCurrentLineSegments>},
    {"GetHotSpots", Lua::Method<&GetHotSpots>},
    {"GetLineSegments", Lua::Method<&GetLineSegments>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"DynamicObject", methods, true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace
} // namespace Collision2D
