#include "framework/core/Vellumar_GameObject.h"

#include "collision/Collision_Engine.h"
#include "collision/Collision_MainObject.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Resources.h"
#include "script/Lua_ScriptEngine.h"
#include "physics/Physics_PhysicsEngine.h"

#include <algorithm>

namespace Vellumar
{
CORE_REGISTER_CLASS(GameObject, "Vellumar::GameObject")

namespace
{
u32 nextObjectId = 0;

Collision2D::CollisionEngine* CollisionEngineOfGame()
{
    Game* game = Game::GetInstance();
    return game ? game->GetCollisionEngine() : nullptr;
}

Physics2D::PhysicsEngine* PhysicsEngineOfGame()
{
    Game* game = Game::GetInstance();
    return game ? game->GetPhysicsEngine() : nullptr;
}
}  // namespace

GameObject::GameObject() : renderNode(new (__FILE__, __LINE__) Engine::TransformationGroup()), id(nextObjectId++)
{
}

GameObject::GameObject(const GameObject& prototype)
    : Core::Object(prototype), renderNode(new (__FILE__, __LINE__) Engine::TransformationGroup()),
      position(prototype.position), center(prototype.center), rotation(prototype.rotation), name(prototype.name),
      scaleX(prototype.scaleX), scaleY(prototype.scaleY), opacity(prototype.opacity),
      modulationColor(prototype.modulationColor), lifeTime(prototype.lifeTime), age(prototype.age),
      zOrder(prototype.zOrder), id(nextObjectId++), destroyed(prototype.destroyed), destroying(prototype.destroying),
      transformSync(prototype.transformSync), cleanedUp(prototype.cleanedUp)
{
    renderNode->SetVisible(prototype.GetVisible(), true);
    scriptEnabled = prototype.scriptEnabled;
    scriptName = prototype.scriptName;
    scriptStarted = prototype.scriptStarted;
    // A cleaned-up prototype's ids name nothing of its own any more: the engines may have given
    // its slots to other objects.
    if (!prototype.cleanedUp)
    {
        if (Collision2D::CollisionEngine* collision = CollisionEngineOfGame(); collision && prototype.collisionId)
        {
            collisionId = collision->CloneObject(prototype.collisionId, position, this);
        }
        if (Physics2D::PhysicsEngine* physics = PhysicsEngineOfGame(); physics && prototype.physicsId)
        {
            physicsId = physics->CloneRigidBody(prototype.physicsId, this);
        }
    }
    scriptSource = prototype.script;
    if (prototype.scriptEnabled && prototype.script)
    {
        ownsScript = 1;
        script = LuaScript::Create();
        for (size_t i = 0; i < prototype.managedObjects.size(); ++i)
        {
            AddManagedObject(prototype.managedObjects[i] ? prototype.managedObjects[i]->Clone() : nullptr,
                             prototype.managedObjectNames[i]);
            // The copy's script finds its own copies under the names the prototype's had.
            if (script)
            {
                script->SetGlobal(managedObjectNames[i].c_str(), managedObjects[i]);
            }
        }
    }
}

GameObject::~GameObject()
{
    GameObject::Cleanup();
}

GameObject* GameObject::Clone() const
{
    return new (__FILE__, __LINE__) GameObject(*this);
}

void GameObject::ResetIdCounter()
{
    nextObjectId = 0;
}

u32 GameObject::GetIdCounter()
{
    return nextObjectId;
}

void GameObject::SetIdCounter(u32 next)
{
    nextObjectId = next;
}

bool GameObject::ScriptRuns() const
{
    return script && !script->IsNotRunning();
}

void GameObject::CallScriptHook(const char* hook)
{
    if (scriptEnabled && ScriptRuns())
    {
        script->CallHook(hook);
    }
}

void GameObject::Destroy()
{
    if (destroyed || destroying)
    {
        return;
    }
    if (ScriptRuns())
    {
        script->CallHook("Destroy");
    }
    destroying = 1;
    if (layer)
    {
        layer->RemoveGameObject(this);
    }
}

void GameObject::OnStart()
{
    CallScriptHook("OnStart");
}

void GameObject::OnEnd()
{
    CallScriptHook("OnEnd");
}

void GameObject::Update(f32 dt)
{
    Game* game = Game::GetInstance();
    VelNet* network = game ? game->GetNetworkEngine() : nullptr;
    if (network && network->IsSessionActive() && IsRemoteCopy())
    {
        // A remote copy follows the host's pose halfway each frame; the moves carry the collision
        // object and the body along, and give the mounted objects no turn and no offset.
        const Math::Vector2D d = networkTargetPosition - position;
        if (d.Length() > 0.0f)
        {
            position = position + d * 0.5f;
        }
        const f32 dr = networkTargetRotation - rotation;
        if (dr != 0.0f)
        {
            rotation = rotation + dr * 0.5f;
        }
        SetRotationAngle(rotation);
        SetPosition(position);
        SyncRenderNode(dt);
        return;
    }
    if (lifeTime > 0.0f)
    {
        age += dt;
        if (age > lifeTime)
        {
            Destroy();
            return;
        }
    }
    ScriptUpdate(dt);
    SyncRenderNode(dt);
}

void GameObject::ScriptUpdate(f32 dt)
{
    if (scriptEnabled && ScriptRuns())
    {
        script->CallHook("Update", dt);
    }
}

bool GameObject::CreateNetworkComponents()
{
    networkComponents = new (__FILE__, __LINE__) VelComponentManager();
    Game* game = Game::GetInstance();
    return game && game->GetNetworkEngine() && game->GetNetworkEngine()->IsHostMode();
}

void GameObject::Cleanup()
{
    if (cleanedUp)
    {
        return;
    }
    layer = nullptr;
    destroyed = 1;
    for (GameObject* mounted : mountedObjects)
    {
        mounted->mountSupport = nullptr;
    }
    mountedObjects.clear();
    if (mountSupport && mountSupport != this)
    {
        auto& siblings = mountSupport->mountedObjects;
        const auto found = std::find(siblings.begin(), siblings.end(), this);
        if (found != siblings.end())
        {
            siblings.erase(found);
        }
    }
    mountSupport = nullptr;
    // Only what is still this object's: a slot may have gone to another object since.
    if (Collision2D::CollisionEngine* collision = CollisionEngineOfGame())
    {
        const Collision2D::MainCollisionObject* object = collision->GetObject(collisionId);
        if (object && object->GetUserData() == this)
        {
            collision->RemoveObject(collisionId);
        }
    }
    if (Physics2D::PhysicsEngine* physics = PhysicsEngineOfGame(); physics && physicsId)
    {
        const Core::RefPtr<Physics2D::RigidBody> body = physics->GetRigidBody(physicsId);
        if (body && body->GetCallbackData() == this)
        {
            physics->RemoveRigidBody(physicsId);
        }
    }
    physicsId = 0;
    LuaScript::Close(script);
    for (Core::Object* object : managedObjects)
    {
        if (object)
        {
            object->ReleaseReference();
        }
    }
    managedObjects.clear();
    managedObjectNames.clear();
    cleanedUp = 1;
}

void GameObject::LateUpdate(f32)
{
}

void GameObject::LateUpdate2(f32)
{
}

void GameObject::SyncRenderNode(f32)
{
}

void GameObject::SetName(const Core::String& newName)
{
    if (newName == name)
    {
        return;
    }
    if (layer)
    {
        layer->RenameGameObject(this, name, newName);
    }
    name = newName;
}

void GameObject::SetVisible(bool visible)
{
    renderNode->SetVisible(visible, true);
}

bool GameObject::GetVisible() const
{
    return renderNode->IsVisible();
}

void GameObject::RunScript(bool skipConstructor)
{
    const Core::String directory = ScriptDirectory();
    scriptSource = LuaScript::FindByFileName(directory + "\\Resources\\Scripts\\" + scriptName);
    if (LuaScript::Run(script, this, directory, scriptName, skipConstructor))
    {
        scriptStarted = 1;
    }
}

void GameObject::AddManagedObject(Core::Object* object, const Core::String& globalName)
{
    if (object)
    {
        object->AddReference();
    }
    managedObjects.push_back(object);
    managedObjectNames.push_back(globalName);
}

bool GameObject::IsRemoteCopy() const
{
    if (!networkId)
    {
        return false;
    }
    Game* game = Game::GetInstance();
    return !(game && game->GetNetworkEngine() && game->GetNetworkEngine()->IsHostMode());
}

bool GameObject::ChangeNetworkOwner(VelPlayer* player)
{
    if (!networkId)
    {
        return false;
    }
    if (!player)
    {
        Game* game = Game::GetInstance();
        player = game && game->GetNetworkEngine() ? game->GetNetworkEngine()->GetLocalPlayer() : nullptr;
    }
    networkId = new (__FILE__, __LINE__) NetObjectID(player ? player->GetID() : 0, networkId->GetObjectNumber());
    return true;
}

namespace
{
// The player whose devices drive a networked object on the host, or null for the local devices.
VelPlayer* OwningPlayer(const NetObjectID* networkId)
{
    Game* game = Game::GetInstance();
    VelNet* network = game ? game->GetNetworkEngine() : nullptr;
    if (!network || !network->IsSessionActive() || !network->IsHostMode() || !networkId || networkId->GetOwnerID() == 0)
    {
        return nullptr;
    }
    return network->FindPlayerByID(networkId->GetOwnerID());
}
}  // namespace

Input::Keyboard* GameObject::GetNetworkKeyboard() const
{
    if (VelPlayer* player = OwningPlayer(networkId.Get()))
    {
        return player->GetKeyboard();
    }
    Game* game = Game::GetInstance();
    return game ? game->GetKeyboard() : nullptr;
}

Input::Mouse* GameObject::GetNetworkMouse() const
{
    if (VelPlayer* player = OwningPlayer(networkId.Get()))
    {
        return player->GetMouse();
    }
    Game* game = Game::GetInstance();
    return game ? game->GetMouse() : nullptr;
}
}  // namespace Vellumar
