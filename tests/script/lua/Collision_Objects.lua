-- Globals from the test: engine (layer 0 holds the dynamic object bodyId, a static circle and a
-- static segment, and the tile map mapId), body (the dynamic object), actor (its collision actor),
-- circle and segment (the static shapes), map (the tile map), mapPath, and the native results
-- expected_*.

-- CollisionEngine
assert(engine:GetMaximumInterpolationValue() == 20)
engine:SetMaximumInterpolationValue(1)
assert(engine:GetMaximumInterpolationValue() == 20)
engine:SetMaximumInterpolationValue(2)
assert(engine:GetMaximumInterpolationValue() == 2)
engine:SetMaximumInterpolationValue(20)
assert(engine:ObjectInCollision(bodyId) == expected_in_collision)
assert(engine:GetObjectZCollision(bodyId) == 0)
assert(engine:SetObjectZCollision(circleId, 300) == expected_z_id)
assert(circle:GetZ_Collision() == 44)
engine:SetDynamicObjectCanCollid(bodyId, 3, true)
assert(engine:GetDynamicObjectCanCollid(bodyId, 3) == true and body:GetCanCollid(3) == true)
engine:SetDynamicObjectCollisionType(bodyId, false)
assert(engine:GetDynamicObjectCollisionType(bodyId) == false)
engine:SetDynamicObjectCollisionType(bodyId, true)
engine:SetDynamicObjectUpdateOnIdle(bodyId)
assert(engine:GetDynamicObjectUpdateOnIdle(bodyId) == false)
engine:SetDynamicObjectCollisionThickness(bodyId, 2.5)
assert(engine:GetDynamicObjectCollisionThickness(bodyId) == 2.5)
assert(engine:GetDynamicObjectCollisionThickness(12345) == 0)
engine:SetDynamicObjectBoundingRectangleCheckingTileMap(bodyId, false)
assert(engine:GetDynamicObjectBoundingRectangleCheckingTileMap(bodyId) == false)
local segments = engine:GetStaticLineSegments(0)
assert(#segments == 1 and segments[1]:GetId() == segment:GetId())
assert(#engine:GetStaticCircles(0) == 1)
assert(engine:GetStaticLineSegmentsNumber(0) == expected_segment_slots)
assert(engine:GetStaticCirclesNumber(0) == expected_circle_slots)
assert(none(engine:GetStaticCircles(7)) and none(engine:GetStaticCirclesNumber(-1)))
assert(#engine:GetDynamicObjectLineSegments(bodyId) == 1)
assert(#engine:GetDynamicObjectCircles(bodyId) == 1)
assert(#engine:GetDynamicObjectHotSpots(bodyId) == 1)
assert(engine:GetCurrentDynamicObjectLineSegments(bodyId)[1]:GetPointB().X == expected_world_b_x)
assert(engine:GetCurrentDynamicObjectCircles(bodyId)[1]:GetRadius() == 4)
assert(engine:GetCurrentDynamicObjectHotSpots(bodyId)[1].X == expected_world_hot_x)
assert(none(engine:GetDynamicObjectCircles(circleId)))
local rectangle = engine:GetObjectBoundingRectangle(bodyId)
assert(rectangle.top == expected_top)
rectangle.top = 50
engine:SetObjectBoundingRectangle(bodyId, rectangle)
assert(engine:GetObjectBoundingRectangle(bodyId).top == 50 and body:GetBoundingRectangle().top == 50)
assert(engine:GetCurrentObjectBoundingRectangle(bodyId).right == expected_current_right)
assert(none(engine:SetMaximumInterpolationValue()) and none(engine:ObjectInCollision()))
assert(none(engine:SetObjectZCollision(bodyId)) and none(engine:GetObjectZCollision()))
assert(none(engine:GetDynamicObjectCanCollid(bodyId)) and none(engine:GetDynamicObjectCollisionType()))
assert(none(engine:GetDynamicObjectUpdateOnIdle()) and none(engine:GetDynamicObjectCollisionThickness()))
assert(none(engine:GetDynamicObjectBoundingRectangleCheckingTileMap()) and none(engine:GetStaticLineSegments()))
assert(none(engine:GetDynamicObjectLineSegments()) and none(engine:GetCurrentDynamicObjectHotSpots()))
assert(none(engine:GetObjectBoundingRectangle()) and none(engine:GetCurrentObjectBoundingRectangle()))

-- DynamicObject
body:SetZCollision(255)
assert(expected_z() == 254)
body:SetZCollision(0)
local p = CreatePoint() p.X = 10 p.Y = 20
body:SetPosition(p)
body:SetOldPosition(p)
body:SetOrientation(30)
body:SetOldOrientation(30)
assert(expected_pose() == "10 20 30")
body:SetUpdateOnIdle(true)
assert(engine:GetDynamicObjectUpdateOnIdle(bodyId))
body:SetCollisionType(false)
assert(not engine:GetDynamicObjectCollisionType(bodyId))
body:SetCanCollid(300, true)
assert(body:GetCanCollid(44))
body:SetCollisionThickness(1.5)
assert(engine:GetDynamicObjectCollisionThickness(bodyId) == 1.5)
body:SetBoundingRectangleCheckingTileMap(true)
assert(body:GetBoundingRectangleCheckingTileMap() == true)
assert(#body:GetLineSegments() == 1 and #body:GetCircles() == 1 and #body:GetHotSpots() == 1)
assert(#body:GetCurrentLineSegments() == 1 and #body:GetCurrentCircles() == 1 and #body:GetCurrentHotSpots() == 1)
assert(body:GetCurrentHotSpot(0).X == expected_world_hot_x)
assert(body:GetCurrentHotSpot(1).X == 0 and body:GetCurrentHotSpot(1).Y == 0)
assert(body:GetCurrentBoundingRectangle().right == expected_current_right)
assert(none(body:SetZCollision()) and none(body:SetPosition(5)) and none(body:SetCanCollid(1)))
assert(none(body:SetCurrentCollisionFrame(0, 0, true)) and none(body:GetCurrentHotSpot()))
assert(none(body:GetCanCollid()) and none(body:SetCollisionActor(actor, 0)) and none(body:AddCollisionData(5)))

-- Dynamic shapes
local frameSegment = body:GetLineSegments()[1]
assert(frameSegment:GetUserId() == 21)
frameSegment:SetUserId(-1)
assert(frameSegment:GetUserId() == 4294967295)
frameSegment:SetUserId(21)
local noFlip = frameSegment.lineSegmentNoFlip
assert(noFlip:GetPointB().X == 8)
frameSegment.lineSegmentVFlip = noFlip
assert(frameSegment.lineSegmentVFlip:GetPointB().Y == noFlip:GetPointB().Y)
local frameCircle = body:GetCircles()[1]
assert(frameCircle.circleNoFlip:GetRadius() == 4 and frameCircle:GetUserId() == 11)
assert(none(frameCircle:SetUserId()))
local hot = body:GetHotSpots()[1]
assert(hot:GetHotSpotNoFlip().X == 2 and hot:GetHotSpotHFlip().X == -2)
local q = CreatePoint() q.X = 7 q.Y = 7
hot:SetHotSpotVFlip(q)
assert(hot:GetHotSpotVFlip().X == 7)
assert(none(hot:SetHotSpotNoFlip()) and hot:GetHotSpotHVFlip().Y == -3)

-- Static shapes
assert(circle:GetId() == expected_circle_id and segment:GetId() == expected_segment_id)
circle:SetUserId(-1)
assert(circle:GetUserId() == 4294967295)
circle:SetZCollision(300)
assert(circle:GetZ_Collision() == 44)
local c = circle:GetCircle()
c:SetRadius(9)
assert(circle.circle:GetRadius() == 3)
circle:SetCircle(c)
assert(circle:GetCircle():GetRadius() == 9)
segment.lineSegment = noFlip
assert(segment:GetLineSegment():GetPointB().X == 8)
assert(none(segment:SetLineSegment()) and none(segment:SetUserId()) and none(segment:SetZCollision()))
assert(none(circle:SetCircle(noFlip)) and circle:GetCircle():GetRadius() == 9)

-- CollisionTileMap, Cell, Tile
map:ReadInformation("../" .. mapPath)
assert(map:NumberOfColumns() == 0)
map:ReadInformation(mapPath)
assert(map:NumberOfColumns() == 4 and map:NumberOfRows() == 3 and map:Dimension() == 10)
assert(map:Width() == 40 and map:Height() == 30)
map:SetBoundingRectangle(30, 0, 40, 0)
assert(map:GetBoundingRectangle().right == 40)
local origin = CreatePoint() origin.X = 100 origin.Y = 0
map:SetPosition(origin)
map:SetZCollision(2)
assert(map:GetCurrentBoundingRectangle() ~= nil)
assert(map:GetCellUsed(1, 1) == true and map:GetCellUsed(0, 0) == false and map:GetCellUsed(9, 9) == false)
local cell = map:GetCell(1, 1)
assert(cell:Id() == 6 and cell:MyImage() == 3 and cell.isUsed == true and cell.myTileIndex == expected_tile_index)
cell.isUsed = false
assert(map:GetCellUsed(1, 1) == false)
cell.isUsed = true
cell.myTileIndex = 5
assert(cell.myTileIndex == 5)
-- A field takes a number as the library's check reads it: text that is a number, or the error.
cell.myTileIndex = "7"
assert(cell.myTileIndex == 7)
local refused, message = pcall(function() cell.myTileIndex = {} end)
assert(not refused and string.find(message, "bad argument #3 to '?' (number expected, got table)", 1, true), message)
assert(cell.myTileIndex == 7)
local tile = cell.MyTile
assert(tile:CurrentId() == 6 and tile:CurrentImage() == 3 and tile.isActivated == true)
tile.isActivated = false
assert(cell.MyTile.isActivated == false)
assert(none(map:GetCell(4, 0)) and none(map:GetCell(-1, 0)) and none(map:GetCell(1)))
local at = CreatePoint() at.X = 105 at.Y = 15
assert(map:GetCollidedCellId(at, expected_direction) == expected_cell_id)
assert(type(map:GetCollidedCellsIDWithBoundingRectangle(body, 1)) == "table")
assert(type(map:GetCollidedCellsIDWithHotSpots(body, 1)) == "table")
assert(none(map:GetCollidedCellId(at)) and none(map:GetCollidedCellsIDWithHotSpots(5, 1)))
assert(none(map:SetPosition()) and none(map:SetBoundingRectangle(1, 2, 3)) and none(map:GetCellUsed(1)))

-- Rebinding the dynamic object to its actor, with the horizontally flipped frame.
body:SetCurrentCollisionFrame(0, 0, true, false)
body:SetCollisionActor(actor, 0, 0)
body:AddCollisionData(actor)
assert(expected_bound())
