// The sprite's record in a saved game: its engine animations, playback state, collision binding
// and debug drawing.
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "core/Core_File.h"
#include "collision/Collision_Results.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/drawables/Vellumar_Sprite.h"

#include <algorithm>

namespace Vellumar
{
namespace
{
// Appends the references read; a reference of another class fails the stream.
template <class T>
void ReadReferences(Core::File& file, Core::Vector<Core::RefPtr<T>>& out)
{
    u32 count = 0;
    Core::ReadCount(file, count, 1);
    out.clear();
    for (u32 i = 0; i < count && !file.Failed(); ++i)
    {
        Core::RefPtr<T> object;
        if (file.ReadObjectInto(object) && object)
        {
            out.push_back(object);
        }
    }
}

template <class T>
void WriteReferences(Core::File& file, const Core::Vector<Core::RefPtr<T>>& objects)
{
    Core::WriteU32(file, static_cast<u32>(objects.size()));
    for (const Core::RefPtr<T>& object : objects)
    {
        file.WriteObject(object.Get());
    }
}

Collision2D::CollisionResults* ResultsOf(const GameObject& object)
{
    Game* game = Game::GetInstance();
    Collision2D::CollisionEngine* collision = game ? game->GetCollisionEngine() : nullptr;
    Collision2D::DynamicObject* body = collision ? collision->GetDynamicObject(object.GetCollisionId()) : nullptr;
    return body ? body->GetResults() : nullptr;
}

u32 PartnerId(void* partner)
{
    return partner ? static_cast<GameObject*>(partner)->GetID() : NoObjectId;
}

Sprite* SpriteIn(const Layer* layer, u32 id)
{
    return layer ? dynamic_cast<Sprite*>(layer->GetGameObject(id)) : nullptr;
}

Sprite* SpriteInLevel(u32 id)
{
    Game* game = Game::GetInstance();
    const Level* level = game ? game->GetCurrentLevel() : nullptr;
    for (u32 i = 0; level && i < level->GetLayersCount(); ++i)
    {
        if (Sprite* sprite = SpriteIn(level->GetLayer(i), id))
        {
            return sprite;
        }
    }
    return nullptr;
}

const Collision2D::CollisionActor* CollisionAsset(Game* game, i32 index)
{
    if (!game || index < 0)
    {
        return nullptr;
    }
    i32 i = 0;
    for (const Collision2D::CollisionActor* actor : game->GetCollisionAssets())
    {
        if (i++ == index)
        {
            return actor;
        }
    }
    return nullptr;
}
}  // namespace

void Sprite::Save(Core::File& file)
{
    GameObject::Save(file);
    const u32 animationCount = GetAnimationsCount();
    Core::WriteU32(file, animationCount);
    for (u32 i = 0; i < animationCount; ++i)
    {
        file.WriteObject(engineSprite->GetAnimation(i).Get());
    }
    Core::WriteU8(file, GetFlipHorizontal() ? 1 : 0);
    Core::WriteU8(file, GetFlipVertical() ? 1 : 0);
    Core::WriteU8(file, GetLoop() ? 1 : 0);
    Core::WriteF32(file, GetAnimationSpeed());
    Core::WriteU8(file, IsPaused() ? 1 : 0);
    Core::WriteU8(file, IsPlaying() ? 1 : 0);
    Core::WriteU32(file, static_cast<u32>(GetCurrentAnimationIndex()));
    Core::WriteU32(file, static_cast<u32>(GetCurrentFrameIndex()));
    Core::WriteU8(file, hudObject);
    Core::WriteI32(file, collisionActorIndex);
    Core::WriteU8(file, visibleCollisionData);
    Core::WriteU8(file, visibleBoundingRectangle);
    Core::WriteU32(file, static_cast<u32>(usedLineCount));
    Core::WriteU32(file, static_cast<u32>(usedCircleCount));
    Math::WriteColor(file, collisionDataColor);
    WriteReferences(file, debugCircles);
    WriteReferences(file, debugLines);
}

void Sprite::Load(Core::File& file)
{
    GameObject::Load(file);
    if (Engine::RenderingApplication* application = Engine::RenderingApplication::GetInstance())
    {
        application->SetPath(Game::GetDirectory() + "\\Resources\\Animations");
    }
    Core::Vector<Core::RefPtr<Engine::SpriteAnimation>> animations;
    ReadReferences(file, animations);
    AttachEngineSprite(new (__FILE__, __LINE__) Engine::Sprite(animations));

    u8 flipHorizontal = 0;
    u8 flipVertical = 0;
    u8 loop = 1;
    f32 speed = 1.0f;
    u8 paused = 0;
    u8 playing = 0;
    Core::ReadU8(file, flipHorizontal);
    Core::ReadU8(file, flipVertical);
    Core::ReadU8(file, loop);
    Core::ReadF32(file, speed);
    Core::ReadU8(file, paused);
    Core::ReadU8(file, playing);
    SetFlipHorizontal(flipHorizontal != 0);
    SetFlipVertical(flipVertical != 0);
    SetLoop(loop != 0);
    SetAnimationSpeed(speed);
    if (playing)
    {
        Play(true);
    }
    else if (paused)
    {
        Pause();
    }
    else
    {
        Stop();
    }

    // Indices beyond the animations and frames read are ignored (kept at 0).
    u32 animation = 0;
    u32 frame = 0;
    Core::ReadU32(file, animation);
    Core::ReadU32(file, frame);
    if (animation < GetAnimationsCount() && animation != static_cast<u32>(GetCurrentAnimationIndex()))
    {
        engineSprite->SetCurrentAnimationIndex(animation, true);
    }
    if (frame != static_cast<u32>(GetCurrentFrameIndex()))
    {
        engineSprite->SetCurrentFrameIndex(frame, true);
    }
    Core::ReadU8(file, hudObject);
    SetHUDObject(hudObject != 0);

    Core::ReadI32(file, collisionActorIndex);
    Game* game = Game::GetInstance();
    if (Collision2D::DynamicObject* object = GetRegisteredObject())
    {
        if (const Collision2D::CollisionActor* actor = CollisionAsset(game, collisionActorIndex))
        {
            object->AddCollisionData(actor, GetCurrentAnimationIndex(), GetCurrentFrameIndex());
        }
    }

    Core::ReadU8(file, visibleCollisionData);
    Core::ReadU8(file, visibleBoundingRectangle);
    u32 lines = 0;
    u32 circles = 0;
    Core::ReadU32(file, lines);
    Core::ReadU32(file, circles);
    Math::ReadColor(file, collisionDataColor);
    ReadReferences(file, debugCircles);
    ReadReferences(file, debugLines);
    // The used counts never reach past the objects there are.
    usedLineCount = static_cast<i32>(std::min<u32>(lines, static_cast<u32>(debugLines.size())));
    usedCircleCount = static_cast<i32>(std::min<u32>(circles, static_cast<u32>(debugCircles.size())));
}

void Sprite::SaveCollisionResults(Core::File& file) const
{
    const Collision2D::CollisionResults* results = ResultsOf(*this);
    if (!results)
    {
        return;
    }
    const i32 rectangles = std::min(results->currentBRECTNumber, static_cast<i32>(results->rectangles.size()));
    for (i32 i = 0; i < rectangles; ++i)
    {
        Core::WriteU32(file, PartnerId(results->rectangles[static_cast<size_t>(i)].partnerUserData));
    }
    const i32 geometries = std::min(results->currentDGEONumber, static_cast<i32>(results->geometries.size()));
    for (i32 i = 0; i < geometries; ++i)
    {
        Core::WriteU32(file, PartnerId(results->geometries[static_cast<size_t>(i)].partnerUserData));
    }
}

void Sprite::LoadCollisionResults(Core::File& file)
{
    Collision2D::CollisionResults* results = ResultsOf(*this);
    if (!results)
    {
        return;
    }
    // The counts come from the saved collision world; the pools hold at least that many records.
    const i32 rectangles = std::min(results->currentBRECTNumber, static_cast<i32>(results->rectangles.size()));
    for (i32 i = 0; i < rectangles; ++i)
    {
        u32 id = NoObjectId;
        Core::ReadU32(file, id);
        results->rectangles[static_cast<size_t>(i)].partnerUserData = file.Failed() ? nullptr : SpriteInLevel(id);
    }
    const i32 geometries = std::min(results->currentDGEONumber, static_cast<i32>(results->geometries.size()));
    for (i32 i = 0; i < geometries; ++i)
    {
        u32 id = NoObjectId;
        Core::ReadU32(file, id);
        results->geometries[static_cast<size_t>(i)].partnerUserData = file.Failed() ? nullptr : SpriteIn(GetLayer(), id);
    }
}
}  // namespace Vellumar
