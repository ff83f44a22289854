// Saved games: the whole game in one file under the Saves folder, written beside the previous save
// and put in its place only when whole, and read back at the start of a frame. A file that fails
// to read leaves a playable game: the level it was running, created anew.
#include "collision/Collision_ActorData.h"
#include "collision/Collision_Engine.h"
#include "core/Core_File.h"
#include "core/Core_Random.h"
#include "core/PAL_Clock.h"
#include "platform/PAL_FileSystem.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_GameObject.h"
#include "gui/GUI_HUD.h"
#include "physics/Physics_PhysicsEngine.h"
#include "physics/Physics_RigidBody.h"

#include <algorithm>
#include <cctype>

namespace Vellumar
{
namespace
{
// Beside a save while it is being written; never listed.
constexpr const char* PartialSuffix = ".partial";

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix)
{
    if (suffix.size() > text.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                      [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b)); });
}

// An actor's stream form holds at least its animation count.
constexpr u32 SmallestActorBytes = 4;
}  // namespace

bool Game::IsPlainFileName(const Core::String& name)
{
    const std::string_view text = name.View();
    return !text.empty() && text.find('/') == std::string_view::npos && text.find('\\') == std::string_view::npos &&
           text.find("..") == std::string_view::npos && text.find('\0') == std::string_view::npos;
}

bool Game::RequestFile(GameRequest kind, const Core::String& name)
{
    if (network->IsSessionActive() || !IsPlainFileName(name))
        return false;
    request = kind;
    const Core::String path = saveFolder + "\\" + name;
    (kind == RequestSaveGame ? savePath : loadPath) = path;
    return true;
}

void Game::Save(const Core::String& name)
{
    RequestFile(RequestSaveGame, name);
}

void Game::Load(const Core::String& name)
{
    RequestFile(RequestLoadGame, name);
}

void Game::Save(Core::File& file)
{
    Core::WriteU32(file, static_cast<u32>(collisionAssets.size()));
    for (const Collision2D::CollisionActor* actor : collisionAssets)
        actor->Save(file);
    collisionEngine->Save(file);
    file.WriteObject(currentLevel.Get());
    Core::WriteF64(file, elapsed);
    Core::WriteU32(file, static_cast<u32>(resolutionWidth));
    Core::WriteU32(file, static_cast<u32>(resolutionHeight));
    Core::WriteU32(file, currentLevelIndex);
    Core::WriteU32(file, startingLevelIndex);
    Core::WriteU32(file, nextLevelIndex);
    Core::WriteU8(file, switchPending);
    Core::WriteU8(file, oneWayCollision);
    Core::WriteU8(file, recording);
    hud->Save(file);
    Core::WriteString(file, GetTitle());
    Camera::SaveActiveListener(file);
    Core::WriteU32(file, GameObject::GetIdCounter());
    Core::WriteU32(file, physicsEngine->GetContactListUpdate() == &Game::UpdateContactList ? 1 : 0);
    Core::WriteU32(file, physicsEngine->GetContactListUpdateData() == this ? 1 : 0);
    file.WriteObject(physicsEngine);
}

void Game::Load(Core::File& file)
{
    if (!ReadSavedGame(file))
        file.SetFailed();
}

bool Game::ReadSavedGame(Core::File& file)
{
    u32 assetCount = 0;
    if (!Core::ReadCount(file, assetCount, SmallestActorBytes))
        return false;
    for (u32 i = 0; i < assetCount; ++i)
        collisionAssets.push_back(new (__FILE__, __LINE__) Collision2D::CollisionActor());
    for (Collision2D::CollisionActor* actor : collisionAssets)
    {
        if (!actor->Load(file))
            return false;
    }
    if (!collisionEngine->Load(file))
        return false;
    if (!file.ReadObjectInto(currentLevel) || !currentLevel)
        return false;
    u32 width = 0;
    u32 height = 0;
    Core::ReadF64(file, elapsed);
    Core::ReadU32(file, width);
    Core::ReadU32(file, height);
    Core::ReadU32(file, currentLevelIndex);
    Core::ReadU32(file, startingLevelIndex);
    Core::ReadU32(file, nextLevelIndex);
    Core::ReadU8(file, switchPending);
    Core::ReadU8(file, oneWayCollision);
    Core::ReadU8(file, recording);
    resolutionWidth = static_cast<i32>(width);
    resolutionHeight = static_cast<i32>(height);
    const u32 levelCount = levelFactory ? levelFactory->GetLevelsCount() : 0;
    // Indices name levels of the factory: one it does not have could never be switched to.
    if (file.Failed() || currentLevelIndex >= levelCount || startingLevelIndex >= levelCount ||
        (switchPending && nextLevelIndex >= levelCount))
        return false;
    hud->Load(file);
    Core::String title;
    Core::ReadString(file, title);
    if (file.Failed())
        return false;
    SetTitle(title);
    Camera::LoadActiveListener(file);
    u32 nextId = 0;
    u32 callbackIsOurs = 0;
    u32 dataIsOurs = 0;
    Core::ReadU32(file, nextId);
    Core::ReadU32(file, callbackIsOurs);
    Core::ReadU32(file, dataIsOurs);
    if (file.Failed())
        return false;
    GameObject::SetIdCounter(nextId);
    Core::Object* object = file.ReadObject();
    auto* engine = dynamic_cast<Physics2D::PhysicsEngine*>(object);
    if (!engine || file.Failed())
    {
        if (object)
        {
            file.SetFailed();
            file.Discard(object);
        }
        return false;
    }
    delete physicsEngine;
    physicsEngine = engine;
    physicsEngine->SetContactListUpdate(callbackIsOurs == 1 ? &Game::UpdateContactList : nullptr);
    physicsEngine->SetContactListUpdateData(dataIsOurs == 1 ? this : nullptr);
    Core::Vector<Physics2D::RigidBody*> bodies;
    for (const Core::RefPtr<Physics2D::RigidBody>& body : physicsEngine->GetRigidBodies())
        bodies.push_back(body.Get());
    RebindRigidBodyCallbacks(bodies);
    return RebindBodyOwners();
}

