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

// In the class's own source file MyGame_<Type>.cpp, whose name tags the class's allocations.
#define GAME_REGISTER_CLASS(Type)                                                                  \
    CORE_REGISTER_CLASS(Type, #Type)                                                               \
    Type* Type::Clone() const { return new (__FILE__, __LINE__) Type(*this); }
