// The cheaper states the render queue sets around its draws: the same pixels as with the states
// as set (on a real OpenGL context under Xvfb with Mesa), taken where they apply and put back
// afterwards (on the recording renderer).
#include "Engine_GLSceneTestSupport.h"
#include "Engine_SceneTestSupport.h"

#include "engine/Engine_TransformationGroup.h"
#include "engine/Engine_Viewport.h"
#include "renderer/Renderer_BuiltInEffects.h"
#include "tests/support/Support_Images.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
constexpr i32 Side = 128;

// The sprite's quad in the middle of a transparent picture: colours and alphas that change
// across it, three transparent columns.
TestSupport::Picture Sheet(i32 size, bool opaque)
{
    TestSupport::Picture picture(size, size);
    for (i32 y = 0; y < size; ++y)
        for (i32 x = 0; x < size; ++x)
            picture.Set(x, y, static_cast<u8>(x * 255 / size), static_cast<u8>(255 - y * 200 / size),
                        static_cast<u8>((x * y) % 256), opaque ? 255 : static_cast<u8>(x < 3 ? 0 : 40 + (x * 200) / size));
    return picture;
}

Engine::RenderItem Sprite(Renderer::ITexture* texture, f32 x, f32 y, f32 z, f32 size, f32 turn, const Math::Color& color)
{
    Engine::RenderItem item;
    item.useQueueDefaults = 1;
    item.subset = 0;
    item.texture = texture;
    item.color = color;
    item.world = Math::Matrix4x4::Translation(x, y, z) * Math::Matrix4x4::RotationZ(turn) *
                 Math::Matrix4x4::Scaling(size, size, 1.0f);
    return item;
}

// Four quads of a particle-like mesh in colours of their own, blended by adding.
Engine::RenderItem ColouredMesh(Engine::Mesh& mesh, Renderer::ITexture* texture)
{
    const Math::Vector2D corners[6] = {{0, 0}, {1, 0}, {1, 1}, {1, 1}, {0, 1}, {0, 0}};
    for (u32 quad = 0; quad < 4; ++quad)
    {
        const f32 x = -1.6f + 0.45f * static_cast<f32>(quad);
        for (const Math::Vector2D& corner : corners)
        {
            mesh.AddPosition(Math::Vector3D(x + corner.x * 0.7f, -1.5f + corner.y * 0.7f, 0.3f));
            mesh.AddTexCoord(corner);
            mesh.AddColor(Math::Color(1.0f, 0.3f * static_cast<f32>(quad), 0.6f, 0.25f + 0.2f * static_cast<f32>(quad)));
            mesh.AddIndex(mesh.GetIndexCount());
        }
    }
    Engine::MeshSubset subset;
    subset.first = 0;
    subset.last = mesh.GetIndexCount() - 1;
    subset.blended = 1;
    mesh.AddSubset(subset);
    mesh.SetPrimitive(Renderer::Primitive::Triangles);
    Engine::RenderItem item;
    item.mesh = &mesh;
    item.subset = 0;
    item.particle = 1;
    item.texture = texture;
    item.blendDestination = Renderer::BlendFactor::One;
    return item;
}

class DrawShortcutsTest : public SceneTest::GLSceneTest
{
protected:
    DrawShortcutsTest() : GLSceneTest(Side, Side, "morvane_draw_shortcuts") {}
};
} // namespace

