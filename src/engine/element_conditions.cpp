#include "engine/element_conditions.h"

namespace kvf {

bool WithinRowRange(double min, double max, double value) {
    if (max > 0 && max < value)
        return false;
    return !(value < min);
}

bool ArcMaskAllows(int type, ArcKind kind) {
    if (type == 0)
        return true;
    if (type & 1)
        return kind != ArcKind::Straight;
    switch (kind) {
    case ArcKind::Semicircle:
        return (type & 2) != 0;
    case ArcKind::Segment:
        return (type & 4) != 0;
    case ArcKind::Elliptic:
        return (type & 8) != 0;
    case ArcKind::Straight:
        break;
    }
    return false;
}

bool RadiusGroupActive(int min, int max, int type) {
    return !(min == 0 && max == 0 && type < 2);
}

bool StulpMaskAllows(int mask, int t) {
    if (mask == 0 || (mask & 1))
        return true;
    // A type outside the mask's bits can never be contained (and must not shift out of range).
    if (t < 0 || t > 30)
        return false;
    return (mask & (1 << t)) != 0;
}

} // namespace kvf
