#pragma once
// The text of a settings file as it comes from the disk: Windows-1251, or
// UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark dropped).
// Windows-1251 text with letters above 0x7F is practically never valid UTF-8.

#include <string>
#include <string_view>

namespace kvf {

bool IsValidUtf8(std::string_view bytes);

// The file's text in UTF-8.
std::string DecodeFileText(std::string_view bytes);

} // namespace kvf
