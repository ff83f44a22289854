#pragma once

#include "core/Core_Memory.h"
#include "core/Core_Types.h"

#include <cstddef>
#include <map>

struct lua_State;
class LuaScript;

namespace Core
{
class File;
class Object;

// Root of the class tree: the two script operations. Instances are made and released through the
// tracked allocator by the class operators below, so a plain `new`/`delete` of any derived class
// uses the pool; the virtual destructor lets `delete` return the block with the dynamic size.
class Base
{
public:
    Base() = default;
    Base(const Base&) = default;
    Base& operator=(const Base&) = default;
    virtual ~Base() = default;

    // The object's script holder; none by default.
    virtual LuaScript* GetScript();
    // Pushes the object into the script state as a userdata with the metatable named after its
    // script type; nothing happens while no script glue is installed (see SetScriptPusher).
    virtual void PushToScript(lua_State* state);

    static void* operator new(std::size_t size);
    static void* operator new(std::size_t size, const char* file, int line);
    static void* operator new(std::size_t, void* where) noexcept { return where; }
    static void operator delete(void* pointer, std::size_t size) noexcept;
    static void operator delete(void* pointer, const char* file, int line) noexcept;
    static void operator delete(void*, void*) noexcept {}

protected:
    // Name of the metatable that PushToScript sets; "Object" unless a class says otherwise.
    virtual const char* GetScriptTypeName() const;
};

// Installed by the script glue: pushes an object pointer as a userdata with the named metatable.
using ScriptPusher = void (*)(lua_State* state, Base* object, const char* scriptTypeName);
void SetScriptPusher(ScriptPusher pusher);

// Object with an intrusive reference count (plain, not atomic: counts change on one thread).
class Object : public Base
{
public:
    Object() = default;
    // The count is never copied: a copy starts unreferenced.
    Object(const Object&) : Base() {}
    Object& operator=(const Object&) { return *this; }
    ~Object() override = default;

    LuaScript* GetScript() override;
    void PushToScript(lua_State* state) override;
    // A new object of the same class; Core::Object makes a fresh Core::Object.
    virtual Object* Clone() const;
    // The object's payload in an object-graph stream; Core::Object has none.
    virtual void Save(File& file);
    virtual void Load(File& file);
    // The class's registered name, written by the object-graph writer.
    virtual const char* GetClassName() const;
    virtual u32 GetSize() const;

    void AddReference() { ++referenceCount; }
    // Drops one reference; the last one deletes the object. Inline, for every counted pointer that
    // moves or dies calls it; the deletion is not.
    void ReleaseReference()
    {
        if (referenceCount > 1)
            --referenceCount;
        else if (referenceCount == 1)
            ReleaseLast();
    }
    u32 GetReferenceCount() const { return referenceCount; }

    // Creation function of the "Object" registration.
    static Object* Create();

private:
    // Drops the last reference: the count becomes 0 and the object is deleted.
    void ReleaseLast();

    // A stream lends an object a reference while it frees the objects its reader refused.
    friend class File;
    u32 referenceCount = 0;
};

// Counted reference to an object of class T (Core::Object or derived).
template <class T>
class RefPtr
{
public:
    RefPtr() noexcept = default;
    RefPtr(std::nullptr_t) noexcept {}
    RefPtr(T* object) : object(object) { Take(); }
    RefPtr(const RefPtr& other) : object(other.object) { Take(); }
    template <class U>
    RefPtr(const RefPtr<U>& other) : object(other.Get())
    {
        Take();
    }
    RefPtr(RefPtr&& other) noexcept : object(other.object) { other.object = nullptr; }
    ~RefPtr() { Drop(); }

    RefPtr& operator=(const RefPtr& other)
    {
        Reset(other.object);
        return *this;
    }
    RefPtr& operator=(RefPtr&& other) noexcept
    {
        if (this != &other)
        {
            T* previous = object;
            object = other.object;
            other.object = nullptr;
            if (previous)
                previous->ReleaseReference();
        }
        return *this;
    }
    RefPtr& operator=(T* other)
    {
        Reset(other);
        return *this;
    }

    // Takes the new object before dropping the old one, so self-assignment is safe.
    void Reset(T* other = nullptr)
    {
        if (other)
            other->AddReference();
        T* previous = object;
        object = other;
        if (previous)
            previous->ReleaseReference();
    }

    T* Get() const noexcept { return object; }
    T* operator->() const noexcept { return object; }
    T& operator*() const noexcept { return *object; }
    operator T*() const noexcept { return object; }

private:
    void Take()
    {
        if (object)
            object->AddReference();
    }
    void Drop()
    {
        if (object)
            object->ReleaseReference();
        object = nullptr;
    }

    T* object = nullptr;
};

using CreateFunction = Object* (*)();

// Registration record of one class: its name (static, zero-terminated) and creation function.
struct ClassRegistration
{
    const char* name;
    CreateFunction create;
};

// Process-wide map from class name to registration, filled by static initialisers before the
// program entry and only read afterwards. The first registration of a name wins.
class ClassRegistry
{
public:
    static ClassRegistry& Instance();

    // name must outlive the registry (a string literal).
    const ClassRegistration& Register(const char* name, CreateFunction create);
    // Null for a name that was never registered; looking up inserts nothing, so names read from
    // untrusted streams cannot grow the registry.
    const ClassRegistration* Lookup(const char* name) const;

private:
    struct NameOrder
    {
        bool operator()(const char* a, const char* b) const;
    };

    std::map<const char*, ClassRegistration, NameOrder> classes;
};

// Null for unknown names and for classes registered without a creation function.
Object* CreateObjectByName(const char* name);

// Registers "Object" with Object::Create (a static initialiser of the core does it before the
// program entry) and returns the registration, the first one of that name.
const ClassRegistration& RegisterObjectClass();

// Registers a class when constructed; used as a static by CORE_REGISTER_CLASS.
struct ClassRegistrar
{
    ClassRegistrar(const char* name, CreateFunction create);
};
} // namespace Core

#define CORE_CONCAT_INNER(a, b) a##b
#define CORE_CONCAT(a, b) CORE_CONCAT_INNER(a, b)

// In the class body of a registered class: declares its creation function and names/sizes it.
#define CORE_CLASS(Type)                                                                           \
public:                                                                                            \
    static ::Core::Object* Create();                                                               \
    const char* GetClassName() const override;                                                     \
    u32 GetSize() const override { return sizeof(Type); }

// In the class's source file, at namespace scope: GetClassName returns Name, Create makes a
// default-constructed Type, and Name is registered before the program entry.
#define CORE_REGISTER_CLASS(Type, Name)                                                            \
    ::Core::Object* Type::Create() { return new (__FILE__, __LINE__) Type(); }                     \
    CORE_REGISTER_CLASS_WITH_CREATE(Type, Name)

// As CORE_REGISTER_CLASS for classes that define Type::Create themselves (for instance abstract
// classes, whose Create returns null).
#define CORE_REGISTER_CLASS_WITH_CREATE(Type, Name)                                                \
    const char* Type::GetClassName() const { return Name; }                                       \
    static const ::Core::ClassRegistrar CORE_CONCAT(coreClassRegistrar_, __LINE__)(Name, &Type::Create);
