// Forms in headless frames: the frame's layout and the close button, dragging by the caption, the
// active and inactive tints and the attention flash, the close button's visibility, and the HUD's
// save and load of forms with children.
#include "GUI_HudFixture.h"

#include "core/Core_File.h"

#include <algorithm>
#include <cstring>

namespace
{
class FormTest : public GuiTest::HudFixture
{
protected:
    static Math::Color CaptionTint(const GUI::Form& form) { return form.GetFrameImage(0)->GetColor(); }

    const Math::Color active{2.0f / 255.0f, 106.0f / 255.0f, 254.0f / 255.0f, 1.0f};
    const Math::Color inactive{129.0f / 255.0f, 169.0f / 255.0f, 232.0f / 255.0f, 1.0f};
};

TEST_F(FormTest, ADefaultFormLaysOutItsFrameClientAreaAndCloseButton)
{
    GUI::Form* form = AddForm("form", 100, 100);
    EXPECT_EQ(form->GetClientRectangle(), GUI::NRectangle(108, 108, 240, 216));
    EXPECT_EQ(form->GetClientOffset(), Math::Vector2D(8, 8));
    EXPECT_EQ(form->GetFrameImage(0)->GetPosition(), Math::Point2D(100, 324));
    EXPECT_EQ(form->GetFrameImage(3)->GetPosition(), Math::Point2D(348, 108));
    const GUI::Button& close = *form->GetCloseButton();
    EXPECT_EQ(close.GetControlSize().width, 20.0f);
    EXPECT_EQ(close.GetPosition(), Math::Point2D(226, 226));
    EXPECT_EQ(close.GetRectangle(), GUI::NRectangle(334, 334, 20, 20));
    EXPECT_EQ(close.GetImage()->GetPosition(), Math::Point2D(334, 334));
    EXPECT_EQ(close.GetName(), "CloseCloseClose");
    EXPECT_FALSE(close.GetTabStop());

    form->SetCaptionHeight(10);
    EXPECT_EQ(close.GetWidth(), 8.0f);
    form->SetCaptionHeight(3);
    EXPECT_EQ(close.GetWidth(), 2.0f);
    form->SetCaptionHeight(100);
    EXPECT_EQ(close.GetWidth(), 20.0f);
    EXPECT_EQ(form->GetFrameImage(2)->GetHeight(), 256.0f - 100.0f - 8.0f);
}

TEST_F(FormTest, TheCloseButtonLiesOutsideTheClientAreaAndClosesTheFormOnce)
{
    GUI::Form* form = AddForm("form", 100, 100);
    Core::RefPtr<GUI::Form> watch(form);
    Frame();
    ClickAt(344, 344);
    EXPECT_TRUE(watch->IsDestroyed());
    Frame();
    EXPECT_EQ(hud->GetFormCount(), 0u);
}

TEST_F(FormTest, DraggingTheCaptionMovesTheFormByTheMouseButTheClientAreaDoesNot)
{
    GUI::Form* form = AddForm("form", 100, 100);
    Frame();
    MoveTo(150, 340);
    Frame();
    Press();
    EXPECT_TRUE(form->IsDragging());
    MoveTo(180, 320);
    Frame();
    EXPECT_EQ(form->GetPosition(), Math::Point2D(130, 80));
    EXPECT_EQ(form->GetCloseButton()->GetRectangle().GetPosition(), Math::Point2D(364, 314));
    Release();
    EXPECT_FALSE(form->IsDragging());

    MoveTo(200, 200);
    Frame();
    Press();
    MoveTo(220, 210);
    Frame();
    Release();
    EXPECT_EQ(form->GetPosition(), Math::Point2D(130, 80)) << "the client area does not drag";

    form->SetShowOnlyControls(true);
    MoveTo(150, 320);
    Frame();
    Press();
    EXPECT_FALSE(form->IsDragging());
}

TEST_F(FormTest, OnlyTheActiveFormIsTintedActiveAndItsFlashAlternatesForEightTenths)
{
    GUI::Form* back = AddForm("back", 10, 10);
    GUI::Form* front = AddForm("front", 300, 10);
    Frame();
    EXPECT_EQ(CaptionTint(*back), inactive);
    EXPECT_EQ(CaptionTint(*front), active);

    back->StartFlash();
    EXPECT_FALSE(back->IsFlashing()) << "only the active form flashes";
    front->StartFlash();
    ASSERT_TRUE(front->IsFlashing());
    std::vector<bool> inactiveTint;
    for (int i = 0; i < 16; ++i)
    {
        Frame(0.0625f);
        inactiveTint.push_back(CaptionTint(*front) == inactive);
    }
    // The tint toggles once more than 0.1 s passed since the last toggle, every second frame of
    // 1/16 s; the flash ends in the active tint once more than 0.8 s passed, at the 13th frame.
    const std::vector<bool> expected{true, false, false, true, true, false, false, true,
                                     true, false, false, true, false, false, false, false};
    EXPECT_EQ(inactiveTint, expected);
    EXPECT_FALSE(front->IsFlashing());
}

TEST_F(FormTest, TheCloseButtonShowsOnlyOnAVisibleFormThatDrawsItsFrame)
{
    GUI::Form* form = AddForm("form", 10, 10);
    const GUI::Button& close = *form->GetCloseButton();
    form->SetVisible(false);
    form->SetCloseButtonVisible(true);
    EXPECT_FALSE(close.IsVisible());
    form->SetVisible(true);
    EXPECT_TRUE(close.IsVisible());
    form->SetShowOnlyControls(true);
    EXPECT_FALSE(close.IsVisible());
}

TEST_F(FormTest, TheCaptionTextStartsAtTheCaptionsCentrePieceAboveTheFrame)
{
    GUI::Form* form = AddForm("form", 100, 100);
    form->SetText("Title");
    Frame();
    const Engine::StringRenderContext& text = *form->GetTextRenderContext();
    EXPECT_EQ(text.GetQuadCount(), 5u);
    EXPECT_FLOAT_EQ(text.GetDepth(), form->GetDepth() + 0.1f);
    const GUI::TRectangle& piece = form->GetFrameImage(0)->GetPiece(4);
    EXPECT_GE(text.vertices[0], piece.GetLeft());
    EXPECT_LE(text.vertices[0], piece.GetLeft() + 4.0f);
}

TEST_F(FormTest, SavingClearingAndLoadingRestoresFormsChildrenAndTheHudsPointers)
{
    GUI::Form* first = AddForm("first", 10, 10);
    GUI::Form* second = AddForm("second", 300, 100);
    GUI::Button* button = AddChild<GUI::Button>(*second, "button", 10, 10, 80, 30);
    GUI::RadioButton* radio = AddChild<GUI::RadioButton>(*second, "radio", 10, 60, 13, 13);
    second->SetCaptionHeight(24);
    second->SetInactiveModulationColor(Math::Color(0.5f, 0.25f, 0.125f, 1.0f));
    first->SetShowOnlyControls(true);
    MoveTo(330, 130);
    Frames(3);
    ASSERT_EQ(hud->GetHoveredControl(), button);
    ASSERT_TRUE(radio->IsChecked());
    const f32 counter = GUI::HUD::GetDrawCounter();
    const GUI::NRectangle buttonRectangle = button->GetRectangle();
    const GUI::ButtonState buttonState = button->GetState();

    Core::MemoryFile saved;
    hud->Save(saved);
    hud->Clear();
    GUI::HUD::SetDrawCounter(0);
    MoveTo(5, 5);
    Core::MemoryFile loading(saved.GetData(), saved.GetSize());
    hud->Load(loading);
    ASSERT_FALSE(loading.Failed());
    EXPECT_EQ(loading.GetRemaining(), 0u);
    EXPECT_FALSE(hud->IsLoading());

    ASSERT_EQ(hud->GetFormCount(), 2u);
    GUI::Form* second2 = hud->GetForm(1);
    EXPECT_EQ(second2->GetName(), "second");
    EXPECT_EQ(hud->GetActiveForm(), second2);
    GUI::Button* button2 = dynamic_cast<GUI::Button*>(second2->FindControl("button"));
    ASSERT_NE(button2, nullptr);

    EXPECT_EQ(hud->GetHoveredControl(), button2);
    EXPECT_EQ(button2->GetParent(), second2);
    EXPECT_EQ(button2->GetRectangle(), buttonRectangle);
    EXPECT_EQ(button2->GetState(), buttonState);
    EXPECT_EQ(second2->GetCaptionHeight(), 24.0f);
    EXPECT_EQ(second2->GetInactiveModulationColor(), Math::Color(0.5f, 0.25f, 0.125f, 1.0f));
    EXPECT_TRUE(hud->GetForm(0)->GetShowOnlyControls());
    const auto* radio2 = dynamic_cast<const GUI::RadioButton*>(second2->FindControl("radio"));
    ASSERT_NE(radio2, nullptr);
    EXPECT_TRUE(radio2->IsChecked());
    EXPECT_EQ(second2->GetTabOrderCount(), 2u);
    EXPECT_EQ(hud->GetHitTestCount(), 6u);
    EXPECT_EQ(GUI::HUD::GetDrawCounter(), counter);
    EXPECT_EQ(mouse->GetPositionX(), 330);
    EXPECT_EQ(mouse->GetPositionY(), 130);

    // The loaded close button closes its form, once per click.
    ClickAt(second2->GetCloseButton()->GetRectangle().GetLeft() + 5, second2->GetCloseButton()->GetRectangle().GetBottom() + 5);
    EXPECT_TRUE(second2->IsDestroyed());
    Frame();
    EXPECT_EQ(hud->GetFormCount(), 1u);
}

TEST_F(FormTest, AControlTheSavedHudNamesOnlyThroughAPointerLivesUntilTheHudIsCleared)
{
    Core::RefPtr<GUI::Control> loose(static_cast<GUI::Control*>(GUI::Control::CreateInstance()));
    loose->SetName("loose");
    hud->SetFocusedControl(loose);
    Core::MemoryFile saved;
    hud->Save(saved);
    hud->Clear();
    loose = nullptr;

    Core::MemoryFile loading(saved.GetData(), saved.GetSize());
    hud->Load(loading);
    ASSERT_FALSE(loading.Failed());
    ASSERT_NE(hud->GetFocusedControl(), nullptr);
    EXPECT_EQ(hud->GetFocusedControl()->GetName(), "loose");
    EXPECT_GT(hud->GetHeldLoadedCount(), 0u);
    Frame();
    hud->Clear();
    EXPECT_EQ(hud->GetHeldLoadedCount(), 0u);
}

TEST_F(FormTest, ALoadRefusesAChildThatIsNotAControl)
{
    AddForm("form", 10, 10);
    Core::MemoryFile saved;
    hud->Save(saved);
    // Swap the first child's class name for another registered class of the same length.
    std::vector<u8> bytes(saved.GetData(), saved.GetData() + saved.GetSize());
    const std::string from = "GUI::Button";
    const std::string to = "GUI::Cursor";
    auto at = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
    ASSERT_NE(at, bytes.end());
    std::copy(to.begin(), to.end(), at);
    hud->Clear();
    Core::MemoryFile loading(bytes.data(), static_cast<u32>(bytes.size()));
    hud->Load(loading);
    EXPECT_TRUE(loading.Failed());
    EXPECT_FALSE(hud->IsLoading());
    EXPECT_EQ(hud->GetFormCount(), 0u) << "nothing half-read stays";
    Frames(2);
}

TEST_F(FormTest, ALoadRefusesControlsThatListThemselvesAmongTheirChildren)
{
    GUI::Form* form = AddForm("form", 10, 10);
    GUI::Control* shared = AddChild<GUI::Control>(*form, "shared", 10, 10, 20, 20);
    GUI::Control* holder = AddChild<GUI::Control>(*form, "holder", 40, 10, 20, 20);
    // Listed by the form and by the holder: the holder is written inside the shared control (its
    // parent), and lists the shared control by a reference back.
    holder->AddControl(shared);
    Core::MemoryFile saved;
    hud->Save(saved);
    std::vector<u8> bytes(saved.GetData(), saved.GetData() + saved.GetSize());
    hud->Clear();

    // Two trees share a control: that loads, and each child knows the parent that lists it.
    {
        Core::MemoryFile loading(bytes.data(), static_cast<u32>(bytes.size()));
        hud->Load(loading);
        ASSERT_FALSE(loading.Failed());
        const GUI::Control* loadedHolder = hud->GetForm(0)->FindControl("holder");
        ASSERT_NE(loadedHolder, nullptr);
        EXPECT_EQ(loadedHolder->GetChild(0)->GetParent(), loadedHolder);
        Frames(2);
        hud->Clear();
    }

    // The ids of the plain controls in the order they are written: shared, holder, then shared
    // again in the holder's children. Pointing that reference at the holder itself makes a loop.
    const std::string name = "GUI::Control";
    std::vector<std::size_t> idAt;
    for (auto at = bytes.begin(); (at = std::search(at, bytes.end(), name.begin(), name.end())) != bytes.end(); ++at)
        idAt.push_back(static_cast<std::size_t>(at - bytes.begin()) + name.size());
    ASSERT_GE(idAt.size(), 3u);
    ASSERT_EQ(std::memcmp(&bytes[idAt[0]], &bytes[idAt[2]], 4), 0);
    std::memcpy(&bytes[idAt[2]], &bytes[idAt[1]], 4);
    Core::MemoryFile looping(bytes.data(), static_cast<u32>(bytes.size()));
    hud->Load(looping);
    EXPECT_TRUE(looping.Failed());
    EXPECT_EQ(hud->GetFormCount(), 0u);
    Frames(2);
}

TEST_F(FormTest, ALoadWhoseControlsHoldOneAnotherInALoopIsRefusedAndFreesThem)
{
    GUI::Form* form = AddForm("form", 10, 10);
    GUI::Control* child = AddChild<GUI::Control>(*form, "child", 10, 10, 20, 20);
    // The child holds its own form as the control to bring to front: the form holds the child,
    // the child the form.
    child->BringToFront(form);
    Core::MemoryFile saved;
    hud->Save(saved);
    child->BringToFront(nullptr);
    hud->Clear();
    Frames(1);

    const auto controlsInUse = [] {
        Core::MemoryLock lock;
        const Core::PoolAllocator& pool = Core::PoolAllocator::Instance();
        return pool.GetChunkCount(sizeof(GUI::Control)) * Core::PoolAllocator::ElementsPerChunk -
               pool.GetFreeCount(sizeof(GUI::Control));
    };
    const u32 before = controlsInUse();
    Core::MemoryFile looping(saved.GetData(), saved.GetSize());
    hud->Load(looping);
    EXPECT_TRUE(looping.Failed());
    EXPECT_EQ(hud->GetFormCount(), 0u);
    EXPECT_EQ(controlsInUse(), before) << "the looping controls are freed with the refused state";
    Frames(2);
}
} // namespace
