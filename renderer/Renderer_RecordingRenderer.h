#pragma once
// The renderer of headless tests: the shadow of every state, with a log of the operations called
// (each as the shadow notes it) and of the draws that would reach the device.
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

    // The log.
    void SetLogging(u8 on) { logging = on; }
    u8 IsLogging() const { return logging; }
    const Core::Vector<RecordedCall>& GetCalls() const { return calls; }
    const Core::Vector<RecordedDraw>& GetDraws() const { return draws; }
    u32 CountCalls(const char* operation) const;
    void ClearLog();

protected:
    // Logs the operation while the log is on.
    void Note(const char* operation, f64 a, f64 b, f64 c, f64 d) override;
    // Records the draw with the state it draws with.
    void IssueDraw(const DrawCall& call) override;

private:
    u8 logging = 1;
    Core::Vector<RecordedCall> calls;
    Core::Vector<RecordedDraw> draws;
};

// Makes a recording renderer and records it as the process-wide renderer.
Core::RefPtr<RecordingRenderer> CreateRecordingRenderer(const DisplaySettings& settings);
}  // namespace Renderer
