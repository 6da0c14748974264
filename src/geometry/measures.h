#pragma once
// Distances, angles and predicates of the plane helpers.
// Angles are degrees, counter-clockwise as seen on the screen (Y grows downwards):
// a point straight above another lies at 90, one straight below at 270.

#include "geometry/point.h"

namespace kvf {

bool SamePoint(TPoint a, TPoint b);
bool SamePoint(TFloatPoint a, TFloatPoint b);
TFloatPoint FloatMidPoint(TFloatPoint a, TFloatPoint b);
// FloatToPoint of the float midpoint.
TPoint MidPoint(TPoint a, TPoint b);

long double FloatPointDistance(TFloatPoint a, TFloatPoint b);
long double PointDistance(TPoint a, TPoint b);

// Sagitta of an arc over a chord; 0 when there is no such arc. Rounded to 8 decimals.
long double ArcHeight(long double chord, long double radius);
// Radius of the arc of a chord and a height; 0 unless both are positive. Rounded to 8 decimals.
long double ArcRadius(long double chord, long double height);

// Direction codes 0..8: 1 up right, 2 right, 3 down right, 4 down, 5 down left,
// 6 left, 7 up left, 8 up, 0 none.
int PointDirection(TFloatPoint a, TFloatPoint b);
int AngleDirection(long double angle);

// Direction of the vector a->b in [0, 360); 0 for a = b.
long double PointAngle(TFloatPoint a, TFloatPoint b);

// Angle at b of the path a->b->c: 180 straight on, 270 after a left turn by 90,
// 90 after a right turn by 90; -1 when a = b or b = c.
long double CornerAngle(TFloatPoint a, TFloatPoint b, TFloatPoint c);
// Corner angle where the edge before (radius rBefore, centre nBefore) and the
// edge after (rAfter, nAfter) may be arcs.
long double ArcCornerAngle(TFloatPoint a, TFloatPoint b, TFloatPoint c, long double rBefore,
                           long double rAfter, TFloatPoint nBefore, TFloatPoint nAfter);

// True when p lies (within 0.5) on the arc of the signed radius about centre,
// on the side of the chord a->b that the radius's sign selects.
bool PointOnArc(TFloatPoint a, TFloatPoint b, TFloatPoint centre, TFloatPoint p, long double radius);

} // namespace kvf
