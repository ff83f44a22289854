-- Globals from the test: point (a point emitter at (3, 4), angles 90 to 90), scripted (an emitter
-- whose script file is scriptName), other (an emitter of that script too), selfish (an emitter for
-- the script "self_test.lua") and expected_* answers.

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

-- A copy of a scripted emitter runs its script's chunk with "self" already the copy.
selfish:SetScript("self_test.lua")
selfish:RunScript()
assert(expected_same(selfish:ObjectFunction("SelfAtLoad", 1), selfish))
local twin = selfish:Clone()
expected_keep(twin)
assert(expected_same(twin:ObjectFunction("SelfAtLoad", 1), twin))
-- A hook that passes a method a wrong argument stops at it, in its protected call.
update_emitter(twin)
assert(twin:ObjectFunction("Updated", 1) == nil)
assert(expected_same(twin:ObjectFunction("SelfAtLoad", 1), twin))

-- Too few arguments
assert(none(point:GetPositionAndDirection()) and none(point:SetScript()) and none(point:AddManagedObject(point)))
assert(none(point:ObjectFunction("Twice", 1, 2)))
