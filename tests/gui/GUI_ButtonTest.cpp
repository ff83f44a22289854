// Buttons and radio buttons in headless frames: the visual state and the skin record it shows,
// sizes, the text's colour and depth, radio groups and their
// default, and the classes the registry creates by name.
#include "GUI_HudFixture.h"

#include "core/Core_File.h"
#include "core/Core_Object.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{
class ButtonTest : public GuiTest::HudFixture
{
protected:
    // The record the button's image shows after the frame's draw.
    static u32 Shown(const GUI::Button& button) { return button.GetImage()->GetState(); }
    static u32 Shown(const GUI::RadioButton& radio) { return radio.GetImage()->GetState(); }
};

TEST_F(ButtonTest, ANewButtonIsA64SquareControlWithA75By25ImageUntilItsSizeChanges)
{
    Core::RefPtr<GUI::Button> button(new GUI::Button());
    EXPECT_EQ(button->GetWidth(), 64.0f);
    EXPECT_EQ(button->GetImage()->GetWidth(), 75.0f);
    EXPECT_EQ(button->GetImage()->GetHeight(), 25.0f);
    EXPECT_EQ(button->GetSkin(), "DefaultButtonSkin");
    EXPECT_EQ(button->GetFontName(), "DefaultFont");
    button->SetControlSize(GUI::Size{120, 30});
    EXPECT_EQ(button->GetImage()->GetWidth(), 120.0f);
    EXPECT_EQ(button->GetImage()->GetHeight(), 30.0f);
}

TEST_F(ButtonTest, HoverPressReleaseFocusAndDisableShowTheirRecords)
{
    GUI::Form* form = AddForm("form", 100, 100);
    GUI::Button* first = AddChild<GUI::Button>(*form, "first", 10, 10, 80, 30);
    GUI::Button* button = AddChild<GUI::Button>(*form, "button", 10, 60, 80, 30);
    Frame();
    EXPECT_EQ(Shown(*first), 3u) << "focused";
    EXPECT_EQ(Shown(*button), 0u) << "normal";

    MoveTo(150, 180);
    Frames(2);
    EXPECT_EQ(button->GetState(), GUI::ButtonState::Hover);
    EXPECT_EQ(Shown(*button), 2u);
    Press();
    EXPECT_EQ(button->GetState(), GUI::ButtonState::Pressed) << "the focus a press brings keeps the pressed look";
    EXPECT_TRUE(button->IsFocused());
    EXPECT_EQ(Shown(*button), 1u);
    Release();
    EXPECT_EQ(Shown(*button), 2u);
    EXPECT_EQ(Shown(*first), 0u) << "the button that lost the focus is normal again";
    MoveTo(500, 400);
    Frames(2);
    EXPECT_EQ(button->GetState(), GUI::ButtonState::Focused) << "leaving keeps the focused look";

    form->SetEnabled(false);
    Frame();
    EXPECT_EQ(button->GetState(), GUI::ButtonState::Disabled);
    EXPECT_EQ(Shown(*button), 4u);
    form->SetEnabled(true);
    EXPECT_EQ(button->GetState(), GUI::ButtonState::Normal);
}

TEST_F(ButtonTest, ARecordTheSkinLacksLeavesTheImageWhereItWas)
{
    GUI::Form* form = AddForm("form", 100, 100);
    GUI::Button* button = AddChild<GUI::Button>(*form, "button", 10, 60, 80, 30);
    button->SetTabStop(false);
    button->SetHoverRecord(7);
    Frame();
    MoveTo(150, 180);
    Frames(2);
    EXPECT_EQ(button->GetState(), GUI::ButtonState::Hover);
    EXPECT_EQ(Shown(*button), 0u);
}

TEST_F(ButtonTest, ADisabledButtonRaisesNoClickButStillADoubleClickWhenAsked)
{
    GUI::Form* form = AddForm("form", 100, 100);
    GUI::Button* button = AddChild<GUI::Button>(*form, "button", 10, 60, 80, 30);
    listener.Watch(*button);
    form->SetEnabled(false);
    button->OnClick();
    button->OnMouseEnter();
    button->OnDoubleClick();
    EXPECT_EQ(log, (GuiTest::Log{"button.DoubleClick"}));
}

TEST_F(ButtonTest, TextIsDrawnAboveTheImageInTheDisabledGreyWhenDisabled)
{
    GUI::Form* form = AddForm("form", 100, 100);
    GUI::Button* button = AddChild<GUI::Button>(*form, "button", 10, 60, 100, 30);
    Frame();
    EXPECT_EQ(button->GetTextRenderContext()->GetQuadCount(), 0u) << "no text, nothing laid out";
    button->SetText("OK");
    button->SetTextModulationColor(Math::Color(1, 0, 0, 1));
    Frame();
    const Engine::StringRenderContext& text = *button->GetTextRenderContext();
    EXPECT_EQ(text.GetQuadCount(), 2u);
    EXPECT_FLOAT_EQ(text.GetDepth(), button->GetDepth() + 0.1f);
    EXPECT_EQ(text.GetColor(), Math::Color(1, 0, 0, 1));
    button->SetEnabled(false);
    Frame();
    EXPECT_EQ(text.GetColor(), Math::Color(0.6745098f, 0.65882355f, 0.6f, 1.0f));
}

