#pragma once

namespace Math {

// Three single-precision components: points, directions and plane normals of the 3D side.
class Vector3D {
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vector3D() = default;
    Vector3D(float x, float y, float z) : x(x), y(y), z(z) {}

    Vector3D operator+(const Vector3D& other) const { return {x + other.x, y + other.y, z + other.z}; }
    Vector3D operator-(const Vector3D& other) const { return {x - other.x, y - other.y, z - other.z}; }
    Vector3D& operator+=(const Vector3D& other);
    Vector3D operator*(float s) const { return {x * s, y * s, z * s}; }
    bool operator==(const Vector3D& other) const = default;

    float Length() const;
    // Divides by the length unless the length is exactly 0.
    void Normalize();
};

// Four single-precision components: homogeneous points and the renderer's plane equations.
class Vector4D {
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;

    Vector4D() = default;
    Vector4D(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}
    // The homogeneous point (0, 0, 0, 1).
    static Vector4D Origin() { return {0.0f, 0.0f, 0.0f, 1.0f}; }

    void Set(float x, float y, float z, float w);
    bool operator==(const Vector4D& other) const = default;
};

inline float Dot(const Vector3D& a, const Vector3D& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// (a2·b3 − a3·b2, a3·b1 − a1·b3, a1·b2 − a2·b1)
Vector3D Cross(float a1, float a2, float a3, float b1, float b2, float b3);
inline Vector3D Cross(const Vector3D& a, const Vector3D& b) { return Cross(a.x, a.y, a.z, b.x, b.y, b.z); }

} // namespace Math
