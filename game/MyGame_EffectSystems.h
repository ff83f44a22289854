#pragma once
// Particle systems that follow a game object and switch their emission each update: the burst on
// a hit enemy, the glow of fire and frost areas, the ice tower's frost and the cannon's smoke.
// The content sets their textures and particle ranges; these classes set rate, visibility,
// position, z order and, for the burst, life time and colours.
#include "core/Core_Types.h"
#include "framework/drawables/Vellumar_ParticleSystem.h"

#define MYGAME_PARTICLE_SYSTEM_CLASS(Type)                                                                         \
    CORE_CLASS(Type)                                                                                               \
                                                                                                                   \
public:                                                                                                            \
    Type() = default;                                                                                              \
    Type(const Core::String& textureFile, u32 count, f32 boundingSize, const Math::Vector2D& gravity)              \
        : Vellumar::ParticleSystem(textureFile, count, boundingSize, gravity)                                      \
    {                                                                                                              \
    }                                                                                                              \
    Type(const Type& source) : Vellumar::ParticleSystem(source) {}                                                 \
    Type* Clone() const override;                                                                                  \
    void OnEnd() override {}                                                                                       \
    void ScriptUpdate(f32 dt) override;

class BloodSystemClass : public Vellumar::ParticleSystem
{
    MYGAME_PARTICLE_SYSTEM_CLASS(BloodSystemClass)
    void OnStart() override;

    // A hit's writes: the burst follows the enemy of that id to the end of its group of updates.
    void Hit(u32 enemyId, u8 isCritical, u8 isShielded);

    u8 active = 0;
    u32 frameCounter = 0;
    u32 targetId = 0;
    u8 critical = 0;
    u8 shielded = 0;
};

class FireSystemClass : public Vellumar::ParticleSystem
{
    MYGAME_PARTICLE_SYSTEM_CLASS(FireSystemClass)
    void OnStart() override {}
};

class IceSystemClass : public Vellumar::ParticleSystem
{
    MYGAME_PARTICLE_SYSTEM_CLASS(IceSystemClass)
    void OnStart() override {}
};

class IceTowerEffectSystemClass : public Vellumar::ParticleSystem
{
    MYGAME_PARTICLE_SYSTEM_CLASS(IceTowerEffectSystemClass)
    void OnStart() override;

    u8 active = 0;
};

class SmokeSystemClass : public Vellumar::ParticleSystem
{
    MYGAME_PARTICLE_SYSTEM_CLASS(SmokeSystemClass)
    void OnStart() override {}
};
