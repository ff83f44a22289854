#pragma once
// The cannon's projectile: flies 16 units an update along its facing, bounces off the side walls,
// dies past the top or when old, and hits the first listed enemy that it touches. The same class
// shows the cannon's load display, which never moves or hits.
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_ClassShape.h"

class BaseAmmoClass : public Vellumar::Sprite
{
    GAME_CLASS(BaseAmmoClass, Vellumar::Sprite)

public:
    static constexpr u8 MaxAge = 175;
    static constexpr f32 TopLine = 400.0f;

    void OnStart() override;
    void OnEnd() override {}
    void ScriptUpdate(f32 dt) override;

    void Move();
    void HitEnemy(bool record);
    // Applies the hit on the listed enemy of that id and destroys the projectile.
    void ResolveHit(u32 enemyId, bool record);
    // A shield or an egg of another element stops a hit on the enemy of that id; a struck shield
    // is told to flash.
    bool IsBlocked(u32 enemyId);

    u8 element = 0;
    u8 damage = 0;
    u32 hitEnemyId = 0;
    u8 age = 0;
};
