// The inputs file of a replay, little-endian: the frame count, then per frame the keyboard's and
// the mouse's records when present, the cursor and the frame time.
#include "framework/persistence/Vellumar_Replay.h"

#include "core/Core_File.h"

namespace Vellumar
{
namespace
{
// A frame holds at least its two presence bytes, the cursor and the frame time.
constexpr u32 SmallestFrameBytes = 1 + 1 + 4 + 4 + 4;
constexpr u32 KeyStateBytes = 5;

void WriteInputState(Core::File& file, const ReplayInputState& state)
{
    Core::WriteU32(file, static_cast<u32>(state.codes.size()));
    if (!state.codes.empty())
        file.Write(state.codes.data(), static_cast<u32>(state.codes.size()));
    Core::WriteU32(file, static_cast<u32>(state.records.size()));
    for (const Input::KeyState& record : state.records)
    {
        const u8 bytes[KeyStateBytes] = {record.pressed, record.triggered, record.held, record.down, record.released};
        file.Write(bytes, KeyStateBytes);
    }
}

// False when the stream failed; a record whose lists do not pair up is read but left null.
bool ReadInputState(Core::File& file, std::unique_ptr<ReplayInputState>& state)
{
    auto read = std::make_unique<ReplayInputState>();
    u32 codes = 0;
    if (!Core::ReadCount(file, codes, 1))
        return false;
    read->codes.resize(codes);
    if (codes)
        file.Read(read->codes.data(), codes);
    u32 records = 0;
    if (!Core::ReadCount(file, records, KeyStateBytes))
        return false;
    read->records.resize(records);
    for (Input::KeyState& record : read->records)
    {
        u8 bytes[KeyStateBytes] = {};
        file.Read(bytes, KeyStateBytes);
        record = Input::KeyState{bytes[0], bytes[1], bytes[2], bytes[3], bytes[4]};
    }
    if (file.Failed())
        return false;
    if (codes == records)
        state = std::move(read);
    return true;
}
}  // namespace

void WriteReplayFrames(Core::File& file, const Core::Vector<ReplayFrame>& replayFrames)
{
    // The frame recorded last is left out; with none recorded nothing is.
    const u32 count = replayFrames.empty() ? 0 : static_cast<u32>(replayFrames.size() - 1);
    Core::WriteU32(file, count);
    for (u32 i = 0; i < count; ++i)
    {
        const ReplayFrame& frame = replayFrames[i];
        Core::WriteU8(file, frame.keyboard ? 1 : 0);
        if (frame.keyboard)
            WriteInputState(file, *frame.keyboard);
        Core::WriteU8(file, frame.mouse ? 1 : 0);
        if (frame.mouse)
            WriteInputState(file, *frame.mouse);
        Core::WriteI32(file, frame.mouseState.x);
        Core::WriteI32(file, frame.mouseState.y);
        Core::WriteF32(file, frame.frameTime);
    }
}

bool ReadReplayFrames(Core::File& file, Core::Vector<ReplayFrame>& replayFrames)
{
    u32 count = 0;
    if (!Core::ReadCount(file, count, SmallestFrameBytes))
        return false;
    for (u32 i = 0; i < count; ++i)
    {
        ReplayFrame frame;
        Core::ReadU8(file, frame.keyboardPresent);
        if (frame.keyboardPresent && !ReadInputState(file, frame.keyboard))
            return false;
        Core::ReadU8(file, frame.mousePresent);
        if (frame.mousePresent && !ReadInputState(file, frame.mouse))
            return false;
        Core::ReadI32(file, frame.mouseState.x);
        Core::ReadI32(file, frame.mouseState.y);
        Core::ReadF32(file, frame.frameTime);
        if (file.Failed())
            return false;
        // A present record whose codes and states do not pair up cannot be played as recorded.
        if ((frame.keyboardPresent && !frame.keyboard) || (frame.mousePresent && !frame.mouse))
            continue;
        replayFrames.push_back(std::move(frame));
    }
    return true;
}
}  // namespace Vellumar
