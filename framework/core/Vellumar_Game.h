#pragma once
// The framework's game application, driven by the engine's main loop: it owns the level factory
// and the current level, the scene graph, the collision, physics and sound engines, the network
// facade and the HUD, and runs them in one fixed order every frame. Level switches are requests
// served at the start of the next frame. Exactly one game lives; GetInstance reaches it.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "engine/Engine_ApplicationRendering.h"
#include "engine/Engine_SceneGraph.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/core/Vellumar_LevelFactory.h"
#include "framework/persistence/Vellumar_Replay.h"
#include "framework/net/Vellumar_VelNet.h"

#include <functional>

class SoundEngine;

namespace Collision2D
{
class CollisionActor;
class CollisionEngine;
}  // namespace Collision2D

namespace GUI
{
class HUD;
}

namespace Physics2D
{
class PhysicsEngine;
}

namespace Vellumar
{
class GameObject;

// A command to the game as a whole, served at the start of the next frame.
enum GameRequest : u32
{
    RequestNone = 0,
    RequestSaveGame = 1,
    RequestLoadGame = 2,
    RequestWriteReplay = 3,
    RequestStartReplay = 4,
};

class Game : public Engine::RenderingApplication
{
public:
    // The application part (window, devices, renderer) over the renderer factory and input source,
    // then the HUD, the scene graph and the engines; no level exists until the first Update.
    Game(LevelFactory* factory, const Engine::ApplicationSettings& settings, u32 startingLevel,
         Engine::RendererFactory createRenderer = &Renderer::CreateOGLRenderer,
         Input::Source& input = Input::GetSystemSource());
    ~Game() override;

    // The game, or null while none lives.
    static Game* GetInstance();

    LuaScript* GetScript() override { return script; }

    // The frame tick: the first call creates the starting level; later calls run UpdateFrame with
    // the duration of the previous frame.
    void Update() override;
    // Once after the main loop: the HUD, the network, the level and the engines go, in that order.
    void Shutdown() override;

    // Hooks.
    virtual void OnStart();
    virtual void OnEnd();
    virtual void PreLevelUpdate(f32 dt);
    // The contact filter: self and other are game objects (other null for static geometry).
    virtual bool AllowContact(GameObject* self, GameObject* other, f32* restitution, f32* friction);
    virtual void PostCollisionUpdate(f32 dt);
    virtual bool OnPlayerJoining(VelPlayer* player);
    virtual void OnJoinReply(i32 code);
    virtual void OnNetworkGameJoined();
    virtual void OnNetworkGameHosted();
    virtual void OnSessionLost();
    virtual void OnPlayerAdded(VelPlayer* player);
    virtual void OnPlayerRemoved(VelPlayer* player);
    virtual void OnNetTextMessage(VelPlayer* sender, const Core::String& text);
    virtual void OnNetDataMessage(VelPlayer* sender, u32 id, u32 size, const void* data);

    Level* GetCurrentLevel() const { return currentLevel.Get(); }
    u32 GetCurrentLevelIndex() const { return currentLevelIndex; }
    u32 GetStartingLevelIndex() const { return startingLevelIndex; }
    u32 GetNextLevelIndex() const { return nextLevelIndex; }
    bool IsSwitchPending() const { return switchPending != 0; }
    LevelFactory* GetLevelFactory() const { return levelFactory.Get(); }
    Engine::SceneGraph* GetSceneGraph() const { return sceneGraph.Get(); }
    Collision2D::CollisionEngine* GetCollisionEngine() const { return collisionEngine; }
    Physics2D::PhysicsEngine* GetPhysicsEngine() const { return physicsEngine; }
    SoundEngine* GetSoundEngine() const { return soundEngine; }
    VelNet* GetNetworkEngine() const { return network; }
    GUI::HUD* GetHUD() const { return hud; }
    i32 GetResolutionWidth() const { return resolutionWidth; }
    i32 GetResolutionHeight() const { return resolutionHeight; }
    const Core::Vector<VelBroadcast>& GetOnlineSessions() const { return onlineSessions; }

