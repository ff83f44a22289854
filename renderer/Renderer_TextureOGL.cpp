#include "renderer/Renderer_TextureOGL.h"

#include "renderer/Renderer_ShadowRenderer.h"
#include "renderer/Renderer_TextureCache.h"
#include "renderer/Renderer_TextureSize.h"
#include "renderer/Renderer_VisibleRegion.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

namespace Renderer
{
namespace
{
// Sets the unpack alignment to 1 (rows of any width tightly packed) for its lifetime.
class TightUnpacking
{
public:
    TightUnpacking()
    {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &saved);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    ~TightUnpacking() { glPixelStorei(GL_UNPACK_ALIGNMENT, saved); }
    TightUnpacking(const TightUnpacking&) = delete;
    TightUnpacking& operator=(const TightUnpacking&) = delete;

private:
    GLint saved = 4;
};

u32 GenerateBoundTexture()
{
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    return name;
}
} // namespace

TextureLimits QueryTextureLimits()
{
    TextureLimits limits;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    limits.maxSize = maxSize;
    limits.nonPowerOfTwo = IsExtensionSupported("GL_ARB_texture_non_power_of_two");
    return limits;
}

TextureOGL::TextureOGL(const Core::String& fileName, u8 mipmaps) : fileName(fileName)
{
    LoadFile(fileName, mipmaps);
}

TextureOGL::~TextureOGL()
{
    if (TextureCache* cache = TextureCache::Get())
        cache->Remove(fileName, this);
    if (ContextAlive())
    {
        GLuint deleted = name;
        glDeleteTextures(1, &deleted);
    }
}

void TextureOGL::Reload()
{
    LoadFile(fileName, mipmapsAsked);
}

void TextureOGL::Unload()
{
    if (!ContextAlive())
        return;
    GLuint deleted = name;
    glDeleteTextures(1, &deleted);
}

bool TextureOGL::ContextAlive() const
{
    return contextGeneration != 0 && contextGeneration == TextureCache::GetCurrentGeneration();
}

void TextureOGL::LoadFile(const Core::String& file, u8 mipmaps)
{
    contextGeneration = TextureCache::GetCurrentGeneration();
    const TextureLimits limits = QueryTextureLimits();
    mipmapsAsked = mipmaps;
    hasMipmaps = mipmaps;
    visibleRegions.clear();
    coverage.clear();
    baseWidth = 0;
    baseHeight = 0;
    partRegions.clear();
    opaque = false;
    MipChain chain;
    if (LoadMipChain(file, mipmaps != 0, limits.nonPowerOfTwo, limits.maxSize, chain))
    {
        width = chain.imageWidth;
        height = chain.imageHeight;
        format = 0;
        baseWidth = chain.levels.front()->GetWidth();
        baseHeight = chain.levels.front()->GetHeight();
        for (const Core::RefPtr<Surface>& level : chain.levels)
            coverage.emplace_back(*level);
        visibleRegions = FindChainVisibleRegions(coverage);
        opaque = true;
        for (const Core::RefPtr<Surface>& level : chain.levels)
            opaque = opaque && Renderer::IsOpaque(*level);
        UploadMipChain(chain);
        return;
    }
    CreateFromSurface(Core::RefPtr<Surface>(new (__FILE__, __LINE__) Surface(file)), mipmaps, limits);
}

TextureRegion TextureOGL::GetVisibleRegion() const
{
    return visibleRegions.empty() ? TextureRegion() : visibleRegions.back();
}

TextureRegion TextureOGL::GetVisibleRegionAt(const TextureFootprint& footprint) const
{
    if (visibleRegions.empty() || !footprint.known)
        return GetVisibleRegion();
    const u32 levelCount = static_cast<u32>(visibleRegions.size());
    return visibleRegions[DeepestLevelRead(footprint, baseWidth, baseHeight, levelCount)];
}

TextureRegion TextureOGL::GetVisibleRegionWithin(const TextureFootprint& footprint, const TextureRegion& within) const
{
    const bool finite = std::isfinite(within.left) && std::isfinite(within.bottom) && std::isfinite(within.right) &&
                        std::isfinite(within.top);
    if (coverage.empty() || !finite)
        return within;
    const RegionKey key{within.left, within.bottom, within.right, within.top};
    auto found = partRegions.find(key);
    if (found == partRegions.end())
    {
        // Rectangles that keep changing would otherwise pile up without end.
        if (partRegions.size() >= MaxRememberedParts)
            partRegions.clear();
        found = partRegions.emplace(key, FindChainVisibleRegions(coverage, within)).first;
    }
    const u32 levelCount = static_cast<u32>(found->second.size());
    return found->second[DeepestLevelRead(footprint, baseWidth, baseHeight, levelCount)];
}

bool TextureOGL::ReadsLevelZeroOnlyAt(const TextureFootprint& footprint) const
{
    return baseWidth > 0 && baseHeight > 0 && ReadsLevelZeroOnly(footprint, baseWidth, baseHeight);
}

bool TextureOGL::RegionKey::operator<(const RegionKey& other) const
{
    if (left != other.left)
        return left < other.left;
    if (bottom != other.bottom)
        return bottom < other.bottom;
    if (right != other.right)
        return right < other.right;
    return top < other.top;
}

void TextureOGL::UploadMipChain(MipChain& chain)
{
    TightUnpacking unpacking;
    name = GenerateBoundTexture();
    for (u32 level = 0; level < chain.levels.size(); ++level)
    {
        const Surface& surface = *chain.levels[level];
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), GL_RGBA, surface.GetWidth(), surface.GetHeight(), 0,
                     GL_RGBA, GL_UNSIGNED_BYTE, surface.GetPixels());
    }
    chain.levels.clear();
}

void TextureOGL::CreateFromSurface(Core::RefPtr<Surface> surface, u8 mipmaps, const TextureLimits& limits)
{
    format = 0;
    width = surface->GetWidth();
    height = surface->GetHeight();
    TightUnpacking unpacking;
    name = GenerateBoundTexture();
    if (mipmaps)
    {
        hasMipmaps = 1;
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, width, height, GL_RGBA, GL_UNSIGNED_BYTE, surface->GetPixels());
        return;
    }
    hasMipmaps = 0;
    const bool fits = width <= limits.maxSize && height <= limits.maxSize;
    const bool sizesAccepted =
        limits.nonPowerOfTwo || (IsPowerOfTwo(static_cast<u32>(width)) && IsPowerOfTwo(static_cast<u32>(height)));
    if (fits && sizesAccepted)
    {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, surface->GetPixels());
        return;
    }
    const i32 scaledWidth = std::min(static_cast<i32>(NearestPowerOfTwo(static_cast<u32>(width))), limits.maxSize);
    const i32 scaledHeight = std::min(static_cast<i32>(NearestPowerOfTwo(static_cast<u32>(height))), limits.maxSize);
    Core::Vector<u8> scaled(static_cast<std::size_t>(std::max(scaledWidth, 0)) * static_cast<std::size_t>(std::max(scaledHeight, 0)) * 4, 0);
    gluScaleImage(GL_RGBA, width, height, GL_UNSIGNED_BYTE, surface->GetPixels(), scaledWidth, scaledHeight,
                  GL_UNSIGNED_BYTE, scaled.data());
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, scaledWidth, scaledHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, scaled.data());
}
} // namespace Renderer
