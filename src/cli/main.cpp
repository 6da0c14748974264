#include "cli/commands.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    return kvf::cli::Run(words, std::cout, std::cerr);
}
