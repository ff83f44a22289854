#pragma once
// Result records as script tables. Each pusher leaves exactly one new table on the stack, made by
// the script's global constructor of the record ("CreateBRECT_C" and its siblings; a plain table
// when the constructor is missing or fails), with the record's fields set, and returns its stack
// index; a null record pushes nothing and returns -1. Four-value arrays are handed to the global
// "CreateArrayTable", record lists to "CreateArrayTableVar" (a new table and then the values);
// without them the values are stored at 1, 2, ...
#include "core/Core_Types.h"
#include "math/Math_Vector2D.h"

struct lua_State;

namespace Collision2D
{
class BRECT_C;
class CIR_C;
class DGEO_C;
class LNS_C;
class TMAP_C;
class VelRect;
struct TMAP_DATA;
struct TMAP_DATA_BASE;

// A plain table {top, left, right, bottom}.
i32 PushVelRectTable(lua_State* state, const VelRect* rectangle);
i32 PushBRECT_C(lua_State* state, const BRECT_C* record);
i32 PushCIR_C(lua_State* state, const CIR_C* record);
i32 PushLNS_C(lua_State* state, const LNS_C* record);
i32 PushDGEO_C(lua_State* state, const DGEO_C* record);
i32 PushTMAP_C(lua_State* state, const TMAP_C* record);
i32 PushTMAP_DATA(lua_State* state, const TMAP_DATA* entry);
i32 PushTMAP_DATA_BASE(lua_State* state, const TMAP_DATA_BASE* entry);
i32 PushPointArray4(lua_State* state, const Math::Point2D* points);
i32 PushVectorArray4(lua_State* state, const Math::Vector2D* vectors);
// The values as signed 32-bit integers.
i32 PushIntegerArray4(lua_State* state, const u32* values);
}  // namespace Collision2D
