#pragma once
// The renderer of headless tests: the shadow of every state, with a log of the operations called
// and of the draws that would reach the device.
#include "renderer/Renderer_ShadowRenderer.h"

namespace Renderer
{
// One operation as the log keeps it: its name and its numeric arguments in order (0 past them).
struct RecordedCall
{
    const char* operation = "";
    f64 arguments[4] = {};
};

// A draw that would reach the device: what it draws and the state it draws with.
struct RecordedDraw
{
    PrimitiveType primitive = Primitive::Triangles;
    u32 first = 0;  // first vertex, or first index of an indexed draw
    u32 count = 0;  // vertices, or indices
    u8 indexed = 0;
    u8 indices32 = 0;
    const void* indices = nullptr;  // client array or index-buffer base
    const f32* vertices = nullptr;
    const f32* normals = nullptr;
    const Math::Color* colors = nullptr;
    const f32* texCoords = nullptr;
    Math::Matrix4x4 world;
    Math::Matrix4x4 view;
    Math::Matrix4x4 projection;
    Math::Color currentColor;
    Core::RefPtr<ITexture> texture0;
    TextureUnit0State unit0;
    DepthBufferState depthBuffer;
    AlphaBlendingState alphaBlending;
    AlphaTestingState alphaTesting;
    LightingState lighting;
    CullingState culling;
};

class RecordingRenderer : public ShadowRenderer
{
public:
    // Starts as a device with multitexture over 8 units; the log is on.
    explicit RecordingRenderer(const DisplaySettings& settings);
    ~RecordingRenderer() override;

    void SetMaterial(const Material& state) override;
    void SetNormalizeNormalsState(const NormalizeNormalsState& state) override;
    void SetLightingState(const LightingState& state) override;
    void SetLineState(const LineState& state) override;
    void SetPointState(const PointState& state) override;
    void SetDitheringState(const DitheringState& state) override;
    void SetTriangleOffsetState(const TriangleOffsetState& state) override;
    void SetStencilBufferState(const StencilBufferState& state) override;
    void SetDepthBufferState(const DepthBufferState& state) override;
    void SetShadingState(const ShadingState& state) override;
    void SetFillingState(const FillingState& state) override;
    void SetFogState(const FogState& state) override;
    void SetCullingState(const CullingState& state) override;
    void SetAlphaTestingState(const AlphaTestingState& state) override;
    void SetAlphaBlendingState(const AlphaBlendingState& state) override;
    void SetScissorState(const ScissorState& state) override;
    void SetColorMaskState(const ColorMaskState& state) override;
    void SetTexture(i32 unit, ITexture* texture) override;
    void SetLight(u32 index, Light* light) override;
    void SetTexGenPlane(const Math::Vector4D& plane) override;
    void SetCurrentColor(const Math::Color& color) override;
    void SetVertexArray(const f32* xyz) override;
    void SetNormalArray(const f32* xyz) override;
    void SetColorArray(const Math::Color* colors) override;
    void SetSecondaryColorArray(const Math::Color* colors) override;
    void SetTexCoordArray(i32 unit, const f32* uv) override;
    void SetIndexArray32(const u32* indices) override;
    void SetIndexArray16(const u16* indices) override;
    void SetPrimitiveType(PrimitiveType primitive) override;
    void DrawRange(u32 first, u32 last) override;
    void Draw(i32 count) override;
    void DrawArrays(PrimitiveType primitive, i32 first, u32 primitiveCount) override;
    void DrawIndexed(PrimitiveType primitive, u32 firstIndex, u32 primitiveCount) override;
    void SetBuffer(u32 index, IBuffer* buffer) override;
    void SetIndexBuffer(IBuffer* buffer) override;
    void DrawSurface(Surface* surface, u32 x, u32 y, u32 sourceX, u32 sourceY, u32 width, u32 height, u8 flipX,
                     u8 flipY) override;
    void DrawRect(f32 x1, f32 y1, f32 x2, f32 y2) override;
    void SetLineStippleEnabled(u8 on) override;
    void SetLineStipplePattern(u16 pattern) override;
    void SetLineStippleFactor(i32 factor) override;
    void Present() override;
    void SetViewport(const ViewportRect& rect) override;
    void SetWorldMatrix(const Math::Matrix4x4& matrix) override;
    void SetViewMatrix(const Math::Matrix4x4& matrix) override;
    void SetProjectionMatrix(const Math::Matrix4x4& matrix) override;
    void SetTextureMatrix(i32 unit, const Math::Matrix4x4& matrix) override;
    void ClearColorBuffer(const Math::Color& color) override;
    void ClearDepthBuffer(f32 depth) override;
    void ClearStencilBuffer(i32 value) override;
    void ClearBuffers(const Math::Color& color, f32 depth, i32 stencil) override;
    // Logs the call; there are no pixels to read, so it writes nothing and returns false.
    bool ReadFrameBuffer(u8* pixels, u32 size) override;
    void SetDisplaySettings(const DisplaySettings& replacement) override;
    void ToggleFullScreen() override;
    void SetVSync(u8 on) override;

    // The log.
    void SetLogging(u8 on) { logging = on; }
    u8 IsLogging() const { return logging; }
    const Core::Vector<RecordedCall>& GetCalls() const { return calls; }
    const Core::Vector<RecordedDraw>& GetDraws() const { return draws; }
    u32 CountCalls(const char* operation) const;
    void ClearLog();

protected:
    void SetTexturingState(u32 unit, const TexturingState& state) override;
    // Records the draw with the state it draws with.
    void IssueDraw(const DrawCall& call) override;

private:
    void Log(const char* operation, f64 a = 0.0, f64 b = 0.0, f64 c = 0.0, f64 d = 0.0);

    u8 logging = 1;
    Core::Vector<RecordedCall> calls;
    Core::Vector<RecordedDraw> draws;
};

// Makes a recording renderer and records it as the process-wide renderer.
Core::RefPtr<RecordingRenderer> CreateRecordingRenderer(const DisplaySettings& settings);
}  // namespace Renderer
