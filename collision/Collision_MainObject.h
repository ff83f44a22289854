#pragma once

#include "collision/Collision_Ids.h"
#include "core/Core_Object.h"
#include "core/Core_Types.h"

namespace Core
{
class File;
}

namespace Collision2D
{
// The part every collidable stored in a layer has in common: its kind and its owner word (the
// framework's game object).
class MainCollisionObject : public Core::Base
{
public:
    ~MainCollisionObject() override = default;

    i32 GetKind() const { return kind; }
    void* GetUserData() const { return userData; }
    void SetUserData(void* owner) { userData = owner; }

protected:
    // Only the collidables exist, each with the kind of its class: a layer stores an object by its
    // kind as the class that kind names.
    MainCollisionObject() = default;
    explicit MainCollisionObject(i32 kind) : kind(kind) {}
    MainCollisionObject(const MainCollisionObject&) = default;
    MainCollisionObject& operator=(const MainCollisionObject&) = default;

    // The kind as a u32.
    void SaveKind(Core::File& file) const;
    // Reads the kind, which must be this object's own kind (an object of another class cannot be
    // read into this one); the user data becomes null.
    bool LoadKind(Core::File& file);

private:
    i32 kind = KindUnset;
    void* userData = nullptr;
};
} // namespace Collision2D
