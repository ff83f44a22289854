// Games in their own processes on loopback: a host game and two client games, each forked before
// the host starts any thread and reporting through its exit status which step failed. The host
// announces networked objects, streams their state and destroys them; a client mirrors them from
// its prototypes, follows their moves, drives the host's object with its keyboard and leaves; a
// second client is refused by the game and then for an id that exists. Another client's copies of
// HUD sprites and texts draw at fixed screen pixels, and through the camera once the host's do.
#include "tests/framework/Framework_GameFixture.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>

#include "platform/Input_Keyboard.h"
#include "platform/PAL_SDL.h"
#include "sockets/Sockets_Socket.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "framework/drawables/Vellumar_SpriteAnimation.h"
#include "framework/drawables/Vellumar_Text.h"
#include "framework/net/Vellumar_NetworkFile.h"
#include "framework/net/Vellumar_VelNet.h"
#include "tests/support/Support_Loopback.h"

using namespace FrameworkTest;

namespace
{
const bool loopbackOnly = TestSupport::InstallLoopbackOnly();

// Frames a step may take before a broken run gives up; never reached by a working one.
constexpr int FrameLimit = 5000;
constexpr f32 FarX = 200.0f;

class PlayGame : public TestGame
{
public:
    using TestGame::TestGame;
    bool OnPlayerJoining(Vellumar::VelPlayer* player) override
    {
        log.push_back("Joining " + std::string(player->GetName().c_str()));
        return admit;
    }
    void OnJoinReply(i32 code) override { joinCodes.push_back(code); }
    void OnPlayerRemoved(Vellumar::VelPlayer* player) override
    {
        log.push_back("Removed " + std::string(player->GetName().c_str()));
    }

    bool admit = true;
    std::vector<i32> joinCodes;
};

// One byte or one port through a pipe.
struct Pipe
{
    int ends[2] = {-1, -1};
    Pipe() { EXPECT_EQ(pipe(ends), 0); }
    void Signal() const { EXPECT_EQ(write(ends[1], "g", 1), 1); }
    void SendPort(u16 port) const { EXPECT_EQ(write(ends[1], &port, 2), 2); }
    bool Ready() const
    {
        pollfd wanted{ends[0], POLLIN, 0};
        return poll(&wanted, 1, 0) == 1;
    }
    void Wait() const
    {
        char byte = 0;
        (void)!read(ends[0], &byte, 1);
    }
    u16 ReceivePort() const
    {
        u16 port = 0;
        (void)!read(ends[0], &port, 2);
        return port;
    }
};

class NetworkPlayTest : public HeadlessGameTest
{
protected:
    // Level 0 is empty, level 1 has one layer and the prototypes of "box" objects, and of "mark"
    // sprites and "caption" texts that are not HUD objects; the game starts on the level given.
    void MakeGame(u32 startingLevel)
    {
        factory = new TestFactory(log, 2);
        factory->builders[0] = [](Vellumar::Level& level) { level.AddLayer(new Vellumar::Layer(0.0f)); };
        factory->builders[1] = [](Vellumar::Level& level) {
            level.AddLayer(new Vellumar::Layer(0.0f));
            Vellumar::VelNet* engine = Vellumar::Game::GetInstance()->GetNetworkEngine();
            engine->AddBaseNetObject(new Vellumar::GameObject(), "box");
            engine->AddBaseNetObject(MakeMark(), "mark");
            engine->AddBaseNetObject(new Vellumar::Text("", ""), "caption");
        };
        game = new PlayGame(factory.Get(), startingLevel, input, log);
        net = game->GetNetworkEngine();
        net->SetLocalAddress(Vellumar::SessionAddress("127.0.0.1", 0));
        net->SetBroadcastDestination(Vellumar::SessionAddress("127.0.0.1", 0));
        for (int i = 0; i < 3; ++i)
        {
            RunFrame(*game);
        }
    }

    void TearDown() override
    {
        if (game)
        {
            game->Shutdown();
        }
    }

    bool Frames(const std::function<bool()>& condition)
    {
        for (int i = 0; i < FrameLimit; ++i)
        {
            if (condition())
            {
                return true;
            }
            RunFrame(*game);
            usleep(1000);
        }
        return false;
    }

    Vellumar::Layer* Layer() const { return game->GetCurrentLevel()->GetLayer(0u); }

    Core::Vector<Vellumar::GameObject*> Named(const char* name) const
    {
        Core::Vector<Vellumar::GameObject*> found;
        Layer()->GetGameObjectsByName(name, found);
        return found;
    }

