#pragma once
// The GUI's window: a control with a frame of four skin images (caption bar, bottom, left and
// right borders), a caption text, a close button child, a picture stretched over the client area,
// an active or inactive tint, a modal mode, an attention flash and dragging by the caption.
#include "engine/Engine_ScreenQuad.h"
#include "gui/GUI_Button.h"
#include "gui/GUI_Control.h"
#include "gui/GUI_GuiImage.h"
#include "renderer/Renderer_Texture.h"

namespace GUI
{
class Form : public Control
{
public:
    // Skin records of the frame and the close button.
    static constexpr u32 CaptionRecord = 0;
    static constexpr u32 LeftBorderRecord = 1;
    static constexpr u32 RightBorderRecord = 2;
    static constexpr u32 BottomBorderRecord = 3;
    static constexpr u32 CloseRecord = 4;
    static constexpr u32 ClosePressedRecord = 5;
    static constexpr u32 CloseHoverRecord = 6;
    // The flash alternates the tints this often, for this long.
    static constexpr f32 FlashToggleSeconds = 0.1f;
    static constexpr f32 FlashSeconds = 0.8f;

    // A 256 x 256 form of "DefaultFormSkin" at (0, 0), unless the HUD is loading.
    Form();
    ~Form() override;

    static Core::Object* CreateInstance();

    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    const char* GetClassName() const override;
    u32 GetSize() const override { return sizeof(Form); }
    void GetCountedControls(Core::Vector<Control*>& out) const override;
    void ReleaseCountedControls() override;

    void SetPosition(const Math::Point2D& point) override;
    using Control::SetPosition;
    void SetVisible(bool value) override;
    void OnMouseUp(const MouseEventRecord& record) override;
    void OnMouseDown(const MouseEventRecord& record) override;
    void OnSizeChanged() override;
    void OnSkinChanged() override;
    void PreUpdate(f32 dt) override;
    void PostUpdate(f32 dt) override;
    Math::Vector2D GetClientOffset() const override;
    void UpdatePosition() override;
    void OnOpacityChanged() override;
    // Unfocuses the children; the form keeps its own focus.
    void Unfocus() override;
    void UpdateClientRectangle() override;
    virtual void OnAdded() {}
    virtual void OnClose() {}

    void SetModal(bool value);
    bool GetModal() const { return modal != 0; }
    // The path as given; the texture from the texture cache and a new render context.
    void SetPicture(const Core::String& path);
    const Core::String& GetPicture() const { return picturePath; }
    void Close();
    void OnCloseButtonClick(Control* sender);
    void StartFlash();
    bool IsFlashing() const { return flashing != 0; }
    bool IsDragging() const { return dragging != 0; }
    bool IsMouseOverCaption() const;

    void SetShowOnlyControls(bool value);
    bool GetShowOnlyControls() const { return showOnlyControls != 0; }
    void SetCloseButtonVisible(bool value);
    bool GetCloseButtonVisible() const { return closeButtonVisible != 0; }
    void SetInactiveModulationColor(const Math::Color& value) { inactiveModulationColor = value; }
    const Math::Color& GetInactiveModulationColor() const { return inactiveModulationColor; }
    // The border setters lay the frame out again.
    void SetCaptionHeight(f32 value);
    void SetBottomBorderHeight(f32 value);
    void SetLeftBorderWidth(f32 value);
    void SetRightBorderWidth(f32 value);
    f32 GetCaptionHeight() const { return captionHeight; }
    f32 GetBottomBorderHeight() const { return bottomBorderHeight; }
    f32 GetLeftBorderWidth() const { return leftBorderWidth; }
    f32 GetRightBorderWidth() const { return rightBorderWidth; }

    Core::RefPtr<Button> GetCloseButton() const { return closeButton; }
    // Caption, bottom, left, right.
    Core::RefPtr<GuiImage> GetFrameImage(u32 index) const { return frame[index]; }
    Core::RefPtr<Engine::TextRenderContext> GetPictureRenderContext() const { return pictureContext; }

protected:
    const char* GetScriptTypeName() const override { return "Form"; }

private:
    static constexpr u32 FrameCount = 4;

    void PlaceFrame();
    void SizeFrame();
    void SizeCloseButton();
    void PlaceCloseButton();
    void UpdateCloseButtonVisibility();
    void ApplyBorders();
    void ListenToCloseButton();
    // The frame's tint this frame, advancing the flash.
    Math::Color FrameColor(f32 dt);
    void DrawPicture(f32 depthValue);
    void DrawCaption(f32 depthValue);

    Core::RefPtr<GuiImage> frame[FrameCount];
    Core::RefPtr<Button> closeButton;
    Core::String picturePath;
    Core::RefPtr<Engine::TextRenderContext> pictureContext;
    Core::RefPtr<Renderer::ITexture> pictureTexture;
    u8 closeButtonVisible = 1;
    u8 showOnlyControls = 0;
    u8 flashing = 0;
    u8 flashPhase = 1;
    u8 modal = 0;
    f32 flashToggleTimer = 0.0f;
    f32 flashTimer = 0.0f;
    f32 captionHeight = 32.0f;
    f32 bottomBorderHeight = 8.0f;
    f32 leftBorderWidth = 8.0f;
    f32 rightBorderWidth = 8.0f;
    Math::Color inactiveModulationColor{0.0f, 0.0f, 0.0f, 1.0f};
    u8 dragging = 0;
    Math::Vector2D dragOffset;
};
} // namespace GUI
