#pragma once

#include "collision/Collision_MainObject.h"
#include "core/Core_Types.h"
#include "math/Math_Circle2D.h"
#include "math/Math_LineSegment2D.h"

namespace Core
{
class File;
}

namespace Collision2D
{
// A fixed shape of a layer (a circle or a line segment) with a running Id, the content's user
// id, a z-collision level and the per-object tested mark of the layer's static pass. Each shape
// class numbers its shapes with its own running counter, 1 at start and after a reset.
template <class Shape, i32 Kind>
class StaticCollisionShape : public MainCollisionObject
{
public:
    StaticCollisionShape() : MainCollisionObject(Kind), id(nextId++) {}
    // A copy takes a new Id and keeps user id, z-level and tested mark.
    StaticCollisionShape(const StaticCollisionShape& other)
        : MainCollisionObject(other), shape(other.shape), id(nextId++), userId(other.userId),
          zCollision(other.zCollision), tested(other.tested)
    {
    }
    StaticCollisionShape& operator=(const StaticCollisionShape&) = delete;

    u32 GetId() const { return id; }
    u32 GetUserId() const { return userId; }
    void SetUserId(u32 value) { userId = value; }
    u8 GetZCollision() const { return zCollision; }
    void SetZCollision(u8 z) { zCollision = z; }
    bool IsTested() const { return tested != 0; }
    void SetTested(bool value) { tested = value ? 1 : 0; }

    // kind, shape, the class's running counter, Id, user id, z-level, tested mark.
    void Save(Core::File& file) const;
    // Restores the class's running counter from the record; the user data becomes null.
    bool Load(Core::File& file);

    static void ResetIdCounter() { nextId = 1; }
    static u32 GetNextId() { return nextId; }

protected:
    Shape shape;

private:
    inline static u32 nextId = 1;

    u32 id;
    u32 userId = 0;
    u8 zCollision = 0;
    u8 tested = 0;
};

class StaticCollisionCircle : public StaticCollisionShape<Math::Circle2D, KindStaticCircle>
{
public:
    StaticCollisionCircle() = default;
    explicit StaticCollisionCircle(const Math::Circle2D& circle) { shape = circle; }

    // A new shape with the next Id (the layer owns it).
    StaticCollisionCircle* Clone() const { return new (__FILE__, __LINE__) StaticCollisionCircle(*this); }
    const Math::Circle2D& GetCircle() const { return shape; }
    void SetCircle(const Math::Circle2D& circle) { shape = circle; }

protected:
    const char* GetScriptTypeName() const override { return "StaticCollisionCircle"; }
};

class StaticCollisionLineSegment : public StaticCollisionShape<Math::LineSegment2D, KindStaticLineSegment>
{
public:
    StaticCollisionLineSegment() = default;
    explicit StaticCollisionLineSegment(const Math::LineSegment2D& segment) { shape = segment; }

    StaticCollisionLineSegment* Clone() const
    {
        return new (__FILE__, __LINE__) StaticCollisionLineSegment(*this);
    }
    const Math::LineSegment2D& GetLineSegment() const { return shape; }
    void SetLineSegment(const Math::LineSegment2D& segment) { shape = segment; }

protected:
    const char* GetScriptTypeName() const override { return "StaticCollisionLineSegment"; }
};

extern template class StaticCollisionShape<Math::Circle2D, KindStaticCircle>;
extern template class StaticCollisionShape<Math::LineSegment2D, KindStaticLineSegment>;
} // namespace Collision2D
