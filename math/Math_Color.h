#pragma once

namespace Core {
class File;
}

namespace Math {

// Red, green, blue and alpha as the renderer hands them to OpenGL. Zero by default.
class Color {
public:
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;

    Color() = default;
    Color(float r, float g, float b, float a) : r(r), g(g), b(b), a(a) {}

    // Channel-wise arithmetic, for blends such as a + (b − a) × t.
    Color operator+(const Color& o) const { return {r + o.r, g + o.g, b + o.b, a + o.a}; }
    Color operator-(const Color& o) const { return {r - o.r, g - o.g, b - o.b, a - o.a}; }
    Color operator*(float s) const { return {r * s, g * s, b * s, a * s}; }
    bool operator==(const Color& other) const = default;
};

// Stream form: r, g, b, a, little-endian f32.
Core::File& WriteColor(Core::File& file, const Color& color);
Core::File& ReadColor(Core::File& file, Color& color);

} // namespace Math
