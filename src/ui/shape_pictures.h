#pragma once
// The pictures of the eight outline shapes the position dialog offers, drawn
// with the sketch code from a sample position of each shape.

#include <QPixmap>

namespace kvf {

inline constexpr int ShapeCount = 8;
inline constexpr int ShapePictureSize = 86;

// The picture of shape `index` (0..7), 86 x 86 pixels.
QPixmap ShapePicture(int index);

} // namespace kvf
