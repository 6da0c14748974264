#pragma once
// Points constructed from others: rotations, points at a distance, arc centres.

#include "geometry/point.h"

namespace kvf {

// p turned about centre by angle degrees (positive: counter-clockwise on the
// screen), through RoundFloatPoint.
TFloatPoint RotateFloatPoint(TFloatPoint p, TFloatPoint centre, long double angle);
// The same for integer points, through FloatToPoint.
TPoint RotatePoint(TPoint p, TPoint centre, long double angle);

// The point at distance d from a towards b (towards angle 0 when a = b).
TFloatPoint FloatPointToward(TFloatPoint a, TFloatPoint b, long double d);
TPoint PointToward(TPoint a, TPoint b, long double d);

// The point at distance d from origin in the direction PointAngle(a, b) + offset.
TFloatPoint FloatPolarPoint(TFloatPoint origin, TFloatPoint a, TFloatPoint b, long double offset,
                            long double d);
TPoint PolarPoint(TPoint origin, TPoint a, TPoint b, long double offset, long double d);

// Centre of the arc of the signed radius through a and b; (0, 0) for radius 0.
// On an oblique chord the sign picks the side of the chord; on an axis-parallel
// chord the centre lies below a left-to-right chord, left of a downward one.
TFloatPoint FloatArcCenter(TFloatPoint a, TFloatPoint b, long double radius);
// The same for integer end points, through RoundFloatPoint.
TFloatPoint ArcCenter(TPoint a, TPoint b, long double radius);

} // namespace kvf
