#pragma once
// Canvas: the drawing device every sketch, dimension line and report page is
// drawn on. Coordinates are device pixels; the origin offset is added to every
// point passed in (it plays the part of the viewport origin of a mapping mode
// with 1:1 extents). QtCanvas draws with QPainter, RecordingCanvas records.

#include "geometry/point.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kvf {

// 0xRRGGBB.
using CanvasColor = std::uint32_t;

enum class PenStyle { Solid, Dash, Dot, DashDot, Clear };
enum class BrushStyle { Solid, Clear };

struct CanvasPen {
    CanvasColor Color = 0x000000;
    int Width = 1;
    PenStyle Style = PenStyle::Solid;

    friend bool operator==(const CanvasPen&, const CanvasPen&) = default;
};

struct CanvasBrush {
    CanvasColor Color = 0xFFFFFF;
    BrushStyle Style = BrushStyle::Solid;

    friend bool operator==(const CanvasBrush&, const CanvasBrush&) = default;
};

struct CanvasFont {
    std::string Name = "DejaVu Sans";
    // Character height in device pixels.
    int Height = 13;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    CanvasColor Color = 0x000000;
    // Text direction in tenths of a degree, counter-clockwise on the screen;
    // text turns about its anchor point.
    int Escapement = 0;

    friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

// Text alignment flags: one horizontal and one vertical flag or-ed together.
// The anchor passed to TextOut is the named point of the text's box.
namespace TextAlign {
constexpr unsigned Left = 0;
constexpr unsigned Right = 2;
constexpr unsigned Center = 6;
constexpr unsigned Top = 0;
constexpr unsigned Bottom = 8;
constexpr unsigned Baseline = 24;
constexpr unsigned HorizontalMask = 6;
constexpr unsigned VerticalMask = 24;
} // namespace TextAlign

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual CanvasPen GetPen() const = 0;
    virtual void SetPen(const CanvasPen& pen) = 0;
    virtual CanvasBrush GetBrush() const = 0;
    virtual void SetBrush(const CanvasBrush& brush) = 0;
    virtual CanvasFont GetFont() const = 0;
    virtual void SetFont(const CanvasFont& font) = 0;
    virtual unsigned GetTextAlign() const = 0;
    virtual void SetTextAlign(unsigned flags) = 0;

    // Offset added to every point before it reaches the device.
    virtual TPoint GetOrigin() const = 0;
    virtual void SetOrigin(TPoint origin) = 0;

    // The pen position for LineTo.
    virtual TPoint GetPenPos() const = 0;
    virtual void MoveTo(TPoint p) = 0;
    // A line from the pen position to p with the pen; p becomes the pen position.
    virtual void LineTo(TPoint p) = 0;
    // Connected lines through the points, not closed, not filled.
    virtual void Polyline(const std::vector<TPoint>& points) = 0;
    // A closed outline drawn with the pen and filled with the brush.
    virtual void Polygon(const std::vector<TPoint>& points) = 0;
    // The rectangle from topLeft to bottomRight (exclusive), outlined and filled.
    virtual void Rectangle(TPoint topLeft, TPoint bottomRight) = 0;
    // The ellipse inscribed in the box, outlined and filled.
    virtual void Ellipse(TPoint topLeft, TPoint bottomRight) = 0;
    // The arc of the ellipse inscribed in the box, counter-clockwise on the screen
    // from the ray (box centre -> start) to the ray (box centre -> end); equal rays
    // give the whole ellipse. Pen only, nothing filled.
    virtual void Arc(TPoint topLeft, TPoint bottomRight, TPoint start, TPoint end) = 0;

    // Text with the font (its escapement included), anchored at p by the text
    // alignment flags; a solid brush paints the background of the text box.
    virtual void TextOut(TPoint p, const std::string& text) = 0;
    // Width and height of the unrotated text in the current font.
    virtual TPoint TextExtent(const std::string& text) = 0;
};

} // namespace kvf
