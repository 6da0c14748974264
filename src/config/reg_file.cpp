#include "config/reg_file.h"

#include "base/error.h"
#include "base/text.h"
#include "config/file_text.h"
#include "config/hex_text.h"

#include <algorithm>
#include <cstdio>

namespace kvf {

namespace {

const char* const header = "REGEDIT4";

[[noreturn]] void fault(size_t line, const std::string& what) {
    throw KvfError("строка " + std::to_string(line) + ": " + what);
}

bool underKey(std::string_view path, std::string_view key) {
    if (path.size() < key.size() || !SameText(path.substr(0, key.size()), key)) {
        return false;
    }
    return path.size() == key.size() || path[key.size()] == '\\';
}

// A quoted text starting at text[pos] == '"'; pos ends after the closing quote.
// "\\" and "\"" are escapes; any other backslash stands for itself.
bool readQuoted(std::string_view text, size_t& pos, std::string& out) {
    ++pos;
    while (pos < text.size()) {
        char c = text[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\' && pos + 1 < text.size() && (text[pos + 1] == '\\' || text[pos + 1] == '"')) {
            out += text[pos + 1];
            pos += 2;
            continue;
        }
        out += c;
        ++pos;
    }
    return false;
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

bool parseHexBytes(std::string_view list, std::string& bytes) {
    std::string compact;
    for (char c : list) {
        if (c != ' ' && c != '\t') {
            compact += c;
        }
    }
    if (compact.empty()) {
        return true;
    }
    size_t pos = 0;
    while (true) {
        size_t comma = compact.find(',', pos);
        std::string_view item =
            std::string_view(compact).substr(pos, comma == std::string::npos ? comma : comma - pos);
        if (item.empty() || item.size() > 2) {
            return false;
        }
        int value = 0;
        for (char c : item) {
            int digit = HexDigitValue(c);
            if (digit < 0) {
                return false;
            }
            value = value * 16 + digit;
        }
        bytes += static_cast<char>(value);
        if (comma == std::string::npos) {
            return true;
        }
        pos = comma + 1;
    }
}

std::string hexList(std::string_view bytes) {
    std::string out;
    char item[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(item, sizeof item, i == 0 ? "%02x" : ",%02x", static_cast<unsigned char>(bytes[i]));
        out += item;
    }
    return out;
}

void putValue(RegKeySection& section, RegValue value) {
    auto same = [&](const RegValue& v) { return SameText(v.Name, value.Name); };
    auto found = std::find_if(section.Values.begin(), section.Values.end(), same);
    if (found != section.Values.end()) {
        *found = std::move(value);
    } else {
        section.Values.push_back(std::move(value));
    }
}

// The data after "=": a quoted text, dword:, hex:, hex(N):; `lines` and `index`
// supply continuation lines of a hex list.
RegValue parseData(std::string name, std::string_view data, const std::vector<std::string>& lines,
                   size_t& index) {
    const size_t lineNo = index + 1;
    RegValue value;
    value.Name = std::move(name);
    if (!data.empty() && data[0] == '"') {
        size_t pos = 0;
        if (!readQuoted(data, pos, value.Text) || !Trim(data.substr(pos)).empty()) {
            fault(lineNo, "неверная строка значения \"" + value.Name + "\"");
        }
        value.Kind = RegString;
        return value;
    }
    std::string lower = AnsiLowerCase(data.substr(0, std::min<size_t>(data.size(), 12)));
    if (lower.rfind("dword:", 0) == 0) {
        std::string digits = Trim(data.substr(6));
        if (digits.empty() || digits.size() > 8) {
            fault(lineNo, "неверное число значения \"" + value.Name + "\"");
        }
        std::uint32_t number = 0;
        for (char c : digits) {
            int digit = HexDigitValue(c);
            if (digit < 0) {
                fault(lineNo, "неверное число значения \"" + value.Name + "\"");
            }
            number = number * 16 + static_cast<std::uint32_t>(digit);
        }
        value.Kind = RegDword;
        value.Dword = number;
        return value;
    }
    if (lower.rfind("hex", 0) == 0) {
        size_t colon = data.find(':');
        std::uint32_t kind = RegBinary;
        if (lower.rfind("hex(", 0) == 0) {
            size_t close = data.find(')');
            if (close == std::string_view::npos || close + 1 != colon || close == 4) {
                fault(lineNo, "неверный тип значения \"" + value.Name + "\"");
            }
            kind = 0;
            for (char c : data.substr(4, close - 4)) {
                int digit = HexDigitValue(c);
                if (digit < 0 || kind > 0x0FFFFFFF) {
                    fault(lineNo, "неверный тип значения \"" + value.Name + "\"");
                }
                kind = kind * 16 + static_cast<std::uint32_t>(digit);
            }
        } else if (colon != 3) {
            fault(lineNo, "неверная запись значения \"" + value.Name + "\"");
        }
        std::string list = Trim(data.substr(colon + 1));
        while (!list.empty() && list.back() == '\\') {
            list.pop_back();
            if (++index >= lines.size()) {
                fault(lineNo, "список байтов значения \"" + value.Name + "\" не окончен");
            }
            list += Trim(lines[index]);
        }
        std::string bytes;
        if (!parseHexBytes(list, bytes)) {
            fault(lineNo, "неверный список байтов значения \"" + value.Name + "\"");
        }
        if (kind == RegDword) {
            if (bytes.size() != 4) {
                fault(lineNo, "неверное число значения \"" + value.Name + "\"");
            }
            value.Kind = RegDword;
            for (size_t i = 4; i-- > 0;) {
                value.Dword = (value.Dword << 8) | static_cast<unsigned char>(bytes[i]);
            }
        } else if (kind == RegString) {
            while (!bytes.empty() && bytes.back() == '\0') {
                bytes.pop_back();
            }
            value.Kind = RegString;
            value.Text = FromAnsi(bytes);
        } else {
            value.Kind = kind;
            value.Bytes = std::move(bytes);
        }
        return value;
    }
    fault(lineNo, "неверная запись значения \"" + value.Name + "\"");
}

} // namespace

std::vector<RegKeySection> ParseRegFile(std::string_view bytes) {
    if (bytes.size() >= 2 &&
        ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'))) {
        throw KvfError("файл в кодировке UTF-16; нужен экспорт в формате REGEDIT4");
    }
    const std::vector<std::string> lines = SplitLines(DecodeFileText(bytes));
    std::vector<RegKeySection> sections;
    RegKeySection* current = nullptr;
    bool headerSeen = false;
    for (size_t index = 0; index < lines.size(); ++index) {
        const std::string line = Trim(lines[index]);
        if (line.empty()) {
            continue;
        }
        if (!headerSeen) {
            if (line != header) {
                fault(index + 1, "ожидался заголовок REGEDIT4");
            }
            headerSeen = true;
            continue;
        }
        if (line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            if (line.back() != ']' || line.size() < 3) {
                fault(index + 1, "неверное имя ключа");
            }
            std::string path = line.substr(1, line.size() - 2);
            if (path[0] == '-') {
                path.erase(0, 1);
                std::erase_if(sections, [&](const RegKeySection& s) { return underKey(s.Path, path); });
                current = nullptr;
                continue;
            }
            auto found = std::find_if(sections.begin(), sections.end(),
                                      [&](const RegKeySection& s) { return SameText(s.Path, path); });
            if (found == sections.end()) {
                sections.push_back({path, {}});
                current = &sections.back();
            } else {
                current = &*found;
            }
            continue;
        }
        if (line[0] != '"' && line[0] != '@') {
            fault(index + 1, "непонятная строка");
        }
        if (current == nullptr) {
            fault(index + 1, "значение вне ключа");
        }
        std::string name;
        size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else if (!readQuoted(line, pos, name)) {
            fault(index + 1, "неверное имя значения");
        }
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
            ++pos;
        }
        if (pos >= line.size() || line[pos] != '=') {
            fault(index + 1, "нет знака \"=\" после имени значения");
        }
        std::string data = Trim(std::string_view(line).substr(pos + 1));
        if (data == "-") {
            std::erase_if(current->Values, [&](const RegValue& v) { return SameText(v.Name, name); });
            continue;
        }
        putValue(*current, parseData(std::move(name), data, lines, index));
    }
    return sections;
}

std::string FormatRegFile(const std::vector<RegKeySection>& sections) {
    std::string text = std::string(header) + "\r\n\r\n";
    for (const RegKeySection& section : sections) {
        text += "[" + section.Path + "]\r\n";
        for (const RegValue& value : section.Values) {
            text += value.Name.empty() ? std::string("@") : quoted(value.Name);
            text += "=";
            if (value.Kind == RegDword) {
                char digits[16];
                std::snprintf(digits, sizeof digits, "dword:%08x", value.Dword);
                text += digits;
            } else if (value.Kind == RegString && value.Text.find_first_of("\r\n") == std::string::npos) {
                text += quoted(value.Text);
            } else if (value.Kind == RegString) {
                // A line break cannot stand in a quoted text: the string goes in hex form.
                text += "hex(1):" + hexList(ToAnsi(value.Text) + '\0');
            } else if (value.Kind == RegBinary) {
                text += "hex:" + hexList(value.Bytes);
            } else {
                char kind[24];
                std::snprintf(kind, sizeof kind, "hex(%x):", value.Kind);
                text += kind + hexList(value.Bytes);
            }
            text += "\r\n";
        }
        text += "\r\n";
    }
    return ToAnsi(text);
}

} // namespace kvf
