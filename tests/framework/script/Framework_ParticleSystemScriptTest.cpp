#include "tests/framework/script/Framework_ScriptTest.h"

#include "framework/drawables/Vellumar_ParticleEmitter.h"
#include "framework/drawables/Vellumar_ParticleSystem.h"

namespace
{
Vellumar::ParticleSystem* watched = nullptr;
Core::Vector<Core::RefPtr<Core::Object>>* kept = nullptr;

const luaL_Reg Answers[] = {
    {"expected_alive",
     [](lua_State* s) {
         u32 alive = 0;
         for (const auto& particle : watched->GetParticles())
             alive += particle.alive ? 1 : 0;
         return Lua::PushNumber(s, alive);
     }},
    // A blend factor the engine node keeps as given.
    {"expected_factor", [](lua_State* s) { return Lua::PushNumber(s, 4); }},
    {"expected_keep",
     [](lua_State* s) {
         kept->push_back(Lua::ToObject<Core::Object>(s, 1));
         return 0;
     }},
    {nullptr, nullptr},
};

TEST_F(FrameworkScriptTest, ScriptsDriveParticleSystems)
{
    Core::RefPtr<Vellumar::ParticleSystem> system = new Vellumar::ParticleSystem("spark.png", 8, 64.0f, Math::Vector2D());
    Core::RefPtr<Vellumar::PointEmitter> emitter = new Vellumar::PointEmitter(Math::Point2D(), 0, 0);
    watched = system.Get();
    Core::Vector<Core::RefPtr<Core::Object>> copies;
    kept = &copies;
    SetGlobals({{"system", system.Get()}, {"emitter", emitter.Get()}});
    Register(Answers);

    EXPECT_EQ(RunTestScript(master, "Framework_ParticleSystem.lua"), "");
    EXPECT_EQ(system->GetEmitter(), emitter.Get());
    EXPECT_EQ(system->GetParticleSpeedMax(), 40.0f);
}
} // namespace
