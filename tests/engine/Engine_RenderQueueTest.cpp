// The render queue through the recording renderer: which list an item lands in, the sort orders,
// the last pass across viewports, identity-view items, particles, and the items it skips.
#include "Engine_SceneTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>
#include <vector>

using SceneTest::DrawnTags;
using SceneTest::MeshItem;
using SceneTest::SceneFixture;

namespace
{
class RenderQueueTest : public SceneFixture
{
protected:
    // Draws the queue for the current viewport and empties it, as the scene graph does.
    void RenderAndClear()
    {
        queue->Render();
        queue->Clear();
    }

    Core::RefPtr<Renderer::Effect> opaqueEffect = Renderer::CreateTexturedOpaqueEffect();
    Core::RefPtr<Renderer::Effect> blendedEffect = Renderer::CreateUntexturedBlendEffect();
};
} // namespace

TEST_F(RenderQueueTest, MeshLessItemsDrawOnlyAsPointsOrLines)
{
    const f32 vertices[] = {0, 0, 0, 1, 1, 0};
    Engine::RenderItem triangles;
    triangles.vertexArray = vertices;
    triangles.vertexCount = 2;
    queue->Submit(triangles);
    EXPECT_TRUE(queue->GetBlendedItems().empty());
    EXPECT_TRUE(queue->GetOpaqueItems().empty());

    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(1);
    Engine::RenderItem opaque = MeshItem(mesh, 0, opaqueEffect, 1.0f);
    Engine::RenderItem lines = triangles;
    lines.primitiveType = Renderer::Primitive::Lines;
    lines.world = Math::Matrix4x4::Translation(2.0f, 0.0f, 0.0f);
    lines.color = Math::Color(0.5f, 0.25f, 1.0f, 1.0f);
    queue->Submit(lines);
    queue->Submit(opaque);
    ASSERT_EQ(queue->GetBlendedItems().size(), 1u);
    RenderAndClear();

    // The line item comes after the opaque one, with the line effect's states in force.
    ASSERT_EQ(DrawnTags(*renderer), (std::vector<f32>{1.0f, 2.0f}));
    const Renderer::RecordedDraw& line = renderer->GetDraws()[1];
    EXPECT_EQ(line.primitive, Renderer::Primitive::Lines);
    EXPECT_EQ(line.count, 2u);
    EXPECT_EQ(line.vertices, vertices);
    EXPECT_EQ(line.currentColor, Math::Color(0.5f, 0.25f, 1.0f, 1.0f));
    EXPECT_EQ(line.alphaBlending.enabled, 1);
    EXPECT_EQ(line.depthBuffer.writeEnabled, 0);
}

TEST_F(RenderQueueTest, QueueDefaultItemsAreBlendedQuadsWithTheirTexture)
{
    Core::RefPtr<Renderer::ITexture> texture(new SceneTest::FakeTexture(16, 16));
    Engine::RenderItem item;
    item.useQueueDefaults = 1;
    item.effect = opaqueEffect;
    item.texture = texture;
    item.subset = 0;
    queue->Submit(item);
    EXPECT_EQ(item.effect.Get(), queue->GetDefaultEffect().Get());
    EXPECT_EQ(item.mesh.Get(), queue->GetDefaultQuadMesh().Get());
    ASSERT_EQ(queue->GetBlendedItems().size(), 1u);
    RenderAndClear();
    ASSERT_EQ(renderer->GetDraws().size(), 1u);
    const Renderer::RecordedDraw& draw = renderer->GetDraws()[0];
    EXPECT_EQ(draw.count, 6u);
    EXPECT_EQ(draw.texture0.Get(), texture.Get());
    EXPECT_EQ(draw.unit0.enabled, 1);
    // Unit 0 is unbound again after the draw.
    EXPECT_FALSE(renderer->GetTexture(0));
}

TEST_F(RenderQueueTest, OpaqueItemsAreDrawnBySubsetWithinOneEffectAndMesh)
{
    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(3);
    for (u32 subset : {2u, 0u, 1u})
    {
        Engine::RenderItem item = MeshItem(mesh, subset, opaqueEffect, static_cast<f32>(subset));
        queue->Submit(item);
    }
    RenderAndClear();
    EXPECT_EQ(DrawnTags(*renderer), (std::vector<f32>{0.0f, 1.0f, 2.0f}));
    EXPECT_EQ(renderer->GetDraws()[1].first, 1u);
}

