// Save and load of node trees through memory streams, and hostile streams of groups.
#include "core/Core_File.h"
#include "engine/Engine_Group.h"
#include "engine/Engine_Node.h"
#include "engine/Engine_Sprite.h"
#include "engine/Engine_TransformationGroup.h"

#include <gtest/gtest.h>

namespace
{
// An object that is not a node and counts its live instances.
class Stranger : public Core::Object
{
    CORE_CLASS(Stranger)
public:
    static int alive;
    Stranger() { ++alive; }
    ~Stranger() override { --alive; }
};
int Stranger::alive = 0;
CORE_REGISTER_CLASS(Stranger, "Test::Stranger")

Core::RefPtr<Engine::Node> Named(const char* name)
{
    Core::RefPtr<Engine::Node> node(new Engine::Node());
    node->SetName(name);
    return node;
}

// Reads the first object of a stream as a T.
template <class T>
Core::RefPtr<T> ReadBack(Core::MemoryFile& written)
{
    Core::MemoryFile reading(written.GetData(), written.GetSize());
    Core::RefPtr<T> result;
    reading.ReadObjectInto(result);
    return result;
}

// Writes a group's own stream form by hand: node form, then the child records given.
void WriteGroupHeader(Core::File& file, const char* className, u32 id, u32 childCount)
{
    Core::WriteU8(file, 1);
    Core::WriteString(file, className);
    Core::WriteU32(file, id);
    Math::WriteMatrix4x4(file, Math::Matrix4x4());
    Core::WriteU8(file, 0); // no parent
    for (int flag = 0; flag < 5; ++flag)
        Core::WriteU8(file, 1);
    Core::WriteString(file, "hostile");
    Core::WriteU32(file, childCount);
}

void WriteReference(Core::File& file, const char* className, u32 id)
{
    Core::WriteU8(file, 1);
    Core::WriteString(file, className);
    Core::WriteU32(file, id);
}
} // namespace

TEST(NodeStream, FlagsNameAndMatrixSurviveARoundTrip)
{
    const Core::RefPtr<Engine::Node> node = Named("Cannon");
    node->SetFlag0(0);
    node->SetMergeIntoParent(false);
    node->SetDrawBoundingVolume(true, false);
    node->SetVisible(false, false);
    node->SetOverlay(true);
    node->SetWorldMatrix(Math::Matrix4x4::Translation(1.5f, -2.0f, 3.25f));
    Core::MemoryFile file;
    file.WriteObject(node);

    const Core::RefPtr<Engine::Node> loaded = ReadBack<Engine::Node>(file);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetName(), Core::String("Cannon"));
    EXPECT_EQ(loaded->GetFlag0(), 0);
    EXPECT_FALSE(loaded->IsMergingIntoParent());
    EXPECT_TRUE(loaded->IsDrawingBoundingVolume());
    EXPECT_FALSE(loaded->IsVisible());
    EXPECT_TRUE(loaded->IsOverlay());
    EXPECT_EQ(loaded->GetWorldMatrix(), Math::Matrix4x4::Translation(1.5f, -2.0f, 3.25f));
    // Bounding volumes are never stored: the loaded one is as constructed.
    EXPECT_EQ(loaded->GetBoundingVolume().GetWorldBox().corners[0], Math::Vector3D(5.0f, 5.0f, 5.0f));
}

TEST(NodeStream, TreeRoundTripRestoresStructureTransformsAndLinks)
{
    const Core::RefPtr<Engine::Group> root(new Engine::Group());
    root->SetName("root");
    const Core::RefPtr<Engine::TransformationGroup> layer(new Engine::TransformationGroup());
    layer->SetName("layer");
    layer->SetTransform(Math::Matrix4x4::Translation(0.0f, 40.0f, 0.0f));
    root->AttachChild(layer);
    layer->AttachChild(Named("a"));
    layer->AttachChild(Named("b"));
    root->AttachChild(Named("c"));
    Core::MemoryFile file;
    file.WriteObject(root);

    Core::MemoryFile reading(file.GetData(), file.GetSize());
    Core::RefPtr<Engine::Group> loaded;
    ASSERT_TRUE(reading.ReadObjectInto(loaded));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(reading.GetRemaining(), 0u);
    ASSERT_EQ(loaded->GetChildCount(), 2u);
    const Core::RefPtr<Engine::Node> loadedLayer = loaded->GetChild(0);
    ASSERT_STREQ(loadedLayer->GetClassName(), "Engine::TransformationGroup");
    EXPECT_EQ(static_cast<Engine::TransformationGroup*>(loadedLayer.Get())->GetTransform(),
              Math::Matrix4x4::Translation(0.0f, 40.0f, 0.0f));
    EXPECT_EQ(loadedLayer->GetParent(), loaded.Get());
    EXPECT_EQ(loaded->Find("b")->GetParent(), loadedLayer.Get());
    EXPECT_EQ(loaded->GetChild(1)->GetName(), Core::String("c"));

    // Saving the loaded tree again gives the same bytes.
    Core::MemoryFile again;
    again.WriteObject(loaded);
    ASSERT_EQ(again.GetSize(), file.GetSize());
    EXPECT_TRUE(std::equal(file.GetData(), file.GetData() + file.GetSize(), again.GetData()));
}

