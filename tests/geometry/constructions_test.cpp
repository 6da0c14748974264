#include "geometry/constructions.h"

#include "geometry/measures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kvf {
namespace {

TEST(Rotation, PositiveAngleTurnsCounterClockwiseOnTheScreen) {
    EXPECT_EQ((TPoint{0, -10}), RotatePoint({10, 0}, {0, 0}, 90));
    EXPECT_EQ((TPoint{-10, 0}), RotatePoint({10, 0}, {0, 0}, 180));
    EXPECT_EQ((TPoint{100, 110}), RotatePoint({110, 100}, {100, 100}, -90));
    const TFloatPoint turned = RotateFloatPoint({10, 0}, {0, 0}, 45);
    EXPECT_NEAR(7.0711, turned.X, 1e-4);
    EXPECT_NEAR(-7.0711, turned.Y, 1e-4);
}

TEST(PointsAtADistance, TowardAndPolar) {
    EXPECT_EQ((TPoint{10, 0}), PointToward({0, 0}, {100, 0}, 10));
    EXPECT_EQ((TPoint{0, 4000}), PointToward({0, 14000}, {0, 0}, 10000));
    EXPECT_EQ((TPoint{7, 3}), PointToward({3, 3}, {3, 3}, 4)) << "a = b goes towards angle 0";
    // A handle mark 1 mm inside the left side of a rectangle, 1000 mm above its bottom.
    EXPECT_EQ((TPoint{10, 4000}), PolarPoint({0, 4000}, {0, 14000}, {0, 0}, -90, 10));
    EXPECT_EQ((TPoint{6990, 4000}), PolarPoint({7000, 4000}, {7000, 0}, {7000, 14000}, -90, 10));
}

TEST(PointsAtADistance, PolarAngleWrapsIntoOneTurn) {
    // PointAngle(a, b) is 300; +90 gives 30 degrees: above the origin and to its right.
    const TFloatPoint a(0, 0);
    const TFloatPoint b(500, static_cast<float>(500 * std::sqrt(3.0)));
    const TFloatPoint p = FloatPolarPoint({100, 100}, a, b, 90, 10);
    EXPECT_NEAR(100 + 10 * std::cos(M_PI / 6), p.X, 1e-4);
    EXPECT_NEAR(100 - 10 * std::sin(M_PI / 6), p.Y, 1e-4);
    const TFloatPoint q = FloatPolarPoint({0, 0}, {0, 0}, {10, 0}, -90, 10);
    EXPECT_NEAR(0, q.X, 1e-4);
    EXPECT_NEAR(10, q.Y, 1e-4);
}

TEST(FloatArcCenter, Cases) {
    const float root7500 = static_cast<float>(std::sqrt(7500.0));
    struct Case {
        const char* name;
        TFloatPoint a, b;
        float radius;
        TFloatPoint expected;
    };
    const Case cases[] = {
        {"zero radius", {0, 0}, {100, 0}, 0, {0, 0}},
        {"semicircle on a horizontal chord", {0, 0}, {100, 0}, 50, {50, 0}},
        {"horizontal chord: below", {0, 0}, {100, 0}, 100, {50, root7500}},
        {"horizontal chord: sign ignored", {0, 0}, {100, 0}, -100, {50, root7500}},
        {"right-to-left chord: above", {100, 0}, {0, 0}, 100, {50, -root7500}},
        {"downward chord: left", {0, 0}, {0, 100}, 100, {-root7500, 50}},
        {"upward chord: right", {0, 100}, {0, 0}, 100, {root7500, 50}},
        {"chord longer than the diameter", {0, 0}, {100, 0}, 40, {50, 0}},
        {"oblique, positive", {0, 0}, {100, -100}, 100, {100, 0}},
        {"oblique, negative", {0, 0}, {100, -100}, -100, {0, -100}},
        {"single point, positive", {7, 7}, {7, 7}, 5, {2, 7}},
        {"single point, negative", {7, 7}, {7, 7}, -5, {7, 7}},
        {"arch top", {0, 2000}, {10000, 2000}, 7250, {5000, 7250}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TFloatPoint centre = FloatArcCenter(c.a, c.b, c.radius);
        EXPECT_NEAR(c.expected.X, centre.X, 1e-3);
        EXPECT_NEAR(c.expected.Y, centre.Y, 1e-3);
    }
}

TEST(FloatArcCenter, ObliqueChordsInEveryDirection) {
    // Every oblique direction and both signs: the centre is one radius from both ends,
    // and the sign of the radius picks the same side of the chord in every direction.
    const TFloatPoint ends[] = {{300, -400}, {300, 400}, {-300, 400}, {-300, -400}};
    for (const TFloatPoint& end : ends) {
        for (float radius : {400.0f, -400.0f, 1000.0f, -1000.0f}) {
            SCOPED_TRACE(testing::Message() << "end " << end << " radius " << radius);
            const TFloatPoint a(100, 100);
            const TFloatPoint b(a.X + end.X, a.Y + end.Y);
            const TFloatPoint c = FloatArcCenter(a, b, radius);
            EXPECT_NEAR(std::fabs(radius), static_cast<double>(FloatPointDistance(c, a)), 1e-2);
            EXPECT_NEAR(std::fabs(radius), static_cast<double>(FloatPointDistance(c, b)), 1e-2);
            const double cross = (b.X - a.X) * (c.Y - a.Y) - (b.Y - a.Y) * (c.X - a.X);
            EXPECT_EQ(radius > 0, cross > 0);
        }
    }
}

TEST(ArcCenter, RoundsToFourDecimals) {
    const TFloatPoint c = ArcCenter({0, 0}, {100, 0}, 100);
    EXPECT_NEAR(86.6025f, c.Y, 1e-4);
    EXPECT_EQ(50, c.X);
    EXPECT_EQ((TFloatPoint{5000, 7250}), ArcCenter({0, 2000}, {10000, 2000}, 7250));
}

} // namespace
} // namespace kvf
