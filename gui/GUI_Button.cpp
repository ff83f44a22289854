#include "gui/GUI_Button.h"

#include "platform/Input_Mouse.h"
#include "gui/GUI_Graphics.h"
#include "gui/GUI_HUD.h"
#include "gui/GUI_Paths.h"
#include "renderer/Renderer_TextureCache.h"

#include <algorithm>

namespace GUI
{
namespace
{
const Core::ClassRegistrar buttonRegistrar("GUI::Button", &Button::CreateInstance);

// The colour of a disabled button's text.
const Math::Color DisabledTextColor(0.6745098f, 0.65882355f, 0.6f, 1.0f);
} // namespace

Button::Button()
{
    if (HUD::IsInstanceLoading())
        return;
    Control::SetFont("DefaultFont");
    StoreSkinName("DefaultButtonSkin");
    image = new (__FILE__, __LINE__) GuiImage(GetSkinPath("DefaultButtonSkin"), Size{75.0f, 25.0f});
    image->SetPosition(Math::Point2D());
    state = IsFocused() ? ButtonState::Focused : ButtonState::Normal;
    FetchArrows();
}

Button::~Button() = default;

Core::Object* Button::CreateInstance()
{
    return new (__FILE__, __LINE__) Button();
}

const char* Button::GetClassName() const
{
    return "GUI::Button";
}

void Button::FetchArrows()
{
    arrowTexture = Renderer::TextureCache::GetTexture(GetOverlayPath("ComboDown.png"), 1);
    disabledArrowTexture = Renderer::TextureCache::GetTexture(GetOverlayPath("ComboDownDisabled.png"), 1);
    arrowContext = new (__FILE__, __LINE__) Engine::TextRenderContext();
}

void Button::ShowLook(ButtonState look)
{
    state = look;
}

void Button::Focus()
{
    if (!IsEnabledInTree())
        return;
    Control::Focus();
    const HUD* hud = HUD::GetInstance();
    const Input::Mouse* mouse = Input::GetMouse();
    const bool pressing = hud && hud->GetHoveredControl() == this && mouse && mouse->IsPressed(0);
    if (!pressing)
        state = ButtonState::Focused;
}

void Button::ApplyStateRecord()
{
    if (!image)
        return;
    const u32 records[] = {normalRecord, pressedRecord, hoverRecord, disabledRecord, focusedRecord};
    const u32 index = static_cast<u32>(state);
    if (index < 5)
        image->SetState(records[index]);
}

void Button::RefreshImage()
{
    ApplyStateRecord();
    if (image)
        image->LayOutAndPlace();
}

void Button::PostUpdate(f32)
{
    if (!IsVisibleInTree() || !image)
        return;
    ApplyStateRecord();
    image->SetDepth(GetDepth());
    const NRectangle clip = GetDrawClipRectangle();
    image->Draw(clip);
    const f32 opacity = GetEffectiveOpacity();
    DrawText(clip, opacity);
    DrawArrow(clip, opacity);
}

void Button::DrawText(const NRectangle& clip, f32 opacity)
{
    Graphics* graphics = GUI::GetGraphics();
    const Core::RefPtr<Engine::BitmapFont> font = GetFont();
    if (GetText().empty() || !graphics || !font)
        return;
    graphics->Reset();
    graphics->SetOpacity(opacity);
    const TRectangle& centre = image->GetPiece(4);
    NRectangle textClip;
    NRectangle::Intersect(textClip, centre, clip);
    graphics->SetClipRect(textClip);
    graphics->SetColor(IsEnabledInTree() ? GetTextModulationColor() : DisabledTextColor);
    graphics->SetDepth(GetDepth() + 0.1f);
    const f32 lineHeight = font->GetLineHeight();
    f32 textWidth = 0.0f;
    f32 textHeight = 0.0f;
    font->MeasureText(GetText(), textWidth, textHeight);
    f32 x = centre.width - textWidth > 0.0f ? centre.x + (centre.width - textWidth) / 2.0f : centre.x;
    const f32 y = centre.height - lineHeight > 0.0f ? centre.y + (centre.height - lineHeight) / 2.0f : centre.y;
    x += 2.0f;
    graphics->DrawText(*GetTextRenderContext(), x, y, GetText(), font);
    Graphics::SubmitText(*GetTextRenderContext());
}

void Button::DrawArrow(const NRectangle& clip, f32 opacity)
{
    Graphics* graphics = GUI::GetGraphics();
    if (!IsFocusThroughParent() || !graphics || !arrowContext)
        return;
    graphics->Reset();
    graphics->SetOpacity(opacity);
    graphics->SetClipRect(clip);
    graphics->SetDepth(GetDepth() + 0.01f);
    graphics->SetUseSecondEffect(true);
    graphics->SetColor(GetModulationColor());
    const bool enabled = IsEnabledInTree();
    Renderer::ITexture* texture = enabled ? arrowTexture.Get() : disabledArrowTexture.Get();
    const f32 texels = arrowTexture ? static_cast<f32>(arrowTexture->GetWidth()) : 0.0f;
    const f32 side = std::min({GetWidth(), GetHeight(), texels});
    const Math::Point2D at = GetAbsolutePosition();
    const TRectangle square(at.x + (GetWidth() - side) / 2.0f, at.y + (GetHeight() - side) / 2.0f, side, side);
    graphics->DrawImage(*arrowContext, square, texture);
    Graphics::Submit(*arrowContext);
    graphics->SetUseSecondEffect(false);
}

void Button::Save(Core::File& file)
{
    SaveControl(file);
    for (u32 record : {normalRecord, pressedRecord, hoverRecord, disabledRecord, focusedRecord})
        Core::WriteU32(file, record);
    Core::WriteU32(file, static_cast<u32>(state));
    file.WriteObject(image.Get());
}

void Button::Load(Core::File& file)
{
    LoadControl(file);
    for (u32* record : {&normalRecord, &pressedRecord, &hoverRecord, &disabledRecord, &focusedRecord})
        Core::ReadU32(file, *record);
    u32 saved = 0;
    Core::ReadU32(file, saved);
    state = static_cast<ButtonState>(saved);
    ReadObjectReference(file, image);
    FetchArrows();
}
} // namespace GUI
