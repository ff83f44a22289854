// The one creator of placed content objects: a row of a content table becomes a sprite (or the
// loading tip's text, or a particle system) with its animations, collision body and settings,
// added to its layer.
#include "collision/Collision_DynamicObject.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/drawables/Vellumar_ParticleEmitter.h"
#include "framework/drawables/Vellumar_ParticleSystem.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "framework/drawables/Vellumar_SpriteAnimation.h"
#include "framework/drawables/Vellumar_Text.h"
#include "game/MyGame_ButtonClass.h"
#include "game/MyGame_CursorClass0.h"
#include "game/MyGame_LoadingTipsTextClass.h"
#include "game/MyGame_MyLevelFactory.h"
#include "framework/net/Vellumar_VelNet.h"
#include "physics/Physics_MassProperties.h"

namespace
{
constexpr f32 CollisionThickness = 4.0f;
constexpr f32 ThinCollisionThickness = 0.1f;
constexpr f32 ParticleSize = 256.0f;
// The engine's codes for source alpha and one minus source alpha.
constexpr u32 BlendSourceAlpha = 6;
constexpr u32 BlendOneMinusSourceAlpha = 7;

// What every placed sprite is set up with, whichever table it comes from.
struct SpriteSetup
{
    const char* name;
    i32 actor;
    i8 collisionType;  // 0 rectangles only, 1 circles and segments, or NoCollision
    f32 thickness;
    bool updateOnIdle;
    f32 opacity;
    bool play;
    bool loop;
    i32 animation;
    i32 frame;
    f32 x;
    f32 y;
    bool flipHorizontal;
    bool visible;
    f32 scale;
    f32 z;
    bool overlay;
    f32 mass;
};

// A networked client takes its collision results and motion from the host.
bool IsNetworkClient()
{
    Vellumar::VelNet* network = Vellumar::Game::GetInstance()->GetNetworkEngine();
    return network && network->IsSessionActive() && !network->IsHostMode();
}

Core::RefPtr<Vellumar::SpriteAnimation> MakeAnimation(const char* name, u8 columns, u8 rows, const Core::Vector<f32>& delays)
{
    Core::RefPtr<Vellumar::SpriteAnimation> animation = new (__FILE__, __LINE__) Vellumar::SpriteAnimation(
        Vellumar::Game::GetDirectory() + "\\Resources\\Animations\\" + name + ".png", columns, rows, delays);
    animation->SetName(name);
    return animation;
}

Vellumar::Sprite* MakeMenuSprite(const ContentObject& row)
{
    const u32 frames = static_cast<u32>(row.columns) * row.rows;
    const Core::RefPtr<Vellumar::SpriteAnimation> animation =
        MakeAnimation(row.animation, row.columns, row.rows, Core::Vector<f32>(row.delays, row.delays + frames));
    const Core::Vector<Vellumar::SpriteAnimation*> animations{animation.Get()};
    if (row.kind == ContentClass::MenuCursor)
        return new (__FILE__, __LINE__) CursorClass0(animations);
    if (row.kind == ContentClass::Button)
        return new (__FILE__, __LINE__) ButtonClass(animations);
    return new (__FILE__, __LINE__) Vellumar::Sprite(animations);
}

Vellumar::Sprite* MakePlaySprite(const PlayObject& row)
{
    Core::Vector<Core::RefPtr<Vellumar::SpriteAnimation>> held;
    Core::Vector<Vellumar::SpriteAnimation*> animations;
    for (const ContentAnimation& entry : row.animations)
    {
        if (!entry.name)
            break;
        held.push_back(MakeAnimation(entry.name, entry.columns, entry.rows, Core::Vector<f32>(entry.frames, entry.delay)));
        animations.push_back(held.back().Get());
    }
    return row.make(animations);
}

void AddCollisionBody(Vellumar::Sprite& sprite, const SpriteSetup& setup, const Collision2D::CollisionActor* actor,
                      const Vellumar::Layer& layer)
{
    auto* body = new (__FILE__, __LINE__) Collision2D::DynamicObject();
    body->AddCollisionData(actor, 0, 0);
    body->SetCollisionType(static_cast<u8>(setup.collisionType));
    body->SetCollisionThickness(setup.thickness);
    body->SetBoundingRectangleCheckingTileMap(true);
    body->SetZCollision(0);
    body->SetCanCollid(0, true);
    body->SetUpdateOnIdle(setup.updateOnIdle);
    sprite.AddCollision(body, layer.GetCollisionId());
}

void AddRigidBody(Vellumar::Sprite& sprite, f32 mass)
{
    sprite.SetCenter(Math::Vector2D(0.0f, 0.0f));
    sprite.AddPhysicalProperties(Physics2D::MassProperties(mass, 0.0f, Math::Vector2D(0.0f, 0.0f)), 0);
    sprite.SetVelocity(Math::Vector2D(0.0f, 0.0f));
    sprite.SetAngularVelocity(0.0f);
}

// The collision body first, so that it is registered before the object has its name.
void SetUpSprite(Vellumar::Sprite& sprite, const SpriteSetup& setup, const MyLevelFactory& factory, Vellumar::Layer& layer)
{
    const bool client = IsNetworkClient();
    if (setup.collisionType != NoCollision && !client)
        AddCollisionBody(sprite, setup, factory.collisionActors[static_cast<u32>(setup.actor)], layer);
    sprite.SetName(setup.name);
    sprite.SetCollisionActorIndex(setup.actor);
    sprite.SetOpacity(setup.opacity);
    sprite.Play(setup.play);
    sprite.SetPosition(setup.x, setup.y);
    sprite.SetCurrentAnimation(setup.animation, false);
    sprite.SetCurrentFrame(setup.frame, false);
    sprite.SetLoop(setup.loop);
    sprite.SetAnimationSpeed(1.0f);
    sprite.SetFlipHorizontal(setup.flipHorizontal);
    sprite.SetFlipVertical(false);
    sprite.SetLifeTime(0.0f);
    sprite.SetVisible(setup.visible);
    sprite.SetRotationAngle(0.0f);
    sprite.SetScale(setup.scale, setup.scale);
    sprite.SetCenter(Math::Vector2D(0.0f, 0.0f));
    sprite.SetZOrder(setup.z);
    // The HUD layer's objects are drawn over the whole window after every viewport.
    sprite.GetEngineSprite()->SetOverlay(setup.overlay);
    if (setup.mass > 0.0f && !client)
        AddRigidBody(sprite, setup.mass);
}

SpriteSetup MenuSetup(const ContentObject& row)
{
    return {row.name, row.actor,  row.collisionType, CollisionThickness, row.updateOnIdle, row.opacity,
            row.play, row.loop,   0,                 row.startFrame,     row.x,            row.y,
            false,    true,       1.0f,              row.z,              row.layer == 0,   0.0f};
}

SpriteSetup PlaySetup(const PlayObject& row)
{
    using enum CollisionKind;
    const bool segments = row.collision == A || row.collision == C;
    return {row.name,
            row.actor,
            row.collision == None ? NoCollision : static_cast<i8>(segments ? 1 : 0),
            row.collision == C ? ThinCollisionThickness : CollisionThickness,
            row.collision != B,
            row.opacity,
            row.play,
            row.loop,
            row.animation,
            0,
            row.x,
            row.y,
            row.flipHorizontal,
            row.visible,
            row.scale,
            row.z,
            false,
            row.mass};
}

Vellumar::GameObject* CreateTextObject(const ContentObject& row)
{
    auto* text = new (__FILE__, __LINE__) LoadingTipsTextClass("LOADING TIPS", Vellumar::Game::GetDirectory() + "\\Resources\\Fonts\\GameFont\\GameFont");
    text->SetName(row.name);
    text->SetPosition(row.x, row.y);
    text->SetLifeTime(0.0f);
    text->SetVisible(true);
    text->SetRotationAngle(0.0f);
    text->SetScale(1.0f, 1.0f);
    text->SetCenter(Math::Vector2D(0.0f, 0.0f));
    text->SetOpacity(row.opacity);
    text->SetZOrder(row.z);
    text->GetEngineText()->SetOverlay(row.layer == 0);
    return text;
}

Math::Color ToColor(const f32 (&c)[4])
{
    return Math::Color(c[0], c[1], c[2], c[3]);
}

Vellumar::ParticleEmitter* MakeEmitter(const ParticleObject& row)
{
    const Math::Point2D a(row.a[0], row.a[1]);
    if (row.emitter == EmitterShape::Line)
        return new (__FILE__, __LINE__) Vellumar::LineEmitter(a, Math::Point2D(row.b[0], row.b[1]));
    return new (__FILE__, __LINE__) Vellumar::PointEmitter(a, row.b[0], row.b[1]);
}
}  // namespace

