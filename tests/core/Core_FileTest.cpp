#include "core/Core_File.h"
#include "tests/support/Support_Scratch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace
{
// A node of a test graph: a value and up to two references, so shared and cyclic graphs can be
// built. Counts its Load calls.
class GraphNode : public Core::Object
{
    CORE_CLASS(GraphNode)
public:
    static int loads;

    u32 value = 0;
    Core::RefPtr<GraphNode> left;
    Core::RefPtr<GraphNode> right;

    void Save(Core::File& file) override
    {
        Core::WriteU32(file, value);
        file.WriteObject(left);
        file.WriteObject(right);
    }
    void Load(Core::File& file) override
    {
        ++loads;
        Core::ReadU32(file, value);
        file.ReadObjectInto(left);
        file.ReadObjectInto(right);
    }
    // Cycles are broken before release, as the owners of cyclic graphs do.
    void Unlink()
    {
        Core::RefPtr<GraphNode> l = left;
        Core::RefPtr<GraphNode> r = right;
        left.Reset();
        right.Reset();
        if (l)
            l->Unlink();
        if (r)
            r->Unlink();
    }
};
int GraphNode::loads = 0;
CORE_REGISTER_CLASS(GraphNode, "Test::GraphNode")

// Another class, to test readers that expect a given class.
class OtherNode : public Core::Object
{
    CORE_CLASS(OtherNode)
public:
    static int alive;
    OtherNode() { ++alive; }
    ~OtherNode() override { --alive; }
};
int OtherNode::alive = 0;
CORE_REGISTER_CLASS(OtherNode, "Test::OtherNode")

// Its payload is a reference that must be to an OtherNode.
class ExpectsOther : public Core::Object
{
    CORE_CLASS(ExpectsOther)
public:
    static int alive;
    ExpectsOther() { ++alive; }
    ~ExpectsOther() override { --alive; }
    Core::RefPtr<OtherNode> other;
    bool loaded = false;

    void Load(Core::File& file) override
    {
        file.ReadObjectInto(other);
        loaded = true;
    }
};
int ExpectsOther::alive = 0;
CORE_REGISTER_CLASS(ExpectsOther, "Test::ExpectsOther")

// Holds a counted list: a u32 count, then that many references.
class ListHolder : public Core::Object
{
    CORE_CLASS(ListHolder)
public:
    static int alive;
    ListHolder() { ++alive; }
    ~ListHolder() override { --alive; }
    Core::Vector<Core::RefPtr<Core::Object>> items;

    void Save(Core::File& file) override
    {
        Core::WriteU32(file, static_cast<u32>(items.size()));
        for (auto& item : items)
            file.WriteObject(item);
    }
    void Load(Core::File& file) override
    {
        u32 count = 0;
        if (!Core::ReadCount(file, count, 1))
            return;
        for (u32 i = 0; i < count && !file.Failed(); ++i)
            items.emplace_back(file.ReadObject());
    }
};
int ListHolder::alive = 0;
CORE_REGISTER_CLASS(ListHolder, "Test::ListHolder")

// Keeps its one reference through a plain pointer, as mount links do, and asks the stream to
// hold what it made.
class PlainHolder : public Core::Object
{
    CORE_CLASS(PlainHolder)
public:
    Core::Object* plain = nullptr;

    void Save(Core::File& file) override { file.WriteObject(plain); }
    void Load(Core::File& file) override
    {
        plain = file.ReadObject();
        file.HoldWhileReading(plain);
    }
};
CORE_REGISTER_CLASS(PlainHolder, "Test::PlainHolder")

std::vector<u8> Bytes(const Core::MemoryFile& file)
{
    return std::vector<u8>(file.GetData(), file.GetData() + file.GetSize());
}

void Append(std::vector<u8>& bytes, std::initializer_list<u8> more)
{
    bytes.insert(bytes.end(), more);
}

void AppendName(std::vector<u8>& bytes, const char* name)
{
    const u32 length = static_cast<u32>(std::strlen(name));
    Append(bytes, {u8(length), u8(length >> 8), u8(length >> 16), u8(length >> 24)});
    bytes.insert(bytes.end(), name, name + length);
}

class ObjectStreamTest : public ::testing::Test
{
protected:
    void SetUp() override { GraphNode::loads = 0; }
};

TEST(FieldStreamTest, FieldsAreLittleEndian)
{
    Core::MemoryFile file;
    Core::WriteU8(file, 0xAB);
    Core::WriteU16(file, 0x1234);
    Core::WriteU32(file, 0x01020304);
    Core::WriteI32(file, -2);
    Core::WriteF32(file, 1.0f);
    Core::WriteF64(file, -2.0);
    EXPECT_EQ(Bytes(file), (std::vector<u8>{0xAB, 0x34, 0x12, 0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF, 0x00,
                                            0x00, 0x80, 0x3F, 0, 0, 0, 0, 0, 0, 0x00, 0xC0}));
    u8 a;
    u16 b;
    u32 c;
    i32 d;
    f32 e;
    f64 f;
    EXPECT_TRUE(Core::ReadU8(file, a) && Core::ReadU16(file, b) && Core::ReadU32(file, c) && Core::ReadI32(file, d) &&
                Core::ReadF32(file, e) && Core::ReadF64(file, f));
    EXPECT_EQ(a, 0xAB);
    EXPECT_EQ(b, 0x1234);
    EXPECT_EQ(c, 0x01020304u);
    EXPECT_EQ(d, -2);
    EXPECT_EQ(e, 1.0f);
    EXPECT_EQ(f, -2.0);
    EXPECT_FALSE(Core::ReadU32(file, c));
    EXPECT_EQ(c, 0u);
}

TEST(MemoryFileTest, ReadsInOrderAndWritesAppendAfterTheData)
{
    const u8 bytes[] = {1, 2, 3, 4, 5, 6, 7, 8};
    Core::MemoryFile file(bytes, sizeof(bytes));
    u8 first[4];
    u8 second[4];
    file.Read(first, 4);
    file.Read(second, 4);
    EXPECT_EQ(first[0], 1);
    EXPECT_EQ(first[3], 4);
    EXPECT_EQ(second[0], 5);
    EXPECT_EQ(second[3], 8);
    EXPECT_EQ(file.GetRemaining(), 0u);
    file.Write("\x09", 1);
    EXPECT_EQ(file.GetSize(), 9u);
    EXPECT_EQ(file.GetData()[8], 9);
    EXPECT_EQ(file.GetRemaining(), 1u);
    EXPECT_FALSE(file.Failed());
}

TEST(MemoryFileTest, ReadPastTheEndZeroFillsAndFails)
{
    const u8 bytes[] = {1, 2, 3};
    Core::MemoryFile file(bytes, sizeof(bytes));
    u8 target[6] = {9, 9, 9, 9, 9, 9};
    file.Read(target, 6);
    EXPECT_EQ(target[2], 3);
    EXPECT_EQ(target[3], 0);
    EXPECT_EQ(target[5], 0);
    EXPECT_TRUE(file.Failed());
    EXPECT_EQ(file.GetReadPosition(), 3u);
}

TEST(MemoryFileTest, ReadCountRejectsCountsTheDataCannotHold)
{
    Core::MemoryFile file;
    Core::WriteU32(file, 3);
    Core::WriteU32(file, 0xFFFFFFFF);
    file.Write("abcdefghijkl", 12);
    u32 count = 0;
    EXPECT_TRUE(Core::ReadCount(file, count, 1));
    EXPECT_EQ(count, 3u);
    EXPECT_FALSE(Core::ReadCount(file, count, 4));
    EXPECT_EQ(count, 0u);
    EXPECT_TRUE(file.Failed());
}

TEST_F(ObjectStreamTest, NullReferenceIsOneZeroByte)
{
    Core::MemoryFile file;
    file.WriteObject(nullptr);
    EXPECT_EQ(Bytes(file), (std::vector<u8>{0}));
    EXPECT_EQ(file.ReadObject(), nullptr);
    EXPECT_EQ(file.GetRemaining(), 0u);
    EXPECT_FALSE(file.Failed());
}

TEST_F(ObjectStreamTest, SecondReferenceCarriesNoPayload)
{
    Core::RefPtr<GraphNode> node(new GraphNode());
    node->value = 0x11223344;
    Core::MemoryFile file;
    file.WriteObject(node);
    file.WriteObject(node);

    std::vector<u8> expected;
    Append(expected, {1});
    AppendName(expected, "Test::GraphNode");
    Append(expected, {1, 0, 0, 0, 0x44, 0x33, 0x22, 0x11, 0, 0, 1});
    AppendName(expected, "Test::GraphNode");
    Append(expected, {1, 0, 0, 0});
    EXPECT_EQ(Bytes(file), expected);

    Core::RefPtr<GraphNode> first;
    Core::RefPtr<GraphNode> second;
    EXPECT_TRUE(file.ReadObjectInto(first));
    EXPECT_TRUE(file.ReadObjectInto(second));
    ASSERT_NE(first.Get(), nullptr);
    EXPECT_EQ(first.Get(), second.Get());
    EXPECT_EQ(first->value, 0x11223344u);
    EXPECT_EQ(GraphNode::loads, 1);
    EXPECT_EQ(first->GetReferenceCount(), 2u);
}

TEST_F(ObjectStreamTest, IdsFollowTheOrderOfFirstWriting)
{
    Core::RefPtr<GraphNode> a(new GraphNode());
    Core::RefPtr<GraphNode> b(new GraphNode());
    Core::MemoryFile file;
    file.WriteObject(b);
    file.WriteObject(a);
    const std::vector<u8> bytes = Bytes(file);
    const std::size_t record = 1 + 4 + std::strlen("Test::GraphNode") + 4 + 4 + 1 + 1;
    ASSERT_EQ(bytes.size(), 2 * record);
    EXPECT_EQ(bytes[record - 4 - 6], 1) << "first object written has id 1";
    EXPECT_EQ(bytes[2 * record - 4 - 6], 2);
}

TEST_F(ObjectStreamTest, SharedAndCyclicGraphRoundTripsThroughMemory)
{
    // root -> a, b; a -> shared, root (back edge); b -> shared, b (self)
    Core::RefPtr<GraphNode> root(new GraphNode());
    Core::RefPtr<GraphNode> a(new GraphNode());
    Core::RefPtr<GraphNode> b(new GraphNode());
    Core::RefPtr<GraphNode> shared(new GraphNode());
    root->value = 1;
    a->value = 2;
    b->value = 3;
    shared->value = 4;
    root->left = a;
    root->right = b;
    a->left = shared;
    a->right = root;
    b->left = shared;
    b->right = b;

    Core::MemoryFile file;
    file.WriteObject(root);
    Core::RefPtr<GraphNode> read;
    ASSERT_TRUE(file.ReadObjectInto(read));
    EXPECT_EQ(GraphNode::loads, 4) << "each object's payload once";
    EXPECT_EQ(read->value, 1u);
    EXPECT_EQ(read->left->value, 2u);
    EXPECT_EQ(read->right->value, 3u);
    EXPECT_EQ(read->left->left.Get(), read->right->left.Get());
    EXPECT_EQ(read->left->left->value, 4u);
    EXPECT_EQ(read->left->right.Get(), read.Get());
    EXPECT_EQ(read->right->right.Get(), read->right.Get());
    EXPECT_EQ(file.GetRemaining(), 0u);
    read->Unlink();
    root->Unlink();
}


TEST_F(ObjectStreamTest, SharedAndCyclicGraphRoundTripsThroughADiskFile)
{
    const TestSupport::ScratchFolder scratch("morvane_core");
    const std::filesystem::path path = scratch.Path() / "graph.bin";
    // root -> child twice (shared); child -> root (back edge) and itself.
    Core::RefPtr<GraphNode> root(new GraphNode());
    root->value = 77;
    root->left = new GraphNode();
    root->left->value = 78;
    root->right = root->left;
    root->left->left = root;
    root->left->right = root->left;
    {
        Core::DiskFile writer(path.c_str(), Core::DiskFile::ModeWrite);
        ASSERT_FALSE(writer.Failed());
        writer.WriteObject(root);
        Core::WriteString(writer, "end");
    }
    Core::DiskFile reader(path.c_str(), Core::DiskFile::ModeRead);
    ASSERT_FALSE(reader.Failed());
    Core::RefPtr<GraphNode> read;
    ASSERT_TRUE(reader.ReadObjectInto(read));
    Core::String tail;
    Core::ReadString(reader, tail);
    EXPECT_EQ(tail, "end");
    EXPECT_EQ(read->value, 77u);
    EXPECT_EQ(read->left->value, 78u);
    EXPECT_EQ(read->left.Get(), read->right.Get());
    EXPECT_EQ(read->left->left.Get(), read.Get());
    EXPECT_EQ(read->left->right.Get(), read->left.Get());
    EXPECT_EQ(GraphNode::loads, 2);
    EXPECT_EQ(reader.GetRemainingBytes(), 0u);
    EXPECT_FALSE(reader.Failed());
    u8 beyond = 5;
    reader.Read(&beyond, 1);
    EXPECT_EQ(beyond, 0);
    EXPECT_TRUE(reader.Failed());
    read->Unlink();
    root->Unlink();
}

TEST_F(ObjectStreamTest, ReopenedDiskFileNumbersFromOneAgain)
{
    const TestSupport::ScratchFolder scratch("morvane_core");
    const std::filesystem::path first = scratch.Path() / "first.bin";
    const std::filesystem::path second = scratch.Path() / "second.bin";
    Core::RefPtr<GraphNode> a(new GraphNode());
    Core::RefPtr<GraphNode> b(new GraphNode());
    Core::DiskFile file(first.c_str(), Core::DiskFile::ModeWrite);
    file.WriteObject(a);
    file.Open(second.c_str(), Core::DiskFile::ModeWrite);
    file.WriteObject(b);
    file.Close();
    EXPECT_TRUE(file.Failed()) << "no file open";

    Core::DiskFile reader(second.c_str(), Core::DiskFile::ModeRead);
    u8 present = 0;
    Core::String name;
    u32 id = 0;
    Core::ReadU8(reader, present);
    Core::ReadString(reader, name);
    Core::ReadU32(reader, id);
    EXPECT_EQ(present, 1);
    EXPECT_EQ(name, "Test::GraphNode");
    EXPECT_EQ(id, 1u);
}

TEST(DiskFileTest, EnginePathsUseBackslashesAndBadOpeningsFail)
{
    const TestSupport::ScratchFolder scratch("morvane_core");
    const std::filesystem::path folder = scratch.Path() / "folder";
    std::filesystem::create_directories(folder);
    const Core::String enginePath = Core::String(folder.c_str()) + "\\file.bin";
    {
        Core::DiskFile writer(enginePath, Core::DiskFile::ModeWrite);
        EXPECT_FALSE(writer.Failed());
        Core::WriteU32(writer, 5);
    }
    EXPECT_TRUE(std::filesystem::exists(folder / "file.bin"));

    Core::DiskFile missing(Core::String(folder.c_str()) + "\\absent.bin", Core::DiskFile::ModeRead);
    EXPECT_TRUE(missing.Failed());
    u32 value = 9;
    EXPECT_FALSE(Core::ReadU32(missing, value));
    EXPECT_EQ(value, 0u);
    Core::DiskFile badMode(enginePath, 2);
    EXPECT_TRUE(badMode.Failed());
    // A directory is no stream: it would report an endless size.
    Core::DiskFile directory(Core::String(folder.c_str()), Core::DiskFile::ModeRead);
    EXPECT_TRUE(directory.Failed());
    EXPECT_EQ(directory.GetRemainingBytes(), 0u);
    EXPECT_FALSE(Core::ReadCount(directory, value, 1));
    Core::DiskFile reopened;
    reopened.Open(Core::String(folder.c_str()) + "\\absent.bin", Core::DiskFile::ModeRead);
    reopened.Open(enginePath, Core::DiskFile::ModeRead);
    EXPECT_FALSE(reopened.Failed()) << "a successful opening clears the failed state";
    EXPECT_TRUE(Core::ReadU32(reopened, value));
    EXPECT_EQ(value, 5u);
}

TEST(DiskFileTest, LengthBeyondTheFileFailsWithoutReading)
{
    const TestSupport::ScratchFolder scratch("morvane_core");
    const std::filesystem::path path = scratch.Path() / "hostile.bin";
    {
        Core::DiskFile writer(path.c_str(), Core::DiskFile::ModeWrite);
        Core::WriteU32(writer, 0xFFFFFFF0u);
        writer.Write("abc", 3);
    }
    Core::DiskFile reader(path.c_str(), Core::DiskFile::ModeRead);
    EXPECT_EQ(reader.GetRemainingBytes(), 7u);
    Core::String target("kept");
    Core::ReadString(reader, target);
    EXPECT_TRUE(reader.Failed());
    EXPECT_EQ(target, "kept");
    u32 count = 0;
    EXPECT_FALSE(Core::ReadCount(reader, count, 1));
}

TEST_F(ObjectStreamTest, TruncatedPayloadFailsCleanly)
{
    Core::RefPtr<GraphNode> root(new GraphNode());
    root->left = new GraphNode();
    root->left->value = 12345;
    Core::MemoryFile full;
    full.WriteObject(root);
    for (u32 cut = 0; cut < full.GetSize(); ++cut)
    {
        Core::MemoryFile truncated(full.GetData(), cut);
        Core::RefPtr<GraphNode> read;
        EXPECT_FALSE(truncated.ReadObjectInto(read)) << "cut at " << cut;
        EXPECT_TRUE(truncated.Failed()) << "cut at " << cut;
        EXPECT_EQ(truncated.ReadObject(), nullptr) << "a failed stream reads no more objects";
    }
}

TEST_F(ObjectStreamTest, UnknownClassNameFailsTheStream)
{
    std::vector<u8> bytes;
    Append(bytes, {1});
    AppendName(bytes, "Test::NoSuchClass");
    Append(bytes, {1, 0, 0, 0, 0, 0, 0, 0});
    Core::MemoryFile file(bytes.data(), static_cast<u32>(bytes.size()));
    EXPECT_EQ(file.ReadObject(), nullptr);
    EXPECT_TRUE(file.Failed());
    EXPECT_EQ(Core::ClassRegistry::Instance().Lookup("Test::NoSuchClass"), nullptr);
}

TEST_F(ObjectStreamTest, HugeCountsAndLengthsFailWithoutAllocating)
{
    std::vector<u8> bytes;
    Append(bytes, {1});
    AppendName(bytes, "Test::ListHolder");
    Append(bytes, {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1});
    Core::MemoryFile hugeCount(bytes.data(), static_cast<u32>(bytes.size()));
    Core::RefPtr<ListHolder> holder;
    EXPECT_FALSE(hugeCount.ReadObjectInto(holder));
    ASSERT_NE(holder.Get(), nullptr) << "the object made before the failure is handed over for release";
    EXPECT_TRUE(holder->items.empty());

    const u8 hugeName[] = {1, 0xF0, 0xFF, 0xFF, 0xFF, 'a', 'b'};
    Core::MemoryFile nameFile(hugeName, sizeof(hugeName));
    EXPECT_EQ(nameFile.ReadObject(), nullptr);
    EXPECT_TRUE(nameFile.Failed());
}

TEST_F(ObjectStreamTest, KnownIdOfAnotherClassFails)
{
    // Object 1 is a GraphNode; a later reference claims id 1 is an OtherNode.
    Core::RefPtr<GraphNode> node(new GraphNode());
    Core::MemoryFile valid;
    valid.WriteObject(node);
    std::vector<u8> bytes = Bytes(valid);
    Append(bytes, {1});
    AppendName(bytes, "Test::OtherNode");
    Append(bytes, {1, 0, 0, 0});
    Core::MemoryFile file(bytes.data(), static_cast<u32>(bytes.size()));
    Core::RefPtr<GraphNode> first;
    EXPECT_TRUE(file.ReadObjectInto(first));
    Core::RefPtr<Core::Object> second;
    EXPECT_FALSE(file.ReadObjectInto(second));
    EXPECT_TRUE(file.Failed());
    EXPECT_EQ(second.Get(), nullptr);
}

TEST_F(ObjectStreamTest, ObjectOfAnUnexpectedClassFailsAndIsReleased)
{
    Core::RefPtr<OtherNode> other(new OtherNode());
    Core::MemoryFile file;
    file.WriteObject(other);
    file.WriteObject(other);
    Core::RefPtr<GraphNode> target(new GraphNode());
    GraphNode* before = target.Get();
    EXPECT_FALSE(file.ReadObjectInto(target));
    EXPECT_TRUE(file.Failed());
    EXPECT_EQ(target.Get(), before) << "the target keeps its value";
    EXPECT_EQ(OtherNode::alive, 1) << "only the writer's object lives";
    Core::RefPtr<OtherNode> rest;
    EXPECT_FALSE(file.ReadObjectInto(rest));
    EXPECT_EQ(rest.Get(), nullptr);
}

TEST_F(ObjectStreamTest, ObjectStillLoadingIsNotFreedByAMistypedBackReference)
{
    // The payload of object 1 refers to object 1 where an OtherNode is expected.
    std::vector<u8> bytes;
    Append(bytes, {1});
    AppendName(bytes, "Test::ExpectsOther");
    Append(bytes, {1, 0, 0, 0, 1});
    AppendName(bytes, "Test::ExpectsOther");
    Append(bytes, {1, 0, 0, 0});
    Core::MemoryFile file(bytes.data(), static_cast<u32>(bytes.size()));
    Core::RefPtr<ExpectsOther> read;
    EXPECT_FALSE(file.ReadObjectInto(read));
    ASSERT_NE(read.Get(), nullptr);
    EXPECT_TRUE(read->loaded);
    EXPECT_EQ(read->other.Get(), nullptr);
    read.Reset();
    EXPECT_EQ(ExpectsOther::alive, 0);
}

TEST_F(ObjectStreamTest, ARefusedObjectHoldingTheOneStillLoadingGoesOnlyOnceTheReadEnds)
{
    // Object 1 expects an OtherNode and gets a new list (object 2) whose only item is object 1:
    // freeing the list at once would free object 1 under its own reader.
    std::vector<u8> bytes;
    Append(bytes, {1});
    AppendName(bytes, "Test::ExpectsOther");
    Append(bytes, {1, 0, 0, 0, 1});
    AppendName(bytes, "Test::ListHolder");
    Append(bytes, {2, 0, 0, 0, 1, 0, 0, 0, 1});
    AppendName(bytes, "Test::ExpectsOther");
    Append(bytes, {1, 0, 0, 0});
    Core::MemoryFile file(bytes.data(), static_cast<u32>(bytes.size()));
    Core::Object* read = file.ReadObject();
    EXPECT_TRUE(file.Failed());
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(static_cast<ExpectsOther*>(read)->loaded);
    // The list went when the read ended; the object read comes back unheld, as every new one does.
    EXPECT_EQ(ListHolder::alive, 0);
    EXPECT_EQ(read->GetReferenceCount(), 0u);
    Core::RefPtr<Core::Object> holder(read);
    holder.Reset();
    EXPECT_EQ(ExpectsOther::alive, 0);
}

TEST_F(ObjectStreamTest, SameIdUnderTheRightClassIsAccepted)
{
    Core::RefPtr<OtherNode> other(new OtherNode());
    Core::MemoryFile file;
    file.WriteObject(other);
    file.WriteObject(other);
    Core::RefPtr<OtherNode> first;
    Core::RefPtr<Core::Object> second;
    EXPECT_TRUE(file.ReadObjectInto(first));
    EXPECT_TRUE(file.ReadObjectInto(second));
    EXPECT_EQ(first.Get(), second.Get());
}

TEST_F(ObjectStreamTest, DeeplyNestedHostileStreamFailsInsteadOfExhaustingTheStack)
{
    // Every node's left child is a new node: 100000 levels.
    std::vector<u8> bytes;
    for (u32 id = 1; id <= 100000; ++id)
    {
        Append(bytes, {1});
        AppendName(bytes, "Test::GraphNode");
        Append(bytes, {u8(id), u8(id >> 8), u8(id >> 16), 0, 0, 0, 0, 0});
    }
    Core::MemoryFile file(bytes.data(), static_cast<u32>(bytes.size()));
    Core::RefPtr<GraphNode> root;
    EXPECT_FALSE(file.ReadObjectInto(root));
    EXPECT_TRUE(file.Failed());
    EXPECT_LT(GraphNode::loads, 100000);
}

TEST_F(ObjectStreamTest, ModerateNestingStillLoads)
{
    Core::RefPtr<GraphNode> root(new GraphNode());
    GraphNode* tail = root.Get();
    for (u32 i = 1; i < 500; ++i)
    {
        tail->left = new GraphNode();
        tail = tail->left.Get();
        tail->value = i;
    }
    Core::MemoryFile file;
    file.WriteObject(root);
    Core::RefPtr<GraphNode> read;
    ASSERT_TRUE(file.ReadObjectInto(read));
    u32 depth = 0;
    for (GraphNode* node = read.Get(); node->left; node = node->left.Get())
        ++depth;
    EXPECT_EQ(depth, 499u);
}
} // namespace

