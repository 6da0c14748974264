#include "config/last_order_no.h"

#include "base/atomic_file.h"
#include "base/text.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace kvf {

namespace {

constexpr std::size_t MaxLength = 30;

std::string filePath(const std::string& folder) {
    return folder.empty() ? std::string(LastOrderNoFileName) : folder + "/" + LastOrderNoFileName;
}

} // namespace

std::string LastOrderNoFolder(const std::string& ordersDir, const std::string& exeFolder) {
    return ordersDir.empty() ? exeFolder : ordersDir;
}

void WriteLastOrderNo(const std::string& folder, const std::string& orderNo) {
    std::string ansi = ToAnsi(orderNo);
    if (ansi.size() > MaxLength) {
        ansi.resize(MaxLength);
    }
    std::string bytes(1 + MaxLength, '\0');
    bytes[0] = static_cast<char>(ansi.size());
    bytes.replace(1, ansi.size(), ansi);
    WriteFileAtomic(filePath(folder), bytes);
}

std::optional<std::string> ReadLastOrderNo(const std::string& folder) {
    std::ifstream in(filePath(folder), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty()) {
        return std::string();
    }
    std::size_t length = static_cast<unsigned char>(bytes[0]);
    length = std::min({length, MaxLength, bytes.size() - 1});
    return FromAnsi(std::string_view(bytes).substr(1, length));
}

} // namespace kvf
