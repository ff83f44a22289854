#pragma once
// Leaf nodes that draw 3D line segments in one colour, straight from their point list as one
// line-list render item (no mesh, no frustum test). Lines takes its segments from its owner; a
// circle generates its outline once.
#include "core/Core_Memory.h"
#include "math/Math_Color.h"
#include "math/Math_Vector3D.h"
#include "engine/Engine_Node.h"

namespace Engine
{
// What lines and circles share: the points (segment i is points 2i and 2i + 1), the colour, the
// opacity and the drawing.
class LineList : public Node
{
public:
    // The node matrix follows the parent's; nothing else.
    void Update(f32 dt) override;
    void Render(const Math::ViewFrustum&) override { Draw(); }
    void Draw() override;
    void DrawTree() override { Draw(); }

    u32 GetPointCount() const { return static_cast<u32>(points.size()); }
    const Math::Vector3D* GetPoints() const { return points.data(); }
    // The alpha is kept but not drawn: the opacity is the drawn alpha.
    void SetColor(const Math::Color& value) { color = value; }
    const Math::Color& GetColor() const { return color; }
    void SetOpacity(f32 value) { opacity = value; }
    f32 GetOpacity() const { return opacity; }

protected:
    LineList() = default;
    LineList(const LineList& other);

    Core::Vector<Math::Vector3D> points;
    Math::Color color{1.0f, 1.0f, 1.0f, 1.0f};
    f32 opacity = 1.0f;
};

class Lines : public LineList
{
public:
    Lines() = default;
    Lines(const Lines& other) = default;

    Lines* Clone() const override;

    void AddLine(const Math::Vector3D& start, const Math::Vector3D& end);
    u32 GetLineCount() const { return GetPointCount() / 2; }
    // Segments that do not exist are ignored and read as the origin.
    void SetStartPoint(u32 line, const Math::Vector3D& point);
    void SetEndPoint(u32 line, const Math::Vector3D& point);
    Math::Vector3D GetStartPoint(u32 line) const;
    Math::Vector3D GetEndPoint(u32 line) const;
};
} // namespace Engine
