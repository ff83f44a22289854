#include "framework/drawables/Vellumar_SpriteAnimation.h"

#include "renderer/Renderer_Texture.h"
#include "renderer/Renderer_TextureCache.h"

#include <algorithm>
#include <cstdio>

namespace Vellumar
{
SpriteAnimation::SpriteAnimation(const Core::String& textureFile, i32 columns, i32 rows,
                                 const Core::Vector<f32>& delays)
    : SpriteAnimation(Renderer::TextureCache::GetTexture(textureFile, 1).Get(), columns, rows, delays)
{
    if (textureName.empty())
    {
        textureName = textureFile;
    }
}

SpriteAnimation::SpriteAnimation(Renderer::ITexture* texture, i32 columns, i32 rows, const Core::Vector<f32>& delays)
{
    const i32 cols = std::max(columns, 1);
    const i32 rowCount = std::max(rows, 1);
    if (texture && texture->GetWidth() > 0 && texture->GetHeight() > 0)
    {
        frameWidth = texture->GetWidth() / cols;
        frameHeight = texture->GetHeight() / rowCount;
        textureName = texture->GetFileName();
    }
    else
    {
        std::fprintf(stderr, "Sprite animation: no picture in \"%s\"; its frames have no size\n",
                     texture ? texture->GetFileName().c_str() : "");
    }
    frames.reserve(delays.size());
    for (size_t i = 0; i < delays.size(); ++i)
    {
        const u32 index = static_cast<u32>(i);
        frames.push_back(SpriteFrame{index % static_cast<u32>(cols), index / static_cast<u32>(cols), delays[i]});
    }
    engineAnimation = new (__FILE__, __LINE__) Engine::SpriteAnimation(texture, frameWidth, frameHeight, frames);
}

SpriteAnimation::~SpriteAnimation() = default;

void SpriteAnimation::SetName(const Core::String& value)
{
    name = value;
    engineAnimation->SetName(value);
}

const Core::String& SpriteAnimation::GetName() const
{
    return engineAnimation->GetName();
}

f32 SpriteAnimation::GetFrameDelay(i64 index) const
{
    if (index < 0 || index >= static_cast<i64>(engineAnimation->GetFramesCount()))
    {
        return 0.0f;
    }
    return engineAnimation->GetFrame(static_cast<u32>(index)).delay;
}

void SpriteAnimation::SetLoopStartingFrame(u32 frame)
{
    loopStartingFrame = frame;
    engineAnimation->SetLoopStartingFrame(frame);
}

void SpriteAnimation::SetLoopEndingFrame(u32 frame)
{
    loopEndingFrame = frame;
    engineAnimation->SetLoopEndingFrame(frame);
}

u32 SpriteAnimation::GetLoopStartingFrame() const
{
    return engineAnimation->GetLoopStartingFrame();
}

u32 SpriteAnimation::GetLoopEndingFrame() const
{
    return engineAnimation->GetLoopEndingFrame();
}
}  // namespace Vellumar
