#include "drawing/sizing.h"

#include "geometry/recording_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace kvf {
namespace {

using Records = std::vector<std::string>;

TEST(SizePointList, KeepsOnePointPerPosition) {
    TkvfSizePointList chain;
    EXPECT_EQ(0, chain.Add(TkvfSizePoint::CreateX(700)));
    EXPECT_EQ(1, chain.Add(TkvfSizePoint::CreateX(0)));
    EXPECT_EQ(-1, chain.Add(TkvfSizePoint::CreateX(700)));
    chain.SortX();
    EXPECT_EQ(2, chain.Count());
    EXPECT_EQ(0, chain.First().X);
    EXPECT_EQ(700, chain.Last().X);
    EXPECT_TRUE(chain.SameAs(TkvfSizePointList{TkvfSizePoint::CreateX(0), TkvfSizePoint::CreateX(700)}));
    EXPECT_FALSE(chain.SameAs(TkvfSizePointList{TkvfSizePoint::CreateX(700), TkvfSizePoint::CreateX(0)}));
    EXPECT_TRUE(chain.Contains(TkvfSizePoint::CreateX(0)));
    EXPECT_FALSE(chain.Contains(TkvfSizePoint::CreateY(700)));
}

TEST(DimensionLine, ArrowheadsAndExtensionLines) {
    struct Case {
        const char* name;
        double angle;
        TPoint S1, S2;
        Records strokes;
    };
    const Case cases[] = {
        {"horizontal: extension lines up",
         0,
         {100, 200},
         {300, 200},
         {"line 100,200 -> 300,200 pen=#000000/1", "line 100,185 -> 100,201 pen=#000000/1",
          "line 300,185 -> 300,201 pen=#000000/1", "line 100,200 -> 108,197 pen=#000000/1",
          "line 100,200 -> 108,203 pen=#000000/1", "line 300,200 -> 292,197 pen=#000000/1",
          "line 300,200 -> 292,203 pen=#000000/1"}},
        {"vertical: extension lines to the left",
         90,
         {500, 300},
         {500, 100},
         {"line 500,300 -> 500,100 pen=#000000/1", "line 485,300 -> 501,300 pen=#000000/1",
          "line 485,100 -> 501,100 pen=#000000/1", "line 500,300 -> 497,292 pen=#000000/1",
          "line 500,300 -> 503,292 pen=#000000/1", "line 500,100 -> 497,108 pen=#000000/1",
          "line 500,100 -> 503,108 pen=#000000/1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas canvas;
        TkvfSizing row;
        row.Angle = c.angle;
        row.DrawDimensionLine(canvas, c.S1, 15, c.S2);
        EXPECT_EQ(c.strokes, canvas.Records()) << canvas.Dump();
    }
}

TEST(DimensionLabel, DecimalsOnlyForFractions) {
    EXPECT_EQ("1000", DimensionLabel(1000));
    EXPECT_EQ("812.5", DimensionLabel(812.5));
    EXPECT_EQ("0", DimensionLabel(0));
    EXPECT_EQ("1280.6", DimensionLabel(std::sqrt(1000.0L * 1000 + 800 * 800)));
}

} // namespace
} // namespace kvf
