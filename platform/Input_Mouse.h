#pragma once
// The polled mouse. Once per frame Update samples the cursor and the left, middle and right
// buttons (0, 1, 2) and derives edge flags like the keyboard's. Positions are in the client area of
// the device's window with y growing upwards (0 on the bottom row), clamped to the client area.
// For replays the device hands out its changes and takes replay frames; for networked play it
// hands out a snapshot that a playback device takes instead of sampling.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "platform/Input_KeyCodes.h"
#include "platform/Input_Source.h"
#include "math/Math_Vector2D.h"
#include "platform/PAL_Window.h"

namespace Input
{
// The device's snapshot. Its stream form is 28 bytes, little-endian: the three button records
// (5 bytes each), one zero byte, x, y (i32), inside, moved, shown (u8), one zero byte.
struct MouseState
{
    KeyState buttons[3];
    i32 x = 0;
    i32 y = 0;
    u8 inside = 0;
    u8 moved = 0;
    u8 shown = 0;
};

constexpr u32 MouseStateSize = 28;

// One replay frame: the previous and current cursor in screen coordinates and the moved flag.
// The bytes after moved are unused and always zero.
struct MouseReplayFrame
{
    i32 previousX = 0;
    i32 previousY = 0;
    u8 moved = 0;
    u8 unused[3] = {0, 0, 0};
    i32 x = 0;
    i32 y = 0;
};
static_assert(sizeof(MouseReplayFrame) == 20);

class Mouse : public Core::Object
{
    CORE_CLASS(Mouse)

public:
    virtual void Update() = 0;
    // Moves the cursor to a client point (y from the bottom); nothing without a window.
    virtual void SetPosition(i32 x, i32 y) = 0;
    virtual Math::Vector2D GetPosition() = 0;
    virtual void GetPosition(i32& x, i32& y) = 0;
    virtual i32 GetPositionX() = 0;
    virtual i32 GetPositionY() = 0;
    virtual bool IsInWindow() = 0;
    virtual bool IsMoved() const = 0;
    // Buttons other than 0, 1 and 2 give false.
    virtual bool IsPressed(u32 button) const = 0;
    virtual bool IsTriggered(u32 button) const = 0;
    virtual bool IsDown(u32 button) const = 0;
    virtual bool IsUp(u32 button) const = 0;
    virtual void ShowCursor(u8 show) = 0;
    virtual bool IsCursorVisible() = 0;
    virtual void SetWindow(PAL::WindowHandle window) = 0;
    virtual PAL::WindowHandle GetWindow() const = 0;
    // Forgets the buttons, takes the cursor where it is and arms the start guard.
    virtual void Reset() = 0;
    // Playback devices only, and only a block of exactly MouseStateSize bytes.
    virtual void SetRecordedState(const u8* block, u32 size) = 0;
    // Live devices only (null and 0 otherwise). The block stays valid until the next call.
    virtual void GetRecordedState(const u8*& block, u32& size) = 0;
    // The frame, and the buttons that had an event with their records. True when a button had an
    // event; without one, the moved flag.
    virtual bool GetReplayFrame(MouseReplayFrame& frame, Core::Vector<u8>& buttons, Core::Vector<KeyState>& records) = 0;
    // The cursor from the frame; the button records cleared, then each listed button takes the
    // record at the same position.
    virtual void ApplyReplayFrame(const MouseReplayFrame& frame, const Core::Vector<u8>& buttons,
                                  const Core::Vector<KeyState>& records) = 0;
};

class MouseImp final : public Mouse
{
    CORE_CLASS(MouseImp)

public:
    // A live device reading the system's mouse (not made the process-wide mouse).
    MouseImp();
    MouseImp(Source& source, bool playback);
    ~MouseImp() override;

    // A new live device, stored as the process-wide mouse.
    static void Create(Core::RefPtr<Mouse>& mouse);
    static void Create(Core::RefPtr<Mouse>& mouse, Source& source);
    static void CreatePlayback(Core::RefPtr<Mouse>& mouse);
    // The start guard remembers one cursor position for the whole process; tests start afresh.
    static void ForgetStartGuardPosition();

    void Update() override;
    void SetPosition(i32 x, i32 y) override;
    Math::Vector2D GetPosition() override;
    void GetPosition(i32& x, i32& y) override;
    i32 GetPositionX() override;
    i32 GetPositionY() override;
    bool IsInWindow() override;
    bool IsMoved() const override { return moved != 0; }
    bool IsPressed(u32 button) const override;
    bool IsTriggered(u32 button) const override;
    bool IsDown(u32 button) const override;
    bool IsUp(u32 button) const override;
    void ShowCursor(u8 show) override;
    bool IsCursorVisible() override;
    void SetWindow(PAL::WindowHandle handle) override;
    PAL::WindowHandle GetWindow() const override { return playback ? 0 : window; }
    void Reset() override;
    void SetRecordedState(const u8* block, u32 size) override;
    void GetRecordedState(const u8*& block, u32& size) override;
    bool GetReplayFrame(MouseReplayFrame& frame, Core::Vector<u8>& buttons, Core::Vector<KeyState>& records) override;
    void ApplyReplayFrame(const MouseReplayFrame& frame, const Core::Vector<u8>& buttons,
                          const Core::Vector<KeyState>& records) override;

protected:
    const char* GetScriptTypeName() const override { return "MouseImp"; }

private:
    static constexpr u32 ButtonCount = 3;

    // Whether the start guard must keep this update silent; pressed holds the buttons pressed since
    // the last update.
    bool IsStartGuardBusy(u8 pressed);
    // The client area of the device's window; false without one.
    bool GetArea(ClientArea& area);
    // The cursor in client coordinates (y from the top); false without a window.
    bool ClientPoint(i32& x, i32& y, ClientArea& area);

    MouseState state;
    u8 stateBlock[MouseStateSize] = {};
    KeyState buttons[ButtonCount];
    u32 playback = 0;
    i32 previousX = 0;
    i32 previousY = 0;
    PAL::WindowHandle window = 0;
    u8 guard = 1;
    u8 moved = 0;
    i32 currentX = 0;
    i32 currentY = 0;
    Core::Vector<u8> eventButtons;
    Core::Vector<KeyState> eventRecords;
    Source* source;
};

// The live mouse; null when there is none.
Mouse* GetMouse();
}  // namespace Input
