-- Globals from the test: camera and label (a camera and a text in the level's layer), and native
-- answers through expected_*.

-- Camera: its own rows and the GameObject rows
camera:SetFOV(60)
assert(camera:GetFOV() == 60 and expected_fov() == 60)
camera:MakeActiveListener()
assert(camera:IsActiveListener() == true)
assert(none(camera:UpdateFromKeyboard()))
camera:SetPosition(1, 2)
assert(camera:GetPositionY() == 2 and camera:GetName() == "eye")
local twin = camera:Clone()
assert(twin:GetFOV() == 60 and twin:IsActiveListener() == false)
expected_keep(twin)
assert(none(camera:SetFOV()))

-- Text
assert(label:GetText() == "score")
label:SetText("high score")
assert(label:GetText() == "high score" and expected_text() == "high score")
label:SetHUDObject(true)
assert(label:IsHUDObject() == true)
label:SetOpacity(0.25)
assert(label:GetOpacity() == 0.25)
local copy = label:Clone()
assert(copy:GetText() == "high score")
expected_keep(copy)
assert(none(label:SetText()) and none(label:SetHUDObject()))
