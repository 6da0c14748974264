#include "base/hidden_folder.h"

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/text.h"

#include <filesystem>

namespace kvf {

namespace fs = std::filesystem;

void MarkHidden(const std::string& folder, const std::string& name) {
    const std::string list = folder + "/.hidden";
    try {
        std::string text;
        std::error_code error;
        if (fs::exists(list, error)) {
            text = ReadFileBytes(list);
        }
        for (const std::string& line : SplitLines(text)) {
            if (line == name) {
                return;
            }
        }
        if (!text.empty() && text.back() != '\n') {
            text += '\n';
        }
        WriteFileAtomic(list, text + name + "\n");
    } catch (const KvfError&) {
        // A folder that cannot be hidden is still usable.
    }
}

bool CreateHiddenFolder(const std::string& folder) {
    std::error_code error;
    if (folder.empty() || !fs::create_directories(folder, error)) {
        return false;
    }
    const fs::path path = fs::path(folder).lexically_normal();
    const fs::path name = path.has_filename() ? path.filename() : path.parent_path().filename();
    const fs::path parent = path.has_filename() ? path.parent_path() : path.parent_path().parent_path();
    MarkHidden(parent.string(), name.string());
    return true;
}

} // namespace kvf
