#include "renderer/Renderer_RecordingRenderer.h"

#include <cstring>

namespace Renderer
{
namespace
{
const char* const UnitSetterNames[TextureMatrixCount] = {
    "SetTextureUnit0State", "SetTextureUnit1State", "SetTextureUnit2State", "SetTextureUnit3State",
    "SetTextureUnit4State", "SetTextureUnit5State", "SetTextureUnit6State", "SetTextureUnit7State"};
}  // namespace

RecordingRenderer::RecordingRenderer(const DisplaySettings& settings) : ShadowRenderer(settings)
{
}

RecordingRenderer::~RecordingRenderer() = default;

void RecordingRenderer::Log(const char* operation, f64 a, f64 b, f64 c, f64 d)
{
    if (logging)
    {
        calls.push_back(RecordedCall{operation, {a, b, c, d}});
    }
}

u32 RecordingRenderer::CountCalls(const char* operation) const
{
    u32 count = 0;
    for (const RecordedCall& call : calls)
    {
        count += std::strcmp(call.operation, operation) == 0 ? 1 : 0;
    }
    return count;
}

void RecordingRenderer::ClearLog()
{
    calls.clear();
    draws.clear();
}

void RecordingRenderer::SetMaterial(const Material& state)
{
    Log("SetMaterial");
    ShadowRenderer::SetMaterial(state);
}

void RecordingRenderer::SetNormalizeNormalsState(const NormalizeNormalsState& state)
{
    Log("SetNormalizeNormalsState");
    ShadowRenderer::SetNormalizeNormalsState(state);
}

void RecordingRenderer::SetLightingState(const LightingState& state)
{
    Log("SetLightingState");
    ShadowRenderer::SetLightingState(state);
}

void RecordingRenderer::SetTexturingState(u32 unit, const TexturingState& state)
{
    Log(UnitSetterNames[unit]);
    ShadowRenderer::SetTexturingState(unit, state);
}

void RecordingRenderer::SetLineState(const LineState& state)
{
    Log("SetLineState", state.width);
    ShadowRenderer::SetLineState(state);
}

void RecordingRenderer::SetPointState(const PointState& state)
{
    Log("SetPointState", state.size);
    ShadowRenderer::SetPointState(state);
}

void RecordingRenderer::SetDitheringState(const DitheringState& state)
{
    Log("SetDitheringState", state.enabled);
    ShadowRenderer::SetDitheringState(state);
}

void RecordingRenderer::SetTriangleOffsetState(const TriangleOffsetState& state)
{
    Log("SetTriangleOffsetState", state.factor, state.units, state.enabled);
    ShadowRenderer::SetTriangleOffsetState(state);
}

void RecordingRenderer::SetStencilBufferState(const StencilBufferState& state)
{
    Log("SetStencilBufferState", state.function, state.reference, state.enabled);
    ShadowRenderer::SetStencilBufferState(state);
}

void RecordingRenderer::SetDepthBufferState(const DepthBufferState& state)
{
    Log("SetDepthBufferState", state.function, state.testEnabled, state.writeEnabled);
    ShadowRenderer::SetDepthBufferState(state);
}

void RecordingRenderer::SetShadingState(const ShadingState& state)
{
    Log("SetShadingState", state.mode);
    ShadowRenderer::SetShadingState(state);
}

void RecordingRenderer::SetFillingState(const FillingState& state)
{
    Log("SetFillingState", state.mode);
    ShadowRenderer::SetFillingState(state);
}

void RecordingRenderer::SetFogState(const FogState& state)
{
    Log("SetFogState", state.mode, state.enabled);
    ShadowRenderer::SetFogState(state);
}

void RecordingRenderer::SetCullingState(const CullingState& state)
{
    Log("SetCullingState", state.face, state.enabled);
    ShadowRenderer::SetCullingState(state);
}

void RecordingRenderer::SetAlphaTestingState(const AlphaTestingState& state)
{
    Log("SetAlphaTestingState", state.function, state.reference, state.enabled);
    ShadowRenderer::SetAlphaTestingState(state);
}

void RecordingRenderer::SetAlphaBlendingState(const AlphaBlendingState& state)
{
    Log("SetAlphaBlendingState", state.source, state.destination, state.enabled);
    ShadowRenderer::SetAlphaBlendingState(state);
}

void RecordingRenderer::SetScissorState(const ScissorState& state)
{
    Log("SetScissorState", state.x, state.y, state.width, state.height);
    ShadowRenderer::SetScissorState(state);
}

void RecordingRenderer::SetColorMaskState(const ColorMaskState& state)
{
    Log("SetColorMaskState", state.red, state.green, state.blue, state.alpha);
    ShadowRenderer::SetColorMaskState(state);
}

void RecordingRenderer::SetTexture(i32 unit, ITexture* texture)
{
    Log("SetTexture", unit);
    ShadowRenderer::SetTexture(unit, texture);
}

void RecordingRenderer::SetLight(u32 index, Light* light)
{
    Log("SetLight", index);
    ShadowRenderer::SetLight(index, light);
}

void RecordingRenderer::SetTexGenPlane(const Math::Vector4D& plane)
{
    Log("SetTexGenPlane", plane.x, plane.y, plane.z, plane.w);
    ShadowRenderer::SetTexGenPlane(plane);
}

void RecordingRenderer::SetCurrentColor(const Math::Color& color)
{
    Log("SetCurrentColor", color.r, color.g, color.b, color.a);
    ShadowRenderer::SetCurrentColor(color);
}

void RecordingRenderer::SetVertexArray(const f32* xyz)
{
    Log("SetVertexArray", xyz ? 1 : 0);
    ShadowRenderer::SetVertexArray(xyz);
}

void RecordingRenderer::SetNormalArray(const f32* xyz)
{
    Log("SetNormalArray", xyz ? 1 : 0);
    ShadowRenderer::SetNormalArray(xyz);
}

void RecordingRenderer::SetColorArray(const Math::Color* colors)
{
    Log("SetColorArray", colors ? 1 : 0);
    ShadowRenderer::SetColorArray(colors);
}

void RecordingRenderer::SetSecondaryColorArray(const Math::Color* colors)
{
    Log("SetSecondaryColorArray", colors ? 1 : 0);
    ShadowRenderer::SetSecondaryColorArray(colors);
}

void RecordingRenderer::SetTexCoordArray(i32 unit, const f32* uv)
{
    Log("SetTexCoordArray", unit, uv ? 1 : 0);
    ShadowRenderer::SetTexCoordArray(unit, uv);
}

void RecordingRenderer::SetIndexArray32(const u32* indices)
{
    Log("SetIndexArray32", indices ? 1 : 0);
    ShadowRenderer::SetIndexArray32(indices);
}

void RecordingRenderer::SetIndexArray16(const u16* indices)
{
    Log("SetIndexArray16", indices ? 1 : 0);
    ShadowRenderer::SetIndexArray16(indices);
}

void RecordingRenderer::SetPrimitiveType(PrimitiveType primitive)
{
    Log("SetPrimitiveType", primitive);
    ShadowRenderer::SetPrimitiveType(primitive);
}

void RecordingRenderer::DrawRange(u32 first, u32 last)
{
    Log("DrawRange", first, last);
    ShadowRenderer::DrawRange(first, last);
}

void RecordingRenderer::Draw(i32 count)
{
    Log("Draw", count);
    ShadowRenderer::Draw(count);
}

void RecordingRenderer::DrawArrays(PrimitiveType primitive, i32 first, u32 primitiveCount)
{
    Log("DrawArrays", primitive, first, primitiveCount);
    ShadowRenderer::DrawArrays(primitive, first, primitiveCount);
}

void RecordingRenderer::DrawIndexed(PrimitiveType primitive, u32 firstIndex, u32 primitiveCount)
{
    Log("DrawIndexed", primitive, firstIndex, primitiveCount);
    ShadowRenderer::DrawIndexed(primitive, firstIndex, primitiveCount);
}

void RecordingRenderer::SetBuffer(u32 index, IBuffer* buffer)
{
    Log("SetBuffer", index, buffer ? 1 : 0);
    ShadowRenderer::SetBuffer(index, buffer);
}

void RecordingRenderer::SetIndexBuffer(IBuffer* buffer)
{
    Log("SetIndexBuffer", buffer ? 1 : 0);
    ShadowRenderer::SetIndexBuffer(buffer);
}

void RecordingRenderer::DrawSurface(Surface* surface, u32 x, u32 y, u32 sourceX, u32 sourceY, u32 width, u32 height,
                                    u8 flipX, u8 flipY)
{
    Log("DrawSurface", x, y, width, height);
    ShadowRenderer::DrawSurface(surface, x, y, sourceX, sourceY, width, height, flipX, flipY);
}

void RecordingRenderer::DrawRect(f32 x1, f32 y1, f32 x2, f32 y2)
{
    Log("DrawRect", x1, y1, x2, y2);
    ShadowRenderer::DrawRect(x1, y1, x2, y2);
}

void RecordingRenderer::SetLineStippleEnabled(u8 on)
{
    Log("SetLineStippleEnabled", on);
    ShadowRenderer::SetLineStippleEnabled(on);
}

void RecordingRenderer::SetLineStipplePattern(u16 pattern)
{
    Log("SetLineStipplePattern", pattern);
    ShadowRenderer::SetLineStipplePattern(pattern);
}

void RecordingRenderer::SetLineStippleFactor(i32 factor)
{
    Log("SetLineStippleFactor", factor);
    ShadowRenderer::SetLineStippleFactor(factor);
}

void RecordingRenderer::Present()
{
    Log("Present", static_cast<f64>(rasterQueue.size()));
    ShadowRenderer::Present();
}

void RecordingRenderer::SetViewport(const ViewportRect& rect)
{
    Log("SetViewport", rect.x, rect.y, rect.width, rect.height);
    ShadowRenderer::SetViewport(rect);
}

void RecordingRenderer::SetWorldMatrix(const Math::Matrix4x4& matrix)
{
    Log("SetWorldMatrix");
    ShadowRenderer::SetWorldMatrix(matrix);
}

void RecordingRenderer::SetViewMatrix(const Math::Matrix4x4& matrix)
{
    Log("SetViewMatrix");
    ShadowRenderer::SetViewMatrix(matrix);
}

void RecordingRenderer::SetProjectionMatrix(const Math::Matrix4x4& matrix)
{
    Log("SetProjectionMatrix");
    ShadowRenderer::SetProjectionMatrix(matrix);
}

void RecordingRenderer::SetTextureMatrix(i32 unit, const Math::Matrix4x4& matrix)
{
    Log("SetTextureMatrix", unit);
    ShadowRenderer::SetTextureMatrix(unit, matrix);
}

void RecordingRenderer::ClearColorBuffer(const Math::Color& color)
{
    Log("ClearColorBuffer", color.r, color.g, color.b, color.a);
    ShadowRenderer::ClearColorBuffer(color);
}

void RecordingRenderer::ClearDepthBuffer(f32 depth)
{
    Log("ClearDepthBuffer", depth);
    ShadowRenderer::ClearDepthBuffer(depth);
}

void RecordingRenderer::ClearStencilBuffer(i32 value)
{
    Log("ClearStencilBuffer", value);
    ShadowRenderer::ClearStencilBuffer(value);
}

void RecordingRenderer::ClearBuffers(const Math::Color& color, f32 depth, i32 stencil)
{
    Log("ClearBuffers", color.r, color.a, depth, stencil);
    ShadowRenderer::ClearBuffers(color, depth, stencil);
}

bool RecordingRenderer::ReadFrameBuffer(u8* pixels, u32 size)
{
    Log("ReadFrameBuffer", size);
    return ShadowRenderer::ReadFrameBuffer(pixels, size);
}

void RecordingRenderer::SetDisplaySettings(const DisplaySettings& replacement)
{
    Log("SetDisplaySettings");
    ShadowRenderer::SetDisplaySettings(replacement);
}

void RecordingRenderer::ToggleFullScreen()
{
    Log("ToggleFullScreen");
    ShadowRenderer::ToggleFullScreen();
}

void RecordingRenderer::SetVSync(u8 on)
{
    Log("SetVSync", on);
    ShadowRenderer::SetVSync(on);
}

void RecordingRenderer::IssueDraw(const DrawCall& call)
{
    if (!logging)
    {
        return;
    }
    RecordedDraw draw;
    draw.primitive = call.primitive;
    draw.first = call.first;
    draw.count = call.count;
    draw.indexed = call.indexed;
    draw.indices32 = call.indices32;
    draw.indices = call.indices;
    draw.vertices = vertexArray;
    draw.normals = normalArray;
    draw.colors = colorArray;
    draw.texCoords = texCoordArray;
    draw.world = world;
    draw.view = view;
    draw.projection = projection;
    draw.currentColor = currentColor;
    draw.texture0 = textures[0];
    draw.unit0 = unit0;
    draw.depthBuffer = depthBuffer;
    draw.alphaBlending = alphaBlending;
    draw.alphaTesting = alphaTesting;
    draw.lighting = lighting;
    draw.culling = culling;
    draws.push_back(draw);
}

Core::RefPtr<RecordingRenderer> CreateRecordingRenderer(const DisplaySettings& settings)
{
    Core::RefPtr<RecordingRenderer> renderer(new (__FILE__, __LINE__) RecordingRenderer(settings));
    SetRenderer(renderer.Get());
    return renderer;
}
}  // namespace Renderer
