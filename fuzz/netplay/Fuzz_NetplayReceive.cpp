// What a peer sends, taken by a whole game: messages delivered to the headless game's network facade
// through the dispatcher every event of the network thread reaches, with frames stepped between
// them, so that each message runs on through the objects, the layers, the collision and physics
// engines and the next frames. The game plays in levels with objects of every drawable kind.
//
// The first input byte picks the side: even, a client joined to a host (the peer is that host; the
// client has its first object list, the host's objects of every kind); odd, a host with a joined
// client (the peer is that client, which owns the host's pawn). Then at most MessageLimit messages,
// each a control byte and a frame as the network engine frames a message (u32 type, u32 length
// counting the 8-byte header, payload). The control byte's two low bits are the frames stepped
// after the message (at most FrameLimit in all), bit 2 has it arrive on the datagram socket instead
// of the stream, and bit 3 has the peer's connection close instead (no frame follows). An input is
// accepted when it is whole and the facade read every message it carried. Seeds are sequences the
// project's writers make: a host's creation, state and destroy records of every kind, object
// lists, level names, players, texts, data and pings to a client; a client's input states, groups,
// texts, object-list requests and ping replies to a host. MORVANE_NETPLAY_SIDE=host or =client
// keeps a timed run's mutations on one side.
#include "fuzz/Fuzz_Target.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/Core_Random.h"
#include "core/PAL_Clock.h"
#include "framework/net/Vellumar_NetworkFile.h"
#include "framework/net/Vellumar_VelNet.h"
#include "fuzz/framework/Framework_FuzzGame.h"
#include "fuzz/netplay/Netplay_FuzzScene.h"
#include "network/Network_Frame.h"
#include "network/Network_Manager.h"
#include "network/Network_Session.h"
#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"
#include "sockets/Sockets_Socket.h"
#include "tests/support/Input_FakeSource.h"

namespace
{
using Vellumar::MessageType;
using Vellumar::PayloadWriter;
using Vellumar::SessionAddress;

constexpr u32 MessageLimit = 48;
// Frames stepped after the messages of one input, beyond the one after the last: past them the
// messages follow each other without frames between.
constexpr u32 FrameLimit = 32;
constexpr u8 DatagramBit = 4;
constexpr u8 CloseBit = 8;
constexpr f32 FrameTime = 0.016f;
constexpr u32 HostId = 1;
constexpr u32 ClientId = 2;

// The far end of a client: a host that admits it as player 2. Its session also holds the datagram
// sockets where a host's announcements and its datagrams to its client land, read and dropped.
class Peers
{
public:
    static Peers& Get()
    {
        static Peers peers;
        return peers;
    }

    const SessionAddress& HostAddress() const { return hostAddress; }
    const SessionAddress& ClientAddress() const { return clientAddress; }
    u16 AnnouncementPort() const { return hostAddress.GetPort(); }

private:
    Peers()
    {
        PAL::SetLoopbackOnly(true);
        manager.Startup();
        manager.SetLocalAddress(SessionAddress("127.0.0.1", 0));
        session = manager.CreateSession("peer", "", false, &Admit, 0, true, 0, 0, 1);
        const SessionAddress any("127.0.0.1", 0);
        if (session && session->ListenWithDatagram(any, 4, Network::Slot::HostGame) &&
            session->GetLocalAddress(Network::Slot::HostListener, hostAddress))
        {
            session->OpenSocket(Network::Slot::ClientGame, PAL::SocketType::Datagram, any, Network::ModeRead,
                                Network::OptionNonBlocking);
            session->GetLocalAddress(Network::Slot::ClientGame, clientAddress);
        }
    }

    static bool Admit(Network::NetworkEvent& event)
    {
        if (event.kind == Network::EventKind::MessageReceived &&
            event.messageType == static_cast<u32>(MessageType::JoinRequest))
        {
            PayloadWriter out;
            Vellumar::WriteJoinReply(out, static_cast<i32>(ClientId));
            event.session->SendMessage(event.slot, static_cast<u32>(MessageType::JoinReply), out.GetData(),
                                       out.GetSize(), event.address, nullptr);
        }
        return true;
    }

