#pragma once
// The reasons the operating system gives for a failed file operation, in the
// program's language, for the messages that quote them.

#include <string>
#include <system_error>

namespace kvf {

// Russian text for the common errno values (missing file, no permission, a
// folder where a file was meant, disk full, read-only file system, ...); the
// C library's own text for the rare others.
std::string SystemErrorText(int error);
// The same for an error code of the system category (std::filesystem).
std::string SystemErrorText(const std::error_code& error);

} // namespace kvf
