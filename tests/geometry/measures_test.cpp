#include "geometry/measures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kvf {
namespace {

constexpr double kAngleTolerance = 1e-9;

TEST(PointAngle, CounterClockwiseOnTheScreen) {
    struct Case {
        const char* name;
        TPoint a, b;
        double expected;
    };
    const Case cases[] = {
        {"up right", {0, 0}, {10, -10}, 45},   {"down right", {0, 0}, {10, 10}, 315},
        {"same point", {0, 0}, {0, 0}, 0},     {"left", {0, 0}, {-5, 0}, 180},
        {"right", {0, 0}, {5, 0}, 0},          {"up", {3, 3}, {3, -7}, 90},
        {"down", {3, 3}, {3, 7}, 270},         {"up left", {0, 0}, {-10, -10}, 135},
        {"down left", {0, 0}, {-10, 10}, 225}, {"steep up right", {0, 0}, {1, -1000}, 89.942704239585496},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(c.expected, static_cast<double>(PointAngle(c.a, c.b)), 1e-8);
    }
}

TEST(Directions, CodesOfPointsAndAngles) {
    struct Case {
        const char* name;
        TPoint b;
        int code;
    };
    const Case cases[] = {
        {"none", {0, 0}, 0},       {"up right", {1, -1}, 1}, {"right", {1, 0}, 2},
        {"down right", {1, 1}, 3}, {"down", {0, 1}, 4},      {"down left", {-1, 1}, 5},
        {"left", {-1, 0}, 6},      {"up left", {-1, -1}, 7}, {"up", {0, -1}, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.code, PointDirection(TPoint{0, 0}, c.b));
        if (c.code != 0) {
            EXPECT_EQ(c.code, AngleDirection(PointAngle(TPoint{0, 0}, c.b)));
        }
    }
    EXPECT_EQ(2, AngleDirection(360));
    EXPECT_EQ(0, AngleDirection(-0.1L));
    EXPECT_EQ(0, AngleDirection(360.1L));
}

TEST(CornerAngle, TurnsOnTheScreen) {
    struct Case {
        const char* name;
        TPoint a, b, c;
        double expected;
    };
    const Case cases[] = {
        {"straight on", {0, 0}, {10, 0}, {20, 0}, 180},
        {"left turn from heading right", {0, 0}, {10, 0}, {10, -10}, 270},
        {"right turn from heading right", {0, 0}, {10, 0}, {10, 10}, 90},
        {"left turn from heading down", {0, 0}, {0, 10}, {10, 10}, 270},
        {"right turn from heading down", {0, 0}, {0, 10}, {-10, 10}, 90},
        {"right turn from heading up", {0, 14000}, {0, 0}, {7000, 0}, 90},
        {"sharp left turn", {0, 0}, {10, 0}, {0, -10}, 315},
        {"sharp right turn", {0, 0}, {10, 0}, {0, 10}, 45},
        {"turning back", {0, 0}, {10, 0}, {0, 0}, 0},
        {"a = b", {5, 5}, {5, 5}, {9, 9}, -1},
        {"b = c", {0, 0}, {5, 5}, {5, 5}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(c.expected, static_cast<double>(CornerAngle(c.a, c.b, c.c)), kAngleTolerance);
    }
}

TEST(CornerAngle, RectangleOutlineHasRightAnglesEverywhere) {
    const TPoint outline[] = {{0, 14000}, {0, 0}, {7000, 0}, {7000, 14000}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(90,
                    static_cast<double>(CornerAngle(outline[(i + 3) % 4], outline[i], outline[(i + 1) % 4])),
                    kAngleTolerance);
    }
}

TEST(ArcCornerAngle, ArchMeetsItsStraightSides) {
    // Arch of rise 200 mm over 1000 mm: the arc from (0, 2000) to (10000, 2000) about (5000, 7250).
    const TFloatPoint centre(5000, 7250);
    const double expected = 90 + 180 - std::acos(-5000.0 / 7250.0) * 180 / M_PI;
    // Corner at the arc's start: a straight side before, the arc after.
    EXPECT_NEAR(
        expected,
        static_cast<double>(ArcCornerAngle({0, 14000}, {0, 2000}, {10000, 2000}, 0, 7250, {}, centre)),
        kAngleTolerance);
    // Corner at the arc's end: the arc before, a straight side after.
    EXPECT_NEAR(
        expected,
        static_cast<double>(ArcCornerAngle({0, 2000}, {10000, 2000}, {10000, 14000}, 7250, 0, centre, {})),
        kAngleTolerance);
    // Straight sides on both ends fall back to the plain corner angle.
    EXPECT_NEAR(90, static_cast<double>(ArcCornerAngle({0, 14000}, {0, 0}, {7000, 0}, 0, 0, {}, {})),
                kAngleTolerance);
    // A negative radius contributes nothing.
    EXPECT_NEAR(
        0,
        static_cast<double>(ArcCornerAngle({0, 2000}, {10000, 2000}, {10000, 14000}, -7250, 0, centre, {})),
        kAngleTolerance);
}

TEST(PointOnArc, OnlyTheBulgingSideOfTheChordCounts) {
    const TFloatPoint a(0, 2000), b(10000, 2000), centre(5000, 7250);
    struct Case {
        const char* name;
        TFloatPoint p;
        float radius;
        bool expected;
    };
    const Case cases[] = {
        {"top of the arch", {5000, 0}, 7250, true},
        {"bottom of the circle", {5000, 14500}, 7250, false},
        {"left of the circle", {-2250, 7250}, 7250, false},
        {"within half a unit", {5000, 0.4f}, 7250, true},
        {"beyond half a unit", {5000, 0.6f}, 7250, false},
        {"negative radius never matches", {5000, 0}, -7250, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, PointOnArc(a, b, centre, c.p, c.radius));
    }
}

TEST(ArcMeasures, HeightAndRadiusOfASegment) {
    EXPECT_NEAR(500, static_cast<double>(ArcHeight(1000, 500)), 1e-9);
    EXPECT_EQ(0, ArcHeight(1000, 400));
    EXPECT_EQ(0, ArcHeight(0, 400));
    EXPECT_NEAR(200, static_cast<double>(ArcHeight(1000, 725)), 1e-9);
    EXPECT_NEAR(625, static_cast<double>(ArcRadius(1000, 250)), 1e-9);
    EXPECT_NEAR(725, static_cast<double>(ArcRadius(1000, 200)), 1e-9);
    EXPECT_EQ(0, ArcRadius(1000, 0));
    EXPECT_EQ(0, ArcRadius(-1, 10));
}

TEST(Midpoints, RoundAwayFromZero) {
    EXPECT_EQ((TPoint{1, -1}), MidPoint({0, 0}, {1, -1}));
    EXPECT_EQ((TPoint{5000, 2000}), MidPoint({10000, 2000}, {0, 2000}));
    EXPECT_EQ((TFloatPoint{0.5f, -0.5f}), FloatMidPoint({0, 0}, {1, -1}));
    EXPECT_NEAR(5, static_cast<double>(PointDistance({0, 0}, {3, -4})), 1e-12);
    EXPECT_NEAR(5, static_cast<double>(FloatPointDistance({0.5f, 0}, {3.5f, 4})), 1e-12);
    EXPECT_TRUE(SamePoint(TPoint{1, 2}, TPoint{1, 2}));
    EXPECT_FALSE(SamePoint(TFloatPoint{1, 2}, TFloatPoint{1, 2.5f}));
}

} // namespace
} // namespace kvf
