#pragma once
// The shape every game class shares: registered under its plain class name, created by name with
// its default constructor, and cloned through a copy constructor that copies only the framework
// part, so that a clone's own game fields start at their defaults.
#include "core/Core_Object.h"

// In the class body, with the direct base; the class gives its own fields default values.
#define GAME_CLASS(Type, Base)                                                                     \
    CORE_CLASS(Type)                                                                               \
                                                                                                   \
private:                                                                                           \
    using GameClassBase = Base;                                                                    \
                                                                                                   \
public:                                                                                            \
    using GameClassBase::GameClassBase;                                                            \
    Type() = default;                                                                              \
    Type(const Type& source) : Base(source) {}                                                     \
    Type* Clone() const override;

// Enters the class into the class registry under its plain name, so that a saved object graph can
// make it by name; each class's entry runs it once, before the program entry.
template <class Type>
bool InitClassEntry(const char* name)
{
    ::Core::ClassRegistry::Instance().Register(name, &Type::Create);
    return true;
}

// In the source file of a class that defines its own copy: its creation function, its name and its
// registry entry. The file's name tags the class's allocations.
#define GAME_CLASS_ENTRY(Type)                                                                     \
    ::Core::Object* Type::Create() { return new (__FILE__, __LINE__) Type(); }                     \
    const char* Type::GetClassName() const { return #Type; }                                       \
    static const bool CORE_CONCAT(gameClassEntry_, __LINE__) = InitClassEntry<Type>(#Type);

// In the class's own source file MyGame_<Type>.cpp: the entry and the copy of GAME_CLASS.
#define GAME_REGISTER_CLASS(Type)                                                                  \
    GAME_CLASS_ENTRY(Type)                                                                         \
    Type* Type::Clone() const { return new (__FILE__, __LINE__) Type(*this); }
