// A textured quad drawn through a camera by the scene graph and the render queue on a real
// OpenGL context (Xvfb with Mesa), checked by the pixels read back.
#include "Engine_GLSceneTestSupport.h"
#include "Engine_SceneTestSupport.h"

#include "engine/Engine_ParticleSystem.h"
#include "engine/Engine_Sprite.h"
#include "engine/Engine_TransformationGroup.h"
#include "engine/Engine_Viewport.h"
#include "tests/support/Support_Images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

namespace
{
constexpr i32 Side = 128;

class SceneDrawTest : public SceneTest::GLSceneTest
{
protected:
    SceneDrawTest() : GLSceneTest(Side, Side, "morvane_scene_draw") {}
};

// Another handle on a texture that does not know where it is visible.
class WholeTexture : public Renderer::ITexture
{
public:
    explicit WholeTexture(Core::RefPtr<Renderer::ITexture> texture) : texture(std::move(texture)) {}

    i32 GetWidth() const override { return texture->GetWidth(); }
    i32 GetHeight() const override { return texture->GetHeight(); }
    i32 GetFormat() const override { return texture->GetFormat(); }
    i32 GetTextureType() const override { return texture->GetTextureType(); }
    u32 GetID() const override { return texture->GetID(); }
    void Reload() override {}
    void Unload() override {}
    u8 HasMipmaps() const override { return texture->HasMipmaps(); }
    Core::String GetFileName() const override { return texture->GetFileName(); }

private:
    Core::RefPtr<Renderer::ITexture> texture;
};
} // namespace

TEST_F(SceneDrawTest, TexturedQuadThroughACameraShowsItsFourQuarters)
{
    // Picture quarters: top red | blue, bottom yellow | white.
    const u8 quarters[2][2][3] = {{{255, 0, 0}, {0, 0, 255}}, {{255, 255, 0}, {255, 255, 255}}};
    TestSupport::Picture picture(4, 4);
    for (i32 y = 0; y < 4; ++y)
    {
        for (i32 x = 0; x < 4; ++x)
        {
            const u8* colour = quarters[y / 2][x / 2];
            picture.Set(x, y, colour[0], colour[1], colour[2], 255);
        }
    }
    Engine::RenderItem item;
    item.useQueueDefaults = 1;
    item.subset = 0;
    item.texture = Load("quarters.png", picture, 0);
    item.world = Math::Matrix4x4::Scaling(2.0f, 2.0f, 1.0f);
    ASSERT_TRUE(item.texture);
    const Core::RefPtr<SceneTest::Drawable> quad(new SceneTest::Drawable(item));
    scene->AttachChild(quad);

    // A 90-degree camera 2 units away sees 4 x 4 units: the 2 x 2 quad fills the middle half.
    const Core::RefPtr<Engine::TransformationGroup> holder(new Engine::TransformationGroup());
    holder->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, 2.0f));
    const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(90.0f, 0.5f, 100.0f));
    holder->AttachChild(camera);
    scene->AttachChild(holder);
    Engine::Viewport viewport(0, 0, Side, Side);
    viewport.SetClearColor(Math::Color(0.0f, 1.0f, 0.0f, 1.0f));

    scene->UpdateScene(0.016f);
    scene->SetCurrentViewport(0);
    scene->RenderViewport(*camera, viewport);

    const std::vector<u8> frame = ReadFrame();
    EXPECT_EQ(PixelOf(frame, 40, 88), (std::vector<u8>{255, 0, 0}));
    EXPECT_EQ(PixelOf(frame, 88, 88), (std::vector<u8>{0, 0, 255}));
    EXPECT_EQ(PixelOf(frame, 40, 40), (std::vector<u8>{255, 255, 0}));
    EXPECT_EQ(PixelOf(frame, 88, 40), (std::vector<u8>{255, 255, 255}));
    EXPECT_EQ(PixelOf(frame, 10, 64), (std::vector<u8>{0, 255, 0}));
    EXPECT_EQ(PixelOf(frame, 120, 120), (std::vector<u8>{0, 255, 0}));
}

TEST_F(SceneDrawTest, ViewportBackgroundFillsItsRectangle)
{
    TestSupport::Picture picture(2, 2);
    picture.Fill(0, 0, 255, 255);
    const std::string path = folder.Write("background.png", TestSupport::EncodePng(picture));
    const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(60.0f, 1.0f, 100.0f));
    scene->AttachChild(camera);
    Engine::Viewport viewport(32, 16, 64, 32);
    viewport.SetBackground(path.c_str());
    ASSERT_TRUE(viewport.GetBackground());
    EXPECT_EQ(viewport.GetBackground()->HasMipmaps(), 0);
    renderer->ClearBuffers(Math::Color(0.0f, 0.0f, 0.0f, 1.0f), 1.0f, 0);

    scene->UpdateScene(0.016f);
    scene->RenderViewport(*camera, viewport);

    const std::vector<u8> frame = ReadFrame();
    EXPECT_EQ(PixelOf(frame, 33, 17), (std::vector<u8>{0, 0, 255}));
    EXPECT_EQ(PixelOf(frame, 94, 46), (std::vector<u8>{0, 0, 255}));
    EXPECT_EQ(PixelOf(frame, 31, 17), (std::vector<u8>{0, 0, 0}));
    EXPECT_EQ(PixelOf(frame, 64, 49), (std::vector<u8>{0, 0, 0}));
}

