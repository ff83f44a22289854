#pragma once
// One animation of a sprite: a sheet texture cut into a grid of equal frames, the frames in
// playing order with a delay each, a name and a loop range. It builds and holds the engine
// animation that the engine sprite plays; it is not saved by itself (a saved sprite stores the
// engine animations).
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "engine/Engine_SpriteAnimation.h"

namespace Renderer
{
class ITexture;
}

namespace Vellumar
{
using SpriteFrame = Engine::SpriteFrame;

class SpriteAnimation : public Core::Object
{
public:
    // The sheet from the texture cache (with mipmaps) by its full path.
    SpriteAnimation(const Core::String& textureFile, i32 columns, i32 rows, const Core::Vector<f32>& delays);
    // The same over a texture already at hand. Frame i is cell (i % columns, i / columns); columns
    // or rows below 1 count as 1. Without a texture of some size the frames have size 0.
    SpriteAnimation(Renderer::ITexture* texture, i32 columns, i32 rows, const Core::Vector<f32>& delays);
    SpriteAnimation(const SpriteAnimation&) = delete;
    SpriteAnimation& operator=(const SpriteAnimation&) = delete;
    ~SpriteAnimation() override;

    // Also the engine animation's name.
    void SetName(const Core::String& value);
    // The engine animation's name.
    const Core::String& GetName() const;
    i32 GetFrameWidth() const { return frameWidth; }
    i32 GetFrameHeight() const { return frameHeight; }
    u32 GetFramesCount() const { return static_cast<u32>(frames.size()); }
    // The frame's delay; 0 for an index that is not a frame.
    f32 GetFrameDelay(i64 index) const;
    const SpriteFrame& GetFrame(u32 index) const { return frames[index]; }
    // Kept here and in the engine animation (which keeps them inside its frames).
    void SetLoopStartingFrame(u32 frame);
    void SetLoopEndingFrame(u32 frame);
    u32 GetLoopStartingFrame() const;
    u32 GetLoopEndingFrame() const;
    const Core::String& GetTextureName() const { return textureName; }
    Engine::SpriteAnimation* GetEngineAnimation() const { return engineAnimation.Get(); }

protected:
    const char* GetScriptTypeName() const override { return "SpriteAnimation"; }

private:
    Core::RefPtr<Engine::SpriteAnimation> engineAnimation;
    Core::Vector<SpriteFrame> frames;
    Core::String textureName;
    Core::String name;
    i32 frameWidth = 0;
    i32 frameHeight = 0;
    u32 loopStartingFrame = 0;
    u32 loopEndingFrame = 0;
};
}  // namespace Vellumar
