#include "geometry/constructions.h"

#include "geometry/angle.h"
#include "geometry/measures.h"

#include <cmath>

namespace kvf {

namespace {

long double sinDegrees(long double angle) {
    return std::sin(angle * kRadiansPerDegree);
}
long double cosDegrees(long double angle) {
    return std::cos(angle * kRadiansPerDegree);
}

// The point at distance d from origin in direction phi (degrees).
TFloatPoint pointAtAngle(TFloatPoint origin, long double phi, long double d) {
    return {static_cast<float>(origin.X + d * cosDegrees(phi)),
            static_cast<float>(origin.Y - d * sinDegrees(phi))};
}

long double sign(long double v) {
    return v > 0 ? 1 : v < 0 ? -1 : 0;
}

// sqrt(r^2 - (half)^2), or 0 when the chord is longer than the diameter.
long double perpendicular(long double r, long double half) {
    const long double square = r * r - half * half;
    return square < 0 ? 0 : std::sqrt(square);
}

} // namespace

TFloatPoint RotateFloatPoint(TFloatPoint p, TFloatPoint centre, long double angle) {
    const long double dx = static_cast<long double>(p.X) - centre.X;
    const long double dy = static_cast<long double>(p.Y) - centre.Y;
    const long double s = sinDegrees(angle);
    const long double c = cosDegrees(angle);
    const TFloatPoint turned(static_cast<float>(centre.X + c * dx + s * dy),
                             static_cast<float>(centre.Y - s * dx + c * dy));
    return RoundFloatPoint(turned);
}

TPoint RotatePoint(TPoint p, TPoint centre, long double angle) {
    return FloatToPoint(RotateFloatPoint(p, centre, angle));
}

TFloatPoint FloatPointToward(TFloatPoint a, TFloatPoint b, long double d) {
    return pointAtAngle(a, PointAngle(a, b), d);
}

TPoint PointToward(TPoint a, TPoint b, long double d) {
    return FloatToPoint(FloatPointToward(a, b, d));
}

TFloatPoint FloatPolarPoint(TFloatPoint origin, TFloatPoint a, TFloatPoint b, long double offset,
                            long double d) {
    long double phi = PointAngle(a, b) + offset;
    while (phi < 0) {
        phi += 360;
    }
    while (phi >= 360) {
        phi -= 360;
    }
    return pointAtAngle(origin, phi, d);
}

TPoint PolarPoint(TPoint origin, TPoint a, TPoint b, long double offset, long double d) {
    return FloatToPoint(FloatPolarPoint(origin, a, b, offset, d));
}

TFloatPoint FloatArcCenter(TFloatPoint a, TFloatPoint b, long double radius) {
    if (radius == 0) {
        return {};
    }
    const long double dx = static_cast<long double>(b.X) - a.X;
    const long double dy = static_cast<long double>(b.Y) - a.Y;
    long double ox = 0;
    long double oy = 0;
    if (dx == 0 && dy == 0) {
        ox = radius > 0 ? -radius : 0;
    } else if (dy == 0) {
        ox = -dx / 2;
        oy = sign(dx) * perpendicular(radius, dx / 2);
    } else if (dx == 0) {
        ox = -sign(dy) * perpendicular(radius, dy / 2);
        oy = -dy / 2;
    } else {
        const long double half = std::sqrt(dx * dx + dy * dy) / 2;
        if (half > std::fabs(radius)) {
            // No arc of this radius spans the chord: the centre falls back to the
            // chord's middle, as on an axis-parallel chord.
            ox = -dx / 2;
            oy = -dy / 2;
        } else {
            const long double beta = std::asin(half / radius) * kDegreesPerRadian;
            const long double adx = std::fabs(dx);
            const long double ady = std::fabs(dy);
            long double alpha;
            switch (PointDirection(a, b)) {
            case 1:
                alpha = std::atan(ady / adx) * kDegreesPerRadian;
                ox = radius * sinDegrees(alpha - beta);
                oy = radius * cosDegrees(alpha - beta);
                break;
            case 3:
                alpha = std::atan(adx / ady) * kDegreesPerRadian;
                ox = -radius * cosDegrees(alpha - beta);
                oy = radius * sinDegrees(alpha - beta);
                break;
            case 5:
                alpha = std::atan(ady / adx) * kDegreesPerRadian;
                ox = -radius * sinDegrees(alpha - beta);
                oy = -radius * cosDegrees(alpha - beta);
                break;
            default: // 7: up left
                alpha = std::atan(adx / ady) * kDegreesPerRadian;
                ox = radius * cosDegrees(alpha - beta);
                oy = -radius * sinDegrees(alpha - beta);
                break;
            }
        }
    }
    return {static_cast<float>(b.X + ox), static_cast<float>(b.Y + oy)};
}

TFloatPoint ArcCenter(TPoint a, TPoint b, long double radius) {
    return RoundFloatPoint(FloatArcCenter(a, b, radius));
}

} // namespace kvf
