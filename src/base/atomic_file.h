#pragma once
// Whole-file reads and crash-safe writes.

#include <string>
#include <string_view>

namespace kvf {

// Writes the bytes to a temporary file in the target's folder, flushes it to
// disk and renames it over the target, so an existing file is either the old
// image or the new one, never a partial one. On failure the temporary file is
// removed, the old file is untouched and KvfError names the file. Through a
// symbolic link the link's target is written and the link stays.
void WriteFileAtomic(const std::string& path, std::string_view bytes);

// The whole file; KvfError naming the file when it cannot be read.
std::string ReadFileBytes(const std::string& path);

} // namespace kvf
