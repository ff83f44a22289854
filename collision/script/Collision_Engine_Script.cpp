// Script methods of "CollisionEngine". Ids and layer indexes are numbers truncated to integers;
// "Dynamic" methods act on an id that names a present dynamic object and otherwise set nothing
// and answer false or 0. A call with too few arguments does nothing and returns no result.
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "collision/Collision_Ids.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_Rect.h"
#include "collision/script/Collision_Script.h"
#include "script/Lua_ScriptClass.h"

namespace Collision2D
{
namespace
{
u32 ToId(lua_State* state, i32 index)
{
    return Lua::CheckUnsigned(state, index);
}

u8 ToByte(lua_State* state, i32 index)
{
    return static_cast<u8>(Lua::CheckInteger(state, index));
}

DynamicObject* Dynamic(lua_State* state, CollisionEngine& engine)
{
    return engine.GetDynamicObject(ToId(state, 1));
}

i32 SetMaximumInterpolationValue(lua_State* state, CollisionEngine&)
{
    if (Lua::HasArguments(state, 1) && Lua::CheckInteger(state, 1) >= 2)
        MaximumInterpolationValue = Lua::CheckInteger(state, 1);
    return 0;
}

i32 GetMaximumInterpolationValue(lua_State* state, CollisionEngine&)
{
    return Lua::PushNumber(state, MaximumInterpolationValue);
}

i32 ObjectInCollision(lua_State* state, CollisionEngine& engine)
{
    return Lua::HasArguments(state, 1) ? Lua::PushBoolean(state, engine.ObjectInCollision(ToId(state, 1))) : 0;
}

i32 SetObjectZCollision(lua_State* state, CollisionEngine& engine)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    return Lua::PushNumber(state, static_cast<i32>(engine.SetObjectZCollision(ToId(state, 1), ToByte(state, 2))));
}

i32 GetObjectZCollision(lua_State* state, CollisionEngine&)
{
    return Lua::HasArguments(state, 1) ? Lua::PushNumber(state, SplitObjectId(ToId(state, 1)).z) : 0;
}

i32 SetDynamicObjectCanCollid(lua_State* state, CollisionEngine& engine)
{
    DynamicObject* object = Lua::HasArguments(state, 3) ? Dynamic(state, engine) : nullptr;
    if (object)
        object->SetCanCollid(ToByte(state, 2), Lua::ToBoolean(state, 3));
    return 0;
}

i32 GetDynamicObjectCanCollid(lua_State* state, CollisionEngine& engine)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    const DynamicObject* object = Dynamic(state, engine);
    return Lua::PushBoolean(state, object && object->GetCanCollid(ToByte(state, 2)));
}

i32 SetDynamicObjectCollisionType(lua_State* state, CollisionEngine& engine)
{
    DynamicObject* object = Lua::HasArguments(state, 2) ? Dynamic(state, engine) : nullptr;
    if (object)
        object->SetCollisionType(Lua::ToBoolean(state, 2) ? 1 : 0);
    return 0;
}

i32 GetDynamicObjectCollisionType(lua_State* state, CollisionEngine& engine)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    const DynamicObject* object = Dynamic(state, engine);
    return Lua::PushBoolean(state, object && object->GetCollisionType() != 0);
}

i32 SetDynamicObjectUpdateOnIdle(lua_State* state, CollisionEngine& engine)
{
    DynamicObject* object = Lua::HasArguments(state, 1) ? Dynamic(state, engine) : nullptr;
    if (object)
        object->SetUpdateOnIdle(Lua::ToBoolean(state, 2));
    return 0;
}

i32 GetDynamicObjectUpdateOnIdle(lua_State* state, CollisionEngine& engine)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    const DynamicObject* object = Dynamic(state, engine);
    return Lua::PushBoolean(state, object && object->GetUpdateOnIdle());
}

i32 SetDynamicObjectCollisionThickness(lua_State* state, CollisionEngine& engine)
{
    DynamicObject* object = Lua::HasArguments(state, 2) ? Dynamic(state, engine) : nullptr;
    if (object)
        object->SetCollisionThickness(Lua::CheckFloat(state, 2));
    return 0;
}

i32 GetDynamicObjectCollisionThickness(lua_State* state, CollisionEngine& engine)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    const DynamicObject* object = Dynamic(state, engine);
    return Lua::PushNumber(state, object ? object->GetCollisionThickness() : 0.0f);
}

i32 SetDynamicObjectBoundingRectangleCheckingTileMap(lua_State* state, CollisionEngine& engine)
{
    DynamicObject* object = Lua::HasArguments(state, 2) ? Dynamic(state, engine) : nullptr;
    if (object)
        object->SetBoundingRectangleCheckingTileMap(Lua::ToBoolean(state, 2));
    return 0;
}

i32 GetDynamicObjectBoundingRectangleCheckingTileMap(lua_State* state, CollisionEngine& engine)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    const DynamicObject* object = Dynamic(state, engine);
    return Lua::PushBoolean(state, object && object->GetBoundingRectangleCheckingTileMap());
}

const CollisionLayer* LayerArgument(lua_State* state, CollisionEngine& engine)
{
    u32 layer = 0;
    return Lua::HasArguments(state, 1) && Lua::CheckIndex(state, 1, engine.GetLayerCount(), layer) ? engine.GetLayer(layer)
                                                                                                  : nullptr;
}

