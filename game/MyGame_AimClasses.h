#pragma once
// The aiming guide: a stream of particles from the cannon along the aim, the marker where the aim
// line meets the side wall on the mouse's side, and a second stream from the marker along the aim
// mirrored at that wall. All three show only while the mouse is above the cannon's rest height.
#include "core/Core_Types.h"
#include "math/Math_Vector2D.h"
#include "framework/drawables/Vellumar_ParticleEmitter.h"
#include "framework/drawables/Vellumar_ParticleSystem.h"
#include "framework/drawables/Vellumar_Sprite.h"

// A copy keeps the emitter part only: its point starts at the origin, as any game class's own
// fields start at their defaults in a copy.
#define MYGAME_AIM_EMITTER_CLASS(Type)                                                                             \
    class Type : public Vellumar::ParticleEmitter                                                                  \
    {                                                                                                              \
        CORE_CLASS(Type)                                                                                           \
                                                                                                                   \
    public:                                                                                                        \
        Type() = default;                                                                                          \
        Type(f32 x, f32 y) : emitPoint(x, y) {}                                                                    \
        Type(const Type& source) : Vellumar::ParticleEmitter(source) {}                                            \
        Type* Clone() const override;                                                                              \
        void GetPositionAndDirection(f32 t, Math::Point2D& position, Math::Vector2D& direction) override;          \
        void Update(f32) override {}                                                                               \
                                                                                                                   \
        Math::Vector2D emitPoint;                                                                                  \
    };

// Along the cannon's aim.
MYGAME_AIM_EMITTER_CLASS(AimEmitterClass)
// Along the aim mirrored at a vertical wall.
MYGAME_AIM_EMITTER_CLASS(BounceEmitterClass)

#define MYGAME_AIM_SYSTEM_CLASS(Type, Emitter)                                                                     \
    class Type : public Vellumar::ParticleSystem                                                                   \
    {                                                                                                              \
        CORE_CLASS(Type)                                                                                           \
                                                                                                                   \
    public:                                                                                                        \
        Type() { SetEmitter(new (__FILE__, __LINE__) Emitter(0.0f, 0.0f)); }                                       \
        Type(const Core::String& textureFile, u32 count, f32 boundingSize, const Math::Vector2D& gravity)          \
            : Vellumar::ParticleSystem(textureFile, count, boundingSize, gravity)                                  \
        {                                                                                                          \
            SetEmitter(new (__FILE__, __LINE__) Emitter(0.0f, 0.0f));                                              \
        }                                                                                                          \
        Type(const Type& source) : Vellumar::ParticleSystem(source) {}                                             \
        Type* Clone() const override;                                                                              \
        void OnStart() override { shown = 1; }                                                                     \
        void OnEnd() override {}                                                                                   \
        void ScriptUpdate(f32 dt) override;                                                                        \
                                                                                                                   \
        u8 shown = 0;                                                                                              \
    };

MYGAME_AIM_SYSTEM_CLASS(AimSystemClass, AimEmitterClass)
// Follows the bounce marker.
MYGAME_AIM_SYSTEM_CLASS(BounceSystemClass, BounceEmitterClass)

class BounceAimClass : public Vellumar::Sprite
{
    CORE_CLASS(BounceAimClass)

public:
    // The walls stand this far inside the screen's sides.
    static constexpr f32 WallInset = 13.0f;

    BounceAimClass() = default;
    explicit BounceAimClass(const Core::Vector<Vellumar::SpriteAnimation*>& animations)
        : Vellumar::Sprite(animations)
    {
    }
    BounceAimClass(const BounceAimClass& source) : Vellumar::Sprite(source) {}

    BounceAimClass* Clone() const override;
    void OnStart() override;
    void OnEnd() override {}
    void ScriptUpdate(f32 dt) override;

    // Where the aim line meets the wall on the mouse's side; the marker goes there.
    void ComputeBouncePoint();

    Math::Vector2D bouncePoint;
    u8 dotFrameFlag = 0;
    u8 dotShown = 0;
};

// Where the line through the point along the direction reaches x = wallX; false, with the point
// left alone, when the line runs parallel to the wall.
bool IntersectWall(const Math::Vector2D& point, const Math::Vector2D& direction, f32 wallX, f32 halfHeight,
                   Math::Vector2D& hit);
