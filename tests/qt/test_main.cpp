#include "offscreen_tests.h"

int main(int argc, char** argv) {
    return kvf::test::RunOffscreenTests(argc, argv);
}
