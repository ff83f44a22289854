#include "platform/Input_Mouse.h"

#include "platform/Input_Bytes.h"

#include <algorithm>

namespace Input
{
namespace
{
Mouse* liveMouse = nullptr;

// The start guard's cursor position, shared by every mouse of the process. Each coordinate is
// taken the first time the guard looks at it.
struct GuardPosition
{
    i32 x = 0;
    i32 y = 0;
    bool hasX = false;
    bool hasY = false;
};

GuardPosition& SharedGuardPosition()
{
    static GuardPosition position;
    return position;
}

i32 Clamp(i32 value, i32 size)
{
    if (value < 0)
    {
        return 0;
    }
    return value > size - 1 ? size - 1 : value;
}

MouseState Decode(const u8* block)
{
    MouseState state;
    for (u32 b = 0; b < 3; ++b)
    {
        state.buttons[b] = GetRecord(block + 5 * b);
    }
    state.x = static_cast<i32>(GetU32(block + 16));
    state.y = static_cast<i32>(GetU32(block + 20));
    state.inside = block[24];
    state.moved = block[25];
    state.shown = block[26];
    return state;
}

void Encode(const MouseState& state, u8 (&block)[MouseStateSize])
{
    std::fill(std::begin(block), std::end(block), u8{0});
    for (u32 b = 0; b < 3; ++b)
    {
        PutRecord(block + 5 * b, state.buttons[b]);
    }
    PutU32(block + 16, static_cast<u32>(state.x));
    PutU32(block + 20, static_cast<u32>(state.y));
    block[24] = state.inside;
    block[25] = state.moved;
    block[26] = state.shown;
}
}  // namespace

CORE_REGISTER_CLASS_WITH_CREATE(Mouse, "Input::Mouse")
CORE_REGISTER_CLASS(MouseImp, "Input::MouseImp")

Core::Object* Mouse::Create()
{
    return nullptr;
}

MouseImp::MouseImp() : MouseImp(GetSystemSource(), false) {}

MouseImp::MouseImp(Source& source, bool playback) : playback(playback ? 1 : 0), source(&source)
{
    source.GetCursor(currentX, currentY);
    previousX = currentX;
    previousY = currentY;
}

MouseImp::~MouseImp()
{
    if (liveMouse == this)
    {
        liveMouse = nullptr;
    }
}

void MouseImp::Create(Core::RefPtr<Mouse>& mouse)
{
    Create(mouse, GetSystemSource());
}

void MouseImp::Create(Core::RefPtr<Mouse>& mouse, Source& source)
{
    MouseImp* created = new ("Internal_Mouse", __LINE__) MouseImp(source, false);
    mouse = created;
    liveMouse = created;
}

void MouseImp::CreatePlayback(Core::RefPtr<Mouse>& mouse)
{
    mouse = new ("Internal_Mouse", __LINE__) MouseImp(GetSystemSource(), true);
}

void MouseImp::ForgetStartGuardPosition()
{
    SharedGuardPosition() = GuardPosition();
}

Mouse* GetMouse()
{
    return liveMouse;
}

bool MouseImp::IsStartGuardBusy(u8 pressed)
{
    GuardPosition& remembered = SharedGuardPosition();
    if (!remembered.hasX)
    {
        remembered.x = currentX;
        remembered.hasX = true;
    }
    if (!remembered.hasY)
    {
        remembered.y = currentY;
        remembered.hasY = true;
    }
    const bool moving = currentX != remembered.x || currentY != remembered.y;
    remembered.x = currentX;
    remembered.y = currentY;
    return moving || (source->SampleButtons() | pressed) != 0;
}

void MouseImp::Update()
{
    if (playback)
    {
        return;
    }
    // A button pressed since the last update reads as down in this one, even when it is up again.
    const u8 pressed = source->TakeButtonPresses();
    if (guard)
    {
        if (IsStartGuardBusy(pressed))
        {
            return;
        }
        guard = 0;
    }
    eventButtons.clear();
    eventRecords.clear();
    source->GetCursor(currentX, currentY);
    moved = currentX != previousX || currentY != previousY ? 1 : 0;
    previousX = currentX;
    previousY = currentY;
    const u8 sampled = source->SampleButtons() | pressed;
    const u8 bits[ButtonCount] = {ButtonBit::Left, ButtonBit::Middle, ButtonBit::Right};
    for (u32 b = 0; b < ButtonCount; ++b)
    {
        if (ApplySample(buttons[b], (sampled & bits[b]) != 0))
        {
            eventButtons.push_back(static_cast<u8>(b));
            eventRecords.push_back(buttons[b]);
        }
    }
}

bool MouseImp::GetArea(ClientArea& area)
{
    return window != 0 && source->GetClientArea(window, area);
}

bool MouseImp::ClientPoint(i32& x, i32& y, ClientArea& area)
{
    if (!GetArea(area))
    {
        return false;
    }
    x = currentX - area.left;
    y = currentY - area.top;
    return true;
}

void MouseImp::SetPosition(i32 x, i32 y)
{
    ClientArea area;
    if (playback || !GetArea(area))
    {
        return;
    }
    currentX = area.left + x;
    currentY = area.top + (area.height - 1 - y);
    source->WarpInWindow(window, x, area.height - 1 - y);
}

void MouseImp::GetPosition(i32& x, i32& y)
{
    if (playback)
    {
        x = state.x;
        y = state.y;
        return;
    }
    ClientArea area;
    if (!ClientPoint(x, y, area))
    {
        x = 0;
        y = 0;
        return;
    }
    x = Clamp(x, area.width);
    y = Clamp(area.height - 1 - y, area.height);
}

Math::Vector2D MouseImp::GetPosition()
{
    i32 x = 0;
    i32 y = 0;
    GetPosition(x, y);
    return Math::Vector2D(static_cast<float>(x), static_cast<float>(y));
}

i32 MouseImp::GetPositionX()
{
    i32 x = 0;
    i32 y = 0;
    GetPosition(x, y);
    return x;
}

i32 MouseImp::GetPositionY()
{
    i32 x = 0;
    i32 y = 0;
    GetPosition(x, y);
    return y;
}

bool MouseImp::IsInWindow()
{
    if (playback)
    {
        return state.inside != 0;
    }
    ClientArea area;
    i32 x = 0;
    i32 y = 0;
    return ClientPoint(x, y, area) && x >= 0 && y >= 0 && x < area.width && y < area.height;
}

bool MouseImp::IsPressed(u32 button) const
{
    return button < ButtonCount && buttons[button].pressed;
}

bool MouseImp::IsTriggered(u32 button) const
{
    return button < ButtonCount && buttons[button].triggered;
}

bool MouseImp::IsDown(u32 button) const
{
    return button < ButtonCount && buttons[button].down;
}

bool MouseImp::IsUp(u32 button) const
{
    return button < ButtonCount && buttons[button].released;
}

void MouseImp::ShowCursor(u8 show)
{
    if (!playback)
    {
        source->ShowCursor(show != 0);
    }
}

bool MouseImp::IsCursorVisible()
{
    return playback ? state.shown != 0 : source->IsCursorShown();
}

void MouseImp::SetWindow(PAL::WindowHandle handle)
{
    if (!playback)
    {
        window = handle;
    }
}

void MouseImp::Reset()
{
    if (playback)
    {
        return;
    }
    moved = 0;
    source->GetCursor(currentX, currentY);
    previousX = currentX;
    previousY = currentY;
    std::fill(std::begin(buttons), std::end(buttons), KeyState());
    guard = 1;
}

void MouseImp::SetRecordedState(const u8* block, u32 size)
{
    if (!playback || !block || size != MouseStateSize)
    {
        return;
    }
    state = Decode(block);
    moved = state.moved;
    std::copy(std::begin(state.buttons), std::end(state.buttons), std::begin(buttons));
}

void MouseImp::GetRecordedState(const u8*& block, u32& size)
{
    block = nullptr;
    size = 0;
    if (playback)
    {
        return;
    }
    std::copy(std::begin(buttons), std::end(buttons), std::begin(state.buttons));
    state.shown = IsCursorVisible() ? 1 : 0;
    state.inside = IsInWindow() ? 1 : 0;
    state.moved = moved;
    GetPosition(state.x, state.y);
    Encode(state, stateBlock);
    block = stateBlock;
    size = MouseStateSize;
}

bool MouseImp::GetReplayFrame(MouseReplayFrame& frame, Core::Vector<u8>& buttonsOut, Core::Vector<KeyState>& recordsOut)
{
    frame = MouseReplayFrame();
    frame.previousX = previousX;
    frame.previousY = previousY;
    frame.moved = moved;
    frame.x = currentX;
    frame.y = currentY;
    if (eventButtons.empty())
    {
        return moved != 0;
    }
    buttonsOut = eventButtons;
    recordsOut = eventRecords;
    return true;
}

void MouseImp::ApplyReplayFrame(const MouseReplayFrame& frame, const Core::Vector<u8>& buttonsIn,
                                const Core::Vector<KeyState>& recordsIn)
{
    currentX = frame.x;
    currentY = frame.y;
    moved = currentX != previousX || currentY != previousY ? 1 : 0;
    previousX = currentX;
    previousY = currentY;
    std::fill(std::begin(buttons), std::end(buttons), KeyState());
    // Replay data comes from files: lists that do not pair up, and buttons that do not exist, are
    // left out.
    if (buttonsIn.size() != recordsIn.size())
    {
        return;
    }
    for (std::size_t i = 0; i < buttonsIn.size(); ++i)
    {
        if (buttonsIn[i] < ButtonCount)
        {
            buttons[buttonsIn[i]] = recordsIn[i];
        }
    }
}
}  // namespace Input