TEST_F(ObjectStreamTest, AnObjectNamedOnlyThroughAPlainPointerLivesWhileTheStreamDoesThenGoes)
{
    const Core::RefPtr<OtherNode> node(new OtherNode());
    const Core::RefPtr<PlainHolder> holder(new PlainHolder());
    holder->plain = node.Get();
    Core::MemoryFile written;
    written.WriteObject(holder);
    written.WriteObject(node);
    {
        Core::MemoryFile file(written.GetData(), written.GetSize());
        Core::RefPtr<PlainHolder> read;
        ASSERT_TRUE(file.ReadObjectInto(read));
        EXPECT_EQ(OtherNode::alive, 2) << "a later read may still name it";
        Core::RefPtr<OtherNode> later;
        ASSERT_TRUE(file.ReadObjectInto(later));
        EXPECT_EQ(later.Get(), read->plain);
        EXPECT_EQ(later->GetReferenceCount(), 2u);
    }
    EXPECT_EQ(OtherNode::alive, 1) << "what a counted reference took went with it";

    // Nothing takes it: the stream lets it go when it ends.
    {
        Core::MemoryFile file(written.GetData(), written.GetSize());
        Core::RefPtr<PlainHolder> read;
        ASSERT_TRUE(file.ReadObjectInto(read));
        EXPECT_EQ(OtherNode::alive, 2);
    }
    EXPECT_EQ(OtherNode::alive, 1);

    // A holder that its reader refuses takes what only it named along, while the stream lives on.
    Core::MemoryFile refused(written.GetData(), written.GetSize());
    Core::RefPtr<OtherNode> wrong;
    EXPECT_FALSE(refused.ReadObjectInto(wrong));
    EXPECT_EQ(OtherNode::alive, 1);
}