TEST_F(SceneDrawTest, ParticlesShowTheSamePixelsWhateverTheirTextureKnowsOfItsVisibleRegion)
{
    // A dot of colours and alphas in the middle of a wide transparent margin.
    TestSupport::Picture picture(32, 32);
    for (i32 y = 12; y < 20; ++y)
        for (i32 x = 11; x < 19; ++x)
            picture.Set(x, y, static_cast<u8>(x * 12), static_cast<u8>(255 - y * 10), 90, static_cast<u8>(60 + x * 5 + y * 3));
    const Core::RefPtr<Renderer::ITexture> texture =
        Load("dot.png", picture, 0);
    ASSERT_TRUE(texture);
    ASSERT_EQ(texture->GetVisibleRegion(), (Renderer::TextureRegion{10.0f / 32, 11.0f / 32, 20.0f / 32, 21.0f / 32}));

    const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(90.0f, 0.5f, 100.0f));
    const Core::RefPtr<Engine::TransformationGroup> holder(new Engine::TransformationGroup());
    holder->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, 2.0f));
    holder->AttachChild(camera);
    scene->AttachChild(holder);
    Engine::Viewport viewport(0, 0, Side, Side);
    viewport.SetClearColor(Math::Color(0.2f, 0.3f, 0.4f, 1.0f));
    auto draw = [&](Renderer::ITexture* drawn) {
        const Core::RefPtr<Engine::ParticleSystem> system(new Engine::ParticleSystem(drawn, 3));
        system->SetBoundingSize(100.0f);
        // Overlapping, stretched and turned particles of the 32-unit quad, seen 4 units wide.
        system->GetParticles()[0] = {-0.6f, -0.5f, 0.0f, 0.05f, 0.05f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f};
        system->GetParticles()[1] = {-0.3f, -0.35f, 0.0f, 0.06f, 0.035f, 30.0f, 1.0f, 0.5f, 0.8f, 0.7f};
        system->GetParticles()[2] = {0.7f, 0.6f, 0.0f, 0.04f, 0.05f, 75.0f, 0.3f, 1.0f, 1.0f, 1.0f};
        scene->AttachChild(system);
        scene->UpdateScene(0.016f);
        scene->SetCurrentViewport(0);
        scene->RenderViewport(*camera, viewport);
        scene->DetachChild(system.Get());
        return ReadFrame();
    };

    const std::vector<u8> trimmed = draw(texture.Get());
    const Core::RefPtr<Renderer::ITexture> whole(new WholeTexture(texture));
    const std::vector<u8> full = draw(whole.Get());
    ASSERT_EQ(trimmed.size(), full.size());
    int differing = 0;
    for (std::size_t i = 0; i < full.size(); ++i)
        differing += trimmed[i] != full[i] ? 1 : 0;
    EXPECT_EQ(differing, 0);
    // The dots are there: the middle of each differs from the clear colour.
    const std::vector<u8> clear = PixelOf(full, 2, 2);
    EXPECT_NE(PixelOf(full, 45, 48), clear);
    EXPECT_NE(PixelOf(full, 54, 53), clear);
    EXPECT_NE(PixelOf(full, 86, 83), clear);
}

