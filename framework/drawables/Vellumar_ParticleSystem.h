#pragma once
// A fixed pool of particles with random initial values drawn from ranges, started by an emitter,
// moved under gravity and written every update into the base's vertex array. Dead particles are
// emitted again (recycling) or, in a one-shot system, the system removes itself once every
// particle has been emitted and has died.
#include "math/Math_Color.h"
#include "math/Math_Vector2D.h"
#include "framework/drawables/Vellumar_ParticleEmitter.h"
#include "framework/drawables/Vellumar_ParticleSystemBase.h"

namespace Vellumar
{
struct Particle
{
    Math::Color startingColor;
    Math::Color endingColor;
    Math::Vector2D position;
    Math::Vector2D startPosition;
    Math::Vector2D velocity;
    Math::Vector2D startingScale;
    Math::Vector2D endingScale;
    f32 rotation = 0.0f;      // degrees
    f32 rotationSpeed = 0.0f; // degrees per update
    f32 lifeTime = 0.0f;      // seconds
    f32 age = 0.0f;           // seconds since emission
    u8 alive = 0;
};

class ParticleSystem : public ParticleSystemBase
{
    CORE_CLASS(ParticleSystem)

public:
    // How a particle is turned: along its current velocity, or spun by its rotation speed.
    enum Direction : i32
    {
        AlongVelocity = 0,
        Spinning = 1,
    };

    // No particles and no emitter: what Load fills.
    ParticleSystem();
    // The pool of count particles, started from a point emitter at the origin in every direction.
    ParticleSystem(const Core::String& textureFile, u32 count, f32 boundingSize, const Math::Vector2D& gravity);
    // Copies every particle; the emitter is cloned.
    ParticleSystem(const ParticleSystem& source);

    ParticleSystem* Clone() const override;
    void Save(Core::File& file) override;
    // Fails the stream when its particle count is not the base's vertex count.
    void Load(Core::File& file) override;
    // Emission, motion and the vertex write, then the game object's update.
    void Update(f32 dt) override;

    // Every particle dead and drawn again from the ranges; counts and the remainder cleared.
    void Reset();
    // Updates of 0.01 s covering the time.
    void WarmUp(f32 seconds);

    // A null emitter keeps nothing: particles then start where the last one did.
    void SetEmitter(ParticleEmitter* value) { emitter = value; }
    ParticleEmitter* GetEmitter() const { return emitter.Get(); }
    void SetGravity(const Math::Vector2D& value) { gravity = value; }
    const Math::Vector2D& GetGravity() const { return gravity; }
    void SetEmissionRate(f32 min, f32 max);
    void SetParticleLifeTime(f32 min, f32 max);
    void SetParticleSpeed(f32 min, f32 max);
    void SetParticleRotationSpeed(f32 min, f32 max);
    void SetParticleStartingColor(const Math::Color& min, const Math::Color& max);
    void SetParticleEndingColor(const Math::Color& min, const Math::Color& max);
    void SetParticleStartingScale(const Math::Vector2D& min, const Math::Vector2D& max);
    void SetParticleEndingScale(const Math::Vector2D& min, const Math::Vector2D& max);
    void SetParticleDirection(i32 mode) { particleDirection = mode; }
    i32 GetParticleDirection() const { return particleDirection; }
    void SetRecycleParticles(bool on) { recycleParticles = on ? 1 : 0; }
    bool GetRecycleParticles() const { return recycleParticles != 0; }
    void SetDestroyIfNotRecycling(bool on) { destroyIfNotRecycling = on ? 1 : 0; }
    bool GetDestroyIfNotRecycling() const { return destroyIfNotRecycling != 0; }

    f32 GetEmissionRateMin() const { return emissionRateMin; }
    f32 GetEmissionRateMax() const { return emissionRateMax; }
    f32 GetParticleLifeTimeMin() const { return lifeTimeMin; }
    f32 GetParticleLifeTimeMax() const { return lifeTimeMax; }
    f32 GetParticleSpeedMin() const { return speedMin; }
    f32 GetParticleSpeedMax() const { return speedMax; }
    f32 GetParticleRotationSpeedMin() const { return rotationSpeedMin; }
    f32 GetParticleRotationSpeedMax() const { return rotationSpeedMax; }
    const Math::Color& GetParticleStartingColorMin() const { return startingColorMin; }
    const Math::Color& GetParticleStartingColorMax() const { return startingColorMax; }
    const Math::Color& GetParticleEndingColorMin() const { return endingColorMin; }
    const Math::Color& GetParticleEndingColorMax() const { return endingColorMax; }
    const Math::Vector2D& GetParticleStartingScaleMin() const { return startingScaleMin; }
    const Math::Vector2D& GetParticleStartingScaleMax() const { return startingScaleMax; }
    const Math::Vector2D& GetParticleEndingScaleMin() const { return endingScaleMin; }
    const Math::Vector2D& GetParticleEndingScaleMax() const { return endingScaleMax; }

    const Core::Vector<Particle>& GetParticles() const { return particles; }
    u32 GetDeadCount() const { return deadCount; }
    u32 GetEmittedCount() const { return emittedCount; }

protected:
    const char* GetScriptTypeName() const override { return "ParticleSystem"; }

private:
    // Life time, scales and colours from their ranges.
    void DrawRanges(Particle& particle) const;
    void Emit(Particle& particle, f32 dt, const Math::Vector2D& systemPosition, const Math::Vector2D& motion);
    void Move(Particle& particle, f32 dt);
    void WriteVertex(u32 index);

    Core::Vector<Particle> particles;
    Math::Vector2D gravity;
    Math::Vector2D previousPosition;
    Math::Color startingColorMin{1.0f, 1.0f, 1.0f, 1.0f};
    Math::Color startingColorMax{1.0f, 1.0f, 1.0f, 1.0f};
    Math::Color endingColorMin{1.0f, 1.0f, 1.0f, 1.0f};
    Math::Color endingColorMax{1.0f, 1.0f, 1.0f, 1.0f};
    Math::Vector2D startingScaleMin{1.0f, 1.0f};
    Math::Vector2D startingScaleMax{1.0f, 1.0f};
    Math::Vector2D endingScaleMin{1.0f, 1.0f};
    Math::Vector2D endingScaleMax{1.0f, 1.0f};
    Core::RefPtr<ParticleEmitter> emitter;
    i32 particleDirection = AlongVelocity;
    u32 deadCount = 0;
    u32 emittedCount = 0;
    f32 lifeTimeMin = 1.0f;
    f32 lifeTimeMax = 1.0f;
    f32 rotationSpeedMin = 0.0f;
    f32 rotationSpeedMax = 0.0f;
    f32 speedMin = 0.0f;
    f32 speedMax = 0.0f;
    f32 emissionRateMin = 0.0f;
    f32 emissionRateMax = 0.0f;
    f32 emissionRemainder = 0.0f;
    u8 recycleParticles = 1;
    u8 destroyIfNotRecycling = 1;
    u8 firstUpdatePending = 1;
};
}  // namespace Vellumar
