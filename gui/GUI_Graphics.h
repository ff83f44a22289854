#pragma once
// The GUI's one drawing state: colour, opacity, depth, clip rectangle, mirrors and the effects with
// which images and text become quads of render contexts, clipped against the clip rectangle.
// Drawing clients reset it, set what they need, fill their contexts when something changed and
// submit the visible ones to the render queue every frame. The HUD owns it and makes it the one
// every GUI drawing routine reaches through GetGraphics.
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "engine/Engine_Font.h"
#include "engine/Engine_ScreenQuad.h"
#include "engine/Engine_StringRenderContext.h"
#include "gui/GUI_ImageEffect.h"
#include "gui/GUI_TRectangle.h"
#include "renderer/Renderer_Effect.h"
#include "renderer/Renderer_Texture.h"

namespace Core
{
class File;
}

namespace GUI
{
class Graphics
{
public:
    // Two image effects (the second in linear mode), the renderer's text effect and "White.png"
    // of the skins folder; the clip rectangle covers the screen.
    Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;
    ~Graphics();

    // Everything back to its start value but the font, the effects and the white texture.
    void Reset();

    void SetClipRect(const NRectangle& rectangle);
    void SetDepth(f32 value) { depth = value; }
    void SetOpacity(f32 value) { opacity = value; }
    void SetColor(const Math::Color& value) { color = value; }
    void SetFont(Engine::BitmapFont* value) { font = value; }
    void SetUseSecondEffect(bool value) { useSecondEffect = value ? 1 : 0; }

    const NRectangle& GetClipRect() const { return clip; }
    f32 GetDepth() const { return depth; }
    f32 GetOpacity() const { return opacity; }
    const Math::Color& GetColor() const { return color; }
    Core::RefPtr<Engine::BitmapFont> GetFont() const { return font; }
    bool IsUsingSecondEffect() const { return useSecondEffect != 0; }
    bool IsMirroredHorizontally() const { return mirrorHorizontally != 0; }
    bool IsMirroredVertically() const { return mirrorVertically != 0; }
    u32 GetPatternRepeat() const { return patternRepeat; }
    u16 GetPatternBits() const { return patternBits; }
    u8 GetPatternSwitch() const { return patternSwitch; }
    Core::RefPtr<ImageEffect> GetImageEffect() const { return imageEffect; }
    Core::RefPtr<ImageEffect> GetSecondImageEffect() const { return secondImageEffect; }
    Core::RefPtr<Renderer::Effect> GetTextEffect() const { return textEffect; }
    Core::RefPtr<Renderer::ITexture> GetWhiteTexture() const { return whiteTexture; }

    // The current display size of the process-wide renderer; 0 without one.
    static i32 GetScreenWidth();
    static i32 GetScreenHeight();

    // Fills the quad from the rectangle clipped against the clip rectangle: the chosen image
    // effect, the texture, the colour with the opacity as alpha, the depth and the texture
    // coordinates in the mirrors' corner order. An overlap under one pixel wide or high only
    // clears the context's shown flag.
    void DrawImage(Engine::TextRenderContext& context, const TRectangle& rectangle, Renderer::ITexture* texture);
    // Lays text out in the font from the pen position (x, y): a tab moves four space advances, a
    // line feed one line down and back to x, a carriage return nothing; each other byte is a glyph
    // quad clipped on its own. A text whose box misses the clip rectangle only clears the shown
    // flag.
    void DrawText(Engine::StringRenderContext& context, f32 x, f32 y, const Core::String& text,
                  const Engine::BitmapFont* textFont);

    // Hand a shown context to the render queue's GUI list (which keeps only valid ones).
    static void Submit(Engine::TextRenderContext& context);
    static void SubmitText(Engine::StringRenderContext& context);

    // Colour, clip rectangle, depth, opacity, pattern repeat and bits, the four flag bytes and
    // the font's file name.
    void Save(Core::File& file) const;
    // The same; the font comes from the font cache by the fonts-folder path of the saved name.
    // A stream that fails part-way changes nothing; a name that would leave the fonts folder
    // leaves no font.
    void Load(Core::File& file);

private:
    Math::Color color{1.0f, 1.0f, 1.0f, 1.0f};
    Core::RefPtr<ImageEffect> imageEffect;
    Core::RefPtr<ImageEffect> secondImageEffect;
    Core::RefPtr<Renderer::Effect> textEffect;
    Core::RefPtr<Engine::BitmapFont> font;
    Core::RefPtr<Renderer::ITexture> whiteTexture;
    NRectangle clip;
    f32 depth = 0.0f;
    f32 opacity = 1.0f;
    // Reset, saved and loaded; no drawing reads them.
    u32 patternRepeat = 1;
    u16 patternBits = 0xAAAA;
    u8 patternSwitch = 0;
    u8 mirrorHorizontally = 0;
    u8 mirrorVertically = 0;
    u8 useSecondEffect = 0;
};

// The drawing state all GUI drawing goes through; null while no HUD made one.
Graphics* GetGraphics();
void SetGraphics(Graphics* graphics);
} // namespace GUI
