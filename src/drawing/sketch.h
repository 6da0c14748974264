#pragma once
// The sketch of a position: sash outlines with their straight and arched sides,
// opening lines, the sliding symbol of sliding fittings and the dimension rows,
// scaled to fit a rectangle of a canvas. Everything is drawn through the Canvas;
// the model's top left is mapped onto the sketch by the canvas origin offset.

#include "drawing/size_grid.h"
#include "geometry/canvas.h"

namespace kvf {

class TkvfConstruction;
class TkvfFlugel;
class TkvfLine;

// Draws the construction into the rectangle (left, top)-(right, bottom), fitted
// with its aspect ratio kept and centred in the room the dimension rows leave.
// zoom multiplies the fitted scale (0 means 1). A construction of zero width or
// height, or a rectangle with no room left, draws nothing. The canvas origin,
// pen and brush are restored on every path.
void Draw(Canvas& canvas, const TkvfConstruction& construction, int left, int top, int right, int bottom,
          long double zoom, TSizeOptions options);

// Draws one sash at k tenths of a millimetre per pixel: its sides with the
// current pen, then, when it has fittings, the opening lines and the sliding symbol.
void Draw(Canvas& canvas, const TkvfFlugel& flugel, long double k);

// One side at k tenths of a millimetre per pixel: a line, or an arc drawn
// counter-clockwise on the screen from its end to its start.
void DrawSide(Canvas& canvas, const TkvfLine& line, long double k);

// Two thin lines from the ends of the opening side to the middle of its
// rotation side (the middle of the arc when that side is arched).
void DrawOpeningLines(Canvas& canvas, const TkvfLine& opening, const TkvfLine& rotationSide, long double k);

// The sliding symbol of image code 1..5 (130 mm arrow at the sash's centre);
// any other code draws nothing.
void DrawSlidingSymbol(Canvas& canvas, const TkvfFlugel& flugel, int imageCode, long double k);

} // namespace kvf
