#pragma once
// Callbacks that bind one object and one of its member functions, so that a control can announce
// an event to its owner without knowing the owner's class. Event lists own their callbacks and
// delete them through the base, hence the virtual destructor. The target is not counted: a
// callback must not outlive its target's use.
#include "core/Core_Memory.h"
#include "core/Core_Types.h"

#include <cstddef>

namespace GUI
{
template <class P>
class MemberFunctionBase1Param
{
public:
    MemberFunctionBase1Param() = default;
    MemberFunctionBase1Param(const MemberFunctionBase1Param&) = delete;
    MemberFunctionBase1Param& operator=(const MemberFunctionBase1Param&) = delete;
    virtual ~MemberFunctionBase1Param() = default;

    virtual void Invoke(P parameter) = 0;
};

template <class T, class P>
class MemberFunction1Param : public MemberFunctionBase1Param<P>
{
public:
    using Function = void (T::*)(P);

    MemberFunction1Param(T* target, Function function) : target(target), function(function) {}

    void Invoke(P parameter) override { (target->*function)(parameter); }

    // Whether this callback binds exactly this target and member function.
    bool Binds(const T* otherTarget, Function otherFunction) const
    {
        return target == otherTarget && function == otherFunction;
    }

private:
    T* target;
    Function function;
};

// Callbacks of the mouse-record events: the control and the event record.
template <class P, class R>
class MemberFunctionBase2Param
{
public:
    MemberFunctionBase2Param() = default;
    MemberFunctionBase2Param(const MemberFunctionBase2Param&) = delete;
    MemberFunctionBase2Param& operator=(const MemberFunctionBase2Param&) = delete;
    virtual ~MemberFunctionBase2Param() = default;

    virtual void Invoke(P parameter, R record) = 0;
};

template <class T, class P, class R>
class MemberFunction2Param : public MemberFunctionBase2Param<P, R>
{
public:
    using Function = void (T::*)(P, R);

    MemberFunction2Param(T* target, Function function) : target(target), function(function) {}

    void Invoke(P parameter, R record) override { (target->*function)(parameter, record); }

    bool Binds(const T* otherTarget, Function otherFunction) const
    {
        return target == otherTarget && function == otherFunction;
    }

private:
    T* target;
    Function function;
};

// One event's ordered list of callbacks, which it owns. Adding a (target, member function) pair
// that is already listed, or a null target, adds nothing; raising calls every entry in the order
// of adding, including entries that a callback adds while the event is being raised.
template <class Base>
class EventList
{
public:
    EventList() = default;
    EventList(const EventList&) = delete;
    EventList& operator=(const EventList&) = delete;
    ~EventList()
    {
        for (Base* entry : entries)
            delete entry;
    }

    // Callback is the MemberFunction class that binds target's class to this list's base.
    template <class Callback, class T, class Function>
    bool Add(T* target, Function function)
    {
        if (!target)
            return false;
        for (Base* entry : entries)
        {
            const Callback* same = dynamic_cast<const Callback*>(entry);
            if (same && same->Binds(target, function))
                return false;
        }
        entries.push_back(new Callback(target, function));
        return true;
    }

    template <class... Arguments>
    void Raise(Arguments... arguments) const
    {
        for (std::size_t i = 0; i < entries.size(); ++i)
            entries[i]->Invoke(arguments...);
    }

    u32 GetCount() const { return static_cast<u32>(entries.size()); }

private:
    Core::Vector<Base*> entries;
};

// The list of a one-parameter event and its adder for a member function of T.
template <class P>
class EventList1Param : public EventList<MemberFunctionBase1Param<P>>
{
public:
    template <class T>
    bool AddHandler(T* target, void (T::*function)(P))
    {
        return this->template Add<MemberFunction1Param<T, P>>(target, function);
    }
};

// The list of a mouse-record event.
template <class P, class R>
class EventList2Param : public EventList<MemberFunctionBase2Param<P, R>>
{
public:
    template <class T>
    bool AddHandler(T* target, void (T::*function)(P, R))
    {
        return this->template Add<MemberFunction2Param<T, P, R>>(target, function);
    }
};
} // namespace GUI
