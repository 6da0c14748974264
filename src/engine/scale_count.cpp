#include "engine/scale_count.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/rounding.h"

namespace kvf {

int CountSchemeEntries(const std::string& scheme, double v) {
    int k = 0;
    size_t start = 0;
    while (start <= scheme.size()) {
        size_t stop = scheme.find(';', start);
        if (stop == std::string::npos)
            stop = scheme.size();
        // An entry that is no integer reads as -1, which never counts.
        long long value = StrToIntDef(std::string_view(scheme).substr(start, stop - start), -1);
        if (value != -1 && static_cast<double>(value) <= v)
            ++k;
        start = stop + 1;
    }
    return k;
}

int ScaledCount(const ScaleRule& rule, double v, bool sideLength, const std::string& complectName,
                const std::string& elementName) {
    if (!rule.ScaleScheme.empty())
        return CountSchemeEntries(rule.ScaleScheme, v) * rule.ScaleNum + rule.Number;
    if (rule.ScaleStep < 1)
        throw KvfError("В БД наборов фурнитуры в комплекте [" + complectName +
                       "]\r\nсодержится элемент фурнитуры [" + elementName +
                       "],\r\nимеющий масштабирование и шаг равный нулю!");
    if (v < rule.ScaleStart)
        return rule.Number;
    double difference = v - rule.ScaleStart;
    long long steps = sideLength ? static_cast<long long>(RoundAway(difference)) / rule.ScaleStep
                                 : static_cast<long long>(difference) / rule.ScaleStep;
    return static_cast<int>((steps + rule.Number + 1) * rule.ScaleNum);
}

} // namespace kvf
