#include "tests/support/Support_ScriptTest.h"

#include "script/Lua_ScriptClass.h"

#include <cstring>
#include <string>
#include <utility>

namespace
{
// Script class name and the number of rows its table has.
const std::pair<const char*, u32> TableSizes[] = {
    {"Line2D", 12},
    {"LineSegment2D", 13},
    {"Circle2D", 6},
    {"Ray2D", 12},
    {"KeyboardImp", 8},
    {"MouseImp", 10},
    {"CollisionEngine", 28},
    {"DynamicObject", 25},
    {"DynamicCollisionCircle", 2},
    {"DynamicCollisionLineSegment", 2},
    {"DynamicCollisionHotSpot", 8},
    {"StaticCollisionCircle", 7},
    {"StaticCollisionLineSegment", 7},
    {"CollisionTileMap", 16},
    {"Cell", 2},
    {"Tile", 2},
    {"VelRect", 0},
    {"PhysicsEngine", 39},
    {"RigidBody", 19},
    {"Joint", 5},
    {"JointNail", 5},
    {"JointHinge", 5},
    {"JointSpring", 5},
    {"JointSlider", 5},
    {"JointFixed", 5},
    {"JointAngularMotor", 5},
    {"Contact", 5},
    {"Force", 12},
    {"ConstantForce", 12},
    {"GravityForce", 12},
    {"DragForce", 12},
    {"Forces", 6},
    {"MassProperties", 8},
    {"Game", 60},
    {"Level", 21},
    {"Layer", 27},
    {"GameObject", 111},
    {"Sprite", 153},
    {"ParticleSystem", 150},
    {"Text", 118},
    {"Camera", 118},
    {"Sound", 127},
    {"Viewport", 20},
    {"SpriteAnimation", 11},
    {"ParticleEmitter", 6},
    {"PointEmitter", 6},
    {"LineEmitter", 6},
    {"CircleEmitter", 6},
    {"DiskEmitter", 6},
    {"RectangleEmitter", 6},
    {"FilledRectangleEmitter", 6},
    {"VelNet", 14},
    {"VelPlayer", 5},
    {"VelGroup", 7},
    {"VelBroadcast", 5},
};

TEST_F(ScriptTest, EveryTableHasTheRowsItsClassOffers)
{
    for (const auto& [name, rows] : TableSizes)
    {
        const Lua::ScriptClass* scriptClass = Lua::FindScriptClass(name);
        ASSERT_NE(scriptClass, nullptr) << name;
        EXPECT_EQ(Lua::CountMethods(scriptClass->methods), rows) << name;
    }
}

// The object classes' tables open with one shared block: the GameObject rows without
// "AddManagedObject", then "SaveNetworkData" and "LoadNetworkData"; the text table alone keeps
// "AddManagedObject" as its second row.
TEST_F(ScriptTest, TheObjectTablesOpenWithTheSpritesBlock)
{
    constexpr u32 BlockRows = 112;
    const Vellumar::ScriptMethodEntry* object = Lua::FindScriptClass("GameObject")->methods;
    const Vellumar::ScriptMethodEntry* sprite = Lua::FindScriptClass("Sprite")->methods;
    ASSERT_GE(Lua::CountMethods(sprite), BlockRows);
    EXPECT_STREQ(sprite[0].name, "ObjectFunction");
    EXPECT_STREQ(sprite[1].name, "Mount");
    EXPECT_STREQ(sprite[2].name, "GetMount");
    EXPECT_STREQ(sprite[BlockRows - 2].name, "SaveNetworkData");
    EXPECT_STREQ(sprite[BlockRows - 1].name, "LoadNetworkData");
    EXPECT_STREQ(sprite[BlockRows].name, "SetFlipHorizontal");
    // The block is the GameObject's rows, in their order and with their natives, less one.
    for (u32 row = 1, objectRow = 2; row < BlockRows - 2; ++row, ++objectRow)
    {
        EXPECT_STREQ(sprite[row].name, object[objectRow].name) << row;
        EXPECT_EQ(sprite[row].native, object[objectRow].native) << row;
    }

    for (const char* name : {"ParticleSystem", "Camera", "Sound"})
    {
        const Vellumar::ScriptMethodEntry* table = Lua::FindScriptClass(name)->methods;
        for (u32 row = 0; row < BlockRows; ++row)
        {
            EXPECT_STREQ(table[row].name, sprite[row].name) << name << " " << row;
            EXPECT_EQ(table[row].native, sprite[row].native) << name << " " << row;
        }
    }
    const Vellumar::ScriptMethodEntry* text = Lua::FindScriptClass("Text")->methods;
    EXPECT_STREQ(text[0].name, "ObjectFunction");
    EXPECT_STREQ(text[1].name, "AddManagedObject");
    EXPECT_EQ(text[1].native, object[1].native);
    for (u32 row = 1; row < BlockRows; ++row)
    {
        EXPECT_STREQ(text[row + 1].name, sprite[row].name) << "Text " << row;
        EXPECT_EQ(text[row + 1].native, sprite[row].native) << "Text " << row;
    }
    EXPECT_STREQ(Lua::FindScriptClass("Camera")->methods[BlockRows].name, "SetFOV");
    EXPECT_STREQ(Lua::FindScriptClass("Sound")->methods[BlockRows].name, "GetFileName");
    EXPECT_STREQ(text[BlockRows + 1].name, "SetText");
}

TEST_F(ScriptTest, EveryTableIsReachableFromScriptsByItsMetatableName)
{
    // Scripts reach a metatable by its name in the registry; its "__index" is the method table,
    // or for a class with fields the function that holds it as its second upvalue.
    ASSERT_EQ(luaL_dostring(master, "function metatableOf(name) return debug.getregistry()[name] end"), 0);
    for (const Lua::ScriptClass* scriptClass : Lua::GetScriptClasses())
    {
        // A table may name one method twice (the last row wins): count the distinct names.
        u32 distinct = 0;
        for (const Vellumar::ScriptMethodEntry* row = scriptClass->methods; row->name; ++row)
        {
            bool repeated = false;
            for (const Vellumar::ScriptMethodEntry* before = scriptClass->methods; before != row; ++before)
                repeated = repeated || std::strcmp(before->name, row->name) == 0;
            distinct += repeated ? 0 : 1;
        }
        lua_getglobal(master, "metatableOf");
        lua_pushstring(master, scriptClass->name);
        ASSERT_EQ(lua_pcall(master, 1, 1, 0), 0);
        ASSERT_TRUE(lua_istable(master, -1)) << scriptClass->name;
        lua_getfield(master, -1, "__index");
        if (lua_isfunction(master, -1))
        {
            ASSERT_NE(lua_getupvalue(master, -1, 2), nullptr) << scriptClass->name;
        }
        ASSERT_TRUE(lua_istable(master, -1)) << scriptClass->name;
        u32 functions = 0;
        lua_pushnil(master);
        while (lua_next(master, -2))
        {
            functions += lua_isfunction(master, -1) ? 1 : 0;
            lua_pop(master, 1);
        }
        EXPECT_EQ(functions, distinct) << scriptClass->name;
        lua_settop(master, 0);
    }
}
} // namespace