TEST_F(RenderQueueTest, OpaqueItemsOfOneEffectAreDrawnTogether)
{
    Core::RefPtr<Renderer::Effect> otherOpaque = Renderer::CreateTextEffectNoCulling();
    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(1);
    const Renderer::Effect* effects[] = {opaqueEffect, otherOpaque, opaqueEffect, otherOpaque};
    for (u32 i = 0; i < 4; ++i)
    {
        Engine::RenderItem item = MeshItem(mesh, 0, const_cast<Renderer::Effect*>(effects[i]), static_cast<f32>(i));
        queue->Submit(item);
    }
    RenderAndClear();
    const std::vector<f32> tags = DrawnTags(*renderer);
    ASSERT_EQ(tags.size(), 4u);
    // Items 0 and 2 share an effect, as do 1 and 3: each pair is adjacent.
    EXPECT_EQ(static_cast<int>(tags[0]) % 2, static_cast<int>(tags[1]) % 2);
    EXPECT_EQ(static_cast<int>(tags[2]) % 2, static_cast<int>(tags[3]) % 2);
}

TEST_F(RenderQueueTest, BlendedItemsAreDrawnBackToFront)
{
    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(1);
    Engine::RenderItem nearItem = MeshItem(mesh, 0, blendedEffect, 3.0f, 3.0f);
    Engine::RenderItem farItem = MeshItem(mesh, 0, blendedEffect, -5.0f, -5.0f);
    // A blended subset sends an item of an opaque effect to the blended list too.
    Core::RefPtr<Engine::Mesh> blendedMesh = SceneTest::MakeMesh(1, true);
    Engine::RenderItem middle = MeshItem(blendedMesh, 0, opaqueEffect, 0.0f, 0.0f);
    queue->Submit(nearItem);
    queue->Submit(farItem);
    queue->Submit(middle);
    EXPECT_TRUE(queue->GetOpaqueItems().empty());
    RenderAndClear();
    EXPECT_EQ(DrawnTags(*renderer), (std::vector<f32>{-5.0f, 0.0f, 3.0f}));
}

TEST_F(RenderQueueTest, BlendedItemsOfEveryDepthSortBackToFrontWithEqualDepthsInSubmissionOrder)
{
    // Depths of both signs and of very different sizes, and equal ones, 0 and -0 among them: the
    // sort works on keys of their bits, so each sign and exponent must land in its place.
    Core::RefPtr<Engine::Mesh> blendedMesh = SceneTest::MakeMesh(1, true);
    const f32 depths[] = {3.0f, -0.0f, 250.5f, -1e6f, 0.0f, -5.0f, 1e-7f, -1e-7f, 3.0f, 0.0f, 1e6f, -250.5f, -5.0f};
    std::vector<std::pair<f32, f32>> expected;
    for (u32 i = 0; i < std::size(depths); ++i)
    {
        Engine::RenderItem item = MeshItem(blendedMesh, 0, blendedEffect, static_cast<f32>(i), depths[i]);
        queue->Submit(item);
        expected.emplace_back(depths[i], static_cast<f32>(i));
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const std::pair<f32, f32>& a, const std::pair<f32, f32>& b) { return a.first < b.first; });
    std::vector<f32> tags;
    for (const auto& entry : expected)
        tags.push_back(entry.second);
    RenderAndClear();
    EXPECT_EQ(DrawnTags(*renderer), tags);
}

