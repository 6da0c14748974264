#include "geometry/drawing_helpers.h"

#include "geometry/recording_canvas.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

using Records = std::vector<std::string>;

TEST(DrawRotatedText, ExtentIsTheBoxOfTheTurnedText) {
    struct Case {
        const char* name;
        double angle;
        TPoint expected;
        const char* record;
    };
    // "1000" at height 13: 4 characters of 7 pixels, 28 x 13 unrotated.
    const Case cases[] = {
        {"level", 0, {28, 13}, "text \"1000\" at 5,6 align=0 font=DejaVu Sans/13 esc=0"},
        {"upright", 90, {13, 28}, "text \"1000\" at 5,6 align=0 font=DejaVu Sans/13 esc=900"},
        {"upside down", 180, {28, 13}, "text \"1000\" at 5,6 align=0 font=DejaVu Sans/13 esc=1800"},
        {"slanted", 45, {29, 29}, "text \"1000\" at 5,6 align=0 font=DejaVu Sans/13 esc=450"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas canvas;
        canvas.SetBrush({0xFFFFFF, BrushStyle::Clear});
        EXPECT_EQ(c.expected, DrawRotatedText(canvas, {5, 6}, "1000", -1, -1, c.angle));
        EXPECT_EQ(Records{c.record}, canvas.Records());
        EXPECT_EQ(0, canvas.GetFont().Escapement) << "the canvas font is restored";
    }
}

TEST(DrawRotatedText, HeightAndAlignment) {
    RecordingCanvas canvas;
    canvas.SetBrush({0xFFFFFF, BrushStyle::Clear});
    canvas.SetTextAlign(TextAlign::Right);
    const TPoint extent = DrawRotatedText(canvas, {0, 0}, "ab", 20, TextAlign::Center | TextAlign::Bottom, 0);
    EXPECT_EQ((TPoint{20, 20}), extent);
    EXPECT_EQ(Records{"text \"ab\" at 0,0 align=14 font=DejaVu Sans/20 esc=0"}, canvas.Records());
    EXPECT_EQ(14u, canvas.GetTextAlign()) << "an alignment that was set is left so";
    EXPECT_EQ(13, canvas.GetFont().Height);
}

TEST(DrawLineOrArc, LineForZeroRadiusArcOtherwise) {
    RecordingCanvas canvas;
    canvas.SetPen({0x000000, 3, PenStyle::Solid});
    canvas.SetBrush({0x00FF00, BrushStyle::Solid});
    DrawLineOrArc(canvas, {0, 100}, {0, 0}, 0, {});
    // The top of an arch, drawn counter-clockwise from its end (right) to its start (left).
    DrawLineOrArc(canvas, {0, 100}, {500, 100}, 362.5f, {250, 362.5f});
    const Records expected = {
        "line 0,100 -> 0,0 pen=#000000/3",
        "arc box=-113,0..613,725 from=500,100 to=0,100 pen=#000000/3",
    };
    EXPECT_EQ(expected, canvas.Records()) << canvas.Dump();
    EXPECT_EQ((CanvasPen{0x000000, 3, PenStyle::Solid}), canvas.GetPen());
    EXPECT_EQ((CanvasBrush{0x00FF00, BrushStyle::Solid}), canvas.GetBrush());
}

TEST(DrawLineOrArc, NegativeRadiusUsesItsMagnitude) {
    RecordingCanvas canvas;
    DrawLineOrArc(canvas, {0, 0}, {10, 0}, -5, {5, 0});
    EXPECT_EQ(Records{"arc box=0,-5..10,5 from=10,0 to=0,0 pen=#000000/1"}, canvas.Records());
}

TEST(RecordingCanvas, RecordsInDeviceCoordinates) {
    RecordingCanvas canvas;
    canvas.SetOrigin({100, 200});
    DrawLine(canvas, {1, 2}, {3, 4});
    canvas.LineTo({5, 6});
    canvas.SetPen({0xFF0000, 2, PenStyle::Dash});
    canvas.Polyline({{0, 0}, {1, 1}});
    canvas.SetBrush({0xFFFFFF, BrushStyle::Clear});
    canvas.Polygon({{0, 0}, {1, 0}, {1, 1}});
    canvas.Rectangle({0, 0}, {10, 10});
    canvas.Ellipse({0, 0}, {10, 10});
    const Records expected = {
        "line 101,202 -> 103,204 pen=#000000/1",
        "line 103,204 -> 105,206 pen=#000000/1",
        "polyline 100,200 101,201 pen=#ff0000/2/dash",
        "polygon 100,200 101,200 101,201 pen=#ff0000/2/dash brush=clear",
        "rect 100,200..110,210 pen=#ff0000/2/dash brush=clear",
        "ellipse 100,200..110,210 pen=#ff0000/2/dash brush=clear",
    };
    EXPECT_EQ(expected, canvas.Records()) << canvas.Dump();
    EXPECT_EQ(2u, canvas.RecordsOf("line").size());
    EXPECT_EQ((TPoint{5, 6}), canvas.GetPenPos());
}

TEST(RecordingCanvas, MeasuresCodePoints) {
    RecordingCanvas canvas;
    EXPECT_EQ((TPoint{14, 13}), canvas.TextExtent("Шт"));
    EXPECT_EQ((TPoint{7, 13}), canvas.TextExtent("0"));
}

TEST(CanvasStateGuard, RestoresEverything) {
    RecordingCanvas canvas;
    {
        CanvasStateGuard guard(canvas);
        canvas.SetPen({0x123456, 5, PenStyle::Dot});
        canvas.SetBrush({0x654321, BrushStyle::Clear});
        canvas.SetFont({"Other", 30, true});
        canvas.SetTextAlign(14);
        canvas.SetOrigin({7, 8});
    }
    EXPECT_EQ(CanvasPen(), canvas.GetPen());
    EXPECT_EQ(CanvasBrush(), canvas.GetBrush());
    EXPECT_EQ(CanvasFont(), canvas.GetFont());
    EXPECT_EQ(0u, canvas.GetTextAlign());
    EXPECT_EQ(TPoint(), canvas.GetOrigin());
}

} // namespace
} // namespace kvf
