#pragma once
// Small drawing routines on a Canvas shared by the sketch and the dimension lines.

#include "geometry/canvas.h"

#include <string>

namespace kvf {

// Draws text at `at` turned by angle degrees about its anchor and returns the
// extent of the turned text's box (width, height). fontHeight -1 keeps the
// canvas font's height; align -1 keeps the canvas text alignment, any other
// value is set and left so. The canvas font is restored.
TPoint DrawRotatedText(Canvas& canvas, TPoint at, const std::string& text, int fontHeight, int align,
                       long double angle);

// A straight line from p1 to p2 when radius is 0, else the arc about centre,
// counter-clockwise on the screen from p2 to p1. Pen and brush are unchanged.
void DrawLineOrArc(Canvas& canvas, TPoint p1, TPoint p2, float radius, TFloatPoint centre);

// Move to p1, line to p2.
void DrawLine(Canvas& canvas, TPoint p1, TPoint p2);

// Restores pen, brush, font, text alignment and origin of a canvas on scope exit.
class CanvasStateGuard {
public:
    explicit CanvasStateGuard(Canvas& canvas);
    ~CanvasStateGuard();
    CanvasStateGuard(const CanvasStateGuard&) = delete;
    CanvasStateGuard& operator=(const CanvasStateGuard&) = delete;

private:
    Canvas& canvas;
    CanvasPen pen;
    CanvasBrush brush;
    CanvasFont font;
    unsigned align;
    TPoint origin;
};

} // namespace kvf
