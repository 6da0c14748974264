#pragma once
// OLE dates: days since 1899-12-30 as a double, the fraction being the time of
// day. For negative dates the fraction's absolute value is the time of day.

#include <optional>
#include <string>
#include <string_view>

namespace kvf {

// An invalid date or time raises KvfError.
double EncodeDate(int year, int month, int day);
double EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond);
void DecodeDate(double date, int& year, int& month, int& day);
void DecodeDateTime(double date, int& year, int& month, int& day, int& hour, int& minute, int& second,
                    int& millisecond);

// The current local date and time.
double NowOle();
// The file's last-write time in local time; 0 when the file does not exist.
double FileDate(const std::string& path);

// "dd.mm.yyyy".
std::string FormatDate(double date);
// "dd.mm.yyyy" (one or two digits for day and month, blanks around allowed); nothing when invalid.
std::optional<double> ParseDate(std::string_view text);

} // namespace kvf
