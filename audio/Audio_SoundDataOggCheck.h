#pragma once
// Checks the Vorbis setup headers of an Ogg file before the decoder opens it: libvorbis accepts a
// codebook of dimension 0 (with lookup type 2) and later divides by that dimension while decoding
// a type-0 residue that uses it, which ends the process inside ov_read.
#include <cstdio>

namespace Audio
{
// True unless a Vorbis stream of the file (every link of a chain) has a setup header with a
// codebook of dimension 0, or the file holds more streams at once than any sound has. Headers
// that cannot be parsed here are left to the decoder, which refuses them itself. The file is
// read from the start and left at its start.
bool AreVorbisCodebooksSound(std::FILE* file);
}
