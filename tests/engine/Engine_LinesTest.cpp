#include "Engine_SpriteTestSupport.h"

#include "engine/Engine_Circle.h"
#include "engine/Engine_Lines.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
void ExpectNear(const Math::Vector3D& actual, const Math::Vector3D& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_EQ(actual.z, expected.z);
}

TEST(CircleTest, AQuarterStepMakesFiveSegmentsStartingDegenerate)
{
    const Engine::Circle circle(2.0f, 90);
    ASSERT_EQ(circle.GetPointCount(), 10u);
    const Math::Vector3D* points = circle.GetPoints();
    EXPECT_EQ(points[0], Math::Vector3D(2.0f, 0.0f, 0.0f));
    EXPECT_EQ(points[1], Math::Vector3D(2.0f, 0.0f, 0.0f));
    const Math::Vector3D ends[4] = {{0.0f, 2.0f, 0.0f}, {-2.0f, 0.0f, 0.0f}, {0.0f, -2.0f, 0.0f}, {2.0f, 0.0f, 0.0f}};
    for (u32 i = 0; i < 4; ++i)
    {
        // Each segment starts where the one before ended.
        EXPECT_EQ(points[2 + 2 * i], points[1 + 2 * i]);
        ExpectNear(points[3 + 2 * i], ends[i]);
    }
    EXPECT_EQ(circle.GetColor(), Math::Color(1.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_EQ(circle.GetOpacity(), 1.0f);
}

TEST(CircleTest, AStepThatDoesNotDivideTheTurnLeavesItOpen)
{
    const Engine::Circle seven(1.0f, 7);
    // 0, 7, ..., 357: 52 angles, one segment each.
    ASSERT_EQ(seven.GetPointCount(), 104u);
    const Math::Vector3D last = seven.GetPoints()[103];
    ExpectNear(last, Math::TransformPoint(Math::Matrix4x4::RotationZ(357.0f), Math::Vector3D(1.0f, 0.0f, 0.0f)));
    EXPECT_GT(std::abs(last.y), 0.01f);

    EXPECT_EQ(Engine::Circle(1.0f, 10).GetPointCount(), 74u);
    EXPECT_EQ(Engine::Circle(1.0f, 360).GetPointCount(), 4u);
    EXPECT_EQ(Engine::Circle(1.0f, 1000).GetPointCount(), 2u);
}

TEST(CircleTest, AStepAtOrBelowZeroMakesNoPoints)
{
    EXPECT_EQ(Engine::Circle(1.0f, 0).GetPointCount(), 0u);
    EXPECT_EQ(Engine::Circle(1.0f, -5).GetPointCount(), 0u);
    // The largest step adds to 0 once without overflowing.
    EXPECT_EQ(Engine::Circle(1.0f, 0x7FFFFFFF).GetPointCount(), 2u);
}

TEST(LinesTest, SegmentsAreAddressedByIndexAndOthersIgnored)
{
    Engine::Lines lines;
    lines.AddLine(Math::Vector3D(1, 2, 3), Math::Vector3D(4, 5, 6));
    lines.AddLine(Math::Vector3D(7, 8, 9), Math::Vector3D(10, 11, 12));
    EXPECT_EQ(lines.GetLineCount(), 2u);
    EXPECT_EQ(lines.GetStartPoint(1), Math::Vector3D(7, 8, 9));
    EXPECT_EQ(lines.GetEndPoint(0), Math::Vector3D(4, 5, 6));
    lines.SetStartPoint(0, Math::Vector3D(-1, -1, -1));
    lines.SetEndPoint(1, Math::Vector3D(-2, -2, -2));
    EXPECT_EQ(lines.GetPoints()[0], Math::Vector3D(-1, -1, -1));
    EXPECT_EQ(lines.GetPoints()[3], Math::Vector3D(-2, -2, -2));

    lines.SetStartPoint(2, Math::Vector3D(9, 9, 9));
    lines.SetEndPoint(0xFFFFFFFFu, Math::Vector3D(9, 9, 9));
    EXPECT_EQ(lines.GetPointCount(), 4u);
    EXPECT_EQ(lines.GetStartPoint(2), Math::Vector3D());
    EXPECT_EQ(lines.GetEndPoint(0x80000000u), Math::Vector3D());
}

TEST(LinesTest, ClonesKeepPointsColourAndOpacity)
{
    Engine::Lines lines;
    lines.AddLine(Math::Vector3D(1, 0, 0), Math::Vector3D(0, 1, 0));
    lines.SetColor(Math::Color(0.5f, 0.5f, 0.0f, 0.2f));
    lines.SetOpacity(0.3f);
    const Core::RefPtr<Engine::Lines> copy(lines.Clone());
    EXPECT_EQ(copy->GetColor(), lines.GetColor());
    EXPECT_EQ(copy->GetOpacity(), 0.3f);
    EXPECT_EQ(copy->GetEndPoint(0), Math::Vector3D(0, 1, 0));

    Engine::Circle circle(3.0f, 45);
    circle.SetOpacity(0.5f);
    const Core::RefPtr<Engine::Circle> circleCopy(circle.Clone());
    EXPECT_EQ(circleCopy->GetPointCount(), circle.GetPointCount());
    EXPECT_EQ(circleCopy->GetOpacity(), 0.5f);
}

class LinesDrawTest : public SpriteTest::SceneFixture
{
};

TEST_F(LinesDrawTest, OneSegmentDrawsTwoVerticesAsALineList)
{
    Core::RefPtr<Engine::Lines> lines(new Engine::Lines());
    root->AttachChild(lines);
    lines->Draw();
    EXPECT_EQ(QueuedCount(), 0u);

    lines->AddLine(Math::Vector3D(0, 0, 0), Math::Vector3D(10, 0, 0));
    lines->SetColor(Math::Color(1.0f, 0.0f, 0.0f, 0.0f));
    lines->SetOpacity(0.75f);
    root->SetWorldMatrix(Math::Matrix4x4::Translation(3.0f, 4.0f, 5.0f));
    lines->Update(0.016f);
    lines->Draw();
    ASSERT_EQ(Queue().GetBlendedItems().size(), 1u);
    const Engine::RenderItem& item = Queue().GetBlendedItems()[0];
    EXPECT_EQ(item.primitiveType, Renderer::Primitive::Lines);
    EXPECT_EQ(item.vertexCount, 2u);
    EXPECT_EQ(item.vertexArray, &lines->GetPoints()[0].x);
    EXPECT_EQ(item.mesh.Get(), nullptr);
    // The colour's alpha plays no part; the opacity is the drawn alpha.
    EXPECT_EQ(item.color, Math::Color(1.0f, 0.0f, 0.0f, 0.75f));
    EXPECT_EQ(item.world, Math::Matrix4x4::Translation(3.0f, 4.0f, 5.0f));

    // Drawn as lines through the renderer, not culled however far away.
    Queue().Render();
    ASSERT_EQ(renderer->GetDraws().size(), 1u);
    EXPECT_EQ(renderer->GetDraws()[0].primitive, Renderer::Primitive::Lines);
    EXPECT_EQ(renderer->GetDraws()[0].count, 2u);
}

TEST_F(LinesDrawTest, ACircleDrawsItsWholeOutline)
{
    Core::RefPtr<Engine::Circle> circle(new Engine::Circle(5.0f, 10));
    root->AttachChild(circle);
    circle->SetOverlay(true);
    circle->Draw();
    ASSERT_EQ(Queue().GetLastPassItems().size(), 1u);
    EXPECT_EQ(Queue().GetLastPassItems()[0].vertexCount, 74u);
    circle->SetOverlay(false);
    circle->SetVisible(false, false);
    circle->Draw();
    EXPECT_EQ(QueuedCount(), 1u);
}
} // namespace