    // The facade's notification sink: each notification becomes a call of one network hook.
    static bool DispatchNetworkMessage(NetMessage* message);
    // Restarts the facade as a client discovering sessions of the game with this network id.
    bool NetworkStart(const Core::String& networkId);
    // Only after NetworkStart: restarts the facade as the host of a new session and hosts it.
    bool HostNetworkGame(const Core::String& sessionName, const Core::String& playerName,
                         const Core::String& password, i32 maxPlayers);

    void SetTitle(const Core::String& title);
    Core::String GetTitle();
    void SetIcon(const Core::String& iconFile);
    Core::String GetIcon();
    // Clamped to [0, 10], the sound listener's gain.
    void SetMasterVolume(f32 volume);
    f32 GetMasterVolume() const;

    // The executable's folder without a trailing backslash; resource and save paths append a path
    // that begins with one.
    static Core::String GetDirectory();
    // Saved games and replays go to this folder, by default the Saves folder beside the program;
    // a test gives each game a folder of its own.
    void SetSaveFolder(const Core::String& folder) { saveFolder = folder; }
    const Core::String& GetSaveFolder() const { return saveFolder; }
    // Scripts attach from this folder's Resources\Scripts and the files a script names lie below its
    // Resources folder; by default the program's folder. A test gives its games a folder of its own.
    void SetScriptDirectory(const Core::String& folder) { scriptDirectory = folder; }
    const Core::String& GetScriptDirectory() const { return scriptDirectory; }
    static Core::String GetExecutableName();
    static Core::String GetExecutableNameNoExtension();

    // Requests a switch at the start of the next frame; a later request replaces it. Indices not
    // below the level count and unknown names are ignored, and so is every request made while the
    // current level is being torn down. Returns the level count.
    u32 GoToLevel(u32 index);
    void GoToLevel(const Core::String& levelName);
    void RestartLevel();

    // The collision actors the game's content registers; owned. An actor held already is not added
    // again.
    void AddCollisionAssets(Collision2D::CollisionActor* actor);
    void ClearCollisionAssets();
    const Core::List<Collision2D::CollisionActor*>& GetCollisionAssets() const { return collisionAssets; }

    // Objects handed over by a script; deleted at shut-down.
    void AddManagedObject(GameObject* object, const Core::String& objectName);

    // The physics engine's contact-list callback, with this game as its data.
    static void UpdateContactList(Physics2D::PhysicsEngine* engine, void* game);
    // Makes the contact the filter is deciding on bind its first object to the static body only;
    // reset before every call of the filter.
    void SetOneWayCollision(bool oneWay) { oneWayCollision = oneWay ? 1 : 0; }
    bool IsOneWayCollision() const { return oneWayCollision != 0; }

    // Saved games under the Saves folder, by plain file name, served at the start of the next frame;
    // refused in a network session and for names that would leave the folder.
    void Save(const Core::String& name);
    void Load(const Core::String& name);
    // The whole game as one stream. A load that fails part-way fails the stream.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    // True for a name that stays inside the Saves folder: not empty, no separator, no "..".
    static bool IsPlainFileName(const Core::String& name);
    // The Saves folder's plain files, sorted by name.
    void ListSaveFiles(Core::Vector<Core::String>& out) const;
    // Saved games: every file but the replays' two parts.
    void GetSavedGameNames(Core::Vector<Core::String>& out) const;
    // The names StartReplay takes: the inputs files without their suffix.
    void GetReplayNames(Core::Vector<Core::String>& out) const;

    // Input replays: a saved start state and every later frame's input and frame time.
    void StartReplayRecording(const Core::String& name);
    void StopReplayRecording();
    void StartReplay(const Core::String& name);
    void StopReplay();
    bool IsRecording() const { return recording != 0; }
    bool IsPlaying() const { return playing != 0; }
    const Core::Vector<ReplayFrame>& GetReplayFrames() const { return replayFrames; }
    // The inputs file: every recorded frame but the last.
    void WriteReplayData(Core::File& file) const;
    // Appends the file's frames; false when the stream failed (frames read before stay).
    bool ReadReplayData(Core::File& file);

