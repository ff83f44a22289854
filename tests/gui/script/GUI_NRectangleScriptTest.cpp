// The "NRectangle" script table driven from Lua through a master state: setters and getters, the
// edge-inclusive hit test, the pushed intersection and the size tables, with too few arguments
// leaving everything alone.
#include "script/host/Lua_MasterState.h"
#include "gui/script/GUI_Size_Script.h"
#include "script/Lua_ScriptClass.h"
#include "gui/script/GUI_NRectangle_Script.h"
#include "gui/GUI_Size.h"
#include "gui/GUI_TRectangle.h"

#include <gtest/gtest.h>
#include <lua.hpp>

#include <string>
#include <vector>

namespace
{
class RectangleScriptTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        master = Lua::BuildMasterState();
        Publish("r", rectangle);
    }
    void TearDown() override { Lua::CloseMasterState(); }

    void Publish(const char* name, GUI::NRectangle& value)
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

    double Number(const char* global)
    {
        lua_getglobal(master, global);
        const double value = lua_isnumber(master, -1) ? lua_tonumber(master, -1) : -12345;
        lua_pop(master, 1);
        return value;
    }

    bool Boolean(const char* global)
    {
        lua_getglobal(master, global);
        const bool value = lua_toboolean(master, -1) != 0;
        lua_pop(master, 1);
        return value;
    }

    lua_State* master = nullptr;
    GUI::NRectangle rectangle{1, 2, 3, 4};
};
} // namespace

TEST_F(RectangleScriptTest, TheTableListsItsNineteenMethodsInOrder)
{
    const std::vector<std::string> names{"LuaZeroize", "SetPosition", "GetPosition", "SetSize",   "GetSize",
                                         "SetLeft",    "GetLeft",     "SetBottom",   "GetBottom", "SetWidth",
                                         "GetWidth",   "SetHeight",   "GetHeight",   "GetRight",  "GetTop",
                                         "IsInside",   "IsValid",     "Translate",   "Intersect"};
    const Vellumar::ScriptMethodEntry* methods = GUI::GetRectangleScriptMethods();
    ASSERT_EQ(Lua::CountMethods(methods), names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(methods[i].name, names[i]);
    EXPECT_EQ(methods[names.size()].native, nullptr);
    EXPECT_EQ(Lua::FindScriptClass("NRectangle")->methods, methods);
}

TEST_F(RectangleScriptTest, SettersAndGettersReachTheRectangleAndMissingArgumentsChangeNothing)
{
    ASSERT_EQ(Run("r:SetLeft(5) r:SetBottom(6) r:SetWidth(10) r:SetHeight(20)"
                  "left, bottom, width, height = r:GetLeft(), r:GetBottom(), r:GetWidth(), r:GetHeight()"
                  "right, top = r:GetRight(), r:GetTop()"
                  "r:SetLeft() r:SetBottom() r:SetWidth() r:SetHeight() r:SetPosition() r:SetSize()"
                  "local p = r:GetPosition() px, py, pclass = p.X, p.Y, p.className == 'Point2D'"
                  "local s = r:GetSize() sw, sh, sclass = s.Width, s.Height, s.className == 'Size'"),
              "");
    EXPECT_EQ(rectangle, GUI::NRectangle(5, 6, 10, 20));
    EXPECT_EQ(Number("left"), 5);
    EXPECT_EQ(Number("height"), 20);
    EXPECT_EQ(Number("right"), 15);
    EXPECT_EQ(Number("top"), 26);
    EXPECT_EQ(Number("px"), 5);
    EXPECT_EQ(Number("py"), 6);
    EXPECT_TRUE(Boolean("pclass"));
    EXPECT_EQ(Number("sw"), 10);
    EXPECT_EQ(Number("sh"), 20);
    EXPECT_TRUE(Boolean("sclass"));

    ASSERT_EQ(Run("local p = CreatePoint() p.X = -1 p.Y = 7 r:SetPosition(p)"
                  "local s = CreateSize() s.Width = 30 s.Height = 40 r:SetSize(s)"
                  "r:Translate(2) r:Translate(1, 1)"),
              "");
    EXPECT_EQ(rectangle, GUI::NRectangle(0, 8, 30, 40));

    // A number where a size table belongs reads as (0, 0).
    ASSERT_EQ(Run("r:SetSize(12)"), "");
    EXPECT_EQ(rectangle, GUI::NRectangle(0, 8, 0, 0));
    ASSERT_EQ(Run("r:SetWidth(3) r:LuaZeroize()"), "");
    EXPECT_EQ(rectangle, GUI::NRectangle(0, 0, 0, 0));
}

TEST_F(RectangleScriptTest, HitTestsIncludeTheEdgesAndNeedBothCoordinates)
{
    ASSERT_EQ(Run("onEdge = r:IsInside(4, 6) outside = r:IsInside(4.5, 6) valid = r:IsValid()"
                  "count = select('#', r:IsInside(1))"),
              "");
    EXPECT_TRUE(Boolean("onEdge"));
    EXPECT_FALSE(Boolean("outside"));
    EXPECT_TRUE(Boolean("valid"));
    EXPECT_EQ(Number("count"), 0);
}

TEST_F(RectangleScriptTest, IntersectPushesANewRectangleValidOrNot)
{
    GUI::NRectangle a(0, 0, 10, 10);
    GUI::TRectangle b(9, 9, 10, 10);
    GUI::NRectangle c(30, 40, 5, 5);
    Publish("a", a);
    Publish("b", b);
    Publish("c", c);
    ASSERT_EQ(Run("local o = r:Intersect(a, b) ox, oy, ow, oh, ovalid = o:GetLeft(), o:GetBottom(), o:GetWidth(),"
                  "o:GetHeight(), o:IsValid()"
                  "local d = r:Intersect(a, c) dw, dh, dvalid = d:GetWidth(), d:GetHeight(), d:IsValid()"
                  "d:SetWidth(100) nested = r:Intersect(d, a):GetWidth()"
                  "few = select('#', r:Intersect(a)) wrong = select('#', r:Intersect(a, 5))"
                  "collectgarbage()"),
              "");
    EXPECT_EQ(Number("ox"), 9);
    EXPECT_EQ(Number("oy"), 9);
    EXPECT_EQ(Number("ow"), 1);
    EXPECT_EQ(Number("oh"), 1);
    EXPECT_TRUE(Boolean("ovalid"));
    EXPECT_EQ(Number("dw"), -20);
    EXPECT_EQ(Number("dh"), -30);
    EXPECT_FALSE(Boolean("dvalid"));
    EXPECT_EQ(Number("nested"), -20);
    EXPECT_EQ(Number("few"), 0);
    EXPECT_EQ(Number("wrong"), 0);
    EXPECT_EQ(a, GUI::NRectangle(0, 0, 10, 10));
}

TEST_F(RectangleScriptTest, SizeTablesAreReadFieldByFieldAndAnythingElseIsZero)
{
    lua_pushnumber(master, 5);
    const GUI::Size fromNumber = GUI::ReadSize(master, -1);
    EXPECT_EQ(fromNumber.width, 0.0f);
    EXPECT_EQ(fromNumber.height, 0.0f);
    lua_pop(master, 1);

    const i32 index = GUI::PushSize(master, 64, 32);
    EXPECT_EQ(index, lua_gettop(master));
    const GUI::Size back = GUI::ReadSize(master, index);
    EXPECT_EQ(back.width, 64.0f);
    EXPECT_EQ(back.height, 32.0f);
    lua_pop(master, 1);
}
