#pragma once
// The conditions of one element row of a complect, as pure tests over numbers:
// ranges with an open upper bound, the arc-kind mask of a side and the
// double-sash type mask.

namespace kvf {

// Whether a value lies in [min, max] of an element row; a max of 0 (or less)
// leaves the range open upwards.
bool WithinRowRange(double min, double max, double value);

enum class ArcKind { Straight, Semicircle, Segment, Elliptic };

// Whether an arc-kind mask of an element row (FFR1Type/FFR2Type) accepts a
// side. 0 accepts every side; a mask containing 1 accepts any arc and refuses
// a straight side; any other mask accepts exactly the kinds of its bits
// 2 (semicircle), 4 (circular arc that is not a semicircle) and 8 (elliptic).
bool ArcMaskAllows(int type, ArcKind kind);

// Whether a radius group of an element row is evaluated at all: not when both
// bounds are 0 and the type is below 2.
bool RadiusGroupActive(int min, int max, int type);

// Whether a double-sash mask (StulpType of an element row) accepts the sash's
// double-sash type t: 0 and masks containing 1 accept every type, any other
// mask must contain 2 to the power t.
bool StulpMaskAllows(int mask, int t);

} // namespace kvf
