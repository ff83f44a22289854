// One frame of the HUD with 200 controls: four forms of 256 x 256, each with its close button,
// 30 buttons with text and 18 radio buttons, updated (input, hit test, drawing into their render
// contexts) and drawn through the recording renderer with its log off. range(0): 0 leaves the
// mouse resting on a button, 1 moves it across the forms every frame.
#include "bench/engine/Engine_BenchScene.h"
#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"
#include "platform/Input_Source.h"
#include "engine/Engine_FontCache.h"
#include "gui/GUI_Button.h"
#include "gui/GUI_Form.h"
#include "gui/GUI_HUD.h"
#include "gui/GUI_RadioButton.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <iterator>
#include <memory>

namespace
{
// A mouse and keyboard that report what the benchmark sets: nothing pressed, the cursor where
// it is put, over a window-sized client area.
class BenchInput final : public Input::Source
{
public:
    void SampleKeys(u8 (&keys)[Input::VirtualKeyCount]) override { std::fill(std::begin(keys), std::end(keys), u8{0}); }
    bool IsCapsLockOn() override { return false; }
    bool IsNumLockOn() override { return false; }
    void GetCursor(i32& cx, i32& cy) override
    {
        cx = x;
        cy = y;
    }
    void SetCursor(i32 cx, i32 cy) override
    {
        x = cx;
        y = cy;
    }
    u8 SampleButtons() override { return 0; }
    void ShowCursor(bool) override {}
    bool IsCursorShown() override { return false; }
    bool GetClientArea(PAL::WindowHandle, Input::ClientArea& area) override
    {
        area = Input::ClientArea{0, 0, EngineBench::Scene::Width, EngineBench::Scene::Height};
        return true;
    }

    i32 x = 0;
    i32 y = 0;
};

constexpr int FormCount = 4;
constexpr int ButtonsPerForm = 30;
constexpr int RadiosPerForm = 18;

void BM_HudFrame(benchmark::State& state)
{
    EngineBench::Scene scene;
    Engine::FontCache fonts;
    BenchInput input;
    Core::RefPtr<Input::Keyboard> keyboard;
    Core::RefPtr<Input::Mouse> mouse;
    Input::KeyboardImp::Create(keyboard, input);
    Input::MouseImp::Create(mouse, input);
    mouse->SetWindow(1);
    auto hud = std::make_unique<GUI::HUD>();

    u32 controls = 0;
    for (int f = 0; f < FormCount; ++f)
    {
        Core::RefPtr<GUI::Form> form(new GUI::Form());
        form->SetPosition(20.0f + 260.0f * static_cast<f32>(f), 200.0f);
        controls += 2;
        for (int i = 0; i < ButtonsPerForm; ++i)
        {
            Core::RefPtr<GUI::Button> button(new GUI::Button());
            button->SetText("OK");
            button->SetControlSize(GUI::Size{70, 20});
            button->SetPosition(static_cast<f32>(i % 3) * 78.0f, static_cast<f32>(i / 3) * 21.0f);
            form->AddControl(button);
            ++controls;
        }
        for (int i = 0; i < RadiosPerForm; ++i)
        {
            Core::RefPtr<GUI::RadioButton> radio(new GUI::RadioButton());
            radio->SetPosition(230.0f, static_cast<f32>(i) * 11.0f);
            form->AddControl(radio);
            ++controls;
        }
        hud->AddForm(form);
    }

    const bool moving = state.range(0) != 0;
    input.x = 100;
    input.y = EngineBench::Scene::Height - 1 - 260;
    i32 step = 0;
    for (auto _ : state)
    {
        if (moving)
        {
            step = (step + 7) % 1000;
            input.x = 20 + step;
        }
        keyboard->Update();
        mouse->Update();
        hud->Update(1.0f / 60.0f);
        hud->Draw();
    }
    state.counters["controls"] = static_cast<double>(controls);
    hud.reset();
}
BENCHMARK(BM_HudFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
} // namespace
