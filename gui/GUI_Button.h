#pragma once
// The push button: a nine-part skin whose record follows the visual state (normal, pressed, hover,
// disabled, focused), the control's text centred in the skin's centre piece and, when presses go
// to the parent, a drop-down arrow in the middle. While not enabled in the tree it raises almost
// none of the control's events and shows its disabled record.
#include "engine/Engine_ScreenQuad.h"
#include "gui/GUI_SkinnedButton.h"
#include "renderer/Renderer_Texture.h"

namespace GUI
{
class Button : public SkinnedButton
{
public:
    // A 64 x 64 control with a 75 x 25 image of "DefaultButtonSkin", unless the HUD is loading.
    Button();
    ~Button() override;

    static Core::Object* CreateInstance();

    void Save(Core::File& file) override;
    // The saved fields and image; the arrow textures and context are made anew.
    void Load(Core::File& file) override;
    const char* GetClassName() const override;
    u32 GetSize() const override { return sizeof(Button); }

    void SetOpacity(f32 value) override { Control::SetOpacity(value); }
    void SetEnabled(bool value) override { Control::SetEnabled(value); }

    void OnExtraMouse(const MouseEventRecord& record) override { Control::OnExtraMouse(record); }
    void PostUpdate(f32 dt) override;
    // Keeps the pressed look when the focus comes with a left press on the hovered button.
    void Focus() override;

    void SetNormalRecord(u32 value) { normalRecord = value; }
    void SetPressedRecord(u32 value) { pressedRecord = value; }
    void SetHoverRecord(u32 value) { hoverRecord = value; }
    void SetDisabledRecord(u32 value) { disabledRecord = value; }
    void SetFocusedRecord(u32 value) { focusedRecord = value; }
    // The image shows the record of the current state.
    void ApplyStateRecord();
    // ApplyStateRecord, then the image lays its pieces out and places them again, also when the
    // record did not change (a loaded image keeps the pieces it was saved with until then).
    void RefreshImage();

    ButtonState GetState() const { return state; }
    Core::RefPtr<Engine::TextRenderContext> GetArrowRenderContext() const { return arrowContext; }

protected:
    const char* GetScriptTypeName() const override { return "Button"; }
    void ShowLook(ButtonState look) override;

private:
    void FetchArrows();
    // Draws the centred text and the drop-down arrow, each when it is there to draw.
    void DrawText(const NRectangle& clip, f32 opacity);
    void DrawArrow(const NRectangle& clip, f32 opacity);

    u32 normalRecord = 0;
    u32 pressedRecord = 1;
    u32 hoverRecord = 2;
    u32 disabledRecord = 4;
    u32 focusedRecord = 3;
    ButtonState state = ButtonState::Normal;
    Core::RefPtr<Engine::TextRenderContext> arrowContext;
    Core::RefPtr<Renderer::ITexture> arrowTexture;
    Core::RefPtr<Renderer::ITexture> disabledArrowTexture;
};
} // namespace GUI
