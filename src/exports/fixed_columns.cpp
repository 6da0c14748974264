#include "exports/fixed_columns.h"

#include "base/error.h"
#include "base/text.h"

namespace kvf {

namespace {

// Length of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

} // namespace

std::string ToAnsiExact(std::string_view text, std::string_view what) {
    std::string ansi = ToAnsi(text);
    if (FromAnsi(ansi) == text)
        return ansi;
    std::string missing;
    for (size_t i = 0; i < text.size();) {
        const size_t n = std::min(sequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
        const std::string_view character = text.substr(i, n);
        if (FromAnsi(ToAnsi(character)) != character && missing.find(character) == std::string::npos)
            missing += character;
        i += n;
    }
    throw KvfError("Текст поля \"" + std::string(what) + "\" содержит символы, которых нет в кодировке " +
                   "Windows-1251: " + missing);
}

std::string LeftColumn(std::string_view ansi, size_t width) {
    std::string text = Trim(ansi);
    text.resize(width, ' ');
    return text;
}

std::string RightColumn(std::string_view ansi, size_t width) {
    std::string text = Trim(ansi);
    if (text.size() >= width)
        return text.substr(text.size() - width);
    return std::string(width - text.size(), ' ') + text;
}

std::string PlacedLine(size_t width, std::initializer_list<ColumnText> texts) {
    std::string line(width, ' ');
    for (const ColumnText& text : texts) {
        const std::string ansi = ToAnsi(text.Utf8);
        line.replace(text.Column - 1, ansi.size(), ansi);
    }
    line.resize(width, ' ');
    return line;
}

} // namespace kvf
