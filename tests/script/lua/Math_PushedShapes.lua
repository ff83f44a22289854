-- Globals from the test: line (through (1, 2) along (0, 1)), segment ((0, 0) to (4, 0)), circle
-- (centre (3, 4), radius 5) and ray (from (-1, 0) along (1, 0)), each pushed by its own
-- PushToScript. They are the native shapes: what the script sets, the test reads back.

assert(line:GetPoint().X == 1 and line:GetDirection().Y == 1)
assert(segment:GetPointB().X == 4 and segment:ClassifyToLineSegment(segment) == 19)
assert(circle:GetCenter().Y == 4 and circle:GetRadius() == 5)
assert(ray:GetOrigin().X == -1 and ray:ClassifyToLineSegment(segment) == 19)
assert(line:ClassifyToRay(ray) == 0 and circle:ClassifyToLineSegment(segment) == 14)

local p = CreatePoint() p.X = 7 p.Y = 8
line:SetPoint(p)
segment:SetPointB(p)
circle:SetRadius(9)
ray:SetOrigin(p)