    Vellumar::GameObject* AddNetworked(const char* name, const char* networkName, f32 x, Vellumar::VelPlayer* owner)
    {
        auto* object = new Vellumar::GameObject();
        object->SetName(name);
        object->SetNetworkClassName(networkName);
        object->SetPosition(x, 0.0f);
        Layer()->AddGameObject(object, true, owner);
        return object;
    }

    static Vellumar::Sprite* MakeMark()
    {
        const Core::RefPtr<Vellumar::SpriteAnimation> still(new Vellumar::SpriteAnimation(nullptr, 1, 1, Core::Vector<f32>{1.0f}));
        return new Vellumar::Sprite(Core::Vector<Vellumar::SpriteAnimation*>{still.Get()});
    }

    // The client joins by address: its discovery listener takes any free port.
    bool StartClient()
    {
        return net->Start(false, Vellumar::Game::DispatchNetworkMessage, "", "", 5, 3, 60, 0, 0);
    }

    // The client that plays: it mirrors the host's boxes, drives the host's pawn and leaves.
    int Mirror(const Pipe& port, const Pipe& moved)
    {
        MakeGame(0);
        if (!StartClient())
            return 10;
        const Vellumar::SessionAddress host("127.0.0.1", port.ReceivePort());
        if (!net->JoinGame("Bob", host, "") || !net->IsSessionActive() || net->GetLocalPlayer()->GetID() != 2)
            return 11;
        if (!Frames([&] { return game->GetCurrentLevel()->GetName() == "L1" && !Named("box1").empty(); }))
            return 12;
        Vellumar::GameObject* copy = Named("box1")[0];
        if (!copy->HasNetworkId() || !Named("box2").empty() || !Named("pawn").empty() || net->GetNetObjects().size() != 1)
            return 13;
        input.Press(Input::VirtualKey::LetterA);
        if (!Frames([&] { return copy->GetPositionX() != 100.0f; }))
            return 14;
        // Each frame the copy goes half the way to where the host has it.
        f32 x = copy->GetPositionX();
        if (x != 150.0f)
            return 16;
        for (int step = 0; step < 3; ++step)
        {
            RunFrame(*game);
            const f32 expected = x + (FarX - x) * 0.5f;
            x = copy->GetPositionX();
            if (x != expected)
                return 17;
        }
        if (!Frames([&] { return !Named("box3").empty(); }))
            return 15;
        input.Release(Input::VirtualKey::LetterA);
        moved.Signal();
        if (!Frames([&] { return Named("box1").empty(); }) || net->FindNetObject(1, copy->GetNetworkId()->GetObjectNumber()))
            return 18;
        if (!net->Shutdown())
            return 19;
        return 0;
    }

    // The client that watches a HUD sprite and a HUD text: its copies draw at fixed screen pixels
    // while the host's are HUD objects, and through the camera again once they are not.
    int WatchHud(const Pipe& port, const Pipe& changed)
    {
        MakeGame(0);
        if (!StartClient())
            return 40;
        const Vellumar::SessionAddress host("127.0.0.1", port.ReceivePort());
        if (!net->JoinGame("Dora", host, ""))
            return 41;
        if (!Frames([&] { return game->GetCurrentLevel()->GetName() == "L1" && !Named("mark1").empty() && !Named("caption1").empty(); }))
            return 42;
        auto* mark = dynamic_cast<Vellumar::Sprite*>(Named("mark1")[0]);
        auto* caption = dynamic_cast<Vellumar::Text*>(Named("caption1")[0]);
        if (!mark || !caption)
            return 43;
        auto onScreen = [&] { return mark->GetEngineSprite()->IsScreenSpace() && caption->GetEngineText()->IsScreenSpace(); };
        auto throughCamera = [&] { return !mark->GetEngineSprite()->IsScreenSpace() && !caption->GetEngineText()->IsScreenSpace(); };
        if (!Frames(onScreen))
            return 44;
        if (!mark->IsHUDObject() || !caption->IsHUDObject())
            return 45;
        changed.Signal();
        if (!Frames(throughCamera))
            return 46;
        if (mark->IsHUDObject() || caption->IsHUDObject())
            return 47;
        if (!net->Shutdown())
            return 48;
        return 0;
    }

