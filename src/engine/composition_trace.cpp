#include "engine/composition_trace.h"

#include "base/number_format.h"

#include <algorithm>

namespace kvf {

SashTrace& CompositionTrace::Begin(int sash) {
    std::erase_if(Sashes, [sash](const SashTrace& s) { return s.Sash == sash; });
    SashTrace& trace = Sashes.emplace_back();
    trace.Sash = sash;
    return trace;
}

const SashTrace* CompositionTrace::Find(int sash) const {
    const auto found =
        std::find_if(Sashes.begin(), Sashes.end(), [sash](const SashTrace& s) { return s.Sash == sash; });
    return found == Sashes.end() ? nullptr : &*found;
}

std::string TraceNumber(double value) {
    std::string text = FormatFixed(value, 2);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}

} // namespace kvf