TEST_F(DrawShortcutsTest, TheQueueDrawsTheSamePixelsWithAndWithoutItsCheaperStates)
{
    const Core::RefPtr<Renderer::ITexture> opaque = Load("opaque.png", Sheet(8, true), 1);
    const Core::RefPtr<Renderer::ITexture> sheet = Load("sheet.png", Sheet(8, false), 1);
    const Core::RefPtr<Renderer::ITexture> large = Load("large.png", Sheet(64, false), 1);
    const Core::RefPtr<Renderer::ITexture> background = Load("background.png", Sheet(4, true), 0);
    ASSERT_TRUE(opaque && sheet && large && background);
    ASSERT_TRUE(opaque->IsOpaque());
    const Math::Color white(1.0f, 1.0f, 1.0f, 1.0f);
    const std::vector<Engine::RenderItem> sprites = {
        // Opaque texels in white and in a colour, blended as set.
        Sprite(opaque, -1.0f, 1.0f, 0.0f, 1.5f, 17.0f, white),
        Sprite(opaque, -0.3f, 0.6f, 0.05f, 0.8f, 0.0f, Math::Color(0.6f, 0.9f, 0.3f, 1.0f)),
        // Transparent texels in white, magnified: level 0 alone is read.
        Sprite(sheet, 1.0f, 1.0f, 0.1f, 1.6f, -29.0f, white),
        Sprite(sheet, 0.0f, 0.0f, 0.2f, 1.2f, 52.0f, Math::Color(0.9f, 0.4f, 0.7f, 0.8f)),
        // Shrunk: the mipmaps are read.
        Sprite(large, 1.0f, -1.0f, 0.15f, 0.4f, 11.0f, white),
        // Alpha 0 over everything: changes nothing.
        Sprite(sheet, 0.2f, 0.3f, 0.5f, 2.5f, 0.0f, Math::Color(1.0f, 0.0f, 0.0f, 0.0f)),
    };
    for (const Engine::RenderItem& sprite : sprites)
        scene->AttachChild(new SceneTest::Drawable(sprite));
    const Core::RefPtr<Engine::Mesh> mesh(new Engine::Mesh());
    scene->AttachChild(new SceneTest::Drawable(ColouredMesh(*mesh, sheet)));
    // Filtered nearest and magnified: level 0 alone is read.
    const Core::RefPtr<Renderer::Effect> nearest = Renderer::CreateTextEffectNoCulling();
    nearest->SetTexture(1, sheet);
    Engine::RenderItem crisp = Sprite(nullptr, -1.0f, -0.2f, 0.25f, 1.4f, 23.0f, white);
    crisp.useQueueDefaults = 0;
    crisp.effect = nearest;
    crisp.mesh = scene->GetRenderQueue().GetDefaultQuadMesh();
    scene->AttachChild(new SceneTest::Drawable(crisp));

    const Core::RefPtr<Engine::TransformationGroup> holder(new Engine::TransformationGroup());
    holder->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, 2.0f));
    const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(90.0f, 0.5f, 100.0f));
    holder->AttachChild(camera);
    scene->AttachChild(holder);
    Engine::Viewport viewport(0, 0, Side, Side);
    viewport.SetClearColor(Math::Color(0.2f, 0.3f, 0.4f, 1.0f));
    viewport.SetBackground(background->GetFileName());

    Engine::DrawShortcuts& shortcuts = scene->GetRenderQueue().GetShortcuts();
    const auto draw = [&](bool cheaper) {
        shortcuts.SetEnabled(cheaper);
        scene->UpdateScene(0.016f);
        scene->SetCurrentViewport(0);
        scene->RenderViewport(*camera, viewport);
        return ReadFrame();
    };
    const std::vector<u8> asSet = draw(false);
    const std::vector<u8> cheaper = draw(true);
    ASSERT_EQ(asSet.size(), cheaper.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < asSet.size(); ++i)
        differing += asSet[i] != cheaper[i] ? 1 : 0;
    EXPECT_EQ(differing, 0u);
    // Every sprite and the mesh show.
    const std::vector<u8> backdrop = PixelOf(asSet, 2, 64);
    for (const auto& [x, y] : std::vector<std::pair<i32, i32>>{{32, 96}, {56, 84}, {96, 96}, {64, 64}, {96, 32}, {20, 26}})
        EXPECT_NE(PixelOf(asSet, x, y), backdrop) << x << ", " << y;
}

namespace
{
// A recording-renderer texture whose texels are all opaque and read at level 0 wherever drawn.
class OpaqueTexture : public SceneTest::FakeTexture
{
public:
    OpaqueTexture() : FakeTexture(8, 8, "opaque") {}
    bool IsOpaque() const override { return true; }
    bool ReadsLevelZeroOnlyAt(const Renderer::TextureFootprint&) const override { return true; }
};

class DrawShortcutsStatesTest : public SceneTest::SceneFixture
{
protected:
    // Draws the scene once through a camera over the whole window.
    void DrawFrame()
    {
        renderer->ClearLog();
        scene->UpdateScene(0.016f);
        scene->RenderViewport(*camera, viewport);
    }

    Core::RefPtr<Engine::Camera> camera{new Engine::Camera(90.0f, 0.5f, 100.0f)};
    Engine::Viewport viewport{0, 0, 640, 480};
};
} // namespace

