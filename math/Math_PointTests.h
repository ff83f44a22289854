#pragma once

#include "math/Math_Vector2D.h"

namespace Math {

class Circle2D;
class Line2D;

// True when centre − radius ≤ value ≤ centre + radius.
bool InRange(float value, float centre, float radius);

// Outside when the point is farther from the centre than the radius, Inside when nearer, Meet
// when exactly at the radius.
int PointToCircle(const Point2D& point, const Circle2D& circle);

// Distance from p to the line through q along d; foot receives the closest point of the line.
// With a zero direction there is no line: foot is left as it was and the distance to it returned.
float DistancePointToLine(const Point2D& p, const Point2D& q, const Vector2D& d, Point2D& foot);
float DistancePointToLine2D(const Point2D& p, const Line2D& line, Point2D& foot);

} // namespace Math
