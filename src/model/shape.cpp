#include "model/shape.h"

namespace kvf {

std::uint8_t ShapeConstrType(int shape) {
    if (shape == 1) {
        return 1;
    }
    if (shape == 2) {
        return 0;
    }
    return 2;
}

} // namespace kvf
