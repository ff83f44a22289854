#pragma once
// The OpenGL texture: loads an image file (or a raw surface file, or the test pattern) and uploads
// it as RGBA bytes, rounding to powers of two and limiting to the device's largest size where the
// device needs it. The size it reports is always the image's.
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "renderer/Renderer_ImageLoader.h"
#include "renderer/Renderer_Surface.h"
#include "renderer/Renderer_Texture.h"
#include "renderer/Renderer_VisibleRegion.h"

namespace Renderer
{
// What the device accepts: its largest texture side and whether sides need not be powers of two.
struct TextureLimits
{
    i32 maxSize = 0;
    bool nonPowerOfTwo = false;
};

// Asks the current OpenGL context and the process-wide renderer's extension list.
TextureLimits QueryTextureLimits();

class TextureOGL : public ITexture
{
public:
    // Loads the file at once; never fails (a missing file gives the test pattern).
    TextureOGL(const Core::String& fileName, u8 mipmaps);
    // Leaves the texture cache and deletes the OpenGL texture - unless the context it was made in
    // is gone, in which case there is nothing left to delete.
    ~TextureOGL() override;

    i32 GetWidth() const override { return width; }
    i32 GetHeight() const override { return height; }
    i32 GetFormat() const override { return format; }
    i32 GetTextureType() const override { return TwoDimensional; }
    u32 GetID() const override { return name; }
    void Reload() override;
    void Unload() override;
    u8 HasMipmaps() const override { return hasMipmaps; }
    Core::String GetFileName() const override { return fileName; }
    // Found in every level of the chain the texture was loaded from. The coarsest levels of a
    // chain filter a picture in nearly everywhere, but only small shapes read them.
    TextureRegion GetVisibleRegion() const override;
    TextureRegion GetVisibleRegionAt(const TextureFootprint& footprint) const override;
    TextureRegion GetVisibleRegionWithin(const TextureFootprint& footprint, const TextureRegion& within) const override;
    bool IsOpaque() const override { return opaque; }
    bool ReadsLevelZeroOnlyAt(const TextureFootprint& footprint) const override;

private:
    void LoadFile(const Core::String& file, u8 mipmaps);
    // One texture name, one image per level; the chain's surfaces are released.
    void UploadMipChain(MipChain& chain);
    // The surface path: GLU builds the mipmaps, or the surface is scaled to powers of two and the
    // device's limit when it has to be.
    void CreateFromSurface(Core::RefPtr<Surface> surface, u8 mipmaps, const TextureLimits& limits);
    // Whether the OpenGL context the texture was made in still exists.
    bool ContextAlive() const;

    i32 width = 0;
    i32 height = 0;
    u32 name = 0;
    i32 format = 0;
    Core::String fileName;
    u8 mipmapsAsked = 0;
    u8 hasMipmaps = 0;
    i32 baseWidth = 0; // size of level 0 on the device
    i32 baseHeight = 0;
    Core::Vector<TextureRegion> visibleRegions; // entry k: where levels 0 to k show anything
    Core::Vector<AlphaCoverage> coverage;       // per level of the chain loaded
    // Rectangle by rectangle, as visibleRegions for the whole texture: a sheet's cells are asked
    // for again and again.
    struct RegionKey
    {
        f32 left, bottom, right, top;
        bool operator<(const RegionKey& other) const;
    };
    mutable Core::Map<RegionKey, Core::Vector<TextureRegion>> partRegions;
    static constexpr std::size_t MaxRememberedParts = 1024;
    bool opaque = false;
    u32 contextGeneration = 0; // the texture cache generation current when the texture was loaded
};
}  // namespace Renderer
