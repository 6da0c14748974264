// Outlines built from the position dialog's shapes, and the sizes, lengths,
// corner angles and arcs derived from them.

#include "base/error.h"
#include "model/construction.h"

#include <gtest/gtest.h>

#include <vector>

namespace kvf {
namespace {

struct ShapeCase {
    const char* name;
    std::uint8_t constrType;
    TkvfShapeSizes sizes;
    std::vector<TPoint> leftPoints;
    std::vector<TPoint> rightPoints;
    std::int32_t width;
    std::int32_t height;
};

std::vector<TPoint> pointsOf(const TkvfFlugel& sash) {
    std::vector<TPoint> points;
    for (const auto& point : sash.Points) {
        points.push_back(point->GetPoint());
    }
    return points;
}

TEST(SashOutline, ShapesBuildTheirCornersAndSize) {
    const ShapeCase cases[] = {
        {"rectangle",
         2,
         {700, 1400, 0, 0, 0, 0, 0},
         {{0, 14000}, {0, 0}, {7000, 0}, {7000, 14000}},
         {},
         700,
         1400},
        {"trapezium left side low",
         2,
         {1000, 1400, 3, 700, 0, 0, 0},
         {{0, 14000}, {0, 7000}, {10000, 0}, {10000, 14000}},
         {},
         1000,
         1400},
        {"trapezium right side low",
         2,
         {1000, 1400, 4, 700, 0, 0, 0},
         {{0, 14000}, {0, 0}, {10000, 7000}, {10000, 14000}},
         {},
         1000,
         1400},
        {"triangle apex top right",
         2,
         {1000, 800, 5, 0, 0, 0, 0},
         {{0, 8000}, {10000, 0}, {10000, 8000}},
         {},
         1000,
         800},
        {"triangle apex top left",
         2,
         {1000, 800, 6, 0, 0, 0, 0},
         {{0, 8000}, {0, 0}, {10000, 8000}},
         {},
         1000,
         800},
        {"arch reaches the top",
         2,
         {1000, 1400, 7, 200, 0, 725, 725},
         {{0, 14000}, {0, 2000}, {10000, 2000}, {10000, 14000}},
         {},
         1000,
         1400},
        {"arc on the rectangle rises above the top",
         2,
         {1000, 1400, 0, 0, 0, 500, 500},
         {{0, 14000}, {0, 0}, {10000, 0}, {10000, 14000}},
         {},
         1000,
         1900},
        {"unknown shape index builds the rectangle",
         2,
         {700, 1400, 42, 100, 100, 0, 0},
         {{0, 14000}, {0, 0}, {7000, 0}, {7000, 14000}},
         {},
         700,
         1400},
        {"sizes with a decimal round half away from zero",
         2,
         {700.25, 1400.04, 0, 0, 0, 0, 0},
         {{0, 14000}, {0, 0}, {7003, 0}, {7003, 14000}},
         {},
         700,
         1400},
        {"pair, left sash main",
         0,
         {1200, 1400, 2, 700, 500, 0, 0},
         {{0, 14000}, {0, 0}, {7000, 0}, {7000, 14000}},
         {{7000, 14000}, {7000, 0}, {12000, 0}, {12000, 14000}},
         1200,
         1400},
        {"pair, right sash main, shape index ignored",
         1,
         {1200, 1400, 5, 700, 500, 0, 0},
         {{0, 14000}, {0, 0}, {7000, 0}, {7000, 14000}},
         {{7000, 14000}, {7000, 0}, {12000, 0}, {12000, 14000}},
         1200,
         1400},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        TkvfConstruction construction(nullptr);
        construction.ConstrType = c.constrType;
        construction.SetShape(c.sizes, 17);

        EXPECT_EQ(c.leftPoints, pointsOf(construction.LeftFlugel));
        EXPECT_EQ(c.rightPoints, pointsOf(construction.RightFlugel));
        EXPECT_EQ(c.leftPoints.size(), construction.LeftFlugel.Lines.size());
        EXPECT_EQ(c.rightPoints.size(), construction.RightFlugel.Lines.size());
        EXPECT_EQ(17, construction.LeftFlugel.Dorn);
        EXPECT_EQ(c.rightPoints.empty() ? 0 : 17, construction.RightFlugel.Dorn);

        std::int32_t width = 0;
        std::int32_t height = 0;
        construction.GetSize(width, height);
        EXPECT_EQ(c.width, width);
        EXPECT_EQ(c.height, height);

        // Line i runs from point i to the next, the last back to point 0.
        for (const TkvfFlugel* sash : {&construction.LeftFlugel, &construction.RightFlugel}) {
            for (size_t i = 0; i < sash->Lines.size(); ++i) {
                EXPECT_EQ(sash->Points[i].get(), sash->Lines[i]->StartPoint);
                EXPECT_EQ(sash->Points[(i + 1) % sash->Points.size()].get(), sash->Lines[i]->EndPoint);
            }
        }
    }
}

TEST(SashOutline, ShapesOneAndTwoArePairs) {
    const std::uint8_t expected[] = {2, 1, 0, 2, 2, 2, 2, 2};
    for (int shape = 0; shape < 8; ++shape) {
        SCOPED_TRACE(shape);
        EXPECT_EQ(expected[shape], ShapeConstrType(shape));
    }
}

TEST(SashOutline, PairSashesSizeAndExtent) {
    TkvfConstruction construction(nullptr);
    construction.ConstrType = 0;
    construction.SetShape({1200, 1400, 2, 700, 500, 0, 0}, 0);
    std::int32_t width = 0;
    std::int32_t height = 0;
    construction.RightFlugel.GetSize(width, height);
    EXPECT_EQ(500, width);
    EXPECT_EQ(1400, height);
    TPoint min;
    TPoint max;
    construction.RightFlugel.GetExtent(min, max);
    EXPECT_EQ((TPoint{700, 0}), min);
    EXPECT_EQ((TPoint{1200, 1400}), max);
    EXPECT_EQ(&construction.RightFlugel, construction.LeftFlugel.OtherFlugel());
    EXPECT_EQ(&construction.LeftFlugel, construction.RightFlugel.OtherFlugel());
}

TEST(SashOutline, RectangleSidesAndCorners) {
    TkvfConstruction construction(nullptr);
    construction.SetShape({700, 1400, 0, 0, 0, 0, 0}, 0);
    const TkvfFlugel& sash = construction.LeftFlugel;
    const float lengths[] = {1400, 700, 1400, 700};
    const int orientations[] = {1, 0, 1, 0};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(lengths[i], sash.Lines[i]->Length());
        EXPECT_EQ(orientations[i], sash.Lines[i]->Orientation());
        EXPECT_NEAR(90.0f, sash.SideAngle(i), 1e-4);
        EXPECT_FALSE(sash.Lines[i]->IsCircularArc());
        EXPECT_EQ((TFloatPoint{0, 0}), sash.Lines[i]->Center);
    }
    EXPECT_EQ(sash.Lines[3].get(), sash.PrevLine(sash.Lines[0].get()));
    EXPECT_EQ(sash.Lines[1].get(), sash.PrevLine(sash.Lines[2].get()));
    const TkvfLine stray(nullptr);
    EXPECT_EQ(nullptr, sash.PrevLine(&stray));
}

TEST(SashOutline, TriangleSlopingSide) {
    TkvfConstruction construction(nullptr);
    construction.SetShape({1000, 800, 5, 0, 0, 0, 0}, 0);
    const TkvfFlugel& sash = construction.LeftFlugel;
    ASSERT_EQ(3u, sash.Lines.size());
    EXPECT_NEAR(1280.6248f, sash.Lines[0]->Length(), 1e-3);
    EXPECT_EQ(3, sash.Lines[0]->Orientation());
    // The three corners of a triangle add up to 180 degrees.
    EXPECT_NEAR(180.0, sash.SideAngle(0) + sash.SideAngle(1) + sash.SideAngle(2), 1e-3);
    EXPECT_NEAR(90.0, sash.SideAngle(2), 1e-4);
}

TEST(SashOutline, ArchCentreAndHighestPoint) {
    TkvfConstruction construction(nullptr);
    construction.SetShape({1000, 1400, 7, 200, 0, 725, 725}, 0);
    const TkvfFlugel& sash = construction.LeftFlugel;
    const TkvfLine& arc = *sash.Lines[1];
    EXPECT_EQ(7250.0f, arc.Radius1);
    EXPECT_EQ(7250.0f, arc.Radius2);
    EXPECT_EQ((TFloatPoint{5000, 7250}), arc.Center);
    EXPECT_TRUE(arc.IsCircularArc());
    EXPECT_TRUE(arc.IsSegmentArc());
    EXPECT_FALSE(arc.IsSemicircle());
    EXPECT_FALSE(arc.IsEllipticArc());
    // The arc's chord is its length.
    EXPECT_FLOAT_EQ(1000.0f, arc.Length());
    TPoint min;
    TPoint max;
    sash.GetExtent(min, max);
    EXPECT_EQ((TPoint{0, 0}), min);
    EXPECT_EQ((TPoint{1000, 1400}), max);
}

TEST(SashOutline, ArcKinds) {
    struct Case {
        const char* name;
        float r1, r2;
        bool circular, semicircle, segment, elliptic;
    };
    const Case cases[] = {
        {"straight", 0, 0, false, false, false, false},
        {"half circle over the 1000 mm chord", 5000, 5000, true, true, false, false},
        {"segment", 7250, 7250, true, false, true, false},
        {"elliptic", 5000, 6000, false, false, false, true},
        {"second radius missing", 5000, 0, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TkvfConstruction construction(nullptr);
        construction.SetShape({1000, 1400, 0, 0, 0, c.r1 / 10, c.r2 / 10}, 0);
        const TkvfLine& top = *construction.LeftFlugel.Lines[1];
        EXPECT_EQ(c.circular, top.IsCircularArc());
        EXPECT_EQ(c.semicircle, top.IsSemicircle());
        EXPECT_EQ(c.segment, top.IsSegmentArc());
        EXPECT_EQ(c.elliptic, top.IsEllipticArc());
    }
}

TEST(SashOutline, EmptySashAndUnlinkedLine) {
    TkvfFlugel sash(nullptr);
    std::int32_t width = -1;
    std::int32_t height = -1;
    sash.GetSize(width, height);
    EXPECT_EQ(0, width);
    EXPECT_EQ(0, height);
    EXPECT_EQ(nullptr, sash.OtherFlugel());
    EXPECT_EQ(-1, sash.HandledSideIndex());
    EXPECT_EQ(0, sash.GetHandleHeight());

    const TkvfLine line(&sash);
    EXPECT_EQ(-1, line.ChordLength());
    EXPECT_FLOAT_EQ(-0.1f, line.Length());
}

TEST(SashOutline, SideAngleOutOfRangeRaises) {
    TkvfConstruction construction(nullptr);
    construction.SetShape({700, 1400, 0, 0, 0, 0, 0}, 0);
    EXPECT_THROW(construction.LeftFlugel.SideAngle(4), KvfError);
    EXPECT_THROW(construction.LeftFlugel.SideAngle(-1), KvfError);
}

TEST(SashOutline, OverlargeSizesAreRefused) {
    TkvfConstruction construction(nullptr);
    EXPECT_THROW(construction.SetShape({3e8, 1400, 0, 0, 0, 0, 0}, 0), KvfError);
    construction.ConstrType = 0;
    EXPECT_THROW(construction.SetShape({0, 1400, 2, 2e8, 2e8, 0, 0}, 0), KvfError);
}

} // namespace
} // namespace kvf
