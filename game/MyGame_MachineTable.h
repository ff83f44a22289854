#pragma once
// The game's state machines written as tables: one row per state, in index order, with its enter
// and per-frame handlers, up to three transitions, tested in the order given, and an exit handler
// where the state has one. Every state and the machine itself have no minimum time.
#include "core/Core_Memory.h"
#include "framework/core/Vellumar_StateMachine.h"

#include <span>

template <class Owner>
struct MachineRow
{
    using Handler = void (Owner::*)(f32);
    using Condition = bool (Owner::*)(f32);

    struct Leave
    {
        i32 target;
        Condition condition;
        f32 hold;
    };

    const char* name;
    Handler enter;
    Handler update;
    Leave transitions[3];
    Handler exit = nullptr;
};

// The machine has taken its first step and stands in the state of that index.
template <class Owner>
bool IsInState(const Vellumar::StateMachine<Owner>& machine, u32 index)
{
    return !machine.IsEntering() && machine.GetCurrentIndex() == index;
}

template <class Owner>
Core::RefPtr<Vellumar::StateMachine<Owner>> BuildMachine(const char* name, std::span<const MachineRow<Owner>> rows,
                                                         u32 initial, Owner* owner)
{
    using Machine = Vellumar::StateMachine<Owner>;
    Core::Vector<typename Machine::StatePointer> states;
    for (const MachineRow<Owner>& row : rows)
    {
        auto* state = new (__FILE__, __LINE__) Vellumar::State<Owner>(0.0f);
        state->name = row.name;
        state->SetOnEnter(row.enter);
        state->SetOnUpdate(row.update);
        state->SetOnExit(row.exit);
        for (const typename MachineRow<Owner>::Leave& transition : row.transitions)
        {
            if (transition.condition)
                state->AddTransition(transition.target, transition.condition, transition.hold);
        }
        states.push_back(state);
    }
    Core::RefPtr<Machine> machine = new (__FILE__, __LINE__) Machine(states, initial, 0.0f, owner);
    machine->name = name;
    return machine;
}
