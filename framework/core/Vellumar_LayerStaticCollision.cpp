// The layer collision file: a header line, a segment count and that many records
// x1 s y1 s x2 s y2 s z s id, the rest of that line, a circle count and that many records
// x s y s r s z s id, where s is one separator character. Reading stops at the first value that
// cannot be read: nothing is added from values that were not there.
#include "core/PAL_Path.h"
#include "framework/core/Vellumar_Layer.h"

#include <cctype>
#include <fstream>
#include <limits>
#include <string>

namespace Vellumar
{
namespace
{
class CollisionFileReader
{
public:
    explicit CollisionFileReader(const Core::String& path) : in(PAL::ToOSPath(path)) {}

    bool IsOpen() const { return in.is_open(); }
    void SkipLine() { in.ignore(std::numeric_limits<std::streamsize>::max(), '\n'); }

    // A count that cannot be read counts as 0.
    i32 ReadCount()
    {
        i32 count = 0;
        return in >> count ? count : 0;
    }

    // Numbers separated by one separator character each. A digit is never a separator: it would
    // be the start of the next number after a blank, and a blank alone is no separator.
    template <class... Values>
    bool ReadRecord(Values&... values)
    {
        bool first = true;
        return ((ReadField(values, first)) && ...);
    }

private:
    template <class Value>
    bool ReadField(Value& value, bool& first)
    {
        if (!first)
        {
            char separator = 0;
            if (!(in >> separator) || std::isdigit(static_cast<unsigned char>(separator)))
            {
                return false;
            }
        }
        first = false;
        return static_cast<bool>(in >> value);
    }

    std::ifstream in;
};

// The integer part of z, truncated toward zero, keeps its low 8 bits; a z beyond any integer is
// no level.
bool ToLevel(f32 z, u8& level)
{
    if (!(z > -2147483648.0f && z < 2147483648.0f))
    {
        return false;
    }
    level = static_cast<u8>(static_cast<u32>(static_cast<i32>(z)));
    return true;
}
}  // namespace

void Layer::ReadStaticCollision(const Core::String& path)
{
    CollisionFileReader reader(path);
    if (!reader.IsOpen())
    {
        return;
    }
    reader.SkipLine();
    const i32 segments = reader.ReadCount();
    for (i32 i = 0; i < segments; ++i)
    {
        f32 x1 = 0.0f, y1 = 0.0f, x2 = 0.0f, y2 = 0.0f, z = 0.0f;
        u32 userId = 0;
        u8 level = 0;
        if (!reader.ReadRecord(x1, y1, x2, y2, z, userId) || !ToLevel(z, level))
        {
            return;
        }
        AddStaticLineSegment(Math::Vector2D(x1, y1), Math::Vector2D(x2, y2), level, userId);
    }
    reader.SkipLine();
    const i32 circles = reader.ReadCount();
    for (i32 i = 0; i < circles; ++i)
    {
        f32 x = 0.0f, y = 0.0f, radius = 0.0f, z = 0.0f;
        u32 userId = 0;
        u8 level = 0;
        if (!reader.ReadRecord(x, y, radius, z, userId) || !ToLevel(z, level))
        {
            return;
        }
        AddStaticCircle(Math::Vector2D(x, y), radius, level, userId);
    }
}
}  // namespace Vellumar
