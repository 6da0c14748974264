#pragma once
// The outline of a position as the position dialog asks for it: one of eight
// shapes with its sizes.

#include <cstdint>

namespace kvf {

// Shape indices: 0 rectangle; 1 and 2 a pair of rectangles (X and Y are the two
// widths); 3, 4 trapezium with the left or right side X lower; 5, 6 triangle
// with the apex at the top right or top left; 7 arch rising X above its sides.
// Any other index builds the rectangle.

// Sizes in tenths of a millimetre, as a sash builds its outline from them.
struct TkvfShapeRecord {
    std::int32_t B = 0;
    std::int32_t H = 0;
    std::uint8_t Shape = 0;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    float R1 = 0;
    float R2 = 0;
};

// Sizes in millimetres, as the position dialog fills them. X keeps its decimal
// for the arch rise.
struct TkvfShapeSizes {
    double B = 0;
    double H = 0;
    std::uint8_t Shape = 0;
    double X = 0;
    double Y = 0;
    float R1 = 0;
    float R2 = 0;
};

// ConstrType of the position a shape index builds: 1 for shape 1 (a pair, the
// right sash main), 0 for shape 2 (a pair, the left sash main), 2 (a single
// sash) for every other index.
std::uint8_t ShapeConstrType(int shape);

} // namespace kvf
