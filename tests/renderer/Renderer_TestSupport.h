#pragma once
// Helpers shared by the renderer tests: field-by-field comparison of render states, a texture
// without a device, and a recording renderer installed as the process-wide renderer for the length
// of a test.
#include "renderer/Renderer_RecordingRenderer.h"
#include "renderer/Renderer_States.h"
#include "renderer/Renderer_Texture.h"

#include <gtest/gtest.h>

namespace RendererTest
{
inline bool Same(const Math::Color& a, const Math::Color& b)
{
    return a == b;
}

inline bool Same(const Renderer::Material& a, const Renderer::Material& b)
{
    return a.ambient == b.ambient && a.diffuse == b.diffuse && a.specular == b.specular && a.emission == b.emission &&
           a.shininess == b.shininess;
}
inline bool Same(const Renderer::NormalizeNormalsState& a, const Renderer::NormalizeNormalsState& b)
{
    return a.enabled == b.enabled;
}
inline bool Same(const Renderer::LightingState& a, const Renderer::LightingState& b)
{
    return a.ambient == b.ambient && a.localViewer == b.localViewer && a.enabled == b.enabled;
}
inline bool Same(const Renderer::TexturingState& a, const Renderer::TexturingState& b)
{
    return a.environment == b.environment && a.filter == b.filter && a.wrapS == b.wrapS && a.wrapT == b.wrapT &&
           a.enabled == b.enabled && a.textureGeneration == b.textureGeneration && a.oneDimensional == b.oneDimensional;
}
inline bool Same(const Renderer::LineState& a, const Renderer::LineState& b)
{
    return a.width == b.width;
}
inline bool Same(const Renderer::PointState& a, const Renderer::PointState& b)
{
    return a.size == b.size;
}
inline bool Same(const Renderer::DitheringState& a, const Renderer::DitheringState& b)
{
    return a.enabled == b.enabled;
}
inline bool Same(const Renderer::TriangleOffsetState& a, const Renderer::TriangleOffsetState& b)
{
    return a.factor == b.factor && a.units == b.units && a.enabled == b.enabled;
}
inline bool Same(const Renderer::StencilBufferState& a, const Renderer::StencilBufferState& b)
{
    return a.function == b.function && a.stencilFail == b.stencilFail && a.depthFail == b.depthFail &&
           a.depthPass == b.depthPass && a.reference == b.reference && a.compareMask == b.compareMask &&
           a.writeMask == b.writeMask && a.enabled == b.enabled;
}
inline bool Same(const Renderer::DepthBufferState& a, const Renderer::DepthBufferState& b)
{
    return a.function == b.function && a.testEnabled == b.testEnabled && a.writeEnabled == b.writeEnabled;
}
inline bool Same(const Renderer::ShadingState& a, const Renderer::ShadingState& b)
{
    return a.mode == b.mode;
}
inline bool Same(const Renderer::FillingState& a, const Renderer::FillingState& b)
{
    return a.mode == b.mode;
}
inline bool Same(const Renderer::FogState& a, const Renderer::FogState& b)
{
    return a.mode == b.mode && a.color == b.color && a.start == b.start && a.end == b.end && a.density == b.density &&
           a.enabled == b.enabled;
}
inline bool Same(const Renderer::CullingState& a, const Renderer::CullingState& b)
{
    return a.face == b.face && a.enabled == b.enabled;
}
inline bool Same(const Renderer::AlphaTestingState& a, const Renderer::AlphaTestingState& b)
{
    return a.function == b.function && a.reference == b.reference && a.enabled == b.enabled;
}
inline bool Same(const Renderer::AlphaBlendingState& a, const Renderer::AlphaBlendingState& b)
{
    return a.source == b.source && a.destination == b.destination && a.enabled == b.enabled;
}
inline bool Same(const Renderer::ScissorState& a, const Renderer::ScissorState& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height && a.enabled == b.enabled;
}
inline bool Same(const Renderer::ColorMaskState& a, const Renderer::ColorMaskState& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}
inline bool Same(const Renderer::CurrentColorState& a, const Renderer::CurrentColorState& b)
{
    return a.color == b.color;
}

// A 4 x 4 two-dimensional texture that exists only as an object.
class FakeTexture : public Renderer::ITexture
{
public:
    i32 GetWidth() const override { return 4; }
    i32 GetHeight() const override { return 4; }
    i32 GetFormat() const override { return 0; }
    i32 GetTextureType() const override { return TwoDimensional; }
    u32 GetID() const override { return 7; }
    void Reload() override {}
    void Unload() override {}
    u8 HasMipmaps() const override { return 0; }
    Core::String GetFileName() const override { return "fake.png"; }
};

// A display record that needs no display: 640 x 480, 60 Hz, 32 bits.
inline Renderer::DisplaySettings TestSettings(i32 width = 640, i32 height = 480)
{
    Renderer::DisplaySettings settings(width, height);
    settings.refreshRate = 60;
    settings.colorBits = 32;
    return settings;
}

// A recording renderer that is the process-wide renderer while the fixture lives.
class RecordingFixture : public ::testing::Test
{
protected:
    void SetUp() override { renderer = Renderer::CreateRecordingRenderer(TestSettings()); }
    void TearDown() override { renderer = nullptr; }

    Core::RefPtr<Renderer::RecordingRenderer> renderer;
};
}  // namespace RendererTest