TEST(NodeStream, LoadingAGroupAppendsToTheChildrenItHas)
{
    const Core::RefPtr<Engine::Group> saved(new Engine::Group());
    for (const char* name : {"x", "y", "z"})
    {
        saved->AttachChild(Named(name));
        // The group's own form is read into another group, outside any tree stream: its children
        // name no parent (read through a tree's root, they name the root, which is then still
        // being read).
        saved->GetChild(saved->GetChildCount() - 1)->SetParent(nullptr);
    }
    Core::MemoryFile file;
    saved->Save(file);

    const Core::RefPtr<Engine::Group> target(new Engine::Group());
    target->AttachChild(Named("kept"));
    Core::MemoryFile reading(file.GetData(), file.GetSize());
    target->Load(reading);
    ASSERT_EQ(target->GetChildCount(), 4u);
    EXPECT_EQ(target->GetChild(0)->GetName(), Core::String("kept"));
    EXPECT_EQ(target->GetChild(3)->GetName(), Core::String("z"));
    EXPECT_EQ(target->GetChild(3)->GetParent(), target.Get());
}

TEST(NodeStream, GroupListingItselfAsAChildFailsInsteadOfMakingACycle)
{
    Core::MemoryFile file;
    WriteGroupHeader(file, "Engine::Group", 1, 2);
    WriteReference(file, "Engine::Group", 1);
    WriteReference(file, "Engine::Group", 1);
    Core::MemoryFile reading(file.GetData(), file.GetSize());
    Core::Object* object = reading.ReadObject();
    EXPECT_TRUE(reading.Failed());
    ASSERT_NE(object, nullptr);
    const Core::RefPtr<Engine::Group> group(static_cast<Engine::Group*>(object));
    EXPECT_EQ(group->GetChildCount(), 0u);
}

TEST(NodeStream, NullChildrenAreSkippedAndNonNodesFailTheStream)
{
    Core::MemoryFile file;
    // An object that is not a node, read (and held) before the group that lists it as a child.
    WriteReference(file, "Object", 1);
    WriteGroupHeader(file, "Engine::Group", 2, 3);
    Core::WriteU8(file, 0);            // a null child
    WriteReference(file, "Engine::Node", 3); // a node
    Named("real")->Save(file);
    WriteReference(file, "Object", 1); // not a node
    Core::MemoryFile reading(file.GetData(), file.GetSize());
    Core::RefPtr<Core::Object> stranger;
    ASSERT_TRUE(reading.ReadObjectInto(stranger));
    Core::RefPtr<Engine::Group> group;
    EXPECT_FALSE(reading.ReadObjectInto(group));
    ASSERT_TRUE(group);
    ASSERT_EQ(group->GetChildCount(), 1u);
    EXPECT_EQ(group->GetChild(0)->GetName(), Core::String("real"));
}

TEST(NodeStream, ANonNodeMadeAsAChildOrAParentIsFreedWithTheFailedRead)
{
    // Objects that are not nodes, made by the very reads that return them, would have no holder.
    Core::MemoryFile asChild;
    WriteGroupHeader(asChild, "Engine::Group", 1, 1);
    WriteReference(asChild, "Test::Stranger", 2);
    Core::MemoryFile childReading(asChild.GetData(), asChild.GetSize());
    Core::RefPtr<Engine::Group> group;
    EXPECT_FALSE(childReading.ReadObjectInto(group));
    ASSERT_TRUE(group);
    EXPECT_EQ(group->GetChildCount(), 0u);
    EXPECT_EQ(Stranger::alive, 0);

    Core::MemoryFile asParent;
    WriteReference(asParent, "Engine::Node", 1);
    Math::WriteMatrix4x4(asParent, Math::Matrix4x4());
    WriteReference(asParent, "Test::Stranger", 2);
    Core::MemoryFile parentReading(asParent.GetData(), asParent.GetSize());
    Core::RefPtr<Engine::Node> node;
    EXPECT_FALSE(parentReading.ReadObjectInto(node));
    ASSERT_TRUE(node);
    EXPECT_EQ(node->GetParent(), nullptr);
    EXPECT_EQ(Stranger::alive, 0);
}

