#pragma once
#include <string>

namespace kvf {

// The program's file version ("3.81.5.400"), fixed at build time.
std::string ExeFileVersion();

} // namespace kvf
