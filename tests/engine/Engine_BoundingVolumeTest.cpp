// Bounding volumes: the default box and debug mesh, transforms, merges, the random debug colour.
#include "core/Core_Random.h"
#include "engine/Engine_BoundingVolume.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
void ExpectCorner(const Math::Vector3D& corner, f32 x, f32 y, f32 z)
{
    EXPECT_FLOAT_EQ(corner.x, x);
    EXPECT_FLOAT_EQ(corner.y, y);
    EXPECT_FLOAT_EQ(corner.z, z);
}

class BoundingVolumeTest : public ::testing::Test
{
protected:
    void TearDown() override { Core::Random::Instance().Reset(); }
};
} // namespace

TEST_F(BoundingVolumeTest, FreshVolumeIsTheCubeOfSideTenWithItsDebugMesh)
{
    const Engine::BoundingVolume volume;
    const Math::Frustum& box = volume.GetWorldBox();
    ExpectCorner(box.corners[0], 5, 5, 5);
    ExpectCorner(box.corners[2], -5, 5, -5);
    ExpectCorner(box.corners[6], -5, -5, -5);
    ExpectCorner(box.corners[7], 5, -5, -5);
    const Core::RefPtr<Engine::Mesh> mesh = volume.GetDebugMesh();
    ASSERT_EQ(mesh->GetPositionCount(), 8u);
    ASSERT_EQ(mesh->GetColorCount(), 8u);
    EXPECT_EQ(mesh->GetIndexCount(), 36u);
    for (u32 i = 1; i < 8; ++i)
        EXPECT_EQ(mesh->GetColor(i), mesh->GetColor(0));
    EXPECT_EQ(mesh->GetColor(0).a, 0.5f);
    ASSERT_EQ(mesh->GetSubsetCount(), 1u);
    EXPECT_EQ(mesh->GetSubset(0)->last, 35u);
    EXPECT_EQ(mesh->GetSubset(0)->blended, 1);
    EXPECT_EQ(mesh->GetIndex(0), 0u);
    EXPECT_EQ(mesh->GetIndex(35), 1u);
}

TEST_F(BoundingVolumeTest, EachVolumeDrawsThreeGeneratorValuesForItsColour)
{
    Core::SeedRandom(1234);
    const f32 red = static_cast<f32>(Core::Rand()) / 32767.0f;
    const f32 green = static_cast<f32>(Core::Rand()) / 32767.0f;
    const f32 blue = static_cast<f32>(Core::Rand()) / 32767.0f;
    const f32 nextRed = static_cast<f32>(Core::Rand()) / 32767.0f;
    Core::SeedRandom(1234);
    const Engine::BoundingVolume first;
    const Engine::BoundingVolume second;
    EXPECT_EQ(first.GetDebugMesh()->GetColor(0), Math::Color(red, green, blue, 0.5f));
    EXPECT_EQ(second.GetDebugMesh()->GetColor(0).r, nextRed);
}

TEST_F(BoundingVolumeTest, TransformMovesTheWorldCornersOnly)
{
    Engine::BoundingVolume volume;
    volume.Transform(Math::Matrix4x4::Translation(1.0f, 2.0f, 3.0f));
    ExpectCorner(volume.GetWorldBox().corners[0], 6, 7, 8);
    ExpectCorner(volume.GetWorldBox().corners[6], -4, -3, -2);
    ExpectCorner(volume.GetModelBox().corners[0], 5, 5, 5);
}

TEST_F(BoundingVolumeTest, MergingTwoDisjointBoxesSpansBoth)
{
    Engine::BoundingVolume a;
    Engine::BoundingVolume b;
    a.SetBox(Engine::MakeBox(0.5f, 0.5f, 0.5f));
    b.SetBox(Engine::MakeBox(0.5f, 0.5f, 0.5f));
    b.Transform(Math::Matrix4x4::Translation(3.0f, 0.0f, 0.0f));
    a.Merge(b);
    f32 minX = 1e9f;
    f32 maxX = -1e9f;
    for (const Math::Vector3D& corner : a.GetWorldBox().corners)
    {
        minX = std::min(minX, corner.x);
        maxX = std::max(maxX, corner.x);
    }
    EXPECT_FLOAT_EQ(minX, -0.5f);
    EXPECT_FLOAT_EQ(maxX, 3.5f);
    ExpectCorner(b.GetWorldBox().corners[0], 3.5f, 0.5f, 0.5f);
}

