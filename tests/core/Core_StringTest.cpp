#include "core/Core_File.h"
#include "core/Core_String.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
std::vector<u8> Bytes(const Core::MemoryFile& file)
{
    return std::vector<u8>(file.GetData(), file.GetData() + file.GetSize());
}

TEST(StringTest, ConstructionAndConcatenation)
{
    EXPECT_TRUE(Core::String(static_cast<const char*>(nullptr)).empty());
    Core::String reserved(100u);
    EXPECT_TRUE(reserved.empty());
    EXPECT_GE(reserved.capacity(), 100u);
    Core::String joined = Core::String("ab") + Core::String("cd");
    EXPECT_EQ(joined, "abcd");
    EXPECT_EQ("x" + joined + "y" + 'z', "xabcdyz");
    joined += Core::String("!");
    EXPECT_EQ(joined, "abcd!");
    Core::String assigned;
    assigned = static_cast<const char*>(nullptr);
    EXPECT_TRUE(assigned.empty());
}

TEST(StringTest, ResizeAppendsOrTruncates)
{
    Core::String text("abc");
    text.Resize(5, '-');
    EXPECT_EQ(text, "abc--");
    text.Resize(2, '-');
    EXPECT_EQ(text, "ab");
}

TEST(StringTest, EraseChangesOnlyWhollyInsideRanges)
{
    Core::String text("abcdefg");
    EXPECT_EQ(Core::String(text).Erase(2, 3), "abfg");
    EXPECT_EQ(Core::String(text).Erase(5, 3), "abcdefg");
    EXPECT_EQ(Core::String(text).Erase(2, 0), "abcdefg");
    EXPECT_EQ(Core::String(text).Erase(2, -1), "abcdefg");
    EXPECT_EQ(Core::String(text).Erase(7, 1), "abcdefg");
    EXPECT_EQ(Core::String(text).Erase(4, 3), "abcd");
    EXPECT_EQ(Core::String().Erase(0, 1), "");
}

TEST(StringTest, SubstringFrom)
{
    Core::String text("abcdefg");
    EXPECT_EQ(text.SubstringFrom(7), "");
    EXPECT_EQ(text.SubstringFrom(6), "g");
    EXPECT_EQ(text.SubstringFrom(0), "abcdefg");
    EXPECT_EQ(Core::String().SubstringFrom(0), "");
}

TEST(StringTest, EndsWith)
{
    EXPECT_TRUE(Core::String("a.png").EndsWith(".png"));
    EXPECT_FALSE(Core::String("png").EndsWith(".png"));
    EXPECT_TRUE(Core::String("png").EndsWith(""));
    EXPECT_TRUE(Core::String("").EndsWith(""));
    EXPECT_FALSE(Core::String("a.PNG").EndsWith(".png"));
}

TEST(StringTest, ToWideKeepsEveryByteValue)
{
    const char bytes[] = {'A', 'z', '\x7F', '\x80', '\xE9', '\xFF'};
    Core::WideString wide = Core::String(bytes, sizeof(bytes)).ToWide();
    ASSERT_EQ(wide.size(), sizeof(bytes));
    EXPECT_EQ(wide[0], u'A');
    EXPECT_EQ(wide[2], 0x7F);
    EXPECT_EQ(wide[3], 0x80);
    EXPECT_EQ(wide[4], 0xE9);
    EXPECT_EQ(wide[5], 0xFF);
}

TEST(StringTest, GetFileName)
{
    EXPECT_EQ(Core::GetFileName("\\Resources\\Fonts\\DefaultFont\\DefaultFont"), "DefaultFont");
    EXPECT_EQ(Core::GetFileName("plain.txt"), "plain.txt");
    EXPECT_EQ(Core::GetFileName("\\Resources\\"), "");
    EXPECT_EQ(Core::GetFileName("a/b"), "a/b") << "only the backslash separates";
}

TEST(StringTest, HashesAndOrdersByContent)
{
    Core::Map<Core::String, int> byName;
    byName["b"] = 2;
    byName["a"] = 1;
    EXPECT_EQ(byName.begin()->first, "a");
    EXPECT_EQ(std::hash<Core::String>()("key"), std::hash<Core::String>()(Core::String("key")));
}

