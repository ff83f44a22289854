#pragma once
// The levels the network fuzz target plays in: two layers with collision grids and static
// geometry, a camera and its viewport, and one networked object of every drawable kind. Both sides
// register a prototype of each kind under its network name; the host also places one networked
// object of each kind, the sprite a pawn that its owner's keyboard and mouse push about.
#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/core/Vellumar_Resources.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "framework/drawables/Vellumar_Circle.h"
#include "framework/drawables/Vellumar_Line.h"
#include "framework/drawables/Vellumar_ParticleSystem.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "framework/drawables/Vellumar_SpriteAnimation.h"
#include "framework/drawables/Vellumar_Text.h"
#include "framework/drawables/Vellumar_Viewport.h"
#include "physics/Physics_MassProperties.h"
#include "platform/Input_KeyCodes.h"
#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"
#include "renderer/Renderer_Texture.h"

#include <iterator>

namespace FuzzNetplay
{
// The network names of the kinds, in the order the host places them.
constexpr const char* KindNames[] = {"object", "pawn", "text", "circle", "line", "particles", "camera"};
constexpr u32 KindCount = static_cast<u32>(std::size(KindNames));
// The kind the joined client owns on the host.
constexpr u32 ClientOwnedKind = 1;

// A sprite with a rigid body that its owner's keys W, A, S and D push, and that runs to where its owner's
// mouse presses.
class Pawn final : public Vellumar::Sprite
{
public:
    using Vellumar::Sprite::Sprite;
    Pawn* Clone() const override { return new Pawn(*this); }

