#pragma once
// TkvfSizeGrid: the dimension rows around the sketch of a construction.
// Breakpoints of the construction (overall size, each sash's extent, each
// side's ends) are collected into chains, chains are packed into rows so that
// chains of one row never overlap, and the rows are drawn below (horizontal)
// and to the right (vertical) of the sketch, innermost row first.

#include "drawing/sizing.h"
#include "geometry/canvas.h"

#include <vector>

namespace kvf {

class TkvfConstruction;
class TkvfFlugel;

enum TSizeOption : unsigned {
    // The overall width and height of the construction.
    soOverall = 1,
    // A chain for every side of every sash.
    soSegments = 2,
    // Like soSegments, leaving out side ends that lie on the sash's bounding box.
    soInnerOnly = 4,
};
using TSizeOptions = unsigned;
constexpr TSizeOptions soAll = soOverall | soSegments | soInnerOnly;

class TkvfSizeGrid {
public:
    // RowHeight is the height of "0" in the canvas font plus 2.
    explicit TkvfSizeGrid(Canvas& canvas);

    void Build(const TkvfConstruction& construction, TSizeOptions options);
    void Build(const TkvfFlugel& flugel, TSizeOptions options);

    // Put a chain into the first row where it fits between or beside the
    // chains already there (touching ends fit), or into a new outer row; a
    // chain equal to one already in a row is dropped.
    void AddHorz(TkvfSizePointList chain);
    void AddVert(TkvfSizePointList chain);

    int HorzRowsHeight() const { return static_cast<int>(HorzRows.size()) * RowHeight; }
    int VertRowsWidth() const { return static_cast<int>(VertRows.size()) * RowHeight; }

    // Draws every row at `scale` millimetres per pixel, in the sketch's own
    // coordinates (its top left at 0, 0). The brush is restored.
    void Draw(long double scale);

    // Width and height in millimetres of what is dimensioned.
    TPoint Extent;
    Canvas& canvas;
    std::vector<TkvfSizing> HorzRows;
    std::vector<TkvfSizing> VertRows;
    int RowHeight = 0;

private:
    void addFlugel(const TkvfFlugel& flugel, TSizeOptions options);
};

} // namespace kvf
