#include "drawing/sketch.h"

#include "geometry/recording_canvas.h"
#include "model/construction.h"
#include "model/furn_comp.h"
#include "position_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace kvf {
namespace {

using Records = std::vector<std::string>;

const std::string thick = " pen=#000000/3";
const std::string thin = " pen=#000000/1";

TEST(Sketch, FitsAndCentresThePosition) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<TkvfConstruction>()> make;
        TPoint topLeft, bottomRight;
        Records strokes;
    };
    const Case cases[] = {
        {"square fills the area less 10 pixels",
         [] { return position(1000, 1000, 0); },
         {0, 0},
         {520, 520},
         {"line 10,510 -> 10,10" + thick, "line 10,10 -> 510,10" + thick, "line 510,10 -> 510,510" + thick,
          "line 510,510 -> 10,510" + thick}},
        {"twice as wide as high: fits the width, centred vertically",
         [] { return position(2000, 1000, 0); },
         {0, 0},
         {520, 520},
         {"line 10,385 -> 10,135" + thick, "line 10,135 -> 510,135" + thick,
          "line 510,135 -> 510,385" + thick, "line 510,385 -> 10,385" + thick}},
        {"rectangle away from the canvas corner",
         [] { return position(1000, 1000, 0); },
         {100, 50},
         {620, 570},
         {"line 110,560 -> 110,60" + thick, "line 110,60 -> 610,60" + thick, "line 610,60 -> 610,560" + thick,
          "line 610,560 -> 110,560" + thick}},
        {"pair: both sashes",
         [] { return position(1200, 1400, 1, 700, 500); },
         {0, 0},
         {620, 720},
         {"line 10,710 -> 10,10" + thick, "line 10,10 -> 360,10" + thick, "line 360,10 -> 360,710" + thick,
          "line 360,710 -> 10,710" + thick, "line 360,710 -> 360,10" + thick, "line 360,10 -> 610,10" + thick,
          "line 610,10 -> 610,710" + thick, "line 610,710 -> 360,710" + thick}},
        {"triangle",
         [] { return position(1000, 800, 5); },
         {0, 0},
         {520, 420},
         {"line 10,410 -> 510,10" + thick, "line 510,10 -> 510,410" + thick,
          "line 510,410 -> 10,410" + thick}},
        {"arch: the top side is an arc from its end to its start",
         [] { return position(1000, 1400, 7, 200, 0, 725); },
         {0, 0},
         {520, 720},
         {"line 10,710 -> 10,110" + thick, "arc box=-103,10..623,735 from=510,110 to=10,110" + thick,
          "line 510,110 -> 510,710" + thick, "line 510,710 -> 10,710" + thick}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto construction = c.make();
        RecordingCanvas canvas;
        Draw(canvas, *construction, c.topLeft.X, c.topLeft.Y, c.bottomRight.X, c.bottomRight.Y, 1, 0);
        EXPECT_EQ(c.strokes, canvas.Records()) << canvas.Dump();
        EXPECT_EQ(TPoint(), canvas.GetOrigin());
        EXPECT_EQ(CanvasPen(), canvas.GetPen());
    }
}

TEST(Sketch, DimensionRowsTakeTheirRoom) {
    const auto construction = position(1000, 1000, 0);
    RecordingCanvas canvas;
    Draw(canvas, *construction, 0, 0, 520, 520, 1, soAll);
    // 485 pixels are left for 1000 mm; the horizontal row lies one row height below.
    const Records lines = canvas.RecordsOf("line");
    ASSERT_GE(lines.size(), 5u) << canvas.Dump();
    EXPECT_EQ("line 10,495 -> 10,10" + thick, lines[0]);
    EXPECT_EQ("line 10,510 -> 495,510" + thin, lines[4]);
    EXPECT_EQ(2u, canvas.RecordsOf("text").size()) << canvas.Dump();
    EXPECT_EQ(TPoint(), canvas.GetOrigin());
}

TEST(Sketch, NothingWithoutRoomOrSize) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<TkvfConstruction>()> make;
        int right, bottom;
        TSizeOptions options;
    };
    const Case cases[] = {
        {"empty position", [] { return std::make_unique<TkvfConstruction>(nullptr); }, 520, 520, 0},
        {"zero height", [] { return position(1000, 0, 0); }, 520, 520, 0},
        {"rectangle smaller than the margins", [] { return position(1000, 1000, 0); }, 20, 520, 0},
        {"no room beside the dimension rows", [] { return position(1000, 1000, 0); }, 35, 520, soAll},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto construction = c.make();
        RecordingCanvas canvas;
        Draw(canvas, *construction, 0, 0, c.right, c.bottom, 1, c.options);
        EXPECT_EQ(Records{}, canvas.Records()) << canvas.Dump();
    }
}

