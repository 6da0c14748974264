#pragma once
// Fixed-column text for the supplier order files. Columns are counted in
// Windows-1251 bytes, one byte a character, so every helper works on the
// byte image of the text.

#include <string>
#include <string_view>

namespace kvf {

// The Windows-1251 image of `text`; a character the code page cannot hold
// raises KvfError naming `what` and the characters, never a silent "?".
std::string ToAnsiExact(std::string_view text, std::string_view what);

// `ansi` trimmed, padded with blanks on the right and cut to `width`.
std::string LeftColumn(std::string_view ansi, size_t width);
// `ansi` trimmed, padded with blanks on the left; of a longer text the
// rightmost `width` characters are kept.
std::string RightColumn(std::string_view ansi, size_t width);

// `width` blanks with each text placed at its 1-based column (ANSI bytes).
struct ColumnText {
    size_t Column;
    std::string_view Utf8;
};
std::string PlacedLine(size_t width, std::initializer_list<ColumnText> texts);

} // namespace kvf
