#include "engine/Engine_Sprite.h"

#include "core/Core_File.h"
#include "engine/Engine_BoundingVolume.h"
#include "engine/Engine_RenderItem.h"
#include "engine/Engine_SceneGraph.h"
#include "engine/Engine_SpriteDrawing.h"
#include "renderer/Renderer_Texture.h"

namespace Engine
{
CORE_REGISTER_CLASS(Sprite, "Engine::Sprite")

Sprite::Sprite() : color(0.0f, 0.0f, 0.0f, 1.0f)
{
    SetUnitBox();
}

Sprite::Sprite(const Animations& spriteAnimations) : animations(spriteAnimations)
{
    SetUnitBox();
}

Sprite::Sprite(const Sprite& other)
    : Node(other), animations(other.animations), color(other.color), opacity(other.opacity), elapsed(other.elapsed),
      speed(other.speed), currentFrame(other.currentFrame), currentAnimation(other.currentAnimation),
      endOfAnimation(other.endOfAnimation), loop(other.loop), playing(other.playing), paused(other.paused),
      flipHorizontal(other.flipHorizontal), flipVertical(other.flipVertical)
{
}

Sprite::~Sprite() = default;

Sprite* Sprite::Clone() const
{
    return new (__FILE__, __LINE__) Sprite(*this);
}

// The unit square from z = 0 back to z = -1, which Draw scales to the frame size.
void Sprite::SetUnitBox()
{
    Math::Frustum box = MakeBox(0.5f, 0.5f, 0.5f);
    for (Math::Vector3D& corner : box.corners)
        corner.z -= 0.5f;
    box.center = Math::Vector3D(0.0f, 0.0f, -0.5f);
    boundingVolume.SetBox(box);
}

Core::RefPtr<SpriteAnimation> Sprite::GetAnimation(u32 index) const
{
    return index < animations.size() ? animations[index] : nullptr;
}

Core::String Sprite::GetCurrentAnimationName() const
{
    const Core::RefPtr<SpriteAnimation> animation = GetCurrentAnimation();
    return animation ? animation->GetName() : Core::String();
}

void Sprite::SetCurrentAnimationIndex(u32 index, bool force)
{
    if (index >= animations.size())
        return;
    if (!force && index == currentAnimation)
        return;
    currentAnimation = index;
    if (animations[index]->GetFramesCount() > 0)
    {
        currentFrame = 0;
        elapsed = 0.0f;
        endOfAnimation = 0;
    }
}

void Sprite::SetCurrentAnimationName(const Core::String& name, bool force)
{
    u32 index = 0;
    for (u32 i = 0; i < animations.size(); ++i)
    {
        if (animations[i]->GetName() == name)
        {
            index = i;
            break;
        }
    }
    SetCurrentAnimationIndex(index, force);
}

void Sprite::SetCurrentFrameIndex(u32 index, bool force)
{
    const Core::RefPtr<SpriteAnimation> animation = GetCurrentAnimation();
    if (!animation || index >= animation->GetFramesCount())
        return;
    if (force || index != currentFrame)
    {
        currentFrame = index;
        elapsed = 0.0f;
    }
    endOfAnimation = 0;
}

void Sprite::GoToFirstFrame(bool force)
{
    SetCurrentFrameIndex(0, force);
}

void Sprite::GoToLastFrame(bool force)
{
    const Core::RefPtr<SpriteAnimation> animation = GetCurrentAnimation();
    if (!animation || animation->GetFramesCount() == 0)
        return;
    SetCurrentFrameIndex(animation->GetFramesCount() - 1, force);
}

SpriteFrame Sprite::GetCurrentFrameDelay() const
{
    const SpriteAnimation* animation = DrawableAnimation();
    return animation ? animation->GetFrame(currentFrame) : SpriteFrame();
}

void Sprite::SetPlaying(bool play)
{
    if (!play)
    {
        playing = 0;
        paused = 0;
        currentFrame = 0;
        return;
    }
    if (!playing && !paused && endOfAnimation)
        currentFrame = 0;
    playing = 1;
    paused = 0;
}

void Sprite::Pause()
{
    playing = 0;
    paused = 1;
}

void Sprite::Update(f32 dt)
{
    if (updateCallback)
        updateCallback(*this, dt);
    Advance(dt);
}

void Sprite::Advance(f32 dt)
{
    const SpriteAnimation* animation = DrawableAnimation();
    if (!animation)
        return;
    const u32 count = animation->GetFramesCount();
    const f32 step = speed * dt;
    if (!playing)
        return;
    elapsed = elapsed + step;
    endOfAnimation = 0;
    // An unordered comparison (a NaN time) ends no frame.
    if (!(animation->GetFrame(currentFrame).delay < elapsed))
        return;
    // The overshoot is dropped, so one update never passes more than one frame.
    elapsed = 0.0f;
    ++currentFrame;
    const u32 limit = loop ? animation->GetLoopEndingFrame() + 1 : count;
    const u32 wrapTarget = loop ? animation->GetLoopStartingFrame() : count - 1;
    if (currentFrame >= limit)
    {
        currentFrame = wrapTarget;
        endOfAnimation = 1;
        if (!loop)
            playing = 0;
    }
}

const SpriteAnimation* Sprite::DrawableAnimation() const
{
    if (currentAnimation >= animations.size())
        return nullptr;
    const SpriteAnimation* animation = animations[currentAnimation];
    return currentFrame < animation->GetFramesCount() ? animation : nullptr;
}

Math::Matrix4x4 Sprite::FrameScale() const
{
    const SpriteAnimation* animation = currentAnimation < animations.size() ? animations[currentAnimation].Get() : nullptr;
    if (!animation)
        return Math::Matrix4x4::Scaling(0.0f, 0.0f, 1.0f);
    const f32 width = static_cast<f32>(animation->GetFrameWidth()) * (flipHorizontal ? -1.0f : 1.0f);
    const f32 height = static_cast<f32>(animation->GetFrameHeight()) * (flipVertical ? -1.0f : 1.0f);
    return Math::Matrix4x4::Scaling(width, height, 1.0f);
}

void Sprite::GetWorldBoundingVolume(Math::Frustum& volume)
{
    const Math::Matrix4x4 parentMatrix = parent ? parent->GetMatrix() : Math::Matrix4x4::Identity();
    boundingVolume.Transform(parentMatrix * FrameScale());
    volume = boundingVolume.GetWorldBox();
}

Renderer::TextureRegion Sprite::ShownPart(const Renderer::ITexture& texture, const Math::Matrix4x4& frame,
                                          const Math::Matrix4x4& placed) const
{
    // The frame's cell: the unit square's texture coordinates scaled and moved, never turned.
    const f32* t = frame.e;
    if (t[1] != 0.0f || t[4] != 0.0f || !(t[0] > 0.0f) || !(t[5] > 0.0f))
        return Renderer::TextureRegion();
    const Renderer::TextureRegion cell{t[12], t[13], t[12] + t[0], t[13] + t[5]};
    // The part that level 0 alone shows (a footprint of no texels per pixel) lies within the part
    // of any footprint: when it is the whole cell, so is the part shown, wherever the sprite lies.
    Renderer::TextureFootprint levelZero;
    levelZero.known = true;
    if (texture.GetVisibleRegionWithin(levelZero, cell) == cell)
        return Renderer::TextureRegion();
    // One whole texture spans 1 / t[0] of the quad's widths.
    const Renderer::TextureFootprint footprint = FootprintOf(Math::Matrix4x4::Identity(), 1.0f / t[0], 1.0f / t[5],
                                                             CurrentPixelMapping(placed, screenSpace != 0, overlay != 0));
    const Renderer::TextureRegion shown = texture.GetVisibleRegionWithin(footprint, cell);
    if (shown == cell)
        return Renderer::TextureRegion();
    return Renderer::TextureRegion{(shown.left - cell.left) / t[0], (shown.bottom - cell.bottom) / t[5],
                                   (shown.right - cell.left) / t[0], (shown.top - cell.bottom) / t[5]};
}

void Sprite::Draw()
{
    if (!visible)
        return;
    const SpriteAnimation* animation = DrawableAnimation();
    if (!animation)
        return;
    Core::RefPtr<Renderer::ITexture> texture = animation->GetTexture();
    if (!texture)
        return;
    const f32 width = static_cast<f32>(animation->GetFrameWidth()) * (flipHorizontal ? -1.0f : 1.0f);
    const f32 height = static_cast<f32>(animation->GetFrameHeight()) * (flipVertical ? -1.0f : 1.0f);
    const u32 parentVersion = parent ? parent->GetWorldVersion() : 0u;
    if (!placedValid || placedFrom != parent || placedFromVersion != parentVersion || placedWidth != width ||
        placedHeight != height)
    {
        placed = ParentWorldMatrix() * Math::Matrix4x4::Scaling(width, height, 1.0f);
        placedFrom = parent;
        placedFromVersion = parentVersion;
        placedWidth = width;
        placedHeight = height;
        placedValid = true;
        culledFrustumVersion = 0;
    }
    if (!overlay && !screenSpace)
    {
        const SceneGraph* scene = SceneGraph::GetCurrent();
        const u32 frustumVersion = scene ? scene->GetViewFrustumVersion() : 0u;
        if (culledFrustumVersion == 0 || culledFrustumVersion != frustumVersion ||
            culledVolumeVersion != boundingVolume.GetVersion())
        {
            boundingVolume.Transform(placed);
            culledOutside = IsOutsideCurrentView(boundingVolume.GetWorldBox());
            culledFrustumVersion = frustumVersion;
            culledVolumeVersion = boundingVolume.GetVersion();
        }
        if (culledOutside)
            return;
    }
    RenderItem item;
    item.useQueueDefaults = 1;
    item.lastPassOnly = overlay;
    item.texture = std::move(texture);
    item.color = Math::Color(color.r, color.g, color.b, opacity);
    item.subset = 0;
    item.textureMatrix = animation->GetFrameTextureMatrix(currentFrame);
    item.world = placed;
    item.shownPart = ShownPart(*animation->GetTexture(), item.textureMatrix, placed);
    item.primitiveType = Renderer::Primitive::Triangles;
    SubmitPlaced(item, screenSpace);
}

void Sprite::Save(Core::File& file)
{
    Node::Save(file);
    Core::WriteU32(file, GetAnimationsCount());
    for (const Core::RefPtr<SpriteAnimation>& animation : animations)
        file.WriteObject(animation);
    Math::WriteColor(file, color);
    Core::WriteF32(file, opacity);
    Core::WriteF32(file, elapsed);
    Core::WriteF32(file, speed);
    Core::WriteU32(file, currentFrame);
    Core::WriteU32(file, currentAnimation);
    Core::WriteU8(file, endOfAnimation);
    Core::WriteU8(file, loop);
    Core::WriteU8(file, playing);
    Core::WriteU8(file, paused);
    Core::WriteU8(file, flipHorizontal);
    Core::WriteU8(file, flipVertical);
}

void Sprite::Load(Core::File& file)
{
    const LoadScope scope(*this);
    Node::Load(file);
    u32 count = 0;
    // Every reference takes at least its presence byte.
    Core::ReadCount(file, count, 1);
    for (u32 i = 0; i < count; ++i)
    {
        Core::RefPtr<SpriteAnimation> animation;
        if (!file.ReadObjectInto(animation))
            break;
        if (animation)
            animations.push_back(animation);
    }
    Math::ReadColor(file, color);
    Core::ReadF32(file, opacity);
    Core::ReadF32(file, elapsed);
    Core::ReadF32(file, speed);
    Core::ReadU32(file, currentFrame);
    Core::ReadU32(file, currentAnimation);
    Core::ReadU8(file, endOfAnimation);
    Core::ReadU8(file, loop);
    Core::ReadU8(file, playing);
    Core::ReadU8(file, paused);
    Core::ReadU8(file, flipHorizontal);
    Core::ReadU8(file, flipVertical);
    // Indices from the stream are kept inside the animations and frames that are there.
    if (currentAnimation >= animations.size())
        currentAnimation = 0;
    if (currentAnimation >= animations.size() || currentFrame >= animations[currentAnimation]->GetFramesCount())
        currentFrame = 0;
}
} // namespace Engine
