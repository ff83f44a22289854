#include "engine/Engine_Viewport.h"

#include "engine/Engine_RenderQueue.h"
#include "engine/Engine_ScreenQuad.h"
#include "renderer/Renderer_TextureCache.h"

namespace Engine
{
Viewport::Viewport(i32 x, i32 y, i32 width, i32 height, u32 userValue)
    : x(x), y(y), width(width), height(height), userValue(userValue)
{
    savedViewport.x = x;
    savedViewport.y = y;
    savedViewport.width = width;
    savedViewport.height = height;
}

void Viewport::SetBackground(const Core::String& fileName)
{
    background = Renderer::TextureCache::GetTexture(fileName, 0);
}

void Viewport::Begin(Renderer::IRenderer& renderer)
{
    savedViewport = renderer.GetViewport();
    renderer.GetScissorState(savedScissor);
    Renderer::ViewportRect rectangle;
    rectangle.x = x;
    rectangle.y = y;
    rectangle.width = width;
    rectangle.height = height;
    renderer.SetViewport(rectangle);
    Renderer::ScissorState scissor;
    scissor.x = x;
    scissor.y = y;
    scissor.width = width;
    scissor.height = height;
    scissor.enabled = 1;
    renderer.SetScissorState(scissor);
}

void Viewport::End(Renderer::IRenderer& renderer)
{
    renderer.SetViewport(savedViewport);
    renderer.SetScissorState(savedScissor);
}

void Viewport::Clear(Renderer::IRenderer& renderer) const
{
    renderer.ClearColorBuffer(clearColor);
}

void Viewport::ClearAll(Renderer::IRenderer& renderer) const
{
    renderer.ClearBuffers(clearColor, 1.0f, 0);
}

void Viewport::DrawBackground() const
{
    RenderQueue* queue = RenderQueue::GetInstance();
    if (!background || !queue)
        return;
    TextRenderContext quad;
    const f32 left = static_cast<f32>(x);
    const f32 bottom = static_cast<f32>(y);
    const f32 right = static_cast<f32>(x + width);
    const f32 top = static_cast<f32>(y + height);
    quad.SetVertex(0, left, bottom, 0.0f);
    quad.SetVertex(1, right, bottom, 0.0f);
    quad.SetVertex(2, right, top, 0.0f);
    quad.SetVertex(3, left, top, 0.0f);
    quad.SetTexCoord(0, 0.0f, 0.0f);
    quad.SetTexCoord(1, 1.0f, 0.0f);
    quad.SetTexCoord(2, 1.0f, 1.0f);
    quad.SetTexCoord(3, 0.0f, 1.0f);
    quad.color = Math::Color(1.0f, 1.0f, 1.0f, 1.0f);
    quad.texture = background;
    queue->SubmitScreenQuad(quad);
}
} // namespace Engine
