#pragma once
// The per-user registry is kept in a text file in the format of the Windows
// registry editor's "REGEDIT4" export, so a key exported on Windows can be
// used as it is and ours can be imported there:
//
//   REGEDIT4                                   first line (after blank lines)
//   [HKEY_CURRENT_USER\SoftWare\Nordel\Key]     a key; "[-...]" deletes a key
//   "Name"="text"                              string (REG_SZ); \\ and \" escaped
//   @="text"                                   the key's unnamed value
//   "Name"=dword:0000000a                      32-bit integer (REG_DWORD), 8 hex digits
//   "Name"=hex:00,00,00,00,00,40,e5,40         binary (REG_BINARY)
//   "Name"=hex(N):..                           any other type N, kept as its bytes
//   "Name"=-                                   deletes a value
//   ; text                                     comment
//
// A line ending in "\" inside a hex list continues on the next line. Line
// ends may be CR LF, LF or CR. The file's text is read as UTF-8 when it is
// valid UTF-8 (a leading BOM is dropped) and as Windows-1251 otherwise; it is
// always written in Windows-1251 with CR LF, the form the Windows registry
// editor itself writes for REGEDIT4. Comments are not kept when the file is
// written. Strings of type 1 and 2 given in hex form hold Windows-1251 bytes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvf {

enum RegValueKind : std::uint32_t { RegString = 1, RegExpandString = 2, RegBinary = 3, RegDword = 4 };

struct RegValue {
    std::string Name; // empty for the unnamed value "@"
    std::uint32_t Kind = RegString;
    std::string Text;        // RegString: the text (UTF-8)
    std::uint32_t Dword = 0; // RegDword
    std::string Bytes;       // any other kind: the raw bytes
    bool operator==(const RegValue&) const = default;
};

struct RegKeySection {
    std::string Path; // "HKEY_CURRENT_USER\SoftWare\..." as written in the file
    std::vector<RegValue> Values;
};

// Parses a file image; raises KvfError naming the line of the first fault.
std::vector<RegKeySection> ParseRegFile(std::string_view bytes);

// The file image of the sections, in their order.
std::string FormatRegFile(const std::vector<RegKeySection>& sections);

} // namespace kvf