namespace
{
TEST(ClassRegistrationTest, FrameworkClassesAreMadeByTheirQualifiedNames)
{
    for (const char* name : {"Vellumar::ParticleEmitter", "Vellumar::PointEmitter", "Vellumar::LineEmitter",
                             "Vellumar::CircleEmitter", "Vellumar::DiskEmitter", "Vellumar::RectangleEmitter",
                             "Vellumar::FilledRectangleEmitter", "Vellumar::Level", "Vellumar::GameObject",
                             "Vellumar::ParticleSystem", "Vellumar::Sprite", "Vellumar::Layer", "Vellumar::Viewport",
                             "Vellumar::Text", "Vellumar::Camera", "Vellumar::ParticleSystemBase", "Vellumar::Line",
                             "Vellumar::Circle"})
        EXPECT_NE(Core::ClassRegistry::Instance().Lookup(name), nullptr) << name;
    // Objects that need no running game are made here.
    for (const char* name : {"Vellumar::Level", "Vellumar::GameObject", "Vellumar::Layer", "Vellumar::Viewport",
                             "Vellumar::PointEmitter", "Vellumar::FilledRectangleEmitter"})
    {
        Core::RefPtr<Core::Object> object = Core::CreateObjectByName(name);
        ASSERT_NE(object.Get(), nullptr) << name;
        EXPECT_STREQ(object->GetClassName(), name);
    }
    EXPECT_EQ(Core::CreateObjectByName("Vellumar::Game"), nullptr);
}
} // namespace