TEST_F(SceneDrawTest, MipmappedParticlesAtFullHalfAndQuarterSizeAreWholeQuads)
{
    // An off-centre patch of colours in a transparent 64 x 64 picture, with mipmaps: opaque at its
    // rim, so that the coarser levels carry it well beyond its texels.
    TestSupport::Picture picture(64, 64);
    for (i32 y = 22; y < 34; ++y)
        for (i32 x = 26; x < 41; ++x)
        {
            const bool rim = y < 24 || y > 31 || x < 28 || x > 38;
            picture.Set(x, y, static_cast<u8>(x * 6), static_cast<u8>(255 - y * 5), static_cast<u8>((x * y) % 256),
                        rim ? 255 : static_cast<u8>(40 + ((x * 7 + y * 13) % 200)));
        }
    const Core::RefPtr<Renderer::ITexture> texture =
        Load("patch.png", picture, 1);
    ASSERT_TRUE(texture);
    ASSERT_TRUE(texture->HasMipmaps());

    // One world unit a pixel at z = 0.
    const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(90.0f, 1.0f, 1000.0f));
    const Core::RefPtr<Engine::TransformationGroup> holder(new Engine::TransformationGroup());
    holder->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, Side / 2.0f));
    holder->AttachChild(camera);
    scene->AttachChild(holder);
    Engine::Viewport viewport(0, 0, Side, Side);
    viewport.SetClearColor(Math::Color(0.2f, 0.3f, 0.4f, 1.0f));
    bool wholeQuads = true; // every vertex keeps its fixed texture coordinates
    auto draw = [&](Renderer::ITexture* drawn, const std::vector<Engine::Particle>& particles) {
        const Core::RefPtr<Engine::ParticleSystem> system(new Engine::ParticleSystem(drawn, static_cast<u32>(particles.size())));
        system->SetBoundingSize(1000.0f);
        std::copy(particles.begin(), particles.end(), system->GetParticles());
        scene->AttachChild(system);
        scene->UpdateScene(0.016f);
        scene->SetCurrentViewport(0);
        scene->RenderViewport(*camera, viewport);
        scene->DetachChild(system.Get());
        const Engine::Mesh& mesh = *system->GetMesh();
        const Math::Vector2D fixed[6] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}, {0.0f, 0.0f}};
        for (u32 vertex = 0; vertex < mesh.GetTexCoordCount(); ++vertex)
            wholeQuads = wholeQuads && mesh.GetTexCoord(vertex) == fixed[vertex % 6];
        return ReadFrame();
    };
    const Core::RefPtr<Renderer::ITexture> whole(new WholeTexture(texture));
    // Channels differing between the texture that knows where it is visible and one that does not.
    auto differing = [&](const std::vector<Engine::Particle>& particles) {
        const std::vector<u8> trimmed = draw(texture.Get(), particles);
        const std::vector<u8> full = draw(whole.Get(), particles);
        EXPECT_EQ(trimmed.size(), full.size());
        int count = 0;
        for (std::size_t i = 0; i < full.size() && i < trimmed.size(); ++i)
            count += trimmed[i] != full[i] ? 1 : 0;
        return std::make_pair(count, full);
    };

    // Full size, half size, quarter size, between them (where two levels blend), an eighth,
    // stretched both ways, overlapping, off the pixel grid.
    const std::vector<Engine::Particle> upright = {
        {-20.0f, -10.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.9f, 0.8f, 1.0f, 0.6f},
        {-36.0f, 30.0f, 0.0f, 0.5f, 0.5f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f},
        {20.25f, 34.5f, 0.0f, 0.25f, 0.25f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f},
        {-30.5f, -28.0f, 0.0f, 0.5f, 0.25f, 0.0f, 0.8f, 1.0f, 0.6f, 0.9f},
        {28.0f, -30.75f, 0.0f, 0.25f, 0.5f, 0.0f, 1.0f, 0.7f, 1.0f, 1.0f},
        {0.0f, 0.0f, 0.0f, 0.4f, 0.4f, 0.0f, 1.0f, 1.0f, 1.0f, 0.8f},
        {6.0f, 4.0f, 0.0f, 0.3f, 0.3f, 0.0f, 0.5f, 1.0f, 1.0f, 1.0f},
        {-50.0f, -2.0f, 0.0f, 0.18f, 0.18f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f},
        {44.0f, 6.0f, 0.0f, 0.125f, 0.125f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f}};
    const auto [uprightDiffering, uprightFrame] = differing(upright);
    EXPECT_EQ(uprightDiffering, 0);
    EXPECT_TRUE(wholeQuads);
    // The patches are there.
    const std::vector<u8> clear = PixelOf(uprightFrame, 2, 2);
    EXPECT_NE(PixelOf(uprightFrame, 64 - 36 + 1, 64 + 30 - 2), clear);
    EXPECT_NE(PixelOf(uprightFrame, 64 + 20, 64 + 34 - 1), clear);

    // Turned quads: a quad cut to the visible part rounds its smaller triangles' coordinates apart
    // from the whole quad's.
    std::vector<Engine::Particle> turned = upright;
    for (std::size_t i = 0; i < turned.size(); ++i)
        turned[i].rotation = 17.0f + 29.0f * static_cast<f32>(i);
    EXPECT_EQ(differing(turned).first, 0);
    EXPECT_TRUE(wholeQuads);
}

