#pragma once
// A HUD driven frame by frame without a display: a 640 x 480 recording renderer with its render
// queue and font cache, a scripted keyboard and mouse over a 640 x 480 client area, and a listener
// that logs every event of the controls it watches as "<name>.<event>".
#include "GUI_TestSupport.h"

#include "platform/Input_KeyCodes.h"
#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"
#include "engine/Engine_FontCache.h"
#include "engine/Engine_RenderQueue.h"
#include "gui/GUI_Button.h"
#include "gui/GUI_Control.h"
#include "gui/GUI_Form.h"
#include "gui/GUI_HUD.h"
#include "gui/GUI_RadioButton.h"
#include "renderer/Renderer_RecordingRenderer.h"
#include "tests/support/Input_FakeSource.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GuiTest
{
using Log = std::vector<std::string>;

class Listener
{
public:
    explicit Listener(Log& log) : log(&log) {}

    template <GUI::ControlEvent E>
    void On(GUI::Control* sender)
    {
        log->push_back(std::string(sender->GetName().c_str()) + "." + Names[static_cast<u32>(E)]);
    }
    template <GUI::MouseEvent E>
    void OnMouse(GUI::Control* sender, const GUI::MouseEventRecord& record)
    {
        log->push_back(std::string(sender->GetName().c_str()) + "." + MouseNames[static_cast<u32>(E)] + "(" +
                       std::to_string(record.button) + ")");
    }

    // Logs all thirteen events of the control.
    void Watch(GUI::Control& control)
    {
        Add<GUI::ControlEvent::Click>(control);
        Add<GUI::ControlEvent::DoubleClick>(control);
        Add<GUI::ControlEvent::AfterClick>(control);
        Add<GUI::ControlEvent::AfterDoubleClick>(control);
        Add<GUI::ControlEvent::MouseEnter>(control);
        Add<GUI::ControlEvent::MouseHover>(control);
        Add<GUI::ControlEvent::MouseLeave>(control);
        Add<GUI::ControlEvent::SizeChanged>(control);
        AddMouse<GUI::MouseEvent::MouseMove>(control);
        AddMouse<GUI::MouseEvent::MouseUp>(control);
        AddMouse<GUI::MouseEvent::MouseDown>(control);
    }

private:
    static constexpr const char* Names[] = {"Click",      "DoubleClick", "Extra",      "AfterClick", "AfterDoubleClick",
                                            "MouseEnter", "MouseHover",  "MouseLeave", "SizeChanged"};
    static constexpr const char* MouseNames[] = {"MouseMove", "MouseUp", "MouseDown", "ExtraMouse"};

    template <GUI::ControlEvent E>
    void Add(GUI::Control& control)
    {
        GUI::Control::AddHandler(control.GetEventList(E), this, &Listener::On<E>);
    }
    template <GUI::MouseEvent E>
    void AddMouse(GUI::Control& control)
    {
        GUI::Control::AddHandler(control.GetEventList(E), this, &Listener::OnMouse<E>);
    }

    Log* log;
};

class HudFixture : public ::testing::Test
{
protected:
    static constexpr i32 Width = 640;
    static constexpr i32 Height = 480;
    static constexpr f32 FrameSeconds = 1.0f / 60.0f;

    void SetUp() override
    {
        renderer = Renderer::CreateRecordingRenderer(Renderer::DisplaySettings(Width, Height));
        queue = std::make_unique<Engine::RenderQueue>();
        queue->SetRenderer(renderer.Get());
        fonts = std::make_unique<Engine::FontCache>();
        input.area = Input::ClientArea{0, 0, Width, Height};
        Input::MouseImp::ForgetStartGuardPosition();
        Input::KeyboardImp::Create(keyboard, input);
        Input::MouseImp::Create(mouse, input);
        mouse->SetWindow(input.window);
        MoveTo(600, 460);
        hud = std::make_unique<GUI::HUD>();
        Frame();
    }

    void TearDown() override
    {
        hud.reset();
        mouse = nullptr;
        keyboard = nullptr;
        fonts.reset();
        queue.reset();
        Renderer::SetRenderer(nullptr);
        renderer = nullptr;
    }

    // The cursor to a client pixel, y counted from the bottom.
    void MoveTo(i32 x, i32 y)
    {
        input.cursorX = x;
        input.cursorY = Height - 1 - y;
    }

    // One frame: the devices, the HUD's update and its draw.
    void Frame(f32 dt = FrameSeconds)
    {
        keyboard->Update();
        mouse->Update();
        hud->Update(dt);
        hud->Draw();
    }

    void Frames(int count, f32 dt = FrameSeconds)
    {
        for (int i = 0; i < count; ++i)
            Frame(dt);
    }

    void Press(u8 bit = Input::ButtonBit::Left)
    {
        input.buttons |= bit;
        Frame();
    }
    void Release(u8 bit = Input::ButtonBit::Left)
    {
        input.buttons &= static_cast<u8>(~bit);
        Frame();
    }
    // Moves there, lets the HUD see the mouse, then presses and releases.
    void ClickAt(i32 x, i32 y, u8 bit = Input::ButtonBit::Left)
    {
        MoveTo(x, y);
        Frame();
        Press(bit);
        Release(bit);
    }
    void Tap(u8 virtualKey)
    {
        input.Press(virtualKey);
        Frame();
        input.Release(virtualKey);
        Frame();
    }

    // A new form of the default skin added to the HUD, at (x, y), with the name.
    GUI::Form* AddForm(const char* name, f32 x, f32 y)
    {
        Core::RefPtr<GUI::Form> form(new GUI::Form());
        form->SetName(name);
        form->SetPosition(x, y);
        hud->AddForm(form);
        return form.Get();
    }
    template <class T>
    T* AddChild(GUI::Control& parent, const char* name, f32 x, f32 y, f32 w, f32 h)
    {
        Core::RefPtr<T> child(static_cast<T*>(T::CreateInstance()));
        child->SetName(name);
        child->SetControlSize(GUI::Size{w, h});
        child->SetPosition(x, y);
        parent.AddControl(child);
        return child.Get();
    }

    // The entries of the log that start with prefix.
    Log Entries(const std::string& prefix) const
    {
        Log found;
        for (const std::string& entry : log)
        {
            if (entry.rfind(prefix, 0) == 0)
                found.push_back(entry);
        }
        return found;
    }
    // The log without its hover and move entries, which a resting or moving mouse adds every frame.
    Log Actions() const
    {
        Log found;
        for (const std::string& entry : log)
        {
            if (entry.find("MouseHover") == std::string::npos && entry.find("MouseMove") == std::string::npos)
                found.push_back(entry);
        }
        return found;
    }

    Core::RefPtr<Renderer::RecordingRenderer> renderer;
    std::unique_ptr<Engine::RenderQueue> queue;
    std::unique_ptr<Engine::FontCache> fonts;
    FakeSource input;
    Core::RefPtr<Input::Keyboard> keyboard;
    Core::RefPtr<Input::Mouse> mouse;
    std::unique_ptr<GUI::HUD> hud;
    Log log;
    Listener listener{log};
};
} // namespace GuiTest
