#include "base/version_date.h"

#include "base/error.h"
#include "base/number_format.h"

#include <climits>

namespace kvf {

long VersionKey(std::string_view version) {
    long values[3] = {0, 0, 0};
    std::string_view rest = version;
    for (int i = 0; i < 3; ++i) {
        const size_t dot = rest.find('.');
        const std::optional<long long> value = ParseInteger(rest.substr(0, dot));
        if (!value || *value < INT_MIN || *value > INT_MAX || (i < 2 && dot == std::string_view::npos))
            throw KvfError("Неверная версия файла: \"" + std::string(version) + "\"");
        values[i] = static_cast<long>(*value);
        rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
    }
    return values[2] * 365 + values[1] * 31 + values[0];
}

bool VersionOlder(std::string_view a, std::string_view b) {
    return VersionKey(a) < VersionKey(b);
}

bool VersionAtLeast(std::string_view a, std::string_view b) {
    return VersionKey(a) >= VersionKey(b);
}

} // namespace kvf
