#include "Collision_TestBodies.h"

#include "collision/Collision_Pose.h"
#include "collision/Collision_Results.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

// Two dynamic objects that both move in the frame, translating and turning, tested through the
// geometry pair test from either side. Every scenario checks both records: the moment of the
// contact (each body's pose there), the contact points, the normal (from the partner's shape
// towards the record's owner) and the penetration.
namespace
{
using namespace CollisionTest;
using Collision2D::DGEO_C;
using Collision2D::RotateDegrees;
using Collision2D::ShapeContact;

// What one body's record of the pair should hold.
struct Expected
{
    Vector2D position;
    f32 orientation = 0.0f;
    std::vector<Vector2D> points;
    Vector2D normal;
    f32 penetration = 0.0f;
};

struct Tolerance
{
    f32 pose = 1e-3f;
    f32 point = 1e-3f;
    f32 normal = 1e-4f;
    f32 penetration = 1e-3f;
    // The normals need only face the expected way, within a quarter turn.
    bool facingOnly = false;
};

const ShapeContact& OnlyContact(const DGEO_C& record)
{
    EXPECT_EQ(record.currentCirclesNumber + record.currentLineSegmentsNumber, 1);
    return record.currentCirclesNumber > 0 ? static_cast<const ShapeContact&>(record.circles[0])
                                           : static_cast<const ShapeContact&>(record.lineSegments[0]);
}

void ExpectRecord(const DynamicObject& body, const Expected& expected, const Tolerance& tolerance)
{
    ASSERT_EQ(body.GetResults()->currentDGEONumber, 1);
    const DGEO_C& record = body.GetResults()->geometries[0];
    EXPECT_NEAR(record.contactPosition.x, expected.position.x, tolerance.pose);
    EXPECT_NEAR(record.contactPosition.y, expected.position.y, tolerance.pose);
    EXPECT_NEAR(record.contactOrientation, expected.orientation, tolerance.pose);
    const ShapeContact& contact = OnlyContact(record);
    ASSERT_EQ(contact.numberOfIntersectedPoints, static_cast<i32>(expected.points.size()));
    for (const Vector2D& point : expected.points)
    {
        bool found = false;
        for (i32 i = 0; i < contact.numberOfIntersectedPoints; ++i)
            found = found || (contact.contactPoint[i] - point).Length() <= tolerance.point;
        EXPECT_TRUE(found) << "no contact point at " << point.x << ", " << point.y << "; first at "
                           << contact.contactPoint[0].x << ", " << contact.contactPoint[0].y;
    }
    for (i32 i = 0; i < contact.numberOfIntersectedPoints; ++i)
    {
        if (tolerance.facingOnly)
        {
            EXPECT_NEAR(contact.normal[i].Length(), 1.0f, 1e-4f);
            EXPECT_GT(contact.normal[i].Dot(expected.normal), 0.0f);
            continue;
        }
        EXPECT_NEAR(contact.normal[i].x, expected.normal.x, tolerance.normal);
        EXPECT_NEAR(contact.normal[i].y, expected.normal.y, tolerance.normal);
    }
    EXPECT_NEAR(contact.penetrationDistance, expected.penetration, tolerance.penetration);
}

// Both bodies prepared for the frame as the layer prepares them, and the pair test run by either.
void Collide(DynamicObject& a, DynamicObject& b, bool aOwnsThePair)
{
    a.PrepareFrame();
    b.PrepareFrame();
    if (aOwnsThePair)
        a.CollideGeometry(b, 0);
    else
        b.CollideGeometry(a, 0);
}

// Circles of radius 10, centres 30 apart; A runs 20 straight at B, which only turns about its
// centre. They touch when A has come 10, half-way through its motion: in one sub-step when the
// frame has only one, or at the end of the tenth of twenty.
TEST(BothMoving, HeadOnAgainstATurningPartnerTouchHalfWayOnItsFacingSide)
{
    InterpolationGuard guard;
    CollisionActor circle;
    AddCircleFrame(circle, 10.0f, 7);
    for (int steps : {1, Collision2D::DefaultMaximumInterpolationValue})
    {
        for (int turn = 0; turn <= 30; ++turn)
        {
            SCOPED_TRACE(std::to_string(turn) + " degrees in " + std::to_string(steps) + " sub-steps");
            Collision2D::MaximumInterpolationValue = steps;
            const f32 degrees = static_cast<f32>(turn);
            auto a = MakeBody(circle, {90, 100});
            auto b = MakeBody(circle, {120, 100});
            MoveTo(*a, {110, 100}, 0.0f);
            MoveTo(*b, {120, 100}, degrees);
            Collide(*a, *b, true);

            // Without turning B stands still, and a body's depth against a still partner is
            // measured with the body where its motion ends.
            const f32 penetration = turn == 0 ? 10.0f : 0.0f;
            const Tolerance tolerance;
            {
                SCOPED_TRACE("A");
                ExpectRecord(*a, {{100, 100}, 0.0f, {{110, 100}}, {-1, 0}, penetration}, tolerance);
            }
            {
                SCOPED_TRACE("B");
                ExpectRecord(*b, {{120, 100}, degrees * 0.5f, {{110, 100}}, {1, 0}, penetration}, tolerance);
            }
        }
    }
}

// Pairs that only translate, head-on or across each other's way, and touch exactly half-way
// through the frame whatever their speed: up to 200 units a frame each, ten times the width of
// the smaller shapes in every one of the nineteen sub-steps. Laid out along x, then turned as a
// whole by an angle (the bodies' constant orientation turns their shapes with them).
enum class Kind
{
    CirclesHeadOn,
    CirclesAcross,
    SegmentMeetsCircle,
    SegmentCrossesCircle,
    SegmentsBroadside,
};

struct Translating
{
    CollisionActor actorA;
    CollisionActor actorB;
    Vector2D aAtContact;
    Vector2D bAtContact;
    Vector2D aVelocity;
    Vector2D bVelocity;
    std::vector<Vector2D> points;
    Vector2D normalTowardsA;
};

Translating Layout(Kind kind, f32 speed)
{
    Translating pair;
    // Segments' fronts (their left sides) face the partner.
    switch (kind)
    {
    case Kind::CirclesHeadOn:
        AddCircleFrame(pair.actorA, 10.0f, 1);
        AddCircleFrame(pair.actorB, 10.0f, 2);
        pair.aAtContact = {-10, 0};
        pair.bAtContact = {10, 0};
        pair.aVelocity = {speed, 0};
        pair.bVelocity = {-speed, 0};
        pair.points = {{0, 0}};
        pair.normalTowardsA = {-1, 0};
        break;
    case Kind::CirclesAcross:
    {
        // Radius 2 each, A running along x, B along y; at the touch A lies against the relative
        // motion from B.
        AddCircleFrame(pair.actorA, 2.0f, 1);
        AddCircleFrame(pair.actorB, 2.0f, 2);
        const Vector2D towardsA = Vector2D(-1, 1) * (1.0f / std::sqrt(2.0f));
        pair.aAtContact = towardsA * 4.0f;
        pair.bAtContact = {0, 0};
        pair.aVelocity = {speed, 0};
        pair.bVelocity = {0, speed};
        pair.points = {towardsA * 2.0f};
        pair.normalTowardsA = towardsA;
        break;
    }
    case Kind::SegmentMeetsCircle:
        AddSegmentFrame(pair.actorA, {0, 10}, {0, -10}, 1);
        AddCircleFrame(pair.actorB, 2.0f, 2);
        pair.aAtContact = {0, 0};
        pair.bAtContact = {2, 0};
        pair.aVelocity = {speed, 0};
        pair.bVelocity = {-speed, 0};
        pair.points = {{0, 0}};
        pair.normalTowardsA = {-1, 0};
        break;
    case Kind::SegmentCrossesCircle:
        // The circle comes down across the segment's way and meets its face 3 above its middle.
        AddSegmentFrame(pair.actorA, {0, 10}, {0, -10}, 1);
        AddCircleFrame(pair.actorB, 2.0f, 2);
        pair.aAtContact = {0, 0};
        pair.bAtContact = {2, 3};
        pair.aVelocity = {speed, 0};
        pair.bVelocity = {0, -speed};
        pair.points = {{0, 3}};
        pair.normalTowardsA = {-1, 0};
        break;
    case Kind::SegmentsBroadside:
        // A's end points land on B's longer segment together: one contact of two points.
        AddSegmentFrame(pair.actorA, {0, 10}, {0, -10}, 1);
        AddSegmentFrame(pair.actorB, {0, -15}, {0, 15}, 2);
        pair.aAtContact = {0, 0};
        pair.bAtContact = {0, 0};
        pair.aVelocity = {speed, 0};
        pair.bVelocity = {-speed, 0};
        pair.points = {{0, 10}, {0, -10}};
        pair.normalTowardsA = {-1, 0};
        break;
    }
    return pair;
}

void ExpectMeetingHalfWay(Kind kind, int speed, int angle, bool aOwns)
{
    const f32 degrees = static_cast<f32>(angle);
    Translating pair = Layout(kind, static_cast<f32>(speed));
    auto place = [&](const Vector2D& v) { return RotateDegrees(v, degrees); };
    auto a = MakeBody(pair.actorA, place(pair.aAtContact - pair.aVelocity * 0.5f), 1, degrees);
    auto b = MakeBody(pair.actorB, place(pair.bAtContact - pair.bVelocity * 0.5f), 1, degrees);
    a->SetSlot(1);
    b->SetSlot(2);
    MoveTo(*a, place(pair.aAtContact + pair.aVelocity * 0.5f), degrees);
    MoveTo(*b, place(pair.bAtContact + pair.bVelocity * 0.5f), degrees);
    Collide(*a, *b, aOwns);

    std::vector<Vector2D> points;
    for (const Vector2D& point : pair.points)
        points.push_back(place(point));
    const Vector2D normal = place(pair.normalTowardsA);
    // Float sub-step fractions place the bodies to within a few thousandths of a unit at 200
    // units a frame. A segment's face is swept by the way of the point of it nearest the circle's
    // centre at the end of the sub-step, which meets the circle first only when the two move
    // square to the segment: crossing it at a slant, the touch is found within one sub-step's
    // motion, on the half of the circle that faces the segment.
    Tolerance tolerance;
    tolerance.pose = 2e-3f + static_cast<f32>(speed) * 2e-5f;
    tolerance.point = tolerance.pose;
    if (kind == Kind::SegmentCrossesCircle)
    {
        tolerance.pose = static_cast<f32>(speed) / 19.0f;
        tolerance.point = 2.0f * tolerance.pose;
        tolerance.facingOnly = true;
    }
    {
        SCOPED_TRACE("A");
        ExpectRecord(*a, {place(pair.aAtContact), degrees, points, normal, 0.0f}, tolerance);
    }
    {
        SCOPED_TRACE("B");
        ExpectRecord(*b, {place(pair.bAtContact), degrees, points, -normal, 0.0f}, tolerance);
    }
    EXPECT_EQ(a->GetResults()->geometries[0].id, Collision2D::MakeObjectId(Collision2D::DynamicObjectBase + 2, 0, 0));
    EXPECT_EQ(b->GetResults()->geometries[0].id, Collision2D::MakeObjectId(Collision2D::DynamicObjectBase + 1, 0, 0));
}

TEST(BothMoving, TranslatingPairsMeetHalfWayWithoutPenetrationUpTo200UnitsAFrame)
{
    InterpolationGuard guard;
    // An odd count of sub-steps puts the half-way touch inside a sub-step instead of on the
    // boundary of two, where rounding may leave one of two end points meeting together a hair
    // behind the other segment's line.
    Collision2D::MaximumInterpolationValue = 19;
    const std::pair<Kind, const char*> kinds[] = {{Kind::CirclesHeadOn, "circles head-on"},
                                                  {Kind::CirclesAcross, "circles across"},
                                                  {Kind::SegmentMeetsCircle, "segment meets circle"},
                                                  {Kind::SegmentCrossesCircle, "segment crosses circle"},
                                                  {Kind::SegmentsBroadside, "segments broadside"}};
    for (const auto& [kind, name] : kinds)
        for (int speed : {20, 50, 100, 200})
            for (int angle : {0, 135})
                for (bool aOwns : {true, false})
                {
                    SCOPED_TRACE(std::string(name) + " at " + std::to_string(speed) + " a frame, turned " +
                                 std::to_string(angle) + (aOwns ? ", A owns" : ", B owns"));
                    ExpectMeetingHalfWay(kind, speed, angle, aOwns);
                }
}

// The first moment at which f turns negative on [0, 1], by bisection after a fine scan.
template <class F>
f32 FirstRoot(F f)
{
    constexpr int Samples = 2000;
    double low = 0.0;
    for (int i = 1; i <= Samples; ++i)
    {
        const double t = static_cast<double>(i) / Samples;
        if (f(t) <= 0.0)
        {
            double high = t;
            for (int k = 0; k < 60; ++k)
            {
                const double middle = 0.5 * (low + high);
                (f(middle) <= 0.0 ? high : low) = middle;
            }
            return static_cast<f32>(high);
        }
        low = t;
    }
    return -1.0f;
}

// A segment 50 long turning 30 degrees about its first end point, sweeping its front through a
// circle of radius 5 that moves in the same frame towards it, along it or away from it.
void ExpectSweepTouchesWhereTheFrontReachesTheCircle(int way, bool segmentOwns)
{
    const Vector2D circleFrom[] = {{40, 25}, {30, 18}, {35, 12}};
    const Vector2D circleTo[] = {{40, 15}, {45, 18}, {35, 16}};
    const Vector2D from = circleFrom[way];
    const Vector2D to = circleTo[way];
    CollisionActor segment;
    CollisionActor circle;
    AddSegmentFrame(segment, {0, 0}, {50, 0}, 1);
    AddCircleFrame(circle, 5.0f, 2);
    auto a = MakeBody(segment, {0, 0});
    auto b = MakeBody(circle, from);
    MoveTo(*a, {0, 0}, 30.0f);
    MoveTo(*b, to, 0.0f);
    Collide(*a, *b, segmentOwns);

    // The distance of the circle's centre in front of the segment's line, less the radius.
    auto center = [&](double t) { return from + (to - from) * static_cast<f32>(t); };
    auto front = [](double t) {
        const double radians = 30.0 * t * 3.14159265358979 / 180.0;
        return Vector2D(static_cast<f32>(-std::sin(radians)), static_cast<f32>(std::cos(radians)));
    };
    const f32 t = FirstRoot([&](double s) { return static_cast<double>(center(s).Dot(front(s))) - 5.0; });
    ASSERT_GT(t, 0.0f);
    const Vector2D n = front(t);
    const Vector2D point = center(t) - n * 5.0f;
    // Within one of the twenty sub-steps: 1.5 degrees of the segment's turn, and the way of its
    // point nearest the circle's centre into the circle when the circle moves along it.
    Tolerance tolerance;
    tolerance.pose = 1.5f;
    tolerance.point = 1.5f;
    tolerance.normal = 0.2f;
    tolerance.penetration = 0.05f;
    {
        SCOPED_TRACE("segment");
        ExpectRecord(*a, {{0, 0}, 30.0f * t, {point}, -n, 0.0f}, tolerance);
    }
    {
        SCOPED_TRACE("circle");
        ExpectRecord(*b, {center(t), 0.0f, {point}, n, 0.0f}, tolerance);
    }
}

TEST(BothMoving, TurningSegmentSweepsCircleMovingTowardsAlongAndAway)
{
    InterpolationGuard guard;
    for (int way = 0; way < 3; ++way)
        for (bool segmentOwns : {true, false})
        {
            SCOPED_TRACE("way " + std::to_string(way) + (segmentOwns ? ", segment owns" : ", circle owns"));
            ExpectSweepTouchesWhereTheFrontReachesTheCircle(way, segmentOwns);
        }
}

// Two segments 80 long turning about their middles, pivots 40 apart, fronts facing each other:
// their upper halves swing towards each other until one's end meets the other's face.
struct Swing
{
    f32 turnA; // clockwise, degrees in the frame
    f32 turnB; // counter-clockwise
    f32 shiftA; // along x
};

bool SegmentsMeet(const Vector2D& p, const Vector2D& q, const Vector2D& r, const Vector2D& s)
{
    auto side = [](const Vector2D& a, const Vector2D& b, const Vector2D& c) {
        return static_cast<double>(b.x - a.x) * (c.y - a.y) - static_cast<double>(b.y - a.y) * (c.x - a.x);
    };
    return side(p, q, r) * side(p, q, s) <= 0.0 && side(r, s, p) * side(r, s, q) <= 0.0;
}

f32 DistanceToSegment(const Vector2D& point, const Vector2D& a, const Vector2D& b)
{
    const Vector2D along = b - a;
    f32 u = (point - a).Dot(along) / along.Dot(along);
    u = u < 0.0f ? 0.0f : (u > 1.0f ? 1.0f : u);
    return (point - (a + along * u)).Length();
}

void ExpectCrossingCaughtWithinOneSubStep(const Swing& swing, bool aOwns)
{
    CollisionActor actorA;
    CollisionActor actorB;
    AddSegmentFrame(actorA, {40, 0}, {-40, 0}, 1);
    AddSegmentFrame(actorB, {-40, 0}, {40, 0}, 2);
    auto a = MakeBody(actorA, {0, 0}, 1, 90.0f);
    auto b = MakeBody(actorB, {40, 0}, 1, 90.0f);
    MoveTo(*a, {swing.shiftA, 0}, 90.0f - swing.turnA);
    MoveTo(*b, {40, 0}, 90.0f + swing.turnB);
    Collide(*a, *b, aOwns);

    auto segmentA = [&](double t, Vector2D& p, Vector2D& q) {
        const f32 angle = 90.0f - swing.turnA * static_cast<f32>(t);
        const Vector2D at(swing.shiftA * static_cast<f32>(t), 0);
        p = at + RotateDegrees({40, 0}, angle);
        q = at + RotateDegrees({-40, 0}, angle);
    };
    auto segmentB = [&](double t, Vector2D& p, Vector2D& q) {
        const f32 angle = 90.0f + swing.turnB * static_cast<f32>(t);
        p = Vector2D(40, 0) + RotateDegrees({-40, 0}, angle);
        q = Vector2D(40, 0) + RotateDegrees({40, 0}, angle);
    };
    const f32 t = FirstRoot([&](double s) {
        Vector2D p, q, r, u;
        segmentA(s, p, q);
        segmentB(s, r, u);
        return SegmentsMeet(p, q, r, u) ? -1.0 : 1.0;
    });
    ASSERT_GT(t, 0.0f);
    ASSERT_EQ(a->GetSteps(), Collision2D::DefaultMaximumInterpolationValue);
    const f32 subStep = 1.0f / static_cast<f32>(Collision2D::DefaultMaximumInterpolationValue);

    Vector2D p, q, r, u;
    segmentA(t, p, q);
    segmentB(t, r, u);
    struct Side
    {
        const DynamicObject* body;
        f32 startOrientation;
        f32 turn;
        f32 normalSign; // the normal points back towards the record's owner
    };
    for (const Side& side : {Side{a.get(), 90.0f, -swing.turnA, -1.0f}, Side{b.get(), 90.0f, swing.turnB, 1.0f}})
    {
        SCOPED_TRACE(side.body == a.get() ? "A" : "B");
        ASSERT_EQ(side.body->GetResults()->currentDGEONumber, 1);
        const DGEO_C& record = side.body->GetResults()->geometries[0];
        const f32 found = (record.contactOrientation - side.startOrientation) / side.turn;
        EXPECT_NEAR(found, t, subStep + 1e-3f);
        const ShapeContact& contact = OnlyContact(record);
        ASSERT_EQ(contact.numberOfIntersectedPoints, 1);
        // Within a sub-step's sweep of both segments' ends (about 2 units each) of both segments
        // as they are at the moment they meet.
        EXPECT_LT(DistanceToSegment(contact.contactPoint[0], p, q), 4.5f);
        EXPECT_LT(DistanceToSegment(contact.contactPoint[0], r, u), 4.5f);
        EXPECT_NEAR(contact.normal[0].Length(), 1.0f, 1e-4f);
        EXPECT_GT(contact.normal[0].x * side.normalSign, 0.5f);
        EXPECT_GE(contact.penetrationDistance, 0.0f);
        EXPECT_LT(contact.penetrationDistance, 4.5f);
    }
}

TEST(BothMoving, TwoTurningSegmentsCrossingIsCaughtWithinOneSubStep)
{
    InterpolationGuard guard;
    for (const Swing& swing : {Swing{60, 30, 0}, Swing{30, 60, 0}, Swing{40, 20, 10}})
        for (bool aOwns : {true, false})
        {
            SCOPED_TRACE("A turns " + std::to_string(swing.turnA) + ", B " + std::to_string(swing.turnB) +
                         ", A shifts " + std::to_string(swing.shiftA) + (aOwns ? ", A owns" : ", B owns"));
            ExpectCrossingCaughtWithinOneSubStep(swing, aOwns);
        }
}

// Bodies moving apart, or passing each other beyond reach, meet nothing.
TEST(BothMoving, RecedingAndPassingPairsMeetNothing)
{
    CollisionActor circle;
    CollisionActor wall;
    AddCircleFrame(circle, 5.0f);
    AddSegmentFrame(wall, {0, 10}, {0, -10});
    struct Case
    {
        const CollisionActor* actor;
        Vector2D aFrom, aTo, bFrom, bTo;
    };
    const Case cases[] = {
        {&circle, {0, 0}, {-20, 0}, {11, 0}, {30, 0}},    // apart
        {&circle, {0, 0}, {200, 0}, {200, 10.5f}, {0, 10.5f}}, // passing at 10.5 > 10
        {&wall, {0, 0}, {-20, 0}, {30, 0}, {50, 0}},    // apart
    };
    for (const Case& c : cases)
    {
        for (bool aOwns : {true, false})
        {
            auto a = MakeBody(*c.actor, c.aFrom);
            auto b = MakeBody(circle, c.bFrom);
            MoveTo(*a, c.aTo, 0.0f);
            MoveTo(*b, c.bTo, 0.0f);
            Collide(*a, *b, aOwns);
            EXPECT_EQ(a->GetResults()->currentDGEONumber, 0);
            EXPECT_EQ(b->GetResults()->currentDGEONumber, 0);
        }
    }
}

// Circles of radius 5 whose centres pass each other exactly 10 apart touch once, half-way.
TEST(BothMoving, GrazingCirclesTouchOnce)
{
    CollisionActor circle;
    AddCircleFrame(circle, 5.0f, 3);
    auto a = MakeBody(circle, {0, 0});
    auto b = MakeBody(circle, {200, 10});
    MoveTo(*a, {200, 0}, 0.0f);
    MoveTo(*b, {0, 10}, 0.0f);
    Collide(*a, *b, true);
    Tolerance tolerance;
    tolerance.pose = 0.01f;
    tolerance.point = 0.01f;
    ExpectRecord(*a, {{100, 0}, 0.0f, {{100, 5}}, {0, -1}, 0.0f}, tolerance);
    ExpectRecord(*b, {{100, 10}, 0.0f, {{100, 5}}, {0, 1}, 0.0f}, tolerance);
}

// An overlap already present counts for the body whose collision thickness takes it; the other
// body holds the same contact seen from its side.
TEST(BothMoving, OverlapCountsUnderTheThicknessOfEitherBody)
{
    CollisionActor circle;
    AddCircleFrame(circle, 5.0f);
    for (bool thickA : {true, false})
    {
        auto a = MakeBody(circle, {0, 0});
        auto b = MakeBody(circle, {7, 0});
        (thickA ? *a : *b).SetCollisionThickness(5.0f);
        MoveTo(*a, {1, 0}, 0.0f);
        MoveTo(*b, {6, 0}, 0.0f);
        Collide(*a, *b, true);
        ASSERT_EQ(a->GetResults()->currentDGEONumber, 1);
        ASSERT_EQ(b->GetResults()->currentDGEONumber, 1);
        const Collision2D::CIR_C& ownA = a->GetResults()->geometries[0].circles[0];
        const Collision2D::CIR_C& ownB = b->GetResults()->geometries[0].circles[0];
        EXPECT_EQ(a->GetResults()->geometries[0].contactPosition.x, 0.0f) << "fraction 0 of the first sub-step";
        EXPECT_EQ(b->GetResults()->geometries[0].contactPosition.x, 7.0f);
        EXPECT_NEAR(ownA.penetrationDistance, thickA ? 3.0f : 5.0f, 1e-4f);
        EXPECT_EQ(ownA.penetrationDistance, ownB.penetrationDistance);
        EXPECT_NEAR(ownA.normal[0].x, -1.0f, 1e-5f);
        EXPECT_NEAR(ownB.normal[0].x, 1.0f, 1e-5f);

        // Without thickness the overlap makes no contact.
        auto c = MakeBody(circle, {0, 0});
        auto d = MakeBody(circle, {7, 0});
        MoveTo(*c, {1, 0}, 0.0f);
        MoveTo(*d, {6, 0}, 0.0f);
        Collide(*c, *d, true);
        EXPECT_EQ(c->GetResults()->currentDGEONumber, 0);
    }
}
} // namespace
