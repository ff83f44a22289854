#include "engine/Engine_FontCache.h"

namespace Engine
{
namespace
{
FontCache* instance = nullptr;
}

FontCache::FontCache()
{
    instance = this;
}

FontCache::~FontCache()
{
    fonts.clear();
    if (instance == this)
        instance = nullptr;
}

FontCache* FontCache::GetInstance()
{
    return instance;
}

Core::RefPtr<BitmapFont> FontCache::GetFont(const Core::String& name)
{
    if (instance)
        return instance->Get(name);
    return Core::RefPtr<BitmapFont>(new (__FILE__, __LINE__) BitmapFont(name));
}

Core::RefPtr<BitmapFont> FontCache::Get(const Core::String& name)
{
    auto found = fonts.find(name);
    if (found != fonts.end() && found->second)
        return found->second;
    Core::RefPtr<BitmapFont> font(new (__FILE__, __LINE__) BitmapFont(name));
    fonts[name] = font;
    return font;
}
} // namespace Engine
