#pragma once

namespace Core {
class File;
}

namespace Math {

// Two single-precision components; one layout serves directions (Vector2D) and positions
// (Point2D). Plain value: copied freely, compared exactly.
class Vector2D {
public:
    float x = 0.0f;
    float y = 0.0f;

    Vector2D() = default;
    Vector2D(float x, float y) : x(x), y(y) {}

    Vector2D operator+(const Vector2D& other) const { return {x + other.x, y + other.y}; }
    Vector2D operator-(const Vector2D& other) const { return {x - other.x, y - other.y}; }
    Vector2D operator-() const { return {-x, -y}; }
    Vector2D& operator+=(const Vector2D& other);
    Vector2D& operator-=(const Vector2D& other);
    Vector2D operator*(float s) const { return {x * s, y * s}; }
    bool operator==(const Vector2D& other) const { return x == other.x && y == other.y; }

    [[nodiscard]] Vector2D Negate() const { return {-x, -y}; }
    void SetZero();
    float Dot(const Vector2D& other) const { return x * other.x + y * other.y; }
    float Length() const;
    // Divides by the length unless it is below the math tolerance; shorter vectors stay as they are.
    void Normalize();

    // Stream form: x then y, little-endian f32.
    void Save(Core::File& file) const;
    void Load(Core::File& file);
};

using Point2D = Vector2D;

inline Vector2D operator*(float s, const Vector2D& v) { return v * s; }
inline Vector2D operator/(const Vector2D& v, float s) { return {v.x / s, v.y / s}; }
inline float Dot(const Vector2D& a, const Vector2D& b) { return a.Dot(b); }

// The vector from point b to point a.
inline Vector2D MakeVector(const Point2D& a, const Point2D& b) { return a - b; }

// a divided by its length; the zero vector when the length is exactly 0.
Vector2D Normalized(const Vector2D& a);

Core::File& WriteVector2D(Core::File& file, const Vector2D& v);
Core::File& ReadVector2D(Core::File& file, Vector2D& v);

} // namespace Math
