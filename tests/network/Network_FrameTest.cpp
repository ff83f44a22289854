#include "Network_TestSupport.h"

#include "network/Network_StreamAssembler.h"

namespace
{
using NetworkTest::Frame;
using NetworkTest::Pattern;

struct Cut
{
    std::vector<std::vector<u8>> frames;
    Network::StreamStatus status = Network::StreamStatus::Open;
};

// Feeds the stream in pieces of the given sizes (cycled) and collects every frame.
Cut Feed(Network::StreamAssembler& assembler, const std::vector<u8>& stream, const std::vector<std::size_t>& pieces)
{
    Cut cut;
    std::size_t at = 0;
    for (std::size_t i = 0; at < stream.size() && cut.status == Network::StreamStatus::Open; ++i)
    {
        std::size_t size = std::min(pieces[i % pieces.size()], stream.size() - at);
        Network::FrameList frames;
        cut.status = assembler.Accept(stream.data() + at, static_cast<u32>(size), frames);
        for (u8* frame : frames)
            cut.frames.emplace_back(frame, frame + Network::GetFrameLength(frame));
        Network::ClearFrames(frames);
        at += size;
    }
    return cut;
}

TEST(NetworkFrame, HeaderIsLittleEndianTypeAndTotalLength)
{
    const u8 payload[3] = {1, 2, 3};
    u8* frame = Network::BuildFrame(0x01020304, payload, 3);
    ASSERT_NE(frame, nullptr);
    const u8 expected[11] = {4, 3, 2, 1, 11, 0, 0, 0, 1, 2, 3};
    EXPECT_TRUE(std::equal(expected, expected + 11, frame));
    EXPECT_EQ(Network::GetFrameType(frame), 0x01020304u);
    EXPECT_EQ(Network::GetFrameLength(frame), 11u);
    Network::DeleteFrame(frame, 11);
}

TEST(NetworkFrame, OversizedFramesAreNotBuilt)
{
    EXPECT_EQ(Network::BuildFrame(1, nullptr, Network::MaxFrameLength), nullptr);
    EXPECT_FALSE(Network::IsValidFrameLength(7));
    EXPECT_TRUE(Network::IsValidFrameLength(8));
    EXPECT_TRUE(Network::IsValidFrameLength(Network::MaxFrameLength));
    EXPECT_FALSE(Network::IsValidFrameLength(Network::MaxFrameLength + 1));
}

TEST(NetworkStreamAssembler, EmptyPayloadFrameIsWhole)
{
    Network::StreamAssembler assembler;
    Cut cut = Feed(assembler, Frame(42, {}), {100});
    ASSERT_EQ(cut.frames.size(), 1u);
    EXPECT_EQ(cut.frames[0].size(), 8u);
    EXPECT_EQ(Network::GetFrameType(cut.frames[0].data()), 42u);
}

TEST(NetworkStreamAssembler, TwoFramesAndHalfAThird)
{
    std::vector<u8> stream = Frame(1, Pattern(10, 1));
    std::vector<u8> second = Frame(2, Pattern(20, 2));
    std::vector<u8> third = Frame(3, Pattern(30, 3));
    stream.insert(stream.end(), second.begin(), second.end());
    std::size_t firstRead = stream.size() + third.size() / 2;
    stream.insert(stream.end(), third.begin(), third.end());

    Network::StreamAssembler assembler;
    Cut cut = Feed(assembler, stream, {firstRead, stream.size()});
    ASSERT_EQ(cut.frames.size(), 3u);
    EXPECT_EQ(cut.frames[1], second);
    EXPECT_EQ(cut.frames[2], third);
    EXPECT_EQ(assembler.GetHeldBytes(), 0u);
}

TEST(NetworkStreamAssembler, HeaderSplitAcrossReads)
{
    std::vector<u8> frame = Frame(7, Pattern(100, 7));
    for (std::size_t split = 1; split < Network::FrameHeaderSize; ++split)
    {
        Network::StreamAssembler assembler;
        Cut cut = Feed(assembler, frame, {split, frame.size()});
        ASSERT_EQ(cut.frames.size(), 1u) << split;
        EXPECT_EQ(cut.frames[0], frame);
    }
}

// Many frame sizes, cut at every read size from one byte up: the frames come out intact and in order.
TEST(NetworkStreamAssembler, ManySizesSplitEveryWay)
{
    std::vector<u8> stream;
    std::vector<std::vector<u8>> sent;
    for (std::size_t size : {0u, 1u, 7u, 8u, 9u, 255u, 1000u, 4096u, 65535u, 70000u})
    {
        sent.push_back(Frame(static_cast<u32>(size), Pattern(size, static_cast<u32>(size))));
        stream.insert(stream.end(), sent.back().begin(), sent.back().end());
    }
    for (std::size_t piece : {1u, 2u, 3u, 5u, 8u, 13u, 100u, 4097u, 65536u, 1000000u})
    {
        Network::StreamAssembler assembler;
        Cut cut = Feed(assembler, stream, {piece, piece * 3 + 1});
        EXPECT_EQ(cut.status, Network::StreamStatus::Open);
        EXPECT_EQ(cut.frames, sent) << "pieces of " << piece;
    }
}

TEST(NetworkStreamAssembler, LengthBelowHeaderIsMalformed)
{
    for (u32 length : {0u, 1u, 7u})
    {
        std::vector<u8> stream = Frame(1, Pattern(4, 1));
        std::vector<u8> bad(8);
        Network::WriteLittleEndian32(bad.data(), 9);
        Network::WriteLittleEndian32(bad.data() + 4, length);
        stream.insert(stream.end(), bad.begin(), bad.end());
        Network::StreamAssembler assembler;
        Cut cut = Feed(assembler, stream, {stream.size()});
        EXPECT_EQ(cut.status, Network::StreamStatus::Malformed) << length;
        // What came before the bad header is still delivered.
        EXPECT_EQ(cut.frames.size(), 1u);
        EXPECT_EQ(assembler.GetHeldBytes(), 0u);
    }
}

// A hostile length is refused as soon as the header is there, before anything is buffered for it.
TEST(NetworkStreamAssembler, LengthAboveLimitIsMalformedAtOnce)
{
    std::vector<u8> header(8);
    Network::WriteLittleEndian32(header.data(), 1);
    Network::WriteLittleEndian32(header.data() + 4, Network::MaxFrameLength + 1);
    Network::StreamAssembler assembler;
    Cut cut = Feed(assembler, header, {8});
    EXPECT_EQ(cut.status, Network::StreamStatus::Malformed);

    Network::WriteLittleEndian32(header.data() + 4, 0xFFFFFFFFu);
    Network::StreamAssembler other;
    EXPECT_EQ(Feed(other, header, {3, 5}).status, Network::StreamStatus::Malformed);
}

TEST(NetworkStreamAssembler, TruncatedFrameWaits)
{
    std::vector<u8> frame = Frame(5, Pattern(1000, 5));
    frame.resize(600);
    Network::StreamAssembler assembler;
    Cut cut = Feed(assembler, frame, {600});
    EXPECT_EQ(cut.status, Network::StreamStatus::Open);
    EXPECT_TRUE(cut.frames.empty());
    EXPECT_EQ(assembler.GetHeldBytes(), 600u);
}

TEST(NetworkStreamAssembler, LargestFrameIsAccepted)
{
    std::vector<u8> frame(Network::MaxFrameLength);
    Network::WriteFrame(frame.data(), 9, nullptr, Network::MaxFrameLength - 8);
    Network::StreamAssembler assembler;
    Cut cut = Feed(assembler, frame, {1 << 20});
    EXPECT_EQ(cut.status, Network::StreamStatus::Open);
    ASSERT_EQ(cut.frames.size(), 1u);
    EXPECT_EQ(cut.frames[0].size(), Network::MaxFrameLength);
}
}
