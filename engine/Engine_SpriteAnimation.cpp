#include "engine/Engine_SpriteAnimation.h"

#include "core/Core_File.h"
#include "engine/Engine_ApplicationRendering.h"
#include "renderer/Renderer_Texture.h"
#include "renderer/Renderer_TextureCache.h"

namespace Engine
{
CORE_REGISTER_CLASS(SpriteAnimation, "Engine::SpriteAnimation")

namespace
{
constexpr u32 FrameRecordSize = 12;

// The name a stream gives for a texture file, as a plain file name: it may only name a file of
// the resource folder, never reach out of it.
Core::String PlainFileName(const Core::String& stored)
{
    const std::size_t separator = stored.find_last_of("\\/");
    Core::String plain = separator == Core::String::npos ? stored : stored.SubstringFrom(static_cast<u32>(separator + 1));
    if (plain == "." || plain == "..")
        return Core::String();
    return plain;
}
} // namespace

SpriteAnimation::SpriteAnimation() = default;

SpriteAnimation::SpriteAnimation(Renderer::ITexture* sheet, i32 width, i32 height,
                                 const Core::Vector<SpriteFrame>& animationFrames)
    : frames(animationFrames), texture(sheet), loopEnd(frames.empty() ? 0 : GetFramesCount() - 1),
      frameWidth(width), frameHeight(height)
{
}

SpriteAnimation::~SpriteAnimation() = default;

Core::RefPtr<Renderer::ITexture> SpriteAnimation::GetTexture() const
{
    return texture;
}

u32 SpriteAnimation::ClampToFrames(u32 frame) const
{
    if (frames.empty())
        return 0;
    return frame < GetFramesCount() ? frame : GetFramesCount() - 1;
}

Math::Matrix4x4 SpriteAnimation::GetFrameTextureMatrix(u32 index) const
{
    if (!texture || index >= GetFramesCount())
        return Math::Matrix4x4::Identity();
    const i32 width = texture->GetWidth();
    const i32 height = texture->GetHeight();
    if (width <= 0 || height <= 0)
        return Math::Matrix4x4::Identity();
    if (frameTextureMatrices.size() != frames.size() || width != matricesTextureWidth || height != matricesTextureHeight)
    {
        const f32 su = static_cast<f32>(frameWidth) / static_cast<f32>(width);
        const f32 sv = static_cast<f32>(frameHeight) / static_cast<f32>(height);
        frameTextureMatrices.clear();
        frameTextureMatrices.reserve(frames.size());
        for (const SpriteFrame& frame : frames)
        {
            const f32 column = static_cast<f32>(frame.column & 0xFFu);
            const f32 row = static_cast<f32>(frame.row & 0xFFu);
            frameTextureMatrices.push_back(Math::Matrix4x4::Translation(su * column, sv * row, 0.0f) *
                                           Math::Matrix4x4::Scaling(su, sv, 1.0f));
        }
        matricesTextureWidth = width;
        matricesTextureHeight = height;
    }
    return frameTextureMatrices[index];
}

void SpriteAnimation::Save(Core::File& file)
{
    Core::WriteU32(file, GetFramesCount());
    for (const SpriteFrame& frame : frames)
    {
        Core::WriteU32(file, frame.column);
        Core::WriteU32(file, frame.row);
        Core::WriteF32(file, frame.delay);
    }
    Core::WriteString(file, name);
    Core::WriteString(file, texture ? Core::GetFileName(texture->GetFileName()) : Core::String());
    Core::WriteU32(file, loopStart);
    Core::WriteU32(file, loopEnd);
    Core::WriteI32(file, frameWidth);
    Core::WriteI32(file, frameHeight);
}

void SpriteAnimation::Load(Core::File& file)
{
    u32 count = 0;
    if (!Core::ReadCount(file, count, FrameRecordSize))
        return;
    frames.reserve(frames.size() + count);
    for (u32 i = 0; i < count; ++i)
    {
        SpriteFrame frame;
        Core::ReadU32(file, frame.column);
        Core::ReadU32(file, frame.row);
        Core::ReadF32(file, frame.delay);
        frames.push_back(frame);
    }
    Core::ReadString(file, name);
    Core::String textureName;
    Core::ReadString(file, textureName);
    u32 start = 0;
    u32 end = 0;
    Core::ReadU32(file, start);
    Core::ReadU32(file, end);
    Core::ReadI32(file, frameWidth);
    Core::ReadI32(file, frameHeight);
    SetLoopStartingFrame(start);
    SetLoopEndingFrame(end);

    const Core::String plain = PlainFileName(textureName);
    Renderer::TextureCache* cache = Renderer::TextureCache::Get();
    if (!plain.empty() && cache && !file.Failed())
    {
        const RenderingApplication* application = RenderingApplication::GetInstance();
        const Core::String folder = application ? application->GetPath() : Core::String();
        texture = cache->GetTexture(folder + "\\" + plain, 1);
    }
    frameTextureMatrices.clear();
}
} // namespace Engine
