// Nodes and groups: Find, controllers and callbacks, attaching and detaching, world
// matrices and merged volumes through a tree, clones.
#include "Engine_SceneTestSupport.h"

#include "engine/Engine_Group.h"
#include "engine/Engine_TransformationGroup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using SceneTest::CountingController;

namespace
{
Core::RefPtr<Engine::Node> Named(const char* name)
{
    Core::RefPtr<Engine::Node> node(new Engine::Node());
    node->SetName(name);
    return node;
}

Core::RefPtr<Engine::Group> NamedGroup(const char* name)
{
    Core::RefPtr<Engine::Group> group(new Engine::Group());
    group->SetName(name);
    return group;
}

std::vector<std::string>* callbackLog = nullptr;

void LogCallback(Engine::Node& node, f32)
{
    callbackLog->push_back("callback " + std::string(node.GetName().c_str()));
}

// A leaf that logs the notifications and the scene graph it is told about.
class Listener : public Engine::Node
{
public:
    explicit Listener(std::vector<std::string>* log) : log(log) {}

    Listener* Clone() const override { return new Listener(*this); }
    void SetSceneGraph(Engine::SceneGraph* value) override { scene = value; }
    void Notify() override { log->push_back(name.c_str()); }

    std::vector<std::string>* log;
    Engine::SceneGraph* scene = nullptr;
};

f32 MaxX(const Math::Frustum& box)
{
    f32 result = box.corners[0].x;
    for (const Math::Vector3D& corner : box.corners)
        result = std::max(result, corner.x);
    return result;
}
} // namespace

TEST(Node, FindMatchesTheWholeNameOnly)
{
    const Core::RefPtr<Engine::Node> node = Named("Tower");
    {
        const Core::RefPtr<Engine::Node> found = node->Find("Tower");
        EXPECT_EQ(found.Get(), node.Get());
        EXPECT_EQ(node->GetReferenceCount(), 2u);
    }
    EXPECT_FALSE(node->Find("tower"));
    EXPECT_FALSE(node->Find("Towe"));
}

TEST(Node, UpdateRunsCallbackThenControllersInOrder)
{
    std::vector<std::string> log;
    callbackLog = &log;
    const Core::RefPtr<Engine::Node> node = Named("n");
    node->SetUpdateCallback(LogCallback);
    Core::RefPtr<CountingController> first(new CountingController(&log, "first"));
    Core::RefPtr<CountingController> second(new CountingController(&log, "second"));
    node->AddController(first);
    node->AddController(second);
    node->AddController(first);
    EXPECT_EQ(node->GetControllerCount(), 2u);
    EXPECT_EQ(first->GetNode(), node.Get());
    EXPECT_EQ(first->attachNotices, 1);
    node->Update(0.016f);
    EXPECT_EQ(log, (std::vector<std::string>{"callback n", "first", "second"}));
    callbackLog = nullptr;
}

TEST(Node, DestroyedNodeLetsGoOfItsControllers)
{
    Core::RefPtr<CountingController> controller(new CountingController());
    Core::RefPtr<Engine::Node> node(new Engine::Node());
    node->AddController(controller);
    node = nullptr;
    EXPECT_EQ(controller->GetNode(), nullptr);
    EXPECT_EQ(controller->attachNotices, 2);
    EXPECT_EQ(controller->GetReferenceCount(), 1u);
}

TEST(Node, CloneSharesTheParentLinkAndOwnsClonesOfTheControllers)
{
    const Core::RefPtr<Engine::Group> parent = NamedGroup("parent");
    const Core::RefPtr<Engine::Node> node = Named("child");
    parent->AttachChild(node);
    node->SetUpdateCallback(LogCallback);
    node->SetFlag0(7);
    node->SetVisible(false, false);
    Core::RefPtr<CountingController> controller(new CountingController());
    node->AddController(controller);

    const Core::RefPtr<Engine::Node> copy(node->Clone());
    EXPECT_EQ(copy->GetParent(), parent.Get());
    EXPECT_EQ(parent->GetChildCount(), 1u);
    EXPECT_EQ(copy->GetUpdateCallback(), &LogCallback);
    EXPECT_EQ(copy->GetFlag0(), 7);
    EXPECT_FALSE(copy->IsVisible());
    EXPECT_EQ(copy->GetName(), Core::String("child"));
    ASSERT_EQ(copy->GetControllerCount(), 1u);
    EXPECT_NE(copy->GetController(0).Get(), controller.Get());
    EXPECT_EQ(copy->GetController(0)->GetNode(), copy.Get());
    EXPECT_EQ(copy->GetReferenceCount(), 1u);
}

