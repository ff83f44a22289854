-- Globals from the test: point (a point emitter at (3, 4), angles 90 to 90), scripted (an emitter
-- whose script file is scriptName), other (an emitter of that script too), and expected_* answers.

-- A shape emitter answers by its rule.
local position, direction = point:GetPositionAndDirection(0.1)
assert(position.className == "Point2D" and position.X == 3 and position.Y == 4)
assert(direction.className == "Vector2D" and near(direction.Y, expected_point_direction_y()))
local copy = point:Clone()
assert(copy:GetPositionAndDirection(0).X == 3)
expected_keep(copy)

-- A scripted emitter answers through its script's "GetPositionAndDirection".
scripted:SetScript(scriptName)
assert(none(scripted:RunScript()))
local from, towards = scripted:GetPositionAndDirection(0.5)
assert(from.X == 0.5 and from.Y == 7 and towards.X == -1)
assert(scripted:ObjectFunction("Constructed", 1) == 1)
assert(scripted:ObjectFunction("Twice", 1, 21) == 42)
assert(none(scripted:AddManagedObject(point, "source")))
other:SetScript(scriptName)
other:RunScript()
assert(other:ObjectFunction("Constructed", 1) == 1)

-- Too few arguments
assert(none(point:GetPositionAndDirection()) and none(point:SetScript()) and none(point:AddManagedObject(point)))
assert(none(point:ObjectFunction("Twice", 1, 2)))
