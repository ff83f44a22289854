#pragma once
// What the push button and the radio button share: a nine-part skin image that follows the
// control's position, visibility, colour, size, skin and opacity; the mouse events, which pass only
// while the control is enabled in the tree; and the look (normal, pressed, hover, disabled,
// focused) that the mouse, the focus and the enabled state give, which each button shows its way.
#include "gui/GUI_Control.h"
#include "gui/GUI_GuiImage.h"

namespace GUI
{
enum class ButtonState : u32
{
    Normal = 0,
    Pressed = 1,
    Hover = 2,
    Disabled = 3,
    Focused = 4,
};

class SkinnedButton : public Control
{
public:
    void SetPosition(const Math::Point2D& point) override;
    using Control::SetPosition;
    void SetVisible(bool value) override;
    void SetModulationColor(const Math::Color& value) override;

    void OnClick() override;
    void OnExtra() override;
    void OnAfterClick() override;
    void OnAfterDoubleClick() override;
    void OnMouseHover() override;
    void OnMouseMove(const MouseEventRecord& record) override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void OnMouseUp(const MouseEventRecord& record) override;
    void OnMouseDown(const MouseEventRecord& record) override;
    void OnSizeChanged() override;
    void OnSkinChanged() override;
    void UpdatePosition() override;
    void OnEnabledChanged() override;
    void OnOpacityChanged() override;
    void Focus() override;
    void Unfocus() override;

    Core::RefPtr<GuiImage> GetImage() const { return image; }

protected:
    SkinnedButton();
    ~SkinnedButton() override;

    // Shows the look the events give.
    virtual void ShowLook(ButtonState look) = 0;

    Core::RefPtr<GuiImage> image;
};
} // namespace GUI
