// The render queue's runs on a real OpenGL context (Xvfb with Mesa): a scene of opaque, blended,
// text, particle and last-pass items drawn in one go, where runs share states and quads share one
// draw, reads back the same pixels and leaves the same renderer states as the same items drawn one
// at a time.
#include "Engine_GLSceneTestSupport.h"

#include "engine/Engine_RenderQueue.h"
#include "renderer/Renderer_BuiltInEffects.h"
#include "renderer/Renderer_States.h"
#include "tests/support/Support_Images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
constexpr i32 Width = 160;
constexpr i32 Height = 120;

// A textured quad mesh of its own (not the queue's default one), opaque or blended, optionally with
// per-vertex colours and several quads.
Core::RefPtr<Engine::Mesh> QuadMesh(bool blended, u32 quads, bool colors)
{
    Core::RefPtr<Engine::Mesh> mesh(new Engine::Mesh());
    for (u32 q = 0; q < quads; ++q)
    {
        const f32 x = 12.0f * static_cast<f32>(q);
        const Math::Vector3D corners[4] = {{x, 0, 0}, {x + 10, 0, 0}, {x + 10, 14, 0}, {x, 14, 0}};
        const Math::Vector2D uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        for (u32 i = 0; i < 4; ++i)
        {
            mesh->AddPosition(corners[i]);
            mesh->AddTexCoord(uv[i]);
            if (colors)
                mesh->AddColor(Math::Color(0.2f * static_cast<f32>(i), 1.0f, 0.5f, 0.75f));
        }
        const u32 base = 4 * q;
        for (u32 index : {base, base + 1, base + 2, base + 2, base + 3, base})
            mesh->AddIndex(index);
    }
    Engine::MeshSubset subset;
    subset.first = 0;
    subset.last = 6 * quads - 1;
    subset.blended = blended ? 1 : 0;
    mesh->AddSubset(subset);
    return mesh;
}

Math::Matrix4x4 Placed(f32 x, f32 y, f32 z, f32 degrees, f32 width, f32 height)
{
    return Math::Matrix4x4::Translation(x, y, z) * Math::Matrix4x4::RotationZ(degrees) *
           Math::Matrix4x4::Scaling(width, height, 1.0f);
}

class RenderQueueRunTest : public SceneTest::GLSceneTest
{
protected:
    RenderQueueRunTest() : GLSceneTest(Width, Height, "morvane_queue_runs") {}

    void SetUp() override
    {
        GLSceneTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        queue = Engine::RenderQueue::GetInstance();

        TestSupport::Picture picture(8, 8);
        for (i32 y = 0; y < 8; ++y)
            for (i32 x = 0; x < 8; ++x)
                picture.Set(x, y, static_cast<u8>(x * 32), static_cast<u8>(y * 32), static_cast<u8>(255 - x * y * 4),
                            static_cast<u8>(x == 0 || y == 7 ? 0 : 64 + x * 24));
        sheet = Load("sheet.png", picture, 0);
        TestSupport::Picture solid(4, 4);
        solid.Fill(250, 240, 10, 200);
        other = Load("solid.png", solid, 0);
        ASSERT_TRUE(sheet && other);
    }

    void TearDown() override
    {
        items.clear();
        sheet = nullptr;
        other = nullptr;
        GLSceneTest::TearDown();
    }

    Engine::RenderItem Sprite(Renderer::ITexture* texture, const Math::Matrix4x4& world, const Math::Color& color)
    {
        Engine::RenderItem item;
        item.useQueueDefaults = 1;
        item.subset = 0;
        item.texture = texture;
        item.world = world;
        item.color = color;
        // The middle of the sheet's second row of 4 x 4 cells.
        item.textureMatrix = Math::Matrix4x4::Translation(0.25f, 0.5f, 0.0f) * Math::Matrix4x4::Scaling(0.5f, 0.5f, 1.0f);
        return item;
    }

