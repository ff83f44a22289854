#pragma once
// One bitmap font per requested name for the whole run. The rendering application owns the cache;
// constructing it makes it the process-wide cache that FontCache::GetFont reaches, and fonts are
// only let go when it is emptied or destroyed.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "engine/Engine_Font.h"

namespace Engine
{
class FontCache
{
public:
    // Becomes the process-wide cache.
    FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;
    // Releases every font; the process-wide cache is then none (when it was this one).
    ~FontCache();

    // The process-wide cache's font of that name, loaded on first request; the key is the name
    // as given, so the empty name (the default font) is cached under the empty string. Without a
    // cache the font is made for the caller alone.
    static Core::RefPtr<BitmapFont> GetFont(const Core::String& name);
    static FontCache* GetInstance();

    Core::RefPtr<BitmapFont> Get(const Core::String& name);
    u32 GetCount() const { return static_cast<u32>(fonts.size()); }
    // Releases every font (the application does so before its renderer goes).
    void Clear() { fonts.clear(); }

private:
    Core::Map<Core::String, Core::RefPtr<BitmapFont>> fonts;
};
} // namespace Engine
