#pragma once
// A texture the renderer can bind: what the engine asks of every texture, whatever holds its
// pixels. Textures are counted objects shared through the texture cache.
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"

namespace Renderer
{
// A rectangle of texture coordinates: (0, 0) is the bottom-left corner of the image, (1, 1) the
// top-right one.
struct TextureRegion
{
    f32 left = 0.0f;
    f32 bottom = 0.0f;
    f32 right = 1.0f;
    f32 top = 1.0f;

    bool operator==(const TextureRegion&) const = default;
};

// How fast a shape's texture coordinates change on the screen where it is drawn: for one pixel to
// the right (du/dx, dv/dx) and one pixel up (du/dy, dv/dy). It decides which mipmap levels
// filtering reads. An unknown footprint stands for any draw.
struct TextureFootprint
{
    f32 dudx = 0.0f;
    f32 dvdx = 0.0f;
    f32 dudy = 0.0f;
    f32 dvdy = 0.0f;
    bool known = false;
};

class ITexture : public Core::Object
{
public:
    // Texture types reported by GetTextureType: anything but TwoDimensional binds as 1D.
    static constexpr i32 TwoDimensional = 1;

    // Size of the source image in pixels (not of what the device holds after rounding).
    virtual i32 GetWidth() const = 0;
    virtual i32 GetHeight() const = 0;
    // 0 for every texture the engine makes (RGBA bytes).
    virtual i32 GetFormat() const = 0;
    virtual i32 GetTextureType() const = 0;
    // The device's name for the texture.
    virtual u32 GetID() const = 0;
    // Loads the file again under a fresh name; pairs with Unload.
    virtual void Reload() = 0;
    // Deletes the device texture.
    virtual void Unload() = 0;
    virtual u8 HasMipmaps() const = 0;
    virtual Core::String GetFileName() const = 0;
    // The region outside which filtering reads only fully transparent texels, whatever mipmap
    // levels it reads: a shape blended by its source alpha shows nothing beyond it. The whole
    // texture where that is not known.
    virtual TextureRegion GetVisibleRegion() const { return TextureRegion(); }
    // Every texel of every level has alpha 1, so filtering that reads no border colour gives
    // alpha 1 everywhere. False where that is not known.
    virtual bool IsOpaque() const { return false; }
    // The same for a shape drawn with that footprint, which reads only some of the levels.
    virtual TextureRegion GetVisibleRegionAt(const TextureFootprint&) const { return GetVisibleRegion(); }
    // The part of within (a rectangle of texture coordinates, such as one cell of a sheet) outside
    // which filtering with that footprint reads only fully transparent texels, for a shape whose
    // texture coordinates all lie inside within: the whole of within where that is not known, and
    // the empty region at the origin where nothing of it shows.
    virtual TextureRegion GetVisibleRegionWithin(const TextureFootprint&, const TextureRegion& within) const
    {
        return within;
    }
    // Filtering a shape drawn with that footprint reads level 0 of the texture alone, so that
    // mipmapping changes nothing there. False where that is not known.
    virtual bool ReadsLevelZeroOnlyAt(const TextureFootprint&) const { return false; }
};
}  // namespace Renderer
