// The recording renderer: the shadow answers every get with what the last set gave it, the unit
// and slot rules, the draw rules, and the log that later drawing tests read.
#include "Renderer_TestSupport.h"

#include <cmath>
#include <vector>

using namespace Renderer;
using RendererTest::FakeTexture;
using RendererTest::RecordingFixture;
using RendererTest::Same;

namespace
{
template <class S, class Change>
void ExpectRoundTrip(IRenderer& renderer, Change change)
{
    S set;
    change(set);
    set.Apply(renderer);
    S read;
    read.Capture(renderer);
    EXPECT_TRUE(Same(set, read)) << typeid(S).name();
}

class FakeBuffer : public IBuffer
{
public:
    void Bind() override { ++binds; }
    void Unbind() override { ++unbinds; }
    bool Uses32BitIndices() const override { return wide; }
    const void* GetBase() const override { return base; }

    int binds = 0;
    int unbinds = 0;
    bool wide = true;
    const void* base = nullptr;
};

const f32 Triangle[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
}  // namespace

TEST_F(RecordingFixture, EveryStateKindReadsBackWhatWasSet)
{
    IRenderer& r = *renderer;
    ExpectRoundTrip<NormalizeNormalsState>(r, [](auto& s) { s.enabled = 1; });
    ExpectRoundTrip<LightingState>(r, [](auto& s) {
        s.ambient = Math::Color(0.1f, 0.2f, 0.3f, 0.4f);
        s.localViewer = 0;
        s.enabled = 1;
    });
    ExpectRoundTrip<LineState>(r, [](auto& s) { s.width = 3.5f; });
    ExpectRoundTrip<PointState>(r, [](auto& s) { s.size = 7.0f; });
    ExpectRoundTrip<DitheringState>(r, [](auto& s) { s.enabled = 0; });
    ExpectRoundTrip<TriangleOffsetState>(r, [](auto& s) {
        s.factor = 1.5f;
        s.units = -2.0f;
        s.enabled = 1;
    });
    ExpectRoundTrip<StencilBufferState>(r, [](auto& s) {
        s.function = CompareFunction::Equal;
        s.stencilFail = StencilOperation::Zero;
        s.depthFail = StencilOperation::Invert;
        s.depthPass = StencilOperation::Replace;
        s.reference = -3;
        s.compareMask = 0x0F;
        s.writeMask = 0xF0;
        s.enabled = 1;
    });
    ExpectRoundTrip<DepthBufferState>(r, [](auto& s) {
        s.function = CompareFunction::GreaterOrEqual;
        s.testEnabled = 0;
        s.writeEnabled = 0;
    });
    ExpectRoundTrip<ShadingState>(r, [](auto& s) { s.mode = ShadeMode::Flat; });
    ExpectRoundTrip<FillingState>(r, [](auto& s) { s.mode = FillMode::Lines; });
    ExpectRoundTrip<FogState>(r, [](auto& s) {
        s.mode = FogMode::Exponential;
        s.color = Math::Color(0.5f, 0.6f, 0.7f, 0.8f);
        s.start = 2.0f;
        s.end = 20.0f;
        s.density = 0.25f;
        s.enabled = 1;
    });
    ExpectRoundTrip<CullingState>(r, [](auto& s) {
        s.face = CullFace::Front;
        s.enabled = 0;
    });
    ExpectRoundTrip<AlphaTestingState>(r, [](auto& s) {
        s.function = CompareFunction::Greater;
        s.reference = 0.5f;
        s.enabled = 1;
    });
    ExpectRoundTrip<AlphaBlendingState>(r, [](auto& s) {
        s.source = BlendFactor::One;
        s.destination = BlendFactor::DestinationAlpha;
        s.enabled = 1;
    });
    ExpectRoundTrip<ScissorState>(r, [](auto& s) {
        s.x = 5;
        s.y = 6;
        s.width = 70;
        s.height = 80;
        s.enabled = 1;
    });
    ExpectRoundTrip<ColorMaskState>(r, [](auto& s) {
        s.red = 0;
        s.alpha = 0;
    });
    ExpectRoundTrip<CurrentColorState>(r, [](auto& s) { s.color = Math::Color(0.25f, 0.5f, 0.75f, 1.0f); });

    Material material(Math::Color(1, 0, 0, 1), Math::Color(0, 1, 0, 1), Math::Color(0, 0, 1, 1),
                      Math::Color(0.5f, 0.5f, 0.5f, 1), 12.0f);
    material.Apply(r);
    Material read(Math::Color(), Math::Color(), Math::Color(), Math::Color(), 0.0f);
    EXPECT_TRUE(Same(material, r.GetMaterial(read)));
}

TEST_F(RecordingFixture, TheEightTextureUnitsKeepTheirOwnValues)
{
    IRenderer& r = *renderer;
    TextureUnit0State u0;
    TextureUnit1State u1;
    TextureUnit2State u2;
    TextureUnit3State u3;
    TextureUnit4State u4;
    TextureUnit5State u5;
    TextureUnit6State u6;
    TextureUnit7State u7;
    TexturingState* units[] = {&u0, &u1, &u2, &u3, &u4, &u5, &u6, &u7};
    for (u32 i = 0; i < 8; ++i)
    {
        units[i]->environment = i % 4;
        units[i]->filter = i % 2;
        units[i]->wrapS = i % 4;
        units[i]->wrapT = 3 - i % 4;
        units[i]->enabled = static_cast<u8>(i % 2);
        units[i]->textureGeneration = static_cast<u8>(i % 3 == 0);
        units[i]->oneDimensional = static_cast<u8>(i > 5);
        units[i]->Apply(r);
    }
    TextureUnit0State r0;
    TextureUnit1State r1;
    TextureUnit2State r2;
    TextureUnit3State r3;
    TextureUnit4State r4;
    TextureUnit5State r5;
    TextureUnit6State r6;
    TextureUnit7State r7;
    TexturingState* reads[] = {&r0, &r1, &r2, &r3, &r4, &r5, &r6, &r7};
    for (u32 i = 0; i < 8; ++i)
    {
        reads[i]->Capture(r);
        EXPECT_TRUE(Same(*units[i], *reads[i])) << "unit " << i;
    }
    EXPECT_EQ(renderer->CountCalls("SetTextureUnit5State"), 1u);
}

TEST_F(RecordingFixture, TheShadowStartsWithTheRendererDefaults)
{
    Material material(Math::Color(), Math::Color(), Math::Color(), Math::Color(), 1.0f);
    renderer->GetMaterial(material);
    EXPECT_EQ(material.diffuse, Math::Color(0.8f, 0.8f, 0.8f, 1.0f));
    EXPECT_EQ(material.ambient, Math::Color(0.2f, 0.2f, 0.2f, 1.0f));
    CullingState culling;
    culling.enabled = 0;
    EXPECT_EQ(renderer->GetCullingState(culling).enabled, 1);
    EXPECT_EQ(renderer->GetCurrentColor(), Math::Color(0, 0, 0, 1));
    EXPECT_EQ(renderer->GetPrimitiveType(), Primitive::Triangles);
    EXPECT_EQ(renderer->IsLineStippleEnabled(), 0);
    EXPECT_EQ(renderer->GetLineStipplePattern(), 0xAAAA);
    EXPECT_EQ(renderer->GetLineStippleFactor(), 1);
    const ViewportRect viewport = renderer->GetViewport();
    EXPECT_EQ(viewport.width, 640);
    EXPECT_EQ(viewport.height, 480);
    EXPECT_EQ(viewport.zFar, 1.0f);
}

TEST_F(RecordingFixture, MatricesViewportStippleAndDisplayReadBack)
{
    const Math::Matrix4x4 world = Math::Matrix4x4::Translation(1, 2, 3);
    const Math::Matrix4x4 view = Math::Matrix4x4::Scaling(2, 2, 2);
    const Math::Matrix4x4 projection = Math::Matrix4x4::Ortho(0, 640, 0, 480);
    renderer->SetWorldMatrix(world);
    renderer->SetViewMatrix(view);
    renderer->SetProjectionMatrix(projection);
    renderer->SetTextureMatrix(5, world);
    EXPECT_EQ(renderer->GetWorldMatrix(), world);
    EXPECT_EQ(renderer->GetViewMatrix(), view);
    EXPECT_EQ(renderer->GetProjectionMatrix(), projection);
    EXPECT_EQ(renderer->GetModelViewMatrix(), view * world);
    EXPECT_EQ(renderer->GetTextureMatrix(5), world);

    ViewportRect rect;
    rect.x = 10;
    rect.y = 20;
    rect.width = 300;
    rect.height = 200;
    rect.zNear = 0.25f;
    rect.zFar = 0.75f;
    renderer->SetViewport(rect);
    const ViewportRect read = renderer->GetViewport();
    EXPECT_EQ(read.x, 10);
    EXPECT_EQ(read.height, 200);
    EXPECT_EQ(read.zNear, 0.25f);

    renderer->SetLineStippleEnabled(1);
    renderer->SetLineStipplePattern(0x0F0F);
    renderer->SetLineStippleFactor(3);
    EXPECT_EQ(renderer->IsLineStippleEnabled(), 1);
    EXPECT_EQ(renderer->GetLineStipplePattern(), 0x0F0F);
    EXPECT_EQ(renderer->GetLineStippleFactor(), 3);

    DisplaySettings settings = RendererTest::TestSettings(800, 600);
    PAL::Window* marker = reinterpret_cast<PAL::Window*>(&settings);
    settings.window = marker;
    settings.fullScreen = 1;
    settings.vsync = 1;
    renderer->SetDisplaySettings(settings);
    const DisplaySettings back = renderer->GetDisplaySettings();
    EXPECT_EQ(back.width, 800);
    EXPECT_EQ(back.window, marker);
    EXPECT_EQ(back.fullScreen, 1);
    EXPECT_EQ(back.vsync, 1);
    EXPECT_EQ(renderer->GetVSync(), 1);

    i32 a = -1;
    i32 b = -1;
    i32 c = -1;
    renderer->GetFixedTriple(a, b, c);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(c, 0);
}

TEST_F(RecordingFixture, OutOfRangeSlotsAreIgnored)
{
    const Core::RefPtr<FakeTexture> texture(new FakeTexture());
    renderer->SetTexture(32, texture);
    renderer->SetTexture(-1, texture);
    EXPECT_EQ(texture->GetReferenceCount(), 1u);
    EXPECT_EQ(renderer->GetTexture(32), nullptr);

    const Math::Matrix4x4 moved = Math::Matrix4x4::Translation(5, 5, 5);
    renderer->SetTextureMatrix(8, moved);
    renderer->SetTextureMatrix(-1, moved);
    EXPECT_EQ(renderer->GetTextureMatrix(8), Math::Matrix4x4());
    for (u32 unit = 0; unit < 8; ++unit)
    {
        EXPECT_EQ(renderer->GetTextureMatrix(unit), Math::Matrix4x4());
    }

    const Core::RefPtr<DirectionalLight> light(new DirectionalLight());
    renderer->SetLight(8, light);
    EXPECT_EQ(light->GetReferenceCount(), 1u);
    EXPECT_EQ(renderer->GetLight(8), nullptr);

    const Core::RefPtr<FakeBuffer> buffer(new FakeBuffer());
    renderer->SetBuffer(16, buffer);
    EXPECT_EQ(buffer->binds, 0);
    EXPECT_EQ(renderer->GetBuffer(16), nullptr);

    renderer->SetTexCoordArray(8, Triangle);  // the device has 8 units
    renderer->SetTexCoordArray(-2, Triangle);
    EXPECT_EQ(renderer->GetTexCoordArray(), nullptr);
    renderer->SetTexCoordArray(7, Triangle);
    EXPECT_EQ(renderer->GetTexCoordArray(), Triangle);
}

TEST_F(RecordingFixture, WithoutMultitextureUnitsAreHeldButNotSelected)
{
    renderer->SetTextureUnits(0, 1);
    const Core::RefPtr<FakeTexture> texture(new FakeTexture());
    renderer->SetTexture(2, texture);
    renderer->SetTexture(3, texture);
    EXPECT_EQ(renderer->GetActiveTextureUnit(), 0u);
    EXPECT_EQ(renderer->GetTexture(3), texture);
    EXPECT_EQ(texture->GetReferenceCount(), 3u);

    TextureUnit3State unit;
    unit.enabled = 1;
    renderer->SetTextureUnit3State(unit);
    EXPECT_EQ(renderer->GetActiveTextureUnit(), 0u);
    TextureUnit3State read;
    EXPECT_EQ(renderer->GetTextureUnit3State(read).enabled, 1);

    renderer->SetTextureUnits(1, 4);
    renderer->SetTextureUnit3State(unit);
    EXPECT_EQ(renderer->GetActiveTextureUnit(), 3u);
    renderer->SetTexture(5, texture);  // beyond the device's units
    EXPECT_EQ(renderer->GetActiveTextureUnit(), 0u);
    EXPECT_EQ(renderer->GetTexture(5), texture);

    renderer->SetTexture(3, nullptr);
    EXPECT_EQ(renderer->GetTexture(3), nullptr);
    EXPECT_EQ(texture->GetReferenceCount(), 3u);
}

TEST_F(RecordingFixture, LightsAndBuffersAreHeldCounted)
{
    const Core::RefPtr<SpotLight> spot(new SpotLight());
    renderer->SetLight(3, spot);
    EXPECT_EQ(renderer->GetLight(3), spot);
    renderer->SetLight(3, nullptr);
    EXPECT_EQ(renderer->GetLight(3), nullptr);
    EXPECT_EQ(spot->GetReferenceCount(), 1u);

    const Core::RefPtr<FakeBuffer> first(new FakeBuffer());
    const Core::RefPtr<FakeBuffer> second(new FakeBuffer());
    renderer->SetBuffer(2, first);
    renderer->SetBuffer(2, second);
    EXPECT_EQ(first->binds, 1);
    EXPECT_EQ(first->unbinds, 1);
    EXPECT_EQ(second->binds, 1);
    EXPECT_EQ(renderer->GetBuffer(2), second);
    renderer->SetIndexBuffer(first);
    renderer->SetIndexBuffer(nullptr);
    EXPECT_EQ(first->binds, 2);
    EXPECT_EQ(first->unbinds, 2);
}

TEST(LightRecordTest, EachKindProgramsItsOwnFields)
{
    LightRecord record;
    ASSERT_TRUE(MakeLightRecord(nullptr, record));
    EXPECT_EQ(record.kind, LightKind::Directional);
    EXPECT_EQ(record.enabled, 0);
    EXPECT_EQ(record.direction, Math::Vector3D(0, 0, -1));
    EXPECT_EQ(record.cutoff, 180.0f);

    SpotLight spot;
    spot.position = Math::Vector3D(1, 2, 3);
    spot.cutoff = 30.0f;
    spot.exponent = 2.0f;
    spot.linearAttenuation = 0.5f;
    ASSERT_TRUE(MakeLightRecord(&spot, record));
    EXPECT_EQ(record.kind, LightKind::Spot);
    EXPECT_EQ(record.position, Math::Vector3D(1, 2, 3));
    EXPECT_EQ(record.cutoff, 30.0f);
    EXPECT_EQ(record.linearAttenuation, 0.5f);
    EXPECT_EQ(record.enabled, 1);

    PointLight point;
    point.position = Math::Vector3D(4, 5, 6);
    ASSERT_TRUE(MakeLightRecord(&point, record));
    EXPECT_EQ(record.kind, LightKind::Point);
    EXPECT_EQ(record.cutoff, 180.0f);

    Light plain;
    EXPECT_FALSE(MakeLightRecord(&plain, record));
}

TEST_F(RecordingFixture, DrawRangeCountsInclusiveAndNothingWhenReversed)
{
    renderer->SetVertexArray(Triangle);
    renderer->DrawRange(5, 4);
    EXPECT_TRUE(renderer->GetDraws().empty());
    renderer->DrawRange(0xFFFFFFFFu, 0);
    EXPECT_TRUE(renderer->GetDraws().empty());

    renderer->DrawRange(2, 4);
    ASSERT_EQ(renderer->GetDraws().size(), 1u);
    EXPECT_EQ(renderer->GetDraws()[0].first, 2u);
    EXPECT_EQ(renderer->GetDraws()[0].count, 3u);
    EXPECT_EQ(renderer->GetDraws()[0].indexed, 0);

    const u16 indices[] = {0, 1, 2, 2, 1, 0};
    renderer->SetIndexArray16(indices);
    renderer->DrawRange(3, 5);
    ASSERT_EQ(renderer->GetDraws().size(), 2u);
    EXPECT_EQ(renderer->GetDraws()[1].indexed, 1);
    EXPECT_EQ(renderer->GetDraws()[1].indices32, 0);
    EXPECT_EQ(renderer->GetDraws()[1].first, 3u);
    EXPECT_EQ(renderer->GetDraws()[1].indices, indices);
}

TEST_F(RecordingFixture, DrawNeedsAVertexArrayAPositiveCountAndADrawablePrimitive)
{
    renderer->Draw(3);
    EXPECT_TRUE(renderer->GetDraws().empty());
    renderer->SetVertexArray(Triangle);
    renderer->Draw(0);
    renderer->Draw(-4);
    renderer->SetPrimitiveType(3);
    renderer->Draw(3);
    renderer->SetPrimitiveType(9);
    renderer->Draw(3);
    EXPECT_TRUE(renderer->GetDraws().empty());
    renderer->SetPrimitiveType(Primitive::LineStrip);
    renderer->Draw(3);
    ASSERT_EQ(renderer->GetDraws().size(), 1u);
    EXPECT_EQ(renderer->GetDraws()[0].primitive, Primitive::LineStrip);
    EXPECT_EQ(renderer->GetDraws()[0].first, 0u);
    EXPECT_EQ(renderer->CountCalls("Draw"), 6u);
}

TEST_F(RecordingFixture, DrawArraysAndDrawIndexedCountVerticesPerPrimitive)
{
    renderer->DrawArrays(3, 0, 5);
    renderer->DrawArrays(7, 0, 5);
    EXPECT_TRUE(renderer->GetDraws().empty());
    renderer->DrawArrays(Primitive::Lines, 4, 5);
    ASSERT_EQ(renderer->GetDraws().size(), 1u);
    EXPECT_EQ(renderer->GetDraws()[0].count, 10u);
    EXPECT_EQ(renderer->GetDraws()[0].first, 4u);

    EXPECT_EQ(VertexCountOf(Primitive::Points, 4), 4u);
    EXPECT_EQ(VertexCountOf(Primitive::LineStrip, 4), 5u);
    EXPECT_EQ(VertexCountOf(Primitive::Triangles, 4), 12u);
    EXPECT_EQ(VertexCountOf(Primitive::TriangleStrip, 4), 6u);
    EXPECT_EQ(VertexCountOf(Primitive::TriangleFan, 4), 6u);

    renderer->DrawIndexed(Primitive::Triangles, 0, 2);
    EXPECT_EQ(renderer->GetDraws().size(), 1u);  // no index buffer
    const Core::RefPtr<FakeBuffer> indices(new FakeBuffer());
    indices->wide = false;
    renderer->SetIndexBuffer(indices);
    renderer->DrawIndexed(Primitive::Triangles, 6, 2);
    ASSERT_EQ(renderer->GetDraws().size(), 2u);
    const RecordedDraw& draw = renderer->GetDraws()[1];
    EXPECT_EQ(draw.indexed, 1);
    EXPECT_EQ(draw.indices32, 0);
    EXPECT_EQ(draw.first, 6u);
    EXPECT_EQ(draw.count, 6u);
}

TEST_F(RecordingFixture, ADrawRecordsTheStateItDrawsWith)
{
    const Core::RefPtr<FakeTexture> texture(new FakeTexture());
    renderer->SetTexture(0, texture);
    AlphaBlendingState blending;
    blending.enabled = 1;
    renderer->SetAlphaBlendingState(blending);
    renderer->SetCurrentColor(Math::Color(1, 0.5f, 0, 1));
    renderer->SetWorldMatrix(Math::Matrix4x4::Translation(3, 4, 0));
    renderer->SetVertexArray(Triangle);
    renderer->Draw(3);
    ASSERT_EQ(renderer->GetDraws().size(), 1u);
    const RecordedDraw& draw = renderer->GetDraws()[0];
    EXPECT_EQ(draw.texture0, texture);
    EXPECT_EQ(draw.alphaBlending.enabled, 1);
    EXPECT_EQ(draw.currentColor, Math::Color(1, 0.5f, 0, 1));
    EXPECT_EQ(draw.world, Math::Matrix4x4::Translation(3, 4, 0));
    EXPECT_EQ(draw.vertices, Triangle);
}

TEST_F(RecordingFixture, TheLogCanBeReadCountedClearedAndSwitchedOff)
{
    renderer->ClearColorBuffer(Math::Color(1, 0, 0, 1));
    renderer->Present();
    renderer->Present();
    EXPECT_EQ(renderer->CountCalls("Present"), 2u);
    ASSERT_EQ(renderer->GetCalls().size(), 3u);
    EXPECT_STREQ(renderer->GetCalls()[0].operation, "ClearColorBuffer");
    EXPECT_EQ(renderer->GetCalls()[0].arguments[0], 1.0);
    renderer->ClearLog();
    EXPECT_TRUE(renderer->GetCalls().empty());

    renderer->SetLogging(0);
    renderer->SetVertexArray(Triangle);
    renderer->Draw(3);
    renderer->Present();
    EXPECT_TRUE(renderer->GetCalls().empty());
    EXPECT_TRUE(renderer->GetDraws().empty());
}

TEST_F(RecordingFixture, ProjectAndUnprojectRoundTrip)
{
    renderer->SetProjectionMatrix(Math::Matrix4x4::Ortho(0, 640, 0, 480));
    renderer->SetWorldMatrix(Math::Matrix4x4::Translation(10, 20, 0));
    Math::Vector3D window;
    ASSERT_TRUE(renderer->Project(window, Math::Vector3D(100, 50, 0)));
    EXPECT_NEAR(window.x, 110.0f, 1e-3f);
    EXPECT_NEAR(window.y, 70.0f, 1e-3f);
    Math::Vector3D object;
    ASSERT_TRUE(renderer->Unproject(object, window));
    EXPECT_NEAR(object.x, 100.0f, 1e-3f);
    EXPECT_NEAR(object.y, 50.0f, 1e-3f);

    Math::Matrix4x4 singular;
    singular.e[0] = 0.0f;
    singular.e[5] = 0.0f;
    renderer->SetProjectionMatrix(singular);
    EXPECT_FALSE(renderer->Unproject(object, window));
}

TEST_F(RecordingFixture, ReadFrameBufferNeverWritesAndTheSizeRuleHolds)
{
    std::vector<u8> pixels(FrameBufferSize(640, 480), 0xCD);
    EXPECT_FALSE(renderer->ReadFrameBuffer(pixels.data(), static_cast<u32>(pixels.size())));
    EXPECT_EQ(pixels[0], 0xCD);
    EXPECT_EQ(FrameBufferSize(5, 2), 32u);  // 15-byte rows padded to 16
    EXPECT_EQ(FrameBufferSize(4, 3), 36u);
    EXPECT_EQ(FrameBufferSize(0, 3), 0u);
    EXPECT_EQ(FrameBufferSize(-1, 3), 0u);
    EXPECT_EQ(FrameBufferSize(100000, 100000), 0u);  // beyond 4 GiB
}

TEST_F(RecordingFixture, ToggleFullScreenFlipsTheFlagAndSurfacesQueueUntilPresent)
{
    renderer->ToggleFullScreen();
    EXPECT_EQ(renderer->GetDisplaySettings().fullScreen, 1);
    renderer->ToggleFullScreen();
    EXPECT_EQ(renderer->GetDisplaySettings().fullScreen, 0);

    const Core::RefPtr<Surface> surface(new Surface(4, 4, Surface::FormatRGBA));
    renderer->DrawSurface(surface, 0, 0, 0, 0, 4, 4, 0, 0);
    EXPECT_EQ(renderer->GetQueuedRasterCommandCount(), 1u);
    EXPECT_EQ(surface->GetReferenceCount(), 2u);
    renderer->Present();
    EXPECT_EQ(renderer->GetQueuedRasterCommandCount(), 0u);
    EXPECT_EQ(surface->GetReferenceCount(), 1u);
}

TEST(GlobalRendererTest, TheFactoryRecordsItAndDestructionForgetsIt)
{
    EXPECT_EQ(GetRenderer(), nullptr);
    {
        const Core::RefPtr<RecordingRenderer> renderer = CreateRecordingRenderer(RendererTest::TestSettings());
        EXPECT_EQ(GetRenderer().Get(), renderer.Get());
        EXPECT_EQ(renderer->GetReferenceCount(), 1u);
        renderer->SetGLExtensions("GL_ARB_multitexture GL_ARB_texture_non_power_of_two ");
        EXPECT_TRUE(IsExtensionSupported("GL_ARB_texture_non_power_of_two"));
        EXPECT_FALSE(IsExtensionSupported("GL_ARB_texture"));
        EXPECT_FALSE(IsExtensionSupported(""));
    }
    EXPECT_EQ(GetRenderer(), nullptr);
    EXPECT_FALSE(IsExtensionSupported("GL_ARB_multitexture"));
}
