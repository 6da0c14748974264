#pragma once
// File format versions are texts "dd.mm.yyyy" ordered by the key
// yyyy x 365 + mm x 31 + dd. The key is an ordering, not a calendar date:
// "01.01.2020" has a smaller key than "26.12.2019".

#include <string_view>

namespace kvf {

// Splits at ".", trims each token and reads the first three as d, m, y.
// A missing or non-integer token raises KvfError naming the text.
long VersionKey(std::string_view version);
bool VersionOlder(std::string_view a, std::string_view b);
bool VersionAtLeast(std::string_view a, std::string_view b);

} // namespace kvf
