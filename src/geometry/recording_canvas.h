#pragma once
// RecordingCanvas: a Canvas for tests. Every drawing call becomes one readable
// line in device coordinates (origin applied), with the state it was drawn in:
//   line 10,20 -> 30,40 pen=#000000/1
//   arc box=0,0..100,100 from=100,50 to=0,50 pen=#000000/3
//   polyline 0,0 10,0 10,10 pen=#000000/1
//   polygon 0,0 10,0 10,10 pen=#000000/1 brush=#ffffff
//   rect 0,0..10,10 pen=#000000/1 brush=clear
//   ellipse 0,0..10,10 pen=#000000/1 brush=#ffffff
//   text "1000" at 260,525 align=14 font=DejaVu Sans/13 esc=0
// Text is measured with fixed metrics: each character (code point) is
// CharWidth(height) wide and the text is `height` high.

#include "geometry/canvas.h"

#include <string>
#include <vector>

namespace kvf {

class RecordingCanvas : public Canvas {
public:
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

    void MoveTo(TPoint p) override;
    void LineTo(TPoint p) override;
    void Polyline(const std::vector<TPoint>& points) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void Rectangle(TPoint topLeft, TPoint bottomRight) override;
    void Ellipse(TPoint topLeft, TPoint bottomRight) override;
    void Arc(TPoint topLeft, TPoint bottomRight, TPoint start, TPoint end) override;
    void TextOut(TPoint p, const std::string& text) override;
    TPoint TextExtent(const std::string& text) override;

    static int CharWidth(int fontHeight) { return (fontHeight + 1) / 2; }

    const std::vector<std::string>& Records() const { return records; }
    // The records whose first word is `kind` ("line", "arc", "text", ...).
    std::vector<std::string> RecordsOf(const std::string& kind) const;
    // Every record on its own line, for failure messages.
    std::string Dump() const;
    void Clear() { records.clear(); }

private:
    TPoint device(TPoint p) const;
    std::string penText() const;
    std::string brushText() const;

    CanvasPen pen;
    CanvasBrush brush;
    CanvasFont font;
    unsigned align = 0;
    TPoint origin;
    TPoint penPos;
    std::vector<std::string> records;
};

} // namespace kvf
