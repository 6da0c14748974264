#pragma once
// The two point types of the plane helpers and their conversions.
// Arithmetic runs in long double; float points hold single-precision results.

#include <cstdint>
#include <iosfwd>

namespace kvf {

struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;

    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TFloatPoint {
    float X = 0;
    float Y = 0;

    constexpr TFloatPoint() = default;
    constexpr TFloatPoint(float x, float y) : X(x), Y(y) {}
    // Integer points widen silently, so every float helper takes them as well.
    constexpr TFloatPoint(TPoint p) : X(static_cast<float>(p.X)), Y(static_cast<float>(p.Y)) {}

    friend constexpr bool operator==(const TFloatPoint&, const TFloatPoint&) = default;
};

std::ostream& operator<<(std::ostream& os, const TPoint& p);
std::ostream& operator<<(std::ostream& os, const TFloatPoint& p);

// RoundTo1(a / b).
float DivRound1(long double a, long double b);
// (DivRound1(p.X, k), DivRound1(p.Y, k)).
TFloatPoint ScaleFloatPoint(TFloatPoint p, long double k);
// RoundAway(a / b).
std::int32_t DivRound(long double a, long double b);
// (DivRound(p.X, k), DivRound(p.Y, k)).
TPoint ScalePoint(TPoint p, long double k);

void ClearFloatPoint(TFloatPoint& p);
void SetFloatPoint(TFloatPoint& p, float x, float y);

// Each coordinate through RoundAway.
TPoint FloatToPoint(TFloatPoint p);
// Each coordinate through RoundTo4.
TFloatPoint RoundFloatPoint(TFloatPoint p);
// Each coordinate through RoundUp / RoundDown.
TPoint FloatToPointUp(TFloatPoint p);
TPoint FloatToPointDown(TFloatPoint p);
TFloatPoint PointToFloat(TPoint p);

// Integer sum; KvfError when a coordinate leaves the 32-bit range.
TPoint AddPoints(TPoint a, TPoint b);
TFloatPoint AddPointsToFloat(TPoint a, TPoint b);

} // namespace kvf
