#include "core/Core_Object.h"

#include <cstring>

namespace Core
{
namespace
{
ScriptPusher scriptPusher = nullptr;

[[maybe_unused]] const ClassRegistration& objectRegistration = RegisterObjectClass();
} // namespace

LuaScript* Base::GetScript()
{
    return nullptr;
}

void Base::PushToScript(lua_State* state)
{
    if (scriptPusher && state)
        scriptPusher(state, this, GetScriptTypeName());
}

const char* Base::GetScriptTypeName() const
{
    return "Object";
}

void* Base::operator new(std::size_t size)
{
    return TrackedNew(static_cast<u32>(size));
}

void* Base::operator new(std::size_t size, const char* file, int line)
{
    return TrackedNew(static_cast<u32>(size), file, line);
}

void Base::operator delete(void* pointer, std::size_t size) noexcept
{
    TrackedDelete(pointer, static_cast<u32>(size));
}

void Base::operator delete(void* pointer, const char* file, int line) noexcept
{
    TrackedDelete(pointer, file, line);
}

void SetScriptPusher(ScriptPusher pusher)
{
    scriptPusher = pusher;
}

LuaScript* Object::GetScript()
{
    return nullptr;
}

void Object::PushToScript(lua_State* state)
{
    Base::PushToScript(state);
}

Object* Object::Clone() const
{
    return new ("Core_Object", __LINE__) Object();
}

void Object::Save(File&)
{
}

void Object::Load(File&)
{
}

const char* Object::GetClassName() const
{
    return "Object";
}

u32 Object::GetSize() const
{
    return sizeof(Object);
}

void Object::ReleaseLast()
{
    referenceCount = 0;
    delete this;
}

Object* Object::Create()
{
    return new ("Core_Object", __LINE__) Object();
}

bool ClassRegistry::NameOrder::operator()(const char* a, const char* b) const
{
    // strcmp compares bytes as unsigned values, and a proper prefix orders first.
    return std::strcmp(a, b) < 0;
}

ClassRegistry& ClassRegistry::Instance()
{
    static ClassRegistry registry;
    return registry;
}

const ClassRegistration& ClassRegistry::Register(const char* name, CreateFunction create)
{
    return classes.try_emplace(name, ClassRegistration{name, create}).first->second;
}

const ClassRegistration* ClassRegistry::Lookup(const char* name) const
{
    if (!name)
        return nullptr;
    auto found = classes.find(name);
    return found == classes.end() ? nullptr : &found->second;
}

Object* CreateObjectByName(const char* name)
{
    const ClassRegistration* registration = ClassRegistry::Instance().Lookup(name);
    return registration && registration->create ? registration->create() : nullptr;
}

const ClassRegistration& RegisterObjectClass()
{
    return ClassRegistry::Instance().Register("Object", &Object::Create);
}

ClassRegistrar::ClassRegistrar(const char* name, CreateFunction create)
{
    ClassRegistry::Instance().Register(name, create);
}
} // namespace Core
