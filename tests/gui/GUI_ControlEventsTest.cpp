// Headless frames of the HUD with scripted mouse and keyboard: which control the mouse reaches,
// the order of its events, clicks and double clicks by their timing, Tab and Enter, focus and
// activation, and the modal gate.
#include "GUI_HudFixture.h"

namespace
{
using GuiTest::Log;

class ControlEventsTest : public GuiTest::HudFixture
{
};

TEST_F(ControlEventsTest, TheDeepestEnabledVisibleControlUnderTheMouseIsHovered)
{
    GUI::Form* back = AddForm("back", 100, 100);
    GUI::Form* front = AddForm("front", 200, 150);
    GUI::Control* child = AddChild<GUI::Control>(*front, "child", 20, 20, 50, 50);
    // A child that lies outside its parent's client area is clipped away.
    GUI::Control* outside = AddChild<GUI::Control>(*front, "outside", 400, 0, 50, 50);
    Frame();

    MoveTo(150, 300);
    Frame();
    EXPECT_EQ(hud->GetHoveredControl(), back);
    MoveTo(250, 250);
    Frame();
    EXPECT_EQ(hud->GetHoveredControl(), front) << "the later form lies on top";
    MoveTo(235, 185);
    Frame();
    EXPECT_EQ(hud->GetHoveredControl(), child) << "a child lies above its parent";
    // Controls take the HUD's answer at their next update.
    Frame();
    EXPECT_TRUE(child->IsHovered());
    EXPECT_FALSE(front->IsHovered()) << "a form is not hovered while one of its children is";

    MoveTo(620, 170);
    Frame();
    EXPECT_EQ(hud->GetHoveredControl(), nullptr);
    EXPECT_EQ(outside->GetClippedRectangle(), GUI::NRectangle());

    MoveTo(235, 185);
    front->SetEnabled(false);
    Frame();
    EXPECT_EQ(hud->GetHoveredControl(), back) << "a disabled form and its children are never hovered";
    front->SetEnabled(true);
    front->SetVisible(false);
    Frame();
    EXPECT_EQ(hud->GetHoveredControl(), back) << "nor is a hidden one";
}

TEST_F(ControlEventsTest, EnterHoverMoveDownUpClickAndLeaveComeInOrder)
{
    GUI::Form* form = AddForm("form", 100, 100);
    GUI::Control* target = AddChild<GUI::Control>(*form, "c", 20, 20, 60, 40);
    listener.Watch(*target);
    Frame();

    MoveTo(140, 140);
    Frame();
    Frame();
    MoveTo(141, 140);
    Frame();
    Press();
    Release();
    MoveTo(400, 400);
    Frame();
    Frame();
    // The HUD hit-tests after the controls' updates, so each answer reaches them a frame later.
    EXPECT_EQ(log, (Log{"c.MouseEnter", "c.MouseHover", "c.MouseMove(3)", "c.MouseHover", "c.MouseDown(0)",
                        "c.MouseHover", "c.Click", "c.AfterClick", "c.MouseUp(0)", "c.MouseMove(3)", "c.MouseLeave"}));
}

TEST_F(ControlEventsTest, TwoReleasesMakeADoubleClickOnlyBetweenTheMinimumAndMaximumTime)
{
    GUI::Form* form = AddForm("form", 100, 100);
    GUI::Control* target = AddChild<GUI::Control>(*form, "c", 20, 20, 60, 40);
    listener.Watch(*target);
    MoveTo(140, 140);
    Frame();
    const auto clickAfter = [&](f32 seconds) {
        Press();
        input.buttons = 0;
        Frame(seconds);
    };

    clickAfter(FrameSeconds);
    clickAfter(0.3f);
    EXPECT_EQ(Entries("c.Click").size(), 1u);
    EXPECT_EQ(Entries("c.DoubleClick").size(), 1u);
    EXPECT_EQ(Entries("c.AfterDoubleClick").size(), 1u);
    EXPECT_EQ(Entries("c.MouseUp").size(), 2u);

    log.clear();
    Frames(40);
    clickAfter(FrameSeconds);
    clickAfter(0.02f);
    EXPECT_EQ(Entries("c.Click").size(), 2u) << "0.05 s apart is too quick for a double click";
    EXPECT_TRUE(Entries("c.DoubleClick").empty());

    log.clear();
    Frames(40);
    clickAfter(FrameSeconds);
    Frames(7, 0.1f);
    clickAfter(FrameSeconds);
    EXPECT_EQ(Entries("c.Click").size(), 2u) << "the pending click expires after 0.5 s";
    EXPECT_TRUE(Entries("c.DoubleClick").empty());
}

TEST_F(ControlEventsTest, ReleasingOutsideRaisesMouseUpButNoClickAndTheRightButtonClicksToo)
{
    GUI::Form* form = AddForm("form", 100, 100);
    GUI::Control* a = AddChild<GUI::Control>(*form, "a", 20, 20, 60, 40);
    GUI::Control* b = AddChild<GUI::Control>(*form, "b", 120, 20, 60, 40);
    listener.Watch(*a);
    listener.Watch(*b);
    MoveTo(140, 140);
    Frame();
    Press();
    MoveTo(240, 140);
    Frame();
    EXPECT_EQ(hud->GetPressedControl(), a) << "the pressed control stays while the button is held";
    Release();
    EXPECT_TRUE(Entries("a.MouseUp(0)").size() == 1u);
    EXPECT_TRUE(Entries("a.Click").empty());
    EXPECT_TRUE(Entries("b.MouseEnter").empty()) << "b is unreachable while a holds the press";
    Frame();
    EXPECT_EQ(Entries("b.MouseEnter").size(), 1u);

    log.clear();
    Press(Input::ButtonBit::Right);
    Release(Input::ButtonBit::Right);
    EXPECT_EQ(Actions(), (Log{"b.MouseDown(2)", "b.Click", "b.AfterClick", "b.MouseUp(2)"}));
}

TEST_F(ControlEventsTest, PressingWithNothingUnderTheMouseLatchesTheControlTheMouseThenReaches)
{
    GUI::Form* form = AddForm("form", 100, 100);
    MoveTo(20, 20);
    Press();
    EXPECT_EQ(hud->GetPressedControl(), nullptr);
    MoveTo(150, 150);
    Frame();
    EXPECT_EQ(hud->GetPressedControl(), form);
    Release();
    EXPECT_EQ(hud->GetPressedControl(), nullptr);
}

TEST_F(ControlEventsTest, TabWalksTheActiveFormsTabOrderSkippingHiddenAndDisabledChildren)
{
    GUI::Form* form = AddForm("form", 100, 100);
    GUI::Button* first = AddChild<GUI::Button>(*form, "first", 10, 10, 50, 20);
    GUI::Button* second = AddChild<GUI::Button>(*form, "second", 10, 40, 50, 20);
    GUI::Button* third = AddChild<GUI::Button>(*form, "third", 10, 70, 50, 20);
    GUI::Button* fourth = AddChild<GUI::Button>(*form, "fourth", 10, 100, 50, 20);
    Frame();
    EXPECT_TRUE(first->IsFocused()) << "the first update focuses the first child";
    EXPECT_EQ(hud->GetFocusedControl(), first);

    third->SetVisible(false);
    fourth->SetEnabled(false);
    Tap(Input::VirtualKey::Tab);
    EXPECT_TRUE(second->IsFocused());
    EXPECT_FALSE(first->IsFocused());
    Tap(Input::VirtualKey::Tab);
    EXPECT_TRUE(first->IsFocused()) << "wraps around past the hidden and the disabled child";

    GUI::Form* other = AddForm("other", 400, 100);
    Frame();
    EXPECT_EQ(hud->GetActiveForm(), other);
    EXPECT_FALSE(first->IsFocused()) << "the form that lost the activation unfocused its children";
    Tap(Input::VirtualKey::Tab);
    EXPECT_EQ(form->GetFocusedChildIndex(), -1) << "Tab on a form that is not active does nothing";
    EXPECT_FALSE(second->IsFocused());
}

TEST_F(ControlEventsTest, EnterClicksTheFocusedControlUnlessItRefusesEnter)
{
    GUI::Form* form = AddForm("form", 100, 100);
    GUI::Button* button = AddChild<GUI::Button>(*form, "button", 10, 10, 50, 20);
    listener.Watch(*button);
    Frame();
    ASSERT_TRUE(button->IsFocused());
    Tap(Input::VirtualKey::Return);
    EXPECT_EQ(Entries("button.Click").size(), 1u);
    button->SetAcceptsEnter(false);
    Tap(Input::VirtualKey::Return);
    EXPECT_EQ(Entries("button.Click").size(), 1u);
}

TEST_F(ControlEventsTest, APressActivatesItsFormBringsItToTheFrontAndMovesTheFocus)
{
    GUI::Form* a = AddForm("a", 100, 100);
    GUI::Button* inA = AddChild<GUI::Button>(*a, "inA", 10, 10, 50, 20);
    GUI::Button* inA2 = AddChild<GUI::Button>(*a, "inA2", 10, 40, 50, 20);
    GUI::Form* b = AddForm("b", 200, 150);
    Frame();
    ASSERT_EQ(hud->GetActiveForm(), b);
    EXPECT_EQ(hud->GetForm(1), b);

    ClickAt(125, 155);
    EXPECT_EQ(hud->GetActiveForm(), a);
    EXPECT_EQ(hud->GetForm(1), a) << "the activated form is drawn last";
    EXPECT_TRUE(inA2->IsFocused());
    EXPECT_FALSE(inA->IsFocused());
    EXPECT_EQ(hud->GetLastPressedControl(), inA2);
    EXPECT_EQ(a->GetLastPressedChild(), inA2);
}

TEST_F(ControlEventsTest, AModalFormBlocksPressesElsewhereAndFlashesButNotItsDirectChildren)
{
    GUI::Form* other = AddForm("other", 10, 10);
    GUI::Button* blocked = AddChild<GUI::Button>(*other, "blocked", 10, 10, 60, 30);
    GUI::Form* modal = AddForm("modal", 350, 150);
    GUI::Button* direct = AddChild<GUI::Button>(*modal, "direct", 10, 10, 60, 30);
    GUI::Control* panel = AddChild<GUI::Control>(*modal, "panel", 100, 10, 100, 100);
    GUI::Button* nested = AddChild<GUI::Button>(*panel, "nested", 10, 10, 60, 30);
    for (GUI::Control* control : {static_cast<GUI::Control*>(blocked), static_cast<GUI::Control*>(direct),
                                  static_cast<GUI::Control*>(nested)})
        listener.Watch(*control);
    modal->SetModal(true);
    Frame();

    ClickAt(40, 40);
    EXPECT_TRUE(Actions().empty());
    EXPECT_TRUE(modal->IsFlashing());
    EXPECT_EQ(hud->GetActiveForm(), modal);

    ClickAt(390, 185);
    EXPECT_EQ(Entries("direct.Click").size(), 1u);
    ClickAt(490, 185);
    EXPECT_TRUE(Entries("nested.").empty()) << "the gate compares with the direct parent only";

    modal->SetModal(false);
    EXPECT_EQ(hud->GetActiveForm(), nullptr);
    ClickAt(40, 40);
    EXPECT_EQ(Entries("blocked.Click").size(), 1u);
}

TEST_F(ControlEventsTest, MakingAnotherFormModalReleasesThePreviousOne)
{
    GUI::Form* a = AddForm("a", 10, 10);
    GUI::Form* b = AddForm("b", 300, 10);
    b->SetModal(true);
    a->SetModal(true);
    EXPECT_FALSE(b->GetModal());
    EXPECT_EQ(hud->GetModalForm(), a);
    EXPECT_EQ(hud->GetActiveForm(), a);
    Frame();
    EXPECT_EQ(hud->GetForm(1), a);
}
} // namespace
