#pragma once
// The renderer's shadow of every state it sets, without a device: each set operation notes its
// name and numeric arguments, then copies its values into the renderer's own records; each get
// operation answers from them. The OpenGL renderer extends it with the OpenGL calls; the recording
// renderer of headless tests extends it with a log of the noted operations and of the draws that
// would reach the device.
#include "core/Core_Memory.h"
#include "core/Core_String.h"
#include "renderer/Renderer_Buffer.h"
#include "renderer/Renderer_IRenderer.h"
#include "renderer/Renderer_Light.h"
#include "renderer/Renderer_RasterCommand.h"
#include "renderer/Renderer_States.h"
#include "renderer/Renderer_Texture.h"

namespace Renderer
{
class ShadowRenderer : public IRenderer
{
public:
    // Starts as a device with multitexture over 8 units.
    explicit ShadowRenderer(const DisplaySettings& settings);
    ~ShadowRenderer() override;

    void SetMaterial(const Material& state) override;
    void SetNormalizeNormalsState(const NormalizeNormalsState& state) override;
    void SetLightingState(const LightingState& state) override;
    void SetTextureUnit7State(const TextureUnit7State& state) override;
    void SetTextureUnit6State(const TextureUnit6State& state) override;
    void SetTextureUnit5State(const TextureUnit5State& state) override;
    void SetTextureUnit4State(const TextureUnit4State& state) override;
    void SetTextureUnit3State(const TextureUnit3State& state) override;
    void SetTextureUnit2State(const TextureUnit2State& state) override;
    void SetTextureUnit1State(const TextureUnit1State& state) override;
    void SetTextureUnit0State(const TextureUnit0State& state) override;
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

    Material& GetMaterial(Material& state) const override;
    NormalizeNormalsState& GetNormalizeNormalsState(NormalizeNormalsState& state) const override;
    LightingState& GetLightingState(LightingState& state) const override;
    TextureUnit7State& GetTextureUnit7State(TextureUnit7State& state) const override;
    TextureUnit6State& GetTextureUnit6State(TextureUnit6State& state) const override;
    TextureUnit5State& GetTextureUnit5State(TextureUnit5State& state) const override;
    TextureUnit4State& GetTextureUnit4State(TextureUnit4State& state) const override;
    TextureUnit3State& GetTextureUnit3State(TextureUnit3State& state) const override;
    TextureUnit2State& GetTextureUnit2State(TextureUnit2State& state) const override;
    TextureUnit1State& GetTextureUnit1State(TextureUnit1State& state) const override;
    TextureUnit0State& GetTextureUnit0State(TextureUnit0State& state) const override;
    LineState& GetLineState(LineState& state) const override;
    PointState& GetPointState(PointState& state) const override;
    DitheringState& GetDitheringState(DitheringState& state) const override;
    TriangleOffsetState& GetTriangleOffsetState(TriangleOffsetState& state) const override;
    StencilBufferState& GetStencilBufferState(StencilBufferState& state) const override;
    DepthBufferState& GetDepthBufferState(DepthBufferState& state) const override;
    ShadingState& GetShadingState(ShadingState& state) const override;
    FillingState& GetFillingState(FillingState& state) const override;
    FogState& GetFogState(FogState& state) const override;
    CullingState& GetCullingState(CullingState& state) const override;
    AlphaTestingState& GetAlphaTestingState(AlphaTestingState& state) const override;
    AlphaBlendingState& GetAlphaBlendingState(AlphaBlendingState& state) const override;
    ScissorState& GetScissorState(ScissorState& state) const override;
    ColorMaskState& GetColorMaskState(ColorMaskState& state) const override;

