#pragma once
// QtCanvas: the Canvas on a QPainter, for the screen, PNG images, PDF files and
// printers. Coordinates are the painter's logical pixels plus the canvas origin.

#include "geometry/canvas.h"

#include <QFont>

class QPainter;

namespace kvf {

class QtCanvas : public Canvas {
public:
    // The painter must stay active for the canvas's lifetime.
    explicit QtCanvas(QPainter& painter);

    CanvasPen GetPen() const override { return pen; }
    void SetPen(const CanvasPen& value) override { pen = value; }
    CanvasBrush GetBrush() const override { return brush; }
    void SetBrush(const CanvasBrush& value) override { brush = value; }
    CanvasFont GetFont() const override { return font; }
    void SetFont(const CanvasFont& value) override { font = value; }
    unsigned GetTextAlign() const override { return align; }
    void SetTextAlign(unsigned flags) override { align = flags; }
    TPoint GetOrigin() const override { return origin; }
    void SetOrigin(TPoint value) override { origin = value; }
    TPoint GetPenPos() const override { return penPos; }

    void MoveTo(TPoint p) override { penPos = p; }
    void LineTo(TPoint p) override;
    void Polyline(const std::vector<TPoint>& points) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void Rectangle(TPoint topLeft, TPoint bottomRight) override;
    void Ellipse(TPoint topLeft, TPoint bottomRight) override;
    void Arc(TPoint topLeft, TPoint bottomRight, TPoint start, TPoint end) override;
    void TextOut(TPoint p, const std::string& text) override;
    TPoint TextExtent(const std::string& text) override;

    // The Qt font of a canvas font (pixel size = Height).
    static QFont ToQFont(const CanvasFont& font);

private:
    void applyPen(bool withBrush);

    QPainter& painter;
    CanvasPen pen;
    CanvasBrush brush;
    CanvasFont font;
    unsigned align = 0;
    TPoint origin;
    TPoint penPos;
};

} // namespace kvf
