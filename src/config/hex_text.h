#pragma once
// The hexadecimal form in which the settings file keeps the FTP account name
// and password: each character as two upper-case hex digits of its
// Windows-1251 code ("abc" -> "616263").

#include <string>
#include <string_view>

namespace kvf {

std::string EncodeHexText(std::string_view utf8);

// Digits are taken in pairs from the left; a last single digit counts as the
// pair "0" + digit; digits may be upper or lower case and any other character
// counts as the digit 0.
std::string DecodeHexText(std::string_view digits);

// The value of a hexadecimal digit of either case; -1 for any other character.
int HexDigitValue(char c);

} // namespace kvf
