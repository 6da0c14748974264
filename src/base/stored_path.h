#pragma once
// The stored form of a path: under a base folder it is "%" followed by the
// rest of the path, otherwise the path itself; both upper-cased (Windows-1251
// upper case) with "\" separators, so files written by the Windows program stay
// valid. On disk, paths use "/" and are resolved case-insensitively.

#include <string>
#include <string_view>

namespace kvf {

// Upper-cases both; a path starting with "%" is returned as it is (upper case);
// a path starting with base + "\" becomes "%" + the rest; any other path upper-cased.
std::string MakeRelativePath(std::string_view base, std::string_view path);
// Upper-cases both; "%rest" becomes base + "\" + rest; anything else is returned upper-cased.
std::string ExpandRelativePath(std::string_view base, std::string_view stored);

// Turns "\" into "/" and matches each component case-insensitively (Windows-1251
// upper case) against the disk; a component that does not exist is kept as written,
// and so is everything after it.
std::string ResolveStoredPath(std::string_view windowsForm);

// a + "/" + b, without doubling a "/" at the end of a; b alone when a is empty.
std::string JoinPath(std::string_view a, std::string_view b);

} // namespace kvf
