#pragma once
// "Korvena.lcu": the date of the last confirmed currency-rate update.
//
//   offset  size  content
//   0       8     IEEE-754 double, little-endian: days since 1899-12-30 (whole days)
//
// Kept in the server folder, or beside the executable when that folder name is empty.

#include <string>

namespace kvf {

// Today as an OLE date (whole days).
double Today();

// The file's path for the given server folder and executable folder.
std::string LastCurrencyUpdateFile(const std::string& serverFolder, const std::string& exeFolder);

// The stored date; yesterday (today - 1) when the file is missing, short or unreadable.
double ReadLastCurrencyUpdate(const std::string& path, double today);

// Writes the date whole; a failure is ignored (false).
bool WriteLastCurrencyUpdate(const std::string& path, double date);

// True when the currency-rate dialog is due: today is later than the stored date.
bool CurrencyUpdateDue(const std::string& path, double today);

} // namespace kvf