TEST_F(ButtonTest, ARadioClickChecksItAndSilentlyUnchecksItsSiblings)
{
    GUI::Form* form = AddForm("form", 100, 100);
    GUI::RadioButton* a = AddChild<GUI::RadioButton>(*form, "a", 10, 10, 13, 13);
    GUI::RadioButton* b = AddChild<GUI::RadioButton>(*form, "b", 10, 40, 13, 13);
    GUI::RadioButton* c = AddChild<GUI::RadioButton>(*form, "c", 10, 70, 13, 13);
    struct Checks
    {
        GuiTest::Log* log;
        GUI::RadioButton* previous;
        void On(GUI::Control* sender)
        {
            log->push_back(std::string(sender->GetName().c_str()) + ".CheckedChanged" +
                           (previous->IsChecked() ? " while a is checked" : ""));
        }
    } checks{&log, a};
    for (GUI::RadioButton* radio : {a, b, c})
        GUI::Control::AddHandler(radio->GetCheckedChangedList(), &checks, &Checks::On);
    Frame();
    EXPECT_TRUE(a->IsChecked()) << "the group's first usable button is checked at the first update";
    EXPECT_EQ(log, (GuiTest::Log{"a.CheckedChanged while a is checked"}));

    log.clear();
    ClickAt(123, 183);
    EXPECT_TRUE(c->IsChecked());
    EXPECT_FALSE(a->IsChecked());
    EXPECT_FALSE(b->IsChecked());
    EXPECT_EQ(log, (GuiTest::Log{"c.CheckedChanged while a is checked"}));
    EXPECT_EQ(Shown(*c), 8u) << "checked and hovered";
    MoveTo(500, 400);
    Frames(2);
    EXPECT_EQ(Shown(*c), 5u) << "checked and focused";

    log.clear();
    c->SetChecked(true);
    b->SetChecked(false);
    EXPECT_TRUE(log.empty());
    c->SetChecked(false);
    EXPECT_FALSE(a->IsChecked() || b->IsChecked() || c->IsChecked());
}

TEST_F(ButtonTest, TheGroupDefaultSkipsDisabledButtonsAndChecksNoneWhenAllAre)
{
    GUI::Form* form = AddForm("form", 100, 100);
    GUI::RadioButton* a = AddChild<GUI::RadioButton>(*form, "a", 10, 10, 13, 13);
    GUI::RadioButton* b = AddChild<GUI::RadioButton>(*form, "b", 10, 40, 13, 13);
    a->SetEnabled(false);
    Frame();
    EXPECT_FALSE(a->IsChecked());
    EXPECT_TRUE(b->IsChecked());

    GUI::Form* other = AddForm("other", 300, 100);
    GUI::RadioButton* c = AddChild<GUI::RadioButton>(*other, "c", 10, 10, 13, 13);
    c->SetEnabled(false);
    Frame();
    EXPECT_FALSE(c->IsChecked());
}

TEST_F(ButtonTest, RefreshImageLaysOutAndPlacesALoadedImageAgain)
{
    Core::RefPtr<GUI::Button> button(new GUI::Button());
    button->SetControlSize(GUI::Size{120, 30});
    button->SetPosition(Math::Point2D(40, 50));
    Core::MemoryFile saved;
    saved.WriteObject(button.Get());

    // A stream whose image pieces are all zero: the load takes them as stored.
    std::vector<u8> bytes(saved.GetData(), saved.GetData() + saved.GetSize());
    const std::string name = button->GetImage()->GetName().c_str();
    auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
    ASSERT_NE(at, bytes.end());
    std::fill_n(at + static_cast<std::ptrdiff_t>(name.size()), 9 * 48, u8(0));
    Core::MemoryFile loading(bytes.data(), static_cast<u32>(bytes.size()));
    Core::RefPtr<GUI::Button> loaded(dynamic_cast<GUI::Button*>(loading.ReadObject()));
    ASSERT_FALSE(loading.Failed());
    ASSERT_NE(loaded, nullptr);
    const GUI::GuiImage& image = *loaded->GetImage();
    ASSERT_EQ(image.GetPiece(4).width, 0.0f);

    loaded->RefreshImage();
    for (u32 i = 0; i < GUI::GuiImage::PieceCount; ++i)
    {
        const GUI::TRectangle& piece = image.GetPiece(i);
        const GUI::TRectangle& expected = button->GetImage()->GetPiece(i);
        EXPECT_EQ(piece.x, expected.x) << i;
        EXPECT_EQ(piece.y, expected.y) << i;
        EXPECT_EQ(piece.width, expected.width) << i;
        EXPECT_EQ(piece.height, expected.height) << i;
    }
    EXPECT_EQ(image.GetPiece(4).x, 40.0f + image.GetLeftBorder());
    EXPECT_TRUE(image.IsDirty());
}

TEST_F(ButtonTest, TheRegistryCreatesTheGuiClassesByName)
{
    for (const char* name : {"GUI::Form", "GUI::Control", "GUI::Cursor", "GUI::CursorManager", "GUI::GuiImage",
                             "GUI::Button", "GUI::RadioButton"})
    {
        Core::RefPtr<Core::Object> made(Core::CreateObjectByName(name));
        ASSERT_NE(made, nullptr) << name;
        EXPECT_STREQ(made->GetClassName(), name);
    }
    EXPECT_EQ(Core::CreateObjectByName("GUI::Graphics"), nullptr);
    EXPECT_EQ(Core::CreateObjectByName("GUI::HUD"), nullptr);
}
} // namespace
