#include "framework/drawables/Vellumar_Sprite.h"

#include "math/Math_Constants.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "framework/core/Vellumar_Resources.h"
#include "framework/drawables/Vellumar_Viewport.h"

namespace Vellumar
{
CORE_REGISTER_CLASS(Sprite, "Vellumar::Sprite")

namespace
{
bool InRange(i32 index, u32 count)
{
    return index >= 0 && static_cast<u32>(index) < count;
}
}  // namespace

Sprite::Sprite() = default;

Sprite::Sprite(const Core::Vector<SpriteAnimation*>& animations)
{
    Engine::Sprite::Animations engineAnimations;
    engineAnimations.reserve(animations.size());
    for (SpriteAnimation* animation : animations)
    {
        if (animation && animation->GetEngineAnimation())
        {
            engineAnimations.emplace_back(animation->GetEngineAnimation());
        }
    }
    AttachEngineSprite(new (__FILE__, __LINE__) Engine::Sprite(engineAnimations));
}

Sprite::Sprite(const Sprite& source)
    : GameObject(source), collisionActorIndex(source.collisionActorIndex),
      visibleCollisionData(source.visibleCollisionData), visibleBoundingRectangle(source.visibleBoundingRectangle),
      hudObject(source.hudObject), collisionDataColor(source.collisionDataColor),
      boundingRectangleColor(source.boundingRectangleColor)
{
    if (source.engineSprite)
    {
        AttachEngineSprite(source.engineSprite->Clone());
    }
    NotifyClone(*this, source);
}

Sprite::~Sprite()
{
    Sprite::Cleanup();
}

Sprite* Sprite::Clone() const
{
    return new (__FILE__, __LINE__) Sprite(*this);
}

void Sprite::AttachEngineSprite(Engine::Sprite* sprite)
{
    if (engineSprite)
    {
        GetRenderNode()->DetachChild(engineSprite.Get());
    }
    engineSprite = sprite;
    GetRenderNode()->AttachChild(sprite);
    sprite->SetVisible(GetVisible(), true);
}

void Sprite::Cleanup()
{
    if (!IsCleanedUp())
    {
        DestroyCollisionShapes();
        DestroyBoundingRectangle();
    }
    GameObject::Cleanup();
}

void Sprite::SyncRenderNode(f32)
{
    if (engineSprite)
    {
        engineSprite->SetOpacity(GetOpacity());
        engineSprite->SetColor(GetModulationColor());
    }
}

u32 Sprite::GetAnimationsCount() const
{
    return engineSprite ? engineSprite->GetAnimationsCount() : 0;
}

void Sprite::SetCurrentAnimation(i32 index, bool restart)
{
    if (!engineSprite || !InRange(index, GetAnimationsCount()) || index == GetCurrentAnimationIndex())
    {
        return;
    }
    engineSprite->SetCurrentAnimationIndex(static_cast<u32>(index), restart);
}

void Sprite::SetCurrentAnimationName(const Core::String& name, bool restart)
{
    if (engineSprite && name != engineSprite->GetCurrentAnimationName())
    {
        engineSprite->SetCurrentAnimationName(name, restart);
    }
}

i32 Sprite::GetCurrentAnimationIndex() const
{
    return engineSprite ? static_cast<i32>(engineSprite->GetCurrentAnimationIndex()) : 0;
}

Core::String Sprite::GetCurrentAnimationName() const
{
    return engineSprite ? engineSprite->GetCurrentAnimationName() : Core::String();
}

void Sprite::SetCurrentFrame(i32 index, bool force)
{
    if (!engineSprite || index < 0 || index == GetCurrentFrameIndex())
    {
        return;
    }
    engineSprite->SetCurrentFrameIndex(static_cast<u32>(index), force);
}

i32 Sprite::GetCurrentFrameIndex() const
{
    return engineSprite ? static_cast<i32>(engineSprite->GetCurrentFrameIndex()) : 0;
}

void Sprite::GoToFirstFrame(bool force)
{
    if (engineSprite)
    {
        engineSprite->GoToFirstFrame(force);
    }
}

void Sprite::GoToLastFrame(bool force)
{
    if (engineSprite)
    {
        engineSprite->GoToLastFrame(force);
    }
}

bool Sprite::IsEndOfAnimation() const
{
    return engineSprite && engineSprite->IsEndOfAnimation();
}

f32 Sprite::GetFrameDelay(i32 animation, i32 frame) const
{
    if (!InRange(animation, GetAnimationsCount()))
    {
        return 0.0f;
    }
    const Core::RefPtr<Engine::SpriteAnimation> engineAnimation = engineSprite->GetAnimation(static_cast<u32>(animation));
    if (!InRange(frame, engineAnimation->GetFramesCount()))
    {
        return 0.0f;
    }
    return engineAnimation->GetFrame(static_cast<u32>(frame)).delay;
}

f32 Sprite::GetCurrentFrameDelay() const
{
    return GetFrameDelay(GetCurrentAnimationIndex(), GetCurrentFrameIndex());
}

u32 Sprite::GetFramesCount(i32 animation) const
{
    return InRange(animation, GetAnimationsCount())
               ? engineSprite->GetAnimation(static_cast<u32>(animation))->GetFramesCount()
               : 0;
}

i32 Sprite::GetFrameWidth(i32 animation) const
{
    return InRange(animation, GetAnimationsCount())
               ? engineSprite->GetAnimation(static_cast<u32>(animation))->GetFrameWidth()
               : 0;
}

i32 Sprite::GetFrameHeight(i32 animation) const
{
    return InRange(animation, GetAnimationsCount())
               ? engineSprite->GetAnimation(static_cast<u32>(animation))->GetFrameHeight()
               : 0;
}

void Sprite::Play(bool play)
{
    if (engineSprite)
    {
        engineSprite->SetPlaying(play);
    }
}

void Sprite::Pause()
{
    if (engineSprite)
    {
        engineSprite->Pause();
    }
}

bool Sprite::IsPlaying() const
{
    return engineSprite && engineSprite->IsPlaying();
}

bool Sprite::IsPaused() const
{
    return engineSprite && engineSprite->IsPaused();
}

void Sprite::SetLoop(bool on)
{
    if (engineSprite)
    {
        engineSprite->SetLoop(on);
    }
}

bool Sprite::GetLoop() const
{
    return engineSprite && engineSprite->GetLoop();
}

void Sprite::SetAnimationSpeed(f32 speed)
{
    if (engineSprite)
    {
        engineSprite->SetAnimationSpeed(speed < 0.0f ? 0.0f : speed);
    }
}

f32 Sprite::GetAnimationSpeed() const
{
    return engineSprite ? engineSprite->GetAnimationSpeed() : 0.0f;
}

void Sprite::SetFlipHorizontal(bool on)
{
    if (engineSprite && engineSprite->GetFlipHorizontal() != on)
    {
        engineSprite->SetFlipHorizontal(on);
    }
}

void Sprite::SetFlipVertical(bool on)
{
    if (engineSprite && engineSprite->GetFlipVertical() != on)
    {
        engineSprite->SetFlipVertical(on);
    }
}

bool Sprite::GetFlipHorizontal() const
{
    return engineSprite && engineSprite->GetFlipHorizontal();
}

bool Sprite::GetFlipVertical() const
{
    return engineSprite && engineSprite->GetFlipVertical();
}

bool Sprite::IsInViewport(const Viewport* viewport) const
{
    const Camera* camera = viewport ? viewport->GetCamera() : nullptr;
    if (!camera || !engineSprite)
    {
        return false;
    }
    Math::ViewFrustum view;
    camera->GetFrustum(view, viewport->GetWidth(), viewport->GetHeight());
    Math::Frustum volume;
    engineSprite->GetWorldBoundingVolume(volume);
    return view.ClassifyBox(volume) != Math::Code::Outside;
}

void Sprite::SetHUDObject(bool on)
{
    hudObject = on ? 1 : 0;
    if (engineSprite)
    {
        engineSprite->SetScreenSpace(on);
    }
}
}  // namespace Vellumar
