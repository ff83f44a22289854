// State machines over an owner: holds, minimum times, forced states, nested machines, restarts,
// copies, Save/Load and the index checks.
#include "core/Core_File.h"
#include "framework/core/Vellumar_StateMachine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Vellumar::State;
using Vellumar::StateBase;
using Vellumar::StateMachine;

struct Owner
{
    std::vector<std::string> log;
    bool go = false;
    int conditionCalls = 0;

    void EnterA(f32) { log.push_back("enter A"); }
    void ExitA(f32) { log.push_back("exit A"); }
    void RunA(f32) { log.push_back("run A"); }
    void EnterB(f32) { log.push_back("enter B"); }
    void ExitB(f32) { log.push_back("exit B"); }
    void RunB(f32) { log.push_back("run B"); }
    void EnterC(f32) { log.push_back("enter C"); }
    void RunC(f32) { log.push_back("run C"); }
    void EnterInner(f32) { log.push_back("enter inner"); }
    void ExitInner(f32) { log.push_back("exit inner"); }
    bool Go(f32)
    {
        ++conditionCalls;
        return go;
    }
    bool Always(f32) { return true; }
};

using Machine = StateMachine<Owner>;
using StatePointer = Machine::StatePointer;

State<Owner>* MakeState(const char* name, void (Owner::*enter)(f32), void (Owner::*exit)(f32),
                        void (Owner::*run)(f32), f32 minimumTime = 0.0f)
{
    auto* state = new State<Owner>(minimumTime);
    state->name = name;
    state->SetOnEnter(enter);
    state->SetOnExit(exit);
    state->SetOnUpdate(run);
    return state;
}

class StateMachineTest : public ::testing::Test
{
protected:
    // A -> B when Go has held for hold seconds; B -> A always.
    Core::RefPtr<Machine> Build(f32 hold, f32 minimumTimeOfA = 0.0f)
    {
        a = MakeState("A", &Owner::EnterA, &Owner::ExitA, &Owner::RunA, minimumTimeOfA);
        b = MakeState("B", &Owner::EnterB, &Owner::ExitB, &Owner::RunB);
        a->AddTransition(1, &Owner::Go, hold);
        b->AddTransition(0, &Owner::Always, 0.0f);
        return new Machine(Core::Vector<StatePointer>{a.Get(), b.Get()}, 0, 0.0f, &owner);
    }

    Owner owner;
    Core::RefPtr<State<Owner>> a;
    Core::RefPtr<State<Owner>> b;
};
}  // namespace

TEST_F(StateMachineTest, TheFirstStepOnlyEntersTheSecondMovesAndRunsTheTarget)
{
    owner.go = true;
    const Core::RefPtr<Machine> machine = Build(0.0f);
    machine->Update(0.1f);
    EXPECT_EQ(owner.log, (std::vector<std::string>{"enter A", "run A"}));
    EXPECT_EQ(owner.conditionCalls, 0);
    owner.log.clear();
    machine->Update(0.1f);
    EXPECT_EQ(owner.log, (std::vector<std::string>{"exit A", "enter B", "run B"}));
    EXPECT_EQ(machine->GetCurrentIndex(), 1u);
}

TEST_F(StateMachineTest, AHoldFiresAfterItsTimeAndABreakRestartsIt)
{
    const Core::RefPtr<Machine> machine = Build(0.5f);
    owner.go = true;
    machine->Update(0.2f);
    machine->Update(0.2f);
    machine->Update(0.2f);
    EXPECT_EQ(machine->GetCurrentIndex(), 0u);
    machine->Update(0.2f);
    EXPECT_EQ(machine->GetCurrentIndex(), 1u);

    const Core::RefPtr<Machine> broken = Build(0.5f);
    broken->Update(0.2f);
    owner.go = true;
    broken->Update(0.2f);
    broken->Update(0.2f);
    owner.go = false;
    broken->Update(0.2f);
    EXPECT_EQ(a->transitions[0].elapsed, 0.0f);
    owner.go = true;
    broken->Update(0.2f);
    broken->Update(0.2f);
    EXPECT_EQ(broken->GetCurrentIndex(), 0u);
    broken->Update(0.2f);
    EXPECT_EQ(broken->GetCurrentIndex(), 1u);
}

