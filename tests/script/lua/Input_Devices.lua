-- Globals from the test: keyboard (A held since the last update, B just pressed), mouse at
-- (40, 30) with the left button just pressed, and the native results expected_*.

assert(keyboard:IsPressed(expected_key_a) == true and keyboard:IsTriggered(expected_key_a) == false)
assert(keyboard:IsTriggered(expected_key_b) == true and keyboard:IsDown(expected_key_b) == true)
assert(keyboard:IsUp(expected_key_a) == false and keyboard:IsPressed(expected_key_c) == false)
assert(keyboard:AnyKey() == true)
assert(keyboard:GetPressed() == expected_pressed and keyboard:GetTriggered() == expected_triggered)
assert(keyboard:GetKeyAsChar(expected_key_a) == expected_char_a)
assert(none(keyboard:IsPressed()) and none(keyboard:IsTriggered()) and none(keyboard:IsDown()))
assert(none(keyboard:IsUp()) and none(keyboard:GetKeyAsChar()))
-- Numbers that are no engine key give no result either.
assert(none(keyboard:IsPressed(-1)) and none(keyboard:IsPressed(196)) and none(keyboard:IsPressed(0/0)))

local p = mouse:GetPosition()
assert(p.className == "Vector2D" and p.X == expected_x and p.Y == expected_y)
assert(mouse:GetPositionX() == expected_x and mouse:GetPositionY() == expected_y)
assert(mouse:IsMoved() == expected_moved and mouse:IsInWindow() == expected_in_window)
assert(mouse:IsPressed(0) == true and mouse:IsTriggered(0) == true and mouse:IsDown(0) == true)
assert(mouse:IsUp(0) == false and mouse:IsPressed(1) == false and mouse:IsPressed(7) == false)
assert(mouse:IsCursorVisible() == expected_cursor_visible)
assert(none(mouse:IsPressed()) and none(mouse:IsTriggered()) and none(mouse:IsDown()) and none(mouse:IsUp()))
