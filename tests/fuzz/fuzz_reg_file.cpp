// Parses arbitrary bytes as a registry file: either sections come back or a
// KvfError names the fault; whatever parses, once written, parses again (the
// registry never writes a file it cannot read back).
// fuzz-deps: kvf_config
#include "base/error.h"
#include "config/reg_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<kvf::RegKeySection> sections;
    try {
        sections = kvf::ParseRegFile(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const kvf::KvfError&) {
        return 0;
    }
    kvf::ParseRegFile(kvf::FormatRegFile(sections));
    return 0;
}
