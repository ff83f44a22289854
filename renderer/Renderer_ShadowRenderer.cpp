#include "renderer/Renderer_ShadowRenderer.h"

#include "renderer/Renderer_Extensions.h"

#include <GL/glu.h>

#include <cstring>

namespace Renderer
{
namespace
{
const Math::Color Black(0.0f, 0.0f, 0.0f, 1.0f);

void Widen(const Math::Matrix4x4& matrix, GLdouble (&out)[16])
{
    for (int i = 0; i < 16; ++i)
    {
        out[i] = matrix.e[i];
    }
}
}  // namespace

ShadowRenderer::ShadowRenderer(const DisplaySettings& settings)
    : settings(settings),
      material(Math::Color(0.2f, 0.2f, 0.2f, 1.0f), Math::Color(0.8f, 0.8f, 0.8f, 1.0f), Black, Black, 0.0f)
{
    viewport.width = settings.width;
    viewport.height = settings.height;
}

ShadowRenderer::~ShadowRenderer() = default;

void ShadowRenderer::SetTextureUnits(u8 hasMultitexture, i32 unitCount)
{
    multitexture = hasMultitexture;
    textureUnitCount = unitCount;
}

void ShadowRenderer::SetGLExtensions(const char* names)
{
    SplitExtensionNames(names, glExtensions);
}

bool ShadowRenderer::HasGLExtension(const char* name) const
{
    return HasExtensionName(glExtensions, name);
}

// --- render states -------------------------------------------------------------------------------

void ShadowRenderer::SetMaterial(const Material& state)
{
    material = state;
}

void ShadowRenderer::SetNormalizeNormalsState(const NormalizeNormalsState& state)
{
    normalizeNormals = state;
}

void ShadowRenderer::SetLightingState(const LightingState& state)
{
    lighting = state;
}

void ShadowRenderer::SetTextureUnit7State(const TextureUnit7State& state)
{
    SetTexturingState(7, state);
}

void ShadowRenderer::SetTextureUnit6State(const TextureUnit6State& state)
{
    SetTexturingState(6, state);
}

void ShadowRenderer::SetTextureUnit5State(const TextureUnit5State& state)
{
    SetTexturingState(5, state);
}

void ShadowRenderer::SetTextureUnit4State(const TextureUnit4State& state)
{
    SetTexturingState(4, state);
}

void ShadowRenderer::SetTextureUnit3State(const TextureUnit3State& state)
{
    SetTexturingState(3, state);
}

void ShadowRenderer::SetTextureUnit2State(const TextureUnit2State& state)
{
    SetTexturingState(2, state);
}

void ShadowRenderer::SetTextureUnit1State(const TextureUnit1State& state)
{
    SetTexturingState(1, state);
}

void ShadowRenderer::SetTextureUnit0State(const TextureUnit0State& state)
{
    SetTexturingState(0, state);
}

void ShadowRenderer::SetTexturingState(u32 unit, const TexturingState& state)
{
    SelectTextureUnit(static_cast<i32>(unit));
    UnitState(unit) = state;
}

void ShadowRenderer::SetLineState(const LineState& state)
{
    line = state;
}

void ShadowRenderer::SetPointState(const PointState& state)
{
    point = state;
}

void ShadowRenderer::SetDitheringState(const DitheringState& state)
{
    dithering = state;
}

void ShadowRenderer::SetTriangleOffsetState(const TriangleOffsetState& state)
{
    triangleOffset = state;
}

void ShadowRenderer::SetStencilBufferState(const StencilBufferState& state)
{
    stencilBuffer = state;
}

void ShadowRenderer::SetDepthBufferState(const DepthBufferState& state)
{
    depthBuffer = state;
}

void ShadowRenderer::SetShadingState(const ShadingState& state)
{
    shading = state;
}

void ShadowRenderer::SetFillingState(const FillingState& state)
{
    filling = state;
}

void ShadowRenderer::SetFogState(const FogState& state)
{
    fog = state;
}

void ShadowRenderer::SetCullingState(const CullingState& state)
{
    culling = state;
}

void ShadowRenderer::SetAlphaTestingState(const AlphaTestingState& state)
{
    alphaTesting = state;
}

void ShadowRenderer::SetAlphaBlendingState(const AlphaBlendingState& state)
{
    alphaBlending = state;
}

void ShadowRenderer::SetScissorState(const ScissorState& state)
{
    scissor = state;
}

void ShadowRenderer::SetColorMaskState(const ColorMaskState& state)
{
    colorMask = state;
}

Material& ShadowRenderer::GetMaterial(Material& state) const
{
    return state = material;
}

NormalizeNormalsState& ShadowRenderer::GetNormalizeNormalsState(NormalizeNormalsState& state) const
{
    return state = normalizeNormals;
}

LightingState& ShadowRenderer::GetLightingState(LightingState& state) const
{
    return state = lighting;
}

TextureUnit7State& ShadowRenderer::GetTextureUnit7State(TextureUnit7State& state) const
{
    return state = unit7;
}

TextureUnit6State& ShadowRenderer::GetTextureUnit6State(TextureUnit6State& state) const
{
    return state = unit6;
}

TextureUnit5State& ShadowRenderer::GetTextureUnit5State(TextureUnit5State& state) const
{
    return state = unit5;
}

TextureUnit4State& ShadowRenderer::GetTextureUnit4State(TextureUnit4State& state) const
{
    return state = unit4;
}

TextureUnit3State& ShadowRenderer::GetTextureUnit3State(TextureUnit3State& state) const
{
    return state = unit3;
}

TextureUnit2State& ShadowRenderer::GetTextureUnit2State(TextureUnit2State& state) const
{
    return state = unit2;
}

TextureUnit1State& ShadowRenderer::GetTextureUnit1State(TextureUnit1State& state) const
{
    return state = unit1;
}

TextureUnit0State& ShadowRenderer::GetTextureUnit0State(TextureUnit0State& state) const
{
    return state = unit0;
}

LineState& ShadowRenderer::GetLineState(LineState& state) const
{
    return state = line;
}

PointState& ShadowRenderer::GetPointState(PointState& state) const
{
    return state = point;
}

DitheringState& ShadowRenderer::GetDitheringState(DitheringState& state) const
{
    return state = dithering;
}

TriangleOffsetState& ShadowRenderer::GetTriangleOffsetState(TriangleOffsetState& state) const
{
    return state = triangleOffset;
}

StencilBufferState& ShadowRenderer::GetStencilBufferState(StencilBufferState& state) const
{
    return state = stencilBuffer;
}

DepthBufferState& ShadowRenderer::GetDepthBufferState(DepthBufferState& state) const
{
    return state = depthBuffer;
}

ShadingState& ShadowRenderer::GetShadingState(ShadingState& state) const
{
    return state = shading;
}

FillingState& ShadowRenderer::GetFillingState(FillingState& state) const
{
    return state = filling;
}

FogState& ShadowRenderer::GetFogState(FogState& state) const
{
    return state = fog;
}

CullingState& ShadowRenderer::GetCullingState(CullingState& state) const
{
    return state = culling;
}

AlphaTestingState& ShadowRenderer::GetAlphaTestingState(AlphaTestingState& state) const
{
    return state = alphaTesting;
}

AlphaBlendingState& ShadowRenderer::GetAlphaBlendingState(AlphaBlendingState& state) const
{
    return state = alphaBlending;
}

ScissorState& ShadowRenderer::GetScissorState(ScissorState& state) const
{
    return state = scissor;
}

ColorMaskState& ShadowRenderer::GetColorMaskState(ColorMaskState& state) const
{
    return state = colorMask;
}

// --- textures and lights -------------------------------------------------------------------------

bool ShadowRenderer::SelectTextureUnit(i32 unit)
{
    const bool available = multitexture && unit >= 0 && unit < textureUnitCount &&
                           unit < static_cast<i32>(TextureSlotCount);
    activeTextureUnit = available ? static_cast<u32>(unit) : 0;
    return available;
}

void ShadowRenderer::SetTexture(i32 unit, ITexture* texture)
{
    if (unit < 0 || unit >= static_cast<i32>(TextureSlotCount))
    {
        return;
    }
    SelectTextureUnit(unit);
    if (textures[unit].Get() != texture)
    {
        textures[unit] = texture;
    }
}

Core::RefPtr<ITexture> ShadowRenderer::GetTexture(u32 unit) const
{
    return unit < TextureSlotCount ? textures[unit] : Core::RefPtr<ITexture>();
}

void ShadowRenderer::SetLight(u32 index, Light* light)
{
    if (index < LightCount)
    {
        lights[index] = light;
    }
}

Core::RefPtr<Light> ShadowRenderer::GetLight(u32 index) const
{
    return index < LightCount ? lights[index] : Core::RefPtr<Light>();
}

void ShadowRenderer::SetTexGenPlane(const Math::Vector4D& plane)
{
    texGenPlane = plane;
}

void ShadowRenderer::SetCurrentColor(const Math::Color& color)
{
    currentColor = color;
}

Math::Color ShadowRenderer::GetCurrentColor() const
{
    return currentColor;
}

// --- client arrays and draws ---------------------------------------------------------------------

void ShadowRenderer::SetVertexArray(const f32* xyz)
{
    vertexArray = xyz;
}

void ShadowRenderer::SetNormalArray(const f32* xyz)
{
    normalArray = xyz;
}

void ShadowRenderer::SetColorArray(const Math::Color* colors)
{
    colorArray = colors;
}

void ShadowRenderer::SetSecondaryColorArray(const Math::Color* colors)
{
    secondaryColorArray = colors;
}

bool ShadowRenderer::AcceptsTexCoordUnit(i32 unit) const
{
    // With multitexture a unit the device lacks would be refused, and the pointer would land on
    // whichever unit was selected before.
    const i32 limit = multitexture ? textureUnitCount : static_cast<i32>(TextureSlotCount);
    return unit >= 0 && unit < limit && unit < static_cast<i32>(TextureSlotCount);
}

void ShadowRenderer::SetTexCoordArray(i32 unit, const f32* uv)
{
    if (AcceptsTexCoordUnit(unit))
    {
        texCoordArray = uv;
    }
}

void ShadowRenderer::SetIndexArray32(const u32* indices)
{
    indexArray = indices;
    indices16 = 0;
}

void ShadowRenderer::SetIndexArray16(const u16* indices)
{
    indexArray = indices;
    indices16 = 1;
}

void ShadowRenderer::SetPrimitiveType(PrimitiveType primitive)
{
    primitiveType = primitive;
}

PrimitiveType ShadowRenderer::GetPrimitiveType() const
{
    return primitiveType;
}

void ShadowRenderer::DrawRange(u32 first, u32 last)
{
    // last < first would wrap the count round to billions of vertices.
    Draw(first, last >= first ? last - first + 1 : 0);
}

void ShadowRenderer::Draw(i32 count)
{
    Draw(0, count > 0 ? static_cast<u32>(count) : 0);
}

void ShadowRenderer::Draw(u32 first, u32 count)
{
    if (!vertexArray || count == 0 || !IsDrawablePrimitive(primitiveType))
    {
        return;
    }
    DrawCall call;
    call.primitive = primitiveType;
    call.first = first;
    call.count = count;
    call.indexed = indexArray ? 1 : 0;
    call.indices = indexArray;
    call.indices32 = indices16 ? 0 : 1;
    IssueDraw(call);
}

void ShadowRenderer::DrawArrays(PrimitiveType primitive, i32 first, u32 primitiveCount)
{
    const u32 count = VertexCountOf(primitive, primitiveCount);
    if (count == 0 || first < 0)
    {
        return;
    }
    DrawCall call;
    call.primitive = primitive;
    call.first = static_cast<u32>(first);
    call.count = count;
    IssueDraw(call);
}

void ShadowRenderer::DrawIndexed(PrimitiveType primitive, u32 firstIndex, u32 primitiveCount)
{
    const u32 count = VertexCountOf(primitive, primitiveCount);
    if (count == 0 || !indexBuffer)
    {
        return;
    }
    DrawCall call;
    call.primitive = primitive;
    call.first = firstIndex;
    call.count = count;
    call.indexed = 1;
    call.indices = indexBuffer->GetBase();
    call.indices32 = indexBuffer->Uses32BitIndices() ? 1 : 0;
    IssueDraw(call);
}

void ShadowRenderer::IssueDraw(const DrawCall&)
{
}

void ShadowRenderer::SetBuffer(u32 index, IBuffer* buffer)
{
    if (index >= BufferSlotCount)
    {
        return;
    }
    if (buffers[index])
    {
        buffers[index]->Unbind();
    }
    buffers[index] = buffer;
    if (buffer)
    {
        buffer->Bind();
    }
}

Core::RefPtr<IBuffer> ShadowRenderer::GetBuffer(u32 index) const
{
    return index < BufferSlotCount ? buffers[index] : Core::RefPtr<IBuffer>();
}

void ShadowRenderer::SetIndexBuffer(IBuffer* buffer)
{
    if (indexBuffer)
    {
        indexBuffer->Unbind();
    }
    indexBuffer = buffer;
    if (buffer)
    {
        buffer->Bind();
    }
}

void ShadowRenderer::DrawSurface(Surface* surface, u32 x, u32 y, u32 sourceX, u32 sourceY, u32 width, u32 height,
                                    u8 flipX, u8 flipY)
{
    QueueRasterCommand(new (__FILE__, __LINE__)
                           DrawSurfaceCommand(surface, x, y, sourceX, sourceY, width, height, flipX, flipY));
}

void ShadowRenderer::QueueRasterCommand(RasterCommand* command)
{
    if (command)
    {
        rasterQueue.emplace_back(command);
    }
}

void ShadowRenderer::DrawRect(f32, f32, f32, f32)
{
}

void ShadowRenderer::SetLineStippleEnabled(u8 on)
{
    lineStippleEnabled = on;
}

u8 ShadowRenderer::IsLineStippleEnabled() const
{
    return lineStippleEnabled;
}

void ShadowRenderer::SetLineStipplePattern(u16 pattern)
{
    lineStipplePattern = pattern;
}

u16 ShadowRenderer::GetLineStipplePattern() const
{
    return lineStipplePattern;
}

void ShadowRenderer::SetLineStippleFactor(i32 factor)
{
    lineStippleFactor = factor;
}

i32 ShadowRenderer::GetLineStippleFactor() const
{
    return lineStippleFactor;
}

// --- frames ----------------------------------------------------------------------------------------

void ShadowRenderer::Present()
{
    if (!rasterQueue.empty())
    {
        ExecuteRasterQueue();
        rasterQueue.clear();
    }
    SwapFrame();
}

void ShadowRenderer::ExecuteRasterQueue()
{
}

void ShadowRenderer::SwapFrame()
{
}

// --- viewport and matrices -------------------------------------------------------------------------

void ShadowRenderer::SetViewport(const ViewportRect& rect)
{
    viewport = rect;
}

ViewportRect ShadowRenderer::GetViewport() const
{
    return viewport;
}

void ShadowRenderer::SetWorldMatrix(const Math::Matrix4x4& matrix)
{
    world = matrix;
    modelView = view * world;
}

Math::Matrix4x4 ShadowRenderer::GetWorldMatrix() const
{
    return world;
}

void ShadowRenderer::SetViewMatrix(const Math::Matrix4x4& matrix)
{
    view = matrix;
    modelView = view * world;
}

Math::Matrix4x4 ShadowRenderer::GetViewMatrix() const
{
    return view;
}

void ShadowRenderer::SetProjectionMatrix(const Math::Matrix4x4& matrix)
{
    projection = matrix;
}

Math::Matrix4x4 ShadowRenderer::GetProjectionMatrix() const
{
    return projection;
}

void ShadowRenderer::SetTextureMatrix(i32 unit, const Math::Matrix4x4& matrix)
{
    if (unit < 0 || unit >= static_cast<i32>(TextureMatrixCount))
    {
        return;
    }
    SelectTextureUnit(unit);
    textureMatrices[unit] = matrix;
}

Math::Matrix4x4 ShadowRenderer::GetTextureMatrix(u32 unit) const
{
    return unit < TextureMatrixCount ? textureMatrices[unit] : Math::Matrix4x4();
}

bool ShadowRenderer::Project(Math::Vector3D& window, const Math::Vector3D& object) const
{
    GLdouble model[16];
    GLdouble projected[16];
    Widen(modelView, model);
    Widen(projection, projected);
    const GLint rect[4] = {viewport.x, viewport.y, viewport.width, viewport.height};
    GLdouble x = 0.0;
    GLdouble y = 0.0;
    GLdouble z = 0.0;
    if (gluProject(object.x, object.y, object.z, model, projected, rect, &x, &y, &z) != GL_TRUE)
    {
        return false;
    }
    window = Math::Vector3D(static_cast<f32>(x), static_cast<f32>(y), static_cast<f32>(z));
    return true;
}

bool ShadowRenderer::Unproject(Math::Vector3D& object, const Math::Vector3D& window) const
{
    GLdouble model[16];
    GLdouble projected[16];
    Widen(modelView, model);
    Widen(projection, projected);
    const GLint rect[4] = {viewport.x, viewport.y, viewport.width, viewport.height};
    GLdouble x = 0.0;
    GLdouble y = 0.0;
    GLdouble z = 0.0;
    if (gluUnProject(window.x, window.y, window.z, model, projected, rect, &x, &y, &z) != GL_TRUE)
    {
        return false;
    }
    object = Math::Vector3D(static_cast<f32>(x), static_cast<f32>(y), static_cast<f32>(z));
    return true;
}

// --- clears, read-back, display ------------------------------------------------------------------

void ShadowRenderer::ClearColorBuffer(const Math::Color&)
{
}

void ShadowRenderer::ClearDepthBuffer(f32)
{
}

void ShadowRenderer::ClearStencilBuffer(i32)
{
}

void ShadowRenderer::ClearBuffers(const Math::Color&, f32, i32)
{
}

bool ShadowRenderer::ReadFrameBuffer(u8*, u32)
{
    return false;
}

void ShadowRenderer::SetDisplaySettings(const DisplaySettings& replacement)
{
    settings = replacement;
}

DisplaySettings ShadowRenderer::GetDisplaySettings() const
{
    return settings;
}

void ShadowRenderer::GetFixedTriple(i32& first, i32& second, i32& third) const
{
    first = 0;
    second = 1;
    third = 0;
}

void ShadowRenderer::ToggleFullScreen()
{
    settings.fullScreen = settings.fullScreen ? 0 : 1;
}

void ShadowRenderer::SetVSync(u8 on)
{
    settings.vsync = on;
}

u8 ShadowRenderer::GetVSync() const
{
    return settings.vsync;
}

bool IsExtensionSupported(const char* name)
{
    const Core::RefPtr<IRenderer> renderer = GetRenderer();
    const auto* recording = dynamic_cast<const ShadowRenderer*>(renderer.Get());
    return recording && recording->HasGLExtension(name);
}
}  // namespace Renderer
