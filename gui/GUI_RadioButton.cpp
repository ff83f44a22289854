#include "gui/GUI_RadioButton.h"

#include "gui/GUI_HUD.h"
#include "gui/GUI_Paths.h"

namespace GUI
{
namespace
{
const Core::ClassRegistrar radioButtonRegistrar("GUI::RadioButton", &RadioButton::CreateInstance);
} // namespace

RadioButton::RadioButton() : Control(Math::Point2D(), Size{64.0f, 64.0f})
{
    if (HUD::IsInstanceLoading())
        return;
    StoreSize(13.0f, 13.0f);
    image = new (__FILE__, __LINE__) GuiImage(GetSkinPath("DefaultRadioButtonSkin"), Size{13.0f, 13.0f});
    image->SetPosition(Math::Point2D());
    image->SetState(IsFocused() ? FocusedRecord : NormalRecord);
}

RadioButton::~RadioButton() = default;

Core::Object* RadioButton::CreateInstance()
{
    return new (__FILE__, __LINE__) RadioButton();
}

const char* RadioButton::GetClassName() const
{
    return "GUI::RadioButton";
}

void RadioButton::ShowLook(u32 look)
{
    if (image)
        image->SetState(look + (checked ? CheckedOffset : 0));
}

void RadioButton::SetPosition(const Math::Point2D& point)
{
    Control::SetPosition(point);
    if (image)
        image->SetPosition(GetAbsolutePosition());
}

void RadioButton::UpdatePosition()
{
    if (image)
        image->SetPosition(GetAbsolutePosition());
    for (u32 i = 0; i < GetChildCount(); ++i)
        GetChild(i)->UpdatePosition();
}

void RadioButton::SetVisible(bool value)
{
    Control::SetVisible(value);
    if (image)
        image->SetVisible(value);
}

void RadioButton::SetModulationColor(const Math::Color& value)
{
    Control::SetModulationColor(value);
    if (image)
        image->SetColor(value);
}

void RadioButton::OnClick()
{
    if (!IsEnabledInTree())
        return;
    SetChecked(true);
    Control::OnClick();
}

void RadioButton::OnExtra()
{
    if (IsEnabledInTree())
        Control::OnExtra();
}

void RadioButton::OnAfterClick()
{
    if (IsEnabledInTree())
        Control::OnAfterClick();
}

void RadioButton::OnAfterDoubleClick()
{
    if (IsEnabledInTree())
        Control::OnAfterDoubleClick();
}

void RadioButton::OnMouseHover()
{
    if (IsEnabledInTree())
        Control::OnMouseHover();
}

void RadioButton::OnMouseMove(const MouseEventRecord& record)
{
    if (IsEnabledInTree())
        Control::OnMouseMove(record);
}

void RadioButton::OnMouseEnter()
{
    if (!IsEnabledInTree())
        return;
    ShowLook(HoverRecord);
    Control::OnMouseEnter();
}

void RadioButton::OnMouseLeave()
{
    if (!IsEnabledInTree())
        return;
    ShowLook(IsFocused() ? FocusedRecord : NormalRecord);
    Control::OnMouseLeave();
}

void RadioButton::OnMouseUp(const MouseEventRecord& record)
{
    if (!IsEnabledInTree())
        return;
    ShowLook(HoverRecord);
    Control::OnMouseUp(record);
}

void RadioButton::OnMouseDown(const MouseEventRecord& record)
{
    if (!IsEnabledInTree())
        return;
    ShowLook(PressedRecord);
    Control::OnMouseDown(record);
}

void RadioButton::OnSizeChanged()
{
    if (image)
    {
        image->SetWidth(GetWidth());
        image->SetHeight(GetHeight());
    }
    Control::OnSizeChanged();
}

void RadioButton::OnSkinChanged()
{
    if (image)
        image = image->CloneImage(GetSkinPath(GetSkin()));
}

void RadioButton::OnEnabledChanged()
{
    ShowLook(IsEnabledInTree() ? NormalRecord : DisabledRecord);
}

void RadioButton::OnOpacityChanged()
{
    if (image)
        image->SetOpacity(GetEffectiveOpacity());
}

void RadioButton::Focus()
{
    if (!IsEnabledInTree())
        return;
    Control::Focus();
    ShowLook(FocusedRecord);
}

void RadioButton::Unfocus()
{
    if (!IsEnabledInTree())
        return;
    Control::Unfocus();
    ShowLook(NormalRecord);
}

void RadioButton::OnCheckedChanged()
{
    checkedChanged.Raise(this);
}

void RadioButton::SetChecked(bool value)
{
    if (!checked && value)
    {
        checked = 1;
        OnCheckedChanged();
        if (Control* group = GetParent())
        {
            const Core::RefPtr<Control> keep(group);
            for (u32 i = 0; i < group->GetChildCount(); ++i)
            {
                RadioButton* sibling = dynamic_cast<RadioButton*>(group->GetChild(i));
                if (sibling && sibling != this && sibling->IsChecked())
                    sibling->SetChecked(false);
            }
        }
    }
    else
    {
        checked = value ? 1 : 0;
    }
    if (IsFocused())
        ShowLook(FocusedRecord);
    else
        ShowLook(IsEnabledInTree() ? NormalRecord : DisabledRecord);
}

void RadioButton::PostUpdate(f32)
{
    if (!IsVisibleInTree() || !image)
        return;
    image->SetDepth(GetDepth());
    image->Draw(GetDrawClipRectangle());
}

void RadioButton::Save(Core::File& file)
{
    SaveControl(file);
    file.WriteObject(image.Get());
    Core::WriteU8(file, checked);
}

void RadioButton::Load(Core::File& file)
{
    LoadControl(file);
    ReadObjectReference(file, image);
    Core::ReadU8(file, checked);
}
} // namespace GUI
