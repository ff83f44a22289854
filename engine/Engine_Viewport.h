#pragma once
// A rectangle of the window with a clear colour and an optional background picture. It brackets
// the drawing of one camera's view: Begin points the renderer's viewport and scissor at it, End
// puts the previous ones back.
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "renderer/Renderer_IRenderer.h"
#include "renderer/Renderer_ScissorState.h"
#include "renderer/Renderer_Texture.h"

namespace Engine
{
class Viewport : public Core::Object
{
public:
    // Window pixels from the bottom left, and a value the viewport keeps for its owner (the
    // framework passes 0).
    Viewport(i32 x, i32 y, i32 width, i32 height, u32 userValue = 0);

    void SetClearColor(const Math::Color& color) { clearColor = color; }
    const Math::Color& GetClearColor() const { return clearColor; }
    // The texture cache's texture for the file, without mipmaps, replacing any previous one.
    void SetBackground(const Core::String& fileName);
    void SetBackgroundTexture(Renderer::ITexture* texture) { background = texture; }
    Core::RefPtr<Renderer::ITexture> GetBackground() const { return background; }

    // Saves the renderer's viewport and scissor, then sets both to this rectangle (scissor on).
    void Begin(Renderer::IRenderer& renderer);
    // Puts the viewport and scissor saved by Begin back.
    void End(Renderer::IRenderer& renderer);
    // The colour buffer alone, to the clear colour.
    void Clear(Renderer::IRenderer& renderer) const;
    // Colour, depth (1.0) and stencil (0).
    void ClearAll(Renderer::IRenderer& renderer) const;
    // Queues the background as a screen quad over the rectangle; nothing without a background.
    void DrawBackground() const;

    // Moves and resizes the rectangle.
    void SetRectangle(i32 left, i32 bottom, i32 newWidth, i32 newHeight)
    {
        x = left;
        y = bottom;
        width = newWidth;
        height = newHeight;
    }
    i32 GetX() const { return x; }
    i32 GetY() const { return y; }
    i32 GetWidth() const { return width; }
    i32 GetHeight() const { return height; }
    u32 GetUserValue() const { return userValue; }

private:
    i32 x;
    i32 y;
    i32 width;
    i32 height;
    u32 userValue;
    Math::Color clearColor{0.0f, 0.0f, 0.0f, 1.0f};
    Renderer::ViewportRect savedViewport;
    Renderer::ScissorState savedScissor;
    Core::RefPtr<Renderer::ITexture> background;
};
}  // namespace Engine
