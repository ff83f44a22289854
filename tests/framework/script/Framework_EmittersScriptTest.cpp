#include "tests/framework/script/Framework_ScriptTest.h"

#include "framework/drawables/Vellumar_ParticleEmitter.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace
{
Vellumar::PointEmitter* watchedPoint = nullptr;
Core::Vector<Core::RefPtr<Core::Object>>* kept = nullptr;

const luaL_Reg Answers[] = {
    {"expected_point_direction_y",
     [](lua_State* s) {
         Math::Point2D position;
         Math::Vector2D direction;
         watchedPoint->GetPositionAndDirection(0.1f, position, direction);
         return Lua::PushNumber(s, direction.y);
     }},
    {"expected_keep",
     [](lua_State* s) {
         kept->push_back(Lua::ToObject<Core::Object>(s, 1));
         return 0;
     }},
    {nullptr, nullptr},
};

// A script file in the game's own scripts folder, gone with the test.
class ScriptFile
{
public:
    ScriptFile(const std::string& source)
        : name("emitter_test_" + std::to_string(getpid()) + ".lua"),
          path(std::filesystem::path(Vellumar::Game::GetDirectory().c_str()) / "Resources" / "Scripts" / name)
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << source;
    }
    ~ScriptFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    ScriptFile(const ScriptFile&) = delete;
    ScriptFile& operator=(const ScriptFile&) = delete;

    const std::string name;

private:
    const std::filesystem::path path;
};

TEST_F(FrameworkScriptTest, ScriptsDriveShapeAndScriptedParticleEmitters)
{
    const ScriptFile file("function Constructor() constructed = 1 end\n"
                          "function Constructed() return constructed end\n"
                          "function Twice(x) return 2 * x end\n"
                          "function GetPositionAndDirection(t)\n"
                          "  local p = CreatePoint() p.X = t p.Y = 7\n"
                          "  local d = CreateVector() d.X = -1\n"
                          "  return p, d\n"
                          "end\n");
    Core::RefPtr<Vellumar::PointEmitter> point = new Vellumar::PointEmitter(Math::Point2D(3, 4), 90, 90);
    Core::RefPtr<Vellumar::ParticleEmitter> scripted = new Vellumar::ParticleEmitter();
    Core::RefPtr<Vellumar::ParticleEmitter> other = new Vellumar::ParticleEmitter();
    watchedPoint = point.Get();
    Core::Vector<Core::RefPtr<Core::Object>> copies;
    kept = &copies;
    SetGlobals({{"point", point.Get()}, {"scripted", scripted.Get()}, {"other", other.Get()}});
    lua_pushstring(master, file.name.c_str());
    lua_setglobal(master, "scriptName");
    Register(Answers);

    EXPECT_EQ(RunTestScript(master, "Framework_Emitters.lua"), "");
    EXPECT_TRUE(scripted->IsScriptRunning());
    Math::Point2D position;
    Math::Vector2D direction;
    scripted->GetPositionAndDirection(2, position, direction);
    EXPECT_EQ(position, Math::Point2D(2, 7));
}
} // namespace