TEST_F(RenderQueueTest, LastPassItemsWaitForTheLastViewport)
{
    scene->SetViewportCount(2);
    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(1);
    Engine::RenderItem overlay = MeshItem(mesh, 0, blendedEffect, 7.0f);
    overlay.lastPassOnly = 1;
    Engine::RenderItem ordinary = MeshItem(mesh, 0, opaqueEffect, 1.0f);
    const Math::Matrix4x4 projection = Math::Matrix4x4::Perspective(60.0f, 1.0f, 1.0f, 50.0f);
    renderer->SetProjectionMatrix(projection);

    scene->SetCurrentViewport(0);
    queue->Submit(overlay);
    EXPECT_TRUE(queue->GetLastPassItems().empty());
    queue->Submit(ordinary);
    RenderAndClear();
    EXPECT_EQ(DrawnTags(*renderer), (std::vector<f32>{1.0f}));

    renderer->ClearLog();
    scene->SetCurrentViewport(1);
    queue->Submit(overlay);
    queue->Submit(ordinary);
    ASSERT_EQ(queue->GetLastPassItems().size(), 1u);
    RenderAndClear();
    // Drawn once, after the viewport's own items, under the fixed perspective over the window.
    ASSERT_EQ(DrawnTags(*renderer), (std::vector<f32>{1.0f, 7.0f}));
    const Renderer::RecordedDraw& last = renderer->GetDraws()[1];
    EXPECT_EQ(last.projection, Math::Matrix4x4::Perspective(45.0f, 640.0f / 480.0f, 1.0f, 10000.0f));
    EXPECT_NEAR(last.view.e[14], -240.0f / std::tan(22.5f * 0.017453292f), 1e-3f);
    EXPECT_TRUE(queue->GetLastPassItems().empty());
    // The pass leaves the projection and view as it found them.
    EXPECT_EQ(renderer->GetProjectionMatrix(), projection);
    EXPECT_EQ(renderer->GetViewMatrix(), Math::Matrix4x4::Identity());
}

TEST_F(RenderQueueTest, LastPassListIsEmptiedOnlyByTheLastViewport)
{
    scene->SetViewportCount(2);
    scene->SetCurrentViewport(1);
    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(1);
    Engine::RenderItem overlay = MeshItem(mesh, 0, blendedEffect, 7.0f);
    overlay.lastPassOnly = 1;
    queue->Submit(overlay);
    scene->SetCurrentViewport(0);
    queue->Clear();
    EXPECT_EQ(queue->GetLastPassItems().size(), 1u);
    scene->SetCurrentViewport(1);
    queue->Clear();
    EXPECT_TRUE(queue->GetLastPassItems().empty());
}

TEST_F(RenderQueueTest, IdentityViewItemsLeaveTheViewAsTheyFoundIt)
{
    const Math::Matrix4x4 view = Math::Matrix4x4::Translation(0.0f, 0.0f, -30.0f);
    renderer->SetViewMatrix(view);
    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(1);
    Engine::RenderItem item = MeshItem(mesh, 0, opaqueEffect, 1.0f);
    item.identityView = 1;
    queue->Submit(item);
    RenderAndClear();
    ASSERT_EQ(renderer->GetDraws().size(), 1u);
    EXPECT_EQ(renderer->GetDraws()[0].view, Math::Matrix4x4::Identity());
    EXPECT_EQ(renderer->GetViewMatrix(), view);
}

TEST_F(RenderQueueTest, ItemsWithABadSubsetOrNoEffectAreSkipped)
{
    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(1);
    Engine::RenderItem badSubset = MeshItem(mesh, 4, opaqueEffect, 1.0f);
    Engine::RenderItem noEffect = MeshItem(mesh, 0, nullptr, 2.0f);
    Engine::RenderItem good = MeshItem(mesh, 0, opaqueEffect, 3.0f);
    queue->Submit(badSubset);
    queue->Submit(noEffect);
    queue->Submit(good);
    RenderAndClear();
    EXPECT_EQ(DrawnTags(*renderer), (std::vector<f32>{3.0f}));
}

TEST_F(RenderQueueTest, ParticleItemsBlendWithTheirOwnFactors)
{
    Core::RefPtr<Renderer::ITexture> texture(new SceneTest::FakeTexture(16, 16));
    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(1);
    Engine::RenderItem item = MeshItem(mesh, 0, opaqueEffect, 1.0f);
    item.particle = 1;
    item.texture = texture;
    item.blendSource = Renderer::BlendFactor::One;
    item.blendDestination = Renderer::BlendFactor::One;
    queue->Submit(item);
    EXPECT_EQ(item.effect.Get(), static_cast<Renderer::Effect*>(queue->GetParticleEffect().Get()));
    RenderAndClear();
    ASSERT_EQ(renderer->GetDraws().size(), 1u);
    const Renderer::RecordedDraw& draw = renderer->GetDraws()[0];
    EXPECT_EQ(draw.alphaBlending.source, Renderer::BlendFactor::One);
    EXPECT_EQ(draw.alphaBlending.destination, Renderer::BlendFactor::One);
    EXPECT_EQ(draw.alphaBlending.enabled, 1);
    EXPECT_EQ(draw.texture0.Get(), texture.Get());
    // Afterwards the renderer blends as before.
    Renderer::AlphaBlendingState blending;
    renderer->GetAlphaBlendingState(blending);
    EXPECT_EQ(blending.enabled, 0);
}

