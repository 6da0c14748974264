#include "drawing/sizing.h"

#include "base/number_format.h"
#include "base/rounding.h"
#include "geometry/constructions.h"
#include "geometry/drawing_helpers.h"
#include "geometry/measures.h"

#include <cmath>

namespace kvf {

std::string DimensionLabel(long double value) {
    long double whole;
    return FormatFixed(value, std::modf(value, &whole) != 0 ? 1 : 0);
}

void TkvfSizing::DrawRow(Canvas& canvas, TPoint origin, bool vertical, int rowHeight, long double scale) {
    for (const TkvfSizePointList& chain : Chains) {
        for (int i = 1; i < chain.Count(); ++i) {
            Angle = vertical ? 90 : 0;
            const TPoint before = chain.Items(i - 1).GetPoint();
            const TPoint current = chain.Items(i).GetPoint();
            if (vertical) {
                DrawDimension(canvas, origin, rowHeight, before, current, scale);
            } else {
                DrawDimension(canvas, origin, rowHeight, current, before, scale);
            }
        }
    }
}

void TkvfSizing::DrawDimension(Canvas& canvas, TPoint origin, int rowHeight, TPoint PA, TPoint PB,
                               long double scale) {
    CanvasStateGuard restore(canvas);
    CanvasPen pen = canvas.GetPen();
    pen.Width = 1;
    canvas.SetPen(pen);

    const std::string label = DimensionLabel(PointDistance(PA, PB));
    const TPoint S1 = AddPoints(ScalePoint(PB, scale), origin);
    const TPoint S2 = AddPoints(ScalePoint(PA, scale), origin);
    DrawDimensionLine(canvas, S1, rowHeight, S2);
    canvas.SetTextAlign(TextAlign::Center | TextAlign::Bottom);
    DrawRotatedText(canvas, MidPoint(S1, S2), label, -1, -1, Angle);
}

void TkvfSizing::DrawDimensionLine(Canvas& canvas, TPoint S1, int h, TPoint S2) {
    const int a = h / 5;
    const int b = RoundAway(h / 1.8L);
    const auto turned = [this](TPoint end, int dx, int dy) {
        return RotatePoint({end.X + dx, end.Y + dy}, end, Angle);
    };
    const TPoint s1Wing1 = turned(S1, b, -a), s1Wing2 = turned(S1, b, a);
    const TPoint s1Top = turned(S1, 0, -h), s1Bottom = turned(S1, 0, 1);
    const TPoint s2Wing1 = turned(S2, -b, -a), s2Wing2 = turned(S2, -b, a);
    const TPoint s2Top = turned(S2, 0, -h), s2Bottom = turned(S2, 0, 1);

    DrawLine(canvas, S1, S2);
    DrawLine(canvas, s1Top, s1Bottom);
    DrawLine(canvas, s2Top, s2Bottom);
    DrawLine(canvas, S1, s1Wing1);
    DrawLine(canvas, S1, s1Wing2);
    DrawLine(canvas, S2, s2Wing1);
    DrawLine(canvas, S2, s2Wing2);
}

} // namespace kvf
