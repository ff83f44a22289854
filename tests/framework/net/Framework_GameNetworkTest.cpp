#include "tests/framework/Framework_GameFixture.h"

namespace FrameworkTest
{
namespace
{
class NetworkGame : public TestGame
{
public:
    using TestGame::TestGame;
    bool OnPlayerJoining(Vellumar::VelPlayer* player) override
    {
        log.push_back("Joining " + std::string(player->GetName().c_str()));
        return admit;
    }
    void OnJoinReply(i32 code) override { log.push_back("JoinReply " + std::to_string(code)); }
    void OnNetTextMessage(Vellumar::VelPlayer*, const Core::String& text) override
    {
        log.push_back("Text " + std::string(text.c_str()));
    }
    bool admit = false;
};

class GameNetworkTest : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        factory = new TestFactory(log, 3);
        network = new NetworkGame(factory.Get(), 0, input, log);
        game = network;
    }

    bool Dispatch(Vellumar::NetMessage* message)
    {
        Core::RefPtr<Vellumar::NetMessage> held = message;
        return Vellumar::Game::DispatchNetworkMessage(message);
    }

    NetworkGame* network = nullptr;
};

TEST_F(GameNetworkTest, NotificationsReachTheHooks)
{
    Core::RefPtr<Vellumar::VelPlayer> bob = new Vellumar::VelPlayer("Bob", false, false, Vellumar::SessionAddress());
    EXPECT_FALSE(Dispatch(new Vellumar::NetPlayerMessage(Vellumar::NetPlayerJoining, bob.Get())))
        << "the hook refuses the player";
    network->admit = true;
    EXPECT_TRUE(Dispatch(new Vellumar::NetPlayerMessage(Vellumar::NetPlayerJoining, bob.Get())));
    i32 admitted = 7;
    i32 refused = Vellumar::JoinWrongPassword;
    EXPECT_TRUE(Dispatch(new Vellumar::NetDataMessage(Vellumar::NetJoinReply, 0, 0, &admitted, nullptr)));
    EXPECT_TRUE(Dispatch(new Vellumar::NetDataMessage(Vellumar::NetJoinReply, 0, 0, &refused, nullptr)));
    EXPECT_TRUE(Dispatch(new Vellumar::NetTextMessage("hi", bob.Get())));
    EXPECT_TRUE(Dispatch(new Vellumar::NetMessage(9))) << "unknown types are accepted and ignored";
    EXPECT_EQ(Entries("Joining"), (Log{"Joining Bob", "Joining Bob"}));
    EXPECT_EQ(Entries("JoinReply"), (Log{"JoinReply 0", "JoinReply -2"}));
    EXPECT_EQ(Entries("Text"), (Log{"Text hi"}));
}

TEST_F(GameNetworkTest, HostingNeedsAStartedFacade)
{
    EXPECT_FALSE(game->HostNetworkGame("session", "Alice", "", 4));
    EXPECT_FALSE(game->GetNetworkEngine()->IsSessionActive());
}
}  // namespace
}  // namespace FrameworkTest