    void SetTexture(i32 unit, ITexture* texture) override;
    Core::RefPtr<ITexture> GetTexture(u32 unit) const override;
    void SetLight(u32 index, Light* light) override;
    Core::RefPtr<Light> GetLight(u32 index) const override;
    void SetTexGenPlane(const Math::Vector4D& plane) override;
    void SetCurrentColor(const Math::Color& color) override;
    Math::Color GetCurrentColor() const override;
    void SetVertexArray(const f32* xyz) override;
    void SetNormalArray(const f32* xyz) override;
    void SetColorArray(const Math::Color* colors) override;
    void SetSecondaryColorArray(const Math::Color* colors) override;
    void SetTexCoordArray(i32 unit, const f32* uv) override;
    void SetIndexArray32(const u32* indices) override;
    void SetIndexArray16(const u16* indices) override;
    void SetPrimitiveType(PrimitiveType primitive) override;
    PrimitiveType GetPrimitiveType() const override;
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
    u8 IsLineStippleEnabled() const override;
    void SetLineStipplePattern(u16 pattern) override;
    u16 GetLineStipplePattern() const override;
    void SetLineStippleFactor(i32 factor) override;
    i32 GetLineStippleFactor() const override;
    void Present() override;
    void SetViewport(const ViewportRect& viewport) override;
    ViewportRect GetViewport() const override;
    void SetWorldMatrix(const Math::Matrix4x4& matrix) override;
    Math::Matrix4x4 GetWorldMatrix() const override;
    void SetViewMatrix(const Math::Matrix4x4& matrix) override;
    Math::Matrix4x4 GetViewMatrix() const override;
    void SetProjectionMatrix(const Math::Matrix4x4& matrix) override;
    Math::Matrix4x4 GetProjectionMatrix() const override;
    void SetTextureMatrix(i32 unit, const Math::Matrix4x4& matrix) override;
    Math::Matrix4x4 GetTextureMatrix(u32 unit) const override;
    bool Project(Math::Vector3D& window, const Math::Vector3D& object) const override;
    bool Unproject(Math::Vector3D& object, const Math::Vector3D& window) const override;
    void ClearColorBuffer(const Math::Color& color) override;
    void ClearDepthBuffer(f32 depth) override;
    void ClearStencilBuffer(i32 value) override;
    void ClearBuffers(const Math::Color& color, f32 depth, i32 stencil) override;
    // There are no pixels to read: writes nothing and returns false.
    bool ReadFrameBuffer(u8* pixels, u32 size) override;
    void SetDisplaySettings(const DisplaySettings& settings) override;
    DisplaySettings GetDisplaySettings() const override;
    void GetFixedTriple(i32& first, i32& second, i32& third) const override;
    // Flips the settings' full-screen flag, as a device that accepts every mode would.
    void ToggleFullScreen() override;
    void SetVSync(u8 on) override;
    u8 GetVSync() const override;

    // The unit selection of the texture operations works with these (a device's answer).
    void SetTextureUnits(u8 multitexture, i32 unitCount);
    u8 HasMultitexture() const { return multitexture; }
    i32 GetTextureUnitCount() const { return textureUnitCount; }
    u32 GetActiveTextureUnit() const { return activeTextureUnit; }

    // Further shadow records, for tests and diagnostics.
    Math::Matrix4x4 GetModelViewMatrix() const { return modelView; }
    Math::Vector4D GetTexGenPlane() const { return texGenPlane; }
    const f32* GetVertexArray() const { return vertexArray; }
    const f32* GetNormalArray() const { return normalArray; }
    const Math::Color* GetColorArray() const { return colorArray; }
    const Math::Color* GetSecondaryColorArray() const { return secondaryColorArray; }
    const f32* GetTexCoordArray() const { return texCoordArray; }
    const void* GetIndexArray() const { return indexArray; }
    u8 HasSixteenBitIndices() const { return indices16; }
    Core::RefPtr<IBuffer> GetBuffer(u32 index) const;
    Core::RefPtr<IBuffer> GetIndexBuffer() const { return indexBuffer; }
    u32 GetQueuedRasterCommandCount() const { return static_cast<u32>(rasterQueue.size()); }
    // Appends a command (counted) to the queue that Present runs and empties.
    void QueueRasterCommand(RasterCommand* command);

    // Extension names: the GL list, the GLU list and the window-system list.
    const Core::Vector<Core::String>& GetGLExtensions() const { return glExtensions; }
    const Core::Vector<Core::String>& GetGLUExtensions() const { return gluExtensions; }
    const Core::Vector<Core::String>& GetWindowSystemExtensions() const { return windowSystemExtensions; }
    // Replaces the GL list by the names of a space-separated string (what a device would report).
    void SetGLExtensions(const char* names);
    bool HasGLExtension(const char* name) const;

protected:
    // A draw the shadow lets through, with the vertex (or index) range it covers.
    struct DrawCall
    {
        PrimitiveType primitive = Primitive::Triangles;
        u32 first = 0;
        u32 count = 0;
        u8 indexed = 0;
        // Client indices, or the index buffer's base (an offset into a bound buffer object).
        const void* indices = nullptr;
        u8 indices32 = 0;
    };

