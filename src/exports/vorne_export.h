#pragma once
// The order text file of the Vorne ordering system (Windows-1251, CR LF):
//   five heading lines (OrderHeading)
//   a rule of 148 "-", the column captions (148), the rule
//   per material line, sorted by identifier, 145 characters:
//     producer article          16  left, cut
//     catalog name              45  left, cut
//     quantity "%.0f"            7  right, the rightmost characters kept
//     unit                       9  right
//     price without discount    17  right, "%.4f"
//     discount                  17  right, "%.4f"
//     price with discount       17  right, "%.4f"
//     sum                       17  right, "%.4f"
//   the rule, 148 blanks, the signature line (148).

#include "model/matlist_item.h"

#include <string>

namespace kvf {

class CatalogLookups;
struct TExportValues;

// Sorts the list by identifier first. Errors are raised.
std::string VorneFileImage(const TExportValues& values, TkvfMatList& list, CatalogLookups& catalog);

} // namespace kvf
