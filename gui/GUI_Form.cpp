#include "gui/GUI_Form.h"

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
const Core::ClassRegistrar formRegistrar("GUI::Form", &Form::CreateInstance);

constexpr u32 Caption = 0;
constexpr u32 Bottom = 1;
constexpr u32 Left = 2;
constexpr u32 Right = 3;

const Math::Color ActiveTint(2.0f / 255.0f, 106.0f / 255.0f, 254.0f / 255.0f, 1.0f);
const Math::Color InactiveTint(129.0f / 255.0f, 169.0f / 255.0f, 232.0f / 255.0f, 1.0f);
} // namespace

Form::Form() : Control(Math::Point2D(), Size{64.0f, 64.0f})
{
    if (HUD::IsInstanceLoading())
        return;
    StoreSize(256.0f, 256.0f);
    const Core::String skin = GetSkinPath("DefaultFormSkin");
    const f32 sideHeight = GetHeight() - captionHeight - bottomBorderHeight;
    const struct
    {
        Size size;
        u32 record;
    } parts[FrameCount] = {{{256.0f, captionHeight}, CaptionRecord},
                           {{256.0f, bottomBorderHeight}, BottomBorderRecord},
                           {{leftBorderWidth, sideHeight}, LeftBorderRecord},
                           {{rightBorderWidth, sideHeight}, RightBorderRecord}};
    for (u32 i = 0; i < FrameCount; ++i)
    {
        frame[i] = new (__FILE__, __LINE__) GuiImage(skin, parts[i].size);
        frame[i]->SetState(parts[i].record);
    }

    closeButton = new (__FILE__, __LINE__) Button();
    SizeCloseButton();
    PlaceCloseButton();
    closeButton->SetSkin("DefaultFormSkin");
    closeButton->SetNormalRecord(CloseRecord);
    closeButton->SetPressedRecord(ClosePressedRecord);
    closeButton->SetHoverRecord(CloseHoverRecord);
    closeButton->SetDisabledRecord(CloseRecord);
    closeButton->SetFocusedRecord(CloseRecord);
    closeButton->RefreshImage();
    closeButton->SetTabStop(false);
    closeButton->SetClipMode(ClipToParent);
    closeButton->SetName("CloseCloseClose");
    closeButton->SetAcceptsEnter(false);
    ListenToCloseButton();
    AddControl(closeButton);

    SetPicture(GetSkinFilePath("Gray.png"));
    SetPosition(Math::Point2D());
    Control::SetFont("DefaultFont");
    Control::SetModulationColor(ActiveTint);
    inactiveModulationColor = InactiveTint;
}

Form::~Form() = default;

Core::Object* Form::CreateInstance()
{
    return new (__FILE__, __LINE__) Form();
}

const char* Form::GetClassName() const
{
    return "GUI::Form";
}

void Form::ListenToCloseButton()
{
    if (closeButton)
        AddHandler(closeButton->GetEventList(ControlEvent::Click), this, &Form::OnCloseButtonClick);
}

void Form::PlaceFrame()
{
    if (!frame[Caption])
        return;
    const Math::Point2D at = GetAbsolutePosition();
    const f32 w = GetWidth();
    const f32 h = GetHeight();
    frame[Caption]->SetPosition(Math::Point2D(at.x, at.y + h - captionHeight));
    frame[Bottom]->SetPosition(at);
    frame[Left]->SetPosition(Math::Point2D(at.x, at.y + bottomBorderHeight));
    frame[Right]->SetPosition(Math::Point2D(at.x + w - rightBorderWidth, at.y + bottomBorderHeight));
}

void Form::SizeFrame()
{
    if (!frame[Caption])
        return;
    const f32 w = GetWidth();
    const f32 sideHeight = GetHeight() - captionHeight - bottomBorderHeight;
    frame[Caption]->SetWidth(w);
    frame[Caption]->SetHeight(captionHeight);
    frame[Bottom]->SetWidth(w);
    frame[Bottom]->SetHeight(bottomBorderHeight);
    frame[Left]->SetWidth(leftBorderWidth);
    frame[Left]->SetHeight(sideHeight);
    frame[Right]->SetWidth(rightBorderWidth);
    frame[Right]->SetHeight(sideHeight);
}

