#include "geometry/point.h"

#include "base/error.h"

#include <gtest/gtest.h>

#include <limits>

namespace kvf {
namespace {

TEST(PointConversions, RoundHalvesAwayFromZero) {
    struct Case {
        const char* name;
        TFloatPoint in;
        TPoint expected;
    };
    const Case cases[] = {
        {"halves", {2.5f, -2.5f}, {3, -3}},
        {"below half", {2.49f, -2.49f}, {2, -2}},
        {"minus half", {-0.5f, 0.5f}, {-1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, FloatToPoint(c.in));
    }
}

TEST(PointConversions, ScaleDividesAndRounds) {
    EXPECT_EQ((TPoint{3, -3}), ScalePoint({5, -5}, 2));
    EXPECT_EQ((TPoint{500, 250}), ScalePoint({10000, 5000}, 20));
    EXPECT_EQ(4, DivRound(7, 2));
    EXPECT_NEAR(0.3f, DivRound1(1, 3), 1e-6);
    const TFloatPoint scaled = ScaleFloatPoint({7250, -5}, 20);
    EXPECT_NEAR(362.5f, scaled.X, 1e-4);
    EXPECT_NEAR(-0.3f, scaled.Y, 1e-4) << "-0.25 rounds away from zero";
}

TEST(PointConversions, UpAndDownGoToCeilingAndFloorAfterFourDecimals) {
    EXPECT_EQ((TPoint{2, 3}), FloatToPointUp({2.00004f, 2.5f}));
    EXPECT_EQ((TPoint{-3, 2}), FloatToPointDown({-2.5f, 2.5f}));
    EXPECT_EQ((TPoint{-2, 7}), FloatToPointUp({-2.5f, 7.0f}));
}

TEST(PointConversions, RoundFloatPointKeepsFourDecimals) {
    const TFloatPoint p = RoundFloatPoint({1.23456f, -1.23456f});
    EXPECT_NEAR(1.2346f, p.X, 1e-6);
    EXPECT_NEAR(-1.2346f, p.Y, 1e-6);
}

TEST(PointConversions, AddPointsRaisesOnOverflow) {
    EXPECT_EQ((TPoint{3, -1}), AddPoints({1, 1}, {2, -2}));
    EXPECT_EQ((TFloatPoint{3.0f, -1.0f}), AddPointsToFloat({1, 1}, {2, -2}));
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    EXPECT_THROW(AddPoints({max, 0}, {1, 0}), KvfError);
    EXPECT_THROW(AddPoints({0, -max}, {0, -2}), KvfError);
}

TEST(PointConversions, SetAndClear) {
    TFloatPoint p;
    SetFloatPoint(p, 1.5f, -2);
    EXPECT_EQ((TFloatPoint{1.5f, -2.0f}), p);
    ClearFloatPoint(p);
    EXPECT_EQ(TFloatPoint(), p);
    EXPECT_EQ((TFloatPoint{7.0f, -8.0f}), PointToFloat({7, -8}));
}

} // namespace
} // namespace kvf
