// The particle system's record in a saved game: every particle, the ranges, the emitter and the
// emission state, after the drawing state of the base.
#include "core/Core_File.h"
#include "framework/drawables/Vellumar_ParticleSystem.h"

namespace Vellumar
{
namespace
{
// Four colours of four floats, five vectors of two, four floats and one byte.
constexpr u32 ParticleRecordSize = 2 * 16 + 5 * 8 + 4 * 4 + 1;
}  // namespace

void ParticleSystem::Save(Core::File& file)
{
    ParticleSystemBase::Save(file);
    Core::WriteU32(file, static_cast<u32>(particles.size()));
    for (const Particle& particle : particles)
    {
        Math::WriteColor(file, particle.startingColor);
        Math::WriteColor(file, particle.endingColor);
        Math::WriteVector2D(file, particle.position);
        Math::WriteVector2D(file, particle.startPosition);
        Math::WriteVector2D(file, particle.velocity);
        Math::WriteVector2D(file, particle.startingScale);
        Math::WriteVector2D(file, particle.endingScale);
        Core::WriteF32(file, particle.rotation);
        Core::WriteF32(file, particle.rotationSpeed);
        Core::WriteF32(file, particle.lifeTime);
        Core::WriteF32(file, particle.age);
        Core::WriteU8(file, particle.alive);
    }
    Math::WriteVector2D(file, gravity);
    Math::WriteVector2D(file, previousPosition);
    Math::WriteColor(file, startingColorMin);
    Math::WriteColor(file, startingColorMax);
    Math::WriteColor(file, endingColorMin);
    Math::WriteColor(file, endingColorMax);
    Math::WriteVector2D(file, startingScaleMin);
    Math::WriteVector2D(file, startingScaleMax);
    Math::WriteVector2D(file, endingScaleMin);
    Math::WriteVector2D(file, endingScaleMax);
    file.WriteObject(emitter.Get());
    Core::WriteU32(file, static_cast<u32>(particleDirection));
    Core::WriteU32(file, deadCount);
    Core::WriteU32(file, emittedCount);
    for (f32 value : {lifeTimeMin, lifeTimeMax, rotationSpeedMin, rotationSpeedMax, speedMin, speedMax,
                      emissionRateMin, emissionRateMax, emissionRemainder})
    {
        Core::WriteF32(file, value);
    }
    Core::WriteU8(file, recycleParticles);
    Core::WriteU8(file, destroyIfNotRecycling);
    Core::WriteU8(file, firstUpdatePending);
}

void ParticleSystem::Load(Core::File& file)
{
    ParticleSystemBase::Load(file);
    u32 count = 0;
    Core::ReadCount(file, count, ParticleRecordSize);
    // Every particle writes one vertex record of the base: other counts would write past them.
    if (file.Failed() || !HasVertexRecords(count))
    {
        file.SetFailed();
        return;
    }
    particles.assign(count, Particle());
    for (Particle& particle : particles)
    {
        Math::ReadColor(file, particle.startingColor);
        Math::ReadColor(file, particle.endingColor);
        Math::ReadVector2D(file, particle.position);
        Math::ReadVector2D(file, particle.startPosition);
        Math::ReadVector2D(file, particle.velocity);
        Math::ReadVector2D(file, particle.startingScale);
        Math::ReadVector2D(file, particle.endingScale);
        Core::ReadF32(file, particle.rotation);
        Core::ReadF32(file, particle.rotationSpeed);
        Core::ReadF32(file, particle.lifeTime);
        Core::ReadF32(file, particle.age);
        Core::ReadU8(file, particle.alive);
    }
    Math::ReadVector2D(file, gravity);
    Math::ReadVector2D(file, previousPosition);
    Math::ReadColor(file, startingColorMin);
    Math::ReadColor(file, startingColorMax);
    Math::ReadColor(file, endingColorMin);
    Math::ReadColor(file, endingColorMax);
    Math::ReadVector2D(file, startingScaleMin);
    Math::ReadVector2D(file, startingScaleMax);
    Math::ReadVector2D(file, endingScaleMin);
    Math::ReadVector2D(file, endingScaleMax);
    file.ReadObjectInto(emitter);
    u32 direction = 0;
    Core::ReadU32(file, direction);
    particleDirection = static_cast<i32>(direction);
    Core::ReadU32(file, deadCount);
    Core::ReadU32(file, emittedCount);
    for (f32* value : {&lifeTimeMin, &lifeTimeMax, &rotationSpeedMin, &rotationSpeedMax, &speedMin, &speedMax,
                       &emissionRateMin, &emissionRateMax, &emissionRemainder})
    {
        Core::ReadF32(file, *value);
    }
    Core::ReadU8(file, recycleParticles);
    Core::ReadU8(file, destroyIfNotRecycling);
    Core::ReadU8(file, firstUpdatePending);
}
}  // namespace Vellumar
