#include "platform/PAL_Image.h"

#include "platform/PAL_ImageHeader.h"
#include "core/PAL_Path.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace PAL
{
namespace
{
constexpr std::size_t LongestSignature = 8;

bool TakesFormat(ImageFormat format, ImageUse use)
{
    switch (format)
    {
    case ImageFormat::Png:
    case ImageFormat::Bmp:
    case ImageFormat::Jpeg:
        return true;
    case ImageFormat::Ico:
        return use == ImageUse::Icon;
    case ImageFormat::Unknown:
        break;
    }
    return false;
}

// Each format goes to its own loader: SDL_image's guess-everything loader would also run
// decoders for formats the engine never reads.
SDL_Surface* Decode(SDL_RWops* stream, ImageFormat format)
{
    if (SDL_RWseek(stream, 0, RW_SEEK_SET) != 0)
        return nullptr;
    switch (format)
    {
    case ImageFormat::Png:
        return IMG_LoadPNG_RW(stream);
    case ImageFormat::Bmp:
        return IMG_LoadBMP_RW(stream);
    case ImageFormat::Jpeg:
        return IMG_LoadJPG_RW(stream);
    case ImageFormat::Ico:
        return IMG_LoadICO_RW(stream);
    case ImageFormat::Unknown:
        break;
    }
    return nullptr;
}

// Converts the decoder's surface straight into the image's own pixels, so that the picture exists
// in at most one copy beside the decoder's. A colour key becomes alpha 0 on the pixels of the key
// colour, as SDL's own conversion does it.
bool CopyPixels(SDL_Surface* decoded, DecodedImage& image)
{
    if (!IsImageSizeAccepted(decoded->w, decoded->h))
        return false;
    const std::size_t rowBytes = static_cast<std::size_t>(decoded->w) * 4;
    Core::Vector<u8> pixels(rowBytes * static_cast<std::size_t>(decoded->h));
    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), decoded->w, decoded->h, 32,
                                                             static_cast<int>(rowBytes), SDL_PIXELFORMAT_RGBA32);
    if (!target)
        return false;
    Uint32 key = 0;
    const bool keyed = SDL_GetColorKey(decoded, &key) == 0;
    SDL_SetColorKey(decoded, SDL_FALSE, 0);
    SDL_SetSurfaceBlendMode(decoded, SDL_BLENDMODE_NONE);
    const bool copied = SDL_BlitSurface(decoded, nullptr, target, nullptr) == 0;
    SDL_FreeSurface(target);
    if (!copied)
        return false;
    if (keyed)
    {
        u8 red = 0;
        u8 green = 0;
        u8 blue = 0;
        SDL_GetRGB(key, decoded->format, &red, &green, &blue);
        for (std::size_t at = 0; at < pixels.size(); at += 4)
        {
            if (pixels[at] == red && pixels[at + 1] == green && pixels[at + 2] == blue)
                pixels[at + 3] = 0;
        }
    }
    image.width = decoded->w;
    image.height = decoded->h;
    image.pixels.swap(pixels);
    return true;
}

// The checks every stream passes before its decoder sees it: a format the use takes, a declared
// size within the limits and, for PNG, whole chunks. A refusal says why in failure.
bool DecodeStream(SDL_RWops* stream, DecodedImage& image, ImageUse use, std::string& failure)
{
    u8 lead[LongestSignature] = {};
    const std::size_t leadBytes = SDL_RWread(stream, lead, 1, sizeof(lead));
    const ImageFormat format = DetectImageFormat(lead, leadBytes);
    i64 width = 0;
    i64 height = 0;
    if (!TakesFormat(format, use))
    {
        failure = use == ImageUse::Icon ? "it is no PNG, BMP, JPEG or ICO picture" : "it is no PNG, BMP or JPEG picture";
        return false;
    }
    if (!ReadDeclaredSize(stream, format, width, height))
    {
        failure = "its header is cut short or unreadable";
        return false;
    }
    if (!IsImageSizeAccepted(width, height))
    {
        failure = "its header declares " + std::to_string(width) + " x " + std::to_string(height) +
                  " pixels, beyond the pictures accepted";
        return false;
    }
    if (format == ImageFormat::Png && !ArePngChunksWhole(stream))
    {
        failure = "a PNG chunk of it is cut short or fails its checksum";
        return false;
    }
    SDL_Surface* decoded = Decode(stream, format);
    if (!decoded)
    {
        failure = std::string("the decoder refused it: ") + IMG_GetError();
        return false;
    }
    const bool copied = CopyPixels(decoded, image);
    SDL_FreeSurface(decoded);
    if (!copied)
        failure = "its pixels could not be converted";
    return copied;
}

bool DecodeAndClose(SDL_RWops* stream, DecodedImage& image, ImageUse use, std::string& failure)
{
    if (!stream)
        return false;
    const bool decoded = DecodeStream(stream, image, use, failure);
    SDL_RWclose(stream);
    return decoded;
}
}  // namespace

bool IsImageSizeAccepted(i64 width, i64 height)
{
    return width > 0 && height > 0 && width <= MaxImageSide && height <= MaxImageSide &&
           static_cast<u64>(width) * static_cast<u64>(height) <= MaxImagePixels;
}

ImageFormat DetectImageFormat(const u8* bytes, std::size_t count)
{
    static constexpr u8 png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (count >= sizeof(png) && std::memcmp(bytes, png, sizeof(png)) == 0)
        return ImageFormat::Png;
    if (count >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return ImageFormat::Bmp;
    if (count >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return ImageFormat::Jpeg;
    if (count >= 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 1 && bytes[3] == 0)
        return ImageFormat::Ico;
    return ImageFormat::Unknown;
}

bool DecodeImageFile(const Core::String& path, DecodedImage& image, ImageUse use, std::string* failure)
{
    std::string reason;
    errno = 0;
    SDL_RWops* stream = SDL_RWFromFile(ToOSPath(path.View()).c_str(), "rb");
    if (!stream)
        reason = errno != 0 ? std::strerror(errno) : SDL_GetError();
    const bool decoded = DecodeAndClose(stream, image, use, reason);
    if (failure)
        *failure = reason;
    return decoded;
}

bool DecodeImageBytes(const u8* bytes, std::size_t count, DecodedImage& image, ImageUse use)
{
    if (count > static_cast<std::size_t>(INT32_MAX))
        return false;
    std::string failure;
    return DecodeAndClose(SDL_RWFromConstMem(bytes, static_cast<int>(count)), image, use, failure);
}
}  // namespace PAL
