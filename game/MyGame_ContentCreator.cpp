// The one creator of placed content objects: a row of a content table becomes a sprite (or the
// loading tip's text) with its animation, collision body and settings, added to its layer.
#include "collision/Collision_DynamicObject.h"
#include "framework/Vellumar_Game.h"
#include "framework/Vellumar_Layer.h"
#include "framework/Vellumar_Sprite.h"
#include "framework/Vellumar_SpriteAnimation.h"
#include "framework/Vellumar_Text.h"
#include "game/MyGame_ButtonClass.h"
#include "game/MyGame_CursorClass0.h"
#include "game/MyGame_LoadingTipsTextClass.h"
#include "game/MyGame_MyLevelFactory.h"
#include "network/Vellumar_VelNet.h"

namespace
{
constexpr f32 CollisionThickness = 4.0f;

// A networked client takes its collision results from the host.
bool IsNetworkClient()
{
    Vellumar::VelNet* network = Vellumar::Game::GetInstance()->GetNetworkEngine();
    return network && network->IsSessionActive() && !network->IsHostMode();
}

Vellumar::Sprite* MakeSprite(const ContentObject& row)
{
    const u32 frames = static_cast<u32>(row.columns) * row.rows;
    Core::Vector<f32> delays(row.delays, row.delays + frames);
    Core::RefPtr<Vellumar::SpriteAnimation> animation = new (__FILE__, __LINE__) Vellumar::SpriteAnimation(
        Vellumar::Game::GetDirectory() + "\\Resources\\Animations\\" + row.animation + ".png", row.columns, row.rows, delays);
    animation->SetName(row.animation);
    const Core::Vector<Vellumar::SpriteAnimation*> animations{animation.Get()};
    if (row.kind == ContentClass::MenuCursor)
        return new (__FILE__, __LINE__) CursorClass0(animations);
    if (row.kind == ContentClass::Button)
        return new (__FILE__, __LINE__) ButtonClass(animations);
    return new (__FILE__, __LINE__) Vellumar::Sprite(animations);
}

void AddCollisionBody(Vellumar::Sprite& sprite, const ContentObject& row, const Collision2D::CollisionActor* actor,
                      const Vellumar::Layer& layer)
{
    auto* body = new (__FILE__, __LINE__) Collision2D::DynamicObject();
    body->AddCollisionData(actor, 0, 0);
    body->SetCollisionType(static_cast<u8>(row.collisionType));
    body->SetCollisionThickness(CollisionThickness);
    body->SetBoundingRectangleCheckingTileMap(true);
    body->SetZCollision(0);
    body->SetCanCollid(0, true);
    body->SetUpdateOnIdle(row.updateOnIdle);
    sprite.AddCollision(body, layer.GetCollisionId());
}

Vellumar::GameObject* CreateSpriteObject(const ContentObject& row, const MyLevelFactory& factory, Vellumar::Layer& layer)
{
    Vellumar::Sprite* sprite = MakeSprite(row);
    if (row.collisionType != NoCollision && !IsNetworkClient())
        AddCollisionBody(*sprite, row, factory.collisionActors[static_cast<u32>(row.actor)], layer);
    sprite->SetName(row.name);
    sprite->SetCollisionActorIndex(row.actor);
    sprite->SetOpacity(row.opacity);
    sprite->Play(row.play);
    sprite->SetPosition(row.x, row.y);
    sprite->SetCurrentAnimation(0, false);
    sprite->SetCurrentFrame(row.startFrame, false);
    sprite->SetLoop(row.loop);
    sprite->SetAnimationSpeed(1.0f);
    sprite->SetFlipHorizontal(false);
    sprite->SetFlipVertical(false);
    sprite->SetLifeTime(0.0f);
    sprite->SetVisible(true);
    sprite->SetRotationAngle(0.0f);
    sprite->SetScale(1.0f, 1.0f);
    sprite->SetCenter(Math::Vector2D(0.0f, 0.0f));
    sprite->SetZOrder(row.z);
    // The HUD layer's objects are drawn over the whole window after every viewport.
    sprite->GetEngineSprite()->SetOverlay(row.layer == 0);
    return sprite;
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
}  // namespace

Vellumar::GameObject* MyLevelFactory::CreateContentObject(const ContentObject& row, Vellumar::Layer& layer)
{
    Vellumar::GameObject* object = row.kind == ContentClass::LoadingTips ? CreateTextObject(row) : CreateSpriteObject(row, *this, layer);
    contentObjects.push_back(object);
    layer.AddGameObject(object, false, nullptr);
    return object;
}