    void Update(f32 dt) override
    {
        Vellumar::Sprite::Update(dt);
        Math::Vector2D push;
        if (Input::Keyboard* keys = GetNetworkKeyboard())
        {
            push.x = Speed(*keys, 'D') - Speed(*keys, 'A');
            push.y = Speed(*keys, 'W') - Speed(*keys, 'S');
        }
        Input::Mouse* mouse = GetNetworkMouse();
        if (mouse && mouse->IsPressed(0))
        {
            push = mouse->GetPosition() - GetPosition();
        }
        if (push.x != 0.0f || push.y != 0.0f)
        {
            SetVelocity(push);
        }
    }

private:
    static f32 Speed(const Input::Keyboard& keys, char letter)
    {
        return keys.IsPressed(Input::EngineKey::LetterA + static_cast<u32>(letter - 'A')) ? 80.0f : 0.0f;
    }
};

// A sprite sheet with a size and no pixels: the headless game loads no pictures.
class Sheet final : public Renderer::ITexture
{
public:
    i32 GetWidth() const override { return 64; }
    i32 GetHeight() const override { return 64; }
    i32 GetFormat() const override { return 0; }
    i32 GetTextureType() const override { return TwoDimensional; }
    u32 GetID() const override { return 0; }
    void Reload() override {}
    void Unload() override {}
    u8 HasMipmaps() const override { return 0; }
    Core::String GetFileName() const override { return "sheet.png"; }
};

inline Pawn* MakePawn(Vellumar::Layer& layer)
{
    const Core::RefPtr<Renderer::ITexture> sheet(new Sheet());
    const Core::RefPtr<Vellumar::SpriteAnimation> walk(
        new Vellumar::SpriteAnimation(sheet.Get(), 2, 2, Core::Vector<f32>{0.1f, 0.1f, 0.2f}));
    walk->SetName("walk");
    const Core::RefPtr<Vellumar::SpriteAnimation> still(
        new Vellumar::SpriteAnimation(sheet.Get(), 1, 1, Core::Vector<f32>{1.0f}));
    still->SetName("still");
    auto* pawn = new Pawn(Core::Vector<Vellumar::SpriteAnimation*>{walk.Get(), still.Get()});
    auto* actor = new Collision2D::CollisionActor();
    Collision2D::CollisionFrame& frame = actor->AddCollisionAnimation().AddCollisionFrame();
    frame.SetBoundingRectangle(Collision2D::VelRect(8.0f, -8.0f, 8.0f, -8.0f), true);
    frame.AddCircle(Math::Point2D(0.0f, 0.0f), 8.0f, 1, true);
    Vellumar::Game::GetInstance()->AddCollisionAssets(actor);
    auto* body = new Collision2D::DynamicObject();
    body->AddCollisionData(actor, 0, 0);
    body->SetCollisionType(1);
    body->SetCanCollid(0, true);
    body->SetUpdateOnIdle(true);
    pawn->AddCollision(body, layer.GetCollisionId());
    pawn->SetCollisionActorIndex(0);
    pawn->AddPhysicalProperties(Physics2D::MassProperties(1.0f, 1.0f, Math::Vector2D()), 0);
    return pawn;
}

inline Vellumar::GameObject* MakeKind(u32 kind, Vellumar::Layer& layer)
{
    Vellumar::GameObject* object = nullptr;
    switch (kind)
    {
    case 0:
        object = new Vellumar::GameObject();
        break;
    case 1:
        object = MakePawn(layer);
        break;
    case 2:
        object = new Vellumar::Text("score 0", "");
        break;
    case 3:
        object = new Vellumar::Circle(12.0f);
        break;
    case 4:
        object = new Vellumar::Line(Math::Point2D(-20.0f, 0.0f), Math::Point2D(20.0f, 0.0f));
        break;
    case 5:
    {
        auto* sparks = new Vellumar::ParticleSystem(Vellumar::ResourceFile("ParticleSystems", "snow.png"), 16, 32.0f,
                                                    Math::Vector2D(0.0f, -10.0f));
        sparks->SetRecycleParticles(true);
        object = sparks;
        break;
    }
    default:
        object = new Vellumar::Camera();
        break;
    }
    object->SetName(KindNames[kind]);
    object->SetNetworkClassName(KindNames[kind]);
    return object;
}

inline Vellumar::Layer* AddLayer(Vellumar::Level& level, f32 z)
{
    auto* layer = new Vellumar::Layer(z);
    level.AddLayer(layer);
    layer->SetCollisionProperties(Math::Vector2D(-320.0f, -240.0f), 640, 480, 40);
    layer->AddStaticLineSegment(Math::Vector2D(-300.0f, -200.0f), Math::Vector2D(300.0f, -200.0f), 1, 1);
    layer->AddStaticCircle(Math::Vector2D(0.0f, 100.0f), 30.0f, 1, 2);
    return layer;
}

// Level index 1 differs from 0 only in where the host places its objects.
inline void BuildLevel(Vellumar::Level& level, u32 index)
{
    Vellumar::Layer* layers[2] = {AddLayer(level, 0.0f), AddLayer(level, 20.0f)};
    auto* camera = new Vellumar::Camera();
    camera->SetPosition(0.0f, 0.0f);
    layers[0]->AddGameObject(camera);
    auto* viewport = new Vellumar::Viewport(0, 0, 320, 240);
    viewport->SetCamera(camera);
    level.AddViewport(viewport);
    Vellumar::VelNet* network = Vellumar::Game::GetInstance()->GetNetworkEngine();
    for (u32 kind = 0; kind < KindCount; ++kind)
    {
        network->AddBaseNetObject(MakeKind(kind, *layers[0]), KindNames[kind]);
    }
    if (!network->IsHostMode() || !network->IsSessionActive())
    {
        return;
    }
    Vellumar::VelPlayer* client = nullptr;
    for (const auto& player : network->GetPlayers())
    {
        client = player->IsLocal() ? client : player.Get();
    }
    for (u32 kind = 0; kind < KindCount; ++kind)
    {
        Vellumar::Layer* layer = layers[kind % 2];
        Vellumar::GameObject* object = MakeKind(kind, *layer);
        object->SetPosition(-150.0f + 50.0f * static_cast<f32>(kind), index == 0 ? 0.0f : 60.0f);
        layer->AddGameObject(object, true, kind == ClientOwnedKind ? client : nullptr);
    }
}
}  // namespace FuzzNetplay
