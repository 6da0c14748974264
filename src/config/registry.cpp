#include "config/registry.h"

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/system_error_text.h"
#include "base/text.h"
#include "config/reg_file.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace kvf {

namespace {

const std::string root = "HKEY_CURRENT_USER";

// "\A\\B\" -> "A\B".
std::string normalKey(const std::string& key) {
    std::string out;
    size_t pos = 0;
    while (pos <= key.size()) {
        size_t next = key.find('\\', pos);
        if (next == std::string::npos) {
            next = key.size();
        }
        if (next > pos) {
            if (!out.empty()) {
                out += '\\';
            }
            out += key.substr(pos, next - pos);
        }
        pos = next + 1;
    }
    return out;
}

std::string fullPath(const std::string& key) {
    return key.empty() ? root : root + "\\" + key;
}

bool underKey(std::string_view path, std::string_view key) {
    if (path.size() < key.size() || !SameText(path.substr(0, key.size()), key)) {
        return false;
    }
    return path.size() == key.size() || path[key.size()] == '\\';
}

std::string parentOf(const std::string& path) {
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

[[noreturn]] void wrongType(const std::string& name) {
    throw KvfError("Неверный тип данных для '" + name + "'");
}

} // namespace

struct Registry::Image {
    std::vector<RegKeySection> sections;

    bool keyExists(const std::string& path) const {
        return std::any_of(sections.begin(), sections.end(),
                           [&](const RegKeySection& s) { return underKey(s.Path, path); });
    }

    RegKeySection* find(const std::string& path) {
        auto found = std::find_if(sections.begin(), sections.end(),
                                  [&](const RegKeySection& s) { return SameText(s.Path, path); });
        return found == sections.end() ? nullptr : &*found;
    }

    const RegValue* value(const std::string& path, const std::string& name) const {
        for (const RegKeySection& section : sections) {
            if (SameText(section.Path, path)) {
                for (const RegValue& v : section.Values) {
                    if (SameText(v.Name, name)) {
                        return &v;
                    }
                }
            }
        }
        return nullptr;
    }

    // The key's own section, made when missing: placed before its first
    // subkey, or else after the last section of the nearest existing
    // ancestor's subtree, so the file stays in tree order.
    RegKeySection& section(const std::string& path) {
        if (RegKeySection* existing = find(path)) {
            return *existing;
        }
        auto position = std::find_if(sections.begin(), sections.end(),
                                     [&](const RegKeySection& s) { return underKey(s.Path, path); });
        if (position != sections.end()) {
            return *sections.insert(position, RegKeySection{path, {}});
        }
        for (std::string ancestor = parentOf(path); !ancestor.empty(); ancestor = parentOf(ancestor)) {
            auto last = std::find_if(sections.rbegin(), sections.rend(),
                                     [&](const RegKeySection& s) { return underKey(s.Path, ancestor); });
            if (last != sections.rend()) {
                position = last.base();
                break;
            }
        }
        return *sections.insert(position, RegKeySection{path, {}});
    }
};

Registry::Registry(std::string fileName) : fileName_(std::move(fileName)) {}

std::string Registry::DefaultFileName() {
    if (const char* path = std::getenv("KORVENA_REGISTRY"); path != nullptr && *path != '\0') {
        return path;
    }
    std::string base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0') {
        base = config;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        base = std::string(home) + "/.config";
    } else {
        base = ".config";
    }
    return base + "/korvena/registry.reg";
}

Registry::Image Registry::load() const {
    std::error_code error;
    if (!std::filesystem::exists(fileName_, error)) {
        return {};
    }
    const std::string bytes = ReadFileBytes(fileName_);
    try {
        return {ParseRegFile(bytes)};
    } catch (const KvfError& e) {
        throw KvfError("Файл реестра " + fileName_ + " поврежден, " + e.what());
    }
}

void Registry::save(const Image& image) const {
    std::filesystem::path folder = std::filesystem::path(fileName_).parent_path();
    if (!folder.empty()) {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error) {
            throw KvfError("Не удается создать папку " + folder.string() + ": " + SystemErrorText(error));
        }
    }
    WriteFileAtomic(fileName_, FormatRegFile(image.sections));
}

void Registry::requireKey() const {
    if (current_.empty()) {
        throw KvfError("Ключ реестра не открыт");
    }
}

