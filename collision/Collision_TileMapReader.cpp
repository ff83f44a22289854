#include "collision/Collision_TileMap.h"

#include "core/PAL_Path.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <utility>

// The tile-map text file, read character by character:
//
//   3 characters of label, the number of columns     e.g. "X: 4"
//   3 characters of label, the number of rows         "Y: 3"
//   5 characters of label, the cell size               "Dim: 32"
//   12 characters of label, the number of tiles        "Tile Count: 2"
//   an empty line
//   per tile: a title line;
//             5 characters of label, the image count n                  "Num: 2"
//             11 characters of label, n durations in seconds            "Durations: 0.5 1.0"
//             13 characters of label, n image values                    "ImageValues: 1 2"
//             4 characters of label, n collision ids (bytes)            "Id: 1 2"
//             an empty line
//   12 characters of label, the number of used cells   "Used Cells: 2"
//   per used cell a line "(column,row,tile)".
//
// A number ends at its line end, a list item at a blank or the line end; line ends are LF or
// CR LF. A field longer than 12 characters, a missing part, a value outside its range or a cell
// outside the grid or naming no tile makes the file malformed.
namespace Collision2D
{
namespace
{
constexpr i32 MaximumFieldLength = 12;
constexpr i32 MaximumSide = 1 << 16;
constexpr i32 MaximumTiles = 1 << 16;
constexpr i32 MaximumImages = 1 << 16;

class TileMapText
{
public:
    explicit TileMapText(std::FILE* file) : file(file) {}
    TileMapText(const TileMapText&) = delete;
    TileMapText& operator=(const TileMapText&) = delete;
    ~TileMapText() { std::fclose(file); }

    bool Failed() const { return failed; }

    // The next character; the end of the file fails the reading.
    int Next()
    {
        const int c = failed ? EOF : std::getc(file);
        if (c == EOF)
            failed = true;
        return c;
    }

    // Drops n characters, whatever they are (a label).
    void Skip(i32 n)
    {
        while (n-- > 0 && !failed)
            Next();
    }

    // Drops the rest of the line with its end.
    void SkipLine()
    {
        while (!failed && !IsLineEnd(Next()))
        {
        }
    }

    // Drops one character, an empty line's end (both characters of a CR LF).
    void SkipEmptyLine() { IsLineEnd(Next()); }

    // A field: the characters up to its end (the line end, or also a blank for a list item, or the
    // given terminator), at most 12 of them. Reports whether the line ended.
    bool Field(char terminator, bool& lineEnded)
    {
        text.clear();
        for (;;)
        {
            const int c = Next();
            if (failed)
                return false;
            lineEnded = IsLineEnd(c);
            if (lineEnded || c == terminator)
                return true;
            if (static_cast<i32>(text.size()) == MaximumFieldLength)
            {
                failed = true;
                return false;
            }
            text.push_back(static_cast<char>(c));
        }
    }

    // A number ending at its terminator (a line end when that is '\n'), converted as the C library does (leading blanks and sign,
    // then digits; 0 when there are none), clamped to the i32 range.
    bool Integer(char terminator, i32& value)
    {
        bool lineEnded = false;
        if (!Field(terminator, lineEnded))
            return false;
        if (terminator == '\n' ? !lineEnded : lineEnded)
            return Reject();
        const long long read = std::strtoll(text.c_str(), nullptr, 10);
        value = read < INT_MIN ? INT_MIN : read > INT_MAX ? INT_MAX : static_cast<i32>(read);
        return true;
    }

    // A list of n items separated by blanks, ending its line; each item is converted by convert.
    template <class T, class Convert>
    bool List(i32 n, Core::Vector<T>& items, Convert convert)
    {
        items.clear();
        if (n == 0)
        {
            SkipLine();
            return !failed;
        }
        bool lineEnded = false;
        for (i32 i = 0; i < n; ++i)
        {
            if (!Field(' ', lineEnded) || (lineEnded && i + 1 < n))
                return Reject();
            items.push_back(convert(text.c_str()));
        }
        // Blanks may trail the last item.
        while (!lineEnded)
        {
            const int c = Next();
            if (failed || (c != ' ' && !IsLineEnd(c)))
                return Reject();
            lineEnded = IsLineEnd(c);
        }
        return true;
    }

