// The control's per-frame update: the mouse and keyboard of the frame become its events, the
// focus moves with Tab and presses, and Enter clicks the focused control. The HUD has decided
// beforehand which control is hovered, which one holds the press and which form is modal.
#include "platform/Input_KeyCodes.h"
#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"
#include "gui/GUI_Control.h"
#include "gui/GUI_CursorManager.h"
#include "gui/GUI_Graphics.h"
#include "gui/GUI_HUD.h"
#include "gui/GUI_Mouse.h"
#include "gui/GUI_RadioButton.h"

namespace GUI
{
namespace
{
bool MouseButton(bool (Input::Mouse::*query)(u32) const, u32 button)
{
    const Input::Mouse* mouse = Input::GetMouse();
    return mouse && (mouse->*query)(button);
}

bool AnyButton(bool (Input::Mouse::*query)(u32) const)
{
    return MouseButton(query, 0) || MouseButton(query, 1) || MouseButton(query, 2);
}

// The first of left, middle, right for which the query holds; right when none does.
i32 FirstButton(bool (Input::Mouse::*query)(u32) const)
{
    if (MouseButton(query, 0))
        return 0;
    return MouseButton(query, 1) ? 1 : 2;
}

bool KeyTriggered(u32 key)
{
    const Input::Keyboard* keyboard = Input::GetKeyboard();
    return keyboard && keyboard->IsTriggered(key);
}

MouseEventRecord MakeRecord(i32 button, const Math::Point2D& at)
{
    MouseEventRecord record;
    record.button = button;
    record.x = at.x;
    record.y = at.y;
    return record;
}
} // namespace

Math::Point2D Control::GetMousePosition()
{
    return GUI::GetMousePosition();
}

void Control::SetMousePosition(const Math::Point2D& point)
{
    if (Input::Mouse* mouse = Input::GetMouse())
        mouse->SetPosition(static_cast<i32>(point.x), static_cast<i32>(point.y));
}

bool Control::IsInputAllowed() const
{
    const HUD* hud = HUD::GetInstance();
    const Control* modal = hud ? hud->GetModalForm() : nullptr;
    return !modal || modal == this || modal == parent;
}

void Control::Update(f32 dt)
{
    HUD* hud = HUD::GetInstance();
    if (!hud)
        return;
    const Core::RefPtr<Control> keep(this);
    ApplyDeferredChanges();
    HUD::AdvanceDrawCounter();
    UpdateDepth();
    if (tabOrderDirty)
    {
        FocusFirst();
        EnsureRadioChecked();
        tabOrderDirty = 0;
    }

    Control* hoveredControl = hud->GetHoveredControl();
    bool childHovered = false;
    for (const Core::RefPtr<Control>& child : children)
        childHovered = childHovered || child.Get() == hoveredControl;
    hovered = hoveredControl == this && !childHovered ? 1 : 0;
    mousePosition = GetMousePosition();

    if (!parent && hud->GetActiveForm() == this && KeyTriggered(Input::EngineKey::Tab))
        FocusNextAndApply();
    if (IsInputAllowed() && focused && acceptsEnter && KeyTriggered(Input::EngineKey::Return))
        OnClick();

    HandleMouse(dt);
    previousMousePosition = mousePosition;

    PreUpdate(dt);
    // A child's handler may change the children (they are deferred, but a copy keeps this safe).
    const Core::Vector<Core::RefPtr<Control>> updated = children;
    for (const Core::RefPtr<Control>& child : updated)
        child->Update(dt);
    PostUpdate(dt);
}

void Control::HandleMouse(f32 dt)
{
    HUD* hud = HUD::GetInstance();
    const bool isHovered = hud->GetHoveredControl() == this;
    const bool isPressed = hud->GetPressedControl() == this;
    const bool free = hud->GetPressedControl() == nullptr;
    const bool reachable = isPressed || free;
    const bool allowed = IsInputAllowed();

    if (isHovered && reachable && allowed && IsEnabledInTree() && hovered)
    {
        if (CursorManager* manager = CursorManager::GetInstance())
            manager->SetCursor(cursor);
    }
    if (isHovered && reachable && allowed && hovered && !mouseInside)
    {
        mouseInside = 1;
        OnMouseEnter();
    }
    if (reachable && allowed && !hovered && mouseInside)
    {
        mouseInside = 0;
        OnMouseLeave();
    }
    if (isHovered && reachable)
    {
        const bool still = mousePosition == previousMousePosition;
        if (allowed && hovered && still)
            OnMouseHover();
        if (allowed && hovered && !still)
        {
            i32 button = 3;
            if (MouseButton(&Input::Mouse::IsPressed, 0))
                button = 0;
            else if (MouseButton(&Input::Mouse::IsDown, 2))
                button = 2;
            else if (MouseButton(&Input::Mouse::IsDown, 1))
                button = 1;
            OnMouseMove(MakeRecord(button, mousePosition));
        }
        if (hovered && AnyButton(&Input::Mouse::IsDown))
        {
            if (!allowed)
            {
                hud->FlashModalForm();
            }
            else
            {
                pressed = 1;
                OnMouseDown(MakeRecord(FirstButton(&Input::Mouse::IsDown), mousePosition));
            }
        }
    }

    if (clickTimer > doubleClickMaximum)
    {
        clickPending = 0;
        clickTimer = 0.0f;
    }
    else if (clickPending)
    {
        clickTimer += dt;
    }

    if (isPressed && allowed && pressed && AnyButton(&Input::Mouse::IsUp))
    {
        pressed = 0;
        if (mouseInside)
        {
            if (!clickPending || clickTimer < doubleClickMinimum || clickTimer > doubleClickMaximum)
            {
                clickPending = 1;
                OnClick();
                OnAfterClick();
            }
            else
            {
                clickPending = 0;
                OnDoubleClick();
                OnAfterDoubleClick();
            }
            clickTimer = 0.0f;
        }
        OnMouseUp(MakeRecord(FirstButton(&Input::Mouse::IsUp), mousePosition));
    }
}

void Control::RequestFocus()
{
    if (!focusThroughParent)
    {
        if (!parent)
        {
            HUD* hud = HUD::GetInstance();
            if (Control* focusedControl = hud ? hud->GetFocusedControl() : nullptr)
                focusedControl->OnOutsidePress();
        }
        else if (parent->FocusChild(tabIndex))
        {
            parent->ApplyFocus();
        }
        return;
    }
    if (parent && parent->parent && parent->parent->FocusChild(parent->tabIndex))
        parent->parent->ApplyFocus();
}

void Control::OnMouseDown(const MouseEventRecord& record)
{
    RequestFocus();
    Control* target = focusThroughParent ? parent : this;
    if (target)
    {
        target->Activate();
        if (!target->parent)
            target->SelectLastPressedChild();
        else
            target->MarkPressed();
    }
    Raise(MouseEvent::MouseDown, record);
}

void Control::Activate()
{
    HUD* hud = HUD::GetInstance();
    if (!hud)
        return;
    Control* root = this;
    while (root->parent)
        root = root->parent;
    if (hud->GetActiveForm() == root)
        return;
    if (hud->GetTopmostForm())
        hud->SetBringToFront(root);
    if (Control* previous = hud->GetActiveForm())
        previous->Unfocus();
    hud->SetActiveForm(root);
    root->Focus();
}

void Control::MarkPressed()
{
    if (!IsEnabledInTree() || !IsVisibleInTree())
        return;
    if (HUD* hud = HUD::GetInstance())
        hud->SetLastPressedControl(this);
    if (parent)
        parent->lastPressedChild = this;
}

void Control::SelectLastPressedChild()
{
    Control* child = lastPressedChild;
    if (!child)
        return;
    bool present = false;
    for (const Core::RefPtr<Control>& entry : children)
        present = present || entry.Get() == child;
    if (!present)
    {
        lastPressedChild = nullptr;
        return;
    }
    HUD* hud = HUD::GetInstance();
    if (hud && child->IsEnabledInTree() && child->IsVisibleInTree())
        hud->SetLastPressedControl(child);
}

bool Control::ContainsMouse() const
{
    if (!IsVisibleInTree())
        return false;
    const Math::Point2D at = GetAbsolutePosition();
    const Math::Point2D mouse = GetMousePosition();
    const NRectangle own(at.x, at.y, width, height);
    if (!parent || clipMode == ClipNone)
        return own.IsInside(mouse.x, mouse.y);
    const NRectangle& limit =
        clipMode == ClipToParentClient ? parent->clippedClientRectangle : parent->clippedRectangle;
    NRectangle cut;
    return NRectangle::Intersect(cut, own, limit) && cut.IsInside(mouse.x, mouse.y);
}

void Control::ResetDepth()
{
    depth = 0.0f;
    for (const Core::RefPtr<Control>& child : children)
        child->ResetDepth();
}

void Control::EnsureRadioChecked()
{
    RadioButton* first = nullptr;
    for (const Core::RefPtr<Control>& child : children)
    {
        RadioButton* radio = dynamic_cast<RadioButton*>(child.Get());
        if (!radio)
            continue;
        if (radio->IsChecked())
            return;
        if (!first && radio->IsEnabledInTree())
            first = radio;
    }
    if (first)
        first->SetChecked(true);
}

NRectangle Control::GetDrawClipRectangle() const
{
    if (!parent)
        return NRectangle(0.0f, 0.0f, static_cast<f32>(Graphics::GetScreenWidth()),
                          static_cast<f32>(Graphics::GetScreenHeight()));
    return clipMode == ClipToParentClient ? parent->clippedClientRectangle : parent->clippedRectangle;
}

void Control::OnClick()
{
    Raise(ControlEvent::Click);
}

void Control::OnDoubleClick()
{
    Raise(ControlEvent::DoubleClick);
}

void Control::OnExtra()
{
    Raise(ControlEvent::Extra);
}

void Control::OnAfterClick()
{
    Raise(ControlEvent::AfterClick);
}

void Control::OnAfterDoubleClick()
{
    Raise(ControlEvent::AfterDoubleClick);
}

void Control::OnMouseEnter()
{
    Raise(ControlEvent::MouseEnter);
}

void Control::OnMouseHover()
{
    Raise(ControlEvent::MouseHover);
}

void Control::OnMouseLeave()
{
    Raise(ControlEvent::MouseLeave);
}

void Control::OnMouseMove(const MouseEventRecord& record)
{
    Raise(MouseEvent::MouseMove, record);
}

void Control::OnMouseUp(const MouseEventRecord& record)
{
    Raise(MouseEvent::MouseUp, record);
}

void Control::OnExtraMouse(const MouseEventRecord& record)
{
    Raise(MouseEvent::ExtraMouse, record);
}

void Control::OnSizeChanged()
{
    Raise(ControlEvent::SizeChanged);
}
} // namespace GUI
