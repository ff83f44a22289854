// The control tree without input: geometry and clipping, opacity, the tab order and its focus
// moves, range-checked look-ups, and destruction deferred to the end of the HUD's update.
#include "GUI_HudFixture.h"

namespace
{
class ControlTreeTest : public GuiTest::HudFixture
{
protected:
    Core::RefPtr<GUI::Control> MakeControl(f32 x, f32 y, f32 w, f32 h)
    {
        return Core::RefPtr<GUI::Control>(new GUI::Control(Math::Point2D(x, y), GUI::Size{w, h}));
    }
};

TEST_F(ControlTreeTest, ChildrenArePlacedFromTheParentsClientOriginAndClippedByTheirMode)
{
    Core::RefPtr<GUI::Control> parent = MakeControl(100, 200, 100, 50);
    Core::RefPtr<GUI::Control> child = MakeControl(10, 20, 200, 10);
    parent->AddControl(child);
    EXPECT_EQ(child->GetRectangle(), GUI::NRectangle(110, 220, 200, 10));
    EXPECT_EQ(child->GetClippedRectangle(), GUI::NRectangle(110, 220, 90, 10));
    child->SetClipMode(GUI::Control::ClipNone);
    parent->UpdateRectangles();
    EXPECT_EQ(child->GetClippedRectangle(), GUI::NRectangle(110, 220, 200, 10));

    // Moving the parent moves the child once: its relative position is untouched.
    parent->SetPosition(50, 60);
    EXPECT_EQ(child->GetPosition(), Math::Point2D(10, 20));
    EXPECT_EQ(child->GetRectangle(), GUI::NRectangle(60, 80, 200, 10));
    child->UpdatePosition();
    child->UpdatePosition();
    EXPECT_EQ(child->GetPosition(), Math::Point2D(10, 20));
    EXPECT_EQ(child->GetRectangle(), GUI::NRectangle(60, 80, 200, 10));
}

TEST_F(ControlTreeTest, OpacityIsClampedAndMultipliesOnlyUnderATranslucentParent)
{
    Core::RefPtr<GUI::Control> parent = MakeControl(0, 0, 10, 10);
    Core::RefPtr<GUI::Control> child = MakeControl(0, 0, 10, 10);
    parent->AddControl(child);
    child->SetOpacity(-0.5f);
    EXPECT_EQ(child->GetOpacity(), 0.0f);
    child->SetOpacity(3.0f);
    EXPECT_EQ(child->GetOpacity(), 1.0f);
    child->SetOpacity(0.5f);
    EXPECT_EQ(child->GetEffectiveOpacity(), 0.5f);
    parent->SetOpacity(0.5f);
    EXPECT_EQ(child->GetEffectiveOpacity(), 0.25f);
}

TEST_F(ControlTreeTest, EveryAdditionSortsAndRenumbersTheTabOrder)
{
    Core::RefPtr<GUI::Control> parent = MakeControl(0, 0, 100, 100);
    Core::RefPtr<GUI::Control> c[4];
    const i32 indices[3] = {5, 2, 9};
    for (int i = 0; i < 3; ++i)
    {
        c[i] = MakeControl(0, 0, 10, 10);
        c[i]->SetTabIndex(indices[i]);
        parent->AddControl(c[i]);
    }
    for (u32 i = 0; i < 3; ++i)
        EXPECT_EQ(parent->GetTabOrderEntry(i), c[i].Get());
    EXPECT_EQ(c[2]->GetTabIndex(), 2);

    c[0]->SetTabIndex(2);
    c[1]->SetTabIndex(0);
    c[2]->SetTabIndex(1);
    EXPECT_EQ(parent->GetTabOrderEntry(0), c[0].Get()) << "a tab index alone sorts nothing";
    c[3] = MakeControl(0, 0, 10, 10);
    c[3]->SetTabIndex(7);
    parent->AddControl(c[3]);
    const GUI::Control* expected[4] = {c[1].Get(), c[2].Get(), c[0].Get(), c[3].Get()};
    for (u32 i = 0; i < 4; ++i)
    {
        EXPECT_EQ(parent->GetTabOrderEntry(i), expected[i]) << i;
        EXPECT_EQ(parent->GetTabOrderEntry(i)->GetTabIndex(), static_cast<i32>(i));
    }
    c[0]->SetTabStop(false);
    EXPECT_EQ(parent->GetTabOrderCount(), 3u);
}

TEST_F(ControlTreeTest, FocusMovesAreRangeCheckedAndSkipUnusableEntries)
{
    Core::RefPtr<GUI::Control> parent = MakeControl(0, 0, 100, 100);
    Core::RefPtr<GUI::Control> only = MakeControl(0, 0, 10, 10);
    parent->AddControl(only);
    only->SetVisible(false);
    EXPECT_FALSE(parent->FocusNext());
    EXPECT_EQ(parent->GetFocusedChildIndex(), -1);

    only->SetVisible(true);
    Core::RefPtr<GUI::Control> second = MakeControl(0, 0, 10, 10);
    parent->AddControl(second);
    EXPECT_TRUE(parent->FocusNext());
    EXPECT_EQ(parent->GetFocusedChildIndex(), 0);
    EXPECT_TRUE(parent->FocusNext());
    EXPECT_EQ(parent->GetFocusedChildIndex(), 1);
    EXPECT_TRUE(parent->FocusNext());
    EXPECT_EQ(parent->GetFocusedChildIndex(), 0);
    EXPECT_FALSE(parent->FocusChild(0)) << "the current index";
    EXPECT_FALSE(parent->FocusChild(2));
    EXPECT_FALSE(parent->FocusChild(-3));
    EXPECT_EQ(parent->GetChild(2), nullptr);
    EXPECT_EQ(parent->GetTabOrderEntry(7), nullptr);

    // The tab order shrinks under a focus index that pointed at its end.
    EXPECT_TRUE(parent->FocusChild(1));
    second->SetTabStop(false);
    parent->ApplyFocus();
    EXPECT_FALSE(second->IsFocused());
    EXPECT_TRUE(parent->FocusNext());
    EXPECT_EQ(parent->GetFocusedChildIndex(), 0);
}

TEST_F(ControlTreeTest, HidingOrDisablingTheFocusedChildPassesTheFocusOn)
{
    GUI::Form* form = AddForm("form", 10, 10);
    GUI::Button* a = AddChild<GUI::Button>(*form, "a", 10, 10, 50, 20);
    GUI::Button* b = AddChild<GUI::Button>(*form, "b", 10, 40, 50, 20);
    Frame();
    ASSERT_TRUE(a->IsFocused());
    a->SetEnabled(false);
    EXPECT_TRUE(b->IsFocused());
    EXPECT_EQ(hud->GetFocusedControl(), b);
    b->SetVisible(false);
    EXPECT_EQ(form->GetFocusedChildIndex(), 1) << "no other child can take it";
}

TEST_F(ControlTreeTest, AParentAndItsChildDestroyedInOneFrameLeaveSafely)
{
    GUI::Form* form = AddForm("form", 10, 10);
    GUI::Control* panel = AddChild<GUI::Control>(*form, "panel", 10, 10, 100, 100);
    GUI::Control* inner = AddChild<GUI::Control>(*panel, "inner", 10, 10, 20, 20);
    Frame();
    const u32 listed = hud->GetHitTestCount();
    // The child is queued after its parent: the parent's destruction must not free it under the
    // queue.
    panel->Destroy();
    inner->Destroy();
    Frame();
    EXPECT_EQ(hud->GetDestroyQueueCount(), 0u);
    EXPECT_EQ(hud->GetHitTestCount(), listed - 2);
    EXPECT_EQ(form->GetChildCount(), 2u) << "the panel leaves at the form's next update";
    Frame();
    EXPECT_EQ(form->GetChildCount(), 1u);
    EXPECT_EQ(form->FindControl("panel"), nullptr);
}

TEST_F(ControlTreeTest, ADestroyedFormLeavesTheHudPointersAtOnceAndTheFormsAtTheNextUpdate)
{
    GUI::Form* keep = AddForm("keep", 300, 10);
    GUI::Form* gone = AddForm("gone", 10, 10);
    Core::RefPtr<GUI::Form> watch(gone);
    Frame();
    ASSERT_EQ(hud->GetActiveForm(), gone);
    MoveTo(50, 50);
    Frame();
    gone->Close();
    Frame();
    EXPECT_EQ(hud->GetActiveForm(), nullptr);
    EXPECT_EQ(hud->GetHoveredControl(), nullptr);
    EXPECT_EQ(hud->GetFormCount(), 2u);
    EXPECT_EQ(hud->GetRemovalQueueCount(), 1u);
    Frame();
    EXPECT_EQ(hud->GetFormCount(), 1u);
    EXPECT_EQ(hud->FindForm("keep"), keep);
    EXPECT_TRUE(watch->IsDestroyed());
    EXPECT_EQ(watch->GetChildCount(), 0u);
}

TEST_F(ControlTreeTest, AFormFreedBeforeItJoinedTheHudTakesItsCloseButtonOffTheHitTestList)
{
    const u32 listed = hud->GetHitTestCount();
    {
        Core::RefPtr<GUI::Form> unused(new GUI::Form());
        EXPECT_EQ(hud->GetHitTestCount(), listed + 1) << "the close button joined when the form adopted it";
    }
    EXPECT_EQ(hud->GetHitTestCount(), listed);
    MoveTo(240, 240);
    Frames(2);
}

TEST_F(ControlTreeTest, AControlMayDestroyItselfFromItsOwnClickHandler)
{
    GUI::Form* form = AddForm("form", 10, 10);
    GUI::Button* button = AddChild<GUI::Button>(*form, "button", 10, 10, 60, 30);
    struct SelfDestroy
    {
        void OnClick(GUI::Control* sender) { sender->Destroy(); }
    } handler;
    GUI::Control::AddHandler(button->GetEventList(GUI::ControlEvent::Click), &handler, &SelfDestroy::OnClick);
    Frame();
    ClickAt(40, 40);
    Frame();
    EXPECT_EQ(form->FindControl("button"), nullptr);
}

TEST_F(ControlTreeTest, ClearDropsQueuedDestructionsAndHidesTheSystemCursorUntilTheMouseLeaves)
{
    GUI::Form* form = AddForm("form", 10, 10);
    Core::RefPtr<GUI::Form> watch(form);
    form->Destroy();
    hud->Clear();
    EXPECT_FALSE(watch->IsDestroyed());
    EXPECT_EQ(hud->GetFormCount(), 0u);
    EXPECT_FALSE(input.cursorShown);

    input.cursorX = 2000;
    Frame();
    EXPECT_TRUE(input.cursorShown);
    input.cursorX = 20;
    Frame();
    EXPECT_FALSE(input.cursorShown);
}

TEST_F(ControlTreeTest, WithoutAHoveredControlTheDefaultCursorShowsUnlessTheHudHidesIt)
{
    AddForm("form", 10, 10);
    MoveTo(500, 400);
    Frame();
    EXPECT_EQ(GUI::CursorManager::GetInstance()->GetCursor(), hud->GetDefaultCursor());
    hud->ShowCursor(false);
    Frame();
    EXPECT_EQ(GUI::CursorManager::GetInstance()->GetCursor(), nullptr);
    MoveTo(50, 50);
    Frames(2);
    EXPECT_EQ(GUI::CursorManager::GetInstance()->GetCursor(), hud->GetForm(0)->GetCursor())
        << "a hovered control still shows its own";
}
} // namespace
