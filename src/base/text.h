#pragma once
// Text in memory is UTF-8; at every file and storage boundary it is
// Windows-1251. The conversion maps every one of the 256 bytes, the undefined
// 0x98 to U+0098, so any byte string round-trips.

#include <string>
#include <string_view>
#include <vector>

namespace kvf {

// Windows-1251 bytes -> UTF-8.
std::string FromAnsi(std::string_view ansi);
// UTF-8 -> Windows-1251 bytes; a character with no Windows-1251 byte becomes '?'.
std::string ToAnsi(std::string_view utf8);
// The characters of the text that have no Windows-1251 byte, each once, in the
// order they first appear, separated by blanks; "" when the text converts whole.
std::string NonAnsiCharacters(std::string_view utf8);
// "" when the text converts whole; otherwise the message that refuses it,
// naming the characters: text typed by the user is refused with it instead of
// being stored with '?' in their place.
std::string NonAnsiMessage(std::string_view utf8);

// Upper case of the Windows-1251 alphabet (Latin and Cyrillic), on UTF-8 text.
std::string AnsiUpperCase(std::string_view utf8);
std::string AnsiLowerCase(std::string_view utf8);

// Byte-by-byte comparison of the Windows-1251 images: <0, 0, >0.
int compareAnsi(std::string_view a, std::string_view b);
// The same after Windows-1251 upper case.
int compareAnsiText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// Equal ignoring ASCII case only (names of fields, tables and formula functions).
bool SameAsciiName(std::string_view a, std::string_view b);

// Without leading and trailing characters <= ' ' (blanks and control characters).
std::string Trim(std::string_view s);

// String-list semantics: JoinLines puts CR LF after every line; SplitLines
// splits at CR LF, a lone CR and a lone LF, and a break at the very end ends
// the last line ("a\r\nb\r\n" is two lines, "" none, "\r\n" one empty line).
std::vector<std::string> SplitLines(std::string_view text);
std::string JoinLines(const std::vector<std::string>& lines);

} // namespace kvf
