#include "base/stored_path.h"

#include "base/text.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace kvf {

namespace {

bool exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

// The entry of the folder whose name equals name ignoring case; the exact name
// wins, then the first in byte order, so the choice does not depend on the disk.
std::string findEntry(const std::string& folder, const std::string& name) {
    if (exists(JoinPath(folder, name)))
        return name;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr)
        return {};
    std::vector<std::string> matches;
    while (const dirent* entry = readdir(dir)) {
        const std::string candidate = entry->d_name;
        if (candidate != "." && candidate != ".." && SameText(candidate, name))
            matches.push_back(candidate);
    }
    closedir(dir);
    if (matches.empty())
        return {};
    return *std::min_element(matches.begin(), matches.end());
}

} // namespace

std::string MakeRelativePath(std::string_view base, std::string_view path) {
    const std::string upperBase = AnsiUpperCase(base) + "\\";
    std::string upperPath = AnsiUpperCase(path);
    if (upperPath.starts_with('%'))
        return upperPath;
    if (upperPath.starts_with(upperBase))
        return "%" + upperPath.substr(upperBase.size());
    return upperPath;
}

std::string ExpandRelativePath(std::string_view base, std::string_view stored) {
    std::string upperStored = AnsiUpperCase(stored);
    if (upperStored.starts_with('%'))
        return AnsiUpperCase(base) + "\\" + upperStored.substr(1);
    return upperStored;
}

std::string ResolveStoredPath(std::string_view windowsForm) {
    std::string path(windowsForm);
    std::replace(path.begin(), path.end(), '\\', '/');

    std::string resolved = path.starts_with('/') ? "/" : "";
    size_t start = resolved.size();
    bool found = true;
    while (start <= path.size()) {
        const size_t slash = std::min(path.find('/', start), path.size());
        const std::string component = path.substr(start, slash - start);
        std::string name = component;
        if (found && !component.empty() && component != "." && component != "..") {
            const std::string entry = findEntry(resolved, component);
            if (entry.empty())
                found = false;
            else
                name = entry;
        }
        resolved += name;
        if (slash < path.size())
            resolved += '/';
        start = slash + 1;
    }
    return resolved;
}

std::string JoinPath(std::string_view a, std::string_view b) {
    if (a.empty())
        return std::string(b);
    if (a.ends_with('/'))
        return std::string(a) + std::string(b);
    return std::string(a) + "/" + std::string(b);
}

} // namespace kvf
