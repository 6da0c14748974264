#include "geometry/drawing_helpers.h"

#include "base/rounding.h"
#include "geometry/angle.h"

#include <cmath>

namespace kvf {

CanvasStateGuard::CanvasStateGuard(Canvas& canvas)
    : canvas(canvas), pen(canvas.GetPen()), brush(canvas.GetBrush()), font(canvas.GetFont()),
      align(canvas.GetTextAlign()), origin(canvas.GetOrigin()) {}

CanvasStateGuard::~CanvasStateGuard() {
    canvas.SetPen(pen);
    canvas.SetBrush(brush);
    canvas.SetFont(font);
    canvas.SetTextAlign(align);
    canvas.SetOrigin(origin);
}

namespace {

// Restores the canvas font on every exit path.
class FontGuard {
public:
    explicit FontGuard(Canvas& canvas) : canvas(canvas), font(canvas.GetFont()) {}
    ~FontGuard() { canvas.SetFont(font); }
    FontGuard(const FontGuard&) = delete;
    FontGuard& operator=(const FontGuard&) = delete;

private:
    Canvas& canvas;
    CanvasFont font;
};

} // namespace

TPoint DrawRotatedText(Canvas& canvas, TPoint at, const std::string& text, int fontHeight, int align,
                       long double angle) {
    FontGuard restore(canvas);
    CanvasFont font = canvas.GetFont();
    if (fontHeight != -1) {
        font.Height = fontHeight;
    }
    font.Escapement = RoundAway(angle * 10);
    canvas.SetFont(font);

    const TPoint size = canvas.TextExtent(text);
    const long double phi = angle * kRadiansPerDegree;
    const long double c = std::fabs(std::cos(phi));
    const long double s = std::fabs(std::sin(phi));
    // nearbyint rounds halves to even in the default rounding mode.
    const TPoint extent{static_cast<std::int32_t>(std::nearbyint(c * size.X + s * size.Y)),
                        static_cast<std::int32_t>(std::nearbyint(s * size.X + c * size.Y))};
    if (align != -1) {
        canvas.SetTextAlign(static_cast<unsigned>(align));
    }
    canvas.TextOut(at, text);
    return extent;
}

void DrawLineOrArc(Canvas& canvas, TPoint p1, TPoint p2, float radius, TFloatPoint centre) {
    if (radius == 0) {
        DrawLine(canvas, p1, p2);
        return;
    }
    const CanvasPen pen = canvas.GetPen();
    const CanvasBrush brush = canvas.GetBrush();
    const long double r = std::fabs(static_cast<long double>(radius));
    const TPoint topLeft = FloatToPoint({static_cast<float>(centre.X - r), static_cast<float>(centre.Y - r)});
    const TPoint bottomRight =
        FloatToPoint({static_cast<float>(centre.X + r), static_cast<float>(centre.Y + r)});
    canvas.Arc(topLeft, bottomRight, p2, p1);
    canvas.SetPen(pen);
    canvas.SetBrush(brush);
}

void DrawLine(Canvas& canvas, TPoint p1, TPoint p2) {
    canvas.MoveTo(p1);
    canvas.LineTo(p2);
}

} // namespace kvf
