// The GUI's script tables: their rows in order, and Lua driving a HUD, a form and its controls
// through the "HUD", "Form", "Control", "Button" and "RadioButton" metatables.
#include "tests/gui/GUI_HudFixture.h"

#include "script/host/Lua_MasterState.h"
#include "script/Lua_ScriptClass.h"
#include "gui/script/GUI_Control_Script.h"

#include <lua.hpp>

#include <string>
#include <vector>

namespace
{
std::vector<std::string> Names(const Vellumar::ScriptMethodEntry* table)
{
    std::vector<std::string> names;
    for (; table->name; ++table)
        names.emplace_back(table->name);
    return names;
}

const Vellumar::ScriptMethodEntry* Row(const Vellumar::ScriptMethodEntry* table, const char* name)
{
    for (; table->name; ++table)
    {
        if (std::string(table->name) == name)
            return table;
    }
    return nullptr;
}

class ControlScriptTest : public GuiTest::HudFixture
{
protected:
    void SetUp() override
    {
        HudFixture::SetUp();
        master = Lua::BuildMasterState();
        hud->PushToScript(master);
        lua_setglobal(master, "hud");
    }
    void TearDown() override
    {
        Lua::CloseMasterState();
        HudFixture::TearDown();
    }

    void Publish(const char* name, Core::Base& value)
    {
        value.PushToScript(master);
        lua_setglobal(master, name);
    }

    // Runs the chunk; the error message, or empty.
    std::string Run(const char* chunk)
    {
        if (luaL_loadstring(master, chunk) != 0 || lua_pcall(master, 0, 0, 0) != 0)
        {
            std::string message = lua_tostring(master, -1);
            lua_pop(master, 1);
            return message;
        }
        return "";
    }

    std::string Global(const char* name)
    {
        lua_getglobal(master, name);
        std::string value = lua_isnil(master, -1) ? "nil" : (lua_tostring(master, -1) ? lua_tostring(master, -1) : "?");
        if (lua_isboolean(master, -1))
            value = lua_toboolean(master, -1) ? "true" : "false";
        lua_pop(master, 1);
        return value;
    }

