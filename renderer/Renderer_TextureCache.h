#pragma once
// The one entry point through which images become textures: asked by file name, it hands out
// counted textures and lets simultaneous users share one copy. It holds no reference itself: a
// texture lives while somebody holds it and leaves the cache when it goes. The renderer makes the
// cache once its OpenGL context is current and destroys it before the context goes.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "renderer/Renderer_Texture.h"

namespace Renderer
{
class TextureOGL;

class TextureCache
{
public:
    // Makes the process-wide cache (replacing one that exists) and starts a new context generation.
    static void Create();
    // Frees the cache; textures still held elsewhere stay alive and, released later, touch neither
    // the cache nor the OpenGL context that went with it.
    static void Destroy();
    // Null when there is no cache.
    static TextureCache* Get();
    // The generation of the current cache, 0 when there is none. Textures remember it, so that
    // one made under an earlier context never deletes a name of a later one.
    static u32 GetCurrentGeneration();

    // The texture already loaded under exactly this name (the mipmap flag is then ignored), or a
    // new one loaded now. Names are compared byte for byte. Null only while there is no cache
    // (no OpenGL context to load into).
    static Core::RefPtr<ITexture> GetTexture(const Core::String& fileName, u8 mipmaps);

    bool Contains(const Core::String& fileName) const { return entries.count(fileName) != 0; }
    u32 GetEntryCount() const { return static_cast<u32>(entries.size()); }
    // Called by a texture that goes: removes its entry when the entry is that texture.
    void Remove(const Core::String& fileName, const TextureOGL* texture);

private:
    explicit TextureCache(u32 generation) : generation(generation) {}

    Core::Map<Core::String, TextureOGL*> entries;
    u32 generation;
};
}  // namespace Renderer
