#include "base/atomic_file.h"

#include "base/error.h"
#include "base/system_error_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
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

TEST_F(AtomicFileTest, ThroughASymbolicLinkTheTargetIsWrittenAndTheLinkStays) {
    fs::create_directories(folder / "real");
    const fs::path target = folder / "real" / "order.kfo370";
    WriteFileAtomic(target.string(), "old");
    fs::create_symlink("real/order.kfo370", folder / "relative");
    fs::create_symlink(folder / "relative", folder / "chain");
    for (const char* link : {"relative", "chain"}) {
        SCOPED_TRACE(link);
        WriteFileAtomic((folder / link).string(), link);
        EXPECT_TRUE(fs::is_symlink(folder / link));
        EXPECT_EQ(link, ReadFileBytes(target.string()));
    }
    EXPECT_EQ(1, std::distance(fs::directory_iterator(folder / "real"), {})) << "the temporary file is gone";
    fs::create_symlink("real/new.kfo370", folder / "dangling");
    WriteFileAtomic((folder / "dangling").string(), "new");
    EXPECT_EQ("new", ReadFileBytes((folder / "real" / "new.kfo370").string()));
}

// The reasons inside the messages are the program's own Russian texts.
TEST_F(AtomicFileTest, ReasonsAreInRussian) {
    struct Case {
        const char* name;
        std::function<void()> action;
        const char* reason;
    } cases[] = {
        {"missing file", [&] { ReadFileBytes((folder / "missing").string()); },
         "(файл или папка не найдены)"},
        {"missing folder", [&] { WriteFileAtomic((folder / "no" / "x").string(), "x"); },
         "(файл или папка не найдены)"},
        {"a folder", [&] { ReadFileBytes(folder.string()); }, "(это папка, а не файл)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.action();
            ADD_FAILURE() << "no error";
        } catch (const KvfError& e) {
            const std::string text = e.what();
            EXPECT_EQ(text.size() - std::strlen(c.reason), text.rfind(c.reason)) << text;
        }
    }
    EXPECT_EQ("нет места на диске", SystemErrorText(ENOSPC));
    EXPECT_EQ("файловая система доступна только для чтения", SystemErrorText(EROFS));
    EXPECT_EQ("нет доступа", SystemErrorText(EACCES));
}

} // namespace
} // namespace kvf
