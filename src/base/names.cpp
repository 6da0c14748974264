#include "base/names.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>

namespace kvf {

std::string SanitizeFileName(std::string_view name, char c) {
    static constexpr std::string_view forbidden = "\\/:*?,;\"`!(){}[]<>|%'";
    std::string out(name);
    for (char& ch : out)
        if (forbidden.find(ch) != std::string_view::npos)
            ch = c;
    return out;
}

std::string UniqueName(int n) {
    n = std::clamp(n, 0, 17);
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm t{};
    localtime_r(&now.tv_sec, &t);
    char stamp[80];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d%02d%02d%03d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, static_cast<int>(now.tv_nsec / 1000000));

    long long limit = 1;
    for (int i = 0; i <= n; ++i)
        limit *= 10;
    std::random_device seed;
    std::mt19937_64 engine(seed());
    // Random(limit - 1): 0 .. limit - 2.
    const long long value = limit > 2 ? std::uniform_int_distribution<long long>(0, limit - 2)(engine) : 0;
    std::string random = std::to_string(value);
    if (random.size() < static_cast<size_t>(n))
        random.insert(0, static_cast<size_t>(n) - random.size(), '0');
    return stamp + random;
}

} // namespace kvf
