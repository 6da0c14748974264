// kvf shape / kvf eval: build a position from a shape and its sizes in
// millimetres, as the position dialog passes them, and show it or evaluate a
// catalog formula on its left sash.

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/model_json.h"
#include "geometry/measures.h"
#include "model/construction.h"
#include "model/shape.h"

#include <charconv>
#include <cstdint>
#include <ostream>

namespace kvf::cli {

namespace {

// Reads the shape options. An option left out takes the start value the
// position dialog gives it for the shape; an arch radius below half the width
// is raised to it (a half circle), as the dialog does on OK.
void buildFromOptions(const Args& args, TkvfConstruction& construction) {
    const std::optional<long long> shape = args.IntOption("shape");
    const std::optional<double> width = args.NumberOption("width");
    const std::optional<double> height = args.NumberOption("height");
    if (!shape || !width || !height) {
        throw UsageError{"--shape, --width and --height are required"};
    }
    if (*shape < 0 || *shape > 7) {
        throw UsageError{"--shape wants a shape index from 0 to 7"};
    }
    std::optional<double> x = args.NumberOption("x");
    std::optional<double> y = args.NumberOption("y");
    std::optional<double> radius = args.NumberOption("radius");
    const long long dorn = args.IntOption("dorn").value_or(0);
    if (dorn < INT32_MIN || dorn > INT32_MAX) {
        throw UsageError{"--dorn is out of range"};
    }

    switch (*shape) {
    case 1:
    case 2:
        if (!x) {
            x = static_cast<double>(static_cast<long long>(*width) / 2);
        }
        if (!y) {
            y = *width - *x;
        }
        break;
    case 3:
    case 4:
        if (!x) {
            x = static_cast<double>(static_cast<long long>(*height) / 2);
        }
        break;
    case 7:
        if (x && *x > *width / 2) {
            x = *width / 2;
        }
        if (!radius) {
            radius = x ? static_cast<double>(ArcRadius(*width, *x)) : *width / 2;
        }
        if (*radius < *width / 2) {
            radius = *width / 2;
            x.reset();
        }
        if (!x) {
            x = static_cast<double>(ArcHeight(*width, *radius));
        }
        break;
    default:
        break;
    }

    TkvfShapeSizes sizes;
    sizes.B = *width;
    sizes.H = *height;
    sizes.Shape = static_cast<std::uint8_t>(*shape);
    sizes.X = x.value_or(0);
    sizes.Y = y.value_or(0);
    sizes.R1 = static_cast<float>(radius.value_or(0));
    sizes.R2 = sizes.R1;
    construction.ConstrType = ShapeConstrType(static_cast<int>(*shape));
    construction.SetShape(sizes, static_cast<std::int32_t>(dorn));
}

} // namespace

void BuildShapePosition(const Args& args, TkvfConstruction& construction) {
    buildFromOptions(args, construction);
}

int RunShape(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
    const Args args(words, {});
    if (!args.Positional().empty()) {
        throw UsageError{"unexpected argument \"" + args.Positional()[0] + "\""};
    }
    TkvfConstruction construction(nullptr);
    buildFromOptions(args, construction);
    out << ConstructionToJson(construction).dump() << "\n";
    return 0;
}

int RunEval(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
    const Args args(words, {});
    if (args.Positional().size() > 1) {
        throw UsageError{"give the formula as one argument"};
    }
    const std::string& formula = args.At(0, "FORMULA");
    TkvfConstruction construction(nullptr);
    buildFromOptions(args, construction);
    const double value = construction.LeftFlugel.Evaluate(formula);
    char text[32];
    const auto result = std::to_chars(text, text + sizeof(text), value);
    out << std::string(text, result.ptr) << "\n";
    return 0;
}

} // namespace kvf::cli
