#pragma once
// The version check of the order and selection files, done right after the
// version text has been read.

#include <string>

namespace kvf {

class Prompter;

// The texts of one file kind's questions; each has two "%s".
struct FileVersionTexts {
    const char* Convert; // %s: the file's version, the current version
    const char* Newer;   // %s: the current version, the file's version
};

// The same text as the current version passes. An older version (by VersionKey)
// asks the conversion question: OK sets converted and passes, Cancel refuses. Any
// other version shows the newer-version warning and refuses. A version that is
// not a date raises KvfError.
bool CheckFileVersion(const std::string& version, const std::string& current, const FileVersionTexts& texts,
                      bool& converted, Prompter& prompter);

} // namespace kvf
