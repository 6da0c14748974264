#include "base/stored_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kvf {
namespace {

namespace fs = std::filesystem;

TEST(StoredPath, MakeAndExpandKeepTheWindowsForm) {
    struct Case {
        const char* name;
        const char* base;
        const char* path;
        const char* stored;
        const char* expanded;
    };
    const Case cases[] = {
        {"under the base", "C:\\Data\\Orders", "c:\\data\\orders\\A\\1.kfo370", "%A\\1.KFO370",
         "C:\\DATA\\ORDERS\\A\\1.KFO370"},
        {"outside the base", "C:\\Data\\Orders", "D:\\other\\2.kfo370", "D:\\OTHER\\2.KFO370",
         "D:\\OTHER\\2.KFO370"},
        {"base prefix without separator", "C:\\Data\\Orders", "C:\\Data\\Orders2\\x", "C:\\DATA\\ORDERS2\\X",
         "C:\\DATA\\ORDERS2\\X"},
        {"already stored", "C:\\Data", "%a\\b", "%A\\B", "C:\\DATA\\A\\B"},
        {"cyrillic upper case", "C:\\Заказы", "c:\\заказы\\ёлка.kfo370", "%ЁЛКА.KFO370",
         "C:\\ЗАКАЗЫ\\ЁЛКА.KFO370"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string stored = MakeRelativePath(c.base, c.path);
        EXPECT_EQ(c.stored, stored);
        EXPECT_EQ(c.expanded, ExpandRelativePath(c.base, stored));
    }
}

class ResolveStoredPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("kvf_paths_" + std::to_string(getpid()));
        fs::create_directories(root / "Orders" / "Заказы");
        std::ofstream(root / "Orders" / "Заказы" / "Ёлка.kfo370") << "x";
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
};

TEST_F(ResolveStoredPathTest, ComponentsMatchIgnoringCase) {
    const std::string base = root.string();
    EXPECT_EQ(base + "/Orders/Заказы/Ёлка.kfo370", ResolveStoredPath(base + "\\ORDERS\\ЗАКАЗЫ\\ЁЛКА.KFO370"));
    // Missing components are kept as written, and so is what follows them.
    EXPECT_EQ(base + "/Orders/NEW/ЗАКАЗЫ", ResolveStoredPath(base + "\\orders\\NEW\\ЗАКАЗЫ"));
    EXPECT_EQ(base + "/Orders/", ResolveStoredPath(base + "\\ORDERS\\"));
}

TEST(StoredPath, JoinPath) {
    EXPECT_EQ("a/b", JoinPath("a", "b"));
    EXPECT_EQ("a/b", JoinPath("a/", "b"));
    EXPECT_EQ("b", JoinPath("", "b"));
    EXPECT_EQ("/b", JoinPath("/", "b"));
}

} // namespace
} // namespace kvf
