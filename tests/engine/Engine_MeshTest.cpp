// Meshes: the arrays handed to the renderer, subset ranges, clones with their own effects, Clear.
#include "Engine_SceneTestSupport.h"

#include "engine/Engine_BoundingVolume.h"
#include "engine/Engine_Mesh.h"
#include "renderer/Renderer_Buffer.h"

#include <gtest/gtest.h>

using SceneTest::SceneFixture;

namespace
{
class MeshTest : public SceneFixture
{
};

// A buffer the renderer can hold; its data lives nowhere.
class NullBuffer : public Renderer::IBuffer
{
public:
    void Bind() override {}
    void Unbind() override {}
    bool Uses32BitIndices() const override { return true; }
    const void* GetBase() const override { return nullptr; }
};
} // namespace

TEST_F(MeshTest, OverridePositionsReplaceTheWholeVertexArray)
{
    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(1);
    mesh->ApplyArrays(*renderer);
    EXPECT_EQ(renderer->GetVertexArray(), &mesh->GetPosition(0).x);
    mesh->AddPositionOverride(Math::Vector3D(9.0f, 9.0f, 9.0f));
    mesh->ApplyArrays(*renderer);
    EXPECT_NE(renderer->GetVertexArray(), &mesh->GetPosition(0).x);
    EXPECT_EQ(renderer->GetVertexArray()[0], 9.0f);
    // Lists that are empty are handed over as null.
    EXPECT_EQ(renderer->GetColorArray(), nullptr);
    EXPECT_EQ(renderer->GetTexCoordArray(), nullptr);
    EXPECT_EQ(renderer->GetPrimitiveType(), Renderer::Primitive::Triangles);
}

TEST_F(MeshTest, WithoutIndicesASubsetDrawsConsecutiveVertices)
{
    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(2);
    mesh->ApplyArrays(*renderer);
    mesh->DrawSubset(*renderer, 1);
    ASSERT_EQ(renderer->GetDraws().size(), 1u);
    EXPECT_EQ(renderer->GetDraws()[0].first, 1u);
    EXPECT_EQ(renderer->GetDraws()[0].count, 3u);
    EXPECT_EQ(renderer->GetDraws()[0].indexed, 0);

    mesh->AddIndex(3);
    mesh->AddIndex(2);
    mesh->AddIndex(1);
    mesh->AddIndex(0);
    mesh->ApplyArrays(*renderer);
    mesh->DrawSubset(*renderer, 0);
    ASSERT_EQ(renderer->GetDraws().size(), 2u);
    EXPECT_EQ(renderer->GetDraws()[1].indexed, 1);
    EXPECT_EQ(renderer->GetDraws()[1].indices32, 1);

    // A subset the mesh lacks draws nothing.
    mesh->DrawSubset(*renderer, 2);
    EXPECT_EQ(renderer->GetDraws().size(), 2u);

    mesh->ResetArrays(*renderer);
    EXPECT_EQ(renderer->GetVertexArray(), nullptr);
    EXPECT_EQ(renderer->GetIndexArray(), nullptr);
}

TEST_F(MeshTest, CloneKeepsTheDataAndOwnsCopiesOfItsEffects)
{
    Core::RefPtr<Engine::Mesh> source = SceneTest::MakeMesh(1);
    source->AddColor(Math::Color(1.0f, 0.5f, 0.25f, 1.0f));
    source->AddEffect(Renderer::CreateTextEffect());
    Core::RefPtr<Engine::Mesh> copy(source->Clone());
    EXPECT_EQ(copy->GetPositionCount(), 4u);
    EXPECT_EQ(copy->GetColor(0), source->GetColor(0));
    ASSERT_EQ(copy->GetEffectCount(), 1u);
    EXPECT_NE(copy->GetEffect(0).Get(), source->GetEffect(0).Get());
    copy->GetEffect(0)->SetBlended(1);
    EXPECT_EQ(source->GetEffect(0)->IsBlended(), 0);
    EXPECT_EQ(copy->GetReferenceCount(), 1u);
}

TEST_F(MeshTest, ClearEmptiesTheListsButKeepsPrimitiveAndCapacity)
{
    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(3);
    mesh->ReservePositions(64);
    mesh->SetPrimitive(Renderer::Primitive::Lines);
    mesh->AddEffect(Renderer::CreateLineEffect());
    mesh->Clear();
    EXPECT_EQ(mesh->GetPositionCount(), 0u);
    EXPECT_EQ(mesh->GetSubsetCount(), 0u);
    EXPECT_EQ(mesh->GetEffectCount(), 0u);
    EXPECT_EQ(mesh->GetSubset(0), nullptr);
    EXPECT_EQ(mesh->GetPrimitive(), Renderer::Primitive::Lines);
    const Math::Vector3D* before = nullptr;
    for (u32 i = 0; i < 64; ++i)
    {
        mesh->AddPosition(Math::Vector3D());
        if (i == 0)
            before = &mesh->GetPosition(0);
    }
    EXPECT_EQ(&mesh->GetPosition(0), before);
}

TEST_F(MeshTest, OverwritesOutsideTheListsAreIgnored)
{
    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(1);
    mesh->SetPosition(3, Math::Vector3D(7.0f, 0.0f, 0.0f));
    mesh->SetPosition(4, Math::Vector3D(8.0f, 0.0f, 0.0f));
    mesh->SetColor(0, Math::Color(1.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_EQ(mesh->GetPosition(3).x, 7.0f);
    EXPECT_EQ(mesh->GetPositionCount(), 4u);
    EXPECT_EQ(mesh->GetColorCount(), 0u);
}

TEST_F(MeshTest, AMeshWithAVertexBufferIsDrawnFromItsBuffers)
{
    Core::RefPtr<Engine::Mesh> mesh = SceneTest::MakeMesh(2);
    Engine::MeshSubset triangles;
    triangles.first = 3;
    triangles.last = 8;
    mesh->AddSubset(triangles);
    const Core::RefPtr<Renderer::IBuffer> vertices(new NullBuffer());
    const Core::RefPtr<Renderer::IBuffer> indices(new NullBuffer());
    mesh->SetVertexBuffer(vertices);
    mesh->SetIndexBuffer(indices);
    const Math::Frustum bounds = Engine::MakeBox(1.0f, 2.0f, 3.0f);
    mesh->SetBounds(bounds);

    // Copies and Clear keep the bounds and share the buffers.
    Core::RefPtr<Engine::Mesh> copy(mesh->Clone());
    copy->Clear();
    EXPECT_EQ(copy->GetVertexBuffer().Get(), vertices.Get());
    EXPECT_EQ(copy->GetIndexBuffer().Get(), indices.Get());
    EXPECT_EQ(copy->GetBounds().corners[6], Math::Vector3D(-1.0f, -2.0f, -3.0f));

    const Core::RefPtr<Renderer::Effect> effect = Renderer::CreateTexturedOpaqueEffect();
    Engine::RenderItem item = SceneTest::MeshItem(mesh, 2, effect, 1.0f);
    queue->Submit(item);
    queue->Render();
    queue->Clear();
    ASSERT_EQ(renderer->GetDraws().size(), 1u);
    const Renderer::RecordedDraw& draw = renderer->GetDraws()[0];
    EXPECT_EQ(draw.indexed, 1);
    EXPECT_EQ(draw.first, 3u);
    EXPECT_EQ(draw.count, 6u); // the two triangles of indices 3 to 8
    EXPECT_EQ(draw.vertices, nullptr);
    EXPECT_FALSE(renderer->GetBuffer(0));
    EXPECT_FALSE(renderer->GetIndexBuffer());
}
