// Replay input files: the frames read, then written and read again, which must give the same
// frames. Seeds are recordings with and without keyboard and mouse records.
#include "fuzz/Fuzz_Target.h"

#include "core/Core_File.h"
#include "framework/persistence/Vellumar_Replay.h"

#include <cstdlib>

namespace
{
bool Read(const u8* data, std::size_t size)
{
    Core::MemoryFile file(data, static_cast<u32>(size));
    Core::Vector<Vellumar::ReplayFrame> frames;
    if (!Vellumar::ReadReplayFrames(file, frames))
        return false;
    // What was kept writes back as it reads: all but the last frame, whole.
    Core::MemoryFile written;
    Vellumar::WriteReplayFrames(written, frames);
    Core::MemoryFile again(written.GetData(), written.GetSize());
    Core::Vector<Vellumar::ReplayFrame> reread;
    if (!Vellumar::ReadReplayFrames(again, reread) || reread.size() != (frames.empty() ? 0 : frames.size() - 1))
        std::abort();
    return true;
}

Vellumar::ReplayFrame Frame(bool keyboard, bool mouse, f32 frameTime)
{
    Vellumar::ReplayFrame frame;
    frame.frameTime = frameTime;
    frame.mouseState.x = 100;
    frame.mouseState.y = 50;
    if (keyboard)
    {
        frame.keyboardPresent = 1;
        frame.keyboard = std::make_unique<Vellumar::ReplayInputState>();
        frame.keyboard->codes = {0x20, 0x41};
        frame.keyboard->records = {Input::KeyState{1, 1, 0, 1, 0}, Input::KeyState{0, 0, 1, 0, 1}};
    }
    if (mouse)
    {
        frame.mousePresent = 1;
        frame.mouse = std::make_unique<Vellumar::ReplayInputState>();
        frame.mouse->codes = {0};
        frame.mouse->records = {Input::KeyState{1, 1, 0, 1, 0}};
    }
    return frame;
}

Fuzz::Bytes Write(const Core::Vector<Vellumar::ReplayFrame>& frames)
{
    Core::MemoryFile file;
    Vellumar::WriteReplayFrames(file, frames);
    return Fuzz::Bytes(file.GetData(), file.GetData() + file.GetSize());
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    Core::Vector<Vellumar::ReplayFrame> frames;
    seeds.emplace_back("none", Write(frames));
    frames.push_back(Frame(false, false, 0.016f));
    frames.push_back(Frame(true, false, 0.017f));
    frames.push_back(Frame(true, true, 0.02f));
    frames.push_back(Frame(false, true, 0.016f));
    seeds.emplace_back("inputs", Write(frames));
}

const Fuzz::Registration registration("ReplayData", Read, WriteSeeds);
}  // namespace
