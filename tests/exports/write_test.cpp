// Writing an export file: the overwrite question, the folder, and bad input
// that must end with a clear message and no partial file.

#include "base/atomic_file.h"
#include "export_fixture.h"
#include "exports/fixed_columns.h"
#include "exports/supplier_export.h"
#include "exports/supplier_format.h"

namespace kvf::test {
namespace {

class ExportWrite : public ExportFixture {
protected:
    ExportWriteResult Write(const SupplierFormat& format, TExportSource source) {
        ExportWriteContext context{prompter_, catalog_, OrdersDir()};
        return WriteExportFile(format, values_, source, context);
    }
};

using ExportTbmWrite = ExportWrite;

TEST_F(ExportTbmWrite, DecliningTheOverwriteKeepsTheFile) {
    WriteFileAtomic(values_.FileName, "old");
    prompter_.confirmAnswers = {false};
    EXPECT_EQ(ExportWriteResult::Declined, Write(TbmFormat, OrderSource()));
    EXPECT_EQ("old", ReadFileBytes(values_.FileName));
    ASSERT_EQ(1u, prompter_.records.size());
    EXPECT_EQ((ScriptedPrompter::Record{MessageKind::Confirmation,
                                        "Файл [" + values_.FileName + "] уже существует!\r\nПереписать?"}),
              prompter_.records[0]);

    prompter_.confirmAnswers = {true};
    EXPECT_EQ(ExportWriteResult::Written, Write(TbmFormat, OrderSource()));
    EXPECT_EQ(Golden("tbm_order.txt"), ReadFileBytes(values_.FileName));
}

TEST_F(ExportTbmWrite, MissingFoldersAreCreated) {
    values_.FileName = ExportDir() + "/2026/12/Z01230007.txt";
    EXPECT_EQ(ExportWriteResult::Written, Write(TbmFormat, OrderSource()));
    EXPECT_TRUE(fs::is_regular_file(values_.FileName));
}

// Each bad input: one error box naming the export and the file, the reason
// in it, no file (and an older file of that name untouched), no leftovers.
TEST_F(ExportTbmWrite, BadInputGivesAMessageAndNoFile) {
    struct Case {
        const char* name;
        const SupplierFormat* format;
        std::function<void(ExportWrite&)> arrange;
        bool selection;
        const char* reason;
    };
    const Case cases[] = {
        {"no included position", &TbmFormat,
         [](ExportWrite& t) {
             for (auto& p : t.order_.Positions)
                 p->Included = false;
         },
         false, "В заказе нет позиций, включенных в расчет. Экспортировать нечего."},
        {"selection without included items", &VorneFormat,
         [](ExportWrite& t) {
             for (auto& item : t.selection_.Items)
                 item->Included = false;
         },
         true, "В выборке нет позиций, включенных в расчет. Экспортировать нечего."},
        {"article missing from the catalog", &TbmFormat,
         [](ExportWrite& t) { t.order_.Position(1).LeftFlugel.MatList[0]->ID = "GONE"; }, false,
         "В каталоге отсутствуют данные для [GONE]!\r\n(Поиск [Ед.изм] через [Код])"},
        {"selection pricing an article missing from the catalog", &XmlFormat,
         [](ExportWrite& t) {
             t.order_.Position(1).LeftFlugel.MatList[0]->ID = "GONE";
             ASSERT_TRUE(t.order_.SaveToFile(t.OrdersDir() + "/ORDER15.KFO370", t.prompter_));
         },
         true, "В каталоге отсутствуют данные для [GONE]!"},
        {"firm name outside Windows-1251", &VorneFormat,
         [](ExportWrite& t) { t.values_.FirmName = "Fenster ✓ 窗"; }, false,
         "Текст поля \"Наименование фирмы\" содержит символы, которых нет в кодировке Windows-1251: ✓窗"},
        {"a file where the folder should be", &TbmFormat,
         [](ExportWrite& t) {
             WriteFileAtomic(t.ExportDir() + "/plain", "x");
             t.values_.FileName = t.ExportDir() + "/plain/Z01230007.txt";
         },
         false, "plain"},
        {"the file name names a folder", &XmlFormat,
         [](ExportWrite& t) {
             fs::create_directories(t.ExportDir() + "/Z.xml");
             t.values_.FileName = t.ExportDir() + "/Z.xml";
         },
         false, "Это имя папки, а не файла"},
        {"no file name", &TbmFormat, [](ExportWrite& t) { t.values_.FileName = ""; }, false,
         "Не задано имя файла экспорта"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExportWrite& t = *this;
        fs::remove_all(ExportDir());
        fs::create_directories(ExportDir());
        values_.FileName = ExportDir() + "/Z01230007.txt";
        c.arrange(t);
        const bool existed = fs::is_regular_file(values_.FileName);
        prompter_.records.clear();
        EXPECT_EQ(ExportWriteResult::Failed,
                  Write(*c.format, c.selection ? SelectionSource() : OrderSource()));
        ASSERT_EQ(1u, prompter_.records.size());
        const std::string& text = prompter_.records[0].text;
        EXPECT_EQ(MessageKind::Error, prompter_.records[0].kind);
        EXPECT_EQ(0u, text.find(std::string("Ошибка записи данных в файл экспорта ") + c.format->ExportName +
                                " " + values_.FileName + "!\r\n"))
            << text;
        EXPECT_NE(std::string::npos, text.find(c.reason)) << text;
        EXPECT_EQ(existed, fs::is_regular_file(values_.FileName));
        for (const auto& entry : fs::recursive_directory_iterator(ExportDir()))
            EXPECT_TRUE(entry.path().string().find("plain") != std::string::npos ||
                        entry.path().string() == ExportDir() + "/Z.xml")
                << "left behind: " << entry.path();
        // Restore what the case changed.
        for (auto& p : order_.Positions)
            p->Included = true;
        order_.Position(2).Included = false;
        for (auto& item : selection_.Items)
            item->Included = true;
        order_.Position(1).LeftFlugel.MatList[0]->ID = "A1";
        ASSERT_TRUE(order_.SaveToFile(OrdersDir() + "/ORDER15.KFO370", prompter_));
        values_.FirmName = "ООО \"Окна & Двери\"";
    }
}

TEST(ExportTbmColumns, TrimPadCutAndKeepTheRight) {
    struct Case {
        const char* name;
        const char* text;
        const char* left4;
        const char* right4;
    };
    const Case cases[] = {
        {"short", "ab", "ab  ", "  ab"},
        {"blanks trimmed first", "  ab  ", "ab  ", "  ab"},
        {"exact", "abcd", "abcd", "abcd"},
        {"long: the left keeps the start, the right the end", "12345678", "1234", "5678"},
        {"empty", "", "    ", "    "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.left4, LeftColumn(c.text, 4));
        EXPECT_EQ(c.right4, RightColumn(c.text, 4));
    }
    EXPECT_EQ("\xCF\xE5\xF2", LeftColumn(ToAnsiExact("Петля", "x"), 3)) << "one byte a Cyrillic letter";
}

} // namespace
} // namespace kvf::test