TEST_F(BoundingVolumeTest, AMergedBoxHasTheCentreAndPlanesOfTheLastMergeUntilTheNextOne)
{
    // A group merges many children and is read rarely: its box must still read as the box merge
    // gives, even when a transform has moved its corners since.
    Engine::BoundingVolume group;
    Engine::BoundingVolume first;
    Engine::BoundingVolume second;
    first.Transform(Math::Matrix4x4::Translation(20.0f, -3.0f, 1.0f));
    second.Transform(Math::Matrix4x4::RotationZ(30.0f) * Math::Matrix4x4::Translation(-7.0f, 4.0f, -2.0f));
    const Math::Frustum expected =
        Math::Frustum::Merge(Math::Frustum::Merge(group.GetWorldBox(), first.GetWorldBox(), 0.0f), second.GetWorldBox(), 0.0f);
    group.Merge(first);
    group.Merge(second);
    group.Transform(Math::Matrix4x4::Translation(100.0f, 0.0f, 0.0f));
    const Math::Frustum& box = group.GetWorldBox();
    EXPECT_EQ(box.center.x, expected.center.x);
    EXPECT_EQ(box.center.y, expected.center.y);
    EXPECT_EQ(box.center.z, expected.center.z);
    for (int i = 0; i < Math::FrustumPlaneCount; ++i)
    {
        EXPECT_EQ(box.planes[i].a, expected.planes[i].a);
        EXPECT_EQ(box.planes[i].b, expected.planes[i].b);
        EXPECT_EQ(box.planes[i].c, expected.planes[i].c);
        EXPECT_EQ(box.planes[i].d, expected.planes[i].d);
    }
    ExpectCorner(box.corners[0], 105.0f, 5.0f, 5.0f);
    // A copy reads the same.
    const Engine::BoundingVolume copy(group);
    EXPECT_EQ(copy.GetWorldBox().planes[3].d, expected.planes[3].d);
    EXPECT_EQ(copy.GetWorldBox().center.x, expected.center.x);
}

TEST_F(BoundingVolumeTest, ADebugMeshFirstAskedForLateHoldsWhatItWouldHaveHeld)
{
    // Copied and moved before anyone asked for their meshes: each shows its own last refresh.
    Engine::BoundingVolume volume(Math::Color(0, 1, 0, 0.5f));
    volume.SetBox(Engine::MakeBox(1.0f, 2.0f, 3.0f));
    Engine::BoundingVolume copy(volume);
    volume.Transform(Math::Matrix4x4::Translation(10.0f, 0.0f, 0.0f));
    volume.UpdateDebugMesh();
    Engine::BoundingVolume assigned(Math::Color(0, 0, 1, 0.5f));
    assigned = copy;
    EXPECT_EQ(volume.GetDebugMesh()->GetPosition(5), Math::Vector3D(9.0f, -2.0f, 3.0f));
    EXPECT_EQ(copy.GetDebugMesh()->GetPosition(5), Math::Vector3D(-1.0f, -2.0f, 3.0f));
    EXPECT_EQ(assigned.GetDebugMesh()->GetPosition(5), Math::Vector3D(-1.0f, -2.0f, 3.0f));
    EXPECT_EQ(assigned.GetDebugMesh()->GetColor(0), Math::Color(0, 1, 0, 0.5f));
    EXPECT_EQ(volume.GetDebugMesh()->GetIndexCount(), Engine::BoxIndexCount);
    // A fresh volume's mesh holds the origin eight times.
    EXPECT_EQ(Engine::BoundingVolume(Math::Color(1, 1, 1, 0.5f)).GetDebugMesh()->GetPosition(7), Math::Vector3D());
}

TEST_F(BoundingVolumeTest, SetBoxMovesTheDebugMeshAndCopiesCloneIt)
{
    Engine::BoundingVolume volume(Math::Color(1, 0, 0, 0.5f));
    volume.SetBox(Engine::MakeBox(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(volume.GetDebugMesh()->GetPosition(5), Math::Vector3D(-1.0f, -2.0f, 3.0f));
    const Engine::BoundingVolume copy(volume);
    EXPECT_NE(copy.GetDebugMesh().Get(), volume.GetDebugMesh().Get());
    EXPECT_EQ(copy.GetDebugMesh()->GetPosition(5), Math::Vector3D(-1.0f, -2.0f, 3.0f));
    ExpectCorner(copy.GetWorldBox().corners[5], -1, -2, 3);
}
