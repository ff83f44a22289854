// The records networked objects travel in: the network string, the object stream that only makes
// game objects, the creation and state records of game objects, texts and sprites, read back and
// refused when cut short.
#include "tests/framework/Framework_GameFixture.h"

#include "core/Core_File.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "framework/drawables/Vellumar_SpriteAnimation.h"
#include "framework/drawables/Vellumar_Text.h"
#include "framework/net/Vellumar_NetworkFile.h"
#include "framework/net/Vellumar_VelNet.h"

#include <cstring>

using namespace FrameworkTest;

namespace
{
using NetworkRecordsTest = GameFixture;

Core::Vector<u8> Bytes(const Core::MemoryFile& file)
{
    return Core::Vector<u8>(file.GetData(), file.GetData() + file.GetSize());
}

f32 FloatAt(const Core::Vector<u8>& bytes, u32 offset)
{
    f32 value = 0.0f;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

u32 WordAt(const Core::Vector<u8>& bytes, u32 offset)
{
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 | static_cast<u32>(bytes[offset + 3]) << 24;
}

TEST(NetworkFileTest, StringsCarryTheirCountAndAnEmptyOneLeavesTheTarget)
{
    Vellumar::NetworkFile out;
    out.WriteString("ab");
    out.WriteString("");
    EXPECT_EQ(Bytes(out), (Core::Vector<u8>{2, 0, 0, 0, 'a', 'b', 0, 0, 0, 0}));

    Vellumar::NetworkFile in(out.GetData(), out.GetSize());
    Core::String text = "kept";
    EXPECT_TRUE(in.ReadString(text));
    EXPECT_EQ(text, "ab");
    EXPECT_TRUE(in.ReadString(text));
    EXPECT_EQ(text, "ab") << "a count of 0 leaves the target as it was";

    const u8 nul[] = {3, 0, 0, 0, 'x', 0, 'y'};
    Vellumar::NetworkFile embedded(nul, sizeof(nul));
    EXPECT_TRUE(embedded.ReadString(text));
    EXPECT_EQ(text, "x");

    const u8 lying[] = {0xff, 0xff, 0xff, 0x7f, 'x'};
    Vellumar::NetworkFile cut(lying, sizeof(lying));
    text = "kept";
    EXPECT_FALSE(cut.ReadString(text));
    EXPECT_TRUE(cut.Failed());
    EXPECT_EQ(text, "kept");
}

TEST_F(NetworkRecordsTest, TheObjectStreamMakesOnlyGameObjects)
{
    MakeGame();
    const Core::RefPtr<Vellumar::GameObject> original(new Vellumar::GameObject());
    original->SetName("crate");
    original->SetPosition(3.0f, 4.0f);
    Vellumar::NetworkFile out;
    out.WriteNetworkObject(original.Get());
    out.WriteNetworkObject(nullptr);
    EXPECT_EQ(original->GetNetworkPayload(), nullptr) << "the file is lent only during the call";

    Vellumar::NetworkFile in(out.GetData(), out.GetSize());
    const Core::RefPtr<Core::Object> read(in.ReadObject());
    auto* copy = dynamic_cast<Vellumar::GameObject*>(read.Get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetName(), "crate");
    EXPECT_EQ(copy->GetPosition(), Math::Vector2D(3.0f, 4.0f));
    EXPECT_EQ(in.ReadObject(), nullptr);
    EXPECT_FALSE(in.Failed());

    for (const char* className : {"Engine::Group", "No::Such"})
    {
        Vellumar::NetworkFile named;
        Core::WriteU8(named, 1);
        named.WriteString(className);
        Vellumar::NetworkFile hostile(named.GetData(), named.GetSize());
        EXPECT_EQ(hostile.ReadObject(), nullptr) << className;
        EXPECT_TRUE(hostile.Failed()) << className;
    }
}

TEST_F(NetworkRecordsTest, TheCreationRecordIsLaidOutFieldByField)
{
    MakeGame();
    const Core::RefPtr<Vellumar::GameObject> object(new Vellumar::GameObject());
    object->SetName("n");
    object->SetPosition(1.0f, 2.0f);
    object->SetCenter(Math::Vector2D(3.0f, 4.0f));
    object->SetRotationAngle(5.0f);
    object->SetScale(6.0f, 7.0f);
    object->SetLifeTime(8.0f);
    object->SetZOrder(9.0f);
    Vellumar::NetworkFile without;
    object->NetworkSave(without);
    const Core::Vector<u8> bytes = Bytes(without);
    ASSERT_EQ(bytes.size(), 78u) << "an object without a network id writes one 0 byte for it";
    EXPECT_EQ(WordAt(bytes, 0), 1u);
    EXPECT_EQ(bytes[4], 'n');
    EXPECT_EQ(FloatAt(bytes, 5), 1.0f);
    EXPECT_EQ(FloatAt(bytes, 13), 3.0f);
    EXPECT_EQ(FloatAt(bytes, 21), 5.0f);
    EXPECT_EQ(FloatAt(bytes, 29), 7.0f);
    EXPECT_EQ(bytes[33], 1) << "visible";
    EXPECT_EQ(FloatAt(bytes, 34), 8.0f);
    EXPECT_EQ(FloatAt(bytes, 42), 9.0f);
    EXPECT_EQ(FloatAt(bytes, 46), 1.0f) << "the colour's red";
    EXPECT_EQ(WordAt(bytes, 62), 0u);
    EXPECT_EQ(WordAt(bytes, 66), 0u);
    EXPECT_EQ(bytes[70], 0) << "no network id";
    EXPECT_EQ(bytes[71], 0) << "script enabled";

    object->SetNetworkId(new Vellumar::NetObjectID(4, 9, true));
    Vellumar::NetworkFile with;
    object->NetworkSave(with);
    const Core::Vector<u8> identified = Bytes(with);
    ASSERT_EQ(identified.size(), 86u);
    EXPECT_EQ(identified[70], 1);
    EXPECT_EQ(WordAt(identified, 71), 4u) << "owner";
    EXPECT_EQ(WordAt(identified, 75), 9u) << "object number";

    const Core::RefPtr<Vellumar::GameObject> copy(new Vellumar::GameObject());
    Vellumar::NetworkFile in(with.GetData(), with.GetSize());
    copy->NetworkLoad(in);
    EXPECT_FALSE(in.Failed());
    EXPECT_EQ(in.GetRemaining(), 0u);
    EXPECT_EQ(copy->GetName(), "n");
    EXPECT_EQ(copy->GetPosition(), Math::Vector2D(1.0f, 2.0f));
    EXPECT_EQ(copy->GetRotationAngle(), 5.0f);
    EXPECT_EQ(copy->GetScaleY(), 7.0f);
    EXPECT_EQ(copy->GetZOrder(), 9.0f);
    ASSERT_TRUE(copy->HasNetworkId());
    EXPECT_EQ(copy->GetNetworkId()->GetOwnerID(), 4u);
    EXPECT_EQ(copy->GetNetworkId()->GetObjectNumber(), 9u);
    EXPECT_FALSE(copy->GetNetworkId()->IsAssigned()) << "made from a record, not assigned here";

    for (u32 length = 0; length < identified.size(); length += 7)
    {
        const Core::RefPtr<Vellumar::GameObject> untouched(new Vellumar::GameObject());
        untouched->SetName("old");
        Vellumar::NetworkFile cut(identified.data(), length);
        untouched->NetworkLoad(cut);
        EXPECT_EQ(untouched->GetName(), "old") << length << " bytes change nothing";
        EXPECT_FALSE(untouched->HasNetworkId()) << length;
    }
}

TEST_F(NetworkRecordsTest, TheCreationRecordSetsTheScriptStartedByte)
{
    MakeGame();
    const Core::RefPtr<Vellumar::GameObject> source(new Vellumar::GameObject());
    Vellumar::NetworkFile out;
    source->NetworkSave(out);
    Core::Vector<u8> bytes = Bytes(out);
    ASSERT_EQ(bytes.size(), 77u) << "no name, no network id, no script values";
    u8& started = bytes.back();
    ASSERT_EQ(started, 0) << "script started, the record's last byte";

    started = 1;
    const Core::RefPtr<Vellumar::GameObject> copy(new Vellumar::GameObject());
    Vellumar::NetworkFile running(bytes.data(), static_cast<u32>(bytes.size()));
    copy->NetworkLoad(running);
    EXPECT_FALSE(running.Failed());
    EXPECT_TRUE(copy->IsScriptStarted()) << "taken from the record though no script ran here";
    Vellumar::NetworkFile state;
    copy->NetworkSyncSend(state);
    EXPECT_EQ(Bytes(state)[state.GetSize() - 1], 1) << "and passed on in the copy's state records";

    started = 0;
    Vellumar::NetworkFile stopped(bytes.data(), static_cast<u32>(bytes.size()));
    copy->NetworkLoad(stopped);
    EXPECT_FALSE(copy->IsScriptStarted());
}

TEST_F(NetworkRecordsTest, TheStateRecordSnapsFirstAndRenamesThroughTheLayer)
{
    MakeGame();
    factory->builders[0] = [](Vellumar::Level& level) { level.AddLayer(new Vellumar::Layer(0.0f)); };
    Start();
    Vellumar::Layer* layer = game->GetCurrentLevel()->GetLayer(0u);
    ASSERT_NE(layer, nullptr);
    const Core::RefPtr<Vellumar::GameObject> source(new Vellumar::GameObject());
    source->SetName("mover");
    source->SetPosition(10.0f, 20.0f);
    source->SetRotationAngle(30.0f);
    auto* copy = new Vellumar::GameObject();
    copy->SetName("before");
    layer->AddGameObject(copy, false, nullptr);
    RunFrame();

    Vellumar::NetworkFile out;
    source->NetworkSyncSend(out);
    EXPECT_EQ(out.GetSize(), 4u + 5u + 8u + 8u + 4u + 8u + 1u + 16u + 2u);
    Vellumar::NetworkFile first(out.GetData(), out.GetSize());
    copy->NetworkSyncReceive(first);
    EXPECT_EQ(copy->GetPosition(), Math::Vector2D(0.0f, 0.0f)) << "only a created copy snaps";
    EXPECT_EQ(copy->GetName(), "mover");
    Core::Vector<Vellumar::GameObject*> found;
    layer->GetGameObjectsByName("mover", found);
    EXPECT_EQ(found, Core::Vector<Vellumar::GameObject*>{copy}) << "the layer finds the copy by its new name";
    found.clear();
    layer->GetGameObjectsByName("before", found);
    EXPECT_TRUE(found.empty());

    Vellumar::NetworkFile creation;
    source->NetworkSave(creation);
    Vellumar::NetworkFile created(creation.GetData(), creation.GetSize());
    copy->NetworkLoad(created);
    source->SetPosition(50.0f, 60.0f);
    Vellumar::NetworkFile moved;
    source->NetworkSyncSend(moved);
    Vellumar::NetworkFile snap(moved.GetData(), moved.GetSize());
    copy->NetworkSyncReceive(snap);
    EXPECT_EQ(copy->GetPosition(), Math::Vector2D(50.0f, 60.0f)) << "the first state after creation snaps";
    EXPECT_EQ(copy->GetRotationAngle(), 30.0f);
}

TEST_F(NetworkRecordsTest, TextsAndSpritesAddTheirPartAfterTheObjectsRecord)
{
    MakeGame();
    const Core::RefPtr<Vellumar::Text> text(new Vellumar::Text("Wave 3", ""));
    text->SetHUDObject(true);
    Vellumar::NetworkFile creation;
    text->NetworkSave(creation);
    const Core::RefPtr<Vellumar::Text> textCopy(new Vellumar::Text("", ""));
    Vellumar::NetworkFile createdText(creation.GetData(), creation.GetSize());
    textCopy->NetworkLoad(createdText);
    EXPECT_EQ(textCopy->GetText(), "Wave 3");
    EXPECT_EQ(createdText.GetRemaining(), 0u);
    text->SetText("Wave 4");
    Vellumar::NetworkFile state;
    text->NetworkSyncSend(state);
    Vellumar::NetworkFile stateIn(state.GetData(), state.GetSize());
    textCopy->NetworkSyncReceive(stateIn);
    EXPECT_EQ(textCopy->GetText(), "Wave 4");
    EXPECT_TRUE(textCopy->IsHUDObject());

    const Core::RefPtr<Vellumar::SpriteAnimation> frames(
        new Vellumar::SpriteAnimation(nullptr, 2, 2, Core::Vector<f32>{1.0f, 1.0f, 1.0f, 1.0f}));
    const Core::RefPtr<Vellumar::Sprite> sprite(new Vellumar::Sprite(Core::Vector<Vellumar::SpriteAnimation*>{frames.Get()}));
    sprite->SetCurrentFrame(2, false);
    sprite->SetFlipVertical(true);
    sprite->Play(true);
    const Core::RefPtr<Vellumar::Sprite> spriteCopy(sprite->Clone());
    Vellumar::NetworkFile spriteState;
    sprite->NetworkSyncSend(spriteState);
    Vellumar::NetworkFile spriteIn(spriteState.GetData(), spriteState.GetSize());
    spriteCopy->NetworkSyncReceive(spriteIn);
    EXPECT_EQ(spriteIn.GetRemaining(), 0u);
    EXPECT_EQ(spriteCopy->GetCurrentFrameIndex(), 2);
    EXPECT_TRUE(spriteCopy->GetFlipVertical());
    EXPECT_FALSE(spriteCopy->IsPlaying()) << "a copy shows the host's frame, it does not play";
}
}  // namespace
