#include "ui/last_currency_update.h"

#include "base/atomic_file.h"
#include "base/ole_date.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace kvf {

double Today() {
    return std::floor(NowOle());
}

std::string LastCurrencyUpdateFile(const std::string& serverFolder, const std::string& exeFolder) {
    return (serverFolder.empty() ? exeFolder : serverFolder) + "/Korvena.lcu";
}

double ReadLastCurrencyUpdate(const std::string& path, double today) {
    std::ifstream in(path, std::ios::binary);
    unsigned char bytes[8];
    if (!in || !in.read(reinterpret_cast<char*>(bytes), sizeof bytes)) {
        return today - 1;
    }
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) {
        bits = (bits << 8) | bytes[i];
    }
    double date = std::bit_cast<double>(bits);
    return date == date ? date : today - 1; // a NaN is no date
}

bool WriteLastCurrencyUpdate(const std::string& path, double date) {
    uint64_t bits = std::bit_cast<uint64_t>(date);
    char bytes[8];
    for (int i = 0; i < 8; ++i) {
        bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
    try {
        WriteFileAtomic(path, std::string_view(bytes, sizeof bytes));
        return true;
    } catch (...) {
        return false;
    }
}

bool CurrencyUpdateDue(const std::string& path, double today) {
    return today > ReadLastCurrencyUpdate(path, today);
}

} // namespace kvf
