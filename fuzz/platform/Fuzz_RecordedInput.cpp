// Recorded keyboard and mouse states, as a replay hands them to the playback devices frame by
// frame. An input is a run of frames: a 16-bit little-endian keyboard block size, the keyboard
// block, then one mouse block. Seeds are frames the live devices recorded from the tests'
// scripted source.
#include "fuzz/Fuzz_Target.h"

#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"
#include "platform/Input_Source.h"
#include "tests/support/Input_FakeSource.h"

#include <algorithm>

namespace
{
bool Read(const u8* data, std::size_t size)
{
    FakeSource source;
    const Core::RefPtr<Input::KeyboardImp> keyboard(new Input::KeyboardImp(source, true));
    const Core::RefPtr<Input::MouseImp> mouse(new Input::MouseImp(source, true));
    Core::Vector<u8> keys;
    Core::Vector<Input::KeyState> records;
    Input::MouseReplayFrame frame;
    std::size_t at = 0;
    while (size - at >= 2)
    {
        const std::size_t keyBytes = std::min<std::size_t>(static_cast<std::size_t>(data[at] | data[at + 1] << 8), size - at - 2);
        keyboard->SetRecordedState(data + at + 2, static_cast<u32>(keyBytes));
        at += 2 + keyBytes;
        const u32 mouseBytes = static_cast<u32>(std::min<std::size_t>(Input::MouseStateSize, size - at));
        mouse->SetRecordedState(data + at, mouseBytes);
        at += mouseBytes;
        keyboard->Update();
        mouse->Update();
        if (keyboard->PopRecordedEvents(keys, records))
            keyboard->LoadKeyStates(keys, records);
        if (mouse->GetReplayFrame(frame, keys, records))
            mouse->ApplyReplayFrame(frame, keys, records);
    }
    return at == size;
}

void AppendFrame(Fuzz::Bytes& out, Input::Keyboard& keyboard, Input::Mouse& mouse)
{
    const u8* block = nullptr;
    u32 bytes = 0;
    keyboard.GetRecordedState(block, bytes);
    out.push_back(static_cast<u8>(bytes));
    out.push_back(static_cast<u8>(bytes >> 8));
    out.insert(out.end(), block, block + bytes);
    mouse.GetRecordedState(block, bytes);
    out.insert(out.end(), block, block + bytes);
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    FakeSource source;
    const Core::RefPtr<Input::KeyboardImp> keyboard(new Input::KeyboardImp(source, false));
    const Core::RefPtr<Input::MouseImp> mouse(new Input::MouseImp(source, false));
    mouse->SetWindow(source.window);
    Fuzz::Bytes frames;
    for (int frame = 0; frame < 6; ++frame)
    {
        source.keys[static_cast<u8>('A')] = frame < 3 ? Input::KeyDownBit : u8{0};
        source.keys[Input::VirtualKey::Space] = frame % 2 ? Input::KeyDownBit : u8{0};
        source.buttons = frame >= 2 && frame < 4 ? Input::ButtonBit::Left : u8{0};
        source.cursorX = 310 + 7 * frame;
        source.cursorY = 450 - 5 * frame;
        keyboard->Update();
        mouse->Update();
        AppendFrame(frames, *keyboard, *mouse);
    }
    seeds.emplace_back("six-frames", frames);
}

const Fuzz::Registration registration("RecordedInput", Read, WriteSeeds);
}  // namespace
