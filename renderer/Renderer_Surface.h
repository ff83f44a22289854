#pragma once
// An image in main memory: RGBA bytes, rows from the bottom of the picture up (as OpenGL takes
// pixel data). Textures are made from surfaces, and surfaces can be copied to the window through
// the renderer's raster commands.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"

#include <string>

namespace Renderer
{
class Surface : public Core::Object
{
public:
    // The only pixel layout: red, green, blue, alpha bytes.
    static constexpr i32 FormatRGBA = 0;
    // Size of the grey pattern that marks a missing image.
    static constexpr i32 TestPatternSide = 256;
    // Bytes before the pixels of a raw surface file: format, width, height, pitch (u32 each).
    static constexpr u32 RawHeaderSize = 16;

    // Zero-filled; negative sizes count as 0.
    Surface(i32 width, i32 height, i32 format);
    // An image file (PNG, BMP, JPEG), else a raw surface file, else the test pattern; a named file
    // that gives neither is reported on standard error, with why.
    explicit Surface(const Core::String& fileName);

    // Fills the surface from an image file; false (surface unchanged) when the name is not an
    // image name or the file cannot be decoded, which failure (when given) then says in words.
    bool LoadFromFile(const Core::String& fileName, std::string* failure = nullptr);
    // Fills the surface from a raw surface file. A header that does not describe exactly the bytes
    // that follow it is refused (false, surface unchanged), so a hostile file never makes a huge
    // allocation or a short read.
    bool LoadRawFile(const Core::String& fileName);
    // 256 x 256, pixel (x, y) = (x ^ y, x ^ y, x ^ y, 255).
    void MakeTestPattern();

    i32 GetFormat() const { return format; }
    i32 GetWidth() const { return width; }
    i32 GetHeight() const { return height; }
    i32 GetPitch() const { return pitch; }
    u8* GetPixels() { return pixels.data(); }
    const u8* GetPixels() const { return pixels.data(); }
    u32 GetByteCount() const { return static_cast<u32>(pixels.size()); }
    // The four bytes of column x, row y counted from the bottom; the caller keeps both in range.
    const u8* GetPixel(i32 x, i32 y) const
    {
        return pixels.data() + static_cast<u32>(y) * static_cast<u32>(pitch) + static_cast<u32>(x) * 4u;
    }

private:
    void Resize(i32 newWidth, i32 newHeight, i32 newFormat);

    i32 format = FormatRGBA;
    i32 width = 0;
    i32 height = 0;
    i32 pitch = 0;
    Core::Vector<u8> pixels;
};
}  // namespace Renderer
