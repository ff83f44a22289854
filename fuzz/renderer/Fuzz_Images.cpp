// Pictures as the renderer and the window icon read them: format detection, header checks and the
// decoders, then the mipmap chain a texture builds; bytes no decoder takes go to the raw surface
// reader, as the texture loader hands them on. Every whole PNG chunk of a mutated input gets its
// checksum mended, so that mutations get past the chunk check into the decoder. Seeds are the
// smallest pictures the asset generator drew, the game icon, and BMP and JPEG pictures written
// here.
#include "fuzz/Fuzz_Target.h"

#include "platform/PAL_Image.h"
#include "renderer/Renderer_ImageLoader.h"
#include "renderer/Renderer_Surface.h"

#include <cstring>
#include <string>

namespace
{
// A 16 x 8 baseline JPEG with 2 x 2 chroma subsampling, made once with ImageMagick
// ("convert -size 16x8 gradient:red-blue -quality 40 -strip"): the project writes no JPEG itself.
const Fuzz::Bytes SmallJpeg = {
    0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
    0x00, 0x01, 0x00, 0x00, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x14, 0x0E, 0x0F, 0x12, 0x0F, 0x0D, 0x14,
    0x12, 0x10, 0x12, 0x17, 0x15, 0x14, 0x18, 0x1E, 0x32, 0x21, 0x1E, 0x1C, 0x1C, 0x1E, 0x3D, 0x2C,
    0x2E, 0x24, 0x32, 0x49, 0x40, 0x4C, 0x4B, 0x47, 0x40, 0x46, 0x45, 0x50, 0x5A, 0x73, 0x62, 0x50,
    0x55, 0x6D, 0x56, 0x45, 0x46, 0x64, 0x88, 0x65, 0x6D, 0x77, 0x7B, 0x81, 0x82, 0x81, 0x4E, 0x60,
    0x8D, 0x97, 0x8C, 0x7D, 0x96, 0x73, 0x7E, 0x81, 0x7C, 0xFF, 0xDB, 0x00, 0x43, 0x01, 0x15, 0x17,
    0x17, 0x1E, 0x1A, 0x1E, 0x3B, 0x21, 0x21, 0x3B, 0x7C, 0x53, 0x46, 0x53, 0x7C, 0x7C, 0x7C, 0x7C,
    0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C,
    0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C,
    0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0x7C, 0xFF, 0xC0,
    0x00, 0x11, 0x08, 0x00, 0x08, 0x00, 0x10, 0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11,
    0x01, 0xFF, 0xC4, 0x00, 0x15, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0xFF, 0xC4, 0x00, 0x16, 0x10, 0x01, 0x01, 0x01,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x14, 0x61,
    0xFF, 0xC4, 0x00, 0x15, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x05, 0xFF, 0xC4, 0x00, 0x17, 0x11, 0x00, 0x03, 0x01, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x14, 0x51,
    0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00, 0x83, 0x46,
    0x94, 0x68, 0x2F, 0x40, 0x8C, 0x11, 0x6B, 0xB4, 0xFF, 0xD9
};

bool Read(const u8* data, std::size_t size)
{
    PAL::DecodedImage image;
    if (PAL::DecodeImageBytes(data, size, image, PAL::ImageUse::Icon))
    {
        Renderer::MipChain chain;
        Renderer::BuildMipChain(image, true, false, 4096, chain);
        return true;
    }
    const Fuzz::TemporaryFile file(".raw", data, size);
    const Core::RefPtr<Renderer::Surface> surface(new Renderer::Surface(Core::String(file.Path())));
    return false;
}

// A bottom-up BMP of a colour ramp: 24 bits per pixel, or 8 with a grey palette.
Fuzz::Bytes Bmp(u32 width, u32 height, u32 bits)
{
    const u32 paletteBytes = bits == 8 ? 256 * 4 : 0;
    const u32 rowBytes = (width * bits / 8 + 3) & ~3u;
    const u32 offset = 54 + paletteBytes;
    Fuzz::Bytes file = {'B', 'M'};
    Fuzz::PutLittleEndian32(file, offset + rowBytes * height);
    Fuzz::PutLittleEndian32(file, 0);
    Fuzz::PutLittleEndian32(file, offset);
    Fuzz::PutLittleEndian32(file, 40);
    Fuzz::PutLittleEndian32(file, width);
    Fuzz::PutLittleEndian32(file, height);
    Fuzz::PutLittleEndian16(file, 1);
    Fuzz::PutLittleEndian16(file, bits);
    Fuzz::PutLittleEndian32(file, 0);
    Fuzz::PutLittleEndian32(file, rowBytes * height);
    Fuzz::PutLittleEndian32(file, 2835);
    Fuzz::PutLittleEndian32(file, 2835);
    Fuzz::PutLittleEndian32(file, bits == 8 ? 256 : 0);
    Fuzz::PutLittleEndian32(file, 0);
    for (u32 i = 0; i < paletteBytes / 4; ++i)
        Fuzz::PutLittleEndian32(file, i * 0x010101u);
    for (u32 y = 0; y < height; ++y)
    {
        const std::size_t start = file.size();
        for (u32 x = 0; x < width; ++x)
        {
            const u8 value = static_cast<u8>((x * 255) / width);
            if (bits == 8)
                file.push_back(value);
            else
                file.insert(file.end(), {value, static_cast<u8>(y * 30), static_cast<u8>(255 - value)});
        }
        file.resize(start + rowBytes, 0);
    }
    return file;
}

// PNG's CRC-32: reflected polynomial 0xEDB88320 over the chunk type and data.
u32 ChunkChecksum(const u8* bytes, std::size_t count)
{
    u32 crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < count; ++i)
    {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1u ? crc >> 1 ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

std::size_t RepairChunks(u8* data, std::size_t size, std::size_t)
{
    static constexpr u8 signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (size < 8 || std::memcmp(data, signature, 8) != 0)
        return size;
    for (std::size_t at = 8; at + 12 <= size;)
    {
        const std::size_t length = static_cast<std::size_t>(data[at]) << 24 | static_cast<std::size_t>(data[at + 1]) << 16 |
                                   static_cast<std::size_t>(data[at + 2]) << 8 | data[at + 3];
        if (length > size - at - 12)
            break;
        const u32 crc = ChunkChecksum(data + at + 4, length + 4);
        for (int i = 0; i < 4; ++i)
            data[at + 8 + length + static_cast<std::size_t>(i)] = static_cast<u8>(crc >> (24 - 8 * i));
        at += length + 12;
    }
    return size;
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    for (const char* name : {"Animations/TRANSIT_BLACK.png", "Animations/CHAIN_LIGHTNING.png", "Skins/White.png",
                             "Animations/PROGRESS_BAR1.png", "GameIcon/GameIcon.png", "GameIcon/GameIcon.ico"})
    {
        const Fuzz::Bytes bytes = Fuzz::ReadResource(name);
        if (!bytes.empty())
            seeds.emplace_back(std::string(name).substr(std::string(name).find('/') + 1), bytes);
    }
    seeds.emplace_back("ramp24.bmp", Bmp(5, 3, 24));
    seeds.emplace_back("grey8.bmp", Bmp(6, 2, 8));
    seeds.emplace_back("gradient.jpg", SmallJpeg);
}

const Fuzz::Registration registration("Images", Read, WriteSeeds, RepairChunks);
}  // namespace
