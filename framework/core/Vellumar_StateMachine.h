#pragma once
// Finite state machines over an owner class: every handler and transition condition is a member
// function of the owner, called on the owner the machine runs for. A machine is itself a state, so
// machines nest; a nested machine starts over each time it is left. The owner builds states,
// transitions and machines in code and steps the machine once per frame with Update.
#include "core/Core_File.h"
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"

namespace Vellumar
{
// A transition fires once its condition has held, without a break, for the hold time.
template <class Owner>
struct Transition
{
    using Condition = bool (Owner::*)(f32 dt);

    i32 target = 0;  // index in the owning machine's states
    Condition condition = nullptr;
    f32 holdTime = 0.0f;
    f32 elapsed = 0.0f;
};

template <class Owner>
class StateBase : public Core::Object
{
public:
    using Handler = void (Owner::*)(f32 dt);
    using Condition = typename Transition<Owner>::Condition;

    // Examined in this order; the builder appends them.
    Core::Vector<Transition<Owner>> transitions;
    Core::String name;
    Handler onEnter = nullptr;
    Handler onExit = nullptr;
    // No transition is examined before the machine has spent this long in the state.
    f32 minimumTime = 0.0f;

    explicit StateBase(f32 minimumTime = 0.0f) : minimumTime(minimumTime) {}

    virtual void SetOnEnter(Handler handler) { onEnter = handler; }
    virtual void SetOnExit(Handler handler) { onExit = handler; }
    virtual StateBase* CloneState() const = 0;
    // Every transition's elapsed time back to 0.
    virtual void ResetTransitions(Owner*, f32)
    {
        for (Transition<Owner>& transition : transitions)
        {
            transition.elapsed = 0.0f;
        }
    }
    virtual void Run(Owner* owner, f32 dt) = 0;
    virtual void Enter(Owner* owner, f32 dt) { Call(onEnter, owner, dt); }
    virtual void Exit(Owner* owner, f32 dt) { Call(onExit, owner, dt); }
    // The target of the first transition whose condition has held for its hold time, or -1. A
    // firing transition restarts every transition of the state.
    virtual i32 CheckTransitions(Owner* owner, f32 dt)
    {
        for (Transition<Owner>& transition : transitions)
        {
            if (transition.condition && (owner->*transition.condition)(dt))
            {
                transition.elapsed += dt;
                if (transition.holdTime <= transition.elapsed)
                {
                    transition.elapsed = 0.0f;
                    ResetTransitions(owner, dt);
                    return transition.target;
                }
            }
            else
            {
                transition.elapsed = 0.0f;
            }
        }
        return -1;
    }

    void AddTransition(i32 target, Condition condition, f32 holdTime)
    {
        transitions.push_back(Transition<Owner>{target, condition, holdTime, 0.0f});
    }

    // The values only (per transition target, hold time and elapsed time, then the name and the
    // minimum time); the structure is rebuilt by the owner's code before Load.
    void Save(Core::File& file) override
    {
        for (const Transition<Owner>& transition : transitions)
        {
            Core::WriteU32(file, static_cast<u32>(transition.target));
            Core::WriteF32(file, transition.holdTime);
            Core::WriteF32(file, transition.elapsed);
        }
        Core::WriteString(file, name);
        Core::WriteF32(file, minimumTime);
    }
    void Load(Core::File& file) override { LoadInMachine(file, 0); }

    // Load as state of a machine of stateCount states (0: no machine to check targets against). A
    // target outside the machine fails the stream and leaves the transition as it was.
    virtual void LoadInMachine(Core::File& file, u32 stateCount)
    {
        for (Transition<Owner>& transition : transitions)
        {
            u32 target = 0;
            f32 holdTime = 0.0f;
            f32 elapsed = 0.0f;
            Core::ReadU32(file, target);
            Core::ReadF32(file, holdTime);
            Core::ReadF32(file, elapsed);
            if (stateCount != 0 && target >= stateCount)
            {
                file.SetFailed();
            }
            if (file.Failed())
            {
                return;
            }
            transition.target = static_cast<i32>(target);
            transition.holdTime = holdTime;
            transition.elapsed = elapsed;
        }
        Core::ReadString(file, name);
        Core::ReadF32(file, minimumTime);
    }

protected:
    static void Call(Handler handler, Owner* owner, f32 dt)
    {
        if (handler)
        {
            (owner->*handler)(dt);
        }
    }
};

// A leaf state: its update handler runs once per step while it is current.
template <class Owner>
class State : public StateBase<Owner>
{
public:
    using Handler = typename StateBase<Owner>::Handler;

    Handler onUpdate = nullptr;

    explicit State(f32 minimumTime = 0.0f) : StateBase<Owner>(minimumTime) {}

    StateBase<Owner>* CloneState() const override { return new (__FILE__, __LINE__) State(*this); }
    void Run(Owner* owner, f32 dt) override { StateBase<Owner>::Call(onUpdate, owner, dt); }
    virtual void SetOnUpdate(Handler handler) { onUpdate = handler; }
};

template <class Owner>
class StateMachine : public StateBase<Owner>
{
public:
    using StatePointer = Core::RefPtr<StateBase<Owner>>;

    static constexpr u32 NoNextState = 0xFFFFFFFFu;

    // A machine whose initial index or any transition target lies outside its states (or that has
    // no states) is refused at construction: it never runs.
    StateMachine(const Core::Vector<StatePointer>& states, u32 initial, f32 minimumTime, Owner* owner)
        : StateBase<Owner>(minimumTime), states(states), owner(owner), current(initial), initial(initial)
    {
        valid = initial < states.size();
        for (const StatePointer& state : states)
        {
            valid = valid && state;
            for (const Transition<Owner>& transition : state ? state->transitions : Core::Vector<Transition<Owner>>())
            {
                valid = valid && transition.target >= 0 && static_cast<u32>(transition.target) < states.size();
            }
        }
    }

