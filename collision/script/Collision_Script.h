#pragma once
// Lists that the collision engine's and the dynamic object's script methods share: each pushes one
// new table 1…n and returns 1, or pushes nothing and returns 0 where the method has no result.
#include "core/Core_Types.h"

struct lua_State;

namespace Collision2D
{
class DynamicObject;

// The current collision frame's shape objects; no result without a current frame.
i32 PushFrameLineSegments(lua_State* state, const DynamicObject& object);
i32 PushFrameCircles(lua_State* state, const DynamicObject& object);
i32 PushFrameHotSpots(lua_State* state, const DynamicObject& object);
// The world shapes at the current pose, as the script's own copies, and the hot spots as points.
i32 PushCurrentLineSegments(lua_State* state, const DynamicObject& object);
i32 PushCurrentCircles(lua_State* state, const DynamicObject& object);
i32 PushCurrentHotSpots(lua_State* state, const DynamicObject& object);
}  // namespace Collision2D
