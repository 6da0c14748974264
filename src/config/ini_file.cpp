#include "config/ini_file.h"

#include "base/atomic_file.h"
#include "base/number_format.h"
#include "base/text.h"
#include "config/file_text.h"

#include <cstdint>
#include <filesystem>

namespace kvf {

namespace {

bool isSectionLine(const std::string& trimmed) {
    return !trimmed.empty() && trimmed[0] == '[';
}

std::string sectionName(const std::string& trimmed) {
    size_t close = trimmed.find(']');
    return Trim(
        std::string_view(trimmed).substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

// The key of a "Key=Value" line, nothing for other lines.
std::optional<std::string> keyOf(const std::string& trimmed) {
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '[') {
        return std::nullopt;
    }
    size_t equals = trimmed.find('=');
    if (equals == std::string::npos) {
        return std::nullopt;
    }
    return Trim(std::string_view(trimmed).substr(0, equals));
}

// A value must stay on its line.
std::string oneLine(const std::string& value) {
    std::string out = value;
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return out;
}

} // namespace

std::string FormatIniFloat(double value) {
    std::string text = FormatFloatShort(value);
    for (char& c : text) {
        if (c == '.') {
            c = ',';
        }
    }
    return text;
}

std::optional<double> ParseIniFloat(const std::string& text) {
    std::string dotted = text;
    for (char& c : dotted) {
        if (c == ',') {
            c = '.';
        }
    }
    return ParseDecimal(dotted);
}

IniFile::IniFile(std::string fileName) : fileName_(std::move(fileName)) {
    std::error_code error;
    if (fileName_.empty() || !std::filesystem::exists(fileName_, error)) {
        return;
    }
    const std::string text = DecodeFileText(ReadFileBytes(fileName_));
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) {
            lines_.push_back({text.substr(pos), ""});
            break;
        }
        size_t endLength = (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
        lines_.push_back({text.substr(pos, end - pos), text.substr(end, endLength)});
        pos = end + endLength;
    }
}

std::optional<size_t> IniFile::findSection(const std::string& section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const std::string trimmed = Trim(lines_[i].Text);
        if (isSectionLine(trimmed) && SameText(sectionName(trimmed), section)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<size_t> IniFile::findKey(size_t sectionLine, const std::string& key) const {
    for (size_t i = sectionLine + 1; i < lines_.size(); ++i) {
        const std::string trimmed = Trim(lines_[i].Text);
        if (isSectionLine(trimmed)) {
            break;
        }
        std::optional<std::string> name = keyOf(trimmed);
        if (name && SameText(*name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

bool IniFile::SectionExists(const std::string& section) const {
    return findSection(section).has_value();
}

bool IniFile::ValueExists(const std::string& section, const std::string& key) const {
    std::optional<size_t> start = findSection(section);
    return start && findKey(*start, key);
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
    std::optional<size_t> start = findSection(section);
    std::optional<size_t> line = start ? findKey(*start, key) : std::nullopt;
    if (!line) {
        return fallback;
    }
    const std::string& text = lines_[*line].Text;
    return Trim(std::string_view(text).substr(text.find('=') + 1));
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int fallback) const {
    long long value = StrToIntDef(ReadString(section, key, ""), fallback);
    if (value < INT32_MIN || value > INT32_MAX) {
        return fallback;
    }
    return static_cast<int>(value);
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

double IniFile::ReadFloat(const std::string& section, const std::string& key, double fallback) const {
    return ParseIniFloat(ReadString(section, key, "")).value_or(fallback);
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    const std::string text = oneLine(value);
    std::optional<size_t> start = findSection(section);
    if (!start) {
        if (!lines_.empty() && lines_.back().End.empty()) {
            lines_.back().End = "\r\n";
        }
        lines_.push_back({"[" + section + "]", "\r\n"});
        lines_.push_back({key + "=" + text, "\r\n"});
        modified_ = true;
        return;
    }
    if (std::optional<size_t> line = findKey(*start, key)) {
        const std::string& old = lines_[*line].Text;
        std::string updated = Trim(std::string_view(old).substr(0, old.find('='))) + "=" + text;
        if (updated != old) {
            lines_[*line].Text = std::move(updated);
            modified_ = true;
        }
        return;
    }
    size_t last = *start;
    for (size_t i = *start + 1; i < lines_.size(); ++i) {
        const std::string trimmed = Trim(lines_[i].Text);
        if (isSectionLine(trimmed)) {
            break;
        }
        if (!trimmed.empty()) {
            last = i;
        }
    }
    if (lines_[last].End.empty()) {
        lines_[last].End = "\r\n";
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last) + 1, Line{key + "=" + text, "\r\n"});
    modified_ = true;
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteFloat(const std::string& section, const std::string& key, double value) {
    WriteString(section, key, FormatIniFloat(value));
}

std::string IniFile::Image() const {
    std::string bytes;
    for (const Line& line : lines_) {
        bytes += ToAnsi(line.Text);
        bytes += line.End;
    }
    return bytes;
}

void IniFile::UpdateFile() {
    if (!modified_) {
        return;
    }
    WriteFileAtomic(fileName_, Image());
    modified_ = false;
}

} // namespace kvf
