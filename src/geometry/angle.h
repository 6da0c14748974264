#pragma once
// Degree and radian constants of the plane helpers.

namespace kvf {

inline constexpr long double kPi = 3.14159265358979323846264338327950288L;
inline constexpr long double kDegreesPerRadian = 57.295779513082320877L;
inline constexpr long double kRadiansPerDegree = kPi / 180;

} // namespace kvf
