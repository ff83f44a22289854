#include "Engine_SpriteTestSupport.h"

#include "engine/Engine_ParticleSystem.h"
#include "renderer/Renderer_Types.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using SpriteTest::FakeTexture;

class ParticleSystemTest : public SpriteTest::SceneFixture
{
protected:
    void SetUp() override
    {
        SpriteTest::SceneFixture::SetUp();
        // One unit a pixel about the middle of the 640 x 480 viewport.
        renderer->SetProjectionMatrix(Math::Matrix4x4::Scaling(1.0f / 320.0f, 1.0f / 240.0f, 1.0f));
    }

    Core::RefPtr<Engine::ParticleSystem> MakeSystem(u32 count)
    {
        Core::RefPtr<Engine::ParticleSystem> system(new Engine::ParticleSystem(texture, count));
        root->AttachChild(system);
        return system;
    }

    // Corner k (0 lower left, 1 lower right, 2 upper right, 3 upper left) of particle i's quad.
    static Math::Vector3D Corner(const Engine::ParticleSystem& system, u32 i, u32 k)
    {
        const u32 vertex[4] = {0, 1, 2, 4};
        return system.GetMesh()->GetPosition(6 * i + vertex[k]);
    }

    static void ExpectNear(const Math::Vector3D& actual, const Math::Vector3D& expected)
    {
        EXPECT_NEAR(actual.x, expected.x, 1e-4f);
        EXPECT_NEAR(actual.y, expected.y, 1e-4f);
        EXPECT_NEAR(actual.z, expected.z, 1e-4f);
    }

    Core::RefPtr<Renderer::ITexture> texture{new FakeTexture(16, 8, "spark.png")};
};

TEST_F(ParticleSystemTest, TheMeshHoldsSixFixedVerticesPerParticle)
{
    const Core::RefPtr<Engine::ParticleSystem> system = MakeSystem(3);
    const Engine::Mesh& mesh = *system->GetMesh();
    ASSERT_EQ(mesh.GetPositionCount(), 18u);
    ASSERT_EQ(mesh.GetColorCount(), 18u);
    ASSERT_EQ(mesh.GetIndexCount(), 18u);
    ASSERT_EQ(mesh.GetSubsetCount(), 1u);
    EXPECT_EQ(mesh.GetSubset(0)->last, 17u);
    EXPECT_EQ(mesh.GetSubset(0)->blended, 1);
    const Math::Vector2D uv[6] = {{0, 0}, {1, 0}, {1, 1}, {1, 1}, {0, 1}, {0, 0}};
    for (u32 i = 0; i < 18; ++i)
    {
        EXPECT_EQ(mesh.GetIndex(i), i);
        EXPECT_EQ(mesh.GetTexCoord(i), uv[i % 6]);
        EXPECT_EQ(mesh.GetColor(i), Math::Color(0.0f, 0.0f, 0.0f, 1.0f));
    }
    EXPECT_EQ(system->GetParticleWidth(), 16.0f);
    EXPECT_EQ(system->GetParticleHeight(), 8.0f);
    EXPECT_EQ(system->GetParticleCount(), 3u);
    EXPECT_EQ(system->GetVertexArray()[10], 0.0f);
}