    bool Reject()
    {
        failed = true;
        return false;
    }

private:
    // True for LF and CR; a CR takes the LF that follows it.
    bool IsLineEnd(int c)
    {
        if (c == '\n')
            return true;
        if (c != '\r')
            return false;
        const int next = std::getc(file);
        if (next != '\n' && next != EOF)
            std::ungetc(next, file);
        return true;
    }

    std::FILE* file;
    Core::String text;
    bool failed = false;
};

bool InRange(i32 value, i32 low, i32 high)
{
    return value >= low && value <= high;
}
} // namespace

bool TileMap::ReadInformation(const Core::String& path)
{
    std::FILE* handle = PAL::OpenFile(path.View(), "r");
    if (!handle)
        return false;
    TileMapText text(handle);

    i32 columnCount = 0;
    i32 rowCount = 0;
    i32 cellSize = 0;
    i32 tileCount = 0;
    text.Skip(3);
    text.Integer('\n', columnCount);
    text.Skip(3);
    text.Integer('\n', rowCount);
    text.Skip(5);
    text.Integer('\n', cellSize);
    text.Skip(12);
    text.Integer('\n', tileCount);
    if (text.Failed() || !InRange(columnCount, 1, MaximumSide) || !InRange(rowCount, 1, MaximumSide) ||
        !InRange(cellSize, 1, MaximumSide) || !InRange(tileCount, 0, MaximumTiles) ||
        i64(columnCount) * rowCount > MaximumCells || i64(cellSize) * columnCount > INT_MAX ||
        i64(cellSize) * rowCount > INT_MAX)
        return false;
    text.SkipEmptyLine();

    // Built aside, so that a malformed file leaves the map as it was.
    Core::Vector<Tile> readTiles;
    Core::Vector<Cell> readCells(static_cast<std::size_t>(i64(columnCount) * rowCount));
    for (i32 t = 0; t < tileCount; ++t)
    {
        i32 n = 0;
        Core::Vector<f32> durations;
        Core::Vector<i32> images;
        Core::Vector<u8> ids;
        text.SkipLine();
        text.Skip(5);
        if (!text.Integer('\n', n) || !InRange(n, 0, MaximumImages))
            return false;
        text.Skip(11);
        text.List(n, durations, [](const char* item) { return static_cast<f32>(std::strtod(item, nullptr)); });
        text.Skip(13);
        text.List(n, images, [](const char* item) { return static_cast<i32>(std::strtol(item, nullptr, 10)); });
        text.Skip(4);
        text.List(n, ids, [](const char* item) { return static_cast<u8>(std::strtol(item, nullptr, 10)); });
        text.SkipEmptyLine();
        if (text.Failed())
            return false;
        readTiles.emplace_back().Initialize(std::move(images), std::move(durations), std::move(ids));
    }

    i32 usedCount = 0;
    text.Skip(12);
    if (!text.Integer('\n', usedCount) || usedCount < 0)
        return false;
    for (i32 k = 0; k < usedCount; ++k)
    {
        i32 column = 0;
        i32 row = 0;
        i32 tile = 0;
        if (text.Next() != '(' || !text.Integer(',', column) || !text.Integer(',', row) || !text.Integer(')', tile))
            return false;
        if (!InRange(column, 0, columnCount - 1) || !InRange(row, 0, rowCount - 1) || !InRange(tile, 0, tileCount - 1))
            return false;
        Cell& cell = readCells[static_cast<std::size_t>(column) * rowCount + row];
        cell.myTileIndex = tile;
        cell.isUsed = 1;
        // The line's end; the last line may end the file instead.
        if (k + 1 < usedCount)
        {
            text.SkipLine();
            if (text.Failed())
                return false;
        }
    }

    dimension = cellSize;
    columns = columnCount;
    rows = rowCount;
    width = cellSize * columnCount;
    height = cellSize * rowCount;
    // The map's extent: a map is only tested against bodies whose sweep meets this rectangle, and
    // a new grid has no other bounds. A caller may still set another one.
    boundingRectangle = VelRect(static_cast<f32>(height), 0.0f, static_cast<f32>(width), 0.0f);
    tiles = std::move(readTiles);
    cells = std::move(readCells);
    for (Cell& cell : cells)
    {
        if (cell.isUsed)
            cell.MyTile = GetTile(cell.myTileIndex);
    }
    return true;
}
} // namespace Collision2D