    // The client of a host that sends a creation record without a network id: no copy is made,
    // and clearing the host's objects as a game does when a player leaves finds none without one.
    int RefuseAnonymous(const Pipe& port, const Pipe& listed)
    {
        MakeGame(0);
        if (!StartClient())
            return 50;
        const Vellumar::SessionAddress host("127.0.0.1", port.ReceivePort());
        if (!net->JoinGame("Eve", host, ""))
            return 51;
        if (!Frames([&] { return !Named("box1").empty(); }))
            return 52;
        listed.Signal();
        if (!Frames([&] { return !Named("box2").empty(); }))
            return 53;
        if (!Named("anonymous").empty() || net->GetNetObjects().size() != 2 || net->GetRefusedMessages() != 1)
            return 54;
        net->RemoveNetObjectsControlledBy(net->FindPlayerByID(1));
        RunFrame(*game);
        if (!net->Shutdown())
            return 55;
        return 0;
    }

    // The client the game refuses, then the host for an id that exists.
    int Refused(const Pipe& port, const Pipe& again)
    {
        MakeGame(0);
        if (!StartClient())
            return 30;
        const Vellumar::SessionAddress host("127.0.0.1", port.ReceivePort());
        if (net->JoinGame("Carol", host, "") || net->IsSessionActive())
            return 31;
        again.Wait();
        if (net->JoinGame("Carol", host, "") || net->IsSessionActive())
            return 32;
        auto* played = static_cast<PlayGame*>(game.Get());
        if (played->joinCodes != std::vector<i32>{Vellumar::JoinRefused, Vellumar::JoinDuplicateId})
            return 33;
        return 0;
    }

