#pragma once
// The order text file of the TBM ordering program (Windows-1251, CR LF):
//   five heading lines (OrderHeading)
//   a rule of 80 "-", the column captions, the rule
//   per material line 77 characters:
//     producer article 2   16  left, cut
//     catalog name         45  left, cut
//     quantity "%.0f"       7  right, the rightmost 7 kept
//     unit                  9  right, the rightmost 9 kept
//   the rule, 80 blanks, the signature line.

#include "model/matlist_item.h"

#include <string>

namespace kvf {

class CatalogLookups;
struct TExportValues;

// The lines in the material list's order. Errors are raised.
std::string TbmFileImage(const TExportValues& values, TkvfMatList& list, CatalogLookups& catalog);

} // namespace kvf
