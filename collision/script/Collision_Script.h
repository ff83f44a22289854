#pragma once
// Lists that the script methods of the collision engine, its layers and its dynamic objects share:
// each pushes one new table 1…n and returns 1, or pushes nothing and returns 0 where the method has
// no result.
#include "core/Core_Types.h"

struct lua_State;

namespace Collision2D
{
class CollisionLayer;
class DynamicObject;

// The layer's present static segments (circles) in slot order, each as its own script object; no
// result when the kind has no array.
i32 PushStaticLineSegments(lua_State* state, const CollisionLayer& layer);
i32 PushStaticCircles(lua_State* state, const CollisionLayer& layer);

// The current collision frame's shape objects; no result without a current frame.
i32 PushFrameLineSegments(lua_State* state, const DynamicObject& object);
i32 PushFrameCircles(lua_State* state, const DynamicObject& object);
i32 PushFrameHotSpots(lua_State* state, const DynamicObject& object);
// The world shapes at the current pose, as the script's own copies, and the hot spots as points.
i32 PushCurrentLineSegments(lua_State* state, const DynamicObject& object);
i32 PushCurrentCircles(lua_State* state, const DynamicObject& object);
i32 PushCurrentHotSpots(lua_State* state, const DynamicObject& object);
}  // namespace Collision2D
