#include "core/Core_File.h"
#include "math/Math_Circle2D.h"
#include "math/Math_Color.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_Matrix3x3.h"
#include "math/Math_Matrix4x4.h"
#include "math/Math_Vector2D.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<u8>;

Bytes Contents(const Core::MemoryFile& file)
{
    return Bytes(file.GetData(), file.GetData() + file.GetSize());
}

// 1.0f, -2.0f, 0.5f, 3.0f and 0.25f as little-endian bytes.
const Bytes One = {0x00, 0x00, 0x80, 0x3F};
const Bytes MinusTwo = {0x00, 0x00, 0x00, 0xC0};
const Bytes Half = {0x00, 0x00, 0x00, 0x3F};
const Bytes Three = {0x00, 0x00, 0x40, 0x40};
const Bytes Quarter = {0x00, 0x00, 0x80, 0x3E};
const Bytes Zero = {0x00, 0x00, 0x00, 0x00};

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes joined;
    for (const Bytes& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

TEST(MathStream, Vector2DIsXThenY)
{
    Core::MemoryFile file;
    const Math::Vector2D v(1.0f, -2.0f);
    EXPECT_EQ(&Math::WriteVector2D(file, v), &file);
    v.Save(file);
    EXPECT_EQ(Contents(file), Join({One, MinusTwo, One, MinusTwo}));

    Math::Vector2D read;
    EXPECT_EQ(&Math::ReadVector2D(file, read), &file);
    EXPECT_EQ(read, v);
    Math::Vector2D loaded;
    loaded.Load(file);
    EXPECT_EQ(loaded, v);
    EXPECT_FALSE(file.Failed());
}

TEST(MathStream, ColorIsRedGreenBlueAlpha)
{
    Core::MemoryFile file;
    const Math::Color color(1.0f, 0.5f, 0.25f, 3.0f);
    EXPECT_EQ(&Math::WriteColor(file, color), &file);
    EXPECT_EQ(Contents(file), Join({One, Half, Quarter, Three}));
    Math::Color read;
    EXPECT_EQ(&Math::ReadColor(file, read), &file);
    EXPECT_EQ(read, color);
}

TEST(MathStream, SegmentIsAThenB)
{
    Core::MemoryFile file;
    const Math::LineSegment2D segment({1.0f, -2.0f}, {0.5f, 3.0f});
    segment.Save(file);
    EXPECT_EQ(Contents(file), Join({One, MinusTwo, Half, Three}));
    Math::LineSegment2D read;
    read.Load(file);
    EXPECT_EQ(read.A, segment.A);
    EXPECT_EQ(read.B, segment.B);
}

TEST(MathStream, CircleIsCentreThenRadius)
{
    Core::MemoryFile file;
    const Math::Circle2D circle({0.25f, 1.0f}, 3.0f);
    circle.Save(file);
    EXPECT_EQ(Contents(file), Join({Quarter, One, Three}));
    Math::Circle2D read;
    read.Load(file);
    EXPECT_EQ(read.center, circle.center);
    EXPECT_EQ(read.radius, circle.radius);
}

TEST(MathStream, Matrix3x3IsItsNineElementsInRowOrder)
{
    Core::MemoryFile file;
    const Math::Matrix3x3 matrix = Math::Matrix3x3::Translation(0.5f, -2.0f);
    matrix.Save(file);
    EXPECT_EQ(Contents(file), Join({One, Zero, Half, Zero, One, MinusTwo, Zero, Zero, One}));
    Math::Matrix3x3 read = Math::Matrix3x3::Rotation(30);
    read.Load(file);
    EXPECT_EQ(read, matrix);
}

TEST(MathStream, Matrix4x4IsItsSixteenElementsInColumnOrder)
{
    Core::MemoryFile file;
    const Math::Matrix4x4 matrix = Math::Matrix4x4::Translation(0.5f, -2.0f, 3.0f);
    EXPECT_EQ(&Math::WriteMatrix4x4(file, matrix), &file);
    EXPECT_EQ(Contents(file), Join({One, Zero, Zero, Zero, Zero, One, Zero, Zero, Zero, Zero, One, Zero, Half,
                                    MinusTwo, Three, One}));
    Math::Matrix4x4 read = Math::Matrix4x4::Scaling(2, 2, 2);
    EXPECT_EQ(&Math::ReadMatrix4x4(file, read), &file);
    EXPECT_EQ(read, matrix);
}

TEST(MathStream, TruncatedStreamFailsAndReadsZeros)
{
    const Bytes partial = Join({One, MinusTwo, Half});
    Core::MemoryFile file(partial.data(), static_cast<u32>(partial.size()));
    Math::Circle2D circle({9, 9}, 9);
    Math::LineSegment2D segment;
    segment.Load(file);
    EXPECT_TRUE(file.Failed());
    EXPECT_EQ(segment.A, Math::Point2D(1.0f, -2.0f));
    EXPECT_EQ(segment.B, Math::Point2D(0.5f, 0.0f));
    circle.Load(file);
    EXPECT_EQ(circle.center, Math::Point2D());
    EXPECT_EQ(circle.radius, 0.0f);
}

} // namespace
