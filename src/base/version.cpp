#include "base/version.h"

namespace kvf {

std::string ExeFileVersion() {
    return KVF_VERSION;
}

} // namespace kvf
