#pragma once
// The filter texts of the fittings dialog's drop-down lists. G is the system
// group of the chosen fittings system, F its family (G rounded down to a
// multiple of 100), M the order's material; `door` is a product type other
// than a window.

#include <array>
#include <string>

namespace kvf {

using TSubGroups = std::array<int, 3>;

std::string SysListFilter();
// Empty (no filter) while no fittings system, or no numeric one, is chosen.
std::string SysProfFilter(const std::string& furnSys);
std::string SysColorFilter(const std::string& furnSys);

// The complect sub-groups offered for sash `sash` (1 or 2) of a position of
// construction type `constrType`.
TSubGroups ComplectSubGroups(int constrType, int sash);

std::string ComplectFilter(int g, int f, bool door, const TSubGroups& subGroups, int m);
std::string HandleFilter(int g, int f, bool door, int m);
std::string HingeFilter(int g, int f, bool door, int m);
// `handleGroup` is the group of the chosen handle (0 for none).
std::string LockFilter(int g, int f, bool door, int handleGroup, int m);
std::string CylinderFilter(int g, int f, int m);
std::string DriveFilter(int g, int f, int m);
std::string LatchFilter(int g, int f);

} // namespace kvf
