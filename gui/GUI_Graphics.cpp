#include "gui/GUI_Graphics.h"

#include "core/Core_File.h"
#include "engine/Engine_FontCache.h"
#include "engine/Engine_RenderQueue.h"
#include "gui/GUI_Paths.h"
#include "renderer/Renderer_BuiltInEffects.h"
#include "renderer/Renderer_IRenderer.h"
#include "renderer/Renderer_TextureCache.h"

namespace GUI
{
namespace
{
Graphics* instance = nullptr;

// Texture-coordinate corner order of a drawn quad for mirror flags (horizontal | vertical << 1).
constexpr u32 MirrorOrders[4][TRectangle::CornerCount] = {{0, 1, 2, 3}, {1, 0, 3, 2}, {3, 2, 1, 0}, {2, 3, 0, 1}};
} // namespace

Graphics* GetGraphics()
{
    return instance;
}

void SetGraphics(Graphics* graphics)
{
    instance = graphics;
}

Graphics::Graphics()
    : imageEffect(new (__FILE__, __LINE__) ImageEffect()),
      secondImageEffect(new (__FILE__, __LINE__) ImageEffect()),
      textEffect(Renderer::CreateTextEffect()),
      whiteTexture(Renderer::TextureCache::GetTexture(GetSkinFilePath("White.png"), 1))
{
    secondImageEffect->mode = ImageEffect::LinearMode;
    secondImageEffect->UpdateStates();
    Reset();
}

Graphics::~Graphics()
{
    if (instance == this)
        instance = nullptr;
}

void Graphics::Reset()
{
    color = Math::Color(1.0f, 1.0f, 1.0f, 1.0f);
    clip = NRectangle(0.0f, 0.0f, static_cast<f32>(GetScreenWidth()), static_cast<f32>(GetScreenHeight()));
    depth = 0.0f;
    opacity = 1.0f;
    patternRepeat = 1;
    patternBits = 0xAAAA;
    patternSwitch = 0;
    mirrorHorizontally = 0;
    mirrorVertically = 0;
    useSecondEffect = 0;
}

void Graphics::SetClipRect(const NRectangle& rectangle)
{
    clip = NRectangle(rectangle.x, rectangle.y, rectangle.width, rectangle.height);
}

i32 Graphics::GetScreenWidth()
{
    const Core::RefPtr<Renderer::IRenderer> renderer = Renderer::GetRenderer();
    return renderer ? renderer->GetDisplaySettings().width : 0;
}

i32 Graphics::GetScreenHeight()
{
    const Core::RefPtr<Renderer::IRenderer> renderer = Renderer::GetRenderer();
    return renderer ? renderer->GetDisplaySettings().height : 0;
}

void Graphics::DrawImage(Engine::TextRenderContext& context, const TRectangle& rectangle, Renderer::ITexture* texture)
{
    TRectangle clipped;
    if (!TRectangle::ClipTextured(clipped, rectangle, clip))
    {
        context.shown = 0;
        return;
    }
    context.shown = 1;
    if (useSecondEffect)
        context.effect = secondImageEffect.Get();
    else
        context.effect = imageEffect.Get();
    context.texture = texture;
    context.color = Math::Color(color.r, color.g, color.b, opacity);
    context.SetVertex(0, clipped.GetLeft(), clipped.GetBottom(), 0.0f);
    context.SetVertex(1, clipped.GetRight(), clipped.GetBottom(), 0.0f);
    context.SetVertex(2, clipped.GetRight(), clipped.GetTop(), 0.0f);
    context.SetVertex(3, clipped.GetLeft(), clipped.GetTop(), 0.0f);
    context.depth = depth;
    const u32* order = MirrorOrders[(mirrorHorizontally ? 1 : 0) | (mirrorVertically ? 2 : 0)];
    for (u32 corner = 0; corner < TRectangle::CornerCount; ++corner)
    {
        const Math::Vector2D& uv = clipped.texCoords[order[corner]];
        context.SetTexCoord(corner, uv.x, uv.y);
    }
}

void Graphics::Submit(Engine::TextRenderContext& context)
{
    Engine::RenderQueue* queue = Engine::RenderQueue::GetInstance();
    if (queue && context.IsShown())
        queue->SubmitScreenObject(&context);
}

void Graphics::SubmitText(Engine::StringRenderContext& context)
{
    Engine::RenderQueue* queue = Engine::RenderQueue::GetInstance();
    if (queue && context.IsShown())
        queue->SubmitScreenObject(&context);
}

void Graphics::Save(Core::File& file) const
{
    Math::WriteColor(file, color);
    clip.Save(file);
    Core::WriteF32(file, depth);
    Core::WriteF32(file, opacity);
    Core::WriteU32(file, patternRepeat);
    Core::WriteU16(file, patternBits);
    Core::WriteU8(file, patternSwitch);
    Core::WriteU8(file, mirrorHorizontally);
    Core::WriteU8(file, mirrorVertically);
    Core::WriteU8(file, useSecondEffect);
    Core::WriteString(file, font ? Core::GetFileName(font->GetName()) : Core::String());
}

void Graphics::Load(Core::File& file)
{
    Math::Color loadedColor;
    NRectangle loadedClip;
    f32 loadedDepth = 0.0f;
    f32 loadedOpacity = 0.0f;
    u32 loadedRepeat = 0;
    u16 loadedBits = 0;
    u8 flags[4] = {};
    Core::String fontName;
    Math::ReadColor(file, loadedColor);
    loadedClip.Load(file);
    Core::ReadF32(file, loadedDepth);
    Core::ReadF32(file, loadedOpacity);
    Core::ReadU32(file, loadedRepeat);
    Core::ReadU16(file, loadedBits);
    for (u8& flag : flags)
        Core::ReadU8(file, flag);
    Core::ReadString(file, fontName);
    if (file.Failed())
        return;

    color = loadedColor;
    clip = loadedClip;
    depth = loadedDepth;
    opacity = loadedOpacity;
    patternRepeat = loadedRepeat;
    patternBits = loadedBits;
    patternSwitch = flags[0];
    mirrorHorizontally = flags[1];
    mirrorVertically = flags[2];
    useSecondEffect = flags[3];
    if (IsPlainResourceName(fontName))
        font = Engine::FontCache::GetFont(GetFontPath(fontName));
    else
        font = nullptr;
}
} // namespace GUI
