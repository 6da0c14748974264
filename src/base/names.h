#pragma once
// File-name helpers.

#include <string>
#include <string_view>

namespace kvf {

// Every one of \ / : * ? , ; " ` ! ( ) { } [ ] < > | % ' in the name becomes c.
std::string SanitizeFileName(std::string_view name, char c);

// Local time as "yyyymmddhhnnsszzz" (17 digits) followed by a random number
// below 10^(n+1) - 1 written with at least n digits: 17 + n or 18 + n characters.
std::string UniqueName(int n);

} // namespace kvf
