// TCP byte streams cut into frames. The first input byte picks the sizes of the pieces the rest
// arrives in, as a socket may deliver a stream in any split. Seeds are frames the frame writer built.
#include "fuzz/Fuzz_Target.h"

#include "network/Network_Frame.h"
#include "network/Network_StreamAssembler.h"

#include <algorithm>

namespace
{
bool Read(const u8* data, std::size_t size)
{
    if (size == 0)
        return false;
    const std::size_t pieces[4] = {1u + (data[0] & 3u), 7u, 1u + (data[0] >> 2), 4096u};
    Network::StreamAssembler assembler;
    Network::StreamStatus status = Network::StreamStatus::Open;
    for (std::size_t at = 1, i = 0; at < size && status == Network::StreamStatus::Open; ++i)
    {
        const std::size_t count = std::min(pieces[i % 4], size - at);
        Network::FrameList frames;
        status = assembler.Accept(data + at, static_cast<u32>(count), frames);
        for (const u8* frame : frames)
        {
            if (!Network::IsValidFrameLength(Network::GetFrameLength(frame)))
                __builtin_trap();
        }
        Network::ClearFrames(frames);
        at += count;
    }
    return status == Network::StreamStatus::Open;
}

void Append(Fuzz::Bytes& stream, u32 type, const Fuzz::Bytes& payload)
{
    u8* frame = Network::BuildFrame(type, payload.data(), static_cast<u32>(payload.size()));
    stream.insert(stream.end(), frame, frame + Network::GetFrameLength(frame));
    Network::DeleteFrame(frame, Network::GetFrameLength(frame));
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    Fuzz::Bytes stream{0x25};
    Append(stream, 1, {});
    Append(stream, 0x01020304, {1, 2, 3});
    Append(stream, 7, Fuzz::Bytes(300, 0x5A));
    seeds.emplace_back("three-frames", stream);
}

const Fuzz::Registration registration("NetworkFrames", Read, WriteSeeds);
}  // namespace
