#pragma once
// The game's seven levels: their names and classes, the three layers, camera and viewport every
// level has, and the collision actors rebuilt before each one.
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "framework/core/Vellumar_LevelFactory.h"
#include "game/content/MyGame_CollisionActors.h"
#include "game/content/MyGame_MenuContent.h"
#include "game/content/MyGame_PlayContent.h"

#include <array>

namespace Collision2D
{
class CollisionActor;
}

namespace Vellumar
{
class Camera;
class GameObject;
class Layer;
class Level;
class Viewport;
}  // namespace Vellumar

class MyLevelFactory : public Vellumar::LevelFactory
{
public:
    static constexpr u32 LevelCount = 7;

    u32 GetLevelsCount() override { return LevelCount; }
    // Exact, case-sensitive match of the level names; index is left alone when none matches.
    bool GetLevelIndex(const Core::String& name, u32* index) override;
    // The collision actors first, for every index; null for an index beyond the last level.
    Vellumar::Level* CreateLevel(u32 index) override;
    void OnLevelSwitch() override { ResetObjectPointers(); }

    // Forgets the last level's objects; frees nothing, the levels own them.
    void ResetObjectPointers();
    // Builds all collision actors into the game's asset list, in actor order.
    void LoadCollisionActors();
    // Each builder's last call, with its level index.
    void OnLevelBuilt(u32) {}

    // A layer's placed objects from the content tables, then its static collision file.
    void BuildLayer(u32 levelIndex, u32 layerIndex, Vellumar::Layer& layer);
    void LoadLayerCollision(u32 levelIndex, u32 layerIndex, Vellumar::Layer& layer);
    // One row of a content table, made, set up and added to the layer.
    Vellumar::GameObject* CreateContentObject(const ContentObject& row, Vellumar::Layer& layer);
    // A row of the play layer's sprite or particle table, made, set up and added to the layer.
    Vellumar::GameObject* CreatePlayObject(const PlayObject& row, Vellumar::Layer& layer);
    Vellumar::GameObject* CreateParticleObject(const ParticleObject& row, Vellumar::Layer& layer);

    std::array<Vellumar::Camera*, LevelCount> cameras{};
    Vellumar::Viewport* viewport = nullptr;
    Vellumar::Layer* hudLayer = nullptr;
    Vellumar::Layer* layer1 = nullptr;
    Vellumar::Layer* layer2 = nullptr;
    std::array<Vellumar::Level*, LevelCount> levels{};
    // Entry k is actor k of the set built last; the game's asset list owns them.
    std::array<Collision2D::CollisionActor*, CollisionActorCount> collisionActors{};
    // The placed objects of the level built last, in creation order; their layers own them.
    Core::Vector<Vellumar::GameObject*> contentObjects;

private:
    Vellumar::Level* BuildLevel(u32 index);
    // The smoke follows the cannon's moves and turns.
    void MountCannonSmoke();
};
