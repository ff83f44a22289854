#pragma once
// The GUI's rectangle: position (lower-left corner, y growing upwards) and size, in window pixels.
// All four edges belong to the rectangle; a rectangle narrower or lower than one pixel is not
// valid, which is how clipping tells a visible overlap from none. Scripts see rectangles as
// "NRectangle" userdata; they own only the ones their "Intersect" makes.
#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "math/Math_Vector2D.h"

namespace Core
{
class File;
}

namespace GUI
{
class NRectangle : public Core::Base
{
public:
    NRectangle() = default;
    NRectangle(f32 x, f32 y, f32 width, f32 height) : x(x), y(y), width(width), height(height) {}

    void SetPosition(const Math::Point2D& position);
    Math::Point2D GetPosition() const { return Math::Point2D(x, y); }
    f32 GetLeft() const { return x; }
    f32 GetBottom() const { return y; }
    f32 GetWidth() const { return width; }
    f32 GetHeight() const { return height; }
    f32 GetRight() const { return x + width; }
    f32 GetTop() const { return y + height; }
    void SetLeft(f32 value) { x = value; }
    void SetBottom(f32 value) { y = value; }
    void SetWidth(f32 value) { width = value; }
    void SetHeight(f32 value) { height = value; }

    // Edges included.
    bool IsInside(f32 px, f32 py) const;
    // At least one pixel wide and high.
    bool IsValid() const;
    // out := the overlap of a and b, with a negative width or height where they do not meet;
    // returns out.IsValid().
    static bool Intersect(NRectangle& out, const NRectangle& a, const NRectangle& b);

    // Differ when any of x, y, width, height differs.
    bool operator!=(const NRectangle& other) const;
    bool operator==(const NRectangle& other) const { return !(*this != other); }

    // x, y, width, height as four f32.
    void Save(Core::File& file) const;
    void Load(Core::File& file);

    f32 x = 0.0f;
    f32 y = 0.0f;
    f32 width = 0.0f;
    f32 height = 0.0f;

protected:
    const char* GetScriptTypeName() const override;
};
} // namespace GUI
