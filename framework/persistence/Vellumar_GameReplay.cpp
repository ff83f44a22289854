// Input replays: recording every frame's keyboard and mouse events and frame time after a saved
// start state, writing them when recording stops, and playing them back over the loaded start
// state in place of the devices.
#include "core/Core_File.h"
#include "core/Core_Random.h"
#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"
#include "framework/core/Vellumar_Game.h"

namespace Vellumar
{
namespace
{
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
    seedOnSave = RequestFile(RequestSaveGame, name + ReplayStartSuffix) ? 1 : 0;
}

void Game::StopReplayRecording()
{
    if (!recording || playing)
        return;
    recording = 0;
    if (network->IsSessionActive())
        return;
    request = RequestWriteReplay;
    replayPath = saveFolder + "\\" + replayPath + ReplayDataSuffix;
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
    replayPath = saveFolder + "\\" + name + ReplayDataSuffix;
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
    WriteReplayFrames(file, replayFrames);
}

bool Game::ReadReplayData(Core::File& file)
{
    return ReadReplayFrames(file, replayFrames);
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