void Form::SizeCloseButton()
{
    if (!closeButton)
        return;
    const f32 side = std::min(std::max(captionHeight - 2.0f, 2.0f), 20.0f);
    closeButton->SetControlSize(Size{side, side});
}

void Form::PlaceCloseButton()
{
    if (!closeButton)
        return;
    closeButton->SetPosition(Math::Point2D(GetWidth() - leftBorderWidth - closeButton->GetWidth() - 2.0f,
                                           GetHeight() - bottomBorderHeight - closeButton->GetHeight() - 2.0f));
}

void Form::UpdateCloseButtonVisibility()
{
    if (closeButton)
        closeButton->SetVisible(IsVisibleInTree() && !showOnlyControls && closeButtonVisible);
}

void Form::ApplyBorders()
{
    SetPosition(GetPosition());
    SizeFrame();
    SizeCloseButton();
    PlaceCloseButton();
    UpdatePosition();
}

void Form::SetPosition(const Math::Point2D& point)
{
    Control::SetPosition(point);
    PlaceFrame();
}

void Form::UpdatePosition()
{
    PlaceFrame();
    for (u32 i = 0; i < GetChildCount(); ++i)
        GetChild(i)->UpdatePosition();
}

void Form::SetVisible(bool value)
{
    Control::SetVisible(value);
    UpdateCloseButtonVisibility();
}

Math::Vector2D Form::GetClientOffset() const
{
    return Math::Vector2D(leftBorderWidth, bottomBorderHeight);
}

void Form::UpdateClientRectangle()
{
    const NRectangle& r = GetRectangle();
    SetClientRectangle(NRectangle(r.x + leftBorderWidth, r.y + bottomBorderHeight,
                                  r.width - leftBorderWidth - rightBorderWidth,
                                  r.height - captionHeight - bottomBorderHeight));
}

void Form::OnOpacityChanged()
{
    const f32 value = GetEffectiveOpacity();
    for (const Core::RefPtr<GuiImage>& image : frame)
    {
        if (image)
            image->SetOpacity(value);
    }
    if (closeButton)
        closeButton->SetOpacity(value);
}

void Form::Unfocus()
{
    if (!IsEnabledInTree())
        return;
    ResetFocusIndices();
    for (u32 i = 0; i < GetChildCount(); ++i)
        GetChild(i)->Unfocus();
}

void Form::OnSizeChanged()
{
    SizeFrame();
    SizeCloseButton();
    PlaceCloseButton();
    SetPosition(GetPosition());
    Control::OnSizeChanged();
}

void Form::OnSkinChanged()
{
    const Core::String path = GetSkinPath(GetSkin());
    for (Core::RefPtr<GuiImage>& image : frame)
    {
        if (image)
            image = image->CloneImage(path);
    }
    if (closeButton)
        closeButton->SetSkin(GetSkin());
    SetPosition(GetPosition());
}

void Form::SetModal(bool value)
{
    const u8 wanted = value ? 1 : 0;
    if (wanted == modal)
        return;
    modal = wanted;
    HUD* hud = HUD::GetInstance();
    if (!hud)
        return;
    if (wanted)
    {
        if (Form* previous = dynamic_cast<Form*>(hud->GetModalForm()))
            previous->modal = 0;
        hud->SetModalForm(this);
    }
    else if (hud->GetModalForm() == this)
    {
        hud->SetModalForm(nullptr);
    }
}

void Form::SetPicture(const Core::String& path)
{
    picturePath = path;
    pictureTexture = Renderer::TextureCache::GetTexture(path, 1);
    pictureContext = new (__FILE__, __LINE__) Engine::TextRenderContext();
}

void Form::Close()
{
    OnClose();
    Destroy();
}

void Form::OnCloseButtonClick(Control*)
{
    Close();
}

void Form::StartFlash()
{
    if (IsActiveForm() && !flashing)
        flashing = 1;
}

