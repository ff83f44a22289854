#pragma once

// Tolerances, angle factors and the one classification code set of the math library. The values
// are part of the engine's observable behaviour (collision outcomes depend on them), so they are
// kept exactly as single-precision constants.
namespace Math {

// Near-zero tolerance of every math test, except the point-to-plane test.
inline constexpr float Epsilon = 0.0005f;
// Distance from a plane's stored point under which a point counts as lying on the plane.
inline constexpr float PlaneEpsilon = 0.05f;

// True when value lies outside the open interval (−Epsilon, Epsilon).
inline constexpr bool ClearOfZero(float value)
{
    return value <= -Epsilon || value >= Epsilon;
}

inline constexpr float DegreesToRadians = 0.017453292f;
inline constexpr float HalfDegreesToRadians = 0.0087266462f;
inline constexpr float RadiansToDegrees = 57.29578f;

// Outcomes of the shape, point, plane and volume tests.
namespace Code {
inline constexpr int Meet = 0;            // one meeting point; on the boundary; intersecting
inline constexpr int Apart = 1;           // the shapes do not meet
inline constexpr int Outside = 2;
inline constexpr int Inside = 3;
inline constexpr int Front = 8;           // in front of a plane
inline constexpr int Behind = 9;          // behind a plane
inline constexpr int Tangent = 13;        // a line or segment touches a circle
inline constexpr int OnePoint = 14;       // a segment or ray meets a circle once
inline constexpr int TwoPoints = 15;
inline constexpr int Same = 19;           // same line or circle, or collinear overlap
inline constexpr int Parallel = 20;       // parallel and distinct
inline constexpr int CollinearApart = 21; // collinear without a common point
inline constexpr int RaysFacing = 22;     // collinear rays pointing towards each other
inline constexpr int RaysSameWay = 23;    // collinear rays pointing the same way
inline constexpr int ContainsCircle = 26; // the other circle lies inside this one
inline constexpr int TouchInside = 27;
inline constexpr int TouchOutside = 28;
} // namespace Code

} // namespace Math