TEST_F(StateMachineTest, NoConditionIsAskedBeforeTheMinimumTime)
{
    owner.go = true;
    const Core::RefPtr<Machine> machine = Build(0.0f, 1.0f);
    machine->Update(0.25f);
    for (int i = 0; i < 3; ++i)
    {
        machine->Update(0.25f);
    }
    EXPECT_EQ(owner.conditionCalls, 0);
    EXPECT_EQ(machine->GetCurrentIndex(), 0u);
    // Equal to the minimum time counts as reached.
    machine->Update(0.25f);
    EXPECT_EQ(owner.conditionCalls, 1);
    EXPECT_EQ(machine->GetCurrentIndex(), 1u);
}

TEST_F(StateMachineTest, AForcedStateIsEnteredAtTheNextStep)
{
    const Core::RefPtr<Machine> machine = Build(0.0f);
    machine->Update(0.1f);
    EXPECT_FALSE(machine->ForceNextState(2));
    ASSERT_TRUE(machine->ForceNextState(1));
    owner.log.clear();
    machine->Update(0.1f);
    EXPECT_EQ(owner.log, (std::vector<std::string>{"exit A", "enter B", "run B"}));
    EXPECT_EQ(machine->GetNextIndex(), -1);
    EXPECT_EQ(owner.conditionCalls, 0);
}

TEST_F(StateMachineTest, RestartCallsNoHandlerAndReentersTheInitialState)
{
    owner.go = true;
    const Core::RefPtr<Machine> machine = Build(0.0f);
    machine->Update(0.1f);
    machine->Update(0.1f);
    owner.log.clear();
    machine->Restart(0.1f);
    EXPECT_TRUE(owner.log.empty());
    machine->Update(0.1f);
    EXPECT_EQ(owner.log, (std::vector<std::string>{"enter A", "run A"}));
}

TEST_F(StateMachineTest, AMachineWithoutOwnerDoesNothing)
{
    auto* only = MakeState("A", &Owner::EnterA, nullptr, &Owner::RunA);
    const Core::RefPtr<Machine> machine(new Machine(Core::Vector<StatePointer>{only}, 0, 0.0f, nullptr));
    machine->Update(0.1f);
    machine->Restart(0.1f);
    EXPECT_TRUE(owner.log.empty());
    EXPECT_TRUE(machine->IsEntering());
}

TEST_F(StateMachineTest, ANestedMachineStartsOverEachTimeItIsLeft)
{
    // inner: A -> B when Go holds; outer: inner -> C when Go holds, C -> inner always.
    a = MakeState("A", &Owner::EnterA, nullptr, &Owner::RunA);
    b = MakeState("B", &Owner::EnterB, nullptr, &Owner::RunB);
    a->AddTransition(1, &Owner::Go, 0.0f);
    auto* inner = new Machine(Core::Vector<StatePointer>{a.Get(), b.Get()}, 0, 0.0f, &owner);
    inner->SetOnEnter(&Owner::EnterInner);
    inner->SetOnExit(&Owner::ExitInner);
    inner->AddTransition(1, &Owner::Go, 0.2f);
    auto* c = MakeState("C", &Owner::EnterC, nullptr, &Owner::RunC);
    c->AddTransition(0, &Owner::Always, 0.0f);
    const Core::RefPtr<Machine> outer(new Machine(Core::Vector<StatePointer>{inner, c}, 0, 0.0f, &owner));
    ASSERT_TRUE(outer->IsValid());

    outer->Update(0.1f);
    EXPECT_EQ(owner.log, (std::vector<std::string>{"enter inner", "enter A", "run A"}));
    owner.go = true;
    outer->Update(0.1f);
    EXPECT_EQ(inner->GetCurrentIndex(), 1u);
    owner.log.clear();
    outer->Update(0.1f);
    EXPECT_EQ(owner.log, (std::vector<std::string>{"exit inner", "enter C", "run C"}));
    EXPECT_EQ(inner->GetCurrentIndex(), 0u);
    EXPECT_TRUE(inner->IsEntering());
    owner.log.clear();
    owner.go = false;
    outer->Update(0.1f);
    EXPECT_EQ(outer->GetCurrentIndex(), 0u);
    EXPECT_EQ(owner.log, (std::vector<std::string>{"enter inner", "enter A", "run A"}));
}