TEST(Group, DetachChildRemovesOnlyTheFirstOccurrenceAndClearsTheLink)
{
    const Core::RefPtr<Engine::Group> group = NamedGroup("g");
    const Core::RefPtr<Engine::Node> a = Named("a");
    const Core::RefPtr<Engine::Node> b = Named("b");
    group->AttachChild(a);
    group->AttachChild(b);
    group->AttachChild(a);
    group->AttachChild(nullptr);
    ASSERT_EQ(group->GetChildCount(), 3u);

    const Core::RefPtr<Engine::Node> stranger = Named("stranger");
    group->DetachChild(stranger);
    EXPECT_EQ(group->GetChildCount(), 3u);

    group->DetachChild(a);
    ASSERT_EQ(group->GetChildCount(), 2u);
    EXPECT_EQ(group->GetChild(0).Get(), b.Get());
    EXPECT_EQ(group->GetChild(1).Get(), a.Get());
    EXPECT_EQ(a->GetParent(), nullptr);
    EXPECT_EQ(b->GetParent(), group.Get());

    group->DetachAllChildren();
    EXPECT_EQ(group->GetChildCount(), 0u);
    EXPECT_EQ(b->GetParent(), nullptr);
}

TEST(Group, RefusesToBecomeACycle)
{
    const Core::RefPtr<Engine::Group> top = NamedGroup("top");
    const Core::RefPtr<Engine::Group> middle = NamedGroup("middle");
    top->AttachChild(middle);
    middle->AttachChild(top);
    middle->AttachChild(middle);
    EXPECT_EQ(middle->GetChildCount(), 0u);
    EXPECT_EQ(top->GetParent(), nullptr);
}

TEST(Group, FindSearchesDepthFirstInAttachmentOrder)
{
    const Core::RefPtr<Engine::Group> root = NamedGroup("root");
    const Core::RefPtr<Engine::Group> left = NamedGroup("left");
    const Core::RefPtr<Engine::Node> deep = Named("twin");
    const Core::RefPtr<Engine::Node> shallow = Named("twin");
    root->AttachChild(left);
    left->AttachChild(deep);
    root->AttachChild(shallow);
    EXPECT_EQ(root->Find("twin").Get(), deep.Get());
    EXPECT_EQ(root->Find("left").Get(), left.Get());
    EXPECT_EQ(root->Find("root").Get(), root.Get());
    EXPECT_FALSE(root->Find("nobody"));
}

TEST(Group, RecursiveFlagsReachEveryNode)
{
    const Core::RefPtr<Engine::Group> root = NamedGroup("root");
    const Core::RefPtr<Engine::Group> inner = NamedGroup("inner");
    const Core::RefPtr<Engine::Node> leaf = Named("leaf");
    root->AttachChild(inner);
    inner->AttachChild(leaf);
    root->SetVisible(false, true);
    EXPECT_FALSE(inner->IsVisible());
    EXPECT_FALSE(leaf->IsVisible());
    root->SetDrawBoundingVolume(true, false);
    EXPECT_TRUE(root->IsDrawingBoundingVolume());
    EXPECT_FALSE(leaf->IsDrawingBoundingVolume());
    root->SetDrawBoundingVolume(true, true);
    EXPECT_TRUE(leaf->IsDrawingBoundingVolume());
}

TEST(TransformationGroup, WorldMatricesComposeDownTheTree)
{
    const Core::RefPtr<Engine::TransformationGroup> outer(new Engine::TransformationGroup());
    const Core::RefPtr<Engine::TransformationGroup> inner(new Engine::TransformationGroup());
    const Core::RefPtr<Engine::Node> leaf = Named("leaf");
    outer->SetTransform(Math::Matrix4x4::Translation(10.0f, 0.0f, 0.0f));
    inner->SetTransform(Math::Matrix4x4::Scaling(2.0f, 2.0f, 1.0f));
    outer->AttachChild(inner);
    inner->AttachChild(leaf);
    // Without a parent the transform alone.
    EXPECT_EQ(outer->GetMatrix(), Math::Matrix4x4::Translation(10.0f, 0.0f, 0.0f));

    outer->Update(0.0f);
    const Math::Matrix4x4 expected = Math::Matrix4x4::Translation(10.0f, 0.0f, 0.0f) * Math::Matrix4x4::Scaling(2.0f, 2.0f, 1.0f);
    EXPECT_EQ(inner->GetWorldMatrix(), expected);
    EXPECT_EQ(leaf->GetWorldMatrix(), expected);
    EXPECT_EQ(inner->GetMatrix(), expected);
    EXPECT_EQ(Math::TransformPoint(leaf->GetWorldMatrix(), Math::Vector3D(1, 1, 0)), Math::Vector3D(12, 2, 0));
}

