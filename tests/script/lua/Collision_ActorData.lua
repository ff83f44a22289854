-- Globals from the test: frame, copiedFrame, animation and actor (all empty), rectangle (a VelRect
-- of top 10, left -4, right 6, bottom -2), other (another VelRect), layer (a collision layer
-- holding static circles in slots 1 (removed) and 2 and a static segment in slot 1), bare (a layer
-- without slot arrays), expected_circle_id and expected_segment_id. The test checks what the calls
-- built.

local a = CreatePoint() a.X = 1 a.Y = 2
local b = CreatePoint() b.X = 3 b.Y = 4

-- CollisionFrame
assert(none(frame:AddCollisionData(a, b, 21)))
assert(none(frame:AddCollisionData(a)))
assert(none(frame:AddCollisionData(a, "two", 5, true)))
assert(none(frame:AddCollisionData(a, b, -1, true)))
frame:AddCollisionData(a, 2.5, 4294967297, false)
frame:AddCollisionData(b, true)
frame:AddCollisionData(a, b, 7, true, 9)
assert(none(frame:SetBoundingRectangle(rectangle)))
frame:SetBoundingRectangle()
frame:SetBoundingRectangle(a)
frame:SetBoundingRectangle(other, true, 3)
frame:SetBoundingRectangle(5, true)
copiedFrame:SetBoundingRectangle(other)
copiedFrame:SetBoundingRectangle(rectangle, false)

-- CollisionAnimation and CollisionActor
assert(none(animation:AddCollisionFrame(frame)))
animation:AddCollisionFrame()
animation:AddCollisionFrame(a)
animation:AddCollisionFrame(actor)
assert(none(actor:AddCollisionAnimation(animation)))
actor:AddCollisionAnimation(7)
actor:AddCollisionAnimation(frame)

-- CollisionLayer
assert(layer:GetLineSegmentsNumber() == 2 and layer:GetCirclesNumber() == 3)
local segments = layer:GetLineSegments()
assert(#segments == 1 and segments[1]:GetId() == expected_segment_id)
local circles = layer:GetCircles()
assert(#circles == 1 and circles[1]:GetId() == expected_circle_id and circles[1]:GetCircle():GetRadius() == 4)
assert(none(bare:GetLineSegments()) and none(bare:GetCircles()))
assert(bare:GetLineSegmentsNumber() == 1 and bare:GetCirclesNumber() == 1)