    Network::Vel_Network_Manager manager;
    Network::Vel_Session* session = nullptr;
    SessionAddress hostAddress;
    SessionAddress clientAddress;
};

struct Message
{
    MessageType type;
    Fuzz::Bytes payload;
    u8 control = 1;
};
using Sequence = Core::Vector<Message>;

Fuzz::Bytes Bytes(const PayloadWriter& out)
{
    return Fuzz::Bytes(out.GetData(), out.GetData() + out.GetSize());
}

Fuzz::Bytes Bytes(const Core::MemoryFile& file)
{
    return Fuzz::Bytes(file.GetData(), file.GetData() + file.GetSize());
}

// The host's records of its objects of every kind, as its facade writes them: the pawn is the
// client's, the rest the host's, numbered from 1 in the order the host places them.
struct HostRecords
{
    Fuzz::Bytes list;
    Core::Vector<Fuzz::Bytes> creations;
    Core::Vector<Fuzz::Bytes> states;
    Core::Vector<Fuzz::Bytes> destructions;
    // The pawn's creation record as a host writes it for an object it never gave an identity.
    Fuzz::Bytes anonymous;
};

// Needs a level: the pawn's body goes to its first layer.
HostRecords WriteHostRecords(u32 firstNumber)
{
    HostRecords records;
    Vellumar::Layer& layer = *Vellumar::Game::GetInstance()->GetCurrentLevel()->GetLayer(0u);
    Vellumar::NetworkFile list;
    Core::WriteU32(list, FuzzNetplay::KindCount);
    for (u32 kind = 0; kind < FuzzNetplay::KindCount; ++kind)
    {
        const Core::RefPtr<Vellumar::GameObject> object(FuzzNetplay::MakeKind(kind, layer));
        const u32 owner = kind == FuzzNetplay::ClientOwnedKind ? ClientId : HostId;
        object->SetNetworkId(new Vellumar::NetObjectID(owner, firstNumber + kind, true));
        object->SetPosition(-100.0f + 40.0f * static_cast<f32>(kind), 20.0f);
        Vellumar::WriteCreationRecord(list, *object, kind % 2);
        Vellumar::NetworkFile creation;
        Vellumar::WriteCreationRecord(creation, *object, kind % 2);
        records.creations.push_back(Bytes(creation));
        object->SetPosition(60.0f, -30.0f + 10.0f * static_cast<f32>(kind));
        object->SetRotationAngle(15.0f * static_cast<f32>(kind));
        object->SetName("moved");
        if (auto* sprite = dynamic_cast<Vellumar::Sprite*>(object.Get()))
        {
            sprite->SetCurrentAnimationName("still", false);
            sprite->SetFlipHorizontal(true);
        }
        Vellumar::NetworkFile state;
        Vellumar::WriteStateRecord(state, *object, FuzzNetplay::KindCount);
        records.states.push_back(Bytes(state));
        PayloadWriter destruction;
        Vellumar::WriteIdPair(destruction, {owner, firstNumber + kind});
        records.destructions.push_back(Bytes(destruction));
        object->Cleanup();
    }
    records.list = Bytes(list);
    const Core::RefPtr<Vellumar::GameObject> anonymous(FuzzNetplay::MakeKind(FuzzNetplay::ClientOwnedKind, layer));
    Vellumar::NetworkFile creation;
    Vellumar::WriteCreationRecord(creation, *anonymous, 0);
    records.anonymous = Bytes(creation);
    anonymous->Cleanup();
    return records;
}

const HostRecords& FirstListOfHost()
{
    static const HostRecords records = WriteHostRecords(1);
    return records;
}

FuzzFramework::FuzzGame& TheGame()
{
    return FuzzFramework::HeadlessGame();
}

Vellumar::VelNet& Facade()
{
    return *TheGame().GetNetworkEngine();
}

// One event as the network thread reports it, handed to the dispatcher every event reaches.
void Deliver(Network::EventKind kind, bool host, bool datagram, u8* frame)
{
    Network::Vel_Session* session = Facade().GetSession();
    if (!session)
    {
        if (frame)
        {
            Network::DeleteFrame(frame, Network::GetFrameLength(frame));
        }
        return;
    }
    const i32 stream = host ? Network::Slot::HostListener : Network::Slot::ClientConnection;
    const i32 packets = host ? Network::Slot::HostGame : Network::Slot::ClientGame;
    const SessionAddress from = host ? Peers::Get().ClientAddress() : Peers::Get().HostAddress();
    Network::NetworkEvent event = Network::NetworkEvent::Make(kind, session, session->GetEventHandler(),
                                                              datagram ? packets : stream, nullptr, from,
                                                              frame);
    Network::NetworkEvent::Deliver(event);
}

void DeliverMessage(bool host, bool datagram, u32 type, const u8* payload, u32 size)
{
    Deliver(Network::EventKind::MessageReceived, host, datagram, Network::BuildFrame(type, payload, size));
}

void Step(PAL::ScopedFakeClock& clock, u32 frames)
{
    for (u32 i = 0; i < frames; ++i)
    {
        clock.Advance(FrameTime * 1000.0f);
        TheGame().UpdateFrame(FrameTime);
    }
}

// The side the input picked, in a session with its peer, on the first level. False when the
// session could not be made.
bool StartSession(PAL::ScopedFakeClock& clock, bool host)
{
    Vellumar::VelNet& network = Facade();
    const Peers& peers = Peers::Get();
    Vellumar::ResetNetworkCounters();
    Vellumar::VelNet::ResetObjectCounter();
    Core::Random::Instance().Reset();
    network.SetLocalAddress(SessionAddress("127.0.0.1", 0));
    network.SetBroadcastDestination(SessionAddress("127.0.0.1", peers.AnnouncementPort()));
    // No wait for events while none is queued: every message comes through Deliver. A client
    // listens for announcements on any free port.
    const bool started = network.Start(host, Vellumar::Game::DispatchNetworkMessage, host ? "fuzz" : "", "", 5, 0,
                                       60, host ? peers.AnnouncementPort() : 0, 0);
    if (host)
    {
        if (!started || !network.HostGame("host", 4, 1, 0.25f))
        {
            return false;
        }
        PayloadWriter request;
        Vellumar::WriteJoinRequest(request, {"", {0, 0, peers.ClientAddress().GetSocketAddress(), "guest"}});
        DeliverMessage(true, false, static_cast<u32>(MessageType::JoinRequest), request.GetData(), request.GetSize());
    }
    else if (!started || !network.JoinGame("guest", peers.HostAddress(), ""))
    {
        return false;
    }
    TheGame().GoToLevel(0u);
    Step(clock, 1);
    if (!host)
    {
        const Fuzz::Bytes& list = FirstListOfHost().list;
        DeliverMessage(false, false, static_cast<u32>(MessageType::ObjectList), list.data(),
                       static_cast<u32>(list.size()));
    }
    return network.IsSessionActive();
}

// The session ends, the level with it; the game is left with its one empty level to come, and the
// renderer forgets what the frames drew.
void EndSession()
{
    Facade().Shutdown();
    FuzzFramework::Levels().Use(nullptr, 1);
    TheGame().ResetForLoad();
    static_cast<Renderer::RecordingRenderer*>(TheGame().GetRenderer())->ClearLog();
}

u32 Word(const u8* at)
{
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<u32>(at[3]) << 24;
}

bool Read(const u8* data, std::size_t size)
{
    if (size == 0)
    {
        return false;
    }
    const bool host = (data[0] & 1) != 0;
    PAL::ScopedFakeClock clock(1000.0);
    FuzzFramework::Levels().Use(FuzzNetplay::BuildLevel, 2);
    if (!StartSession(clock, host))
    {
        EndSession();
        return false;
    }
    const u32 refusedBefore = Facade().GetRefusedMessages();
    std::size_t at = 1;
    bool whole = true;
    u32 frames = FrameLimit;
    for (u32 messages = 0; at < size; ++messages)
    {
        const u8 control = data[at++];
        if (messages == MessageLimit)
        {
            whole = false;
            break;
        }
        if (control & CloseBit)
        {
            Deliver(host ? Network::EventKind::ConnectionClosed : Network::EventKind::SocketClosed, host, false, nullptr);
        }
        else
        {
            const u32 length = size - at >= Network::FrameHeaderSize ? Word(data + at + 4) : 0;
            if (!Network::IsValidFrameLength(length) || length > size - at)
            {
                whole = false;
                break;
            }
            DeliverMessage(host, (control & DatagramBit) != 0, Word(data + at), data + at + Network::FrameHeaderSize,
                           length - Network::FrameHeaderSize);
            at += length;
        }
        const u32 after = std::min(control & 3u, frames);
        Step(clock, after);
        frames -= after;
    }
    Step(clock, 1);
    const bool accepted = whole && Facade().GetRefusedMessages() == refusedBefore;
    EndSession();
    return accepted;
}

// Seeds.

void Add(Sequence& sequence, MessageType type, const Fuzz::Bytes& payload, u8 control = 1)
{
    sequence.push_back({type, payload, control});
}

void Add(Sequence& sequence, MessageType type, const PayloadWriter& payload, u8 control = 1)
{
    Add(sequence, type, Bytes(payload), control);
}

Fuzz::Bytes Input(bool host, const Sequence& sequence)
{
    Fuzz::Bytes input{static_cast<u8>(host ? 1 : 0)};
    for (const Message& message : sequence)
    {
        input.push_back(message.control);
        if (message.control & CloseBit)
        {
            continue;
        }
        u8* frame = Network::BuildFrame(static_cast<u32>(message.type), message.payload.data(),
                                        static_cast<u32>(message.payload.size()));
        input.insert(input.end(), frame, frame + Network::GetFrameLength(frame));
        Network::DeleteFrame(frame, Network::GetFrameLength(frame));
    }
    return input;
}

PayloadWriter PlayerRecord(u32 id, bool host, const char* name)
{
    PayloadWriter out;
    Vellumar::WritePlayerRecord(out, {id, static_cast<u8>(host ? 1 : 0), SessionAddress("127.0.0.1", 5000).GetSocketAddress(), name});
    return out;
}

PayloadWriter PlayerId(u32 id)
{
    PayloadWriter out;
    Vellumar::WritePlayerId(out, id);
    return out;
}

PayloadWriter Text(u32 sender, u32 group, const char* text)
{
    PayloadWriter out;
    Vellumar::WriteText(out, {sender, group, text});
    return out;
}

PayloadWriter Data(u32 sender, u32 group)
{
    static const u8 blob[] = {1, 2, 3, 4, 5};
    PayloadWriter out;
    Vellumar::WriteData(out, {sender, group, 7, blob, 5});
    return out;
}

PayloadWriter LevelName(u32 index)
{
    PayloadWriter out;
    Vellumar::WriteLevelName(out, FuzzFramework::FuzzLevels::Name(index).c_str());
    return out;
}

// A client's view of its host: its players, objects of every kind made, moved and destroyed,
// texts and pings; then a second level and a new object list.
void AddClientSeeds(Fuzz::Seeds& seeds)
{
    // The game's level that records are written in: the client's first.
    PAL::ScopedFakeClock clock(1000.0);
    FuzzFramework::Levels().Use(FuzzNetplay::BuildLevel, 2);
    if (!StartSession(clock, false))
    {
        EndSession();
        return;
    }
    const HostRecords& first = FirstListOfHost();
    const HostRecords more = WriteHostRecords(FuzzNetplay::KindCount + 1);
    EndSession();

    // A copy without a network id, then a player leaving, whose objects the game clears.
    Sequence anonymous;
    Add(anonymous, MessageType::PlayerRecord, PlayerRecord(3, false, "third"));
    Add(anonymous, MessageType::CreateObject, first.anonymous);
    Add(anonymous, MessageType::PlayerLeft, PlayerRecord(3, false, "third"));
    seeds.emplace_back("copy-without-network-id", Input(false, anonymous));

    Sequence records;
    Add(records, MessageType::PlayerRecord, PlayerRecord(HostId, true, "host"));
    Add(records, MessageType::PlayerRecord, PlayerRecord(3, false, "third"));
    Add(records, MessageType::Ping, PlayerId(HostId), DatagramBit | 1);
    for (u32 kind = 0; kind < FuzzNetplay::KindCount; ++kind)
    {
        Add(records, MessageType::CreateObject, more.creations[kind], 0);
        Add(records, MessageType::ObjectSync, first.states[kind], DatagramBit | 1);
        Add(records, MessageType::ObjectSync, more.states[kind], DatagramBit | 1);
    }
    Add(records, MessageType::Text, Text(HostId, 1, "hello"));
    Add(records, MessageType::Data, Data(HostId, 1));
    for (u32 kind = 0; kind < FuzzNetplay::KindCount; kind += 2)
    {
        Add(records, MessageType::DestroyObject, first.destructions[kind]);
    }
    Add(records, MessageType::PlayerLeft, PlayerRecord(3, false, "third"), 2);
    seeds.emplace_back("client-objects", Input(false, records));

    Sequence level;
    Add(level, MessageType::LevelName, LevelName(0), DatagramBit | 1);
    Add(level, MessageType::LevelName, LevelName(1), DatagramBit | 2);
    Add(level, MessageType::ObjectList, more.list, 1);
    for (u32 kind = 0; kind < FuzzNetplay::KindCount; ++kind)
    {
        Add(level, MessageType::ObjectSync, more.states[kind], DatagramBit | 1);
        Add(level, MessageType::DestroyObject, more.destructions[kind], 0);
    }
    seeds.emplace_back("client-level-switch", Input(false, level));

    Sequence lost;
    Add(lost, MessageType::PlayerRecord, PlayerRecord(HostId, true, "host"));
    Add(lost, MessageType::CreateObject, more.creations[FuzzNetplay::ClientOwnedKind]);
    Add(lost, MessageType::PlayerLeft, PlayerRecord(HostId, true, "host"), 1);
    Add(lost, MessageType::PlayerRecord, PlayerRecord(HostId, true, "host"), CloseBit | 1);
    seeds.emplace_back("client-session-lost", Input(false, lost));
}

// The keyboard and mouse states a client sends while W and the left button are down.
void AddInputStates(Sequence& sequence)
{
    FakeSource source;
    const Core::RefPtr<Input::KeyboardImp> keyboard(new Input::KeyboardImp(source, false));
    const Core::RefPtr<Input::MouseImp> mouse(new Input::MouseImp(source, false));
    mouse->SetWindow(source.window);
    for (int frame = 0; frame < 3; ++frame)
    {
        source.keys[static_cast<u8>(frame == 2 ? 'D' : 'W')] = Input::KeyDownBit;
        source.buttons = frame == 1 ? Input::ButtonBit::Left : u8{0};
        source.cursorX = 200 + 20 * frame;
        source.cursorY = 100;
        keyboard->Update();
        mouse->Update();
        const u8* block = nullptr;
        u32 bytes = 0;
        keyboard->GetRecordedState(block, bytes);
        PayloadWriter keys;
        Vellumar::WriteInputState(keys, ClientId, block, bytes);
        Add(sequence, MessageType::KeyboardState, keys, DatagramBit);
        mouse->GetRecordedState(block, bytes);
        PayloadWriter pointer;
        Vellumar::WriteInputState(pointer, ClientId, block, bytes);
        Add(sequence, MessageType::MouseState, pointer, DatagramBit | 2);
    }
}

// A host's view of its client: its input driving the pawn, ping replies, a group and texts to it
// and to the host, an object-list request, destroy requests, a second player, then its leave.
void AddHostSeeds(Fuzz::Seeds& seeds)
{
    Sequence play;
    AddInputStates(play);
    Add(play, MessageType::PingReply, PlayerId(ClientId), DatagramBit | 1);
    PayloadWriter group;
    Vellumar::WriteCreateGroup(group, {ClientId, 40, "team", {HostId, ClientId}});
    Add(play, MessageType::CreateGroup, group);
    Add(play, MessageType::Text, Text(ClientId, 40, "to the team"));
    Add(play, MessageType::Text, Text(ClientId, HostId, "to the host"));
    Add(play, MessageType::Data, Data(ClientId, 1));
    Add(play, MessageType::RequestObjectList, PlayerId(ClientId));
    PayloadWriter destroy;
    Vellumar::WriteIdPair(destroy, {HostId, 3});
    Add(play, MessageType::DestroyObject, destroy);
    PayloadWriter ungroup;
    Vellumar::WriteIdPair(ungroup, {ClientId, 40});
    Add(play, MessageType::DestroyGroup, ungroup);
    seeds.emplace_back("host-client-plays", Input(true, play));

    Sequence leave;
    AddInputStates(leave);
    PayloadWriter request;
    Vellumar::WriteJoinRequest(request, {"", {0, 0, SessionAddress("127.0.0.1", 5001).GetSocketAddress(), "late"}});
    Add(leave, MessageType::JoinRequest, request);
    Add(leave, MessageType::PingReply, PlayerId(ClientId), DatagramBit | 3);
    Add(leave, MessageType::PingReply, PlayerId(ClientId), DatagramBit | 1);
    Add(leave, MessageType::JoinRequest, Fuzz::Bytes{}, CloseBit | 2);
    seeds.emplace_back("host-client-leaves", Input(true, leave));
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    AddClientSeeds(seeds);
    AddHostSeeds(seeds);
}

// With MORVANE_NETPLAY_SIDE set to "host" or "client", every mutated input plays that side, so that
// a timed run fuzzes one side only.
std::size_t KeepSide(u8* data, std::size_t size, std::size_t)
{
    static const char* side = std::getenv("MORVANE_NETPLAY_SIDE");
    if (size > 0 && side && (std::strcmp(side, "host") == 0 || std::strcmp(side, "client") == 0))
    {
        data[0] = std::strcmp(side, "host") == 0 ? 1 : 0;
    }
    return size;
}

// Every input runs whole frames through much of the game, tens of thousands of coverage features a
// time: libFuzzer's bookkeeping of rare features would take ten times what the inputs take.
const Fuzz::Registration registration("NetplayReceive", Read, WriteSeeds, KeepSide, "-entropic=0");
}  // namespace
