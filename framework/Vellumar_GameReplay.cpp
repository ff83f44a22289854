// Input replays: recording every frame's keyboard and mouse events and frame time after a saved
// start state, writing them when recording stops, and playing them back over the loaded start
// state in place of the devices.
#include "core/Core_File.h"
#include "core/Core_Random.h"
#include "core/Input_Keyboard.h"
#include "core/Input_Mouse.h"
#include "framework/Vellumar_Game.h"

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

std::unique_ptr<ReplayInputState> Copy(const Core::Vector<u8>& codes, const Core::Vector<Input::KeyState>& records)
{
    auto state = std::make_unique<ReplayInputState>();
    state->codes = codes;
    state->records = records;
    return state;
}
}  // namespace

void Game::StartReplayRecording(const Core::String& name)
{
    if (playing || !IsPlainFileName(name))
        return;
    recording = 1;
    replayFrames.clear();
    replayPath = name;
    Save(name + ReplayStartSuffix);
    seedOnSave = 1;
}

void Game::StopReplayRecording()
{
    if (!recording || playing)
        return;
    recording = 0;
    if (network->IsSessionActive())
        return;
    request = RequestWriteReplay;
    replayPath = GetDirectory() + SavesFolder + replayPath + ReplayDataSuffix;
}

void Game::StartReplay(const Core::String& name)
{
    if (network->IsSessionActive() || !IsPlainFileName(name))
        return;
    // A recording running now ends unwritten: its inputs would not follow its start state.
    recording = 0;
    seedOnSave = 0;
    playing = 1;
    replayFrames.clear();
    Save(Core::String(ReplayStartStateName));
    Load(name + ReplayStartSuffix);
    request = RequestStartReplay;
    replayPath = GetDirectory() + SavesFolder + name + ReplayDataSuffix;
    replayFrameIndex = 0;
}

void Game::StopReplay()
{
    if (!playing)
        return;
    playing = 0;
    Load(Core::String(ReplayStartStateName));
}

void Game::ServeReplayWrite()
{
    if (request != RequestWriteReplay)
        return;
    WriteFileSafely(replayPath, [this](Core::File& file) { WriteReplayData(file); });
}

void Game::ServeReplayRead()
{
    if (request != RequestStartReplay)
        return;
    Core::DiskFile file(replayPath, Core::DiskFile::ModeRead);
    if (file.Failed() || !ReadReplayData(file))
    {
        replayFrames.clear();
        request = RequestNone;
        playing = 0;
    }
}

void Game::WriteReplayData(Core::File& file) const
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

bool Game::ReadReplayData(Core::File& file)
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

void Game::RecordReplayFrame(f32 dt)
{
    if (!recording || playing)
        return;
    ReplayFrame frame;
    Core::Vector<u8> codes;
    Core::Vector<Input::KeyState> records;
    if (GetKeyboard()->PopRecordedEvents(codes, records))
    {
        frame.keyboardPresent = 1;
        frame.keyboard = Copy(codes, records);
    }
    codes.clear();
    records.clear();
    if (GetMouse()->GetReplayFrame(frame.mouseState, codes, records))
    {
        frame.mousePresent = 1;
        frame.mouse = Copy(codes, records);
    }
    frame.frameTime = dt;
    replayFrames.push_back(std::move(frame));
}

void Game::PlayReplayFrame(f32& dt)
{
    Input::Keyboard* keyboard = GetKeyboard();
    if (keyboard->IsTriggered(keyboard->GetKeyCode()))
    {
        StopReplay();
        keyboard->Reset();
        keyboard->EndStartGuard();
        return;
    }
    if (replayFrameIndex >= replayFrames.size())
    {
        StopReplay();
        return;
    }
    const ReplayFrame& frame = replayFrames[replayFrameIndex];
    if (frame.keyboard)
    {
        keyboard->LoadKeyStates(frame.keyboard->codes, frame.keyboard->records);
    }
    else
    {
        keyboard->Reset();
        keyboard->EndStartGuard();
    }
    if (frame.mouse)
        GetMouse()->ApplyReplayFrame(frame.mouseState, frame.mouse->codes, frame.mouse->records);
    else
        GetMouse()->ApplyReplayFrame(frame.mouseState, {}, {});
    dt = frame.frameTime;
    ++replayFrameIndex;
    if (replayFrameIndex == replayFrames.size())
        StopReplay();
}
}  // namespace Vellumar