TEST(NodeStream, GroupsListingEachOtherFailInsteadOfMakingACycle)
{
    // Group 1 holds group 2, which lists group 1 (still reading its children) as its child.
    Core::MemoryFile file;
    WriteGroupHeader(file, "Engine::Group", 1, 1);
    WriteGroupHeader(file, "Engine::TransformationGroup", 2, 1);
    WriteReference(file, "Engine::Group", 1);
    Core::MemoryFile reading(file.GetData(), file.GetSize());
    Core::RefPtr<Engine::Group> group;
    EXPECT_FALSE(reading.ReadObjectInto(group));
    ASSERT_TRUE(group);
    // Group 2 was refused nothing of its own but is cut short; group 1 holds at most group 2.
    ASSERT_LE(group->GetChildCount(), 1u);
    if (group->GetChildCount() == 1)
    {
        const Core::RefPtr<Engine::Node> inner = group->GetChild(0);
        EXPECT_EQ(static_cast<Engine::Group*>(inner.Get())->GetChildCount(), 0u);
    }
}

TEST(NodeStream, ImpossibleChildCountReadsNothing)
{
    Core::MemoryFile file;
    WriteGroupHeader(file, "Engine::Group", 1, 0xFFFFFFFFu);
    file.WriteObject(Named("only"));
    Core::MemoryFile reading(file.GetData(), file.GetSize());
    Core::RefPtr<Engine::Group> group;
    reading.ReadObjectInto(group);
    EXPECT_TRUE(reading.Failed());
    ASSERT_TRUE(group);
    EXPECT_EQ(group->GetChildCount(), 0u);
}

TEST(NodeStream, TruncatedTreeStopsAtTheEndOfTheStream)
{
    const Core::RefPtr<Engine::Group> root(new Engine::Group());
    for (const char* name : {"one", "two", "three"})
        root->AttachChild(Named(name));
    Core::MemoryFile file;
    file.WriteObject(root);
    for (u32 cut = 1; cut < file.GetSize(); cut += 7)
    {
        Core::MemoryFile reading(file.GetData(), cut);
        Core::RefPtr<Engine::Group> loaded;
        reading.ReadObjectInto(loaded);
        EXPECT_TRUE(reading.Failed()) << cut;
        if (loaded)
        {
            EXPECT_LE(loaded->GetChildCount(), 3u);
        }
    }
}

TEST(NodeStream, ANodeSavedOnItsOwnWithItsParentFailsWithoutLeaks)
{
    // The parent follows the child whole and lists it while the child is still being read:
    // nothing could hold that parent, so the stream is refused.
    const Core::RefPtr<Engine::Group> parent(new Engine::Group());
    parent->SetName("parent");
    const Core::RefPtr<Engine::Node> child = Named("child");
    parent->AttachChild(child);
    parent->AttachChild(Named("sibling"));
    Core::MemoryFile file;
    file.WriteObject(child);

    Core::MemoryFile reading(file.GetData(), file.GetSize());
    Core::RefPtr<Engine::Node> loaded;
    EXPECT_FALSE(reading.ReadObjectInto(loaded));
    EXPECT_TRUE(reading.Failed());
    if (loaded)
    {
        EXPECT_EQ(loaded->GetParent(), nullptr);
    }
}

TEST(NodeStream, AParentThatIsNotANodeFailsTheStream)
{
    Core::MemoryFile file;
    // An object that is not a node, read (and held) before the node that names it as its parent.
    WriteReference(file, "Object", 1);
    WriteReference(file, "Engine::Node", 2);
    Math::WriteMatrix4x4(file, Math::Matrix4x4());
    WriteReference(file, "Object", 1);
    for (int flag = 0; flag < 5; ++flag)
        Core::WriteU8(file, 1);
    Core::WriteString(file, "orphan");
    Core::MemoryFile reading(file.GetData(), file.GetSize());
    Core::RefPtr<Core::Object> stranger;
    ASSERT_TRUE(reading.ReadObjectInto(stranger));
    Core::RefPtr<Engine::Node> loaded;
    EXPECT_FALSE(reading.ReadObjectInto(loaded));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetParent(), nullptr);
}

TEST(NodeStream, AGroupNeverHoldsANodeStillBeingRead)
{
    // A sprite whose animation reference is a group listing the sprite itself: the group, freed
    // as an object of the wrong class, must not take the sprite (held by nothing yet) with it.
    Core::MemoryFile file;
    WriteReference(file, "Engine::Sprite", 1);
    Math::WriteMatrix4x4(file, Math::Matrix4x4());
    Core::WriteU8(file, 0);
    for (int flag = 0; flag < 5; ++flag)
        Core::WriteU8(file, 1);
    Core::WriteString(file, "sprite");
    Core::WriteU32(file, 1); // one animation...
    WriteGroupHeader(file, "Engine::Group", 2, 1);
    WriteReference(file, "Engine::Sprite", 1); // ...a group holding the sprite
    for (int pad = 0; pad < 64; ++pad)
        Core::WriteU8(file, 0);
    Core::MemoryFile reading(file.GetData(), file.GetSize());
    Core::RefPtr<Engine::Sprite> sprite;
    EXPECT_FALSE(reading.ReadObjectInto(sprite));
    ASSERT_TRUE(sprite);
    EXPECT_EQ(sprite->GetAnimationsCount(), 0u);
    EXPECT_EQ(sprite->GetName(), Core::String("sprite"));
}