    // Opaque, blended, text, particle and last-pass items, in submission order.
    void BuildScene()
    {
        const Core::RefPtr<Renderer::Effect> opaque = Renderer::CreateTexturedOpaqueEffect();
        opaque->SetTexture(1, other);
        const Core::RefPtr<Engine::Mesh> opaqueMesh = QuadMesh(false, 1, false);
        for (int i = 0; i < 3; ++i)
        {
            Engine::RenderItem item;
            item.effect = opaque;
            item.mesh = opaqueMesh;
            item.subset = 0;
            item.world = Placed(-70.0f + 9.5f * static_cast<f32>(i), -50.0f, -2.0f, 7.0f * static_cast<f32>(i), 1.0f, 1.0f);
            items.push_back(item);
        }
        // Overlapping rotated sprites, most at one depth, with runs of several lengths.
        for (int i = 0; i < 14; ++i)
        {
            const f32 t = static_cast<f32>(i);
            Renderer::ITexture* texture = i == 5 || i == 9 || i == 10 ? other.Get() : sheet.Get();
            const f32 z = i == 12 ? -1.0f : 0.0f;
            items.push_back(Sprite(texture, Placed(-55.0f + 8.3f * t, -20.0f + 3.7f * t, z, 23.0f * t + 1.5f, 21.0f, 17.0f),
                                   Math::Color(1.0f, 0.9f - 0.05f * t, 0.6f, 0.35f + 0.04f * t)));
        }
        Engine::RenderItem text;
        text.effect = Renderer::CreateTextEffect();
        text.effect->SetTexture(1, sheet);
        text.mesh = QuadMesh(true, 3, false);
        text.subset = 0;
        text.world = Placed(-30.0f, 20.0f, 0.0f, 0.0f, 1.0f, 1.0f);
        text.color = Math::Color(0.9f, 0.2f, 0.9f, 0.8f);
        items.push_back(text);
        for (int i = 0; i < 2; ++i)
        {
            Engine::RenderItem particles;
            particles.mesh = QuadMesh(true, 2, true);
            particles.texture = sheet;
            particles.particle = 1;
            particles.blendSource = Renderer::BlendFactor::One;
            particles.blendDestination = Renderer::BlendFactor::One;
            particles.subset = 0;
            particles.world = Placed(10.0f + 6.0f * static_cast<f32>(i), 25.0f, 0.0f, 10.0f, 1.0f, 1.0f);
            items.push_back(particles);
        }
        items.push_back(Sprite(sheet, Placed(40.0f, -40.0f, 0.0f, 45.0f, 30.0f, 30.0f), Math::Color(1, 1, 1, 0.9f)));
        for (int i = 0; i < 3; ++i)
        {
            Engine::RenderItem overlay = Sprite(sheet, Placed(-20.0f + 13.0f * static_cast<f32>(i), -5.0f, 0.0f,
                                                              -31.0f * static_cast<f32>(i), 16.0f, 12.0f),
                                                Math::Color(0.5f, 1.0f, 1.0f, 0.7f));
            overlay.lastPassOnly = 1;
            items.push_back(overlay);
        }
    }

    // Which list an item lands in decides when it is drawn: opaque, then blended, then last pass.
    int Stage(const Engine::RenderItem& item) const
    {
        if (item.lastPassOnly)
            return 2;
        return item.useQueueDefaults || item.mesh->GetSubset(item.subset)->blended ? 1 : 0;
    }

    void BeginFrame()
    {
        renderer->ClearBuffers(Math::Color(0.1f, 0.2f, 0.3f, 1.0f), 1.0f, 0);
        renderer->SetProjectionMatrix(Math::Matrix4x4::Ortho(-80.0f, 80.0f, -60.0f, 60.0f));
        renderer->SetViewMatrix(Math::Matrix4x4::Identity());
    }

    struct States
    {
        Math::Matrix4x4 world, view, projection, texture;
        Math::Color color;
        Renderer::AlphaBlendingState blending;
        Renderer::DepthBufferState depth;
    };

    States Read() const
    {
        States states;
        states.world = renderer->GetWorldMatrix();
        states.view = renderer->GetViewMatrix();
        states.projection = renderer->GetProjectionMatrix();
        states.texture = renderer->GetTextureMatrix(0);
        states.color = renderer->GetCurrentColor();
        renderer->GetAlphaBlendingState(states.blending);
        renderer->GetDepthBufferState(states.depth);
        return states;
    }