    // Every discovered session of this game (same network id), in discovery order.
    void RefreshOnlineSessions();

protected:
    const char* GetScriptTypeName() const override { return "Game"; }

    // One frame's work in its fixed order, with dt in seconds.
    void UpdateFrame(f32 dt);
    // Serves a pending switch: the level ends and the engines and input are reset before the
    // factory builds the next one.
    void SwitchLevel();
    // Before a saved game is read: as a switch, without a new level.
    void ResetForLoad();
    // The saved-game and replay requests, served before the level switch.
    void ServeReplayWrite();
    void ServeReplayRead();
    void ServeSaveLoadRequest();
    void PlayReplayFrame(f32& dt);
    void RecordReplayFrame(f32 dt);
    // Writes beside the file at path and puts the result in its place only once it is whole, so
    // that the previous file survives a failure or a kill during the write.
    static bool WriteFileSafely(const Core::String& path, const std::function<void(Core::File&)>& write);

private:
    // Ends and releases the current level: its objects' OnEnd, its own OnEnd, the game's OnEnd
    // when shutting down, then its cleanup. Level requests made meanwhile are ignored.
    void EndCurrentLevel(bool endGame);
    // The engines and input back to a new level's state.
    void ResetEngines();
    void RequestLevel(u32 index);
    // The save or load request for a name, unless it is refused.
    bool RequestFile(GameRequest kind, const Core::String& name);
    // Reads a saved game into a game reset for it; false at the first part that fails.
    bool ReadSavedGame(Core::File& file);
    // Serves a load of the file at path: on failure, the game goes on with a new physics engine and
    // the level it was running created anew. False when the file did not open.
    bool LoadFromPath(const Core::String& path);
    void InstallPhysicsEngine(Physics2D::PhysicsEngine* engine);
    // Every body's callback data: the current level's object that holds its id, whether in its
    // layer or still waiting to enter it. False when a cleaned-up object holds a body id, which no
    // game saves: such an owner could be freed without taking its body out.
    bool RebindBodyOwners();

    LuaScript* script = nullptr;
    Core::Vector<GameObject*> managedObjects;
    Core::Vector<Core::String> managedObjectNames;
    Core::RefPtr<LevelFactory> levelFactory;
    Core::File* activeFile = nullptr;
    Core::Vector<VelBroadcast> onlineSessions;
    Core::RefPtr<Engine::SceneGraph> sceneGraph;
    Collision2D::CollisionEngine* collisionEngine = nullptr;
    Physics2D::PhysicsEngine* physicsEngine = nullptr;
    SoundEngine* soundEngine = nullptr;
    VelNet* network = nullptr;
    Core::RefPtr<Level> currentLevel;
    f64 lastTime = 0.0;
    f64 elapsed = 0.0;
    i32 resolutionWidth = 0;
    i32 resolutionHeight = 0;
    u32 currentLevelIndex = 0;
    u32 startingLevelIndex = 0;
    u32 nextLevelIndex = 0;
    u8 switchPending = 0;
    u8 endingLevel = 0;
    // The first frame's level: made once; when the factory makes none the run ends and no frame
    // asks for it again.
    u8 firstLevelMade = 0;
    u8 firstLevelFailed = 0;
    GameRequest request = RequestNone;
    Core::String saveFolder = GetDirectory() + "\\Saves";
    Core::String scriptDirectory = GetDirectory();
    Core::String savePath;
    Core::String loadPath;
    Core::List<Collision2D::CollisionActor*> collisionAssets;
    u8 recording = 0;
    u8 playing = 0;
    u8 oneWayCollision = 0;
    // The next served save is a recording's start state: the random generator restarts with it.
    u8 seedOnSave = 0;
    Core::Vector<ReplayFrame> replayFrames;
    Core::String replayPath;
    u32 replayFrameIndex = 0;
    GUI::HUD* hud = nullptr;
};
}  // namespace Vellumar
