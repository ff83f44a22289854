// Tile-map text files, read through the one reader the collision layers use.
#include "fuzz/Fuzz_Target.h"

#include "collision/Collision_TileMap.h"

#include <string>

namespace
{
bool Read(const u8* data, std::size_t size)
{
    const Fuzz::TemporaryFile file(".txt", data, size);
    Collision2D::TileMap map;
    return map.ReadInformation(file.Path());
}

Fuzz::Bytes Text(const std::string& text)
{
    return Fuzz::Bytes(text.begin(), text.end());
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    // No tool writes tile maps yet: these follow the layout the reader documents.
    seeds.emplace_back("two-tiles", Text("X: 10\nY: 10\nDim: 20\nTile Count: 2\n\n"
                                         "Tile 0\nNum: 1\nDurations: 1.0\nImageValues: 1\nId: 3\n\n"
                                         "Tile 1\nNum: 2\nDurations: 0.01 1\nImageValues: 4 5\nId: 6 7\n\n"
                                         "Used Cells: 3\n(4,3,0)\n(5,3,1)\n(9,9,1)\n"));
    seeds.emplace_back("crlf", Text("X: 2\r\nY: 3\r\nDim: 50\r\nTile Count: 1\r\n\r\n"
                                    "Tile 0\r\nNum: 1\r\nDurations: 0.5\r\nImageValues: 2\r\nId: 1\r\n\r\n"
                                    "Used Cells: 1\r\n(1,2,0)\r\n"));
}

const Fuzz::Registration registration("TileMapText", Read, WriteSeeds);
}  // namespace