TEST(StringStreamTest, WrittenFormsAreByteExact)
{
    Core::MemoryFile file;
    Core::WriteString(file, Core::String());
    EXPECT_EQ(Bytes(file), (std::vector<u8>{0, 0, 0, 0}));
    Core::MemoryFile abc;
    Core::WriteString(abc, "abc");
    EXPECT_EQ(Bytes(abc), (std::vector<u8>{3, 0, 0, 0, 0x61, 0x62, 0x63}));
}

TEST(StringStreamTest, ZeroLengthLeavesTheTarget)
{
    const u8 record[] = {0, 0, 0, 0};
    Core::MemoryFile file(record, sizeof(record));
    Core::String target("xyz");
    Core::ReadString(file, target);
    EXPECT_EQ(target, "xyz");
    EXPECT_FALSE(file.Failed());
}

TEST(StringStreamTest, ZeroByteEndsTheValueButTheRecordIsConsumed)
{
    const u8 record[] = {5, 0, 0, 0, 0x61, 0x62, 0x00, 0x63, 0x64, 0xEE};
    Core::MemoryFile file(record, sizeof(record));
    Core::String target;
    Core::ReadString(file, target);
    EXPECT_EQ(target, "ab");
    EXPECT_EQ(file.GetReadPosition(), 9u);
    EXPECT_FALSE(file.Failed());
}

TEST(StringStreamTest, LengthBeyondTheDataFailsWithoutReading)
{
    const u8 record[] = {0xFF, 0xFF, 0xFF, 0x7F, 0x61, 0x62};
    Core::MemoryFile file(record, sizeof(record));
    Core::String target("kept");
    Core::ReadString(file, target);
    EXPECT_TRUE(file.Failed());
    EXPECT_EQ(target, "kept");
}

// A stream over a few bytes that cannot tell how many are left, as a socket or pipe could not.
// Records the largest single read asked of it.
class UnsizedStream : public Core::File
{
public:
    UnsizedStream(std::initializer_list<u8> bytes) : data(bytes) {}

    void Write(const void*, u32) override {}
    void Read(void* bytes, u32 count) override
    {
        largestRead = std::max(largestRead, count);
        const u32 available = Failed() ? 0 : std::min<u32>(count, static_cast<u32>(data.size() - cursor));
        std::memcpy(bytes, data.data() + cursor, available);
        std::memset(static_cast<u8*>(bytes) + available, 0, count - available);
        cursor += available;
        if (available < count)
            SetFailed();
    }

    std::vector<u8> data;
    std::size_t cursor = 0;
    u32 largestRead = 0;
};

TEST(StringStreamTest, HugeLengthOnAStreamOfUnknownSizeReadsOnlyAPieceBeforeFailing)
{
    UnsizedStream stream{0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'};
    Core::String target("kept");
    Core::ReadString(stream, target);
    EXPECT_TRUE(stream.Failed());
    EXPECT_LE(stream.largestRead, 64u * 1024u) << "never asks for the whole promised length at once";
    EXPECT_EQ(target, "abc") << "the bytes that were there, up to the first zero";
}

TEST(StringStreamTest, LongStringOnAStreamOfUnknownSizeIsReadWhole)
{
    Core::String text;
    for (int i = 0; i < 200000; ++i)
        text.push_back(char('a' + i % 26));
    Core::MemoryFile written;
    Core::WriteString(written, text);
    UnsizedStream stream{};
    stream.data.assign(written.GetData(), written.GetData() + written.GetSize());
    Core::String read;
    Core::ReadString(stream, read);
    EXPECT_FALSE(stream.Failed());
    EXPECT_EQ(read, text);
}

TEST(StringStreamTest, RoundTripOfAnyBytes)
{
    Core::String binary;
    for (int i = 1; i < 256; ++i)
        binary.push_back(char(i));
    Core::MemoryFile file;
    Core::WriteString(file, binary);
    Core::WriteString(file, "tail");
    Core::String first;
    Core::String second;
    Core::ReadString(file, first);
    Core::ReadString(file, second);
    EXPECT_EQ(first, binary);
    EXPECT_EQ(second, "tail");
}
} // namespace