    lua_State* master = nullptr;
};

TEST_F(ControlScriptTest, TheTablesListTheirRowsInOrderAndShareTheControlsMethods)
{
    const std::vector<std::string> control = Names(GUI::GetControlScriptMethods());
    ASSERT_EQ(control.size(), 45u);
    EXPECT_EQ(control.front(), "SetPosition");
    EXPECT_EQ(control.back(), "UpdatePosition");
    const std::vector<std::string> form = Names(GUI::GetFormScriptMethods());
    ASSERT_EQ(form.size(), 63u);
    EXPECT_EQ(form[0], "Close");
    EXPECT_EQ(form[21], "GetRightBorderWidth");
    EXPECT_EQ(form[22], "SetPositionX");
    EXPECT_EQ(form[62], "GetControlsCount");
    EXPECT_EQ(Row(GUI::GetFormScriptMethods(), "UpdatePosition"), nullptr);
    const std::vector<std::string> button = Names(GUI::GetButtonScriptMethods());
    ASSERT_EQ(button.size(), 45u);
    EXPECT_EQ((std::vector<std::string>(button.begin(), button.begin() + 7)),
              (std::vector<std::string>{"SetModulationColor", "SetPosition", "SetOpacity", "SetVisible", "SetEnabled",
                                        "UpdatePosition", "SetPositionX"}));
    const std::vector<std::string> radio = Names(GUI::GetRadioButtonScriptMethods());
    ASSERT_EQ(radio.size(), 47u);
    EXPECT_EQ(radio[6], "SetChecked");
    EXPECT_EQ(radio[7], "GetChecked");
    EXPECT_EQ((std::vector<std::string>(radio.begin() + 8, radio.end())),
              (std::vector<std::string>(button.begin() + 6, button.end())));
    EXPECT_EQ(GUI::GetFormScriptMethods()[63].native, nullptr);

    EXPECT_EQ(Row(GUI::GetRadioButtonScriptMethods(), "SetEnabled")->native,
              Row(GUI::GetButtonScriptMethods(), "SetEnabled")->native);
    EXPECT_EQ(Row(GUI::GetFormScriptMethods(), "SetOpacity")->native,
              Row(GUI::GetButtonScriptMethods(), "SetOpacity")->native);
    EXPECT_EQ(Row(GUI::GetFormScriptMethods(), "GetName")->native, Row(GUI::GetControlScriptMethods(), "GetName")->native);
    EXPECT_EQ(Names(GUI::GetHUDScriptMethods()),
              (std::vector<std::string>{"ShowCursor", "IsCursorVisible", "AddForm", "GetForm", "IsLoading"}));
    for (const char* name : {"HUD", "Control", "Form", "Button", "RadioButton"})
        EXPECT_NE(Lua::FindScriptClass(name), nullptr) << name;
}

TEST_F(ControlScriptTest, ScriptsReachTheHudItsFormsAndTheirControls)
{
    AddForm("first", 10, 10);
    GUI::Form* second = AddForm("second", 300, 10);
    GUI::Button* button = AddChild<GUI::Button>(*second, "ok", 10, 10, 80, 30);
    Core::RefPtr<GUI::Form> extra(new GUI::Form());
    extra->SetName("extra");
    Publish("extra", *extra);

    EXPECT_EQ(Run("a = hud:GetForm(1):GetName(); b = hud:GetForm('first'):GetName(); c = hud:GetForm('0'):GetName()\n"
                  "d = hud:GetForm(2); e = hud:GetForm(-1); f = hud:GetForm('nobody'); g = hud:GetForm(1.7):GetName()\n"
                  "hud:ShowCursor(false); h = hud:IsCursorVisible(); i = hud:IsLoading(); hud:AddForm(extra)"),
              "");
    EXPECT_EQ(Global("a"), "second");
    EXPECT_EQ(Global("b"), "first");
    EXPECT_EQ(Global("c"), "first");
    EXPECT_EQ(Global("d"), "nil");
    EXPECT_EQ(Global("e"), "nil");
    EXPECT_EQ(Global("f"), "nil");
    EXPECT_EQ(Global("g"), "second");
    EXPECT_EQ(Global("h"), "false");
    EXPECT_EQ(Global("i"), "false");
    EXPECT_EQ(hud->GetFormCount(), 3u);

    EXPECT_EQ(Run("local f = hud:GetForm('second')\n"
                  "local b = f:GetControl('ok')\n"
                  "b:SetPositionX(5); x = b:GetPositionX(); y = b:GetPositionY()\n"
                  "b:SetText('Go'); text = b:GetText(); count = f:GetControlsCount()\n"
                  "missing = f:GetControl('nobody'); outOfRange = f:GetControl(7); parent = f:GetParent()\n"
                  "owner = b:GetParent():GetName(); byIndex = f:GetControl(1):GetName()\n"
                  "b:SetEnabled(false); enabled = b:GetEnabled(); f:SetCaptionHeight(10); caption = f:GetCaptionHeight()\n"
                  "f:SetModal(true); modal = f:GetModal(); f:SetOpacity(0.5); opacity = b:GetOpacity()\n"
                  "local r = b:GetRectangle(); left = r:GetLeft()\n"
                  "b:SetPosition(20, 30); bx = b:GetPositionX(); b:SetPosition({X = 40, Y = 50}); by = b:GetPositionY()"),
              "");
    EXPECT_EQ(Global("x"), "5");
    EXPECT_EQ(Global("y"), "10");
    EXPECT_EQ(Global("text"), "Go");
    EXPECT_EQ(Global("count"), "2");
    EXPECT_EQ(Global("missing"), "nil");
    EXPECT_EQ(Global("outOfRange"), "nil");
    EXPECT_EQ(Global("parent"), "nil");
    EXPECT_EQ(Global("owner"), "second");
    EXPECT_EQ(Global("byIndex"), "ok");
    EXPECT_EQ(Global("enabled"), "false");
    EXPECT_EQ(Global("caption"), "10");
    EXPECT_EQ(Global("modal"), "true");
    EXPECT_EQ(Global("opacity"), "0.5");
    EXPECT_EQ(Global("left"), "313");
    EXPECT_EQ(Global("bx"), "20");
    EXPECT_EQ(Global("by"), "50");
    EXPECT_EQ(button->GetText(), "Go");
    EXPECT_EQ(hud->GetModalForm(), second);

    EXPECT_EQ(Run("hud:GetForm('first'):Destroy()"), "");
    Frame();
    Frame();
    EXPECT_EQ(hud->FindForm("first"), nullptr);
}

TEST_F(ControlScriptTest, NumbersMayComeAsTextAndAnyOtherWrongArgumentIsTheScriptsError)
{
    GUI::Form* form = AddForm("form", 10, 10);
    GUI::Button* button = AddChild<GUI::Button>(*form, "ok", 10, 10, 80, 30);
    Publish("form", *form);
    EXPECT_EQ(Run("local b = form:GetControl('ok')\n"
                  "b:SetWidth('120'); width = b:GetWidth(); b:SetText(42); text = b:GetText()\n"
                  "form:SetOpacity('0.5'); opacity = form:GetOpacity(); b:SetTabIndex(' 3 '); index = b:GetTabIndex()"),
              "");
    EXPECT_EQ(Global("width"), "120");
    EXPECT_EQ(Global("text"), "42");
    EXPECT_EQ(Global("opacity"), "0.5");
    EXPECT_EQ(Global("index"), "3");

    const std::string text = Run("form:GetControl('ok'):SetText({})");
    EXPECT_NE(text.find("bad argument #1 to 'SetText' (string expected, got table)"), std::string::npos) << text;
    const std::string opacity = Run("form:SetOpacity('half')");
    EXPECT_NE(opacity.find("bad argument #1 to 'SetOpacity' (number expected, got string)"), std::string::npos) << opacity;
    const std::string position = Run("form:GetControl('ok'):SetPosition(1, false)");
    EXPECT_NE(position.find("bad argument #2 to 'SetPosition' (number expected, got boolean)"), std::string::npos)
        << position;
    EXPECT_EQ(button->GetText(), "42");
    EXPECT_EQ(form->GetOpacity(), 0.5f);
    EXPECT_EQ(button->GetPosition(), Math::Point2D(10, 10));
}

TEST_F(ControlScriptTest, AControlTakesNoneOfItsAncestorsNorItselfAsAChild)
{
    GUI::Form* form = AddForm("form", 10, 10);
    GUI::Control* panel = AddChild<GUI::Control>(*form, "panel", 10, 10, 200, 100);
    GUI::Button* ok = AddChild<GUI::Button>(*panel, "ok", 10, 10, 80, 30);
    Core::RefPtr<GUI::Control> loose(static_cast<GUI::Control*>(GUI::Control::CreateInstance()));
    Publish("loose", *loose);
    // The panel and the form's close button.
    const u32 formChildren = form->GetChildCount();
    EXPECT_EQ(Run("local form = hud:GetForm('form'); local panel = form:GetControl('panel')\n"
                  "local ok = panel:GetControl('ok')\n"
                  "ok:AddControl(form); ok:AddControl(panel); ok:AddControl(ok); panel:AddControl(form)\n"
                  "form:AddControl(form); ok:AddControl(loose)"),
              "");
    EXPECT_EQ(form->GetChildCount(), formChildren);
    EXPECT_EQ(panel->GetChildCount(), 1u);
    ASSERT_EQ(ok->GetChildCount(), 1u);
    EXPECT_EQ(ok->GetChild(0), loose.Get());
    EXPECT_EQ(form->GetParent(), nullptr);
    EXPECT_EQ(panel->GetParent(), form);
    // Every update walks the tree from the forms down.
    Frames(2);
}

TEST_F(ControlScriptTest, RadioButtonsTakeOnlyPointTablesAndCheckThroughTheirTable)
{
    GUI::Form* form = AddForm("form", 10, 10);
    GUI::RadioButton* a = AddChild<GUI::RadioButton>(*form, "a", 10, 10, 13, 13);
    GUI::RadioButton* b = AddChild<GUI::RadioButton>(*form, "b", 10, 40, 13, 13);
    Publish("form", *form);
    EXPECT_EQ(Run("local a = form:GetControl('a'); local b = form:GetControl('b')\n"
                  "a:SetChecked(true); b:SetChecked(true); checkedA = a:GetChecked(); checkedB = b:GetChecked()\n"
                  "a:SetPosition(5, 6); ax = a:GetPositionX(); b:SetPosition({X = 5, Y = 6}); by = b:GetPositionY()\n"
                  "a:SetTabIndex(9); index = a:GetTabIndex()"),
              "");
    EXPECT_EQ(Global("checkedA"), "false");
    EXPECT_EQ(Global("checkedB"), "true");
    EXPECT_EQ(Global("ax"), "0");
    EXPECT_EQ(Global("by"), "6");
    EXPECT_EQ(Global("index"), "9");
    EXPECT_EQ(form->GetTabOrderEntry(0), a) << "a tab index alone sorts nothing";
    EXPECT_TRUE(b->IsChecked());
}
} // namespace
