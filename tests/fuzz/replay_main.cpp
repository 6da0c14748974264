// Feeds every file of a folder to a fuzz target once: the inputs that once
// crashed a reader stay checked by the ordinary test run.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    if (argc < 2 || !fs::is_directory(argv[1])) {
        std::printf("0 passed, 0 failed\n");
        return 0;
    }
    int count = 0;
    for (const auto& entry : fs::directory_iterator(argv[1])) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        ++count;
    }
    std::printf("%d passed, 0 failed\n", count);
    return 0;
}
