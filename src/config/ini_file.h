#pragma once
// IniFile: a settings file with the semantics of the Windows profile files.
// Sections are "[Name]" lines, values "Key=Value" lines (key and value trimmed);
// section and key names compare without regard to case (Windows-1251 upper
// case); the first occurrence of a section or key counts; lines starting with
// ";" are comments. A missing key gives the caller's default.
//
// Writing a key changes only its own line, or adds the line after the last
// non-blank line of its section, or adds the section at the end of the file;
// every other line keeps its bytes, its line end and its place. The file is
// read as UTF-8 when it is valid UTF-8 and as Windows-1251 otherwise, and
// written in Windows-1251 (new lines end in CR LF) through a temporary file.
//
// Numbers: integers in decimal; booleans "1" and "0" (any integer but 0 reads
// as true, text that is no integer gives the default); decimals are written
// with a decimal comma, as the program has always written them, and read with
// a comma or a full stop.

#include <optional>
#include <string>
#include <vector>

namespace kvf {

class IniFile {
public:
    // Reads the file when it exists; KvfError when it exists but cannot be read.
    explicit IniFile(std::string fileName);

    const std::string& FileName() const { return fileName_; }

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;
    int ReadInteger(const std::string& section, const std::string& key, int fallback) const;
    bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
    double ReadFloat(const std::string& section, const std::string& key, double fallback) const;

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    void WriteFloat(const std::string& section, const std::string& key, double value);

    // Writes the file when a value was changed; KvfError when that fails.
    void UpdateFile();

    // The file image as it would be written.
    std::string Image() const;

private:
    struct Line {
        std::string Text; // UTF-8, without the line end
        std::string End;  // "\r\n", "\n", "\r" or "" for a last line without one
    };

    std::optional<size_t> findSection(const std::string& section) const;
    std::optional<size_t> findKey(size_t sectionLine, const std::string& key) const;

    std::string fileName_;
    std::vector<Line> lines_;
    bool modified_ = false;
};

// Decimal text of the settings file: "12,5", "18".
std::string FormatIniFloat(double value);
// "12,5" or "12.5"; nothing when the text is no number.
std::optional<double> ParseIniFloat(const std::string& text);

} // namespace kvf
