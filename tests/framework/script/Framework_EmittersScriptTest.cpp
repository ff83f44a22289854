#include "tests/framework/script/Framework_ScriptTest.h"

#include "framework/drawables/Vellumar_ParticleEmitter.h"

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
    {"expected_same",
     [](lua_State* s) { return Lua::PushBoolean(s, Lua::ToBase(s, 1) && Lua::ToBase(s, 1) == Lua::ToBase(s, 2)); }},
    // The particle system's per-frame call of its emitter's update.
    {"update_emitter",
     [](lua_State* s) {
         Lua::ToObject<Vellumar::ParticleEmitter>(s, 1)->Update(0.1f);
         return 0;
     }},
    {"expected_keep",
     [](lua_State* s) {
         kept->push_back(Lua::ToObject<Core::Object>(s, 1));
         return 0;
     }},
    {nullptr, nullptr},
};

TEST_F(FrameworkScriptTest, ScriptsDriveShapeAndScriptedParticleEmitters)
{
    MakeGame();
    scripts.Write("emitter_test.lua", "function Constructor() constructed = 1 end\n"
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
    scripts.Write("self_test.lua", "selfAtLoad = self\n"
                                   "function SelfAtLoad() return selfAtLoad end\n"
                                   "function Update(dt) self:SetScript({}) updated = true end\n"
                                   "function Updated() return updated end\n");
    Core::RefPtr<Vellumar::ParticleEmitter> selfish = new Vellumar::ParticleEmitter();
    watchedPoint = point.Get();
    Core::Vector<Core::RefPtr<Core::Object>> copies;
    kept = &copies;
    SetGlobals({{"point", point.Get()}, {"scripted", scripted.Get()}, {"other", other.Get()}, {"selfish", selfish.Get()}});
    lua_pushstring(master, "emitter_test.lua");
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
