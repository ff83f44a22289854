#include "renderer/Renderer_RecordingRenderer.h"

#include "renderer/Renderer_Extensions.h"

#include <GL/glu.h>

#include <cstring>

namespace Renderer
{
namespace
{
const char* const UnitSetterNames[TextureMatrixCount] = {
    "SetTextureUnit0State", "SetTextureUnit1State", "SetTextureUnit2State", "SetTextureUnit3State",
    "SetTextureUnit4State", "SetTextureUnit5State", "SetTextureUnit6State", "SetTextureUnit7State"};

const Math::Color Black(0.0f, 0.0f, 0.0f, 1.0f);

void Widen(const Math::Matrix4x4& matrix, GLdouble (&out)[16])
{
    for (int i = 0; i < 16; ++i)
    {
        out[i] = matrix.e[i];
    }
}
}  // namespace

RecordingRenderer::RecordingRenderer(const DisplaySettings& settings)
    : settings(settings),
      material(Math::Color(0.2f, 0.2f, 0.2f, 1.0f), Math::Color(0.8f, 0.8f, 0.8f, 1.0f), Black, Black, 0.0f)
{
    viewport.width = settings.width;
    viewport.height = settings.height;
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

void RecordingRenderer::SetTextureUnits(u8 hasMultitexture, i32 unitCount)
{
    multitexture = hasMultitexture;
    textureUnitCount = unitCount;
}

void RecordingRenderer::SetGLExtensions(const char* names)
{
    SplitExtensionNames(names, glExtensions);
}

bool RecordingRenderer::HasGLExtension(const char* name) const
{
    return HasExtensionName(glExtensions, name);
}

// --- render states -------------------------------------------------------------------------------

void RecordingRenderer::SetMaterial(const Material& state)
{
    Log("SetMaterial");
    material = state;
}

void RecordingRenderer::SetNormalizeNormalsState(const NormalizeNormalsState& state)
{
    Log("SetNormalizeNormalsState");
    normalizeNormals = state;
}

void RecordingRenderer::SetLightingState(const LightingState& state)
{
    Log("SetLightingState");
    lighting = state;
}

void RecordingRenderer::SetTextureUnit7State(const TextureUnit7State& state)
{
    SetTexturingState(7, state);
}

void RecordingRenderer::SetTextureUnit6State(const TextureUnit6State& state)
{
    SetTexturingState(6, state);
}

void RecordingRenderer::SetTextureUnit5State(const TextureUnit5State& state)
{
    SetTexturingState(5, state);
}

void RecordingRenderer::SetTextureUnit4State(const TextureUnit4State& state)
{
    SetTexturingState(4, state);
}

void RecordingRenderer::SetTextureUnit3State(const TextureUnit3State& state)
{
    SetTexturingState(3, state);
}

void RecordingRenderer::SetTextureUnit2State(const TextureUnit2State& state)
{
    SetTexturingState(2, state);
}

void RecordingRenderer::SetTextureUnit1State(const TextureUnit1State& state)
{
    SetTexturingState(1, state);
}

void RecordingRenderer::SetTextureUnit0State(const TextureUnit0State& state)
{
    SetTexturingState(0, state);
}

void RecordingRenderer::SetTexturingState(u32 unit, const TexturingState& state)
{
    Log(UnitSetterNames[unit]);
    SelectTextureUnit(static_cast<i32>(unit));
    UnitState(unit) = state;
}

void RecordingRenderer::SetLineState(const LineState& state)
{
    Log("SetLineState", state.width);
    line = state;
}

void RecordingRenderer::SetPointState(const PointState& state)
{
    Log("SetPointState", state.size);
    point = state;
}

void RecordingRenderer::SetDitheringState(const DitheringState& state)
{
    Log("SetDitheringState", state.enabled);
    dithering = state;
}

void RecordingRenderer::SetTriangleOffsetState(const TriangleOffsetState& state)
{
    Log("SetTriangleOffsetState", state.factor, state.units, state.enabled);
    triangleOffset = state;
}

void RecordingRenderer::SetStencilBufferState(const StencilBufferState& state)
{
    Log("SetStencilBufferState", state.function, state.reference, state.enabled);
    stencilBuffer = state;
}

void RecordingRenderer::SetDepthBufferState(const DepthBufferState& state)
{
    Log("SetDepthBufferState", state.function, state.testEnabled, state.writeEnabled);
    depthBuffer = state;
}

void RecordingRenderer::SetShadingState(const ShadingState& state)
{
    Log("SetShadingState", state.mode);
    shading = state;
}

void RecordingRenderer::SetFillingState(const FillingState& state)
{
    Log("SetFillingState", state.mode);
    filling = state;
}

void RecordingRenderer::SetFogState(const FogState& state)
{
    Log("SetFogState", state.mode, state.enabled);
    fog = state;
}

void RecordingRenderer::SetCullingState(const CullingState& state)
{
    Log("SetCullingState", state.face, state.enabled);
    culling = state;
}

void RecordingRenderer::SetAlphaTestingState(const AlphaTestingState& state)
{
    Log("SetAlphaTestingState", state.function, state.reference, state.enabled);
    alphaTesting = state;
}

void RecordingRenderer::SetAlphaBlendingState(const AlphaBlendingState& state)
{
    Log("SetAlphaBlendingState", state.source, state.destination, state.enabled);
    alphaBlending = state;
}

void RecordingRenderer::SetScissorState(const ScissorState& state)
{
    Log("SetScissorState", state.x, state.y, state.width, state.height);
    scissor = state;
}

void RecordingRenderer::SetColorMaskState(const ColorMaskState& state)
{
    Log("SetColorMaskState", state.red, state.green, state.blue, state.alpha);
    colorMask = state;
}

Material& RecordingRenderer::GetMaterial(Material& state) const
{
    return state = material;
}

NormalizeNormalsState& RecordingRenderer::GetNormalizeNormalsState(NormalizeNormalsState& state) const
{
    return state = normalizeNormals;
}

LightingState& RecordingRenderer::GetLightingState(LightingState& state) const
{
    return state = lighting;
}

TextureUnit7State& RecordingRenderer::GetTextureUnit7State(TextureUnit7State& state) const
{
    return state = unit7;
}

TextureUnit6State& RecordingRenderer::GetTextureUnit6State(TextureUnit6State& state) const
{
    return state = unit6;
}

TextureUnit5State& RecordingRenderer::GetTextureUnit5State(TextureUnit5State& state) const
{
    return state = unit5;
}

TextureUnit4State& RecordingRenderer::GetTextureUnit4State(TextureUnit4State& state) const
{
    return state = unit4;
}

TextureUnit3State& RecordingRenderer::GetTextureUnit3State(TextureUnit3State& state) const
{
    return state = unit3;
}

TextureUnit2State& RecordingRenderer::GetTextureUnit2State(TextureUnit2State& state) const
{
    return state = unit2;
}

TextureUnit1State& RecordingRenderer::GetTextureUnit1State(TextureUnit1State& state) const
{
    return state = unit1;
}

TextureUnit0State& RecordingRenderer::GetTextureUnit0State(TextureUnit0State& state) const
{
    return state = unit0;
}

LineState& RecordingRenderer::GetLineState(LineState& state) const
{
    return state = line;
}

PointState& RecordingRenderer::GetPointState(PointState& state) const
{
    return state = point;
}

DitheringState& RecordingRenderer::GetDitheringState(DitheringState& state) const
{
    return state = dithering;
}

TriangleOffsetState& RecordingRenderer::GetTriangleOffsetState(TriangleOffsetState& state) const
{
    return state = triangleOffset;
}

StencilBufferState& RecordingRenderer::GetStencilBufferState(StencilBufferState& state) const
{
    return state = stencilBuffer;
}

DepthBufferState& RecordingRenderer::GetDepthBufferState(DepthBufferState& state) const
{
    return state = depthBuffer;
}

ShadingState& RecordingRenderer::GetShadingState(ShadingState& state) const
{
    return state = shading;
}

FillingState& RecordingRenderer::GetFillingState(FillingState& state) const
{
    return state = filling;
}

FogState& RecordingRenderer::GetFogState(FogState& state) const
{
    return state = fog;
}

CullingState& RecordingRenderer::GetCullingState(CullingState& state) const
{
    return state = culling;
}

AlphaTestingState& RecordingRenderer::GetAlphaTestingState(AlphaTestingState& state) const
{
    return state = alphaTesting;
}

AlphaBlendingState& RecordingRenderer::GetAlphaBlendingState(AlphaBlendingState& state) const
{
    return state = alphaBlending;
}

ScissorState& RecordingRenderer::GetScissorState(ScissorState& state) const
{
    return state = scissor;
}

ColorMaskState& RecordingRenderer::GetColorMaskState(ColorMaskState& state) const
{
    return state = colorMask;
}

// --- textures and lights -------------------------------------------------------------------------

bool RecordingRenderer::SelectTextureUnit(i32 unit)
{
    const bool available = multitexture && unit >= 0 && unit < textureUnitCount &&
                           unit < static_cast<i32>(TextureSlotCount);
    activeTextureUnit = available ? static_cast<u32>(unit) : 0;
    return available;
}

void RecordingRenderer::SetTexture(i32 unit, ITexture* texture)
{
    Log("SetTexture", unit);
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

Core::RefPtr<ITexture> RecordingRenderer::GetTexture(u32 unit) const
{
    return unit < TextureSlotCount ? textures[unit] : Core::RefPtr<ITexture>();
}

void RecordingRenderer::SetLight(u32 index, Light* light)
{
    Log("SetLight", index);
    if (index < LightCount)
    {
        lights[index] = light;
    }
}

Core::RefPtr<Light> RecordingRenderer::GetLight(u32 index) const
{
    return index < LightCount ? lights[index] : Core::RefPtr<Light>();
}

void RecordingRenderer::SetTexGenPlane(const Math::Vector4D& plane)
{
    Log("SetTexGenPlane", plane.x, plane.y, plane.z, plane.w);
    texGenPlane = plane;
}

void RecordingRenderer::SetCurrentColor(const Math::Color& color)
{
    Log("SetCurrentColor", color.r, color.g, color.b, color.a);
    currentColor = color;
}

Math::Color RecordingRenderer::GetCurrentColor() const
{
    return currentColor;
}

// --- client arrays and draws ---------------------------------------------------------------------

void RecordingRenderer::SetVertexArray(const f32* xyz)
{
    Log("SetVertexArray", xyz ? 1 : 0);
    vertexArray = xyz;
}

void RecordingRenderer::SetNormalArray(const f32* xyz)
{
    Log("SetNormalArray", xyz ? 1 : 0);
    normalArray = xyz;
}

void RecordingRenderer::SetColorArray(const Math::Color* colors)
{
    Log("SetColorArray", colors ? 1 : 0);
    colorArray = colors;
}

void RecordingRenderer::SetSecondaryColorArray(const Math::Color* colors)
{
    Log("SetSecondaryColorArray", colors ? 1 : 0);
    secondaryColorArray = colors;
}

bool RecordingRenderer::AcceptsTexCoordUnit(i32 unit) const
{
    // With multitexture a unit the device lacks would be refused, and the pointer would land on
    // whichever unit was selected before.
    const i32 limit = multitexture ? textureUnitCount : static_cast<i32>(TextureSlotCount);
    return unit >= 0 && unit < limit && unit < static_cast<i32>(TextureSlotCount);
}

void RecordingRenderer::SetTexCoordArray(i32 unit, const f32* uv)
{
    Log("SetTexCoordArray", unit, uv ? 1 : 0);
    if (AcceptsTexCoordUnit(unit))
    {
        texCoordArray = uv;
    }
}

void RecordingRenderer::SetIndexArray32(const u32* indices)
{
    Log("SetIndexArray32", indices ? 1 : 0);
    indexArray = indices;
    indices16 = 0;
}

void RecordingRenderer::SetIndexArray16(const u16* indices)
{
    Log("SetIndexArray16", indices ? 1 : 0);
    indexArray = indices;
    indices16 = 1;
}

void RecordingRenderer::SetPrimitiveType(PrimitiveType primitive)
{
    Log("SetPrimitiveType", primitive);
    primitiveType = primitive;
}

PrimitiveType RecordingRenderer::GetPrimitiveType() const
{
    return primitiveType;
}

void RecordingRenderer::DrawRange(u32 first, u32 last)
{
    Log("DrawRange", first, last);
    // last < first would wrap the count round to billions of vertices.
    Draw(first, last >= first ? last - first + 1 : 0);
}

void RecordingRenderer::Draw(i32 count)
{
    Log("Draw", count);
    Draw(0, count > 0 ? static_cast<u32>(count) : 0);
}

void RecordingRenderer::Draw(u32 first, u32 count)
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

void RecordingRenderer::DrawArrays(PrimitiveType primitive, i32 first, u32 primitiveCount)
{
    Log("DrawArrays", primitive, first, primitiveCount);
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

void RecordingRenderer::DrawIndexed(PrimitiveType primitive, u32 firstIndex, u32 primitiveCount)
{
    Log("DrawIndexed", primitive, firstIndex, primitiveCount);
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

void RecordingRenderer::SetBuffer(u32 index, IBuffer* buffer)
{
    Log("SetBuffer", index, buffer ? 1 : 0);
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

Core::RefPtr<IBuffer> RecordingRenderer::GetBuffer(u32 index) const
{
    return index < BufferSlotCount ? buffers[index] : Core::RefPtr<IBuffer>();
}

void RecordingRenderer::SetIndexBuffer(IBuffer* buffer)
{
    Log("SetIndexBuffer", buffer ? 1 : 0);
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

void RecordingRenderer::DrawSurface(Surface* surface, u32 x, u32 y, u32 sourceX, u32 sourceY, u32 width, u32 height,
                                    u8 flipX, u8 flipY)
{
    Log("DrawSurface", x, y, width, height);
    QueueRasterCommand(new (__FILE__, __LINE__)
                           DrawSurfaceCommand(surface, x, y, sourceX, sourceY, width, height, flipX, flipY));
}

void RecordingRenderer::QueueRasterCommand(RasterCommand* command)
{
    if (command)
    {
        rasterQueue.emplace_back(command);
    }
}

void RecordingRenderer::DrawRect(f32 x1, f32 y1, f32 x2, f32 y2)
{
    Log("DrawRect", x1, y1, x2, y2);
}

void RecordingRenderer::SetLineStippleEnabled(u8 on)
{
    Log("SetLineStippleEnabled", on);
    lineStippleEnabled = on;
}

u8 RecordingRenderer::IsLineStippleEnabled() const
{
    return lineStippleEnabled;
}

void RecordingRenderer::SetLineStipplePattern(u16 pattern)
{
    Log("SetLineStipplePattern", pattern);
    lineStipplePattern = pattern;
}

u16 RecordingRenderer::GetLineStipplePattern() const
{
    return lineStipplePattern;
}

void RecordingRenderer::SetLineStippleFactor(i32 factor)
{
    Log("SetLineStippleFactor", factor);
    lineStippleFactor = factor;
}

i32 RecordingRenderer::GetLineStippleFactor() const
{
    return lineStippleFactor;
}

// --- frames ----------------------------------------------------------------------------------------

void RecordingRenderer::Present()
{
    Log("Present", static_cast<f64>(rasterQueue.size()));
    if (!rasterQueue.empty())
    {
        ExecuteRasterQueue();
        rasterQueue.clear();
    }
    SwapFrame();
}

void RecordingRenderer::ExecuteRasterQueue()
{
}

void RecordingRenderer::SwapFrame()
{
}

// --- viewport and matrices -------------------------------------------------------------------------

void RecordingRenderer::SetViewport(const ViewportRect& rect)
{
    Log("SetViewport", rect.x, rect.y, rect.width, rect.height);
    viewport = rect;
}

ViewportRect RecordingRenderer::GetViewport() const
{
    return viewport;
}

void RecordingRenderer::SetWorldMatrix(const Math::Matrix4x4& matrix)
{
    Log("SetWorldMatrix");
    world = matrix;
    modelView = view * world;
}

Math::Matrix4x4 RecordingRenderer::GetWorldMatrix() const
{
    return world;
}

void RecordingRenderer::SetViewMatrix(const Math::Matrix4x4& matrix)
{
    Log("SetViewMatrix");
    view = matrix;
    modelView = view * world;
}

Math::Matrix4x4 RecordingRenderer::GetViewMatrix() const
{
    return view;
}

void RecordingRenderer::SetProjectionMatrix(const Math::Matrix4x4& matrix)
{
    Log("SetProjectionMatrix");
    projection = matrix;
}

Math::Matrix4x4 RecordingRenderer::GetProjectionMatrix() const
{
    return projection;
}

void RecordingRenderer::SetTextureMatrix(i32 unit, const Math::Matrix4x4& matrix)
{
    Log("SetTextureMatrix", unit);
    if (unit < 0 || unit >= static_cast<i32>(TextureMatrixCount))
    {
        return;
    }
    SelectTextureUnit(unit);
    textureMatrices[unit] = matrix;
}

Math::Matrix4x4 RecordingRenderer::GetTextureMatrix(u32 unit) const
{
    return unit < TextureMatrixCount ? textureMatrices[unit] : Math::Matrix4x4();
}

bool RecordingRenderer::Project(Math::Vector3D& window, const Math::Vector3D& object) const
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

bool RecordingRenderer::Unproject(Math::Vector3D& object, const Math::Vector3D& window) const
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

void RecordingRenderer::ClearColorBuffer(const Math::Color& color)
{
    Log("ClearColorBuffer", color.r, color.g, color.b, color.a);
}

void RecordingRenderer::ClearDepthBuffer(f32 depth)
{
    Log("ClearDepthBuffer", depth);
}

void RecordingRenderer::ClearStencilBuffer(i32 value)
{
    Log("ClearStencilBuffer", value);
}

void RecordingRenderer::ClearBuffers(const Math::Color& color, f32 depth, i32 stencil)
{
    Log("ClearBuffers", color.r, color.a, depth, stencil);
}

bool RecordingRenderer::ReadFrameBuffer(u8*, u32 size)
{
    Log("ReadFrameBuffer", size);
    return false;
}

void RecordingRenderer::SetDisplaySettings(const DisplaySettings& replacement)
{
    Log("SetDisplaySettings");
    settings = replacement;
}

DisplaySettings RecordingRenderer::GetDisplaySettings() const
{
    return settings;
}

void RecordingRenderer::GetFixedTriple(i32& first, i32& second, i32& third) const
{
    first = 0;
    second = 1;
    third = 0;
}

void RecordingRenderer::ToggleFullScreen()
{
    Log("ToggleFullScreen");
    settings.fullScreen = settings.fullScreen ? 0 : 1;
}

void RecordingRenderer::SetVSync(u8 on)
{
    Log("SetVSync", on);
    settings.vsync = on;
}

u8 RecordingRenderer::GetVSync() const
{
    return settings.vsync;
}

Core::RefPtr<RecordingRenderer> CreateRecordingRenderer(const DisplaySettings& settings)
{
    Core::RefPtr<RecordingRenderer> renderer(new (__FILE__, __LINE__) RecordingRenderer(settings));
    SetRenderer(renderer.Get());
    return renderer;
}

bool IsExtensionSupported(const char* name)
{
    const Core::RefPtr<IRenderer> renderer = GetRenderer();
    const auto* recording = dynamic_cast<const RecordingRenderer*>(renderer.Get());
    return recording && recording->HasGLExtension(name);
}
}  // namespace Renderer
