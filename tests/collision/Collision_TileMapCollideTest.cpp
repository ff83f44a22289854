#include "Collision_TestBodies.h"
#include "Collision_TileMapFiles.h"

#include "collision/Collision_Engine.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_Results.h"
#include "collision/Collision_TileMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// Dynamic objects against the used cells of a tile map, by their bounding rectangle and by their
// hot spots.
namespace
{
using namespace CollisionTest;
using Collision2D::TileMap;
using Collision2D::TMAP_C;
using Collision2D::TMAP_DATA;
using Collision2D::TMAP_DATA_BASE;

// A 10 × 10 map of 10-unit cells; the listed cells are used, each with the tile whose id is
// 100 + column × 10 + row.
std::string GridText(const std::vector<std::pair<int, int>>& used)
{
    std::vector<TileText> tiles;
    std::vector<CellText> cells;
    for (const auto& [column, row] : used)
    {
        cells.push_back({column, row, static_cast<int>(tiles.size())});
        tiles.push_back(StillTile(100 + column * 10 + row));
    }
    return MapText(10, 10, 10, tiles, cells);
}

std::vector<std::pair<int, int>> Block(int firstColumn, int lastColumn, int firstRow, int lastRow)
{
    std::vector<std::pair<int, int>> cells;
    for (int column = firstColumn; column <= lastColumn; ++column)
        for (int row = firstRow; row <= lastRow; ++row)
            cells.emplace_back(column, row);
    return cells;
}

class TileMapCollide : public ::testing::Test
{
protected:
    TileMapCollide()
    {
        AddBoxFrame(box, 4.0f, 4.0f);
        AddBoxFrame(tallBox, 4.0f, 8.0f);
        Collision2D::CollisionFrame& frame = pointer.AddCollisionAnimation().AddCollisionFrame();
        frame.SetBoundingRectangle(VelRect(1, -1, 1, -1), true);
        frame.AddHotSpot({0, 0}, true);
        frame.AddHotSpot({3, 0}, true);
    }

    void Read(const std::string& text)
    {
        file = std::make_unique<MapFile>(text);
        ASSERT_TRUE(map.ReadInformation(file->Path()));
    }

    // Moves the body from one position to another within a frame and tests it against the map.
    const Collision2D::CollisionResults& Move(DynamicObject& body, const Vector2D& from, const Vector2D& to)
    {
        body.SetOldPosition(from);
        body.SetPosition(to);
        body.PrepareFrame();
        map.Collide(body, 1);
        return *body.GetResults();
    }

    static bool HasNew(const TMAP_C& record, int column, int row)
    {
        for (u32 i = 0; i < record.currentNewIdsNumber; ++i)
            if (record.newEntries[i].cellX == column && record.newEntries[i].cellY == row)
                return true;
        return false;
    }

