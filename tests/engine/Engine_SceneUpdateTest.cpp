// An update repeats no work for nodes whose parent, transform and children have not changed; these
// tests change the tree in every way a game can between updates and check that nothing is left
// stale: each result must equal, bit for bit, that of a copy of the tree updated from scratch.
#include "engine/Engine_BoundingVolume.h"
#include "engine/Engine_Camera.h"
#include "engine/Engine_Group.h"
#include "engine/Engine_TransformationGroup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

namespace
{
Math::Matrix4x4 Place(f32 x, f32 y, f32 degrees)
{
    return Math::Matrix4x4::Translation(x, y, 0.0f) * Math::Matrix4x4::RotationZ(degrees);
}

bool SameBits(const Math::Matrix4x4& a, const Math::Matrix4x4& b)
{
    return std::memcmp(a.e, b.e, sizeof a.e) == 0;
}

bool SameBits(const Math::Frustum& a, const Math::Frustum& b)
{
    bool same = std::memcmp(&a.center, &b.center, sizeof a.center) == 0;
    for (int i = 0; i < Math::FrustumCornerCount; ++i)
        same = same && std::memcmp(&a.corners[i], &b.corners[i], sizeof a.corners[i]) == 0;
    for (int i = 0; i < Math::FrustumPlaneCount; ++i)
        same = same && std::memcmp(&a.planes[i], &b.planes[i], sizeof a.planes[i]) == 0;
    return same;
}

// Every node of the tree, depth first in attachment order.
void Collect(Engine::Node* node, std::vector<Engine::Node*>& nodes)
{
    nodes.push_back(node);
    if (auto* group = dynamic_cast<Engine::Group*>(node))
    {
        for (u32 i = 0; i < group->GetChildCount(); ++i)
            Collect(group->GetChild(i).Get(), nodes);
    }
}

// The tree updated once more, and a copy of it updated from scratch, agree on every world matrix
// and world box.
void ExpectSameAsFreshCopy(Engine::Group& root, int step)
{
    root.Update(0.0f);
    const Core::RefPtr<Engine::Group> fresh(root.Clone());
    fresh->Update(0.0f);
    std::vector<Engine::Node*> live;
    std::vector<Engine::Node*> copied;
    Collect(&root, live);
    Collect(fresh.Get(), copied);
    ASSERT_EQ(live.size(), copied.size());
    for (std::size_t i = 0; i < live.size(); ++i)
    {
        EXPECT_TRUE(SameBits(live[i]->GetWorldMatrix(), copied[i]->GetWorldMatrix())) << "step " << step << " node " << i;
        EXPECT_TRUE(SameBits(live[i]->GetBoundingVolume().GetWorldBox(), copied[i]->GetBoundingVolume().GetWorldBox()))
            << "step " << step << " node " << i;
    }
}
} // namespace

TEST(SceneUpdate, WorldMatricesFollowMovesDetachesAndAttaches)
{
    const Core::RefPtr<Engine::Group> root(new Engine::Group());
    const Core::RefPtr<Engine::TransformationGroup> outer(new Engine::TransformationGroup());
    const Core::RefPtr<Engine::TransformationGroup> inner(new Engine::TransformationGroup());
    const Core::RefPtr<Engine::TransformationGroup> other(new Engine::TransformationGroup());
    const Core::RefPtr<Engine::Node> leaf(new Engine::Node());
    root->AttachChild(outer);
    root->AttachChild(other);
    outer->AttachChild(inner);
    inner->AttachChild(leaf);
    outer->SetTransform(Place(10.0f, 0.0f, 0.0f));
    inner->SetTransform(Place(0.0f, 5.0f, 30.0f));
    other->SetTransform(Place(-7.0f, 2.0f, 0.0f));
    root->Update(0.0f);
    EXPECT_EQ(leaf->GetWorldMatrix(), Place(10.0f, 0.0f, 0.0f) * Place(0.0f, 5.0f, 30.0f));

    // The parent moves: the grandchild follows.
    outer->SetTransform(Place(20.0f, 1.0f, 0.0f));
    root->Update(0.0f);
    EXPECT_EQ(leaf->GetWorldMatrix(), Place(20.0f, 1.0f, 0.0f) * Place(0.0f, 5.0f, 30.0f));

    // The child moves alone.
    inner->SetTransform(Place(0.0f, 6.0f, 45.0f));
    root->Update(0.0f);
    EXPECT_EQ(leaf->GetWorldMatrix(), Place(20.0f, 1.0f, 0.0f) * Place(0.0f, 6.0f, 45.0f));

    // Moved under another group, and on its own after a detach.
    outer->DetachChild(inner);
    other->AttachChild(inner);
    root->Update(0.0f);
    EXPECT_EQ(leaf->GetWorldMatrix(), Place(-7.0f, 2.0f, 0.0f) * Place(0.0f, 6.0f, 45.0f));
    other->DetachChild(inner);
    inner->Update(0.0f);
    EXPECT_EQ(leaf->GetWorldMatrix(), Place(0.0f, 6.0f, 45.0f));

    // A matrix set from outside holds until the next update derives it again.
    other->AttachChild(inner);
    root->Update(0.0f);
    leaf->SetWorldMatrix(Place(99.0f, 99.0f, 0.0f));
    EXPECT_EQ(leaf->GetWorldMatrix(), Place(99.0f, 99.0f, 0.0f));
    root->Update(0.0f);
    EXPECT_EQ(leaf->GetWorldMatrix(), Place(-7.0f, 2.0f, 0.0f) * Place(0.0f, 6.0f, 45.0f));
    inner->SetWorldMatrix(Place(1.0f, 1.0f, 0.0f));
    root->Update(0.0f);
    EXPECT_EQ(inner->GetWorldMatrix(), Place(-7.0f, 2.0f, 0.0f) * Place(0.0f, 6.0f, 45.0f));
}