bool Registry::OpenKey(const std::string& key, bool canCreate) {
    const std::string normal = normalKey(key);
    const std::string path = fullPath(normal);
    Image image = load();
    if (!image.keyExists(path)) {
        if (!canCreate) {
            return false;
        }
        image.section(path);
        save(image);
    }
    current_ = path;
    return true;
}

bool Registry::KeyExists(const std::string& key) const {
    return load().keyExists(fullPath(normalKey(key)));
}

std::vector<std::string> Registry::GetKeyNames() const {
    requireKey();
    const std::string path = current_;
    std::vector<std::string> names;
    for (const RegKeySection& section : load().sections) {
        if (section.Path.size() <= path.size() + 1 || !underKey(section.Path, path)) {
            continue;
        }
        std::string rest = section.Path.substr(path.size() + 1);
        std::string name = rest.substr(0, rest.find('\\'));
        bool known =
            std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SameText(n, name); });
        if (!name.empty() && !known) {
            names.push_back(name);
        }
    }
    return names;
}

bool Registry::ValueExists(const std::string& name) const {
    requireKey();
    return load().value(current_, name) != nullptr;
}

std::string Registry::ReadString(const std::string& name) const {
    requireKey();
    const Image image = load();
    const RegValue* value = image.value(current_, name);
    if (value == nullptr) {
        return {};
    }
    if (value->Kind == RegString) {
        return value->Text;
    }
    if (value->Kind == RegExpandString) {
        std::string bytes = value->Bytes;
        while (!bytes.empty() && bytes.back() == '\0') {
            bytes.pop_back();
        }
        return FromAnsi(bytes);
    }
    wrongType(name);
}

int Registry::ReadInteger(const std::string& name) const {
    requireKey();
    const Image image = load();
    const RegValue* value = image.value(current_, name);
    if (value == nullptr || value->Kind != RegDword) {
        wrongType(name);
    }
    return static_cast<int>(value->Dword);
}

double Registry::ReadDate(const std::string& name) const {
    requireKey();
    const Image image = load();
    const RegValue* value = image.value(current_, name);
    if (value == nullptr || value->Kind != RegBinary || value->Bytes.size() != sizeof(double)) {
        wrongType(name);
    }
    unsigned char bytes[sizeof(double)];
    for (size_t i = 0; i < sizeof bytes; ++i) {
        bytes[i] = static_cast<unsigned char>(value->Bytes[i]);
    }
    std::uint64_t bits = 0;
    for (size_t i = sizeof bytes; i-- > 0;) {
        bits = (bits << 8) | bytes[i];
    }
    double date;
    std::memcpy(&date, &bits, sizeof date);
    return date;
}

namespace {

void put(std::vector<RegValue>& values, RegValue value) {
    auto found = std::find_if(values.begin(), values.end(),
                              [&](const RegValue& v) { return SameText(v.Name, value.Name); });
    if (found != values.end()) {
        value.Name = found->Name;
        *found = std::move(value);
    } else {
        values.push_back(std::move(value));
    }
}

} // namespace

void Registry::WriteString(const std::string& name, const std::string& value) {
    requireKey();
    Image image = load();
    RegValue item;
    item.Name = name;
    item.Kind = RegString;
    item.Text = value;
    put(image.section(current_).Values, std::move(item));
    save(image);
}

void Registry::WriteInteger(const std::string& name, int value) {
    requireKey();
    Image image = load();
    RegValue item;
    item.Name = name;
    item.Kind = RegDword;
    item.Dword = static_cast<std::uint32_t>(value);
    put(image.section(current_).Values, std::move(item));
    save(image);
}

void Registry::WriteDate(const std::string& name, double value) {
    requireKey();
    Image image = load();
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    RegValue item;
    item.Name = name;
    item.Kind = RegBinary;
    for (size_t i = 0; i < sizeof bits; ++i) {
        item.Bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
    put(image.section(current_).Values, std::move(item));
    save(image);
}

bool Registry::DeleteValue(const std::string& name) {
    requireKey();
    Image image = load();
    RegKeySection* section = image.find(current_);
    if (section == nullptr ||
        std::erase_if(section->Values, [&](const RegValue& v) { return SameText(v.Name, name); }) == 0) {
        return false;
    }
    save(image);
    return true;
}

} // namespace kvf
