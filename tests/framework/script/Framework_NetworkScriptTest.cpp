#include "tests/framework/script/Framework_ScriptTest.h"

#include "core/Core_File.h"
#include "framework/net/Vellumar_NetworkFile.h"
#include "framework/drawables/Vellumar_Text.h"
#include "framework/net/Vellumar_VelNet.h"
#include "tests/support/Support_Loopback.h"

#include <memory>

namespace
{
const bool loopbackOnly = TestSupport::InstallLoopbackOnly();

Vellumar::Text* watchedText = nullptr;
std::unique_ptr<Vellumar::NetworkFile> lent;
Core::Vector<Core::Vector<u8>>* saved = nullptr;

void Lend(Vellumar::NetworkFile* file)
{
    watchedText->SetNetworkPayload(file);
    lent.reset(file);
}

Core::Vector<u8> Entry(const char* tag)
{
    Core::MemoryFile file;
    Core::WriteString(file, tag);
    return Core::Vector<u8>(file.GetData(), file.GetData() + file.GetSize());
}

const luaL_Reg Answers[] = {
    {"lend_payload",
     [](lua_State*) {
         Lend(new Vellumar::NetworkFile());
         return 0;
     }},
    // What was written becomes what is read.
    {"reread_payload",
     [](lua_State*) {
         saved->emplace_back(lent->GetData(), lent->GetData() + lent->GetSize());
         Lend(new Vellumar::NetworkFile(lent->GetData(), lent->GetSize()));
         return 0;
     }},
    // Three entries claimed, the second one of a tag nobody knows.
    {"lend_hostile_payload",
     [](lua_State*) {
         Vellumar::NetworkFile file;
         Core::WriteU32(file, 3);
         Core::WriteString(file, "tnum");
         Core::WriteF64(file, 2.0);
         Core::WriteString(file, "tsecret");
         Core::WriteString(file, "tnum");
         Core::WriteF64(file, 3.0);
         Lend(new Vellumar::NetworkFile(file.GetData(), file.GetSize()));
         return 0;
     }},
    {"lend_huge_count",
     [](lua_State*) {
         const u8 bytes[] = {0xff, 0xff, 0xff, 0x7f, 3, 0, 0, 0, 'n', 'i', 'l'};
         Lend(new Vellumar::NetworkFile(bytes, sizeof(bytes)));
         return 0;
     }},
    {"end_payload",
     [](lua_State*) {
         Lend(nullptr);
         return 0;
     }},
    {nullptr, nullptr},
};

TEST_F(FrameworkScriptTest, ScriptsReachTheFacadeItsPlayersAndTheirObjectsNetworkValues)
{
    Vellumar::ResetNetworkCounters();
    MakeGame(1);
    factory->builders[0] = [](Vellumar::Level& level) { level.AddLayer(new Vellumar::Layer(0)); };
    Start();
    Vellumar::VelNet* net = game->GetNetworkEngine();
    net->SetNetworkId("game-id");
    Vellumar::VelBroadcast far;
    far.hostName = "a host far enough away to need a long name";
    far.networkId = "game-id";
    far.address = Vellumar::SessionAddress("127.0.0.1", 4000);
    far.maximumPlayers = 6;
    far.players = 2;
    far.passwordProtected = 1;
    net->AddOrRefreshSession(far);
    RunFrame();
    const Core::RefPtr<Vellumar::Text> text(new Vellumar::Text("t", ""));
    const Core::RefPtr<Vellumar::GameObject> prototype(new Vellumar::GameObject());
    watchedText = text.Get();
    Core::Vector<Core::Vector<u8>> payloads;
    saved = &payloads;
    SetGlobals({{"game", game.Get()}, {"net", net}, {"text", text.Get()}, {"prototype", prototype.Get()}});
    Register(Answers);
    net->SetLocalAddress(Vellumar::SessionAddress("127.0.0.1", 0));
    net->SetBroadcastDestination(Vellumar::SessionAddress("127.0.0.1", 0));

    EXPECT_EQ(RunTestScript(master, "Framework_Network.lua"), "");
    lent.reset();

    ASSERT_FALSE(payloads.empty());
    Core::Vector<u8> expected{4, 0, 0, 0};
    const auto append = [&expected](const Core::Vector<u8>& bytes) { expected.insert(expected.end(), bytes.begin(), bytes.end()); };
    append(Entry("tnum"));
    append({0, 0, 0, 0, 0, 0, 0xf8, 0x3f});
    append(Entry("string"));
    append(Entry("a"));
    append(Entry("tbool"));
    append({1});
    append(Entry("nil"));
    EXPECT_EQ(payloads[0], expected) << "SaveNetworkData(1.5, \"a\", true, nil)";
}
}  // namespace
