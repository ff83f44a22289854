#include "tests/support/Support_ScriptTest.h"

#include "platform/Input_KeyCodes.h"
#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"
#include "script/Lua_Stack.h"

namespace
{
void SetBoolean(lua_State* state, const char* name, bool value)
{
    lua_pushboolean(state, value);
    lua_setglobal(state, name);
}

TEST_F(ScriptTest, ScriptsReadTheKeyboardAndTheMouseAsTheirNativesDo)
{
    Core::RefPtr<Input::Keyboard> keyboard;
    Input::KeyboardImp::CreatePlayback(keyboard);
    const u32 keyA = Input::EngineKey::LetterA;
    const u32 keyB = Input::EngineKey::LetterA + 1;
    Input::KeyState held;
    held.pressed = held.held = 1;
    Input::KeyState fresh = held;
    fresh.triggered = fresh.down = 1;
    keyboard->LoadKeyStates({Input::VirtualKeyOf(keyA), Input::VirtualKeyOf(keyB)}, {held, fresh});

    Core::RefPtr<Input::Mouse> mouse;
    Input::MouseImp::CreatePlayback(mouse);
    Input::KeyState click = fresh;
    Input::MouseReplayFrame frame;
    frame.x = 40;
    frame.y = 30;
    mouse->ApplyReplayFrame(frame, {0}, {click});

    Lua::PushObject(master, keyboard.Get());
    SetGlobalFromTop("keyboard");
    Lua::PushObject(master, mouse.Get());
    SetGlobalFromTop("mouse");
    SetGlobalNumber("expected_key_a", keyA);
    SetGlobalNumber("expected_key_b", keyB);
    SetGlobalNumber("expected_key_c", keyB + 1);
    u32 key = 0;
    ASSERT_TRUE(keyboard->GetPressed(key));
    SetGlobalNumber("expected_pressed", key);
    ASSERT_TRUE(keyboard->GetTriggered(key));
    SetGlobalNumber("expected_triggered", key);
    SetGlobalNumber("expected_char_a", keyboard->GetKeyAsChar(keyA));
    SetGlobalNumber("expected_x", mouse->GetPositionX());
    SetGlobalNumber("expected_y", mouse->GetPositionY());
    SetBoolean(master, "expected_moved", mouse->IsMoved());
    SetBoolean(master, "expected_in_window", mouse->IsInWindow());
    SetBoolean(master, "expected_cursor_visible", mouse->IsCursorVisible());

    EXPECT_EQ(RunFile("Input_Devices.lua"), "");
}
} // namespace