bool Game::RebindBodyOwners()
{
    const auto& bodies = physicsEngine->GetRigidBodies();
    Core::Vector<GameObject*> objects;
    Core::Vector<GameObject*> waiting;
    for (u32 l = 0; currentLevel && l < currentLevel->GetLayersCount(); ++l)
    {
        Layer* layer = currentLevel->GetLayer(l);
        if (!layer)
            continue;
        layer->GetGameObjects(objects);
        layer->GetWaitingGameObjects(waiting);
        objects.insert(objects.end(), waiting.begin(), waiting.end());
        for (GameObject* gameObject : objects)
        {
            const u32 id = gameObject->GetPhysicsId();
            if (id == 0)
                continue;
            if (gameObject->IsCleanedUp())
                return false;
            if (id <= bodies.size() && bodies[id - 1])
                bodies[id - 1]->SetCallbackData(gameObject);
        }
    }
    return true;
}

void Game::InstallPhysicsEngine(Physics2D::PhysicsEngine* engine)
{
    delete physicsEngine;
    physicsEngine = engine;
    physicsEngine->SetContactListUpdate(&Game::UpdateContactList);
    physicsEngine->SetContactListUpdateData(this);
}

bool Game::LoadFromPath(const Core::String& path)
{
    Core::DiskFile file(path, Core::DiskFile::ModeRead);
    if (file.Failed())
        return false;
    const u32 runningLevel = currentLevelIndex;
    activeFile = &file;
    ResetForLoad();
    Load(file);
    activeFile = nullptr;
    if (file.Failed())
    {
        // Whatever the file built goes; the level that was running starts again.
        ResetForLoad();
        Camera::ResetGlobals();
        InstallPhysicsEngine(new Physics2D::PhysicsEngine());
        currentLevelIndex = runningLevel;
        currentLevel = levelFactory ? levelFactory->CreateLevel(currentLevelIndex) : nullptr;
        if (currentLevel)
            currentLevel->OnStart();
    }
    lastTime = Engine::GetTime();
    return true;
}

bool Game::WriteFileSafely(const Core::String& path, const std::function<void(Core::File&)>& write)
{
    std::string_view directory;
    std::string_view name;
    PAL::SplitPath(path.View(), directory, name);
    PAL::MakeDirectory(Core::String(directory));
    const Core::String partial = path + PartialSuffix;
    bool written = false;
    {
        Core::DiskFile file(partial, Core::DiskFile::ModeWrite);
        if (file.Failed())
            return false;
        write(file);
        written = !file.Failed();
        file.Close();
    }
    if (!written || !PAL::ReplaceFile(partial, path))
    {
        PAL::RemoveFile(partial);
        return false;
    }
    return true;
}

void Game::ServeSaveLoadRequest()
{
    if (request == RequestSaveGame)
    {
        WriteFileSafely(savePath, [this](Core::File& file) {
            activeFile = &file;
            Save(file);
            activeFile = nullptr;
        });
        if (seedOnSave)
            Core::SeedRandom(ReplaySeed);
        seedOnSave = 0;
        request = RequestNone;
        savePath = "";
    }
    else if (request == RequestLoadGame)
    {
        LoadFromPath(loadPath);
        loadPath = "";
    }
    else if (request == RequestStartReplay)
    {
        WriteFileSafely(savePath, [this](Core::File& file) {
            activeFile = &file;
            Save(file);
            activeFile = nullptr;
        });
        if (LoadFromPath(loadPath))
        {
            recording = 0;
            Core::SeedRandom(ReplaySeed);
        }
        else
        {
            playing = 0;
        }
        request = RequestNone;
        savePath = "";
        loadPath = "";
    }
}

void Game::ListSaveFiles(Core::Vector<Core::String>& out) const
{
    Core::List<Core::String> entries;
    PAL::ListDirectory(saveFolder, entries);
    for (const Core::String& entry : entries)
    {
        const Core::String path = saveFolder + "\\" + entry;
        if (!PAL::IsDirectory(path) && !PAL::IsSystemFile(path) && !entry.EndsWith(PartialSuffix))
            out.push_back(entry);
    }
}

void Game::GetSavedGameNames(Core::Vector<Core::String>& out) const
{
    out.clear();
    Core::Vector<Core::String> files;
    ListSaveFiles(files);
    for (const Core::String& name : files)
    {
        if (!EndsWithIgnoringCase(name.View(), ReplayStartSuffix) && !EndsWithIgnoringCase(name.View(), ReplayDataSuffix))
            out.push_back(name);
    }
}

void Game::GetReplayNames(Core::Vector<Core::String>& out) const
{
    out.clear();
    Core::Vector<Core::String> files;
    ListSaveFiles(files);
    const std::string_view suffix = ReplayDataSuffix;
    for (const Core::String& name : files)
    {
        if (!EndsWithIgnoringCase(name.View(), suffix))
            continue;
        // The first occurrence of the suffix, in any letter case, goes.
        std::string upper(name.View());
        std::string upperSuffix(suffix);
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        for (char& c : upperSuffix)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        Core::String stripped = name;
        stripped.erase(upper.find(upperSuffix), suffix.size());
        out.push_back(stripped);
    }
}
}  // namespace Vellumar