TEST_F(RenderQueueTest, ItemsThatCompareEqualKeepTheOrderTheyWereSubmittedIn)
{
    // Overlapping sprites at one depth must not swap places from one frame to the next.
    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(1);
    Core::RefPtr<Engine::Mesh> blendedMesh = SceneTest::MakeMesh(1, true);
    const f32 tags[] = {7, 3, 9, 1, 5, 8, 2, 6, 4, 0, 11, 10, 13, 12, 15, 14, 17, 16, 19, 18};
    for (int frame = 0; frame < 2; ++frame)
    {
        renderer->ClearLog();
        std::vector<f32> submitted;
        for (f32 tag : tags)
        {
            Engine::RenderItem opaque = MeshItem(mesh, 0, opaqueEffect, tag);
            queue->Submit(opaque);
        }
        for (f32 tag : tags)
        {
            // World z 0 for every one: the tag is in x.
            Engine::RenderItem blended = MeshItem(blendedMesh, 0, blendedEffect, 100.0f + tag);
            queue->Submit(blended);
            submitted.push_back(100.0f + tag);
        }
        RenderAndClear();
        std::vector<f32> expected(std::begin(tags), std::end(tags));
        expected.insert(expected.end(), submitted.begin(), submitted.end());
        EXPECT_EQ(DrawnTags(*renderer), expected);
    }
}

TEST_F(RenderQueueTest, ARunOfQuadsIsOneDrawThatLeavesTheStatesOfItsLastItem)
{
    const Core::RefPtr<Renderer::ITexture> texture(new SceneTest::FakeTexture(16, 16));
    const Core::RefPtr<Renderer::ITexture> other(new SceneTest::FakeTexture(16, 16));
    Renderer::ITexture* textures[] = {texture, texture, texture, other, texture};
    for (u32 i = 0; i < 5; ++i)
    {
        Engine::RenderItem sprite;
        sprite.useQueueDefaults = 1;
        sprite.subset = 0;
        sprite.texture = textures[i];
        sprite.world = Math::Matrix4x4::Translation(10.0f * static_cast<f32>(i), 0.0f, 0.0f) *
                       Math::Matrix4x4::RotationZ(30.0f) * Math::Matrix4x4::Scaling(4.0f, 2.0f, 1.0f);
        sprite.textureMatrix = Math::Matrix4x4::Translation(0.5f, 0.25f, 0.0f) * Math::Matrix4x4::Scaling(0.5f, 0.25f, 1.0f);
        sprite.color = Math::Color(1.0f, 0.5f, 0.25f, 0.1f * static_cast<f32>(i + 1));
        queue->Submit(sprite);
    }
    const Math::Color colorBefore = renderer->GetCurrentColor();
    RenderAndClear();

    // The first three share their texture: one draw of six indices each over the four corners of
    // each quad, placed on the processor.
    const auto& draws = renderer->GetDraws();
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].count, 18u);
    ASSERT_EQ(draws[0].indexed, 1);
    ASSERT_EQ(draws[0].indices32, 1);
    EXPECT_EQ(draws[0].world, Math::Matrix4x4::Identity());
    EXPECT_EQ(draws[0].texture0.Get(), texture.Get());
    const u32* indices = static_cast<const u32*>(draws[0].indices);
    // The third quad's second triangle starts at its upper right corner.
    const u32 upperRight = indices[15];
    EXPECT_EQ(upperRight, 8u + indices[2] - indices[0]);
    ASSERT_NE(draws[0].colors, nullptr);
    EXPECT_EQ(draws[0].colors[upperRight], Math::Color(1.0f, 0.5f, 0.25f, 0.3f));
    const Math::Vector3D corner = Math::TransformPoint(Math::Matrix4x4::Translation(20.0f, 0.0f, 0.0f) *
                                                           Math::Matrix4x4::RotationZ(30.0f) *
                                                           Math::Matrix4x4::Scaling(4.0f, 2.0f, 1.0f),
                                                       Math::Vector3D(0.5f, 0.5f, 0.0f));
    EXPECT_FLOAT_EQ(draws[0].vertices[3 * upperRight], corner.x);
    EXPECT_FLOAT_EQ(draws[0].vertices[3 * upperRight + 1], corner.y);
    EXPECT_FLOAT_EQ(draws[0].texCoords[2 * upperRight], 1.0f);
    EXPECT_FLOAT_EQ(draws[0].texCoords[2 * upperRight + 1], 0.5f);
    // A run of one is placed the same way; in one colour it draws in the current colour.
    EXPECT_EQ(draws[1].count, 6u);
    EXPECT_EQ(draws[1].texture0.Get(), other.Get());
    EXPECT_EQ(draws[1].world, Math::Matrix4x4::Identity());
    EXPECT_EQ(draws[1].colors, nullptr);
    EXPECT_EQ(draws[1].currentColor, Math::Color(1.0f, 0.5f, 0.25f, 0.4f));
    EXPECT_EQ(draws[2].count, 6u);
    // States are applied once per run, and put back once after the last of the runs through the
    // same pass.
    EXPECT_EQ(renderer->CountCalls("SetAlphaBlendingState"), 4u);
    // Afterwards: the last item's matrices and the effect's restored colour; no array left set.
    EXPECT_EQ(renderer->GetWorldMatrix(), Math::Matrix4x4::Translation(40.0f, 0.0f, 0.0f) *
                                              Math::Matrix4x4::RotationZ(30.0f) *
                                              Math::Matrix4x4::Scaling(4.0f, 2.0f, 1.0f));
    EXPECT_EQ(renderer->GetCurrentColor(), colorBefore);
    EXPECT_EQ(renderer->GetVertexArray(), nullptr);
    EXPECT_EQ(renderer->GetColorArray(), nullptr);
    EXPECT_EQ(renderer->GetTexCoordArray(), nullptr);
}

