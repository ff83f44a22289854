// A form with two buttons built from the default skin, drawn by the OpenGL
// renderer (under Xvfb with Mesa's software renderer) and driven by injected mouse input: a click
// on a button raises its events, and the read-back pixels show its normal, hover and pressed
// records texel for texel. Also the drop-down arrow's square, and the pictures of loaded forms. Without a display it fails under
// scripts/test and skips by hand. With MORVANE_SCREENSHOT_DIR set, the frame with the pressed
// button is also written there as "GuiFormScreen.png".
#include "GUI_HudFixture.h"

#include "core/Core_File.h"
#include "tests/support/Support_GLWindow.h"

#include <array>
#include <string>

namespace
{
constexpr i32 Width = 480;
constexpr i32 Height = 360;

using GuiTest::Near;
using GuiTest::Pixel;
using Picture = GuiTest::ResourcePicture;

class FormScreenTest : public TestSupport::GLWindowTest
{
protected:
    FormScreenTest() : GLWindowTest(Width, Height) {}

    void SetUp() override
    {
        GLWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        queue = std::make_unique<Engine::RenderQueue>();
        queue->SetRenderer(renderer.Get());
        fonts = std::make_unique<Engine::FontCache>();
        input.area = Input::ClientArea{0, 0, Width, Height};
        Input::MouseImp::ForgetStartGuardPosition();
        Input::KeyboardImp::Create(keyboard, input);
        Input::MouseImp::Create(mouse, input);
        mouse->SetWindow(input.window);
        MoveTo(Width - 1, Height - 1);
        hud = std::make_unique<GUI::HUD>();
    }

    void TearDown() override
    {
        hud.reset();
        mouse = nullptr;
        keyboard = nullptr;
        fonts.reset();
        queue.reset();
        GLWindowTest::TearDown();
        Renderer::SetRenderer(nullptr);
    }

    void MoveTo(i32 x, i32 y)
    {
        input.cursorX = x;
        input.cursorY = Height - 1 - y;
    }

    void Frame()
    {
        keyboard->Update();
        mouse->Update();
        renderer->ClearBuffers(Math::Color(0.1f, 0.1f, 0.1f, 1.0f), 1.0f, 0);
        hud->Update(1.0f / 60.0f);
        hud->Draw();
        pixels = ReadFrame();
    }

    std::size_t Count(const std::string& prefix) const
    {
        std::size_t found = 0;
        for (const std::string& entry : log)
            found += entry.rfind(prefix, 0) == 0 ? 1 : 0;
        return found;
    }

    Pixel At(i32 x, i32 y) const
    {
        const std::vector<u8> p = PixelOf(pixels, x, y);
        return Pixel{p[0], p[1], p[2]};
    }

    // Pixels of the 64 x 32 button at (left, bottom) that differ from the opaque texels of the
    // skin record whose region starts at texel row regionY.
    int Mismatches(const Picture& skin, i32 left, i32 bottom, i32 regionY, i32 columns) const
    {
        int wrong = 0;
        for (i32 y = 0; y < 32; ++y)
        {
            for (i32 x = 0; x < columns; ++x)
            {
                const u8* t = skin.Texel(x, regionY + y);
                if (t[3] == 255 && !Near(At(left + x, bottom + y), Pixel{t[0], t[1], t[2]}))
                    ++wrong;
            }
        }
        return wrong;
    }

