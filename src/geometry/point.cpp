#include "geometry/point.h"

#include "base/error.h"
#include "base/rounding.h"

#include <ostream>
#include <string>

namespace kvf {

std::ostream& operator<<(std::ostream& os, const TPoint& p) {
    return os << '(' << p.X << ", " << p.Y << ')';
}

std::ostream& operator<<(std::ostream& os, const TFloatPoint& p) {
    return os << '(' << p.X << ", " << p.Y << ')';
}

float DivRound1(long double a, long double b) {
    return static_cast<float>(RoundTo1(a / b));
}

TFloatPoint ScaleFloatPoint(TFloatPoint p, long double k) {
    return {DivRound1(p.X, k), DivRound1(p.Y, k)};
}

std::int32_t DivRound(long double a, long double b) {
    return RoundAway(a / b);
}

TPoint ScalePoint(TPoint p, long double k) {
    return {DivRound(p.X, k), DivRound(p.Y, k)};
}

void ClearFloatPoint(TFloatPoint& p) {
    p = TFloatPoint();
}

void SetFloatPoint(TFloatPoint& p, float x, float y) {
    p = TFloatPoint(x, y);
}

TPoint FloatToPoint(TFloatPoint p) {
    return {RoundAway(p.X), RoundAway(p.Y)};
}

TFloatPoint RoundFloatPoint(TFloatPoint p) {
    return {static_cast<float>(RoundTo4(p.X)), static_cast<float>(RoundTo4(p.Y))};
}

TPoint FloatToPointUp(TFloatPoint p) {
    return {RoundUp(p.X), RoundUp(p.Y)};
}

TPoint FloatToPointDown(TFloatPoint p) {
    return {RoundDown(p.X), RoundDown(p.Y)};
}

TFloatPoint PointToFloat(TPoint p) {
    return TFloatPoint(p);
}

TPoint AddPoints(TPoint a, TPoint b) {
    TPoint sum;
    if (__builtin_add_overflow(a.X, b.X, &sum.X) || __builtin_add_overflow(a.Y, b.Y, &sum.Y)) {
        throw KvfError("Целочисленное переполнение: (" + std::to_string(a.X) + ", " + std::to_string(a.Y) +
                       ") + (" + std::to_string(b.X) + ", " + std::to_string(b.Y) + ")");
    }
    return sum;
}

TFloatPoint AddPointsToFloat(TPoint a, TPoint b) {
    return PointToFloat(AddPoints(a, b));
}

} // namespace kvf