i32 GetStaticLineSegments(lua_State* state, CollisionEngine& engine)
{
    const CollisionLayer* layer = LayerArgument(state, engine);
    return layer ? PushStaticLineSegments(state, *layer) : 0;
}

i32 GetStaticCircles(lua_State* state, CollisionEngine& engine)
{
    const CollisionLayer* layer = LayerArgument(state, engine);
    return layer ? PushStaticCircles(state, *layer) : 0;
}

i32 GetStaticLineSegmentsNumber(lua_State* state, CollisionEngine& engine)
{
    const CollisionLayer* layer = LayerArgument(state, engine);
    return layer ? Lua::PushNumber(state, layer->GetLineSegmentsNumber()) : 0;
}

i32 GetStaticCirclesNumber(lua_State* state, CollisionEngine& engine)
{
    const CollisionLayer* layer = LayerArgument(state, engine);
    return layer ? Lua::PushNumber(state, layer->GetCirclesNumber()) : 0;
}

template <i32 (*Push)(lua_State*, const DynamicObject&)>
i32 DynamicList(lua_State* state, CollisionEngine& engine)
{
    const DynamicObject* object = Lua::HasArguments(state, 1) ? Dynamic(state, engine) : nullptr;
    return object ? Push(state, *object) : 0;
}

i32 SetObjectBoundingRectangle(lua_State* state, CollisionEngine& engine)
{
    const VelRect* rectangle = Lua::ToObject<VelRect>(state, 2);
    if (rectangle)
        engine.SetObjectBoundingRectangle(ToId(state, 1), *rectangle);
    return 0;
}

i32 GetObjectBoundingRectangle(lua_State* state, CollisionEngine& engine)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    return Lua::PushValueCopy(state, engine.GetObjectBoundingRectangle(ToId(state, 1)), "VelRect");
}

i32 GetCurrentObjectBoundingRectangle(lua_State* state, CollisionEngine& engine)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    return Lua::PushValueCopy(state, engine.GetCurrentObjectBoundingRectangle(ToId(state, 1)), "VelRect");
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"SetMaximumInterpolationValue", Lua::Method<&SetMaximumInterpolationValue>},
    {"GetMaximumInterpolationValue", Lua::Method<&GetMaximumInterpolationValue>},
    {"ObjectInCollision", Lua::Method<&ObjectInCollision>},
    {"SetObjectZCollision", Lua::Method<&SetObjectZCollision>},
    {"GetObjectZCollision", Lua::Method<&GetObjectZCollision>},
    {"SetDynamicObjectCanCollid", Lua::Method<&SetDynamicObjectCanCollid>},
    {"GetDynamicObjectCanCollid", Lua::Method<&GetDynamicObjectCanCollid>},
    {"SetDynamicObjectCollisionType", Lua::Method<&SetDynamicObjectCollisionType>},
    {"GetDynamicObjectCollisionType", Lua::Method<&GetDynamicObjectCollisionType>},
    {"SetDynamicObjectUpdateOnIdle", Lua::Method<&SetDynamicObjectUpdateOnIdle>},
    {"GetDynamicObjectUpdateOnIdle", Lua::Method<&GetDynamicObjectUpdateOnIdle>},
    {"SetDynamicObjectCollisionThickness", Lua::Method<&SetDynamicObjectCollisionThickness>},
    {"GetDynamicObjectCollisionThickness", Lua::Method<&GetDynamicObjectCollisionThickness>},
    {"SetDynamicObjectBoundingRectangleCheckingTileMap", Lua::Method<&SetDynamicObjectBoundingRectangleCheckingTileMap>},
    {"GetDynamicObjectBoundingRectangleCheckingTileMap", Lua::Method<&GetDynamicObjectBoundingRectangleCheckingTileMap>},
    {"GetStaticLineSegments", Lua::Method<&GetStaticLineSegments>},
    {"GetStaticCircles", Lua::Method<&GetStaticCircles>},
    {"GetStaticLineSegmentsNumber", Lua::Method<&GetStaticLineSegmentsNumber>},
    {"GetStaticCirclesNumber", Lua::Method<&GetStaticCirclesNumber>},
    {"GetDynamicObjectLineSegments", Lua::Method<&DynamicList<&PushFrameLineSegments>>},
    {"GetDynamicObjectCircles", Lua::Method<&DynamicList<&PushFrameCircles>>},
    {"GetDynamicObjectHotSpots", Lua::Method<&DynamicList<&PushFrameHotSpots>>},
    {"GetCurrentDynamicObjectLineSegments", Lua::Method<&DynamicList<&PushCurrentLineSegments>>},
    {"GetCurrentDynamicObjectCircles", Lua::Method<&DynamicList<&PushCurrentCircles>>},
    {"GetCurrentDynamicObjectHotSpots", Lua::Method<&DynamicList<&PushCurrentHotSpots>>},
    {"SetObjectBoundingRectangle", Lua::Method<&SetObjectBoundingRectangle>},
    {"GetObjectBoundingRectangle", Lua::Method<&GetObjectBoundingRectangle>},
    {"GetCurrentObjectBoundingRectangle", Lua::Method<&GetCurrentObjectBoundingRectangle>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"CollisionEngine", methods, true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace
} // namespace Collision2D
