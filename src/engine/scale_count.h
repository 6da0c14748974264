#pragma once
// The count of an element row scaled by a basis (the rebate width or height,
// or a side length): either by an explicit list of thresholds or by steps.

#include <string>

namespace kvf {

struct ScaleRule {
    std::string ScaleScheme; // thresholds separated by ";"
    int ScaleStep = 0;
    int ScaleStart = 0;
    int ScaleNum = 0;
    int Number = 0;
};

// The number of entries of a scale scheme that read as integers, are not -1
// and are at most v.
int CountSchemeEntries(const std::string& scheme, double v);

// The count N for the basis v. `sideLength` says v is a side length in
// millimetres (its distance from the start is rounded half away from zero
// before the division). A step below 1 without a scheme raises the row's
// message with the complect and element names.
int ScaledCount(const ScaleRule& rule, double v, bool sideLength, const std::string& complectName,
                const std::string& elementName);

} // namespace kvf
