-- Globals from the test: line, otherLine, segment, otherSegment, circle, otherCircle, ray,
-- otherRay (script copies of shapes), and the native results expected_*.

-- Line2D
local p = line:GetPoint()
assert(p.className == "Point2D" and p.X == 0 and p.Y == 0)
local v = CreateVector() v.X = 3 v.Y = 4
assert(none(line:SetDirection(v)))
assert(line:GetDirection().X == 3 and line:GetDirection().className == "Vector2D")
v.X = 1 v.Y = 0
line:SetDirection(v)
local code, at = line:ClassifyToLine(otherLine)
assert(code == expected_line_line and code == 20 and at.className == "Point2D")
assert(line:Parallel(otherLine) == true and line:Perpendicular(otherLine) == false)
assert(near(line:AngleBetween(otherLine), 0))
local c, first, second = line:ClassifyToCircle(circle)
assert(c == expected_line_circle and near(first.X, expected_line_circle_x) and second ~= nil)
local touches, point = line:Tangent(circle)
assert(touches == expected_line_tangent and near(point.X, 0))
assert(select('#', line:ClassifyToRay(ray)) == 2)
assert(select('#', line:ClassifyToLineSegment(segment)) == 2)
assert(none(line:ClassifyToLine()) and none(line:ClassifyToCircle()) and none(line:Tangent()))
assert(none(line:ClassifyToRay(circle)) and none(line:Parallel()) and none(line:AngleBetween()))
assert(none(line:SetPoint()) and none(line:ClassifyToLineSegment()) and none(line:Perpendicular()))

-- LineSegment2D
assert(segment:GetPointA().X == 0 and segment:GetPointB().X == 1)
local code2, meeting, shared = segment:ClassifyToRay(ray)
assert(code2 == expected_segment_ray and shared:GetPointB().X == expected_segment_ray_shared_bx)
assert(select('#', segment:ClassifyToLineSegment(otherSegment)) == 3)
local c3, p1 = segment:ClassifyToCircle(otherCircle)
assert(c3 == expected_segment_circle and near(p1.X, 0.5))
assert(segment:Alligned(otherSegment) == expected_segment_alligned)
assert(segment:Parallel(otherSegment) and not segment:Perpendicular(otherSegment))
assert(near(segment:AngleBetween(otherSegment), 0))
assert(select('#', segment:Tangent(circle)) == 2 and select('#', segment:ClassifyToLine(line)) == 2)
local a = CreatePoint() a.X = 5 a.Y = 6
segment:SetPointA(a)
assert(segment:GetPointA().Y == 6)
assert(none(segment:SetPointB()) and none(segment:ClassifyToRay()) and none(segment:Alligned()))
assert(none(segment:ClassifyToLineSegment(line)) and none(segment:ClassifyToCircle()))
assert(none(segment:Tangent()) and none(segment:ClassifyToLine()) and none(segment:Parallel()))
assert(none(segment:Perpendicular()) and none(segment:AngleBetween()))

-- Circle2D
assert(circle:GetRadius() == 1 and circle:GetCenter().Y == 1)
circle:SetRadius(2)
assert(circle:GetRadius() == 2)
circle:SetRadius(1)
local cc, q1, q2 = circle:ClassifyToCircle(otherCircle)
assert(cc == expected_circle_circle and q1.className == "Point2D" and q2 ~= nil)
assert(select('#', circle:ClassifyToLineSegment(segment)) == 3)
assert(none(circle:SetRadius()) and none(circle:SetCenter(5)) and none(circle:ClassifyToCircle()))
assert(none(circle:ClassifyToLineSegment()) and none(circle:ClassifyToCircle(segment)))

-- Ray2D
local rc, rp, rs, rr = ray:ClassifyToRay(otherRay)
assert(rc == expected_ray_ray and rs:GetPointA().X == expected_ray_ray_ax and rr:GetOrigin() ~= nil)
assert(select('#', ray:ClassifyToRay(otherRay)) == 4)
assert(select('#', ray:ClassifyToLineSegment(segment)) == 3)
assert(select('#', ray:ClassifyToCircle(circle)) == 3 and select('#', ray:Tangent(circle)) == 2)
assert(select('#', ray:ClassifyToLine(line)) == 2)
assert(ray:Parallel(otherRay) and not ray:Perpendicular(otherRay) and near(ray:AngleBetween(otherRay), 180))
local o = CreatePoint() o.X = 9
ray:SetOrigin(o)
assert(ray:GetOrigin().X == 9 and ray:GetDirection().className == "Vector2D")
assert(none(ray:SetDirection()) and none(ray:ClassifyToRay()) and none(ray:ClassifyToLineSegment()))
assert(none(ray:ClassifyToCircle()) and none(ray:Tangent()) and none(ray:ClassifyToLine()))
assert(none(ray:Parallel()) and none(ray:Perpendicular()) and none(ray:AngleBetween()))

-- A method called on a shape of another class does nothing.
assert(none(line.GetPoint(circle)))
