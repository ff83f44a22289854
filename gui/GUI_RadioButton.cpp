#include "gui/GUI_RadioButton.h"

#include "gui/GUI_HUD.h"
#include "gui/GUI_Paths.h"

namespace GUI
{
namespace
{
const Core::ClassRegistrar radioButtonRegistrar("GUI::RadioButton", &RadioButton::CreateInstance);
} // namespace

RadioButton::RadioButton()
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

void RadioButton::ShowLook(ButtonState look)
{
    const u32 records[] = {NormalRecord, PressedRecord, HoverRecord, DisabledRecord, FocusedRecord};
    if (image)
        image->SetState(records[static_cast<u32>(look)] + (checked ? CheckedOffset : 0));
}

void RadioButton::OnClick()
{
    if (!IsEnabledInTree())
        return;
    SetChecked(true);
    Control::OnClick();
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
        ShowLook(ButtonState::Focused);
    else
        ShowLook(IsEnabledInTree() ? ButtonState::Normal : ButtonState::Disabled);
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