TEST(SceneUpdate, VolumesFollowMovesDetachesAttachesAndMergeSwitches)
{
    const Core::RefPtr<Engine::Group> root(new Engine::Group());
    const Core::RefPtr<Engine::TransformationGroup> moved(new Engine::TransformationGroup());
    root->AttachChild(moved);
    moved->AttachChild(new Engine::Node());
    moved->SetTransform(Place(100.0f, 0.0f, 0.0f));
    root->Update(0.0f);
    EXPECT_FLOAT_EQ(root->GetBoundingVolume().GetWorldBox().corners[0].x, 105.0f);

    moved->SetTransform(Place(50.0f, 0.0f, 0.0f));
    root->Update(0.0f);
    EXPECT_FLOAT_EQ(root->GetBoundingVolume().GetWorldBox().corners[0].x, 55.0f);

    // Gone from the root, or no longer merging: the root's volume is its own again.
    root->DetachChild(moved);
    root->Update(0.0f);
    EXPECT_FLOAT_EQ(root->GetBoundingVolume().GetWorldBox().corners[0].x, 5.0f);
    root->AttachChild(moved);
    root->Update(0.0f);
    EXPECT_FLOAT_EQ(root->GetBoundingVolume().GetWorldBox().corners[0].x, 55.0f);
    moved->SetMergeIntoParent(false);
    root->Update(0.0f);
    EXPECT_FLOAT_EQ(root->GetBoundingVolume().GetWorldBox().corners[0].x, 5.0f);

    // A volume changed from outside is placed again by the next update.
    moved->SetMergeIntoParent(true);
    root->Update(0.0f);
    root->GetBoundingVolume().Transform(Math::Matrix4x4::Translation(1000.0f, 0.0f, 0.0f));
    root->Update(0.0f);
    EXPECT_FLOAT_EQ(root->GetBoundingVolume().GetWorldBox().corners[0].x, 55.0f);
}

// Random changes of every kind, each followed by an update checked against a copy updated from
// scratch.
namespace
{
// What children's update callbacks saw of their parent's world box, x range only.
std::vector<std::pair<f32, f32>> seenParentBoxes;

void ReadParentBox(Engine::Node& node, f32)
{
    const Math::Frustum& box = node.GetParent()->GetBoundingVolume().GetWorldBox();
    f32 low = box.corners[0].x;
    f32 high = low;
    for (const Math::Vector3D& corner : box.corners)
    {
        low = std::min(low, corner.x);
        high = std::max(high, corner.x);
    }
    seenParentBoxes.emplace_back(low, high);
}
} // namespace

// A group places its own box by this frame's world matrix before its children update, and each
// merging child enlarges it before the next one updates.
TEST(SceneUpdate, ChildrenSeeTheirParentsBoxOfThisFrame)
{
    const Core::RefPtr<Engine::Group> root(new Engine::Group());
    const Core::RefPtr<Engine::TransformationGroup> parent(new Engine::TransformationGroup());
    root->AttachChild(parent);
    const Core::RefPtr<Engine::Node> first(new Engine::Node());
    const Core::RefPtr<Engine::TransformationGroup> wide(new Engine::TransformationGroup());
    const Core::RefPtr<Engine::Node> last(new Engine::Node());
    first->SetUpdateCallback(ReadParentBox);
    first->SetMergeIntoParent(false);
    wide->GetBoundingVolume().SetBox(Engine::MakeBox(20.0f, 1.0f, 1.0f));
    last->SetUpdateCallback(ReadParentBox);
    last->SetMergeIntoParent(false);
    parent->AttachChild(first);
    parent->AttachChild(wide);
    parent->AttachChild(last);

    seenParentBoxes.clear();
    root->Update(0.0f);
    parent->SetTransform(Math::Matrix4x4::Translation(100.0f, 0.0f, 0.0f));
    root->Update(0.0f);
    root->Update(0.0f);
    const std::vector<std::pair<f32, f32>> expected{{-5.0f, 5.0f},  {-20.0f, 20.0f}, {95.0f, 105.0f},
                                                    {80.0f, 120.0f}, {95.0f, 105.0f}, {80.0f, 120.0f}};
    EXPECT_EQ(seenParentBoxes, expected);
}