    // Every operation that sets or draws tells this first: its name and up to four numeric
    // arguments (0 past them). Nothing here.
    virtual void Note(const char* operation, f64 a = 0.0, f64 b = 0.0, f64 c = 0.0, f64 d = 0.0);
    // Selects a texture unit: available with multitexture when 0 <= unit < the unit count (and
    // below the 32 texture slots); an available unit becomes the active one, otherwise the active
    // unit is recorded as 0. The OpenGL renderer also tells OpenGL.
    virtual bool SelectTextureUnit(i32 unit);
    // Units SetTexCoordArray takes: 0 to 31, and below the unit count with multitexture.
    bool AcceptsTexCoordUnit(i32 unit) const;
    // Body of the eight texture-unit setters, after the log: selection, then the record.
    virtual void SetTexturingState(u32 unit, const TexturingState& state);
    // Issues a draw; nothing here.
    virtual void IssueDraw(const DrawCall& call);
    // The raster queue's work and the buffer swap at Present; nothing here.
    virtual void ExecuteRasterQueue();
    virtual void SwapFrame();

    TexturingState& UnitState(u32 unit) { return *units[unit]; }
    const TexturingState& UnitState(u32 unit) const { return *units[unit]; }

    DisplaySettings settings;
    u8 multitexture = 1;
    i32 textureUnitCount = 8;
    u8 swapControl = 0;
    Core::RefPtr<ITexture> textures[TextureSlotCount];
    Math::Matrix4x4 world;
    Math::Matrix4x4 view;
    Math::Matrix4x4 modelView;  // always view x world
    Math::Matrix4x4 projection;
    Math::Matrix4x4 textureMatrices[TextureMatrixCount];
    ViewportRect viewport;
    u32 activeTextureUnit = 0;
    Core::RefPtr<IBuffer> buffers[BufferSlotCount];
    Core::RefPtr<IBuffer> indexBuffer;
    const f32* vertexArray = nullptr;
    const Math::Color* colorArray = nullptr;
    const Math::Color* secondaryColorArray = nullptr;
    const f32* texCoordArray = nullptr;
    const f32* normalArray = nullptr;
    const void* indexArray = nullptr;
    u8 indices16 = 0;
    PrimitiveType primitiveType = Primitive::Triangles;
    Math::Color currentColor{0.0f, 0.0f, 0.0f, 1.0f};
    Material material;
    Core::RefPtr<Light> lights[LightCount];
    Core::Vector<Core::RefPtr<RasterCommand>> rasterQueue;
    Math::Vector4D texGenPlane;
    ColorMaskState colorMask;
    ScissorState scissor;
    AlphaBlendingState alphaBlending;
    AlphaTestingState alphaTesting;
    CullingState culling;
    FogState fog;
    FillingState filling;
    ShadingState shading;
    DepthBufferState depthBuffer;
    StencilBufferState stencilBuffer;
    TriangleOffsetState triangleOffset;
    DitheringState dithering;
    PointState point;
    LineState line;
    TextureUnit0State unit0;
    TextureUnit1State unit1;
    TextureUnit2State unit2;
    TextureUnit3State unit3;
    TextureUnit4State unit4;
    TextureUnit5State unit5;
    TextureUnit6State unit6;
    TextureUnit7State unit7;
    LightingState lighting;
    NormalizeNormalsState normalizeNormals;
    i32 savedWindowX = 0;
    i32 savedWindowY = 0;
    u8 lineStippleEnabled = 0;
    u16 lineStipplePattern = 0xAAAA;
    i32 lineStippleFactor = 1;
    Core::Vector<Core::String> glExtensions;
    Core::Vector<Core::String> gluExtensions;
    Core::Vector<Core::String> windowSystemExtensions;

private:
    void Draw(u32 first, u32 count);

    TexturingState* const units[TextureMatrixCount] = {&unit0, &unit1, &unit2, &unit3,
                                                      &unit4, &unit5, &unit6, &unit7};
};

// Whether the process-wide renderer's GL extension list holds exactly this name.
bool IsExtensionSupported(const char* name);
}  // namespace Renderer
