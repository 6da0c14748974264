#pragma once
// "Korvena.lon": the number of the order saved last. 31 bytes: one length byte
// (0 to 30), then 30 bytes whose first `length` bytes are the number in
// Windows-1251, the rest zero. It lies in the orders folder, or in the folder
// of the executable when the orders folder name is empty.

#include <optional>
#include <string>

namespace kvf {

inline constexpr const char* LastOrderNoFileName = "Korvena.lon";

// The folder "Korvena.lon" lies in.
std::string LastOrderNoFolder(const std::string& ordersDir, const std::string& exeFolder);

// Rewrites the file whole (atomically); a number longer than 30 characters is
// cut to 30. Raises KvfError when it cannot be written.
void WriteLastOrderNo(const std::string& folder, const std::string& orderNo);

// The number, or nothing when the file is missing or cannot be read. A length
// byte above 30 reads 30 characters.
std::optional<std::string> ReadLastOrderNo(const std::string& folder);

} // namespace kvf
