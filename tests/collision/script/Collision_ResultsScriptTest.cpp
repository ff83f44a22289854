#include "tests/support/Support_ScriptTest.h"

#include "collision/Collision_Results.h"
#include "collision/script/Collision_Results_Script.h"
#include "core/Core_File.h"

namespace
{
using namespace Collision2D;

class ResultsScriptTest : public ScriptTest
{
protected:
    // The number at table[field] of the table at index.
    double Field(i32 table, const char* field)
    {
        lua_getfield(master, table, field);
        const double value = lua_tonumber(master, -1);
        lua_pop(master, 1);
        return value;
    }

    // The number at table[field][position].
    double Element(i32 table, const char* field, int position, const char* inner = nullptr)
    {
        lua_getfield(master, table, field);
        lua_rawgeti(master, -1, position);
        double value = 0;
        if (inner)
        {
            lua_getfield(master, -1, inner);
            value = lua_tonumber(master, -1);
            lua_pop(master, 1);
        }
        else
        {
            value = lua_tonumber(master, -1);
        }
        lua_pop(master, 2);
        return value;
    }

    int Length(i32 table, const char* field)
    {
        lua_getfield(master, table, field);
        const int length = static_cast<int>(lua_objlen(master, -1));
        lua_pop(master, 1);
        return length;
    }