TEST_F(DrawShortcutsStatesTest, CheaperStatesGoOnlyAroundTheDrawsTheySuitAndAreSetBackAfterwards)
{
    // A texture each, so that each sprite is a run of its own.
    const Core::RefPtr<Renderer::ITexture> textures[3] = {new OpaqueTexture(), new OpaqueTexture(), new OpaqueTexture()};
    const Core::RefPtr<Engine::TransformationGroup> holder(new Engine::TransformationGroup());
    holder->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, 2.0f));
    holder->AttachChild(camera);
    scene->AttachChild(holder);
    // A white sprite, then (further back, so drawn first) one of alpha 0 and a coloured one.
    scene->AttachChild(new SceneTest::Drawable(Sprite(textures[0], 0.0f, 0.0f, 0.2f, 1.0f, 0.0f, Math::Color(1, 1, 1, 1))));
    scene->AttachChild(new SceneTest::Drawable(Sprite(textures[1], 0.5f, 0.0f, 0.0f, 1.0f, 0.0f, Math::Color(1, 1, 1, 0))));
    scene->AttachChild(new SceneTest::Drawable(Sprite(textures[2], 0.7f, 0.0f, 0.1f, 1.0f, 0.0f, Math::Color(1, 0, 0, 0.5f))));

    queue->GetShortcuts().SetEnabled(false);
    DrawFrame();
    ASSERT_EQ(renderer->GetDraws().size(), 3u);
    Renderer::AlphaBlendingState blendingBefore;
    renderer->GetAlphaBlendingState(blendingBefore);
    Renderer::DepthBufferState depthBefore;
    renderer->GetDepthBufferState(depthBefore);

    queue->GetShortcuts().SetEnabled(true);
    DrawFrame();
    // The draw of alpha 0 is left out.
    const auto& draws = renderer->GetDraws();
    ASSERT_EQ(draws.size(), 2u);
    // The translucent red one blends and tests as set, but needs no depth test; it reads level 0
    // alone, but its linear filter has no code for that and stays.
    const Renderer::RecordedDraw& red = draws[0];
    EXPECT_EQ(red.alphaBlending.enabled, 1);
    EXPECT_EQ(red.alphaTesting.enabled, 0);
    EXPECT_EQ(red.depthBuffer.testEnabled, 0);
    EXPECT_EQ(red.unit0.environment, Renderer::TextureEnvironmentMode::Modulate);
    EXPECT_EQ(red.unit0.filter, Renderer::TextureFilter::Linear);
    // The white one over opaque texels: a replacing unit, no blending.
    const Renderer::RecordedDraw& white = draws[1];
    EXPECT_EQ(white.alphaBlending.enabled, 0);
    EXPECT_EQ(white.unit0.environment, Renderer::TextureEnvironmentMode::Replace);
    EXPECT_EQ(white.depthBuffer.testEnabled, 0);

    // The renderer holds the states as set, as after the frame drawn without them.
    Renderer::AlphaBlendingState blending;
    EXPECT_EQ(renderer->GetAlphaBlendingState(blending).enabled, blendingBefore.enabled);
    Renderer::DepthBufferState depth;
    EXPECT_EQ(renderer->GetDepthBufferState(depth).testEnabled, depthBefore.testEnabled);

    // Without a fresh depth buffer the depth test stays.
    scene->GetRenderQueue().GetShortcuts().SetDepthAtFarPlane(false);
    Engine::Viewport corner(0, 0, 320, 240);
    renderer->ClearLog();
    scene->UpdateScene(0.016f);
    scene->RenderViewport(*camera, corner);
    ASSERT_FALSE(renderer->GetDraws().empty());
    EXPECT_EQ(renderer->GetDraws()[0].depthBuffer.testEnabled, 1);
    // Nor when depth could not be written while the whole window was cleared.
    Renderer::DepthBufferState locked;
    locked.writeEnabled = 0;
    renderer->SetDepthBufferState(locked);
    DrawFrame();
    ASSERT_FALSE(renderer->GetDraws().empty());
    EXPECT_EQ(renderer->GetDraws()[0].depthBuffer.testEnabled, 1);
}

TEST_F(DrawShortcutsStatesTest, DrawsOfOneRunKeepTheCheaperStatesTheyShare)
{
    const Core::RefPtr<Renderer::ITexture> texture(new OpaqueTexture());
    const Core::RefPtr<Engine::TransformationGroup> holder(new Engine::TransformationGroup());
    holder->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, 2.0f));
    holder->AttachChild(camera);
    scene->AttachChild(holder);
    // Two particle meshes with one texture: one run, a draw each.
    const Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(1, true);
    for (u32 i = 0; i < 2; ++i)
    {
        Engine::RenderItem item = SceneTest::MeshItem(mesh, 0, nullptr, 0.1f * static_cast<f32>(i), 0.1f * static_cast<f32>(i));
        item.particle = 1;
        item.texture = texture;
        scene->AttachChild(new SceneTest::Drawable(item));
    }
    DrawFrame();
    const auto& draws = renderer->GetDraws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].depthBuffer.testEnabled, 0);
    EXPECT_EQ(draws[1].depthBuffer.testEnabled, 0);
    // Applied, made cheaper once for both draws, set back, restored.
    EXPECT_EQ(renderer->CountCalls("SetDepthBufferState"), 4u);
    Renderer::DepthBufferState depth;
    EXPECT_EQ(renderer->GetDepthBufferState(depth).testEnabled, 1);
}
