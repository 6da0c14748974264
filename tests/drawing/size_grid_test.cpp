#include "drawing/size_grid.h"

#include "geometry/recording_canvas.h"
#include "model/construction.h"
#include "position_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace kvf {
namespace {

using Records = std::vector<std::string>;

TkvfSizePointList horz(std::initializer_list<std::int32_t> xs) {
    TkvfSizePointList chain;
    for (std::int32_t x : xs) {
        chain.Add(TkvfSizePoint::CreateX(x));
    }
    return chain;
}

// Rows as text, one row per line: "[0 500] [500 1000]".
std::string rowsText(const std::vector<TkvfSizing>& rows, bool vertical) {
    std::string text;
    for (const TkvfSizing& row : rows) {
        for (std::size_t i = 0; i < row.Chains.size(); ++i) {
            text += i == 0 ? "[" : " [";
            const TkvfSizePointList& chain = row.Chains[i];
            for (int j = 0; j < chain.Count(); ++j) {
                text += (j == 0 ? "" : " ") + std::to_string(vertical ? chain.Items(j).Y : chain.Items(j).X);
            }
            text += "]";
        }
        text += "\n";
    }
    return text;
}

TEST(SizeGrid, ChainsArePackedIntoRowsWithoutOverlap) {
    struct Case {
        const char* name;
        std::vector<TkvfSizePointList> chains;
        const char* rows;
    };
    const Case cases[] = {
        {"touching ends share a row", {horz({0, 500}), horz({500, 1000})}, "[0 500] [500 1000]\n"},
        {"overlapping chains do not", {horz({0, 600}), horz({500, 1000})}, "[0 600]\n[500 1000]\n"},
        {"before the first chain", {horz({500, 1000}), horz({0, 500})}, "[0 500] [500 1000]\n"},
        {"between two chains",
         {horz({0, 200}), horz({700, 1000}), horz({300, 700})},
         "[0 200] [300 700] [700 1000]\n"},
        {"first row that fits",
         {horz({0, 1000}), horz({0, 400}), horz({400, 600}), horz({300, 500})},
         "[0 1000]\n[0 400] [400 600]\n[300 500]\n"},
        {"an equal chain in any row is dropped",
         {horz({0, 1000}), horz({0, 400}), horz({0, 400}), horz({0, 1000})},
         "[0 1000]\n[0 400]\n"},
        {"a single point still takes its place", {horz({0, 1000}), horz({0, 0})}, "[0] [0 1000]\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas canvas;
        TkvfSizeGrid grid(canvas);
        for (const TkvfSizePointList& chain : c.chains) {
            grid.AddHorz(chain);
        }
        EXPECT_EQ(c.rows, rowsText(grid.HorzRows, false));
        EXPECT_TRUE(grid.VertRows.empty());
    }
}

TEST(SizeGrid, BuildFromPositions) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<TkvfConstruction>()> make;
        TSizeOptions options;
        const char* horz;
        const char* vert;
    };
    const Case cases[] = {
        // The empty right sash of a single-sash position adds its one-point chains at 0.
        {"rectangle", [] { return position(1000, 1500, 0); }, soAll, "[0] [0 1000]\n", "[0] [0 1500]\n"},
        {"no options", [] { return position(1000, 1500, 0); }, 0, "", ""},
        {"pair", [] { return position(0, 1400, 1, 700, 500, 0, /*pairType=*/0); }, soAll,
         "[0 700] [700 1200]\n[0 1200]\n", "[0 1400]\n"},
        {"arch: inner breakpoint of the straight sides", [] { return position(1000, 1400, 7, 200, 0, 725); },
         soAll, "[0] [0 1000]\n", "[0] [0 200 1400]\n[0 1400]\n"},
        {"trapezium", [] { return position(1000, 1000, 3, 600); }, soAll, "[0] [0 1000]\n",
         "[0] [0 400 1000]\n[0 1000]\n"},
        {"trapezium, segments only", [] { return position(1000, 1000, 3, 600); }, soSegments,
         "[0] [0 1000]\n", "[0] [0 400 1000]\n[0 1000]\n"},
        {"trapezium, overall only: sash chains alone", [] { return position(1000, 1000, 3, 600); }, soOverall,
         "[0] [0 1000]\n", "[0] [0 1000]\n"},
        {"triangle: every end on the bounding box", [] { return position(1000, 800, 5); }, soAll,
         "[0] [0 1000]\n", "[0] [0 800]\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto construction = c.make();
        RecordingCanvas canvas;
        TkvfSizeGrid grid(canvas);
        grid.Build(*construction, c.options);
        EXPECT_EQ(c.horz, rowsText(grid.HorzRows, false));
        EXPECT_EQ(c.vert, rowsText(grid.VertRows, true));
        EXPECT_EQ(15, grid.RowHeight);
        EXPECT_EQ(15 * static_cast<int>(grid.HorzRows.size()), grid.HorzRowsHeight());
        EXPECT_EQ(15 * static_cast<int>(grid.VertRows.size()), grid.VertRowsWidth());
    }
}

TEST(SizeGrid, BuildFromOneSash) {
    const auto construction = position(0, 1400, 1, 700, 500, 0, /*pairType=*/0);
    RecordingCanvas canvas;
    TkvfSizeGrid grid(canvas);
    grid.Build(construction->RightFlugel, soAll);
    EXPECT_EQ((TPoint{500, 1400}), grid.Extent);
    EXPECT_EQ("[700 1200]\n", rowsText(grid.HorzRows, false));
    EXPECT_EQ("[0 1400]\n", rowsText(grid.VertRows, true));
}

TEST(SizeGrid, DrawsRowsBelowAndRightOfTheSketch) {
    const auto construction = position(1000, 1500, 0);
    RecordingCanvas canvas;
    canvas.SetPen({0x000000, 3, PenStyle::Solid});
    canvas.SetTextAlign(TextAlign::Baseline);
    TkvfSizeGrid grid(canvas);
    grid.Build(*construction, soAll);
    grid.Draw(2);
    const Records expected = {
        // Horizontal row 15 pixels below the 750-pixel-high sketch.
        "line 0,765 -> 500,765 pen=#000000/1",
        "line 0,750 -> 0,766 pen=#000000/1",
        "line 500,750 -> 500,766 pen=#000000/1",
        "line 0,765 -> 8,762 pen=#000000/1",
        "line 0,765 -> 8,768 pen=#000000/1",
        "line 500,765 -> 492,762 pen=#000000/1",
        "line 500,765 -> 492,768 pen=#000000/1",
        "text \"1000\" at 250,765 align=14 font=DejaVu Sans/13 esc=0",
        // Vertical row 15 pixels right of the 500-pixel-wide sketch, drawn from the bottom up.
        "line 515,750 -> 515,0 pen=#000000/1",
        "line 500,750 -> 516,750 pen=#000000/1",
        "line 500,0 -> 516,0 pen=#000000/1",
        "line 515,750 -> 512,742 pen=#000000/1",
        "line 515,750 -> 518,742 pen=#000000/1",
        "line 515,0 -> 512,8 pen=#000000/1",
        "line 515,0 -> 518,8 pen=#000000/1",
        "text \"1500\" at 515,375 align=14 font=DejaVu Sans/13 esc=900",
    };
    EXPECT_EQ(expected, canvas.Records()) << canvas.Dump();
    EXPECT_EQ(3, canvas.GetPen().Width);
    EXPECT_EQ(TextAlign::Baseline, canvas.GetTextAlign());
    EXPECT_EQ(BrushStyle::Solid, canvas.GetBrush().Style);
}

TEST(SizeGrid, NoOptionsNoRowsNoRoom) {
    const auto construction = position(1000, 1500, 0);
    RecordingCanvas canvas;
    TkvfSizeGrid grid(canvas);
    grid.Build(*construction, 0);
    EXPECT_EQ(0, grid.HorzRowsHeight());
    EXPECT_EQ(0, grid.VertRowsWidth());
    grid.Draw(2);
    EXPECT_EQ(Records{}, canvas.Records());
}

} // namespace
} // namespace kvf