TEST_F(StateMachineTest, ACopyRunsOnTheSameOwnerWithItsOwnStates)
{
    owner.go = true;
    const Core::RefPtr<Machine> machine = Build(0.0f);
    machine->Update(0.1f);
    const Core::RefPtr<StateBase<Owner>> copy(machine->CloneState());
    auto* copied = static_cast<Machine*>(copy.Get());
    EXPECT_NE(copied->GetStates()[0].Get(), machine->GetStates()[0].Get());
    copied->Update(0.1f);
    EXPECT_EQ(copied->GetCurrentIndex(), 1u);
    EXPECT_EQ(machine->GetCurrentIndex(), 0u);
}

TEST_F(StateMachineTest, SaveAndLoadRestoreThePositionOfAMachineBuiltTheSameWay)
{
    const Core::RefPtr<Machine> machine = Build(1.0f);
    owner.go = true;
    machine->Update(0.1f);
    machine->Update(0.3f);
    machine->ForceNextState(1);
    Core::MemoryFile file;
    machine->Save(file);

    const Core::RefPtr<Machine> rebuilt = Build(1.0f);
    Core::MemoryFile readBack(file.GetData(), file.GetSize());
    rebuilt->Load(readBack);
    EXPECT_FALSE(readBack.Failed());
    EXPECT_EQ(readBack.GetRemaining(), 0u);
    EXPECT_EQ(rebuilt->GetCurrentIndex(), 0u);
    EXPECT_EQ(rebuilt->GetNextIndex(), 1);
    EXPECT_FLOAT_EQ(rebuilt->GetTimeInState(), 0.3f);
    EXPECT_FALSE(rebuilt->IsEntering());
    EXPECT_FLOAT_EQ(static_cast<State<Owner>&>(*rebuilt->GetStates()[0]).transitions[0].elapsed, 0.3f);
    EXPECT_EQ(rebuilt->GetStates()[1]->name, "B");
}

TEST_F(StateMachineTest, IndicesOutsideTheStatesAreRefusedWhenBuiltAndWhenLoaded)
{
    EXPECT_FALSE(Machine(Core::Vector<StatePointer>{}, 0, 0.0f, &owner).IsValid());
    const Core::RefPtr<Machine> built = Build(0.0f);
    EXPECT_TRUE(built->IsValid());
    EXPECT_FALSE(Machine(Core::Vector<StatePointer>{a.Get(), b.Get()}, 2, 0.0f, &owner).IsValid());
    a->AddTransition(5, &Owner::Always, 0.0f);
    Machine badTarget(Core::Vector<StatePointer>{a.Get(), b.Get()}, 0, 0.0f, &owner);
    EXPECT_FALSE(badTarget.IsValid());
    badTarget.Update(0.1f);
    EXPECT_TRUE(owner.log.empty());

    // A stream whose current index lies beyond the states fails and changes nothing.
    const Core::RefPtr<Machine> machine = Build(0.0f);
    Core::MemoryFile file;
    machine->Save(file);
    std::vector<u8> bytes(file.GetData(), file.GetData() + file.GetSize());
    // current is 13 bytes before the end: current, next, initial (u32 each), entering (u8).
    bytes[bytes.size() - 13] = 7;
    Core::MemoryFile readBack(bytes.data(), static_cast<u32>(bytes.size()));
    machine->Load(readBack);
    EXPECT_TRUE(readBack.Failed());
    EXPECT_EQ(machine->GetCurrentIndex(), 0u);
    EXPECT_TRUE(machine->IsEntering());
}
