#include "model/file_version_check.h"

#include "base/prompter.h"
#include "base/version_date.h"

namespace kvf {

namespace {

// The pattern with its two "%s" replaced by a and b.
std::string format2(const char* pattern, const std::string& a, const std::string& b) {
    std::string out;
    int n = 0;
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            out += n++ == 0 ? a : b;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

} // namespace

bool CheckFileVersion(const std::string& version, const std::string& current, const FileVersionTexts& texts,
                      bool& converted, Prompter& prompter) {
    if (version == current)
        return true;
    if (VersionOlder(version, current)) {
        if (!prompter.Confirm(format2(texts.Convert, version, current)))
            return false;
        converted = true;
        return true;
    }
    prompter.Warning(format2(texts.Newer, current, version));
    return false;
}

} // namespace kvf