    InterpolationGuard guard;
    TileMap map;
    std::unique_ptr<MapFile> file;
    CollisionActor box;
    CollisionActor tallBox;
    CollisionActor pointer;
};

TEST_F(TileMapCollide, RestingInsideAUsedRegionGivesStaticEntriesOnly)
{
    Read(GridText(Block(0, 9, 0, 9)));
    map.SetZCollision(5);
    int owner = 0;
    map.SetUserData(&owner);
    auto body = MakeBody(box, {25, 25});
    const auto& results = Move(*body, {25, 25}, {25, 25});
    ASSERT_EQ(results.currentTMAPNumber, 1);
    const TMAP_C& record = results.tileMaps[0];
    EXPECT_EQ(record.id, Collision2D::MakeObjectId(Collision2D::TileMapBase + map.GetIdNumber(), 1, 5));
    EXPECT_EQ(record.partnerUserData, &owner);
    EXPECT_EQ(record.currentNewIdsNumber, 0u);
    ASSERT_EQ(record.currentStaticIdsNumber, 4u);
    // Bottom, top, left and right edges, all over cell (2, 2).
    const int sides[4] = {6, 3, 2, 1};
    for (int i = 0; i < 4; ++i)
    {
        const TMAP_DATA_BASE& entry = record.staticEntries[i];
        EXPECT_EQ(entry.collisionSide, sides[i]);
        EXPECT_EQ(entry.cellX, 2);
        EXPECT_EQ(entry.cellY, 2);
        EXPECT_EQ(entry.id, 122);
        EXPECT_EQ(entry.hotSpotIndex, 0);
    }
}

TEST_F(TileMapCollide, MovingRightIntoAColumnOfUsedCells)
{
    Read(GridText(Block(5, 5, 0, 9)));
    // 8 wide and 16 high: rows 1 to 3; its right edge moves from column 4 into column 5.
    auto body = MakeBody(tallBox, {42, 25});
    const auto& results = Move(*body, {42, 25}, {47, 25});
    ASSERT_EQ(results.currentTMAPNumber, 1);
    const TMAP_C& record = results.tileMaps[0];
    ASSERT_EQ(record.currentNewIdsNumber, 3u);
    for (int i = 0; i < 3; ++i)
    {
        const TMAP_DATA& entry = record.newEntries[i];
        EXPECT_EQ(entry.cellX, 5);
        EXPECT_EQ(entry.cellY, 1 + i);
        EXPECT_EQ(entry.collisionSide, 1);
        EXPECT_EQ(entry.normal, Vector2D(-1, 0));
        // Moved back so that its right edge lies on the cells' left edge, x = 50.
        EXPECT_EQ(entry.position, Vector2D(46, 25));
        EXPECT_EQ(entry.zAngle, 0.0f);
        EXPECT_EQ(entry.id, 151 + i);
    }
    // Then the top (row 3), left (column 4: nothing used) and bottom (row 1) edges.
    ASSERT_EQ(record.currentStaticIdsNumber, 2u);
    EXPECT_EQ(record.staticEntries[0].collisionSide, 3);
    EXPECT_EQ(record.staticEntries[0].cellY, 3);
    EXPECT_EQ(record.staticEntries[1].collisionSide, 6);
    EXPECT_EQ(record.staticEntries[1].cellY, 1);
}

TEST_F(TileMapCollide, WalkingIntoAWallFromEachSide)
{
    // A block over x and y from 30 to 70.
    Read(GridText(Block(3, 6, 3, 6)));
    struct Approach
    {
        Vector2D from;
        Vector2D to;
        int side;
        Vector2D normal;
        Vector2D corrected;
    };
    const Approach approaches[] = {
        {{24, 50}, {29, 50}, 1, {-1, 0}, {26, 50}},
        {{76, 50}, {71, 50}, 2, {1, 0}, {74, 50}},
        {{50, 24}, {50, 29}, 3, {0, -1}, {50, 26}},
        {{50, 76}, {50, 71}, 6, {0, 1}, {50, 74}},
    };
    for (const Approach& approach : approaches)
    {
        auto body = MakeBody(box, approach.from);
        const auto& results = Move(*body, approach.from, approach.to);
        ASSERT_EQ(results.currentTMAPNumber, 1) << "side " << approach.side;
        const TMAP_C& record = results.tileMaps[0];
        ASSERT_EQ(record.currentNewIdsNumber, 2u) << "side " << approach.side;
        for (u32 i = 0; i < record.currentNewIdsNumber; ++i)
        {
            EXPECT_EQ(record.newEntries[i].collisionSide, approach.side);
            EXPECT_EQ(record.newEntries[i].normal, approach.normal);
            EXPECT_EQ(record.newEntries[i].position, approach.corrected) << "side " << approach.side;
        }
    }
}

TEST_F(TileMapCollide, WalkingIntoAWallThroughACorner)
{
    Read(GridText(Block(3, 6, 3, 6)));
    struct Approach
    {
        Vector2D from;
        Vector2D to;
        int horizontalSide;
        int cornerColumn;
        int cornerRow;
    };
    // Diagonally into each corner region of the block, overlapping one face by a row or column.
    const Approach approaches[] = {
        {{24, 44}, {29, 49}, 1, 3, 5},  // right and up: the new corner cell is (3, 5)
        {{76, 44}, {71, 49}, 2, 6, 5},  // left and up
        {{24, 54}, {29, 49}, 1, 3, 4},  // right and down
        {{76, 54}, {71, 49}, 2, 6, 4},  // left and down
    };
    for (const Approach& approach : approaches)
    {
        auto body = MakeBody(box, approach.from);
        const auto& results = Move(*body, approach.from, approach.to);
        ASSERT_EQ(results.currentTMAPNumber, 1);
        const TMAP_C& record = results.tileMaps[0];
        ASSERT_EQ(record.currentNewIdsNumber, 1u) << "the face's cell on the old row, from " << approach.from.x
                                                  << ", " << approach.from.y;
        EXPECT_EQ(record.newEntries[0].collisionSide, approach.horizontalSide);
        EXPECT_FALSE(HasNew(record, approach.cornerColumn, approach.cornerRow)) << "no entry for the corner cell";
        EXPECT_GE(record.currentStaticIdsNumber, 1u);
    }
    // Straight into the block's corner cell: it is entered through no edge of the old rows and
    // columns, and lies under neither trailing edge, so nothing is reported.
    auto body = MakeBody(box, {24, 24});
    EXPECT_EQ(Move(*body, {24, 24}, {29, 29}).currentTMAPNumber, 0);
}

TEST_F(TileMapCollide, UnusedCellsGiveNoRecord)
{
    Read(GridText({{9, 9}}));
    auto body = MakeBody(box, {25, 25});
    EXPECT_EQ(Move(*body, {22, 25}, {28, 25}).currentTMAPNumber, 0);
    // Nor does a body far beyond the grid, whose edges are not walked cell by cell.
    auto far = MakeBody(box, {1e9f, 1e9f});
    EXPECT_EQ(Move(*far, {-1e9f, -1e9f}, {1e9f, 1e9f}).currentTMAPNumber, 0);
    TileMap empty;
    empty.Collide(*body, 0);
    EXPECT_EQ(body->GetResults()->currentTMAPNumber, 0) << "a map without cells";
}

TEST_F(TileMapCollide, HotSpotsCrossingCells)
{
    Read(GridText({{3, 2}, {2, 2}, {9, 0}}));
    auto body = MakeBody(pointer, {25, 25});
    body->SetBoundingRectangleCheckingTileMap(false);
    body->SetOldOrientation(0);
    body->SetOrientation(0);

    // At rest: hot spot 0 over (2, 2) gives a static entry; hot spot 1 at x = 28 too.
    const auto& resting = Move(*body, {25, 25}, {25, 25});
    ASSERT_EQ(resting.currentTMAPNumber, 1);
    ASSERT_EQ(resting.tileMaps[0].currentStaticIdsNumber, 2u);
    EXPECT_EQ(resting.tileMaps[0].staticEntries[1].hotSpotIndex, 1);
    EXPECT_EQ(resting.tileMaps[0].staticEntries[1].collisionSide, 0);

    // Hot spot 1 moves from column 2 into used column 3; hot spot 0 stays in column 2.
    const auto& moved = Move(*body, {25, 25}, {28, 25});
    ASSERT_EQ(moved.currentTMAPNumber, 1);
    const TMAP_C& record = moved.tileMaps[0];
    ASSERT_EQ(record.currentNewIdsNumber, 1u);
    const TMAP_DATA& entry = record.newEntries[0];
    EXPECT_EQ(entry.hotSpotIndex, 1);
    EXPECT_EQ(entry.collisionSide, 1);
    EXPECT_EQ(entry.cellX, 3);
    EXPECT_EQ(entry.normal, Vector2D(-1, 0));
    EXPECT_EQ(entry.position, Vector2D(27, 25)) << "hot spot 1 placed on x = 30";

    // Two columns in one frame count as one: only the current cell is tested.
    const auto& jumped = Move(*body, {15, 25}, {28, 25});
    ASSERT_EQ(jumped.currentTMAPNumber, 1);
    EXPECT_EQ(jumped.tileMaps[0].newEntries[jumped.tileMaps[0].currentNewIdsNumber - 1].cellX, 3);

    // Far outside the grid, the hot spot is taken to the border cell.
    const auto& outside = Move(*body, {500, -400}, {500, -400});
    ASSERT_EQ(outside.currentTMAPNumber, 1);
    EXPECT_EQ(outside.tileMaps[0].staticEntries[0].cellX, 9);
    EXPECT_EQ(outside.tileMaps[0].staticEntries[0].cellY, 0);
}

TEST_F(TileMapCollide, HotSpotsEnteringDiagonally)
{
    // The map sits at (100, 200); the hot spot is 3 units right of the object's stored position, at
    // the pivot the body turns about, so it lies where the body is placed.
    Read(GridText(Block(2, 3, 2, 3)));
    map.SetPosition({100, 200});
    CollisionActor single;
    Collision2D::CollisionFrame& frame = single.AddCollisionAnimation().AddCollisionFrame();
    frame.SetBoundingRectangle(VelRect(1, -1, 1, -1), true);
    frame.AddHotSpot({3, 0}, true);
    auto body = MakeBody(single, {0, 0});
    body->SetBoundingRectangleCheckingTileMap(false);
    body->SetOrientation(12.0f);
    body->SetOldOrientation(12.0f);
    body->SetOffset({3, 0});

    // The hot spot runs from (25, 25) to (37, 33) in map coordinates: it reaches x = 30 (at
    // y = 28.33) before y = 30. Corrected positions are stored ones, 3 units left of the hot spot.
    const Vector2D origin(100, 200);
    auto& results = Move(*body, origin + Vector2D(25, 25), origin + Vector2D(37, 33));
    ASSERT_EQ(results.currentTMAPNumber, 1);
    const TMAP_C& record = results.tileMaps[0];
    ASSERT_EQ(record.currentNewIdsNumber, 2u);
    EXPECT_EQ(record.newEntries[0].cellX, 3);
    EXPECT_EQ(record.newEntries[0].cellY, 2);
    EXPECT_EQ(record.newEntries[0].collisionSide, 1);
    EXPECT_NEAR(record.newEntries[0].position.x, 127.0f, 1e-3f);
    EXPECT_NEAR(record.newEntries[0].position.y, 228.333f, 1e-2f);
    EXPECT_EQ(record.newEntries[1].cellY, 3);
    EXPECT_EQ(record.newEntries[1].collisionSide, 3);
    EXPECT_NEAR(record.newEntries[1].position.x, 129.5f, 1e-3f);
    EXPECT_NEAR(record.newEntries[1].position.y, 230.0f, 1e-3f);
    EXPECT_EQ(record.newEntries[1].zAngle, 12.0f);

    // Through the corner exactly: one entry with the corner's side.
    auto& corner = Move(*body, origin + Vector2D(25, 25), origin + Vector2D(35, 35));
    ASSERT_EQ(corner.currentTMAPNumber, 1);
    ASSERT_EQ(corner.tileMaps[0].currentNewIdsNumber, 1u);
    const TMAP_DATA& through = corner.tileMaps[0].newEntries[0];
    EXPECT_EQ(through.collisionSide, 4);
    EXPECT_NEAR(through.position.x, 127.0f, 1e-3f);
    EXPECT_NEAR(through.position.y, 230.0f, 1e-3f);
    EXPECT_NEAR(through.normal.x, -0.7071f, 1e-4f);
    EXPECT_NEAR(through.normal.y, -0.7071f, 1e-4f);

    // Down and left: it reaches y = 40 (in unused cell (4, 3)) before x = 40, where it enters the
    // block's cell (3, 3) through its right edge.
    auto& back = Move(*body, origin + Vector2D(45, 42), origin + Vector2D(38, 31));
    ASSERT_EQ(back.currentTMAPNumber, 1);
    ASSERT_EQ(back.tileMaps[0].currentNewIdsNumber, 1u);
    EXPECT_EQ(back.tileMaps[0].newEntries[0].collisionSide, 2);
    EXPECT_EQ(back.tileMaps[0].newEntries[0].cellX, 3);
    EXPECT_EQ(back.tileMaps[0].newEntries[0].normal, Vector2D(1, 0));
    EXPECT_NEAR(back.tileMaps[0].newEntries[0].position.x, 137.0f, 1e-3f);
    EXPECT_NEAR(back.tileMaps[0].newEntries[0].position.y, 200.0f + 42.0f - 5.0f * 11.0f / 7.0f, 1e-3f);
}

TEST_F(TileMapCollide, TheLayerTestsEveryBodyAgainstItsMaps)
{
    Collision2D::CollisionEngine engine;
    engine.AddLayer();
    auto* layerMap = new TileMap();
    const MapFile text(GridText(Block(5, 5, 0, 9)));
    // Read from its file, the map is tested wherever its grid lies, without a rectangle of its own.
    ASSERT_TRUE(layerMap->ReadInformation(text.Path()));
    layerMap->SetZCollision(2);
    engine.AddObject(layerMap, 0, {0, 0});
    DynamicObject* walker = MakeBody(tallBox, {42, 25}).release();
    walker->SetCanCollid(2, true);
    const u32 id = engine.AddObject(walker, 0, {42, 25});
    DynamicObject* idle = MakeBody(box, {55, 75}).release();
    idle->SetCanCollid(2, true);
    engine.AddObject(idle, 0, {55, 75});

    engine.SetDynamicObjectPosition(id, {47, 25});
    engine.Update(1.0f / 60.0f);
    ASSERT_EQ(walker->GetResults()->currentTMAPNumber, 1);
    EXPECT_EQ(walker->GetResults()->tileMaps[0].id,
              Collision2D::MakeObjectId(Collision2D::TileMapBase + layerMap->GetIdNumber(), 0, 2));
    EXPECT_EQ(walker->GetResults()->tileMaps[0].currentNewIdsNumber, 3u);
    EXPECT_EQ(idle->GetResults()->currentTMAPNumber, 1) << "still bodies meet tile maps without UpdateOnIdle";
    EXPECT_TRUE(engine.ObjectInCollision(id));

    idle->SetCanCollid(2, false);
    engine.Update(1.0f / 60.0f);
    EXPECT_EQ(idle->GetResults()->currentTMAPNumber, 0) << "the map's z-level switched off";
}
} // namespace
