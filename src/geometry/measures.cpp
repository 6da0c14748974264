#include "geometry/measures.h"

#include "base/rounding.h"
#include "geometry/angle.h"

#include <algorithm>
#include <cmath>

namespace kvf {

bool SamePoint(TPoint a, TPoint b) {
    return a == b;
}

bool SamePoint(TFloatPoint a, TFloatPoint b) {
    return a == b;
}

TFloatPoint FloatMidPoint(TFloatPoint a, TFloatPoint b) {
    return {static_cast<float>((static_cast<long double>(a.X) + b.X) / 2),
            static_cast<float>((static_cast<long double>(a.Y) + b.Y) / 2)};
}

TPoint MidPoint(TPoint a, TPoint b) {
    return FloatToPoint(FloatMidPoint(a, b));
}

long double FloatPointDistance(TFloatPoint a, TFloatPoint b) {
    const long double dx = static_cast<long double>(b.X) - a.X;
    const long double dy = static_cast<long double>(b.Y) - a.Y;
    return std::sqrt(dx * dx + dy * dy);
}

long double PointDistance(TPoint a, TPoint b) {
    const long double dx = static_cast<long double>(b.X) - a.X;
    const long double dy = static_cast<long double>(b.Y) - a.Y;
    return std::sqrt(dx * dx + dy * dy);
}

long double ArcHeight(long double chord, long double radius) {
    if (chord <= 0) {
        return 0;
    }
    const long double half = chord / 2;
    const long double square = radius * radius - half * half;
    if (square < 0) {
        return 0;
    }
    return RoundToDigits(8, radius - std::sqrt(square));
}

long double ArcRadius(long double chord, long double height) {
    if (!(chord > 0 && height > 0)) {
        return 0;
    }
    const long double half = chord / 2;
    return RoundToDigits(8, (half * half + height * height) / (2 * height));
}

int PointDirection(TFloatPoint a, TFloatPoint b) {
    if (b.X > a.X) {
        return b.Y < a.Y ? 1 : b.Y == a.Y ? 2 : 3;
    }
    if (b.X < a.X) {
        return b.Y > a.Y ? 5 : b.Y == a.Y ? 6 : 7;
    }
    return b.Y > a.Y ? 4 : b.Y < a.Y ? 8 : 0;
}

int AngleDirection(long double angle) {
    if (angle < 0 || angle > 360) {
        return 0;
    }
    if (angle == 0 || angle == 360) {
        return 2;
    }
    if (angle < 90) {
        return 1;
    }
    if (angle == 90) {
        return 8;
    }
    if (angle < 180) {
        return 7;
    }
    if (angle == 180) {
        return 6;
    }
    if (angle < 270) {
        return 5;
    }
    if (angle == 270) {
        return 4;
    }
    return 3;
}

long double PointAngle(TFloatPoint a, TFloatPoint b) {
    const long double dx = static_cast<long double>(b.X) - a.X;
    const long double dy = static_cast<long double>(b.Y) - a.Y;
    if (dx == 0) {
        return dy == 0 ? 0 : dy < 0 ? 90 : 270;
    }
    if (dy == 0) {
        return dx > 0 ? 0 : 180;
    }
    const long double t = std::atan(dy / dx);
    long double radians;
    if (dy > 0) {
        radians = t >= 0 ? 2 * kPi - t : kPi + std::fabs(t);
    } else {
        radians = t >= 0 ? kPi - t : std::fabs(t);
    }
    return radians * kDegreesPerRadian;
}

long double CornerAngle(TFloatPoint a, TFloatPoint b, TFloatPoint c) {
    const long double ux = static_cast<long double>(b.X) - a.X;
    const long double uy = static_cast<long double>(b.Y) - a.Y;
    const long double vx = static_cast<long double>(c.X) - b.X;
    const long double vy = static_cast<long double>(c.Y) - b.Y;
    const long double lengths = std::sqrt(ux * ux + uy * uy) * std::sqrt(vx * vx + vy * vy);
    if (lengths == 0) {
        return -1;
    }
    const long double l = PointAngle(a, b);
    long double m;
    if (l <= 180) {
        m = PointAngle(b, c) - l;
    } else {
        m = 360 - l + PointAngle(b, c);
        if (m > 360) {
            m -= 360;
        }
    }
    // Rounding may push the cosine a hair beyond +-1, where arccos has no value.
    const long double cosine = std::clamp((ux * vx + uy * vy) / lengths, -1.0L, 1.0L);
    const long double theta = std::acos(cosine);
    const long double radians = (m > 0 && m < 180) ? kPi + theta : kPi - theta;
    return radians * kDegreesPerRadian;
}

namespace {

// The share of an arc edge in a corner angle: its chord angle measured against the centre.
long double arcPart(long double t) {
    return t > 180 ? t - 270 : t + 90;
}

} // namespace

long double ArcCornerAngle(TFloatPoint a, TFloatPoint b, TFloatPoint c, long double rBefore,
                           long double rAfter, TFloatPoint nBefore, TFloatPoint nAfter) {
    if (rBefore == 0 && rAfter == 0) {
        return CornerAngle(a, b, c);
    }
    long double before = 0;
    if (rBefore > 0) {
        before = arcPart(CornerAngle(a, b, nBefore));
    }
    long double after = 0;
    if (rAfter > 0) {
        after = arcPart(CornerAngle(nAfter, b, c));
    }
    return before + after;
}

bool PointOnArc(TFloatPoint a, TFloatPoint b, TFloatPoint centre, TFloatPoint p, long double radius) {
    const long double ax = static_cast<long double>(a.X) - centre.X;
    const long double ay = static_cast<long double>(a.Y) - centre.Y;
    const long double bx = static_cast<long double>(b.X) - centre.X;
    const long double by = static_cast<long double>(b.Y) - centre.Y;
    const long double px = static_cast<long double>(p.X) - centre.X;
    const long double py = static_cast<long double>(p.Y) - centre.Y;
    if (std::fabs(std::sqrt(px * px + py * py) - radius) > 0.5L) {
        return false;
    }
    return ((px - ax) * (by - ay) - (py - ay) * (bx - ax)) * radius >= 0;
}

} // namespace kvf
