#pragma once

#include <span>

// Every texture that the game's content, the game and the GUI load, as the game uses it: the grid
// it is cut into, the number of frames, and what fixes the size of one frame. A sprite is drawn
// as its frame in pixels centred on its position, so the frame must hold the bounding rectangle of
// the sprite's collision frames (top, left, right, bottom, y upwards; the largest where frames
// differ): twice its largest extent on each axis. The one-texel covers and the chain strip are
// stretched by the game and are exactly their rectangle.
namespace AssetsTest
{
struct Rect
{
    int top, left, right, bottom;
};

enum class Fit
{
    Centred,  // the centred frame that encloses `rect`
    Texel,    // a frame of exactly `rect`'s size
    Size      // a frame of `width` x `height`, for pictures without collision shapes
};

struct ExpectedTexture
{
    const char* folder;
    const char* name;
    int columns, rows, frames;
    Fit fit;
    Rect rect;
    int width, height;
};

std::span<const ExpectedTexture> PlayTextures();
std::span<const ExpectedTexture> MenuTextures();
std::span<const ExpectedTexture> GuiTextures();
std::span<const ExpectedTexture> ParticleTextures();
}