// A canvas whose device fails after a number of strokes.
class FailingCanvas : public RecordingCanvas {
public:
    void LineTo(TPoint p) override {
        if (Records().size() == 2) {
            throw std::runtime_error("device lost");
        }
        RecordingCanvas::LineTo(p);
    }
};

TEST(Sketch, MappingAndPenRestoredWhenDrawingFails) {
    const auto construction = position(1000, 1000, 0);
    FailingCanvas canvas;
    canvas.SetOrigin({3, 4});
    EXPECT_THROW(Draw(canvas, *construction, 0, 0, 520, 520, 1, soAll), std::runtime_error);
    EXPECT_EQ((TPoint{3, 4}), canvas.GetOrigin());
    EXPECT_EQ(CanvasPen(), canvas.GetPen());
}

TEST(Sketch, OpeningLinesMeetInTheMiddleOfTheRotationSide) {
    struct Case {
        const char* name;
        int opening, rotSide;
        bool fitted;
        Records strokes;
    };
    // Arch 1000 x 1400 mm rising 200 mm, drawn at 1 mm per pixel.
    const Case cases[] = {
        {"arched rotation side: apex on the arc",
         3,
         1,
         true,
         {"line 1000,1400 -> 500,0" + thin, "line 500,0 -> 0,1400" + thin}},
        {"straight rotation side: apex in its middle",
         2,
         0,
         true,
         {"line 1000,200 -> 0,800" + thin, "line 0,800 -> 1000,1400" + thin}},
        {"no rotation side", 2, -1, true, {}},
        {"rotation side beyond the corners", 2, 4, true, {}},
        {"no composition: outline only", 3, 1, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto construction = position(1000, 1400, 7, 200, 0, 725);
        TkvfFlugel& flugel = construction->LeftFlugel;
        if (c.fitted) {
            fit(flugel, 0, c.opening, c.rotSide);
        } else {
            flugel.Lines[static_cast<std::size_t>(c.opening)]->Opening = true;
            flugel.Lines[static_cast<std::size_t>(c.opening)]->RotSideIndex = c.rotSide;
        }
        RecordingCanvas canvas;
        canvas.SetPen({0x000000, 3, PenStyle::Solid});
        Draw(canvas, flugel, 10);
        Records records = canvas.Records();
        ASSERT_GE(records.size(), 4u);
        records.erase(records.begin(), records.begin() + 4);
        EXPECT_EQ(c.strokes, records) << canvas.Dump();
        EXPECT_EQ(3, canvas.GetPen().Width);
    }
}

TEST(Sketch, SlidingSymbols) {
    // A 1000 x 1000 mm sash at 1 mm per pixel: the arrow runs from 435 to 565 at height 500.
    const std::string lp = "435,500", rp = "565,500";
    const Records leftHead = {"line " + lp + " -> 478,484" + thin, "line " + lp + " -> 478,516" + thin};
    const Records rightHead = {"line " + rp + " -> 522,484" + thin, "line " + rp + " -> 522,516" + thin};
    const std::string shaft = "line " + lp + " -> " + rp + thin;
    struct Case {
        const char* name;
        int image;
        Records strokes;
    };
    const auto join = [](std::initializer_list<Records> parts) {
        Records all;
        for (const Records& part : parts) {
            all.insert(all.end(), part.begin(), part.end());
        }
        return all;
    };
    const Case cases[] = {
        {"1: arrow to the left", 1, join({{shaft}, leftHead})},
        {"2: arrow to the right", 2, join({{shaft}, rightHead})},
        {"3: double arrow", 3, join({{shaft}, leftHead, rightHead})},
        {"4: bar at the right, arrow to the left", 4,
         join({{shaft, "line 565,565 -> 565,500" + thin}, leftHead})},
        {"5: bar at the left, arrow to the right", 5,
         join({{shaft, "line 435,565 -> 435,500" + thin}, rightHead})},
        {"0: none", 0, {}},
        {"6: none", 6, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto construction = position(1000, 1000, 0);
        RecordingCanvas canvas;
        DrawSlidingSymbol(canvas, construction->LeftFlugel, c.image, 10);
        EXPECT_EQ(c.strokes, canvas.Records()) << canvas.Dump();
    }
}

TEST(Sketch, SashWithSlidingFittingsDrawsItsSymbol) {
    const auto construction = position(1000, 1000, 0);
    fit(construction->LeftFlugel, 3);
    RecordingCanvas canvas;
    Draw(canvas, construction->LeftFlugel, 10);
    EXPECT_EQ(4u + 5u, canvas.Records().size()) << canvas.Dump();
}

} // namespace
} // namespace kvf
