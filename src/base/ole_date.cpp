#include "base/ole_date.h"

#include "base/error.h"
#include "base/text.h"

#include <charconv>
#include <cmath>
#include <ctime>
#include <sys/stat.h>

namespace kvf {

namespace {

constexpr long kUnixEpochOle = 25569; // 1970-01-01
constexpr long kMsPerDay = 86400000;

// Days since 1970-01-01 of a proleptic Gregorian date.
long daysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void civilFromDays(long z, int& year, int& month, int& day) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long y = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

bool leapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leapYear(y) ? 29 : days[m - 1];
}

bool validDate(int y, int m, int d) {
    return y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= daysInMonth(y, m);
}

double fromTm(const std::tm& t, int millisecond) {
    return EncodeDateTime(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min,
                          t.tm_sec > 59 ? 59 : t.tm_sec, millisecond);
}

std::string twoDigits(int v) {
    return std::string(1, static_cast<char>('0' + v / 10 % 10)) + static_cast<char>('0' + v % 10);
}

} // namespace

double EncodeDate(int year, int month, int day) {
    if (!validDate(year, month, day))
        throw KvfError("Неверная дата: " + std::to_string(day) + "." + std::to_string(month) + "." +
                       std::to_string(year));
    return static_cast<double>(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
                               kUnixEpochOle);
}

double EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    const double date = EncodeDate(year, month, day);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        throw KvfError("Неверное время: " + std::to_string(hour) + ":" + std::to_string(minute) + ":" +
                       std::to_string(second) + "." + std::to_string(millisecond));
    const double time = ((hour * 60.0 + minute) * 60.0 + second + millisecond / 1000.0) / 86400.0;
    return date < 0 ? date - time : date + time;
}

void DecodeDate(double date, int& year, int& month, int& day) {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    DecodeDateTime(date, year, month, day, hour, minute, second, millisecond);
}

void DecodeDateTime(double date, int& year, int& month, int& day, int& hour, int& minute, int& second,
                    int& millisecond) {
    if (!std::isfinite(date) || std::fabs(date) > 3.0e6)
        throw KvfError("Неверное значение даты");
    long days = static_cast<long>(std::trunc(date));
    long ms = std::lround(std::fabs(date - std::trunc(date)) * kMsPerDay);
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        days += date < 0 ? -1 : 1;
    }
    civilFromDays(days - kUnixEpochOle, year, month, day);
    hour = static_cast<int>(ms / 3600000);
    minute = static_cast<int>(ms / 60000 % 60);
    second = static_cast<int>(ms / 1000 % 60);
    millisecond = static_cast<int>(ms % 1000);
}

double NowOle() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    return fromTm(local, static_cast<int>(now.tv_nsec / 1000000));
}

double FileDate(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return 0;
    std::tm local{};
    localtime_r(&info.st_mtim.tv_sec, &local);
    return fromTm(local, static_cast<int>(info.st_mtim.tv_nsec / 1000000));
}

std::string FormatDate(double date) {
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    std::string year = std::to_string(y);
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, '0');
    return twoDigits(d) + "." + twoDigits(m) + "." + year;
}

std::optional<double> ParseDate(std::string_view text) {
    const std::string trimmed = Trim(text);
    int parts[3] = {0, 0, 0};
    const char* p = trimmed.data();
    const char* end = trimmed.data() + trimmed.size();
    for (int i = 0; i < 3; ++i) {
        const auto result = std::from_chars(p, end, parts[i]);
        const long width = result.ptr - p;
        if (result.ec != std::errc() || width == 0 || width > (i == 2 ? 4 : 2) || *p == '-')
            return std::nullopt;
        p = result.ptr;
        if (i < 2) {
            if (p == end || *p != '.')
                return std::nullopt;
            ++p;
        }
    }
    if (p != end || !validDate(parts[2], parts[1], parts[0]))
        return std::nullopt;
    return EncodeDate(parts[2], parts[1], parts[0]);
}

} // namespace kvf
