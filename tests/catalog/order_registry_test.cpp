// Moving an order file into the (hidden) recycled or archive folder: the cleaned name,
// the ".kfo" extension, the "~N" candidates, and no file ever replaced.

#include "../model/temp_folder_test.h"
#include "base/atomic_file.h"
#include "base/scripted_prompter.h"
#include "catalog/order_registry.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

namespace fs = std::filesystem;

class OrderFileMove : public test::TempFolderTest {
protected:
    OrderFileMove() : TempFolderTest("order_file_move_") {}
};

TEST_F(OrderFileMove, TargetNames) {
    struct Case {
        const char* name;
        const char* file;
        std::vector<const char*> taken; // files in the folder before the move
        const char* target;
    };
    const Case cases[] = {
        {"plain", "a1.kfo370", {}, "a1.kfo"},
        {"full stops become underscores", "Заказ 5.2.kfo370", {}, "Заказ 5_2.kfo"},
        {"taken name gets ~1", "Заказ 5.2.kfo370", {"Заказ 5_2.kfo"}, "Заказ 5_2~1.kfo"},
        {"first free candidate", "a1.kfo", {"a1.kfo", "a1~1.kfo", "a1~3.kfo"}, "a1~2.kfo"},
        {"characters unfit for a name", "x(1)!'%;[a].kfo370", {}, "x_1______a_.kfo"},
        {"no extension", "README", {}, "README.kfo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path folder = dir / "target";
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const char* name : c.taken)
            WriteFileAtomic((folder / name).string(), "taken");
        EXPECT_EQ((folder / c.target).string(), MovedFileName((dir / c.file).string(), folder.string()));
    }
}

TEST_F(OrderFileMove, MovesIntoAHiddenFolderMadeOnTheWay) {
    const std::string file = write("Заказ 5.2.kfo370", "order");
    ScriptedPrompter prompter;
    const std::string folder = (dir / "server/Archive").string();
    ASSERT_TRUE(MoveOrderFileToFolder(file, folder, prompter));
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ("order", ReadFileBytes(folder + "/Заказ 5_2.kfo"));
    EXPECT_EQ("Archive\n", ReadFileBytes((dir / "server/.hidden").string()));
    EXPECT_TRUE(prompter.records.empty());
    // An unconfigured folder: nothing happens.
    const std::string other = write("b.kfo370", "b");
    EXPECT_TRUE(MoveOrderFileToFolder(other, "", prompter));
    EXPECT_TRUE(fs::exists(other));
}

TEST_F(OrderFileMove, EveryCandidateTakenFailsWithoutReplacingAFile) {
    const fs::path folder = dir / "Recycled";
    fs::create_directories(folder);
    WriteFileAtomic((folder / "a.kfo").string(), "0");
    for (int i = 1; i <= 10000; ++i)
        std::ofstream(folder / ("a~" + std::to_string(i) + ".kfo")) << i;
    const std::string file = write("a.kfo370", "order");

    EXPECT_EQ("", MovedFileName(file, folder.string()));
    ScriptedPrompter prompter;
    EXPECT_FALSE(MoveOrderFileToFolder(file, folder.string(), prompter));
    EXPECT_EQ("order", ReadFileBytes(file));
    EXPECT_EQ("10000", ReadFileBytes((folder / "a~10000.kfo").string()));
    ASSERT_EQ(1u, prompter.records.size());
    EXPECT_EQ((ScriptedPrompter::Record{MessageKind::Error, "Ошибка 17 переноса файла\r\n" + file + "\r\nв " +
                                                                (folder / "a~10000.kfo").string() + "!"}),
              prompter.records[0]);
}

} // namespace
} // namespace kvf