TEST(SceneUpdate, EveryChangeGivesTheResultOfAnUpdateFromScratch)
{
    std::mt19937 random(20261207u);
    const auto pick = [&random](std::size_t count) { return static_cast<std::size_t>(random() % count); };
    const auto coordinate = [&random]() { return static_cast<f32>(static_cast<int>(random() % 401) - 200) * 0.5f; };

    const Core::RefPtr<Engine::Group> root(new Engine::Group());
    std::vector<Core::RefPtr<Engine::Group>> groups{root};
    std::vector<Core::RefPtr<Engine::Node>> nodes;
    for (int i = 0; i < 8; ++i)
    {
        Core::RefPtr<Engine::Group> group;
        if (i % 3 == 2)
            group = new Engine::Group();
        else
            group = new Engine::TransformationGroup();
        groups[pick(groups.size())]->AttachChild(group);
        groups.push_back(group);
        nodes.push_back(group);
    }
    for (int i = 0; i < 10; ++i)
    {
        Core::RefPtr<Engine::Node> node;
        if (i == 0)
            node = new Engine::Camera(45.0f, 1.0f, 1000.0f);
        else
            node = new Engine::Node();
        groups[pick(groups.size())]->AttachChild(node);
        nodes.push_back(node);
    }
    ExpectSameAsFreshCopy(*root, 0);

    for (int step = 1; step <= 300; ++step)
    {
        Engine::Node& node = *nodes[pick(nodes.size())];
        auto* placed = dynamic_cast<Engine::TransformationGroup*>(&node);
        switch (pick(7))
        {
        case 0:
            if (placed)
                placed->SetTransform(Place(coordinate(), coordinate(), coordinate()));
            break;
        case 1:
            if (placed)
                placed->SetTransform(placed->GetTransform());
            break;
        case 2:
            node.SetMergeIntoParent(!node.IsMergingIntoParent());
            break;
        case 3:
        {
            // Moved under another group; one that would close a cycle takes it back to the root.
            auto* from = dynamic_cast<Engine::Group*>(node.GetParent());
            if (!from)
                break;
            const Core::RefPtr<Engine::Node> keep(&node);
            from->DetachChild(&node);
            Engine::Group& to = *groups[pick(groups.size())];
            to.AttachChild(&node);
            if (node.GetParent() != &to)
                root->AttachChild(&node);
            break;
        }
        case 4:
            node.SetWorldMatrix(Place(coordinate(), coordinate(), 0.0f));
            break;
        case 5:
            node.GetBoundingVolume().SetBox(Engine::MakeBox(coordinate() * 0.1f + 11.0f, 1.0f, 0.0f));
            break;
        default:
            break;
        }
        ExpectSameAsFreshCopy(*root, step);
        if (HasFailure())
            return;
    }
}

// Merging many volumes one after another gives the bits that enclosing each pair from scratch
// gives, signed zeros included.
TEST(SceneUpdate, MergesMatchEnclosingEachPairFromScratch)
{
    const f32 values[] = {-0.0f, 0.0f, 1.0f, -1.0f, 2.5f, -3.0f};
    std::mt19937 random(7u);
    Engine::BoundingVolume merged(Math::Color(1.0f, 1.0f, 1.0f, 0.5f));
    merged.SetBox(Engine::MakeBox(0.0f, 0.0f, 0.0f));
    Math::Frustum expected = merged.GetWorldBox();
    for (int i = 0; i < 200; ++i)
    {
        Math::Frustum box;
        for (Math::Vector3D& corner : box.corners)
            corner = Math::Vector3D(values[random() % 6], values[random() % 6], values[random() % 6]);
        Engine::BoundingVolume other(Math::Color(1.0f, 1.0f, 1.0f, 0.5f));
        other.SetBox(box);
        if (i % 50 == 49)
        {
            merged.Transform(Math::Matrix4x4::Identity());
            for (int c = 0; c < Math::FrustumCornerCount; ++c)
                expected.corners[c] = merged.GetModelBox().corners[c];
        }
        merged.Merge(other);
        const Math::Frustum* const pair[] = {&expected, &box};
        Math::Vector3D low;
        Math::Vector3D high;
        Math::Frustum::Bounds(pair, low, high);
        expected.SetCornersFromBounds(low, high, 0.0f);
        for (int c = 0; c < Math::FrustumCornerCount; ++c)
            ASSERT_EQ(std::memcmp(&merged.GetWorldCorners()[c], &expected.corners[c], sizeof expected.corners[c]), 0)
                << "merge " << i << " corner " << c;
    }
}
