#include "Collision_TestBodies.h"
#include "Collision_TileMapFiles.h"

#include "collision/Collision_TileMap.h"
#include "core/Core_File.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

// Tile maps: the text reader, tile animation, cell queries, copies and the stream form.
namespace
{
using namespace CollisionTest;
using Collision2D::Cell;
using Collision2D::Tile;
using Collision2D::TileMap;

// A 3 × 3 map of 10-unit cells whose cells all use their own tile (id 10 + column × 3 + row),
// except the middle one, which is not used.
std::string RingText(const std::string& lineEnd = "\n")
{
    std::vector<TileText> tiles;
    std::vector<CellText> cells;
    for (int column = 0; column < 3; ++column)
    {
        for (int row = 0; row < 3; ++row)
        {
            tiles.push_back(StillTile(10 + column * 3 + row));
            if (column != 1 || row != 1)
                cells.push_back({column, row, column * 3 + row});
        }
    }
    return MapText(3, 3, 10, tiles, cells, lineEnd);
}

TEST(TileMap, ReadsSizesTilesAndCells)
{
    const MapFile file(MapText(4, 3, 32, {StillTile(5), {{"0.5", "1.0"}, {7, 8}, {1, 2}}, StillTile(9)},
                               {{0, 0, 2}, {3, 2, 1}}));
    TileMap map;
    ASSERT_TRUE(map.ReadInformation(file.Path()));
    EXPECT_EQ(map.NumberOfColumns(), 4);
    EXPECT_EQ(map.NumberOfRows(), 3);
    EXPECT_EQ(map.Dimension(), 32);
    EXPECT_EQ(map.Width(), 128);
    EXPECT_EQ(map.Height(), 96);
    EXPECT_EQ(map.GetBoundingRectangle(), VelRect(96, 0, 128, 0)) << "the grid's extent";
    ASSERT_EQ(map.GetTileCount(), 3);
    const Tile& animated = *map.GetTile(1);
    EXPECT_EQ(animated.GetCount(), 2);
    EXPECT_EQ(animated.CurrentImage(), 7);
    EXPECT_EQ(animated.CurrentId(), 1);
    EXPECT_TRUE(animated.IsActivated());

    EXPECT_EQ(map.GetCellUsed(0, 0), 1);
    EXPECT_EQ(TileMap::CellId(*map.GetCell(0, 0)), 9) << "the cell names tile 2";
    EXPECT_EQ(map.GetCell(3, 2)->MyImage(), 7);
    EXPECT_EQ(map.GetCell(3, 2)->myTileIndex, 1);
    EXPECT_EQ(map.GetCellUsed(1, 1), 0);
    EXPECT_EQ(TileMap::CellId(*map.GetCell(1, 1)), Collision2D::NoCellId) << "no tile";
    EXPECT_EQ(map.GetCell(1, 1)->MyImage(), 0);
    EXPECT_EQ(map.GetCellUsed(0, 3), 0) << "a row equal to the row count lies outside";
    EXPECT_EQ(map.GetCell(4, 0), nullptr);
    EXPECT_EQ(map.GetCell(-1, 0), nullptr);
}

TEST(TileMap, ReadsWindowsLineEndsAlike)
{
    const std::string lf = RingText("\n");
    const std::string crlf = RingText("\r\n");
    const MapFile unixFile(lf, "_lf");
    const MapFile windowsFile(crlf, "_crlf");
    TileMap unixMap;
    TileMap windowsMap;
    ASSERT_TRUE(unixMap.ReadInformation(unixFile.Path()));
    ASSERT_TRUE(windowsMap.ReadInformation(windowsFile.Path()));
    for (int column = 0; column < 3; ++column)
    {
        for (int row = 0; row < 3; ++row)
        {
            EXPECT_EQ(windowsMap.GetCellUsed(column, row), unixMap.GetCellUsed(column, row));
            EXPECT_EQ(windowsMap.GetCell(column, row)->Id(), unixMap.GetCell(column, row)->Id());
        }
    }
    EXPECT_EQ(windowsMap.GetCell(2, 2)->Id(), 18);

    // Without a line end after the last cell, and with blanks trailing a list.
    std::string trimmed = crlf.substr(0, crlf.size() - 2);
    const std::size_t list = trimmed.find("Durations: 1.0");
    trimmed.insert(list + 14, "  ");
    const MapFile trimmedFile(trimmed, "_trimmed");
    TileMap trimmedMap;
    ASSERT_TRUE(trimmedMap.ReadInformation(trimmedFile.Path()));
    EXPECT_EQ(trimmedMap.GetCell(2, 2)->Id(), 18);
}

TEST(TileMap, TilesAnimateByTheirDurations)
{
    const MapFile file(MapText(2, 1, 8, {{{"0.5", "1.0"}, {0, 1}, {3, 4}}, StillTile(6, 5)}, {{0, 0, 0}, {1, 0, 1}}));
    TileMap map;
    ASSERT_TRUE(map.ReadInformation(file.Path()));
    const Cell& cell = *map.GetCell(0, 0);
    std::vector<int> images;
    for (int step = 0; step < 7; ++step)
    {
        map.Update(0.3f);
        images.push_back(cell.MyImage());
    }
    // Timer 0.3, 0.6: switch; then 0.3, 0.6, 0.9, 1.2: switch back.
    EXPECT_EQ(images, (std::vector<int>{0, 1, 1, 1, 1, 0, 0}));
    EXPECT_EQ(cell.Id(), 3);
    EXPECT_EQ(map.GetCell(1, 0)->MyImage(), 5) << "one image never changes";

    map.GetTile(0)->SetActivated(false);
    map.Update(0.6f);
    EXPECT_EQ(cell.MyImage(), 0) << "a stopped tile keeps its image";
}

TEST(TileMap, ATileWithoutImagesAnswersAsEmpty)
{
    const MapFile file(MapText(2, 1, 8, {{{}, {}, {}}, StillTile(4)}, {{0, 0, 0}, {1, 0, 1}}));
    TileMap map;
    ASSERT_TRUE(map.ReadInformation(file.Path()));
    EXPECT_EQ(map.GetTile(0)->GetCount(), 0);
    map.Update(1.0f);
    const Cell& cell = *map.GetCell(0, 0);
    EXPECT_EQ(cell.isUsed, 1);
    EXPECT_EQ(cell.Id(), Collision2D::NoCellId);
    EXPECT_EQ(cell.MyImage(), 0);
    EXPECT_EQ(map.GetCollidedCellId({12, 4}, 3), -1);
    EXPECT_EQ(map.GetCollidedCellId({4, 4}, 4), 4) << "the tile after it was read in place";
}

TEST(TileMap, UpdatePlacesTheRectangleAtThePosition)
{
    TileMap map;
    map.SetBoundingRectangle(VelRect(96, 0, 128, 0));
    map.SetOffset({10, 0});
    map.SetPosition({110, 50});
    EXPECT_EQ(map.GetPosition(), Vector2D(100, 50));
    map.Update(0.0f);
    EXPECT_EQ(map.GetCurrentBoundingRectangle(), VelRect(146, 100, 228, 50));
}

TEST(TileMap, NeighbourIdsInAllEightDirections)
{
    const MapFile file(RingText());
    TileMap map;
    ASSERT_TRUE(map.ReadInformation(file.Path()));
    map.SetPosition({100, 200});
    const Vector2D middle(115, 215);
    // Up, down, left, right, up-right, down-right, up-left, down-left.
    const int expected[8] = {15, 13, 11, 17, 18, 16, 12, 10};
    for (int direction = 1; direction <= 8; ++direction)
        EXPECT_EQ(map.GetCollidedCellId(middle, direction), expected[direction - 1]) << "direction " << direction;
    EXPECT_EQ(map.GetCollidedCellId(middle, 0), -1);
    EXPECT_EQ(map.GetCollidedCellId(middle, 9), -1);
    EXPECT_EQ(map.GetCollidedCellId({125, 225}, 1), -1) << "above the grid";
    EXPECT_EQ(map.GetCollidedCellId({105, 205}, 3), -1) << "left of column 0";
    EXPECT_EQ(map.GetCollidedCellId({105, 205}, 2), -1);
    EXPECT_EQ(map.GetCollidedCellId({105, 205}, 1), 11) << "from a used cell to its used neighbour";
    EXPECT_EQ(map.GetCollidedCellId({95, 205}, 4), 13) << "10 units left of the grid still counts as column 0";
    EXPECT_EQ(map.GetCollidedCellId({105, 205}, 5), -1) << "the unused middle";
    EXPECT_EQ(map.GetCollidedCellId({1e30f, 0}, 3), -1);
    EXPECT_EQ(map.GetCollidedCellId({std::nanf(""), 205}, 4), -1);
}

TEST(TileMap, IdsUnderTheEdgesOfARectangleAndUnderHotSpots)
{
    const MapFile file(RingText());
    TileMap map;
    ASSERT_TRUE(map.ReadInformation(file.Path()));
    CollisionActor actor;
    Collision2D::CollisionFrame& frame = actor.AddCollisionAnimation().AddCollisionFrame();
    frame.SetBoundingRectangle(VelRect(12, -12, 12, -12), true);
    frame.AddHotSpot({-8, 0}, true);
    frame.AddHotSpot({8, 8}, true);
    auto body = MakeBody(actor, {15, 15});
    body->PrepareFrame();
    // The rectangle covers every cell: columns and rows 0 to 2.
    Core::Vector<u8> ids;
    map.GetCollidedCellsIDWithBoundingRectangle(*body, 1, ids);
    EXPECT_EQ(ids, (Core::Vector<u8>{12, 15, 18}));
    map.GetCollidedCellsIDWithBoundingRectangle(*body, 3, ids);
    EXPECT_EQ(ids, (Core::Vector<u8>{10, 11, 12}));
    map.GetCollidedCellsIDWithBoundingRectangle(*body, 4, ids);
    EXPECT_EQ(ids, (Core::Vector<u8>{16, 17, 18}));
    map.GetCollidedCellsIDWithBoundingRectangle(*body, 8, ids);
    EXPECT_EQ(ids, (Core::Vector<u8>{10, 13, 16, 11, 12})) << "the bottom row, then the left column above it";
    map.GetCollidedCellsIDWithBoundingRectangle(*body, 5, ids);
    EXPECT_EQ(ids, (Core::Vector<u8>{12, 15, 18, 16, 17}));
    map.GetCollidedCellsIDWithBoundingRectangle(*body, 2, ids);
    EXPECT_EQ(ids, (Core::Vector<u8>{10, 13, 16}));
    map.GetCollidedCellsIDWithBoundingRectangle(*body, 6, ids);
    EXPECT_EQ(ids, (Core::Vector<u8>{10, 13, 16, 17, 18}));
    map.GetCollidedCellsIDWithBoundingRectangle(*body, 7, ids);
    EXPECT_EQ(ids, (Core::Vector<u8>{12, 15, 18, 10, 11}));
    map.GetCollidedCellsIDWithBoundingRectangle(*body, 9, ids);
    EXPECT_TRUE(ids.empty());

    // Hot spots at (7, 15) and (23, 23), in cells (0, 1) and (2, 2).
    ids = {99};
    map.GetCollidedCellsIDWithHotSpots(*body, 1, ids);
    EXPECT_EQ(ids, (Core::Vector<u8>{99, 12})) << "appended; the one above the grid gives nothing";
    map.GetCollidedCellsIDWithHotSpots(*body, 4, ids);
    EXPECT_EQ(ids, (Core::Vector<u8>{99, 12})) << "the unused middle and the outside give nothing";

    // A rectangle far beyond the grid lists nothing and walks no cell outside it.
    auto far = MakeBody(actor, {1e9f, 15});
    far->PrepareFrame();
    map.GetCollidedCellsIDWithBoundingRectangle(*far, 1, ids);
    EXPECT_TRUE(ids.empty());
}

TEST(TileMap, ACopyKeepsTheGeometryWithoutCells)
{
    const MapFile file(RingText());
    TileMap map;
    ASSERT_TRUE(map.ReadInformation(file.Path()));
    map.SetZCollision(3);
    map.SetPosition({5, 6});
    const TileMap copy(map);
    EXPECT_EQ(copy.GetIdNumber(), map.GetIdNumber() + 1);
    EXPECT_EQ(copy.Width(), 30);
    EXPECT_EQ(copy.NumberOfRows(), 3);
    EXPECT_EQ(copy.GetTileCount(), 9);
    EXPECT_EQ(copy.GetPosition(), Vector2D(5, 6));
    EXPECT_EQ(copy.GetZCollision(), 3);
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(copy.GetCellUsed(column, row), 0);
}

TEST(TileMap, AStreamedMapRestoresItsCellsTiles)
{
    const MapFile file(MapText(4, 3, 32, {StillTile(5), {{"0.5", "1.0"}, {7, 8}, {1, 2}}}, {{0, 0, 1}, {3, 2, 0}}));
    TileMap map;
    ASSERT_TRUE(map.ReadInformation(file.Path()));
    map.SetZCollision(2);
    map.SetBoundingRectangle(VelRect(96, 0, 128, 0));
    map.Update(0.6f);
    Core::MemoryFile first;
    map.Save(first);

    Core::MemoryFile reading(first.GetData(), first.GetSize());
    TileMap loaded;
    ASSERT_TRUE(loaded.Load(reading));
    EXPECT_EQ(reading.GetRemaining(), 0u);
    EXPECT_EQ(loaded.GetIdNumber(), map.GetIdNumber());
    EXPECT_EQ(loaded.Width(), 128);
    EXPECT_EQ(loaded.GetCell(0, 0)->Id(), 2) << "the animated tile, at its second image";
    EXPECT_EQ(loaded.GetCell(3, 2)->Id(), 5);
    EXPECT_EQ(loaded.GetCellUsed(1, 1), 0);
    Core::MemoryFile second;
    loaded.Save(second);
    ASSERT_EQ(second.GetSize(), first.GetSize());
    EXPECT_TRUE(std::equal(first.GetData(), first.GetData() + first.GetSize(), second.GetData()));
}

TEST(TileMap, HostileStreamsAreRefused)
{
    const MapFile file(RingText());
    TileMap map;
    ASSERT_TRUE(map.ReadInformation(file.Path()));
    Core::MemoryFile saved;
    map.Save(saved);
    for (u32 length = 0; length < saved.GetSize(); ++length)
    {
        Core::MemoryFile truncated(saved.GetData(), length);
        TileMap loaded;
        EXPECT_FALSE(loaded.Load(truncated)) << "length " << length;
    }
    // Record offsets: kind 0, counter 4, id 8, rectangle 12, position 28, z 36, sizes from 37.
    auto patched = [&](u32 at, u32 value) {
        std::vector<u8> bytes(saved.GetData(), saved.GetData() + saved.GetSize());
        for (int b = 0; b < 4; ++b)
            bytes[at + b] = static_cast<u8>(value >> (8 * b));
        Core::MemoryFile stream(bytes.data(), static_cast<u32>(bytes.size()));
        TileMap loaded;
        return loaded.Load(stream);
    };
    EXPECT_FALSE(patched(37, 0)) << "cells without a size";
    EXPECT_FALSE(patched(41, 31)) << "a width that is not the cells' width";
    EXPECT_FALSE(patched(49, 0x7FFFFFFF)) << "rows that do not make the height";
    EXPECT_FALSE(patched(57, 0xFFFFFFF0)) << "more tiles than the stream holds";
    // The first tile: count 1 at 61, its image, then its current image at 74.
    EXPECT_FALSE(patched(74, 1)) << "a current image the tile does not have";
}

TEST(TileMap, MalformedFilesLeaveTheMapAsItWas)
{
    const std::string good = RingText();
    const MapFile goodFile(good);
    TileMap map;
    EXPECT_FALSE(map.ReadInformation("/nonexistent/morvane_map.txt"));
    EXPECT_EQ(map.NumberOfColumns(), 0);
    ASSERT_TRUE(map.ReadInformation(goodFile.Path()));
    // A second read replaces the first without leaking it.
    ASSERT_TRUE(map.ReadInformation(goodFile.Path()));

    auto refused = [&](const std::string& text, const char* why) {
        const MapFile file(text, "_bad");
        EXPECT_FALSE(map.ReadInformation(file.Path())) << why;
        EXPECT_EQ(map.NumberOfColumns(), 3) << why;
        EXPECT_EQ(map.GetCell(0, 0)->Id(), 10) << why;
    };
    // Every truncation short of the last line's end.
    for (std::size_t length = 0; length + 1 < good.size(); ++length)
        refused(good.substr(0, length), ("truncated to " + std::to_string(length)).c_str());

    refused(MapText(0, 3, 10, {}, {}), "no columns");
    refused(MapText(3, -2, 10, {}, {}), "negative rows");
    refused(MapText(3, 3, 0, {}, {}), "cells of size 0");
    refused(MapText(65536, 65536, 10, {}, {}), "too many cells");
    refused(MapText(3, 3, 1000000, {}, {}), "wider than a map can be");
    refused(MapText(3, 3, 10, {StillTile(1)}, {{3, 0, 0}}), "a cell beyond the last column");
    refused(MapText(3, 3, 10, {StillTile(1)}, {{0, -1, 0}}), "a cell below the first row");
    refused(MapText(3, 3, 10, {StillTile(1)}, {{0, 0, 1}}), "a cell naming no tile");
    refused(MapText(3, 3, 10, {StillTile(1)}, {{0, 0, -1}}), "a negative tile");
    refused(MapText(3, 3, 10, {{{"1", "2"}, {1}, {1, 2}}}, {}), "a list shorter than its count");
    std::string longField = good;
    longField.replace(3, 1, "0000000000003");
    refused(longField, "a number longer than 12 characters");
    std::string hugeTiles = good;
    hugeTiles.replace(hugeTiles.find("Tile Count: 9"), 13, "Tile Count: 999999999");
    refused(hugeTiles, "more tiles than allowed");
    std::string fewCells = good;
    fewCells.replace(fewCells.find("Used Cells: 8"), 13, "Used Cells: 2000000000");
    refused(fewCells, "fewer cell lines than counted");
    std::string noParenthesis = good;
    noParenthesis.replace(noParenthesis.find("(0,0,0)"), 1, "[");
    refused(noParenthesis, "a cell line without its parenthesis");
    std::string splitCell = good;
    splitCell.replace(splitCell.find("(0,0,0)"), 7, "(0\n0,0)");
    refused(splitCell, "a cell split over two lines");

    std::mt19937 random(17);
    for (int round = 0; round < 200; ++round)
    {
        std::string noise = good;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e)
            noise[random() % noise.size()] = static_cast<char>(random() % 256);
        const MapFile file(noise, "_noise");
        TileMap other;
        if (other.ReadInformation(file.Path()))
        {
            // Whatever it read is a consistent map.
            EXPECT_EQ(other.Width(), other.Dimension() * other.NumberOfColumns());
            for (int column = 0; column < other.NumberOfColumns(); ++column)
            {
                for (int row = 0; row < other.NumberOfRows(); ++row)
                {
                    if (other.GetCellUsed(column, row))
                    {
                        EXPECT_NE(other.GetCell(column, row)->MyTile, nullptr);
                    }
                }
            }
        }
    }
}
} // namespace