TEST_F(RenderQueueTest, QuadsOfALitEffectKeepTheirWorldMatrix)
{
    const Core::RefPtr<Renderer::Effect> lit(new Renderer::Effect());
    const Core::RefPtr<Renderer::Technique> technique(new Renderer::Technique());
    const Core::RefPtr<Renderer::Pass> pass(new Renderer::Pass());
    Renderer::LightingState* lighting = new Renderer::LightingState();
    lighting->enabled = 1;
    pass->AddState(lighting);
    technique->AddPass(pass);
    technique->SortPassStates();
    lit->AddTechnique(technique);
    lit->SetBlended(1);
    for (int i = 0; i < 2; ++i)
    {
        Engine::RenderItem item;
        item.effect = lit;
        item.mesh = queue->GetDefaultQuadMesh();
        item.subset = 0;
        item.world = Math::Matrix4x4::Translation(static_cast<f32>(i + 1), 0.0f, 0.0f);
        queue->Submit(item);
    }
    RenderAndClear();
    EXPECT_EQ(DrawnTags(*renderer), (std::vector<f32>{1.0f, 2.0f}));
    EXPECT_EQ(renderer->GetDraws()[0].lighting.enabled, 1);
}

TEST_F(RenderQueueTest, ClearEmptiesTheViewportListsAndRenderLeavesNoStateBehind)
{
    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(1);
    Engine::RenderItem item = MeshItem(mesh, 0, blendedEffect, 1.0f);
    queue->Submit(item);
    Renderer::DepthBufferState depthBefore;
    renderer->GetDepthBufferState(depthBefore);
    RenderAndClear();
    EXPECT_TRUE(queue->GetBlendedItems().empty());
    EXPECT_TRUE(queue->GetOpaqueItems().empty());
    Renderer::DepthBufferState depthAfter;
    renderer->GetDepthBufferState(depthAfter);
    EXPECT_EQ(depthAfter.writeEnabled, depthBefore.writeEnabled);
    EXPECT_EQ(renderer->GetVertexArray(), nullptr);
    EXPECT_EQ(renderer->GetIndexArray(), nullptr);
}

TEST(RenderQueueInstance, TheInstanceGoesWithItsQueue)
{
    Core::RefPtr<Renderer::RecordingRenderer> renderer =
        Renderer::CreateRecordingRenderer(Renderer::DisplaySettings(320, 240));
    {
        Engine::RenderQueue first;
        EXPECT_EQ(Engine::RenderQueue::GetInstance(), &first);
        {
            Engine::RenderQueue second;
            EXPECT_EQ(Engine::RenderQueue::GetInstance(), &second);
        }
        EXPECT_EQ(Engine::RenderQueue::GetInstance(), nullptr);
    }
    EXPECT_EQ(Engine::RenderQueue::GetInstance(), nullptr);
}
