#include "framework/drawables/Vellumar_ParticleSystem.h"

#include "framework/core/Vellumar_Random.h"
#include "framework/core/Vellumar_Resources.h"

#include <algorithm>
#include <cmath>

namespace Vellumar
{
CORE_REGISTER_CLASS(ParticleSystem, "Vellumar::ParticleSystem")

namespace
{
constexpr f32 DegreesToRadians = 0.017453292f;
constexpr f32 RadiansToDegrees = 57.29578f;
constexpr f32 WarmUpStep = 0.01f;

// Keeps the length, turns by degrees.
Math::Vector2D Rotate(const Math::Vector2D& v, f32 degrees)
{
    const f32 length = v.Length();
    const f32 angle = std::atan2(v.y, v.x) + degrees * DegreesToRadians;
    return Math::Vector2D(length * std::cos(angle), length * std::sin(angle));
}
}  // namespace

ParticleSystem::ParticleSystem()
    : startingColorMin(0.0f, 0.0f, 0.0f, 1.0f), startingColorMax(0.0f, 0.0f, 0.0f, 1.0f),
      endingColorMin(0.0f, 0.0f, 0.0f, 1.0f), endingColorMax(0.0f, 0.0f, 0.0f, 1.0f), startingScaleMin(0.0f, 0.0f),
      startingScaleMax(0.0f, 0.0f), endingScaleMin(0.0f, 0.0f), endingScaleMax(0.0f, 0.0f)
{
}

ParticleSystem::ParticleSystem(const Core::String& textureFile, u32 count, f32 boundingSize,
                               const Math::Vector2D& gravityValue)
    : ParticleSystemBase(textureFile, count, boundingSize), particles(count), gravity(gravityValue),
      emitter(new (__FILE__, __LINE__) PointEmitter()), emissionRateMin(static_cast<f32>(count)),
      emissionRateMax(static_cast<f32>(count))
{
    Math::Point2D start;
    Math::Vector2D direction;
    for (u32 i = 0; i < count; ++i)
    {
        Particle& particle = particles[i];
        emitter->GetPositionAndDirection(0.0f, start, direction);
        particle.startPosition = start;
        particle.velocity = direction * RandomFloatInRange(speedMin, speedMax);
        DrawRanges(particle);
        WriteVertex(i);
    }
}

ParticleSystem::ParticleSystem(const ParticleSystem& source)
    : ParticleSystemBase(source), particles(source.particles), gravity(source.gravity),
      previousPosition(source.previousPosition), startingColorMin(source.startingColorMin),
      startingColorMax(source.startingColorMax), endingColorMin(source.endingColorMin),
      endingColorMax(source.endingColorMax), startingScaleMin(source.startingScaleMin),
      startingScaleMax(source.startingScaleMax), endingScaleMin(source.endingScaleMin),
      endingScaleMax(source.endingScaleMax), emitter(source.emitter ? source.emitter->Clone() : nullptr),
      particleDirection(source.particleDirection), deadCount(source.deadCount), emittedCount(source.emittedCount),
      lifeTimeMin(source.lifeTimeMin), lifeTimeMax(source.lifeTimeMax), rotationSpeedMin(source.rotationSpeedMin),
      rotationSpeedMax(source.rotationSpeedMax), speedMin(source.speedMin), speedMax(source.speedMax),
      emissionRateMin(source.emissionRateMin), emissionRateMax(source.emissionRateMax),
      emissionRemainder(source.emissionRemainder), recycleParticles(source.recycleParticles),
      destroyIfNotRecycling(source.destroyIfNotRecycling), firstUpdatePending(source.firstUpdatePending)
{
    NotifyClone(*this, source);
}

ParticleSystem* ParticleSystem::Clone() const
{
    return new (__FILE__, __LINE__) ParticleSystem(*this);
}

void ParticleSystem::SetEmissionRate(f32 min, f32 max)
{
    emissionRateMin = min;
    emissionRateMax = max;
}

void ParticleSystem::SetParticleLifeTime(f32 min, f32 max)
{
    lifeTimeMin = min;
    lifeTimeMax = max;
}

void ParticleSystem::SetParticleSpeed(f32 min, f32 max)
{
    speedMin = min;
    speedMax = max;
}

void ParticleSystem::SetParticleRotationSpeed(f32 min, f32 max)
{
    rotationSpeedMin = min;
    rotationSpeedMax = max;
}

void ParticleSystem::SetParticleStartingColor(const Math::Color& min, const Math::Color& max)
{
    startingColorMin = min;
    startingColorMax = max;
}

void ParticleSystem::SetParticleEndingColor(const Math::Color& min, const Math::Color& max)
{
    endingColorMin = min;
    endingColorMax = max;
}

void ParticleSystem::SetParticleStartingScale(const Math::Vector2D& min, const Math::Vector2D& max)
{
    startingScaleMin = min;
    startingScaleMax = max;
}

void ParticleSystem::SetParticleEndingScale(const Math::Vector2D& min, const Math::Vector2D& max)
{
    endingScaleMin = min;
    endingScaleMax = max;
}

void ParticleSystem::DrawRanges(Particle& particle) const
{
    particle.lifeTime = RandomFloatInRange(lifeTimeMin, lifeTimeMax);
    particle.startingScale = RandomVectorInRange(startingScaleMin, startingScaleMax);
    particle.endingScale = RandomVectorInRange(endingScaleMin, endingScaleMax);
    particle.startingColor = RandomColorInRange(startingColorMin, startingColorMax);
    particle.endingColor = RandomColorInRange(endingColorMin, endingColorMax);
}

void ParticleSystem::Update(f32 dt)
{
    const u32 poolSize = static_cast<u32>(particles.size());
    f32 due = RandomFloatInRange(emissionRateMin, emissionRateMax) * dt + emissionRemainder;
    emissionRemainder = due - std::floor(due);
    // Compared as floats first: a huge rate must not overflow the count.
    u32 n = std::floor(due) >= static_cast<f32>(poolSize) ? poolSize : static_cast<u32>(std::max(std::floor(due), 0.0f));
    if (recycleParticles)
    {
        deadCount = 0;
        emittedCount = 0;
    }
    else if (emittedCount >= poolSize)
    {
        n = 0;
        if (destroyIfNotRecycling && deadCount >= poolSize)
        {
            Destroy();
            return;
        }
    }
    if (emitter)
    {
        emitter->Update(dt);
    }
    const Math::Vector2D systemPosition = GetPosition();
    if (firstUpdatePending)
    {
        previousPosition = systemPosition;
        firstUpdatePending = 0;
    }
    const Math::Vector2D motion = systemPosition - previousPosition;
    previousPosition = systemPosition;

    Math::Point2D start;
    Math::Vector2D direction;
    for (u32 i = 0; i < poolSize; ++i)
    {
        Particle& particle = particles[i];
        if (!particle.alive && n > 0)
        {
            if (emitter)
            {
                emitter->GetPositionAndDirection(dt, start, direction);
            }
            const f32 speed = RandomFloatInRange(speedMin, speedMax);
            if (GetUseLocalCoordinates())
            {
                particle.startPosition = start;
                particle.velocity = direction * speed;
            }
            else
            {
                const f32 angle = GetRotationAngle();
                particle.startPosition = Rotate(start, angle) + systemPosition;
                particle.velocity = Rotate(direction, angle) * speed + motion;
            }
            DrawRanges(particle);
            particle.alive = 1;
            if (particleDirection == Spinning)
            {
                particle.rotationSpeed = RandomFloatInRange(rotationSpeedMin, rotationSpeedMax);
            }
            ++emittedCount;
            --n;
        }
        if (particle.alive)
        {
            Move(particle, dt);
        }
        WriteVertex(i);
    }
    GameObject::Update(dt);
}

void ParticleSystem::Move(Particle& particle, f32 dt)
{
    particle.age += dt;
    if (particle.age <= particle.lifeTime)
    {
        const f32 age = particle.age;
        particle.position = particle.startPosition + particle.velocity * age + (gravity * (0.5f * age)) * age;
        if (particleDirection == Spinning)
        {
            particle.rotation += particle.rotationSpeed;
        }
        else
        {
            const Math::Vector2D heading = particle.velocity + gravity * age;
            particle.rotation = std::atan2(heading.y, heading.x) * RadiansToDegrees;
        }
        return;
    }
    particle.alive = 0;
    particle.age = 0.0f;
    particle.startingScale = Math::Vector2D(0.0f, 0.0f);
    particle.endingScale = Math::Vector2D(0.0f, 0.0f);
    ++deadCount;
}

void ParticleSystem::WriteVertex(u32 index)
{
    f32* vertex = GetVertexArray();
    if (!vertex || index >= GetParticleCount())
    {
        return;
    }
    vertex += index * VertexFloats;
    const Particle& particle = particles[index];
    if (!particle.alive)
    {
        vertex[3] = 0.0f;
        vertex[4] = 0.0f;
        return;
    }
    // A particle without life time (0 or less) shows its end state, never a division by it.
    const f32 f = particle.lifeTime > 0.0f ? particle.age / particle.lifeTime : 1.0f;
    const Math::Vector2D scale = particle.startingScale + (particle.endingScale - particle.startingScale) * f;
    const Math::Color& from = particle.startingColor;
    const Math::Color& to = particle.endingColor;
    vertex[0] = particle.position.x;
    vertex[1] = particle.position.y;
    vertex[2] = 0.0f;
    vertex[3] = scale.x;
    vertex[4] = scale.y;
    vertex[5] = particle.rotation;
    vertex[6] = from.r + (to.r - from.r) * f;
    vertex[7] = from.g + (to.g - from.g) * f;
    vertex[8] = from.b + (to.b - from.b) * f;
    vertex[9] = from.a + (to.a - from.a) * f;
}

void ParticleSystem::Reset()
{
    emissionRemainder = 0.0f;
    emittedCount = 0;
    deadCount = 0;
    previousPosition = GetPosition();
    firstUpdatePending = 1;
    Math::Point2D start;
    Math::Vector2D direction;
    for (u32 i = 0; i < particles.size(); ++i)
    {
        Particle& particle = particles[i];
        particle.age = 0.0f;
        particle.alive = 0;
        particle.rotation = 0.0f;
        if (emitter)
        {
            emitter->GetPositionAndDirection(0.0f, start, direction);
        }
        particle.startPosition = start;
        particle.velocity = direction * RandomFloatInRange(speedMin, speedMax);
        DrawRanges(particle);
        particle.rotationSpeed = 0.0f;
        WriteVertex(i);
    }
}

void ParticleSystem::WarmUp(f32 seconds)
{
    if (!(seconds > 0.0f))
    {
        return;
    }
    const i32 steps = static_cast<i32>(seconds * 100.0f);
    for (i32 i = 0; i < steps; ++i)
    {
        Update(WarmUpStep);
    }
}
}  // namespace Vellumar
