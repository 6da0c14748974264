#include "base/atomic_file.h"

#include "base/error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kvf {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("kvf_atomic_" + std::to_string(getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override {
        fs::permissions(folder, fs::perms::owner_all);
        fs::remove_all(folder);
    }
    size_t entries() const { return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {})); }
    fs::path folder;
};

TEST_F(AtomicFileTest, WritesReplacesAndReadsBack) {
    const std::string path = (folder / "order.kfo370").string();
    const std::string bytes("a\0b\xFF", 4);
    WriteFileAtomic(path, bytes);
    EXPECT_EQ(bytes, ReadFileBytes(path));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    WriteFileAtomic(path, "second");
    EXPECT_EQ("second", ReadFileBytes(path));
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write, fs::status(path).permissions());
    WriteFileAtomic(path, "");
    EXPECT_EQ("", ReadFileBytes(path));
    EXPECT_EQ(1u, entries()); // no temporary file left behind
}

TEST_F(AtomicFileTest, FailureLeavesTheOldFileAndNamesIt) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    const std::string path = (folder / "order.kfo370").string();
    WriteFileAtomic(path, "old");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    try {
        WriteFileAtomic(path, "new");
        FAIL() << "no error";
    } catch (const KvfError& e) {
        EXPECT_EQ(0u, std::string(e.what()).find("Ошибка записи файла \"" + path + "\"\r\n(")) << e.what();
    }
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ("old", ReadFileBytes(path));
    EXPECT_EQ(1u, entries());
}

TEST_F(AtomicFileTest, FailedRenameRemovesTheTemporaryFile) {
    fs::create_directories(folder / "busy" / "inside");
    EXPECT_THROW(WriteFileAtomic((folder / "busy").string(), "x"), KvfError);
    EXPECT_TRUE(fs::is_directory(folder / "busy" / "inside"));
    EXPECT_EQ(1u, entries());
}

TEST_F(AtomicFileTest, MissingFolderAndMissingFileRaise) {
    EXPECT_THROW(WriteFileAtomic((folder / "no" / "x").string(), "x"), KvfError);
    const std::string missing = (folder / "missing.kfo370").string();
    try {
        ReadFileBytes(missing);
        FAIL() << "no error";
    } catch (const KvfError& e) {
        EXPECT_EQ(0u, std::string(e.what()).find("Ошибка чтения файла \"" + missing + "\"")) << e.what();
    }
    EXPECT_THROW(ReadFileBytes(folder.string()), KvfError);
}

} // namespace
} // namespace kvf
