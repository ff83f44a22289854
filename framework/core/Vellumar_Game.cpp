#include "framework/core/Vellumar_Game.h"

#include "audio/Audio_SoundEngine.h"
#include "collision/Collision_ActorData.h"
#include "collision/Collision_Engine.h"
#include "core/PAL_Clock.h"
#include "framework/core/Vellumar_GameObject.h"
#include "gui/GUI_HUD.h"
#include "physics/Physics_PhysicsEngine.h"

#include <algorithm>
#include <cstdio>

namespace Vellumar
{
namespace
{
Game* instance = nullptr;

// Network message a client sends its host after every level switch, with its player id.
constexpr u32 LevelSwitchedMessage = 16;
}  // namespace

Game::Game(LevelFactory* factory, const Engine::ApplicationSettings& settings, u32 startingLevel,
           Engine::RendererFactory createRenderer, Input::Source& input)
    : RenderingApplication(settings, createRenderer, input)
{
    hud = new (__FILE__, __LINE__) GUI::HUD();
    instance = this;
    levelFactory = factory;
    lastTime = Engine::GetTime();
    elapsed = 0.0;
    sceneGraph = new (__FILE__, __LINE__) Engine::SceneGraph(GetRenderer());
    startingLevelIndex = factory && startingLevel < factory->GetLevelsCount() ? startingLevel : 0;
    currentLevelIndex = startingLevelIndex;
    collisionEngine = new (__FILE__, __LINE__) Collision2D::CollisionEngine();
    physicsEngine = new Physics2D::PhysicsEngine();
    physicsEngine->SetContactListUpdate(&Game::UpdateContactList);
    physicsEngine->SetContactListUpdateData(this);
    soundEngine = new SoundEngine();
    soundEngine->Initialize(-1, 30);
    soundEngine->SetDistanceModel(2);
    network = new (__FILE__, __LINE__) VelNet();
    resolutionWidth = settings.width;
    resolutionHeight = settings.height;
}

// Shutdown normally ran first; whatever it left goes here, the engines after the level and the
// objects that use them.
Game::~Game()
{
    Shutdown();
    if (instance == this)
    {
        instance = nullptr;
    }
}

Game* Game::GetInstance()
{
    return instance;
}

void Game::Update()
{
    if (!currentLevel && levelFactory && !firstLevelFailed)
    {
        currentLevel = levelFactory->CreateLevel(currentLevelIndex);
        if (!currentLevel && !firstLevelMade)
        {
            // Without a first level there is no game to start: said once, and the run ends.
            firstLevelFailed = 1;
            std::fprintf(stderr, "The first level (index %u) could not be made; the game ends.\n",
                         static_cast<unsigned>(currentLevelIndex));
            std::fflush(stderr);
            Quit(1);
        }
        else
        {
            firstLevelMade = 1;
            OnStart();
            if (currentLevel)
            {
                currentLevel->OnStart();
            }
        }
        lastTime = Engine::GetTime();
    }
    const f32 dt = static_cast<f32>(elapsed / 1000.0);
    if (dt != 0.0f)
    {
        UpdateFrame(dt);
    }
    const f64 now = Engine::GetTime();
    elapsed = now - lastTime;
    lastTime = now;
}

void Game::UpdateFrame(f32 dt)
{
    ServeReplayWrite();
    ServeReplayRead();
    ServeSaveLoadRequest();
    request = RequestNone;
    SwitchLevel();
    if (!playing)
    {
        GetMouse()->Update();
    }
    GetKeyboard()->Update();
    if (playing)
    {
        PlayReplayFrame(dt);
    }
    hud->Update(dt);
    RecordReplayFrame(dt);
    PreLevelUpdate(dt);
    if (currentLevel)
    {
        currentLevel->UpdateFrame(dt);
        currentLevel->LateUpdateLayers(dt);
        currentLevel->LateUpdate2Layers(dt);
    }
    physicsEngine->Update(dt);
    collisionEngine->Update(dt);
    PostCollisionUpdate(dt);
    physicsEngine->PostCollisionUpdate(dt);
    network->UpdateNetworkInputs(dt);
    network->Update(dt);
    RefreshOnlineSessions();
    if (currentLevel)
    {
        currentLevel->EndFrame();
    }
    sceneGraph->UpdateScene(dt);
    if (currentLevel && currentLevel->GetClearBackBuffer())
    {
        sceneGraph->ClearWindow(currentLevel->GetClearColor());
    }
    if (currentLevel)
    {
        currentLevel->DrawViewports(dt);
    }
    hud->Draw();
}

void Game::EndCurrentLevel(bool endGame)
{
    if (!currentLevel)
    {
        return;
    }
    // The objects' and the level's end hooks may ask for another level (losing, leaving through a
    // menu); the level being ended has no say in what comes next.
    endingLevel = 1;
    currentLevel->EndGameObjects();
    currentLevel->OnEnd();
    if (endGame)
    {
        OnEnd();
    }
    // Every source and sound goes before the level's objects do: what they still hold from the
    // engine counts as none from here on.
    soundEngine->StopAllSources();
    currentLevel->Cleanup();
    endingLevel = 0;
    currentLevel = nullptr;
}

void Game::ResetEngines()
{
    collisionEngine->RemoveAllLayers();
    physicsEngine->Reset();
    soundEngine->StopAllSources();
    GetKeyboard()->Reset();
    GetMouse()->Reset();
    ClearCollisionAssets();
}

void Game::SwitchLevel()
{
    if (!switchPending)
    {
        return;
    }
    hud->Clear();
    EndCurrentLevel(false);
    ResetEngines();
    currentLevelIndex = nextLevelIndex;
    levelFactory->OnLevelSwitch();
    const bool inSession = network->IsSessionActive();
    if (inSession)
    {
        network->ClearBaseNetObjects();
    }
    GameObject::ResetIdCounter();
    currentLevel = levelFactory->CreateLevel(currentLevelIndex);
    if (currentLevel)
    {
        currentLevel->OnStart();
    }
    switchPending = 0;
    if (inSession && !network->IsHostMode() && network->GetLocalPlayer())
    {
        const u32 playerId = network->GetLocalPlayer()->GetID();
        const u8 payload[4] = {static_cast<u8>(playerId), static_cast<u8>(playerId >> 8),
                               static_cast<u8>(playerId >> 16), static_cast<u8>(playerId >> 24)};
        network->Send(LevelSwitchedMessage, payload, sizeof(payload), nullptr, true);
    }
    lastTime = Engine::GetTime();
}

void Game::ResetForLoad()
{
    hud->Clear();
    EndCurrentLevel(false);
    ResetEngines();
    levelFactory->OnLevelSwitch();
    GameObject::ResetIdCounter();
    switchPending = 0;
    lastTime = Engine::GetTime();
}

// The managed objects go while the engines they were placed in still exist.
void Game::Shutdown()
{
    delete hud;
    hud = nullptr;
    if (network)
    {
        network->Shutdown();
    }
    EndCurrentLevel(true);
    for (GameObject* object : managedObjects)
    {
        if (object)
        {
            object->Cleanup();
            object->ReleaseReference();
        }
    }
    managedObjects.clear();
    managedObjectNames.clear();
    ClearCollisionAssets();
    replayFrames.clear();
    levelFactory = nullptr;
    delete network;
    network = nullptr;
    delete soundEngine;
    soundEngine = nullptr;
    delete physicsEngine;
    physicsEngine = nullptr;
    delete collisionEngine;
    collisionEngine = nullptr;
}

void Game::OnStart()
{
}

void Game::OnEnd()
{
}

void Game::PreLevelUpdate(f32)
{
}

bool Game::AllowContact(GameObject*, GameObject*, f32* restitution, f32* friction)
{
    *restitution = 0.3f;
    *friction = 0.5f;
    return true;
}

void Game::PostCollisionUpdate(f32)
{
}

bool Game::OnPlayerJoining(VelPlayer*)
{
    return true;
}

void Game::OnJoinReply(i32)
{
}

void Game::OnNetworkGameJoined()
{
}

void Game::OnNetworkGameHosted()
{
}

void Game::OnSessionLost()
{
}

void Game::OnPlayerAdded(VelPlayer*)
{
}

void Game::OnPlayerRemoved(VelPlayer*)
{
}

void Game::OnNetTextMessage(VelPlayer*, const Core::String&)
{
}

void Game::OnNetDataMessage(VelPlayer*, u32, u32, const void*)
{
}

void Game::SetTitle(const Core::String& title)
{
    GetWindow().SetTitle(title);
}

Core::String Game::GetTitle()
{
    return Core::String(GetWindow().GetTitle());
}

void Game::SetIcon(const Core::String& iconFile)
{
    GetWindow().SetIcon(iconFile);
}

Core::String Game::GetIcon()
{
    return Core::String(GetWindow().GetIconName());
}

void Game::SetMasterVolume(f32 volume)
{
    if (volume > 10.0f)
    {
        volume = 10.0f;
    }
    if (volume < 0.0f)
    {
        volume = 0.0f;
    }
    soundEngine->SetListenerGain(volume);
}

f32 Game::GetMasterVolume() const
{
    return soundEngine->GetListenerGain();
}

void Game::RequestLevel(u32 index)
{
    if (endingLevel)
    {
        return;
    }
    nextLevelIndex = index;
    switchPending = 1;
}

u32 Game::GoToLevel(u32 index)
{
    const u32 count = levelFactory ? levelFactory->GetLevelsCount() : 0;
    if (index < count)
    {
        RequestLevel(index);
    }
    return count;
}

void Game::GoToLevel(const Core::String& levelName)
{
    u32 index = 0;
    if (levelFactory && levelFactory->GetLevelIndex(levelName, &index) && index < levelFactory->GetLevelsCount())
    {
        RequestLevel(index);
    }
}

void Game::RestartLevel()
{
    GoToLevel(currentLevelIndex);
}

void Game::AddCollisionAssets(Collision2D::CollisionActor* actor)
{
    // Every entry is deleted once when the assets are cleared: an actor held already stays once.
    if (actor && std::find(collisionAssets.begin(), collisionAssets.end(), actor) != collisionAssets.end())
    {
        return;
    }
    collisionAssets.push_back(actor);
}

void Game::ClearCollisionAssets()
{
    for (Collision2D::CollisionActor* actor : collisionAssets)
    {
        delete actor;
    }
    collisionAssets.clear();
}

void Game::AddManagedObject(GameObject* object, const Core::String& objectName)
{
    if (object)
    {
        object->AddReference();
    }
    managedObjects.push_back(object);
    managedObjectNames.push_back(objectName);
}

void Game::RefreshOnlineSessions()
{
    onlineSessions.clear();
    for (const VelBroadcast& session : network->GetDiscoveredSessions())
    {
        if (session.networkId == network->GetNetworkId())
        {
            onlineSessions.push_back(session);
        }
    }
}
}  // namespace Vellumar
