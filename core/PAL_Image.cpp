#include "core/PAL_Image.h"

#include "core/PAL_Path.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

namespace PAL
{
bool DecodeImageFile(const Core::String& path, DecodedImage& image)
{
    SDL_Surface* loaded = IMG_Load(ToOSPath(path.View()).c_str());
    if (!loaded)
    {
        return false;
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    if (!rgba)
    {
        return false;
    }
    const bool fits = rgba->w > 0 && rgba->h > 0 && rgba->w <= MaxImageSide && rgba->h <= MaxImageSide;
    if (fits && SDL_LockSurface(rgba) == 0)
    {
        const std::size_t rowBytes = static_cast<std::size_t>(rgba->w) * 4;
        image.width = rgba->w;
        image.height = rgba->h;
        image.pixels.resize(rowBytes * static_cast<std::size_t>(rgba->h));
        const auto* source = static_cast<const u8*>(rgba->pixels);
        for (i32 row = 0; row < rgba->h; ++row)
        {
            std::memcpy(image.pixels.data() + rowBytes * static_cast<std::size_t>(row),
                        source + static_cast<std::size_t>(rgba->pitch) * static_cast<std::size_t>(row), rowBytes);
        }
        SDL_UnlockSurface(rgba);
        SDL_FreeSurface(rgba);
        return true;
    }
    SDL_FreeSurface(rgba);
    return false;
}
}  // namespace PAL
