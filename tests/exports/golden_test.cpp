// Each format written from the fixture's order and selection, byte for byte
// against files checked by hand: cut names, eight-digit quantities, sorted
// Vorne lines, 148/145 widths, XML articles falling back to the identifier,
// 2.5 -> 3 and 0.4 -> 0.

#include "base/atomic_file.h"
#include "base/text.h"
#include "export_fixture.h"
#include "exports/supplier_export.h"
#include "exports/supplier_format.h"

namespace kvf::test {
namespace {

struct Case {
    const char* name;
    bool selection;
    const char* golden;
};

class ExportGolden : public ExportFixture {
protected:
    void WriteAndCompare(const SupplierFormat& format, std::initializer_list<Case> cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            values_.FileName = ExportDir() + "/" + c.golden;
            ExportWriteContext context{prompter_, catalog_, OrdersDir()};
            ASSERT_EQ(
                ExportWriteResult::Written,
                WriteExportFile(format, values_, c.selection ? SelectionSource() : OrderSource(), context));
            EXPECT_TRUE(prompter_.records.empty()) << prompter_.records.front().text;
            ExpectGolden(c.golden, ReadFileBytes(values_.FileName));
            if (&format == &XmlFormat)
                ExpectXmllintAccepts(values_.FileName);
        }
    }
};

// Lines of a Windows-1251 text file, CR LF checked.
std::vector<std::string> AnsiLines(const std::string& bytes) {
    EXPECT_EQ("\r\n", bytes.substr(bytes.size() - 2));
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(bytes.size(), start) << "a line without CR LF";
    return lines;
}

using ExportTbmGolden = ExportGolden;
using ExportVorneGolden = ExportGolden;
using ExportXmlGolden = ExportGolden;

TEST_F(ExportTbmGolden, OrderAndSelection) {
    WriteAndCompare(TbmFormat, {{"order", false, "tbm_order.txt"}, {"selection", true, "tbm_selection.txt"}});
}

TEST_F(ExportTbmGolden, ItemLinesAre77AndTheFrame80Wide) {
    const std::vector<std::string> lines = AnsiLines(Golden("tbm_order.txt"));
    ASSERT_EQ(5u + 3 + 4 + 3, lines.size());
    for (size_t i = 5; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(i >= 8 && i < 12 ? 77u : 80u, lines[i].size());
    }
    EXPECT_EQ("    Артикул                       Название                      Кол.  Ед.изм.   ",
              FromAnsi(lines[6]));
    EXPECT_EQ("                    Заявку составил________________________                     ",
              FromAnsi(lines.back()));
}

TEST_F(ExportVorneGolden, OrderAndSelection) {
    WriteAndCompare(VorneFormat,
                    {{"order", false, "vorne_order.txt"}, {"selection", true, "vorne_selection.txt"}});
}

TEST_F(ExportVorneGolden, ItemLinesAre145AndTheFrame148Wide) {
    const std::vector<std::string> lines = AnsiLines(Golden("vorne_order.txt"));
    ASSERT_EQ(5u + 3 + 4 + 3, lines.size());
    for (size_t i = 5; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(i >= 8 && i < 12 ? 145u : 148u, lines[i].size());
    }
    // Sorted by identifier (A1 B2 C3 D4) although the order lists C3 first.
    const char* articles[] = {"VB-100", "", "VB-300", "VB-400"};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(articles[i], Trim(lines[8 + i].substr(0, 16)));
}

TEST_F(ExportXmlGolden, OrderAndSelection) {
    WriteAndCompare(XmlFormat, {{"order", false, "vbh_order.xml"}, {"selection", true, "vbh_selection.xml"}});
}

} // namespace
} // namespace kvf::test