TEST(TransformationGroup, VolumesMergeUpwardsDuringTheUpdate)
{
    const Core::RefPtr<Engine::Group> root = NamedGroup("root");
    const Core::RefPtr<Engine::TransformationGroup> moved(new Engine::TransformationGroup());
    moved->SetTransform(Math::Matrix4x4::Translation(100.0f, 0.0f, 0.0f));
    root->AttachChild(moved);
    moved->AttachChild(Named("a"));
    moved->Update(0.0f);
    // The moved group's box (+-5 around x = 100) has grown the root's, which stays at the origin.
    EXPECT_FLOAT_EQ(MaxX(root->GetBoundingVolume().GetWorldBox()), 105.0f);
    EXPECT_FLOAT_EQ(MaxX(moved->GetBoundingVolume().GetWorldBox()), 105.0f);

    moved->SetMergeIntoParent(false);
    root->GetBoundingVolume().Transform(Math::Matrix4x4::Identity());
    moved->Update(0.0f);
    EXPECT_FLOAT_EQ(MaxX(root->GetBoundingVolume().GetWorldBox()), 5.0f);
}

TEST(Node, NodeWhoseParentIsGoneUsesTheIdentity)
{
    Core::RefPtr<Engine::Node> leaf = Named("leaf");
    {
        const Core::RefPtr<Engine::TransformationGroup> parent(new Engine::TransformationGroup());
        parent->SetTransform(Math::Matrix4x4::Translation(5.0f, 0.0f, 0.0f));
        parent->AttachChild(leaf);
        parent->Update(0.0f);
        EXPECT_EQ(leaf->GetWorldMatrix().e[12], 5.0f);
    }
    EXPECT_EQ(leaf->GetParent(), nullptr);
    leaf->Update(0.0f);
    EXPECT_EQ(leaf->GetWorldMatrix(), Math::Matrix4x4::Identity());
}

TEST(Group, CloneCopiesTheSubtreeWithItsOwnLinks)
{
    const Core::RefPtr<Engine::TransformationGroup> group(new Engine::TransformationGroup());
    group->SetTransform(Math::Matrix4x4::Translation(1.0f, 2.0f, 3.0f));
    group->AttachChild(Named("a"));
    const Core::RefPtr<Engine::TransformationGroup> inner(new Engine::TransformationGroup());
    group->AttachChild(inner);
    inner->AttachChild(Named("b"));

    const Core::RefPtr<Engine::TransformationGroup> copy(group->Clone());
    EXPECT_EQ(copy->GetTransform(), group->GetTransform());
    ASSERT_EQ(copy->GetChildCount(), 2u);
    EXPECT_NE(copy->GetChild(0).Get(), group->GetChild(0).Get());
    EXPECT_EQ(copy->GetChild(0)->GetParent(), copy.Get());
    EXPECT_EQ(copy->Find("b")->GetParent(), copy->GetChild(1).Get());
    EXPECT_NE(copy->Find("b").Get(), group->Find("b").Get());
}

TEST(Group, NotificationsPassThroughGroupsButStopAtTransformationGroups)
{
    std::vector<std::string> log;
    const Core::RefPtr<Engine::Group> root = NamedGroup("root");
    const Core::RefPtr<Engine::Group> inner = NamedGroup("inner");
    const Core::RefPtr<Engine::TransformationGroup> layer(new Engine::TransformationGroup());
    for (const char* name : {"a", "b", "hidden"})
    {
        Core::RefPtr<Listener> leaf(new Listener(&log));
        leaf->SetName(name);
        (name[0] == 'a' ? root.Get() : name[0] == 'b' ? inner.Get() : static_cast<Engine::Group*>(layer.Get()))
            ->AttachChild(leaf);
    }
    root->AttachChild(inner);
    root->AttachChild(layer);
    root->Notify();
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
}
