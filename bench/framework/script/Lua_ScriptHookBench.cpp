// One "Update" hook call per scripted object per frame, for 10,000 objects sharing one script
// file (compiled once, each object with its own thread and globals). One iteration is one frame,
// so the reported time is the time per frame.
#include "script/host/Lua_MasterState.h"
#include "script/Lua_ScriptEngine.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
class ScriptedObject : public Core::Object
{
public:
    ~ScriptedObject() override { LuaScript::Close(script); }
    LuaScript* script = nullptr;
};

void RunFrames(benchmark::State& state, const char* source)
{
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("morvane_hook_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(root / "Resources" / "Scripts");
    std::ofstream(root / "Resources" / "Scripts" / "object.lua") << source;
    Lua::BuildMasterState();
    {
        std::vector<std::unique_ptr<ScriptedObject>> objects;
        for (i64 i = 0; i < state.range(0); ++i)
        {
            objects.push_back(std::make_unique<ScriptedObject>());
            LuaScript::Run(objects.back()->script, objects.back().get(), Core::String(root.string()), "object.lua",
                           false);
        }
        for (auto _ : state)
        {
            for (const std::unique_ptr<ScriptedObject>& object : objects)
                object->script->CallHook("Update", 1.0 / 60);
        }
    }
    Lua::CloseMasterState();
    std::filesystem::remove_all(root);
}

void DefinedUpdate(benchmark::State& state)
{
    RunFrames(state, "x = 0\nfunction Update(dt) x = x + dt * self_speed end\nself_speed = 2\n");
}

void MissingUpdate(benchmark::State& state)
{
    RunFrames(state, "x = 0\n");
}
} // namespace

BENCHMARK(DefinedUpdate)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(MissingUpdate)->Arg(10000)->Unit(benchmark::kMicrosecond);
