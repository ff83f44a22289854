#pragma once
// One frame animation of a sprite: a texture used as a grid of equal cells and the frames that
// name a cell and how long it shows. Shared, not copied, between a sprite and its clones.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "math/Math_Matrix4x4.h"

namespace Renderer
{
class ITexture;
}

namespace Engine
{
// Also the frame's form in saved files: u32 column, u32 row, f32 delay.
struct SpriteFrame
{
    u32 column = 0;
    u32 row = 0;
    f32 delay = 0.0f; // seconds of speed-scaled time
};

class SpriteAnimation : public Core::Object
{
    CORE_CLASS(SpriteAnimation)

public:
    // No texture, zero sizes, no frames: what Load fills.
    SpriteAnimation();
    // The loop runs over every frame.
    SpriteAnimation(Renderer::ITexture* texture, i32 frameWidth, i32 frameHeight,
                    const Core::Vector<SpriteFrame>& frames);
    SpriteAnimation(const SpriteAnimation&) = delete;
    SpriteAnimation& operator=(const SpriteAnimation&) = delete;
    ~SpriteAnimation() override;

    // Frames, name, the texture's file name (its folder is the application's resource path when
    // read back), loop frames and cell size. Loading appends the frames read.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    const Core::String& GetName() const { return name; }
    void SetName(const Core::String& value) { name = value; }
    // Loop frames are kept inside the frame list (0 when it is empty).
    void SetLoopStartingFrame(u32 frame) { loopStart = ClampToFrames(frame); }
    u32 GetLoopStartingFrame() const { return loopStart; }
    void SetLoopEndingFrame(u32 frame) { loopEnd = ClampToFrames(frame); }
    u32 GetLoopEndingFrame() const { return loopEnd; }

    u32 GetFramesCount() const { return static_cast<u32>(frames.size()); }
    // The caller keeps index below the frame count.
    const SpriteFrame& GetFrame(u32 index) const { return frames[index]; }
    Core::RefPtr<Renderer::ITexture> GetTexture() const;
    i32 GetFrameWidth() const { return frameWidth; }
    i32 GetFrameHeight() const { return frameHeight; }

    // Maps the unit square onto the frame's cell: Translation(su·column, sv·row, 0) × Scale(su,
    // sv, 1) with su, sv the cell size over the texture size and column and row taken modulo 256.
    // Identity without a texture of some size.
    Math::Matrix4x4 GetFrameTextureMatrix(u32 index) const;

private:
    u32 ClampToFrames(u32 frame) const;

    Core::Vector<SpriteFrame> frames;
    Core::String name;
    Core::RefPtr<Renderer::ITexture> texture;
    u32 loopStart = 0;
    u32 loopEnd = 0;
    i32 frameWidth = 0;
    i32 frameHeight = 0;
    // The frames' texture matrices, made when first asked for at the texture size of then: every
    // sprite of the animation asks for one each time it is drawn.
    mutable Core::Vector<Math::Matrix4x4> frameTextureMatrices;
    mutable i32 matricesTextureWidth = 0;
    mutable i32 matricesTextureHeight = 0;
};
} // namespace Engine