    std::string ClassName(i32 table)
    {
        lua_getfield(master, table, "className");
        const std::string name = lua_isstring(master, -1) ? lua_tostring(master, -1) : "";
        lua_pop(master, 1);
        return name;
    }
};

TEST_F(ResultsScriptTest, ShapeContactsBecomeTablesOfTheirFields)
{
    CIR_C circle;
    circle.id = 0xFFFFFFFFu;
    circle.contactPosition = {3, 4};
    circle.contactOrientation = 90;
    circle.penetrationDistance = 0.5f;
    circle.numberOfIntersectedPoints = 1;
    circle.contactPoint[0] = {1, 2};
    circle.normal[0] = {0, 1};
    circle.userId = 0xFFFFFFFFu;
    circle.myCircleUserId[0] = 0xFFFFFFFFu;

    const i32 table = PushCIR_C(master, &circle);
    EXPECT_EQ(table, lua_gettop(master)) << "only the record table stays";
    EXPECT_EQ(ClassName(table), "CIR_C");
    EXPECT_EQ(Field(table, "id"), -1);
    EXPECT_EQ(Element(table, "contactPosition", 0), 0);
    lua_getfield(master, table, "contactPosition");
    EXPECT_EQ(Field(-1, "X"), 3);
    lua_pop(master, 1);
    EXPECT_EQ(Field(table, "contactOrientation"), 90);
    EXPECT_EQ(Field(table, "penetrationDistance"), 0.5);
    EXPECT_EQ(Length(table, "contactPoint"), 4);
    EXPECT_EQ(Element(table, "contactPoint", 1, "Y"), 2);
    EXPECT_EQ(Element(table, "contactPoint", 4, "X"), 0) << "entries past the count hold what the record holds";
    EXPECT_EQ(Element(table, "normal", 1, "Y"), 1);
    EXPECT_EQ(Field(table, "numberOfIntersectedPoints"), 1);
    EXPECT_EQ(Field(table, "userId"), 4294967295.0);
    EXPECT_EQ(Element(table, "myCircleUserId", 1), -1);
    EXPECT_EQ(Element(table, "myLineSegmentUserId", 1), 192038273);
    lua_settop(master, 0);

    LNS_C segment;
    EXPECT_EQ(ClassName(PushLNS_C(master, &segment)), "LNS_C");
    EXPECT_EQ(PushLNS_C(master, nullptr), -1);
    EXPECT_EQ(PushCIR_C(master, nullptr), -1);
    EXPECT_EQ(lua_gettop(master), 1);
    lua_settop(master, 0);
}

TEST_F(ResultsScriptTest, RectangleGeometryAndTileMapRecordsCarryTheirSubRecords)
{
    BRECT_C rectangle;
    rectangle.id = 9536;
    rectangle.rectangleIntersection = VelRect(4, 1, 3, 2);
    rectangle.contactOrientation = 45;
    const i32 rectangleTable = PushBRECT_C(master, &rectangle);
    EXPECT_EQ(ClassName(rectangleTable), "BRECT_C");
    EXPECT_EQ(Field(rectangleTable, "id"), 9536);
    EXPECT_EQ(Element(rectangleTable, "rectangleIntersection", 0), 0);
    lua_getfield(master, rectangleTable, "rectangleIntersection");
    EXPECT_EQ(Field(-1, "top"), 4);
    EXPECT_EQ(Field(-1, "left"), 1);
    EXPECT_EQ(Field(-1, "right"), 3);
    EXPECT_EQ(Field(-1, "bottom"), 2);
    lua_settop(master, 0);

    DGEO_C geometry;
    geometry.NextCircle().userId = 7;
    geometry.CommitCircleResult();
    geometry.NextLineSegment();
    geometry.NextLineSegment().userId = 8;
    const i32 geometryTable = PushDGEO_C(master, &geometry);
    EXPECT_EQ(geometryTable, 1);
    EXPECT_EQ(lua_gettop(master), 1);
    EXPECT_EQ(Length(geometryTable, "circles"), static_cast<int>(geometry.circles.size()));
    EXPECT_EQ(Length(geometryTable, "lineSegments"), static_cast<int>(geometry.lineSegments.size()));
    EXPECT_EQ(Element(geometryTable, "circles", 1, "userId"), 7);
    EXPECT_EQ(Field(geometryTable, "currentCirclesNumber"), 1);
    EXPECT_EQ(Field(geometryTable, "currentLineSegmentsNumber"), 0);
    EXPECT_EQ(Field(geometryTable, "buffer_Circles"), geometry.buffer_Circles);
    lua_settop(master, 0);

    TMAP_C map;
    TMAP_DATA hit;
    hit.id = 200;
    hit.cellX = 3;
    hit.normal = {0, -1};
    hit.zAngle = 30;
    map.AddNewEntry(hit);
    TMAP_DATA_BASE resting;
    resting.cellY = 9;
    map.AddStaticEntry(resting);
    map.AddStaticEntry(resting);
    const i32 mapTable = PushTMAP_C(master, &map);
    EXPECT_EQ(ClassName(mapTable), "TMAP_C");
    EXPECT_EQ(Field(mapTable, "currentNewIdsNumber"), map.currentNewIdsNumber);
    EXPECT_EQ(Field(mapTable, "buffer_StaticIds"), map.buffer_StaticIds);
    EXPECT_EQ(Length(mapTable, "newEntries"), static_cast<int>(map.newEntries.size()));
    EXPECT_EQ(Length(mapTable, "staticEntries"), static_cast<int>(map.staticEntries.size()));
    EXPECT_EQ(Element(mapTable, "newEntries", 1, "id"), 200);
    EXPECT_EQ(Element(mapTable, "newEntries", 1, "cellX"), 3);
    EXPECT_EQ(Element(mapTable, "newEntries", 1, "zAngle"), 30);
    EXPECT_EQ(Element(mapTable, "staticEntries", 2, "cellY"), 9);
    lua_rawgeti(master, -1, 0);
    lua_settop(master, 0);
}

TEST_F(ResultsScriptTest, RecordsOfANewBlockReachScriptsWithWholeArrays)
{
    const CollisionResults block;
    ASSERT_FALSE(block.geometries.empty());
    ASSERT_FALSE(block.tileMaps.empty());
    lua_pushvalue(master, PushDGEO_C(master, &block.geometries[0]));
    SetGlobalFromTop("geometry");
    lua_pushvalue(master, PushTMAP_C(master, &block.tileMaps[0]));
    SetGlobalFromTop("tileMap");
    lua_settop(master, 0);
    EXPECT_EQ(RunFile("Collision_Results.lua"), "");
}

TEST_F(ResultsScriptTest, RecordsOfALoadedBlockReachScriptsWithTheirCapacities)
{
    CollisionResults block;
    DGEO_C& geometry = block.NextGeometry();
    for (int i = 0; i < 5; ++i)
        geometry.CommitCircleResult();
    block.CommitGeometryResult();
    TMAP_C& map = block.NextTileMap();
    for (int i = 0; i < 21; ++i)
        map.AddStaticEntry(TMAP_DATA_BASE());
    map.currentStaticIdsNumber = 0;
    TMAP_DATA_BASE cell;
    cell.cellX = 7;
    map.AddStaticEntry(cell);
    map.AddStaticEntry(cell);
    block.CommitTileMapResult();
    lua_pushvalue(master, PushDGEO_C(master, &block.geometries[0]));
    SetGlobalFromTop("grown");
    lua_settop(master, 0);

    Core::MemoryFile saved;
    block.Save(saved);
    Core::MemoryFile reader(saved.GetData(), saved.GetSize());
    CollisionResults loaded;
    ASSERT_TRUE(loaded.Load(reader));
    lua_pushvalue(master, PushDGEO_C(master, &loaded.geometries[0]));
    SetGlobalFromTop("geometry");
    lua_pushvalue(master, PushTMAP_C(master, &loaded.tileMaps[0]));
    SetGlobalFromTop("tileMap");
    lua_settop(master, 0);
    EXPECT_EQ(RunFile("Collision_LoadedResults.lua"), "");
}

TEST_F(ResultsScriptTest, ArraysFillThemselvesWhenScriptsLackTheArrayFunctions)
{
    ASSERT_EQ(luaL_dostring(master, "CreateArrayTable = nil CreateCIR_C = nil"), 0);
    const u32 ids[4] = {1, 2, 0xFFFFFFFFu, 4};
    const i32 array = PushIntegerArray4(master, ids);
    EXPECT_EQ(lua_objlen(master, array), 4u);
    lua_rawgeti(master, array, 3);
    EXPECT_EQ(lua_tonumber(master, -1), -1);
    lua_settop(master, 0);
    CIR_C circle;
    const i32 table = PushCIR_C(master, &circle);
    EXPECT_EQ(table, 1);
    EXPECT_EQ(Length(table, "normal"), 4);
    lua_settop(master, 0);
}
} // namespace