Vellumar::GameObject* MyLevelFactory::CreateContentObject(const ContentObject& row, Vellumar::Layer& layer)
{
    Vellumar::GameObject* object = nullptr;
    if (row.kind == ContentClass::LoadingTips)
        object = CreateTextObject(row);
    else
    {
        Vellumar::Sprite* sprite = MakeMenuSprite(row);
        SetUpSprite(*sprite, MenuSetup(row), *this, layer);
        object = sprite;
    }
    contentObjects.push_back(object);
    layer.AddGameObject(object, false, nullptr);
    return object;
}

Vellumar::GameObject* MyLevelFactory::CreatePlayObject(const PlayObject& row, Vellumar::Layer& layer)
{
    Vellumar::Sprite* sprite = MakePlaySprite(row);
    SetUpSprite(*sprite, PlaySetup(row), *this, layer);
    contentObjects.push_back(sprite);
    layer.AddGameObject(sprite, false, nullptr);
    return sprite;
}

Vellumar::GameObject* MyLevelFactory::CreateParticleObject(const ParticleObject& row, Vellumar::Layer& layer)
{
    Core::RefPtr<Vellumar::ParticleEmitter> emitter;
    if (row.emitter != EmitterShape::OwnClass)
        emitter = MakeEmitter(row);
    Vellumar::ParticleSystem* system =
        row.make(Vellumar::Game::GetDirectory() + "\\Resources\\ParticleSystems\\" + row.texture, row.count, ParticleSize,
                 Math::Vector2D(row.gravity[0], row.gravity[1]));
    if (emitter)
        system->SetEmitter(emitter.Get());
    system->SetName(row.name);
    system->SetLifeTime(0.0f);
    system->SetZOrder(row.z);
    system->SetPosition(row.x, row.y);
    system->SetRotationAngle(0.0f);
    system->SetScale(1.0f, 1.0f);
    system->SetCenter(Math::Vector2D(0.0f, 0.0f));
    system->SetVisible(true);
    system->SetRecycleParticles(true);
    system->SetEmissionRate(row.emissionRate[0], row.emissionRate[1]);
    system->SetSrcBlendFactor(BlendSourceAlpha);
    system->SetDstBlendFactor(BlendOneMinusSourceAlpha);
    system->SetParticleStartingColor(ToColor(row.startColors[0]), ToColor(row.startColors[1]));
    system->SetParticleEndingColor(ToColor(row.endColors[0]), ToColor(row.endColors[1]));
    system->SetParticleLifeTime(row.lifeTime[0], row.lifeTime[1]);
    system->SetParticleSpeed(row.speed[0], row.speed[1]);
    system->SetParticleDirection(0);
    system->SetParticleStartingScale(Math::Vector2D(row.startScale[0], row.startScale[0]),
                                     Math::Vector2D(row.startScale[1], row.startScale[1]));
    system->SetParticleEndingScale(Math::Vector2D(row.endScale[0], row.endScale[0]),
                                   Math::Vector2D(row.endScale[1], row.endScale[1]));
    system->SetUseLocalCoordinates(row.localCoordinates);
    system->WarmUp(0.0f);
    contentObjects.push_back(system);
    layer.AddGameObject(system, false, nullptr);
    return system;
}
