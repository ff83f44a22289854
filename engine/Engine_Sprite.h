#pragma once
// A leaf node that shows one frame of one of its frame animations as a textured quad of the
// frame's cell size. Update advances the frame by delay (at most one frame per update); Draw culls
// the quad against the view frustum and submits one render item.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "math/Math_Color.h"
#include "engine/Engine_Node.h"
#include "engine/Engine_SpriteAnimation.h"
#include "renderer/Renderer_Texture.h"

namespace Engine
{
class Sprite : public Node
{
    CORE_CLASS(Sprite)

public:
    using Animations = Core::Vector<Core::RefPtr<SpriteAnimation>>;

    // No animations and colour (0, 0, 0, 1): what Load fills.
    Sprite();
    explicit Sprite(const Animations& animations);
    // Shares the animations; copies every playback field.
    Sprite(const Sprite& other);
    ~Sprite() override;

    Sprite* Clone() const override;
    // After the node's form: the animations as object references, colour, opacity, elapsed time,
    // speed, current frame and animation, and the six flags. Loading appends the animations read.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    // Update callback, then the frame advance.
    void Update(f32 dt) override;
    void Render(const Math::ViewFrustum&) override { Draw(); }
    void Draw() override;
    void DrawTree() override { Draw(); }

    u32 GetAnimationsCount() const { return static_cast<u32>(animations.size()); }
    // Null for an index that is not an animation of the sprite.
    Core::RefPtr<SpriteAnimation> GetAnimation(u32 index) const;
    Core::RefPtr<SpriteAnimation> GetCurrentAnimation() const { return GetAnimation(currentAnimation); }
    u32 GetCurrentAnimationIndex() const { return currentAnimation; }
    // Empty without a current animation.
    Core::String GetCurrentAnimationName() const;
    void SetCurrentAnimationIndex(u32 index, bool force);
    // The first animation of that name, animation 0 when none has it.
    void SetCurrentAnimationName(const Core::String& name, bool force);

    void SetCurrentFrameIndex(u32 index, bool force);
    void GoToFirstFrame(bool force);
    void GoToLastFrame(bool force);
    u32 GetCurrentFrameIndex() const { return currentFrame; }
    // The current frame's record (a zero record when there is none).
    SpriteFrame GetCurrentFrameDelay() const;
    bool IsEndOfAnimation() const { return endOfAnimation != 0; }

    // true plays (from frame 0 again after a finished run that was neither playing nor paused);
    // false stops on frame 0.
    void SetPlaying(bool play);
    bool IsPlaying() const { return playing != 0; }
    bool IsPaused() const { return paused != 0; }
    void Pause();

    void SetLoop(bool on) { loop = on ? 1 : 0; }
    bool GetLoop() const { return loop != 0; }
    void SetAnimationSpeed(f32 value) { speed = value; }
    f32 GetAnimationSpeed() const { return speed; }
    void SetFlipHorizontal(bool on) { flipHorizontal = on ? 1 : 0; }
    bool GetFlipHorizontal() const { return flipHorizontal != 0; }
    void SetFlipVertical(bool on) { flipVertical = on ? 1 : 0; }
    bool GetFlipVertical() const { return flipVertical != 0; }
    void SetOpacity(f32 value) { opacity = value; }
    f32 GetOpacity() const { return opacity; }
    void SetColor(const Math::Color& value) { color = value; }
    const Math::Color& GetColor() const { return color; }
    f32 GetElapsed() const { return elapsed; }

    // The volume placed by the parent's matrix and scaled to the frame size.
    void GetWorldBoundingVolume(Math::Frustum& volume);

private:
    // The frame advance of Update (dt in seconds).
    void Advance(f32 dt);
    // The current animation when there is one with the current frame in it, else null.
    const SpriteAnimation* DrawableAnimation() const;
    // Scale(±frame width, ±frame height, 1) of the current animation.
    Math::Matrix4x4 FrameScale() const;
    // The part of the quad placed by placed, in its own texture coordinates, that shows the frame
    // whose texture matrix is frame at all, at the size it is drawn: a sheet's cell is mostly
    // transparent around its picture. The whole quad where nothing is cut.
    Renderer::TextureRegion ShownPart(const Renderer::ITexture& texture, const Math::Matrix4x4& frame,
                                      const Math::Matrix4x4& placed) const;
    void SetUnitBox();

    Animations animations;
    Math::Color color{1.0f, 1.0f, 1.0f, 1.0f}; // alpha unused: opacity is the drawn alpha
    f32 opacity = 1.0f;
    f32 elapsed = 0.0f; // speed-scaled time on the current frame
    f32 speed = 1.0f;
    u32 currentFrame = 0;
    u32 currentAnimation = 0;
    u8 endOfAnimation = 0;
    u8 loop = 1;
    u8 playing = 0;
    u8 paused = 0;
    u8 flipHorizontal = 0;
    u8 flipVertical = 0;
    // What Draw last placed and culled, kept while the sprite does not change: its world matrix,
    // derived from the parent's of that version and the frame scale; whether the volume placed by
    // it lies outside the view frustum of that version. Never copied.
    Math::Matrix4x4 placed;
    const Node* placedFrom = nullptr;
    u32 placedFromVersion = 0;
    f32 placedWidth = 0.0f;
    f32 placedHeight = 0.0f;
    u32 culledFrustumVersion = 0; // 0: not culled since last placed
    u32 culledVolumeVersion = 0;
    bool placedValid = false;
    bool culledOutside = false;
};
} // namespace Engine
