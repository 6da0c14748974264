#pragma once
// Positions and sash fittings built in memory for the drawing tests (also
// used by the Qt sketch output test).

#include "model/construction.h"
#include "model/furn_comp.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace kvf {

// A position of the given shape and sizes. A pair (shape 1) is split by its
// construction type, so `pairType` is set before the shape is.
inline std::unique_ptr<TkvfConstruction> position(double b, double h, int shape, double x = 0, double y = 0,
                                                  float r = 0, std::uint8_t pairType = 1) {
    auto construction = std::make_unique<TkvfConstruction>(nullptr);
    if (shape == 1) {
        construction->ConstrType = pairType;
    }
    TkvfShapeSizes sizes;
    sizes.B = b;
    sizes.H = h;
    sizes.Shape = static_cast<std::uint8_t>(shape);
    sizes.X = x;
    sizes.Y = y;
    sizes.R1 = r;
    sizes.R2 = r;
    construction->SetShape(sizes, 0);
    return construction;
}

// Gives the sash a composition with the complect image code and opening side
// `opening` turning towards side `rotSide` (indices of Lines; -1 for none).
inline void fit(TkvfFlugel& flugel, int image, int opening = -1, int rotSide = -1) {
    flugel.FurnComp = std::make_unique<TkvfFurnComp>(&flugel);
    flugel.FurnComp->ComplectImage = image;
    if (opening >= 0) {
        flugel.Lines[static_cast<std::size_t>(opening)]->Opening = true;
        flugel.Lines[static_cast<std::size_t>(opening)]->RotSideIndex = rotSide;
    }
}

} // namespace kvf