    // The copy runs on the same owner with copies of every state.
    StateMachine(const StateMachine& other)
        : StateBase<Owner>(other), owner(other.owner), timeInState(other.timeInState), current(other.current),
          next(other.next), initial(other.initial), entering(other.entering), valid(other.valid)
    {
        for (const StatePointer& state : other.states)
        {
            states.push_back(state->CloneState());
        }
    }

    StateBase<Owner>* CloneState() const override { return new (__FILE__, __LINE__) StateMachine(*this); }

    // One step: the first step after construction or Reset enters the initial state; a forced next
    // state is entered at the next step; otherwise, past the state's minimum time, a transition that
    // fires leaves the state and enters its target, which runs in the same step.
    void Run(Owner* runOwner, f32 dt) override
    {
        if (!valid)
        {
            return;
        }
        if (entering)
        {
            timeInState = 0.0f;
            entering = 0;
            states[current]->Enter(runOwner, dt);
            states[current]->Run(runOwner, dt);
            return;
        }
        if (next != -1)
        {
            timeInState = 0.0f;
            states[current]->Exit(runOwner, dt);
            current = static_cast<u32>(next);
            states[current]->Enter(runOwner, dt);
            states[current]->Run(runOwner, dt);
            next = -1;
            return;
        }
        timeInState += dt;
        if (states[current]->minimumTime <= timeInState)
        {
            const i32 target = states[current]->CheckTransitions(runOwner, dt);
            // Targets were checked when the machine was built; one added since is checked here.
            if (target >= 0 && static_cast<u32>(target) < states.size())
            {
                timeInState = 0.0f;
                states[current]->Exit(runOwner, dt);
                current = static_cast<u32>(target);
                states[current]->Enter(runOwner, dt);
            }
        }
        states[current]->Run(runOwner, dt);
    }

    // Back to the initial state, entered at the next step; no handler runs.
    void Reset(Owner* runOwner, f32 dt)
    {
        timeInState = 0.0f;
        entering = 1;
        current = initial;
        next = -1;
        for (const StatePointer& state : states)
        {
            state->ResetTransitions(runOwner, dt);
        }
    }

    void ResetTransitions(Owner* runOwner, f32 dt) override { Reset(runOwner, dt); }
    // Left as a whole: its handler, then it starts over.
    void Exit(Owner* runOwner, f32 dt) override
    {
        StateBase<Owner>::Exit(runOwner, dt);
        Reset(runOwner, dt);
    }

    void Update(f32 dt)
    {
        if (owner)
        {
            Run(owner, dt);
        }
    }
    void Restart(f32 dt)
    {
        if (owner)
        {
            Reset(owner, dt);
        }
    }

    // A copied machine's new owner, handed on to every machine nested in it.
    void SetOwner(Owner* newOwner)
    {
        owner = newOwner;
        for (const StatePointer& state : states)
        {
            if (auto* machine = dynamic_cast<StateMachine*>(state.Get()))
            {
                machine->SetOwner(newOwner);
            }
        }
    }

    // The state entered at the next step; false for an index outside the states.
    bool ForceNextState(u32 index)
    {
        if (index >= states.size())
        {
            return false;
        }
        next = static_cast<i32>(index);
        return true;
    }

    // Every state's values, then the time in state, current, next (all bits set for none),
    // initial and the entering flag.
    void Save(Core::File& file) override
    {
        for (const StatePointer& state : states)
        {
            state->Save(file);
        }
        Core::WriteF32(file, timeInState);
        Core::WriteU32(file, current);
        Core::WriteU32(file, static_cast<u32>(next));
        Core::WriteU32(file, initial);
        Core::WriteU8(file, entering);
    }
    void Load(Core::File& file) override { LoadInMachine(file, 0); }
    // Indices outside the states fail the stream and leave the machine's position as it was.
    void LoadInMachine(Core::File& file, u32) override
    {
        for (const StatePointer& state : states)
        {
            state->LoadInMachine(file, static_cast<u32>(states.size()));
        }
        f32 loadedTime = 0.0f;
        u32 loadedCurrent = 0;
        u32 loadedNext = 0;
        u32 loadedInitial = 0;
        u8 loadedEntering = 0;
        Core::ReadF32(file, loadedTime);
        Core::ReadU32(file, loadedCurrent);
        Core::ReadU32(file, loadedNext);
        Core::ReadU32(file, loadedInitial);
        Core::ReadU8(file, loadedEntering);
        const u32 count = static_cast<u32>(states.size());
        if (loadedCurrent >= count || loadedInitial >= count || (loadedNext != NoNextState && loadedNext >= count))
        {
            file.SetFailed();
        }
        if (file.Failed())
        {
            return;
        }
        timeInState = loadedTime;
        current = loadedCurrent;
        next = loadedNext == NoNextState ? -1 : static_cast<i32>(loadedNext);
        initial = loadedInitial;
        entering = loadedEntering;
    }

    const Core::Vector<StatePointer>& GetStates() const { return states; }
    u32 GetCurrentIndex() const { return current; }
    i32 GetNextIndex() const { return next; }
    f32 GetTimeInState() const { return timeInState; }
    bool IsEntering() const { return entering != 0; }
    bool IsValid() const { return valid; }
    Owner* GetOwner() const { return owner; }

private:
    Core::Vector<StatePointer> states;
    Owner* owner;
    f32 timeInState = 0.0f;
    u32 current;
    i32 next = -1;
    u32 initial;
    u8 entering = 1;
    bool valid = false;
};
}  // namespace Vellumar
