#include "drawing/sketch.h"

#include "base/rounding.h"
#include "geometry/constructions.h"
#include "geometry/drawing_helpers.h"
#include "geometry/measures.h"
#include "model/construction.h"
#include "model/flugel.h"
#include "model/furn_comp.h"
#include "model/line.h"

#include <algorithm>

namespace kvf {

namespace {

void setPenWidth(Canvas& canvas, int width) {
    CanvasPen pen = canvas.GetPen();
    pen.Width = width;
    canvas.SetPen(pen);
}

} // namespace

void Draw(Canvas& canvas, const TkvfConstruction& construction, int left, int top, int right, int bottom,
          long double zoom, TSizeOptions options) {
    TkvfSizeGrid grid(canvas);
    grid.Build(construction, options);

    const long double availW = static_cast<long double>(right - left) - grid.VertRowsWidth() - 20;
    const long double availH = static_cast<long double>(bottom - top) - grid.HorzRowsHeight() - 20;
    std::int32_t width = 0, height = 0;
    construction.GetSize(width, height);
    if (width <= 0 || height <= 0 || availW <= 0 || availH <= 0) {
        return;
    }
    const long double W = width, H = height;
    long double s = W / H >= availW / availH ? W / availW : H / availH;
    if (zoom != 0) {
        s *= zoom;
    }
    const std::int32_t Ws = DivRound(W, s);
    const std::int32_t Hs = DivRound(H, s);
    const std::int32_t offX = (static_cast<std::int32_t>(availW) - Ws) / 2 + 10;
    const std::int32_t offY = (static_cast<std::int32_t>(availH) - Hs) / 2 + 10;

    CanvasStateGuard restore(canvas);
    const TPoint origin = canvas.GetOrigin();
    canvas.SetOrigin(AddPoints(origin, {left + offX, top + offY}));
    setPenWidth(canvas, 3);
    Draw(canvas, construction.LeftFlugel, 10 * s);
    if (construction.ConstrType != 2) {
        Draw(canvas, construction.RightFlugel, 10 * s);
    }
    grid.Draw(s);
}

void Draw(Canvas& canvas, const TkvfFlugel& flugel, long double k) {
    for (const auto& line : flugel.Lines) {
        DrawSide(canvas, *line, k);
    }
    if (!flugel.FurnComp) {
        return;
    }
    const auto sides = static_cast<std::int32_t>(std::min(flugel.Points.size(), flugel.Lines.size()));
    for (const auto& line : flugel.Lines) {
        if (line->Opening && line->RotSideIndex >= 0 && line->RotSideIndex < sides) {
            DrawOpeningLines(canvas, *line, *flugel.Lines[static_cast<std::size_t>(line->RotSideIndex)], k);
        }
    }
    DrawSlidingSymbol(canvas, flugel, flugel.FurnComp->ComplectImage, k);
}

void DrawSide(Canvas& canvas, const TkvfLine& line, long double k) {
    if (!line.StartPoint || !line.EndPoint) {
        return;
    }
    const TPoint p1 = ScalePoint(line.StartPoint->GetPoint(), k);
    const TPoint p2 = ScalePoint(line.EndPoint->GetPoint(), k);
    DrawLineOrArc(canvas, p1, p2, DivRound1(line.Radius1, k), ScaleFloatPoint(line.Center, k));
}

void DrawOpeningLines(Canvas& canvas, const TkvfLine& opening, const TkvfLine& rotationSide, long double k) {
    if (!opening.StartPoint || !opening.EndPoint || !rotationSide.StartPoint || !rotationSide.EndPoint) {
        return;
    }
    const TPoint start = rotationSide.StartPoint->GetPoint();
    const TPoint end = rotationSide.EndPoint->GetPoint();
    TPoint apex;
    if (rotationSide.Radius1 != 0) {
        const long double sweep = CornerAngle(end, rotationSide.Center, start);
        apex = FloatToPoint(RotateFloatPoint(start, rotationSide.Center, -sweep / 2));
    } else {
        apex = MidPoint(end, start);
    }
    CanvasStateGuard restore(canvas);
    setPenWidth(canvas, 1);
    canvas.MoveTo(ScalePoint(opening.StartPoint->GetPoint(), k));
    canvas.LineTo(ScalePoint(apex, k));
    canvas.LineTo(ScalePoint(opening.EndPoint->GetPoint(), k));
}

void DrawSlidingSymbol(Canvas& canvas, const TkvfFlugel& flugel, int imageCode, long double k) {
    if (imageCode < 1 || imageCode > 5) {
        return;
    }
    TPoint min, max;
    flugel.GetExtent(min, max);
    min = {RoundAway(min.X * 10.0L), RoundAway(min.Y * 10.0L)};
    max = {RoundAway(max.X * 10.0L), RoundAway(max.Y * 10.0L)};
    const TPoint C{min.X + (max.X - min.X) / 2, min.Y + (max.Y - min.Y) / 2};
    const std::int32_t a = 650;
    const std::int32_t q = a / 4;
    const std::int32_t g = RoundAway(a / 1.5L);
    const auto at = [k](std::int32_t x, std::int32_t y) { return ScalePoint({x, y}, k); };
    const TPoint Lp = at(C.X - a, C.Y), Rp = at(C.X + a, C.Y);
    const TPoint lWing1 = at(C.X - a + g, C.Y - q), lWing2 = at(C.X - a + g, C.Y + q);
    const TPoint rWing1 = at(C.X + a - g, C.Y - q), rWing2 = at(C.X + a - g, C.Y + q);
    const TPoint lBar = at(C.X - a, C.Y + a), rBar = at(C.X + a, C.Y + a);
    const auto arrowAtLeft = [&] {
        DrawLine(canvas, Lp, lWing1);
        DrawLine(canvas, Lp, lWing2);
    };
    const auto arrowAtRight = [&] {
        DrawLine(canvas, Rp, rWing1);
        DrawLine(canvas, Rp, rWing2);
    };
    DrawLine(canvas, Lp, Rp);
    switch (imageCode) {
    case 1:
        arrowAtLeft();
        break;
    case 2:
        arrowAtRight();
        break;
    case 3:
        arrowAtLeft();
        arrowAtRight();
        break;
    case 4:
        DrawLine(canvas, rBar, Rp);
        arrowAtLeft();
        break;
    case 5:
        DrawLine(canvas, lBar, Lp);
        arrowAtRight();
        break;
    }
}

} // namespace kvf
