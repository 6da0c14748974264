#include "ui/furn_filters.h"

#include "catalog/catalog_lookups.h"

#include <cstdio>
#include <stdexcept>

namespace kvf {

namespace {

template <typename... Args> std::string format(const char* pattern, Args... args) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

// The leading "(CommonGrp=G or CommonGrp=F or CommonGrp=0)" of the component lists.
std::string commonGroups(int g, int f) {
    return format("(CommonGrp=%d or CommonGrp=%d or CommonGrp=%d)", g, f, 0);
}

std::string materials(int m) {
    return format("(Material=%d or Material=%d)", m, 0);
}

std::string groups2(int a, int b) {
    return format("(Group=%d or Group=%d)", a, b);
}

std::string groups4(int a, int b, int c, int d) {
    return format("(Group=%d or Group=%d or Group=%d or Group=%d)", a, b, c, d);
}

// "<common groups> and <groups> and Use=1 and <materials>"
std::string componentFilter(int g, int f, const std::string& groups, int m) {
    return commonGroups(g, f) + " and " + groups + format(" and Use=%d and ", 1) + materials(m);
}

} // namespace

std::string SysListFilter() {
    return format("Group=%d and Use=%d", 1, 1);
}

std::string SysProfFilter(const std::string& furnSys) {
    int system = 0;
    try {
        size_t used = 0;
        system = std::stoi(furnSys, &used);
        if (used != furnSys.size())
            return {};
    } catch (const std::exception&) {
        return {};
    }
    return format("FurnSysID='%d'", system / 100 * 100);
}

std::string SysColorFilter(const std::string& furnSys) {
    return "System=" + QuoteFilterText(furnSys);
}

TSubGroups ComplectSubGroups(int constrType, int sash) {
    switch (constrType) {
    case 0:
        return sash == 1 ? TSubGroups{11, 11, 11} : TSubGroups{22, 23, 24};
    case 1:
        return sash == 2 ? TSubGroups{21, 21, 21} : TSubGroups{12, 13, 14};
    default:
        return {0, 0, 0};
    }
}

std::string ComplectFilter(int g, int f, bool door, const TSubGroups& sub, int m) {
    return commonGroups(g, f) + " and " + groups2(door ? 11 : 10, 12) +
           format(" and (SubGroup=%d or SubGroup=%d or SubGroup=%d) and Use=%d and ", sub[0], sub[1], sub[2],
                  1) +
           materials(m);
}

std::string HandleFilter(int g, int f, bool door, int m) {
    return componentFilter(g, f, door ? groups4(31, 33, 34, 32) : groups2(30, 32), m);
}

std::string HingeFilter(int g, int f, bool door, int m) {
    return componentFilter(g, f, groups2(door ? 21 : 20, 22), m);
}

std::string LockFilter(int g, int f, bool door, int handleGroup, int m) {
    if (handleGroup == 33 || handleGroup == 34)
        return componentFilter(
            g, f, format("(Group=%d or Group=%d or Group=%d)", 41, handleGroup == 33 ? 43 : 44, 42), m);
    return componentFilter(g, f, door ? groups4(41, 43, 44, 42) : groups2(40, 42), m);
}

std::string CylinderFilter(int g, int f, int m) {
    return componentFilter(g, f, format("Group=%d", 45), m);
}

std::string DriveFilter(int g, int f, int m) {
    return componentFilter(g, f, format("Group=%d", 50), m);
}

std::string LatchFilter(int g, int f) {
    return commonGroups(g, f) + format(" and Group=%d and Use=%d", 46, 1);
}

} // namespace kvf
