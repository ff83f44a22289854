#include "collision/script/Collision_Results_Script.h"

#include "collision/Collision_Rect.h"
#include "collision/Collision_Results.h"
#include "script/Lua_Stack.h"

namespace Collision2D
{
namespace
{
// The table the global constructor makes, or a plain one; returns its index.
i32 PushRecordTable(lua_State* state, const char* constructor)
{
    const i32 top = Lua::GetTop(state);
    if (!Lua::CallGlobal(state, constructor, 0, 1) || !Lua::IsTable(state, -1))
    {
        Lua::SetTop(state, top);
        Lua::PushNewTable(state);
    }
    return Lua::GetTop(state);
}

// The count values on top of the stack go into a new table A through the global arrayFunction
// (A, values...), or straight to A[1..count] without one; A takes their place on the stack.
void MakeArray(lua_State* state, const char* arrayFunction, i32 count)
{
    const i32 first = Lua::GetTop(state) - count + 1;
    Lua::PushNewTable(state);
    const i32 array = Lua::GetTop(state);
    Lua::PushCopy(state, array);
    for (i32 i = 0; i < count; ++i)
        Lua::PushCopy(state, first + i);
    if (!Lua::CallGlobal(state, arrayFunction, count + 1, 0))
    {
        for (i32 i = 0; i < count; ++i)
        {
            Lua::PushCopy(state, first + i);
            Lua::SetListElement(state, static_cast<u32>(i + 1));
        }
    }
    Lua::SetTop(state, array);
    Lua::Insert(state, first);
    Lua::SetTop(state, first);
}

void SetNumber(lua_State* state, i32 table, const char* name, f64 value)
{
    Lua::PushNumber(state, value);
    Lua::SetField(state, table, name);
}

void SetPoint(lua_State* state, i32 table, const char* name, const Math::Point2D& point)
{
    Lua::PushPoint(state, point);
    Lua::SetField(state, table, name);
}

void SetSigned(lua_State* state, i32 table, const char* name, u32 value)
{
    SetNumber(state, table, name, static_cast<i32>(value));
}

// The fields every contact record starts with.
i32 PushContactHead(lua_State* state, const char* constructor, const COLLISION_C& record)
{
    const i32 table = PushRecordTable(state, constructor);
    SetSigned(state, table, "id", record.id);
    SetPoint(state, table, "contactPosition", record.contactPosition);
    SetNumber(state, table, "contactOrientation", record.contactOrientation);
    SetNumber(state, table, "penetrationDistance", record.penetrationDistance);
    return table;
}

i32 PushShapeContact(lua_State* state, const char* constructor, const ShapeContact* record)
{
    if (!record)
        return -1;
    const i32 table = PushContactHead(state, constructor, *record);
    PushPointArray4(state, record->contactPoint);
    Lua::SetField(state, table, "contactPoint");
    PushVectorArray4(state, record->normal);
    Lua::SetField(state, table, "normal");
    SetNumber(state, table, "numberOfIntersectedPoints", record->numberOfIntersectedPoints);
    SetNumber(state, table, "userId", record->userId);
    PushIntegerArray4(state, record->myLineSegmentUserId);
    Lua::SetField(state, table, "myLineSegmentUserId");
    PushIntegerArray4(state, record->myCircleUserId);
    Lua::SetField(state, table, "myCircleUserId");
    return table;
}

// Every allocated record of a pool, counted or not, through pusher, as one array.
template <class Record>
void PushRecordArray(lua_State* state, const Core::Vector<Record>& records, i32 (*pusher)(lua_State*, const Record*))
{
    for (const Record& record : records)
        pusher(state, &record);
    MakeArray(state, "CreateArrayTableVar", static_cast<i32>(records.size()));
}

void SetCellFields(lua_State* state, i32 table, const TMAP_DATA_BASE& entry)
{
    SetNumber(state, table, "id", entry.id);
    SetNumber(state, table, "cellX", entry.cellX);
    SetNumber(state, table, "cellY", entry.cellY);
    SetNumber(state, table, "collisionSide", entry.collisionSide);
    SetNumber(state, table, "hotSpotIndex", entry.hotSpotIndex);
}
} // namespace

i32 PushVelRectTable(lua_State* state, const VelRect* rectangle)
{
    if (!rectangle)
        return -1;
    Lua::PushNewTable(state);
    const i32 table = Lua::GetTop(state);
    SetNumber(state, table, "top", rectangle->top);
    SetNumber(state, table, "left", rectangle->left);
    SetNumber(state, table, "right", rectangle->right);
    SetNumber(state, table, "bottom", rectangle->bottom);
    return table;
}

i32 PushBRECT_C(lua_State* state, const BRECT_C* record)
{
    if (!record)
        return -1;
    const i32 table = PushRecordTable(state, "CreateBRECT_C");
    SetSigned(state, table, "id", record->id);
    PushVelRectTable(state, &record->rectangleIntersection);
    Lua::SetField(state, table, "rectangleIntersection");
    SetPoint(state, table, "contactPosition", record->contactPosition);
    SetNumber(state, table, "contactOrientation", record->contactOrientation);
    return table;
}

i32 PushCIR_C(lua_State* state, const CIR_C* record)
{
    return PushShapeContact(state, "CreateCIR_C", record);
}

i32 PushLNS_C(lua_State* state, const LNS_C* record)
{
    return PushShapeContact(state, "CreateLNS_C", record);
}

i32 PushDGEO_C(lua_State* state, const DGEO_C* record)
{
    if (!record)
        return -1;
    const i32 table = PushContactHead(state, "CreateDGEO_C", *record);
    PushRecordArray<LNS_C>(state, record->lineSegments, &PushLNS_C);
    Lua::SetField(state, table, "lineSegments");
    PushRecordArray<CIR_C>(state, record->circles, &PushCIR_C);
    Lua::SetField(state, table, "circles");
    SetNumber(state, table, "currentLineSegmentsNumber", record->currentLineSegmentsNumber);
    SetNumber(state, table, "currentCirclesNumber", record->currentCirclesNumber);
    SetNumber(state, table, "deltaBuffer", record->deltaBuffer);
    SetNumber(state, table, "buffer_LineSegments", record->buffer_LineSegments);
    SetNumber(state, table, "buffer_Circles", record->buffer_Circles);
    return table;
}

i32 PushTMAP_C(lua_State* state, const TMAP_C* record)
{
    if (!record)
        return -1;
    const i32 table = PushContactHead(state, "CreateTMAP_C", *record);
    SetNumber(state, table, "deltaBuffer", record->deltaBuffer);
    SetNumber(state, table, "currentNewIdsNumber", record->currentNewIdsNumber);
    SetNumber(state, table, "currentStaticIdsNumber", record->currentStaticIdsNumber);
    SetNumber(state, table, "buffer_NewIds", record->buffer_NewIds);
    SetNumber(state, table, "buffer_StaticIds", record->buffer_StaticIds);
    PushRecordArray<TMAP_DATA>(state, record->newEntries, &PushTMAP_DATA);
    Lua::SetField(state, table, "newEntries");
    PushRecordArray<TMAP_DATA_BASE>(state, record->staticEntries, &PushTMAP_DATA_BASE);
    Lua::SetField(state, table, "staticEntries");
    return table;
}

i32 PushTMAP_DATA(lua_State* state, const TMAP_DATA* entry)
{
    if (!entry)
        return -1;
    const i32 table = PushRecordTable(state, "CreateTMAP_DATA");
    SetCellFields(state, table, *entry);
    SetPoint(state, table, "position", entry->position);
    Lua::PushVector(state, entry->normal);
    Lua::SetField(state, table, "normal");
    SetNumber(state, table, "zAngle", entry->zAngle);
    return table;
}

i32 PushTMAP_DATA_BASE(lua_State* state, const TMAP_DATA_BASE* entry)
{
    if (!entry)
        return -1;
    const i32 table = PushRecordTable(state, "CreateTMAP_DATA_BASE");
    SetCellFields(state, table, *entry);
    return table;
}

i32 PushPointArray4(lua_State* state, const Math::Point2D* points)
{
    for (i32 i = 0; i < MaximumContactPoints; ++i)
        Lua::PushPoint(state, points[i]);
    MakeArray(state, "CreateArrayTable", MaximumContactPoints);
    return Lua::GetTop(state);
}

i32 PushVectorArray4(lua_State* state, const Math::Vector2D* vectors)
{
    for (i32 i = 0; i < MaximumContactPoints; ++i)
        Lua::PushVector(state, vectors[i]);
    MakeArray(state, "CreateArrayTable", MaximumContactPoints);
    return Lua::GetTop(state);
}

i32 PushIntegerArray4(lua_State* state, const u32* values)
{
    for (i32 i = 0; i < MaximumContactPoints; ++i)
        Lua::PushNumber(state, static_cast<i32>(values[i]));
    MakeArray(state, "CreateArrayTable", MaximumContactPoints);
    return Lua::GetTop(state);
}
} // namespace Collision2D