    Engine::RenderQueue* queue = nullptr;
    Core::RefPtr<Renderer::ITexture> sheet;
    Core::RefPtr<Renderer::ITexture> other;
    std::vector<Engine::RenderItem> items;
};
} // namespace

TEST_F(RenderQueueRunTest, RunsDrawTheSamePixelsAndLeaveTheSameStatesAsItemByItem)
{
    BuildScene();

    BeginFrame();
    for (Engine::RenderItem item : items)
        queue->Submit(item);
    queue->Render();
    queue->Clear();
    const std::vector<u8> together = ReadFrame();
    const States afterTogether = Read();

    // The same items one at a time, in the order the queue draws them (a stable sort by list and
    // depth; the opaque ones share effect and mesh).
    std::vector<Engine::RenderItem> alone = items;
    std::stable_sort(alone.begin(), alone.end(), [this](const Engine::RenderItem& a, const Engine::RenderItem& b) {
        if (Stage(a) != Stage(b))
            return Stage(a) < Stage(b);
        return Stage(a) != 0 && a.world.e[14] < b.world.e[14];
    });
    BeginFrame();
    for (Engine::RenderItem item : alone)
    {
        queue->Submit(item);
        queue->Render();
        queue->Clear();
    }
    const std::vector<u8> oneByOne = ReadFrame();
    const States afterOneByOne = Read();

    ASSERT_EQ(together.size(), oneByOne.size());
    u32 differing = 0;
    for (std::size_t i = 0; i < together.size(); ++i)
        differing += together[i] != oneByOne[i] ? 1 : 0;
    EXPECT_EQ(differing, 0u);
    // The scene drew something: not just the background.
    EXPECT_NE(together, std::vector<u8>(together.size(), together[0]));

    EXPECT_EQ(afterTogether.world, afterOneByOne.world);
    EXPECT_EQ(afterTogether.view, afterOneByOne.view);
    EXPECT_EQ(afterTogether.projection, afterOneByOne.projection);
    EXPECT_EQ(afterTogether.texture, afterOneByOne.texture);
    EXPECT_EQ(afterTogether.color, afterOneByOne.color);
    EXPECT_EQ(afterTogether.blending.enabled, afterOneByOne.blending.enabled);
    EXPECT_EQ(afterTogether.depth.writeEnabled, afterOneByOne.depth.writeEnabled);
}

TEST_F(RenderQueueRunTest, ARunOfMoreQuadsThanOneCallTakesDrawsTheSamePixelsAsItemByItem)
{
    // Overlapping sprites at one depth, in one colour for the first half and in several after.
    for (int i = 0; i < 2500; ++i)
    {
        const f32 t = static_cast<f32>(i);
        const Math::Color color = i < 1250 ? Math::Color(1, 1, 1, 1)
                                           : Math::Color(0.5f + 0.5f * static_cast<f32>(i % 2), 0.8f, 1.0f, 0.9f);
        items.push_back(Sprite(sheet, Placed(-70.0f + std::fmod(t * 7.3f, 140.0f), -50.0f + std::fmod(t * 3.1f, 100.0f),
                                             0.0f, t * 11.0f, 9.0f, 7.0f),
                               color));
    }

    BeginFrame();
    for (Engine::RenderItem item : items)
        queue->Submit(item);
    queue->Render();
    queue->Clear();
    const std::vector<u8> together = ReadFrame();
    const States afterTogether = Read();

    BeginFrame();
    for (Engine::RenderItem item : items)
    {
        queue->Submit(item);
        queue->Render();
        queue->Clear();
    }
    EXPECT_TRUE(together == ReadFrame());
    const States afterOneByOne = Read();
    EXPECT_EQ(afterTogether.world, afterOneByOne.world);
    EXPECT_EQ(afterTogether.texture, afterOneByOne.texture);
    EXPECT_EQ(afterTogether.color, afterOneByOne.color);
}
