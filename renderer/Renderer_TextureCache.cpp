#include "renderer/Renderer_TextureCache.h"

#include "renderer/Renderer_TextureOGL.h"

namespace Renderer
{
namespace
{
TextureCache* instance = nullptr;
u32 lastGeneration = 0;
} // namespace

void TextureCache::Create()
{
    Destroy();
    instance = new TextureCache(++lastGeneration);
}

void TextureCache::Destroy()
{
    delete instance;
    instance = nullptr;
}

TextureCache* TextureCache::Get()
{
    return instance;
}

u32 TextureCache::GetCurrentGeneration()
{
    return instance ? instance->generation : 0;
}

Core::RefPtr<ITexture> TextureCache::GetTexture(const Core::String& fileName, u8 mipmaps)
{
    if (!instance)
        return nullptr;
    auto found = instance->entries.find(fileName);
    if (found != instance->entries.end() && found->second)
        return Core::RefPtr<ITexture>(found->second);
    TextureOGL* loaded = new (__FILE__, __LINE__) TextureOGL(fileName, mipmaps);
    Core::RefPtr<ITexture> texture(loaded);
    instance->entries[fileName] = loaded;
    return texture;
}

void TextureCache::Remove(const Core::String& fileName, const TextureOGL* texture)
{
    auto found = entries.find(fileName);
    if (found != entries.end() && found->second == texture)
        entries.erase(found);
}
} // namespace Renderer