    Log log;
    Core::RefPtr<TestFactory> factory;
    Core::RefPtr<TestGame> game;
    Vellumar::VelNet* net = nullptr;
};

// A child process; one the test did not wait for (a failed assertion) is stopped. An earlier test
// of the same process may have opened the display: the child leaves that connection to the parent.
class Child
{
public:
    explicit Child(const std::function<int()>& body) : pid(fork())
    {
        if (pid == 0)
        {
            PAL::LeaveInheritedDisplay();
            _exit(body());
        }
    }
    ~Child()
    {
        if (pid > 0)
        {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Exited(int& code)
    {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) != pid)
        {
            return false;
        }
        pid = -1;
        code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return true;
    }

private:
    pid_t pid;
};

TEST_F(NetworkPlayTest, ObjectsReachAClientAndFollowTheHostUntilDestroyed)
{
    Vellumar::ResetNetworkCounters();
    Vellumar::VelNet::ResetObjectCounter();
    Pipe mirrorPort;
    Pipe moved;
    Pipe refusedPort;
    Pipe again;
    Child mirror([&] { return Mirror(mirrorPort, moved); });
    Child refused([&] { return Refused(refusedPort, again); });

    MakeGame(1);
    auto* played = static_cast<PlayGame*>(game.Get());
    const TestSupport::HeldUdpPort announcements;
    ASSERT_TRUE(net->Start(true, Vellumar::Game::DispatchNetworkMessage, "Host", "", 5, 3, 60, announcements.Port(), 0));
    ASSERT_TRUE(net->HostGame("Alice", 4, 1, 0.05f));
    Vellumar::GameObject* box1 = AddNetworked("box1", "box", 100.0f, nullptr);
    AddNetworked("ghost1", "ghost", 0.0f, nullptr);
    AddNetworked("box2", "box", 0.0f, nullptr);
    ASSERT_EQ(net->GetNetObjects().size(), 3u);
    EXPECT_EQ(box1->GetNetworkId()->GetObjectNumber(), 1u) << "the first networked object has id 1";
    EXPECT_TRUE(box1->GetNetworkId()->IsAssigned());
    EXPECT_FALSE(net->AddNetObject(box1, 0, nullptr)) << "an object is announced once";

    mirrorPort.SendPort(net->GetSessionAddress().GetPort());
    ASSERT_TRUE(Frames([&] { return net->FindPlayerByID(2) != nullptr; }));
    const Core::RefPtr<Vellumar::VelPlayer> bob = net->FindPlayerByID(2);
    Vellumar::GameObject* pawn = AddNetworked("pawn", "ghost", 0.0f, bob.Get());
    EXPECT_EQ(pawn->GetNetworkId()->GetOwnerID(), 2u);
    int code = -1;
    ASSERT_TRUE(Frames([&] { return pawn->GetNetworkKeyboard()->IsPressed(Input::EngineKey::LetterA) || mirror.Exited(code); }))
        << "the client's keys drive the object it owns";
    ASSERT_EQ(code, -1);

    box1->SetPosition(FarX, 0.0f);
    AddNetworked("box3", "box", 0.0f, nullptr);
    ASSERT_TRUE(Frames([&] { return moved.Ready(); }));
    box1->Destroy();
    EXPECT_EQ(net->GetNetObjects().size(), 4u);

    played->admit = false;
    refusedPort.SendPort(net->GetSessionAddress().GetPort());
    ASSERT_TRUE(Frames([&] { return std::find(log.begin(), log.end(), "Joining Carol") != log.end(); }));
    played->admit = true;
    // Ids come from a counter that only ever grows; started again, it names a player that exists.
    Vellumar::ResetNetworkCounters();
    again.Signal();
    ASSERT_TRUE(Frames([&] { return refused.Exited(code); }));
    EXPECT_EQ(code, 0);

    ASSERT_TRUE(Frames([&] { return mirror.Exited(code); }));
    EXPECT_EQ(code, 0);
    ASSERT_TRUE(Frames([&] { return net->FindPlayerByID(2) == nullptr; })) << "the host sees the client leave";
    EXPECT_NE(std::find(log.begin(), log.end(), "Removed Bob"), log.end());
    EXPECT_FALSE(pawn->IsDestroyed()) << "a leaving player's objects stay until removed";
    net->RemoveNetObjectsControlledBy(bob.Get());
    EXPECT_EQ(net->FindNetObject(2, pawn->GetNetworkId()->GetObjectNumber()), nullptr);
    EXPECT_EQ(net->GetNetObjects().size(), 3u);
}

TEST_F(NetworkPlayTest, HudSpritesAndTextsReachAClientAsHudObjects)
{
    Vellumar::ResetNetworkCounters();
    Vellumar::VelNet::ResetObjectCounter();
    Pipe port;
    Pipe changed;
    Child watcher([&] { return WatchHud(port, changed); });

    MakeGame(1);
    const TestSupport::HeldUdpPort announcements;
    ASSERT_TRUE(net->Start(true, Vellumar::Game::DispatchNetworkMessage, "Host", "", 5, 3, 60, announcements.Port(), 0));
    ASSERT_TRUE(net->HostGame("Alice", 4, 1, 0.05f));
    Vellumar::Sprite* mark = MakeMark();
    mark->SetName("mark1");
    mark->SetNetworkClassName("mark");
    mark->SetHUDObject(true);
    Layer()->AddGameObject(mark, true, nullptr);
    auto* caption = new Vellumar::Text("score", "");
    caption->SetName("caption1");
    caption->SetNetworkClassName("caption");
    caption->SetHUDObject(true);
    Layer()->AddGameObject(caption, true, nullptr);
    port.SendPort(net->GetSessionAddress().GetPort());

    int code = -1;
    ASSERT_TRUE(Frames([&] { return changed.Ready() || watcher.Exited(code); }));
    ASSERT_EQ(code, -1) << "the client's copies were not drawn on the screen";
    mark->SetHUDObject(false);
    caption->SetHUDObject(false);
    ASSERT_TRUE(Frames([&] { return watcher.Exited(code); }));
    EXPECT_EQ(code, 0);
}

TEST_F(NetworkPlayTest, ACreationRecordWithoutANetworkIdMakesNoCopy)
{
    Vellumar::ResetNetworkCounters();
    Vellumar::VelNet::ResetObjectCounter();
    Pipe port;
    Pipe listed;
    Child client([&] { return RefuseAnonymous(port, listed); });

    MakeGame(1);
    const TestSupport::HeldUdpPort announcements;
    ASSERT_TRUE(net->Start(true, Vellumar::Game::DispatchNetworkMessage, "Host", "", 5, 3, 60, announcements.Port(), 0));
    ASSERT_TRUE(net->HostGame("Alice", 4, 1, 0.05f));
    AddNetworked("box1", "box", 0.0f, nullptr);
    port.SendPort(net->GetSessionAddress().GetPort());
    int code = -1;
    ASSERT_TRUE(Frames([&] { return listed.Ready() || client.Exited(code); }));
    ASSERT_EQ(code, -1) << "the client did not get its object list";

    // A host's record for an object it never gave an identity, followed by an ordinary one.
    const Core::RefPtr<Vellumar::GameObject> anonymous(new Vellumar::GameObject());
    anonymous->SetName("anonymous");
    anonymous->SetNetworkClassName("box");
    Vellumar::NetworkFile record;
    Vellumar::WriteCreationRecord(record, *anonymous, 0);
    ASSERT_TRUE(net->Send(static_cast<u32>(Vellumar::MessageType::CreateObject), record.GetData(), record.GetSize(), nullptr, true));
    AddNetworked("box2", "box", 0.0f, nullptr);
    ASSERT_TRUE(Frames([&] { return client.Exited(code); }));
    EXPECT_EQ(code, 0);
}
}  // namespace
