#pragma once
// The play level's placed objects in layer "layer1": its sprites and its particle systems, one row
// each, in creation order. The order fixes the objects' ids and so the order they update in.
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "core/Core_Memory.h"
#include "math/Math_Vector2D.h"

#include <array>
#include <span>

namespace Vellumar
{
class ParticleSystem;
class Sprite;
class SpriteAnimation;
}  // namespace Vellumar

// Makes the row's class from its animations.
using SpriteMaker = Vellumar::Sprite* (*)(const Core::Vector<Vellumar::SpriteAnimation*>& animations);
using ParticleMaker = Vellumar::ParticleSystem* (*)(const Core::String& texture, u32 count, f32 particleSize,
                                                    const Math::Vector2D& gravity);

// A: circles and segments, B: bounding rectangles only, C: as A but thin, D: as B, kept up to date
// while idle.
enum class CollisionKind : u8
{
    None,
    A,
    B,
    C,
    D,
};

struct ContentAnimation
{
    const char* name;  // also the texture's file name, with ".png"
    u8 columns;
    u8 rows;
    u8 frames;  // the first cells of the grid, row by row
    f32 delay;  // of every frame
};

struct PlayObject
{
    const char* name;
    SpriteMaker make;
    std::array<ContentAnimation, 8> animations;  // up to the first without a name
    i32 actor;
    CollisionKind collision;
    bool visible;
    f32 x;
    f32 y;
    f32 z;
    bool play;
    bool loop;
    f32 opacity;
    f32 scale;  // both axes
    i32 animation;
    bool flipHorizontal;
    f32 mass;  // of its rigid body, none when 0
};

enum class EmitterShape : u8
{
    OwnClass,  // the class makes and sets its emitter itself
    Line,      // from a to b, particles leaving along the segment's normal
    Point,     // at a, towards a random angle between b[0] and b[1] degrees
};

struct ParticleObject
{
    const char* name;
    ParticleMaker make;
    const char* texture;  // under the particle-system folder
    u32 count;
    f32 gravity[2];
    EmitterShape emitter;
    f32 a[2];
    f32 b[2];
    f32 x;
    f32 y;
    f32 z;
    f32 emissionRate[2];
    f32 startColors[2][4];
    f32 endColors[2][4];
    f32 lifeTime[2];
    f32 speed[2];
    f32 startScale[2];  // both axes
    f32 endScale[2];
    bool localCoordinates;
};

// Sprites first, then the particle systems, each in its own order.
std::span<const PlayObject> PlayLayerSprites();
std::span<const ParticleObject> PlayLayerParticles();
