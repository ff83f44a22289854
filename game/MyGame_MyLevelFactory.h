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
    void OnLevelSwitch() override;

    // Forgets the last level's objects; frees nothing, the levels own them.
    void ResetObjectPointers();
    // Builds all collision actors into the game's asset list, in actor order.
    void LoadCollisionActors();
    // Each builder's last call, with its level index.
    void OnLevelBuilt(u32) {}

    // The level builders, one per level: each builds its level from its row of the level table,
    // then runs its three layer builders.
    Vellumar::Level* CreateBaseLevel();
    Vellumar::Level* CreateMainMenu();
    Vellumar::Level* CreateLevelSelection();
    Vellumar::Level* CreateCredits();
    Vellumar::Level* CreateVictory();
    Vellumar::Level* CreateLose();
    Vellumar::Level* CreateOptions();
    // The layer builders, one per layer of every level: each creates its layer's rows of the content
    // tables in their order, then runs its collision loader, which reads the layer's static
    // collision file.
    void BuildLevel0Layer0(); void BuildLevel0Layer1(); void BuildLevel0Layer2();
    void BuildLevel1Layer0(); void BuildLevel1Layer1(); void BuildLevel1Layer2();
    void BuildLevel2Layer0(); void BuildLevel2Layer1(); void BuildLevel2Layer2();
    void BuildLevel3Layer0(); void BuildLevel3Layer1(); void BuildLevel3Layer2();
    void BuildLevel4Layer0(); void BuildLevel4Layer1(); void BuildLevel4Layer2();
    void BuildLevel5Layer0(); void BuildLevel5Layer1(); void BuildLevel5Layer2();
    void BuildLevel6Layer0(); void BuildLevel6Layer1(); void BuildLevel6Layer2();
    void LoadLevel0Layer0Collision(); void LoadLevel0Layer1Collision(); void LoadLevel0Layer2Collision();
    void LoadLevel1Layer0Collision(); void LoadLevel1Layer1Collision(); void LoadLevel1Layer2Collision();
    void LoadLevel2Layer0Collision(); void LoadLevel2Layer1Collision(); void LoadLevel2Layer2Collision();
    void LoadLevel3Layer0Collision(); void LoadLevel3Layer1Collision(); void LoadLevel3Layer2Collision();
    void LoadLevel4Layer0Collision(); void LoadLevel4Layer1Collision(); void LoadLevel4Layer2Collision();
    void LoadLevel5Layer0Collision(); void LoadLevel5Layer1Collision(); void LoadLevel5Layer2Collision();
    void LoadLevel6Layer0Collision(); void LoadLevel6Layer1Collision(); void LoadLevel6Layer2Collision();
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
    // The first steps of every level builder, from its level's row: the level, its three layers,
    // camera and viewport, before the layer builders run.
    Vellumar::Level* StartLevel(u32 index);
    // What every layer builder and collision loader does for its layer of the level under
    // construction.
    void CreateLayerObjects(u32 levelIndex, u32 layerIndex);
    void LoadLayerCollision(u32 levelIndex, u32 layerIndex);
    // The HUD layer, "layer1" or "layer2" of the level built last.
    Vellumar::Layer& LayerUnderConstruction(u32 layerIndex) const;
    // The smoke follows the cannon's moves and turns.
    void MountCannonSmoke();
};
