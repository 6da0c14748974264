#pragma once
// TkvfSizing: one row of dimension lines, chains placed side by side on one
// level, and the drawing of its dimensions.

#include "drawing/size_point.h"
#include "geometry/canvas.h"

#include <string>
#include <vector>

namespace kvf {

// The label of a dimension in millimetres: no decimals for a whole number
// ("1000"), one otherwise ("812.5").
std::string DimensionLabel(long double value);

class TkvfSizing {
public:
    // Chains in the order they lie along the row.
    std::vector<TkvfSizePointList> Chains;
    // 0 while a horizontal row is drawn, 90 while a vertical one is.
    double Angle = 0;

    // Every dimension of every chain, `origin` being the row's base point in
    // pixels and `scale` millimetres per pixel.
    void DrawRow(Canvas& canvas, TPoint origin, bool vertical, int rowHeight, long double scale);
    // One dimension between the chain points PA and PB (millimetres): the
    // dimension line and its label centred above it (left of it when vertical).
    void DrawDimension(Canvas& canvas, TPoint origin, int rowHeight, TPoint PA, TPoint PB, long double scale);
    // The dimension line from S1 to S2 (pixels) with extension lines h long and
    // open arrowheads with their tips at S1 and S2, turned by Angle.
    void DrawDimensionLine(Canvas& canvas, TPoint S1, int h, TPoint S2);
};

} // namespace kvf
