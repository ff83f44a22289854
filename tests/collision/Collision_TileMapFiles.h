#pragma once

#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "tests/support/Support_Scratch.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

// Tile-map text files written by the tile-map tests, in the layout the reader expects.
namespace CollisionTest
{
struct TileText
{
    std::vector<std::string> durations;
    std::vector<int> images;
    std::vector<int> ids;
};

struct CellText
{
    int column;
    int row;
    int tile;
};

// The text of a map; every line ends with lineEnd.
inline std::string MapText(int columns, int rows, int cellSize, const std::vector<TileText>& tiles,
                           const std::vector<CellText>& cells, const std::string& lineEnd = "\n")
{
    std::string text = "X: " + std::to_string(columns) + lineEnd + "Y: " + std::to_string(rows) + lineEnd +
                       "Dim: " + std::to_string(cellSize) + lineEnd + "Tile Count: " + std::to_string(tiles.size()) +
                       lineEnd + lineEnd;
    for (std::size_t t = 0; t < tiles.size(); ++t)
    {
        const TileText& tile = tiles[t];
        auto list = [&](const std::vector<std::string>& items) {
            std::string line;
            for (std::size_t i = 0; i < items.size(); ++i)
                line += (i ? " " : "") + items[i];
            return line + lineEnd;
        };
        std::vector<std::string> images;
        std::vector<std::string> ids;
        for (int image : tile.images)
            images.push_back(std::to_string(image));
        for (int id : tile.ids)
            ids.push_back(std::to_string(id));
        text += "Tile " + std::to_string(t) + lineEnd + "Num: " + std::to_string(tile.images.size()) + lineEnd +
                "Durations: " + list(tile.durations) + "ImageValues: " + list(images) + "Id: " + list(ids) + lineEnd;
    }
    text += "Used Cells: " + std::to_string(cells.size()) + lineEnd;
    for (const CellText& cell : cells)
        text += "(" + std::to_string(cell.column) + "," + std::to_string(cell.row) + "," + std::to_string(cell.tile) +
                ")" + lineEnd;
    return text;
}

// A tile of one image reporting the id.
inline TileText StillTile(int id, int image = 1)
{
    return {{"1.0"}, {image}, {id}};
}

// A file of the running test holding the given bytes, in a scratch folder of its own (test
// programs of other runs may be running the same test at once), removed when the object goes.
class MapFile
{
public:
    explicit MapFile(const std::string& text, const std::string& suffix = "")
        : folder("morvane_tilemap"), path(folder.PathOf("map" + suffix + ".txt"))
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << text;
    }
    MapFile(const MapFile&) = delete;
    MapFile& operator=(const MapFile&) = delete;

    Core::String Path() const { return Core::String(std::string_view(path)); }

private:
    TestSupport::ScratchFolder folder;
    std::string path;
};
} // namespace CollisionTest