TEST_F(ParticleSystemTest, QuadsAreSizedRotatedAndColouredFromTheirRecords)
{
    const Core::RefPtr<Engine::ParticleSystem> system = MakeSystem(3);
    Engine::Particle* particles = system->GetParticles();
    particles[0] = {1.0f, 2.0f, 3.0f, 1.0f, 2.0f, 0.0f, 0.1f, 0.2f, 0.3f, 0.4f};
    particles[1] = {5.0f, 5.0f, 0.0f, 0.0f, 0.0f, 45.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    particles[2] = {0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 90.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    system->Draw();

    // Half sizes 8 x 8 (height 8 x 0.5 x 2) around (1, 2, 3).
    EXPECT_EQ(Corner(*system, 0, 0), Math::Vector3D(-7.0f, -6.0f, 3.0f));
    EXPECT_EQ(Corner(*system, 0, 2), Math::Vector3D(9.0f, 10.0f, 3.0f));
    EXPECT_EQ(system->GetMesh()->GetPosition(3), system->GetMesh()->GetPosition(2));
    EXPECT_EQ(system->GetMesh()->GetPosition(5), system->GetMesh()->GetPosition(0));
    for (u32 k = 0; k < 6; ++k)
        EXPECT_EQ(system->GetMesh()->GetColor(k), Math::Color(0.1f, 0.2f, 0.3f, 0.4f));
    // Size factors 0 collapse the quad onto its position.
    for (u32 k = 0; k < 4; ++k)
        EXPECT_EQ(Corner(*system, 1, k), Math::Vector3D(5.0f, 5.0f, 0.0f));
    // A quarter turn: the quad's x axis runs along y; its lower-right corner (8, -4) goes to (4, 8).
    ExpectNear(Corner(*system, 2, 1), Math::Vector3D(4.0f, 8.0f, 0.0f));
    ExpectNear(Corner(*system, 2, 3), Math::Vector3D(-4.0f, -8.0f, 0.0f));
}

TEST_F(ParticleSystemTest, ParticlesOfAlphaZeroAreLeftOutOfTheDrawWhenTheirBlendShowsNothing)
{
    const Core::RefPtr<Engine::ParticleSystem> system = MakeSystem(4);
    Engine::Particle* particles = system->GetParticles();
    particles[0] = {1.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 0.5f};
    particles[1] = {5.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 0.0f};
    particles[2] = {9.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    particles[3] = {13.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 0.0f};
    system->Draw();
    // The seen ones, in their order, and the range drawn stops after them.
    EXPECT_EQ(system->GetMesh()->GetSubset(0)->last, 11u);
    EXPECT_EQ(Corner(*system, 0, 0).x, -7.0f);
    EXPECT_EQ(Corner(*system, 1, 0).x, 1.0f);
    EXPECT_EQ(system->GetMesh()->GetColor(6).a, 1.0f);

    // With none seen, one transparent quad still makes the draw.
    for (u32 i = 0; i < 4; ++i)
        particles[i].a = 0.0f;
    system->Draw();
    EXPECT_EQ(system->GetMesh()->GetSubset(0)->last, 5u);

    // Added light shows nothing at alpha 0 only when the source is weighed by its alpha.
    system->SetBlendFactors(Renderer::BlendFactor::One, Renderer::BlendFactor::One);
    system->Draw();
    EXPECT_EQ(system->GetMesh()->GetSubset(0)->last, 23u);
    EXPECT_EQ(Corner(*system, 1, 0).x, -3.0f);
}

TEST_F(ParticleSystemTest, ParticlesWhollyOffTheViewportAreLeftOutOfTheDraw)
{
    const Core::RefPtr<Engine::ParticleSystem> system = MakeSystem(6);
    Engine::Particle* particles = system->GetParticles();
    // 16 x 8 quads; the viewport spans x -320 to 320 and y -240 to 240.
    const f32 at[6][2] = {{0.0f, 0.0f}, {330.0f, 0.0f}, {315.0f, 0.0f}, {0.0f, -246.0f}, {-328.5f, 0.0f}, {0.0f, 244.5f}};
    for (u32 i = 0; i < 6; ++i)
        particles[i] = {at[i][0], at[i][1], 0.0f, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    system->Draw();
    // Beyond the right edge and below the bottom one they go; a quad reaching in, or one within a
    // pixel of the edge, stays, and the others keep their order.
    EXPECT_EQ(system->GetMesh()->GetSubset(0)->last, 23u);
    EXPECT_EQ(Corner(*system, 0, 0).x, -8.0f);
    EXPECT_EQ(Corner(*system, 1, 0).x, 307.0f);
    EXPECT_EQ(Corner(*system, 2, 0).x, -336.5f);
    EXPECT_EQ(Corner(*system, 3, 0).y, 240.5f);

    // A quarter turn stands the quad up: 8 wide, it reaches the edge from 324.
    particles[1].rotation = 90.0f;
    particles[1].x = 324.0f;
    system->Draw();
    EXPECT_EQ(system->GetMesh()->GetSubset(0)->last, 29u);

    // With none in view, one quad still makes the draw.
    for (u32 i = 0; i < 6; ++i)
        particles[i].x = -400.0f;
    system->Draw();
    EXPECT_EQ(system->GetMesh()->GetSubset(0)->last, 5u);
}

// A texture that shows only in its upper middle.
class RegionTexture : public FakeTexture
{
public:
    RegionTexture() : FakeTexture(16, 8, "dot.png") {}
    Renderer::TextureRegion GetVisibleRegion() const override { return {0.25f, 0.5f, 0.75f, 1.0f}; }
};

// Whole quads with fixed texture coordinates, however little of its texture shows and whatever
// the blend.
TEST_F(ParticleSystemTest, QuadsAreWholeWhateverPartOfTheirTextureShows)
{
    texture = new RegionTexture();
    const Core::RefPtr<Engine::ParticleSystem> system = MakeSystem(2);
    // Seen, so that particle 1 keeps its place in the mesh.
    system->GetParticles()[0].a = 1.0f;
    system->GetParticles()[1] = {1.0f, 2.0f, 0.0f, 2.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    const Engine::Mesh& mesh = *system->GetMesh();
    const Math::Vector2D uv[6] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}, {0.0f, 0.0f}};
    const u32 blends[][2] = {{Renderer::BlendFactor::SourceAlpha, Renderer::BlendFactor::OneMinusSourceAlpha},
                             {Renderer::BlendFactor::SourceAlpha, Renderer::BlendFactor::DestinationColor},
                             {Renderer::BlendFactor::SourceAlpha, Renderer::BlendFactor::One}};
    for (const auto& blend : blends)
    {
        system->SetBlendFactors(blend[0], blend[1]);
        system->Draw();
        // Particle 1: a 32 x 8 quad about (1, 2).
        EXPECT_EQ(Corner(*system, 1, 0), Math::Vector3D(1.0f - 16.0f, 2.0f - 4.0f, 0.0f));
        EXPECT_EQ(Corner(*system, 1, 2), Math::Vector3D(1.0f + 16.0f, 2.0f + 4.0f, 0.0f));
        for (u32 i = 0; i < 12; ++i)
            EXPECT_EQ(mesh.GetTexCoord(i), uv[i % 6]);
    }
}

TEST_F(ParticleSystemTest, QuadsFaceTheCamera)
{
    const Core::RefPtr<Engine::ParticleSystem> system = MakeSystem(1);
    system->GetParticles()[0] = {0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    // A camera turned a quarter about y and moved: the view is the inverse of that placement.
    Math::Matrix4x4 cameraPlace;
    cameraPlace.e[0] = 0.0f;
    cameraPlace.e[2] = -1.0f;
    cameraPlace.e[8] = 1.0f;
    cameraPlace.e[10] = 0.0f;
    cameraPlace.e[12] = 100.0f;
    Math::Matrix4x4 view;
    Math::Matrix4x4::Inverse(view, cameraPlace);
    renderer->SetViewMatrix(view);
    system->Draw();
    // The quad lies in the camera's own x-y plane: its x runs along the camera's x, (0, 0, -1).
    ExpectNear(Corner(*system, 0, 1) - Corner(*system, 0, 0), Math::Vector3D(0.0f, 0.0f, -16.0f));
    ExpectNear(Corner(*system, 0, 3) - Corner(*system, 0, 0), Math::Vector3D(0.0f, 8.0f, 0.0f));
    // Translation of the view plays no part.
    ExpectNear(Corner(*system, 0, 0), Math::Vector3D(0.0f, -4.0f, 8.0f));
}

TEST_F(ParticleSystemTest, DrawSubmitsOneParticleItem)
{
    const Core::RefPtr<Engine::ParticleSystem> system = MakeSystem(2);
    system->SetBlendFactors(6, 1);
    root->SetWorldMatrix(Math::Matrix4x4::Translation(5.0f, 6.0f, 7.0f));
    system->Draw();
    ASSERT_EQ(Queue().GetBlendedItems().size(), 1u);
    EXPECT_EQ(QueuedCount(), 1u);
    const Engine::RenderItem& item = Queue().GetBlendedItems()[0];
    EXPECT_EQ(item.particle, 1);
    EXPECT_EQ(item.effect.Get(), Queue().GetParticleEffect().Get());
    EXPECT_EQ(item.mesh.Get(), system->GetMesh().Get());
    EXPECT_EQ(item.texture.Get(), texture.Get());
    EXPECT_EQ(item.blendSource, 6u);
    EXPECT_EQ(item.blendDestination, 1u);
    EXPECT_EQ(item.subset, 0u);
    EXPECT_EQ(item.world, Math::Matrix4x4::Translation(5.0f, 6.0f, 7.0f));
}

TEST_F(ParticleSystemTest, WorldSpaceParticlesKeepOnlyTheParentsDepth)
{
    const Core::RefPtr<Engine::ParticleSystem> system = MakeSystem(2);
    system->SetUseLocalCoordinates(false);
    root->SetWorldMatrix(Math::Matrix4x4::Translation(5.0f, 6.0f, 7.0f));
    system->Draw();
    ASSERT_EQ(Queue().GetBlendedItems().size(), 1u);
    EXPECT_EQ(Queue().GetBlendedItems()[0].world, Math::Matrix4x4::Translation(0.0f, 0.0f, 7.0f));
}

TEST_F(ParticleSystemTest, AnOverlaySystemIsNotTestedAgainstTheView)
{
    const Core::RefPtr<Engine::ParticleSystem> system = MakeSystem(1);
    system->SetBoundingSize(4.0f);
    const Math::Frustum before = system->GetBoundingVolume().GetWorldBox();
    root->SetWorldMatrix(Math::Matrix4x4::Translation(100.0f, 0.0f, 0.0f));
    system->SetOverlay(true);
    system->Draw();
    EXPECT_EQ(system->GetBoundingVolume().GetWorldBox().corners[0], before.corners[0]);
    ASSERT_EQ(Queue().GetLastPassItems().size(), 1u);
    EXPECT_EQ(Queue().GetLastPassItems()[0].lastPassOnly, 1);

    system->SetOverlay(false);
    system->Draw();
    EXPECT_EQ(system->GetBoundingVolume().GetWorldBox().corners[0], Math::Vector3D(102.0f, 2.0f, 0.0f));
}

TEST_F(ParticleSystemTest, BoundingSizeAndWorldBox)
{
    const Core::RefPtr<Engine::ParticleSystem> system = MakeSystem(1);
    system->SetBoundingSize(10.0f);
    root->SetWorldMatrix(Math::Matrix4x4::Translation(1.0f, 1.0f, 1.0f));
    Math::Frustum box;
    system->GetWorldBox(box);
    EXPECT_EQ(box.corners[0], Math::Vector3D(6.0f, 6.0f, 1.0f));
    EXPECT_EQ(box.corners[6], Math::Vector3D(-4.0f, -4.0f, 0.0f));
}

TEST_F(ParticleSystemTest, WithoutTextureOrParticlesNothingIsDrawn)
{
    Core::RefPtr<Engine::ParticleSystem> untextured(new Engine::ParticleSystem(nullptr, 4));
    root->AttachChild(untextured);
    EXPECT_EQ(untextured->GetParticleWidth(), 0.0f);
    untextured->Draw();
    const Core::RefPtr<Engine::ParticleSystem> empty = MakeSystem(0);
    EXPECT_EQ(empty->GetMesh()->GetSubsetCount(), 0u);
    EXPECT_EQ(empty->GetVertexArray(), nullptr);
    empty->Draw();
    EXPECT_EQ(QueuedCount(), 0u);
}

TEST_F(ParticleSystemTest, CloneCopiesParticlesAndOwnsItsMesh)
{
    const Core::RefPtr<Engine::ParticleSystem> system = MakeSystem(2);
    system->GetParticles()[1].x = 42.0f;
    system->SetUseLocalCoordinates(false);
    system->SetBlendFactors(1, 1);
    const Core::RefPtr<Engine::ParticleSystem> copy(system->Clone());
    EXPECT_EQ(copy->GetParticles()[1].x, 42.0f);
    EXPECT_NE(copy->GetParticles(), system->GetParticles());
    EXPECT_NE(copy->GetMesh().Get(), system->GetMesh().Get());
    EXPECT_EQ(copy->GetMesh()->GetPositionCount(), 12u);
    EXPECT_EQ(copy->GetTexture().Get(), texture.Get());
    EXPECT_FALSE(copy->GetUseLocalCoordinates());
    EXPECT_EQ(copy->GetSourceBlend(), 1u);
}
} // namespace
