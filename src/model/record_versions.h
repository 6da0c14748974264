#pragma once
// Version dates of the order file format that the position and sash records
// test when they are read (compared with VersionOlder / VersionAtLeast).

namespace kvf {

// The layout every writer produces; snapshots of positions are loaded with it too.
inline constexpr const char* kCurrentOrderVersion = "26.12.2019";
// From this version on a position has no two obsolete texts after its colour.
inline constexpr const char* kVersionNoObsoleteTexts = "10.12.2009";
// From this version on each sash stores its own backset instead of its position.
inline constexpr const char* kVersionSashDorn = "23.07.2019";

} // namespace kvf
