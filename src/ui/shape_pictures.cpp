#include "ui/shape_pictures.h"

#include "model/construction.h"
#include "model/shape.h"
#include "qt/sketch_output.h"

namespace kvf {

QPixmap ShapePicture(int index) {
    // Sample sizes in millimetres that show each figure in a square picture.
    TkvfShapeSizes sizes;
    sizes.B = 800;
    sizes.H = 1000;
    sizes.Shape = static_cast<std::uint8_t>(index);
    switch (index) {
    case 1:
    case 2:
        sizes.B = 1000;
        sizes.X = 500;
        sizes.Y = 500;
        break;
    case 3:
    case 4:
        sizes.X = 500;
        break;
    case 7:
        sizes.X = 400;
        sizes.R1 = sizes.R2 = 400;
        break;
    default:
        break;
    }
    TkvfConstruction sample(nullptr);
    sample.ConstrType = ShapeConstrType(index);
    sample.SetShape(sizes, 0);
    return QPixmap::fromImage(RenderSketchImage(sample, QSize(ShapePictureSize, ShapePictureSize), 0));
}

} // namespace kvf
