#pragma once
// What an image file says about itself before its pixels, read through SDL's stream without
// decoding anything: the picture size its header declares, and for PNG whether every chunk is
// whole and carries its correct checksum (libpng can loop forever on damaged chunks).
#include "platform/PAL_Image.h"

struct SDL_RWops;

namespace PAL
{
// The declared width and height; for an icon the largest width and the largest height among its
// images. False when the header is cut short or malformed.
bool ReadDeclaredSize(SDL_RWops* stream, ImageFormat format, i64& width, i64& height);
// True when the chunks after the signature, IHDR first, are whole, have correct CRC-32 values and
// end with IEND.
bool ArePngChunksWhole(SDL_RWops* stream);
}  // namespace PAL