void Form::SetShowOnlyControls(bool value)
{
    showOnlyControls = value ? 1 : 0;
    UpdateCloseButtonVisibility();
}

void Form::SetCloseButtonVisible(bool value)
{
    closeButtonVisible = value ? 1 : 0;
    UpdateCloseButtonVisibility();
}

void Form::SetCaptionHeight(f32 value)
{
    captionHeight = value;
    ApplyBorders();
}

void Form::SetBottomBorderHeight(f32 value)
{
    bottomBorderHeight = value;
    ApplyBorders();
}

void Form::SetLeftBorderWidth(f32 value)
{
    leftBorderWidth = value;
    ApplyBorders();
}

void Form::SetRightBorderWidth(f32 value)
{
    rightBorderWidth = value;
    ApplyBorders();
}

bool Form::IsMouseOverCaption() const
{
    const Math::Point2D at = GetAbsolutePosition();
    NRectangle strip(at.x, at.y + GetHeight() - captionHeight, GetWidth(), captionHeight);
    if (const Control* owner = GetParent())
    {
        NRectangle cut;
        if (!NRectangle::Intersect(cut, strip, owner->GetClippedClientRectangle()))
            return false;
        strip = cut;
    }
    const Math::Point2D mouse = GetMousePosition();
    return strip.IsInside(mouse.x, mouse.y);
}

void Form::OnMouseDown(const MouseEventRecord& record)
{
    if (IsMouseOverCaption() && !showOnlyControls)
    {
        dragging = 1;
        const Math::Point2D mouse = GetMousePosition();
        dragOffset = Math::Vector2D(mouse.x - GetPosition().x, mouse.y - GetPosition().y);
    }
    else
    {
        dragging = 0;
        dragOffset = Math::Vector2D();
    }
    Control::OnMouseDown(record);
}

void Form::OnMouseUp(const MouseEventRecord& record)
{
    if (dragging)
    {
        dragging = 0;
        dragOffset = Math::Vector2D();
    }
    Control::OnMouseUp(record);
}

void Form::PreUpdate(f32)
{
    const Input::Mouse* mouse = Input::GetMouse();
    if (!dragging || !mouse || !mouse->IsMoved())
        return;
    const Math::Point2D at = GetMousePosition();
    SetPosition(Math::Point2D(at.x - dragOffset.x, at.y - dragOffset.y));
}

Math::Color Form::FrameColor(f32 dt)
{
    const bool active = IsActiveForm();
    Math::Color color = active ? GetModulationColor() : inactiveModulationColor;
    if (!active || !flashing)
        return color;
    flashToggleTimer += dt;
    if (flashToggleTimer > FlashToggleSeconds)
    {
        flashToggleTimer = 0.0f;
        flashPhase = flashPhase ? 0 : 1;
    }
    color = flashPhase ? inactiveModulationColor : GetModulationColor();
    flashTimer += dt;
    if (flashTimer > FlashSeconds)
    {
        color = GetModulationColor();
        flashToggleTimer = 0.0f;
        flashTimer = 0.0f;
        flashing = 0;
        flashPhase = 1;
    }
    return color;
}

void Form::PostUpdate(f32 dt)
{
    if (showOnlyControls || !IsVisibleInTree() || !frame[Caption])
        return;
    const f32 d = GetDepth();
    const Math::Color color = FrameColor(dt);
    for (const Core::RefPtr<GuiImage>& image : frame)
    {
        image->SetDepth(d);
        image->SetColor(color);
    }
    // A nested form's frame is cut by its parent's client area, whatever its clip mode.
    const NRectangle clip = GetParent() ? GetParent()->GetClientRectangle() : GetDrawClipRectangle();
    for (const Core::RefPtr<GuiImage>& image : frame)
        image->Draw(clip);
    DrawPicture(d);
    DrawCaption(d);
}

