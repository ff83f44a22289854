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

// One event's ordered list of callbacks, which it owns. Raising calls every entry in the order of
// adding, including entries that a callback adds while the event is being raised. Entries are
// added through GUI::Control::AddHandler, which holds the rule of what may be added.
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

    // Whether an entry of class Callback binds exactly this target and member function.
    template <class Callback, class T, class Function>
    bool Holds(const T* target, Function function) const
    {
        for (const Base* entry : entries)
        {
            const Callback* same = dynamic_cast<const Callback*>(entry);
            if (same && same->Binds(target, function))
                return true;
        }
        return false;
    }

    // Takes ownership of the entry and puts it last.
    void Append(Base* entry) { entries.push_back(entry); }

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

// The list of a one-parameter event; Callback<T> binds a member function of T to it.
template <class P>
class EventList1Param : public EventList<MemberFunctionBase1Param<P>>
{
public:
    template <class T>
    using Callback = MemberFunction1Param<T, P>;
};

// The list of a mouse-record event.
template <class P, class R>
class EventList2Param : public EventList<MemberFunctionBase2Param<P, R>>
{
public:
    template <class T>
    using Callback = MemberFunction2Param<T, P, R>;
};
} // namespace GUI
