#include "collision/Collision_Rect.h"

#include <gtest/gtest.h>

using Collision2D::VelRect;

TEST(CollisionRect, EdgeContactOverlapsButDoesNotIntersect)
{
    const VelRect a(10, 0, 10, 0);
    const VelRect b(10, 10, 20, 0);
    EXPECT_TRUE(Collision2D::RectanglesOverlap(&a, &b));
    VelRect out;
    EXPECT_EQ(Collision2D::IntersectRectangles(&a, &b, &out), 0);
    EXPECT_EQ(out.left, 10.0f);
    EXPECT_EQ(out.right, 10.0f);
}
