#include "renderer/Renderer_ShadowRenderer.h"

#include "renderer/Renderer_Extensions.h"

#include <GL/glu.h>

#include <cstring>

namespace Renderer
{
namespace
{
const Math::Color Black(0.0f, 0.0f, 0.0f, 1.0f);

const char* const UnitSetterNames[TextureMatrixCount] = {
    "SetTextureUnit0State", "SetTextureUnit1State", "SetTextureUnit2State", "SetTextureUnit3State",
    "SetTextureUnit4State", "SetTextureUnit5State", "SetTextureUnit6State", "SetTextureUnit7State"};

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

void ShadowRenderer::Note(const char*, f64, f64, f64, f64)
{
}

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
    Note("SetMaterial");
    material = state;
}

void ShadowRenderer::SetNormalizeNormalsState(const NormalizeNormalsState& state)
{
    Note("SetNormalizeNormalsState");
    normalizeNormals = state;
}

void ShadowRenderer::SetLightingState(const LightingState& state)
{
    Note("SetLightingState");
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
    Note(UnitSetterNames[unit]);
    SelectTextureUnit(static_cast<i32>(unit));
    UnitState(unit) = state;
}

void ShadowRenderer::SetLineState(const LineState& state)
{
    Note("SetLineState", state.width);
    line = state;
}

void ShadowRenderer::SetPointState(const PointState& state)
{
    Note("SetPointState", state.size);
    point = state;
}

void ShadowRenderer::SetDitheringState(const DitheringState& state)
{
    Note("SetDitheringState", state.enabled);
    dithering = state;
}

void ShadowRenderer::SetTriangleOffsetState(const TriangleOffsetState& state)
{
    Note("SetTriangleOffsetState", state.factor, state.units, state.enabled);
    triangleOffset = state;
}

void ShadowRenderer::SetStencilBufferState(const StencilBufferState& state)
{
    Note("SetStencilBufferState", state.function, state.reference, state.enabled);
    stencilBuffer = state;
}

void ShadowRenderer::SetDepthBufferState(const DepthBufferState& state)
{
    Note("SetDepthBufferState", state.function, state.testEnabled, state.writeEnabled);
    depthBuffer = state;
}

void ShadowRenderer::SetShadingState(const ShadingState& state)
{
    Note("SetShadingState", state.mode);
    shading = state;
}

void ShadowRenderer::SetFillingState(const FillingState& state)
{
    Note("SetFillingState", state.mode);
    filling = state;
}

void ShadowRenderer::SetFogState(const FogState& state)
{
    Note("SetFogState", state.mode, state.enabled);
    fog = state;
}

void ShadowRenderer::SetCullingState(const CullingState& state)
{
    Note("SetCullingState", state.face, state.enabled);
    culling = state;
}

void ShadowRenderer::SetAlphaTestingState(const AlphaTestingState& state)
{
    Note("SetAlphaTestingState", state.function, state.reference, state.enabled);
    alphaTesting = state;
}

void ShadowRenderer::SetAlphaBlendingState(const AlphaBlendingState& state)
{
    Note("SetAlphaBlendingState", state.source, state.destination, state.enabled);
    alphaBlending = state;
}

void ShadowRenderer::SetScissorState(const ScissorState& state)
{
    Note("SetScissorState", state.x, state.y, state.width, state.height);
    scissor = state;
}

void ShadowRenderer::SetColorMaskState(const ColorMaskState& state)
{
    Note("SetColorMaskState", state.red, state.green, state.blue, state.alpha);
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
    Note("SetTexture", unit);
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
    Note("SetLight", index);
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
    Note("SetTexGenPlane", plane.x, plane.y, plane.z, plane.w);
    texGenPlane = plane;
}

void ShadowRenderer::SetCurrentColor(const Math::Color& color)
{
    Note("SetCurrentColor", color.r, color.g, color.b, color.a);
    currentColor = color;
}

Math::Color ShadowRenderer::GetCurrentColor() const
{
    return currentColor;
}

// --- client arrays and draws ---------------------------------------------------------------------

void ShadowRenderer::SetVertexArray(const f32* xyz)
{
    Note("SetVertexArray", xyz ? 1 : 0);
    vertexArray = xyz;
}

void ShadowRenderer::SetNormalArray(const f32* xyz)
{
    Note("SetNormalArray", xyz ? 1 : 0);
    normalArray = xyz;
}

void ShadowRenderer::SetColorArray(const Math::Color* colors)
{
    Note("SetColorArray", colors ? 1 : 0);
    colorArray = colors;
}

void ShadowRenderer::SetSecondaryColorArray(const Math::Color* colors)
{
    Note("SetSecondaryColorArray", colors ? 1 : 0);
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
    Note("SetTexCoordArray", unit, uv ? 1 : 0);
    if (AcceptsTexCoordUnit(unit))
    {
        texCoordArray = uv;
    }
}

void ShadowRenderer::SetIndexArray32(const u32* indices)
{
    Note("SetIndexArray32", indices ? 1 : 0);
    indexArray = indices;
    indices16 = 0;
}

void ShadowRenderer::SetIndexArray16(const u16* indices)
{
    Note("SetIndexArray16", indices ? 1 : 0);
    indexArray = indices;
    indices16 = 1;
}

void ShadowRenderer::SetPrimitiveType(PrimitiveType primitive)
{
    Note("SetPrimitiveType", primitive);
    primitiveType = primitive;
}

PrimitiveType ShadowRenderer::GetPrimitiveType() const
{
    return primitiveType;
}

void ShadowRenderer::DrawRange(u32 first, u32 last)
{
    Note("DrawRange", first, last);
    // last < first would wrap the count round to billions of vertices.
    Draw(first, last >= first ? last - first + 1 : 0);
}

void ShadowRenderer::Draw(i32 count)
{
    Note("Draw", count);
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
    Note("DrawArrays", primitive, first, primitiveCount);
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
    Note("DrawIndexed", primitive, firstIndex, primitiveCount);
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
    Note("SetBuffer", index, buffer ? 1 : 0);
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
    Note("SetIndexBuffer", buffer ? 1 : 0);
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
    Note("DrawSurface", x, y, width, height);
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

void ShadowRenderer::DrawRect(f32 x1, f32 y1, f32 x2, f32 y2)
{
    Note("DrawRect", x1, y1, x2, y2);
}

void ShadowRenderer::SetLineStippleEnabled(u8 on)
{
    Note("SetLineStippleEnabled", on);
    lineStippleEnabled = on;
}

u8 ShadowRenderer::IsLineStippleEnabled() const
{
    return lineStippleEnabled;
}

void ShadowRenderer::SetLineStipplePattern(u16 pattern)
{
    Note("SetLineStipplePattern", pattern);
    lineStipplePattern = pattern;
}

u16 ShadowRenderer::GetLineStipplePattern() const
{
    return lineStipplePattern;
}

void ShadowRenderer::SetLineStippleFactor(i32 factor)
{
    Note("SetLineStippleFactor", factor);
    lineStippleFactor = factor;
}

i32 ShadowRenderer::GetLineStippleFactor() const
{
    return lineStippleFactor;
}

// --- frames ----------------------------------------------------------------------------------------

void ShadowRenderer::Present()
{
    Note("Present", static_cast<f64>(rasterQueue.size()));
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
    Note("SetViewport", rect.x, rect.y, rect.width, rect.height);
    viewport = rect;
}

ViewportRect ShadowRenderer::GetViewport() const
{
    return viewport;
}

void ShadowRenderer::SetWorldMatrix(const Math::Matrix4x4& matrix)
{
    Note("SetWorldMatrix");
    world = matrix;
    modelView = view * world;
}

Math::Matrix4x4 ShadowRenderer::GetWorldMatrix() const
{
    return world;
}

void ShadowRenderer::SetViewMatrix(const Math::Matrix4x4& matrix)
{
    Note("SetViewMatrix");
    view = matrix;
    modelView = view * world;
}

Math::Matrix4x4 ShadowRenderer::GetViewMatrix() const
{
    return view;
}

void ShadowRenderer::SetProjectionMatrix(const Math::Matrix4x4& matrix)
{
    Note("SetProjectionMatrix");
    projection = matrix;
}

Math::Matrix4x4 ShadowRenderer::GetProjectionMatrix() const
{
    return projection;
}

void ShadowRenderer::SetTextureMatrix(i32 unit, const Math::Matrix4x4& matrix)
{
    Note("SetTextureMatrix", unit);
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

void ShadowRenderer::ClearColorBuffer(const Math::Color& color)
{
    Note("ClearColorBuffer", color.r, color.g, color.b, color.a);
}

void ShadowRenderer::ClearDepthBuffer(f32 depth)
{
    Note("ClearDepthBuffer", depth);
}

void ShadowRenderer::ClearStencilBuffer(i32 value)
{
    Note("ClearStencilBuffer", value);
}

void ShadowRenderer::ClearBuffers(const Math::Color& color, f32 depth, i32 stencil)
{
    Note("ClearBuffers", color.r, color.a, depth, stencil);
}

bool ShadowRenderer::ReadFrameBuffer(u8*, u32 size)
{
    Note("ReadFrameBuffer", size);
    return false;
}

void ShadowRenderer::SetDisplaySettings(const DisplaySettings& replacement)
{
    Note("SetDisplaySettings");
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
    Note("ToggleFullScreen");
    settings.fullScreen = settings.fullScreen ? 0 : 1;
}

void ShadowRenderer::SetVSync(u8 on)
{
    Note("SetVSync", on);
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
