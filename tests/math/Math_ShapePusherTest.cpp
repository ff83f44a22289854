#include "math/Math_Circle2D.h"
#include "math/Math_Line2D.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_Ray2D.h"
#include "math/Math_ShapePusher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Pushed {
    void* shape;
    std::string name;
};
std::vector<Pushed> pushed;

void RecordPush(lua_State*, void* shape, const char* scriptTypeName)
{
    pushed.push_back({shape, scriptTypeName});
}

// Without a script engine the shapes hand themselves, under their script names, to whatever
// pusher is installed, and to none while none is.
TEST(MathShapePusher, ShapesPushThemselvesThroughTheInstalledPusher)
{
    Math::Line2D line;
    Math::LineSegment2D segment;
    Math::Circle2D circle;
    Math::Ray2D ray;
    auto* state = reinterpret_cast<lua_State*>(&pushed);
    pushed.clear();
    circle.PushToScript(state);
    EXPECT_TRUE(pushed.empty());

    Math::SetShapeScriptPusher(&RecordPush);
    line.PushToScript(state);
    segment.PushToScript(state);
    circle.PushToScript(state);
    ray.PushToScript(state);
    ray.PushToScript(nullptr);
    Math::SetShapeScriptPusher(nullptr);
    circle.PushToScript(state);

    ASSERT_EQ(pushed.size(), 4u);
    EXPECT_EQ(pushed[0].shape, &line);
    EXPECT_EQ(pushed[0].name, "Line2D");
    EXPECT_EQ(pushed[1].shape, &segment);
    EXPECT_EQ(pushed[1].name, "LineSegment2D");
    EXPECT_EQ(pushed[2].shape, &circle);
    EXPECT_EQ(pushed[2].name, "Circle2D");
    EXPECT_EQ(pushed[3].shape, &ray);
    EXPECT_EQ(pushed[3].name, "Ray2D");
}

} // namespace
