#include "gui/GUI_SkinnedButton.h"

#include "gui/GUI_Paths.h"

namespace GUI
{
SkinnedButton::SkinnedButton() : Control(Math::Point2D(), Size{64.0f, 64.0f})
{
}

SkinnedButton::~SkinnedButton() = default;

void SkinnedButton::SetPosition(const Math::Point2D& point)
{
    Control::SetPosition(point);
    if (image)
        image->SetPosition(GetAbsolutePosition());
}

void SkinnedButton::UpdatePosition()
{
    if (image)
        image->SetPosition(GetAbsolutePosition());
    for (u32 i = 0; i < GetChildCount(); ++i)
        GetChild(i)->UpdatePosition();
}

void SkinnedButton::SetVisible(bool value)
{
    Control::SetVisible(value);
    if (image)
        image->SetVisible(value);
}

void SkinnedButton::SetModulationColor(const Math::Color& value)
{
    Control::SetModulationColor(value);
    if (image)
        image->SetColor(value);
}

void SkinnedButton::OnClick()
{
    if (IsEnabledInTree())
        Control::OnClick();
}

void SkinnedButton::OnExtra()
{
    if (IsEnabledInTree())
        Control::OnExtra();
}

void SkinnedButton::OnAfterClick()
{
    if (IsEnabledInTree())
        Control::OnAfterClick();
}

void SkinnedButton::OnAfterDoubleClick()
{
    if (IsEnabledInTree())
        Control::OnAfterDoubleClick();
}

void SkinnedButton::OnMouseHover()
{
    if (IsEnabledInTree())
        Control::OnMouseHover();
}

void SkinnedButton::OnMouseMove(const MouseEventRecord& record)
{
    if (IsEnabledInTree())
        Control::OnMouseMove(record);
}

void SkinnedButton::OnMouseEnter()
{
    if (!IsEnabledInTree())
        return;
    ShowLook(ButtonState::Hover);
    Control::OnMouseEnter();
}

void SkinnedButton::OnMouseLeave()
{
    if (!IsEnabledInTree())
        return;
    ShowLook(IsFocused() ? ButtonState::Focused : ButtonState::Normal);
    Control::OnMouseLeave();
}

void SkinnedButton::OnMouseUp(const MouseEventRecord& record)
{
    if (!IsEnabledInTree())
        return;
    ShowLook(ButtonState::Hover);
    Control::OnMouseUp(record);
}

void SkinnedButton::OnMouseDown(const MouseEventRecord& record)
{
    if (!IsEnabledInTree())
        return;
    ShowLook(ButtonState::Pressed);
    Control::OnMouseDown(record);
}

void SkinnedButton::OnSizeChanged()
{
    if (image)
    {
        image->SetWidth(GetWidth());
        image->SetHeight(GetHeight());
    }
    Control::OnSizeChanged();
}

void SkinnedButton::OnSkinChanged()
{
    if (image)
        image = image->CloneImage(GetSkinPath(GetSkin()));
}

void SkinnedButton::OnEnabledChanged()
{
    ShowLook(IsEnabledInTree() ? ButtonState::Normal : ButtonState::Disabled);
}

void SkinnedButton::OnOpacityChanged()
{
    if (image)
        image->SetOpacity(GetEffectiveOpacity());
}

void SkinnedButton::Focus()
{
    if (!IsEnabledInTree())
        return;
    Control::Focus();
    ShowLook(ButtonState::Focused);
}

void SkinnedButton::Unfocus()
{
    if (!IsEnabledInTree())
        return;
    Control::Unfocus();
    ShowLook(ButtonState::Normal);
}
} // namespace GUI
