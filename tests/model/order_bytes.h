#pragma once
// Builds order and selection file images item by item, independently of the
// typed stream, in the layout of any version: the golden bytes of the file tests.

#include "base/version_date.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace kvf::test {

class Bytes {
public:
    Bytes& Int(std::int32_t v) { return record(3, static_cast<std::uint32_t>(v), 4); }
    Bytes& Byte(std::uint8_t v) { return record(17, v, 1); }
    Bytes& Bool(bool v) { return record(11, v ? 0xFFFF : 0, 2); }
    Bytes& Real(double v) { return record(5, bitsOf(v), 8); }
    Bytes& Date(double v) { return record(7, bitsOf(v), 8); }
    Bytes& Currency(std::int64_t raw) { return record(6, static_cast<std::uint64_t>(raw), 8); }
    // Windows-1251 bytes, as they stand in the file.
    Bytes& Text(const std::string& ansi) {
        little(static_cast<std::uint32_t>(ansi.size()), 4);
        bytes_ += ansi;
        return *this;
    }
    Bytes& Point(std::int32_t x, std::int32_t y) { return Int(x).Int(y); }
    const std::string& Str() const { return bytes_; }

private:
    static std::uint64_t bitsOf(double v) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &v, 8);
        return bits;
    }
    Bytes& record(std::uint16_t code, std::uint64_t value, int size) {
        little(code, 2);
        bytes_.append(6, '\0');
        little(value, size);
        bytes_.append(8 - size, '\0');
        return *this;
    }
    void little(std::uint64_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes_ += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    std::string bytes_;
};

// A small order in the layout of version v: one pair position whose left
// sash is a triangle with a composition of one item and one material line,
// and whose right sash is empty. Values are those the tests expect back.
inline std::string SmallOrder(const std::string& v,
                              const std::string& header = "Korvena Furniture Order File") {
    const bool params = VersionAtLeast(v, "10.12.2009");
    const bool sashDorn = VersionAtLeast(v, "23.07.2019");
    Bytes b;
    b.Text(header).Text(v).Int(11).Int(12).Date(43831.5).Date(43832.25).Int(13);
    b.Text("A-1")
        .Text("ALT")
        .Text("\xC8\xE2\xE0\xED\xEE\xE2")
        .Text("Obj")
        .Text("Addr")
        .Text("Ph")
        .Text("Rem");
    b.Date(43830.0).Bool(true);
    b.Text("PS").Text("IN").Text("OUT").Text("FS").Text("FC").Text("HD");
    if (params)
        b.Int(101).Int(205).Int(301).Int(401);
    else
        b.Text("old1").Text("old2");
    b.Int(2).Real(20.0).Bool(true).Bool(false);
    b.Int(2).Int(1).Real(1.0).Int(2).Real(92.5);
    b.Int(2).Text("memo 1\r\nmemo 2\r\n");
    // One position.
    b.Int(1);
    b.Bool(true).Text("001A").Text("Kitchen").Int(3).Byte(1).Text("FS").Text("PS").Text("FC");
    if (!params)
        b.Text("x").Text("y");
    b.Int(101);
    if (!sashDorn)
        b.Int(207);
    b.Int(301).Real(68.0).Real(20.5).Int(401).Currency(1234567).Text("note\r\n").Byte(0);
    // Left sash: a triangle.
    b.Int(3).Int(0).Int(14000).Int(7000).Int(0).Int(7000).Int(14000);
    b.Int(3);
    for (int i = 0; i < 3; ++i) {
        b.Real(0)
            .Real(0)
            .Real(0)
            .Real(0)
            .Bool(i == 0)
            .Int(i == 0 ? 2 : -1)
            .Bool(i == 0)
            .Bool(i == 2)
            .Bool(false);
        b.Int(i == 0 ? 700 : 0).Int(i == 0 ? 10 : 0).Int(i == 0 ? 7000 : 0);
    }
    if (sashDorn)
        b.Int(209);
    b.Bool(true);
    b.Text("FS").Text("PS").Text("FC").Text("K").Text("").Text("H").Int(0).Bool(false);
    b.Text("").Text("").Text("").Text("");
    for (int value : {3, 1, 20, -1, -1, 0, 255, 0, 0})
        b.Int(value);
    b.Text("0=105\r\n").Text("");
    b.Int(1).Text("ART").Real(1200.0).Int(2);
    if (VersionAtLeast(v, "06.10.2015"))
        b.Text("hist");
    if (VersionAtLeast(v, "03.03.2019"))
        b.Text("comm");
    if (VersionAtLeast(v, "26.12.2019"))
        b.Int(1).Int(0).Int(0).Int(0).Text("K");
    b.Int(1)
        .Text("ART")
        .Real(2.4000000953674316)
        .Currency(123456)
        .Real(0)
        .Currency(0)
        .Currency(123456)
        .Currency(296294);
    // Right sash: empty.
    b.Int(0).Int(0);
    if (sashDorn)
        b.Int(0);
    b.Bool(false).Int(0);
    return b.Str();
}

// A small selection in the layout of version v: two items, the second excluded.
inline std::string SmallSelection(const std::string& version,
                                  const std::string& header = "Korvena Furniture Selection File") {
    Bytes b;
    b.Text(header).Text(version).Int(1).Int(2).Date(43831.5).Date(43832.75).Int(3);
    b.Text("S-1").Date(43830.0).Text("\xC2\xFB\xE1\xEE\xF0\xEA\xE0"); // "Выборка"
    b.Int(1).Int(2).Real(92.5);
    b.Int(2).Int(4).Real(20.0).Byte(1).Text("n1\r\nn2\r\n");
    b.Int(2);
    b.Bool(true).Text("A-1").Text("001").Real(700).Real(1400).Int(3).Text("Kitchen").Text("%A\\1.KFO370");
    b.Bool(false).Text("A-2").Text("002").Real(0).Real(0).Int(0).Text("").Text("C:\\OTHER\\2.KFO370");
    return b.Str();
}

} // namespace kvf::test