    FakeSource input;
    Core::RefPtr<Input::Keyboard> keyboard;
    Core::RefPtr<Input::Mouse> mouse;
    std::unique_ptr<Engine::RenderQueue> queue;
    std::unique_ptr<Engine::FontCache> fonts;
    std::unique_ptr<GUI::HUD> hud;
    std::vector<u8> pixels;
    GuiTest::Log log;
    GuiTest::Listener listener{log};
};

TEST_F(FormScreenTest, AnInjectedClickRaisesTheButtonsEventsAndShowsItsPressedLook)
{
    const Picture skin("Skins/DefaultButtonSkin/DefaultButtonSkin.png");
    ASSERT_EQ(skin.image.width, 64);

    Core::RefPtr<GUI::Form> form(new GUI::Form());
    form->SetText("Morvane options");
    form->SetControlSize(GUI::Size{400, 300});
    form->SetPosition(40, 30);
    const char* names[2] = {"Play", "Quit"};
    GUI::Button* buttons[2] = {};
    for (int i = 0; i < 2; ++i)
    {
        Core::RefPtr<GUI::Button> button(new GUI::Button());
        button->SetName(names[i]);
        button->SetText(names[i]);
        button->SetControlSize(GUI::Size{64, 32});
        button->SetPosition(40 + 100.0f * static_cast<f32>(i), 40);
        form->AddControl(button);
        listener.Watch(*button);
        buttons[i] = button.Get();
    }
    hud->AddForm(form);
    Frame();
    Frame();
    // The second button: 48 + 140 = 188 from the left, 38 + 40 = 78 from the bottom.
    const GUI::NRectangle& area = buttons[1]->GetRectangle();
    ASSERT_EQ(area, GUI::NRectangle(188, 78, 64, 32));
    const i32 left = 188;
    const i32 bottom = 78;
    // The text sits in the middle; the columns left of it show the skin alone.
    EXPECT_EQ(Mismatches(skin, left, bottom, 0, 16), 0) << "normal";

    MoveTo(left + 56, bottom + 28);
    Frame();
    Frame();
    EXPECT_EQ(Mismatches(skin, left, bottom, 64, 16), 0) << "hover";
    input.buttons = Input::ButtonBit::Left;
    Frame();
    EXPECT_EQ(buttons[1]->GetState(), GUI::ButtonState::Pressed);
    EXPECT_EQ(Mismatches(skin, left, bottom, 32, 16), 0) << "pressed";
    EXPECT_GT(Mismatches(skin, left, bottom, 64, 16), 0) << "the pressed look differs from the hover look";
    TestSupport::SaveScreenshot(pixels, Width, Height, "GuiFormScreen.png");

    input.buttons = 0;
    Frame();
    EXPECT_EQ(Count("Quit.Click"), 1u);
    EXPECT_EQ(Count("Quit.MouseUp(0)"), 1u);
    EXPECT_EQ(Count("Play."), 0u);
    EXPECT_EQ(Mismatches(skin, left, bottom, 64, 16), 0) << "hover again after the release";
}

TEST_F(FormScreenTest, TheDropDownArrowIsACentredSquareNoWiderThanItsTexture)
{
    Core::RefPtr<GUI::Form> form(new GUI::Form());
    form->SetShowOnlyControls(true);
    form->SetLeftBorderWidth(0);
    form->SetBottomBorderHeight(0);
    Core::RefPtr<GUI::Button> button(new GUI::Button());
    button->SetFocusThroughParent(true);
    button->SetControlSize(GUI::Size{100, 20});
    form->AddControl(button);
    hud->AddForm(form);
    Frame();
    const Engine::TextRenderContext& arrow = *button->GetArrowRenderContext();
    ASSERT_NE(arrow.texture, nullptr);
    ASSERT_EQ(arrow.texture->GetWidth(), 16u);
    EXPECT_EQ((std::array<f32, 4>{arrow.vertices[0], arrow.vertices[1], arrow.vertices[6], arrow.vertices[7]}),
              (std::array<f32, 4>{42, 2, 58, 18}));
    EXPECT_FLOAT_EQ(arrow.depth, button->GetDepth() + 0.01f);
    button->SetControlSize(GUI::Size{10, 20});
    Frame();
    EXPECT_EQ((std::array<f32, 4>{arrow.vertices[0], arrow.vertices[1], arrow.vertices[6], arrow.vertices[7]}),
              (std::array<f32, 4>{0, 5, 10, 15}));
}

// The game's icon lies in a resource folder of its own, not among the skins.
TEST_F(FormScreenTest, ALoadedFormDrawsItsPictureFromAnyResourceFolderButNotFromAPathThatClimbsOut)
{
    const Core::String resources = Core::String(PAL::GetExecutableDirectory()) + "\\Resources";
    const char* names[2] = {"inside", "climbing"};
    const Core::String paths[2] = {resources + "\\GameIcon\\GameIcon.png",
                                   resources + "\\..\\Resources\\GameIcon\\GameIcon.png"};
    for (int i = 0; i < 2; ++i)
    {
        Core::RefPtr<GUI::Form> form(new GUI::Form());
        form->SetName(names[i]);
        form->SetControlSize(GUI::Size{200, 150});
        form->SetPosition(10 + 240.0f * static_cast<f32>(i), 100);
        form->SetPicture(paths[i]);
        hud->AddForm(form);
    }
    // The client areas' centres: 8 pixels of border, then half of 184 x 110.
    Frame();
    const Pixel drawn = At(110, 163);
    ASSERT_TRUE(Near(At(350, 163), drawn)) << "a picture given in code is drawn wherever it lies";

    Core::MemoryFile saved;
    hud->Save(saved);
    hud->Clear();
    Core::MemoryFile loading(saved.GetData(), saved.GetSize());
    hud->Load(loading);
    ASSERT_FALSE(loading.Failed());
    Frame();
    EXPECT_TRUE(Near(At(110, 163), drawn)) << "read back from a resource folder other than the skins";
    EXPECT_EQ(hud->FindForm("climbing")->GetPicture(), paths[1]);
    EXPECT_FALSE(Near(At(350, 163), drawn)) << "a saved path that climbs out of the resources is not followed";
}
} // namespace