void Form::DrawPicture(f32 depthValue)
{
    Graphics* graphics = GUI::GetGraphics();
    if (!graphics || !pictureContext)
        return;
    graphics->Reset();
    graphics->SetOpacity(frame[Caption]->GetOpacity());
    graphics->SetDepth(depthValue);
    graphics->SetUseSecondEffect(true);
    graphics->DrawImage(*pictureContext, TRectangle(GetClippedClientRectangle()), pictureTexture);
    Graphics::Submit(*pictureContext);
    graphics->SetUseSecondEffect(false);
}

void Form::DrawCaption(f32 depthValue)
{
    Graphics* graphics = GUI::GetGraphics();
    const Core::RefPtr<Engine::BitmapFont> font = GetFont();
    if (!graphics || !font)
        return;
    const TRectangle& piece = frame[Caption]->GetPiece(4);
    graphics->SetClipRect(piece);
    graphics->SetFont(font);
    graphics->SetDepth(depthValue + 0.1f);
    graphics->SetColor(GetTextModulationColor());
    f32 y = piece.y;
    const f32 lineHeight = font->GetLineHeight();
    if (lineHeight < piece.height)
        y += (piece.height - lineHeight) * 0.5f;
    graphics->DrawText(*GetTextRenderContext(), piece.x, y, GetText(), font);
    Graphics::SubmitText(*GetTextRenderContext());
}

void Form::Save(Core::File& file)
{
    SaveControl(file);
    for (const Core::RefPtr<GuiImage>& image : frame)
        file.WriteObject(image.Get());
    file.WriteObject(closeButton.Get());
    Core::WriteString(file, picturePath);
    for (u8 flag : {closeButtonVisible, showOnlyControls, flashing, flashPhase, modal})
        Core::WriteU8(file, flag);
    for (f32 value : {flashToggleTimer, flashTimer, captionHeight, bottomBorderHeight, leftBorderWidth, rightBorderWidth})
        Core::WriteF32(file, value);
    Math::WriteColor(file, inactiveModulationColor);
    Core::WriteU8(file, dragging);
    Math::WriteVector2D(file, dragOffset);
}

void Form::GetCountedControls(Core::Vector<Control*>& out) const
{
    Control::GetCountedControls(out);
    if (closeButton)
        out.push_back(closeButton.Get());
}

void Form::ReleaseCountedControls()
{
    Control::ReleaseCountedControls();
    closeButton = nullptr;
}

void Form::Load(Core::File& file)
{
    LoadControl(file);
    for (Core::RefPtr<GuiImage>& image : frame)
        ReadObjectReference(file, image);
    ReadObjectReference(file, closeButton);
    picturePath.clear();
    Core::ReadString(file, picturePath);
    for (u8* flag : {&closeButtonVisible, &showOnlyControls, &flashing, &flashPhase, &modal})
        Core::ReadU8(file, *flag);
    for (f32* value : {&flashToggleTimer, &flashTimer, &captionHeight, &bottomBorderHeight, &leftBorderWidth, &rightBorderWidth})
        Core::ReadF32(file, *value);
    Math::ReadColor(file, inactiveModulationColor);
    Core::ReadU8(file, dragging);
    Math::ReadVector2D(file, dragOffset);
    // A saved frame must be whole: a form draws all four images or none. A part of a frame is no
    // saved state, and the stream fails before the images it made go: a later reference in it
    // could otherwise name one of them after it was freed.
    const auto isMissing = [](const Core::RefPtr<GuiImage>& image) { return !image; };
    if (std::any_of(std::begin(frame), std::end(frame), isMissing))
    {
        if (!std::all_of(std::begin(frame), std::end(frame), isMissing))
            file.SetFailed();
        for (Core::RefPtr<GuiImage>& image : frame)
            image = nullptr;
    }
    // A saved picture path comes from outside: it is followed only inside the resource folders.
    pictureTexture = nullptr;
    if (!file.Failed() && IsInsideResources(picturePath))
        pictureTexture = Renderer::TextureCache::GetTexture(picturePath, 1);
    pictureContext = new (__FILE__, __LINE__) Engine::TextRenderContext();
    ListenToCloseButton();
}
} // namespace GUI
