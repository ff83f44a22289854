// A socket record's own socket calls and the stream reader over its assembler, on loopback sockets
// outside any session.
#include "Network_TestSupport.h"

#include "network/Network_SocketRecord.h"

namespace
{
using NetworkTest::Frame;
using NetworkTest::Loopback;
using NetworkTest::Pattern;

// Waits, bounded, until the socket can be read.
bool Readable(PAL::SocketHandle socket)
{
    PAL::SocketWait wait;
    wait.handle = socket;
    wait.wantRead = true;
    return PAL::WaitSockets(&wait, 1, static_cast<int>(NetworkTest::WaitLimitMs)) == 1 && wait.readable;
}

// A record holding the accepted end of a loopback stream, and the raw socket at the other end.
struct StreamRecord
{
    Network::SocketRecord record;
    PAL::SocketHandle peer = PAL::InvalidSocket;

    StreamRecord()
    {
        PAL::SocketHandle listener = PAL::OpenSocket(PAL::SocketType::Stream);
        PAL::SocketAddress bound;
        EXPECT_TRUE(PAL::BindSocket(listener, Loopback().GetSocketAddress()));
        EXPECT_TRUE(PAL::ListenSocket(listener, 1));
        EXPECT_TRUE(PAL::GetSocketLocalAddress(listener, bound));
        Vellumar::SessionAddress address;
        address.SetSocketAddress(bound);
        peer = NetworkTest::ConnectRaw(address);
        EXPECT_TRUE(Readable(listener));
        PAL::SocketAddress from;
        record.socket = PAL::AcceptSocket(listener, from);
        record.type = PAL::SocketType::Stream;
        PAL::CloseSocket(listener);
    }
    ~StreamRecord() { PAL::CloseSocket(peer); }

    void Write(const std::vector<u8>& bytes) const
    {
        ASSERT_EQ(PAL::SendSocket(peer, bytes.data(), bytes.size()), static_cast<long>(bytes.size()));
    }

    // Reads until count frames have come; the closed flag of the last read.
    bool ReadFrames(Network::FrameList& frames, std::size_t count)
    {
        bool closed = false;
        while (frames.size() < count && !closed && Readable(record.socket))
            closed = Network::ReadStreamFrames(record, frames);
        return closed;
    }
};

TEST(NetworkSocketRecord, SocketCallsRefuseWhatCannotBeSentOrReceived)
{
    Network::SocketRecord unopened;
    u8 byte = 7;
    EXPECT_EQ(unopened.Receive(&byte, 1), -1);
    EXPECT_EQ(unopened.Send(&byte, 1), -1);
    EXPECT_EQ(unopened.SendTo(&byte, 1, Loopback(9)), -1);

    Network::SocketRecord sender;
    Network::SocketRecord receiver;
    ASSERT_TRUE(sender.CreateAndBind(PAL::SocketType::Datagram, Loopback(), 0));
    ASSERT_TRUE(receiver.CreateAndBind(PAL::SocketType::Datagram, Loopback(), 0));
    EXPECT_EQ(sender.SendTo(nullptr, 1, receiver.localAddress), -1);
    EXPECT_EQ(sender.Send(nullptr, 1), -1);
    EXPECT_EQ(sender.Send(&byte, 0), -1);
    EXPECT_EQ(receiver.Receive(&byte, 0), -1);
    EXPECT_EQ(receiver.Receive(nullptr, 1), -1);

    const std::vector<u8> datagram = Pattern(5, 3);
    ASSERT_EQ(sender.SendTo(datagram.data(), 5, receiver.localAddress), 5);
    ASSERT_TRUE(Readable(receiver.socket));
    std::vector<u8> got(16);
    ASSERT_EQ(receiver.Receive(got.data(), 16), 5);
    got.resize(5);
    EXPECT_EQ(got, datagram);
}

TEST(NetworkSocketRecord, StreamFramesAreCutFromTheRecordsOwnAssembler)
{
    StreamRecord stream;
    std::vector<u8> bytes = Frame(1, Pattern(40, 1));
    const std::vector<u8> second = Frame(2, Pattern(300, 2));
    bytes.insert(bytes.end(), second.begin(), second.begin() + 5);
    stream.Write(bytes);
    Network::FrameList frames;
    EXPECT_FALSE(stream.ReadFrames(frames, 1));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(Network::GetFrameLength(frames[0]), 48u);
    Network::ClearFrames(frames);

    // A held record keeps the start of the second frame; once nobody holds it, it is dropped and
    // the next whole frame is cut from the start.
    Core::List<Network::SocketRecord*> records{&stream.record};
    stream.record.Acquire();
    Network::ClearStreamAssemblers(records);
    EXPECT_EQ(stream.record.assembler.GetHeldBytes(), 5u);
    stream.record.Release();
    Network::ClearStreamAssemblers(records);
    EXPECT_EQ(stream.record.assembler.GetHeldBytes(), 0u);
    stream.Write(Frame(4, Pattern(20, 4)));
    EXPECT_FALSE(stream.ReadFrames(frames, 1));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(Network::GetFrameType(frames[0]), 4u);
    Network::ClearFrames(frames);

    PAL::CloseSocket(stream.peer);
    stream.peer = PAL::InvalidSocket;
    EXPECT_TRUE(stream.ReadFrames(frames, 1)) << "the peer's close asks for the stream to be closed";
    EXPECT_TRUE(frames.empty());
}
} // namespace
