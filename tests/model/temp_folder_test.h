#pragma once
// A test fixture with a folder of its own: emptied before each test, removed
// after it, named after the test so tests never see each other's files.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

namespace kvf::test {

class TempFolderTest : public ::testing::Test {
protected:
    // The folder is `prefix` followed by the test's name.
    explicit TempFolderTest(std::string prefix) : prefix_(std::move(prefix)) {}

    void SetUp() override {
        dir = std::filesystem::path(::testing::TempDir()) /
              (prefix_ + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Writes the bytes to `name` in the folder; its full path.
    std::string write(const std::string& name, const std::string& bytes) const {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::filesystem::path dir;

private:
    std::string prefix_;
};

} // namespace kvf::test