TEST_F(SceneDrawTest, SpritesDrawnOverTheShownPartOfTheirCellShowTheSamePixels)
{
    // A mipmapped sheet of 2 x 2 cells of 32 x 32, each a patch of colours somewhere in its cell,
    // opaque at its rim; the patch of cell 1 touches its cell's left edge.
    TestSupport::Picture picture(64, 64);
    const i32 patches[4][4] = {{6, 8, 14, 12}, {32, 3, 9, 15}, {12, 40, 10, 8}, {44, 38, 16, 20}};
    for (const auto& patch : patches)
        for (i32 y = patch[1]; y < patch[1] + patch[3]; ++y)
            for (i32 x = patch[0]; x < patch[0] + patch[2]; ++x)
            {
                const bool rim = y == patch[1] || x == patch[0] || y == patch[1] + patch[3] - 1 || x == patch[0] + patch[2] - 1;
                picture.Set(x, y, static_cast<u8>(x * 4), static_cast<u8>(255 - y * 3), static_cast<u8>((x * y) % 256),
                            rim ? 255 : static_cast<u8>(30 + ((x * 11 + y * 7) % 220)));
            }
    const Core::RefPtr<Renderer::ITexture> texture =
        Load("cells.png", picture, 1);
    ASSERT_TRUE(texture);

    const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(90.0f, 1.0f, 1000.0f));
    const Core::RefPtr<Engine::TransformationGroup> holder(new Engine::TransformationGroup());
    holder->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, Side / 2.0f));
    holder->AttachChild(camera);
    scene->AttachChild(holder);
    Engine::Viewport viewport(0, 0, Side, Side);
    viewport.SetClearColor(Math::Color(0.2f, 0.3f, 0.4f, 1.0f));
    struct Placement
    {
        u32 frame;
        f32 x, y, scale, degrees;
        bool flip, screenSpace;
    };
    // At their size, enlarged, halved, quartered, turned, flipped, off the pixel grid, on the
    // screen, overlapping.
    const std::vector<Placement> placements = {
        {0, -40.0f, 36.0f, 1.0f, 0.0f, false, false}, {1, 10.25f, 40.5f, 1.6f, 0.0f, false, false},
        {2, -38.5f, -30.0f, 0.5f, 0.0f, true, false}, {3, 30.0f, -34.75f, 0.25f, 0.0f, false, false},
        {0, 0.0f, 0.0f, 0.8f, 23.0f, false, false},   {1, 6.0f, -8.0f, 1.0f, 141.0f, true, false},
        {3, -12.0f, 20.0f, 0.4f, 0.0f, false, true},  {2, 44.0f, 8.0f, 0.7f, 300.0f, false, false}};
    auto draw = [&](Renderer::ITexture* drawn) {
        Core::Vector<Engine::SpriteFrame> frames;
        for (u32 i = 0; i < 4; ++i)
            frames.push_back(Engine::SpriteFrame{i % 2, i / 2, 1.0f});
        const Core::RefPtr<Engine::SpriteAnimation> animation(new Engine::SpriteAnimation(drawn, 32, 32, frames));
        std::vector<Core::RefPtr<Engine::TransformationGroup>> groups;
        for (const Placement& placement : placements)
        {
            const Core::RefPtr<Engine::Sprite> sprite(new Engine::Sprite(Engine::Sprite::Animations{animation}));
            sprite->SetCurrentFrameIndex(placement.frame, true);
            sprite->SetFlipHorizontal(placement.flip);
            sprite->SetScreenSpace(placement.screenSpace);
            const Core::RefPtr<Engine::TransformationGroup> group(new Engine::TransformationGroup());
            group->SetTransform(Math::Matrix4x4::Translation(placement.x, placement.y, 0.0f) *
                                Math::Matrix4x4::RotationZ(placement.degrees) *
                                Math::Matrix4x4::Scaling(placement.scale, placement.scale, 1.0f));
            group->AttachChild(sprite);
            scene->AttachChild(group);
            groups.push_back(group);
        }
        scene->UpdateScene(0.016f);
        scene->SetCurrentViewport(0);
        scene->RenderViewport(*camera, viewport);
        for (const Core::RefPtr<Engine::TransformationGroup>& group : groups)
            scene->DetachChild(group.Get());
        return ReadFrame();
    };
    Renderer::ScissorState before;
    renderer->GetScissorState(before);
    const std::vector<u8> trimmed = draw(texture.Get());
    Renderer::ScissorState after;
    renderer->GetScissorState(after);
    const Core::RefPtr<Renderer::ITexture> whole(new WholeTexture(texture));
    const std::vector<u8> full = draw(whole.Get());
    ASSERT_EQ(trimmed.size(), full.size());
    int differing = 0;
    for (std::size_t i = 0; i < full.size(); ++i)
        differing += trimmed[i] != full[i] ? 1 : 0;
    EXPECT_EQ(differing, 0);
    // The scissor is as it was, and the patches are there.
    EXPECT_EQ(after.enabled, before.enabled);
    EXPECT_EQ(std::make_pair(after.x, after.width), std::make_pair(before.x, before.width));
    const std::vector<u8> clear = PixelOf(full, 2, 2);
    EXPECT_NE(PixelOf(full, 64 - 40 - 16 + 16, 64 + 36 - 16 + 19), clear);
}
