#include "reports/report.h"

#include "base/error.h"
#include "geometry/recording_canvas.h"
#include "reports/report_expression.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace kvf {
namespace {

// A data source over a list of rows; the current row's fields are the report's values.
struct Rows {
    std::vector<std::map<std::string, Variant>> rows;
    int index = -1; // before First
    TReportUserDataSet dataSet;

    Rows() {
        dataSet.OnFirst = [this] { index = 0; };
        dataSet.OnNext = [this] { ++index; };
        dataSet.OnPrior = [this] { --index; };
        dataSet.OnCheckEOF = [this] { return index >= static_cast<int>(rows.size()); };
    }
    bool Get(const std::string& name, Variant& value) const {
        if (index < 0 || index >= static_cast<int>(rows.size()))
            return false;
        const auto it = rows[static_cast<size_t>(index)].find(name);
        if (it == rows[static_cast<size_t>(index)].end())
            return false;
        value = it->second;
        return true;
    }
};

std::map<std::string, Variant> row(const std::string& name, const char* price, int group = 0) {
    return {{"NAME", Variant::FromText(name)},
            {"PRICE", Variant::FromCurrency(*Money::Parse(price))},
            {"GROUP", Variant::FromInteger(group)}};
}

std::string report(const std::string& bands, const std::string& page = "<page size=\"A4\"/>") {
    return "<report>" + page + bands + "</report>";
}

std::string text(const std::string& content, const std::string& extra = {}) {
    return "<text left=\"0\" top=\"0\" width=\"100\" height=\"5\" " + extra + ">" + content + "</text>";
}

class ReportEngineTest : public ::testing::Test {
protected:
    ReportEngineTest() {
        r.SetDataSet("rows", &rows.dataSet);
        r.SetDataSet("details", &details.dataSet);
        r.OnGetValue = [this](const std::string& name, Variant& value) {
            return details.Get(name, value) || rows.Get(name, value);
        };
    }

    TPreparedReport Prepare(const std::string& xml) {
        r.LoadFromText(xml, "test.kfr");
        return r.PrepareReport(measure);
    }

    static std::vector<std::string> Texts(const TPreparedReport& prepared, size_t page = 0) {
        return prepared.Pages.at(page).Items.Texts();
    }

    RecordingCanvas measure;
    Rows rows;
    Rows details;
    TReport r;
};

TEST_F(ReportEngineTest, BandsPrintInTheirOrder) {
    rows.rows = {row("A", "1"), row("B", "2")};
    details.rows = {row("x", "0")};
    const TPreparedReport prepared = Prepare(
        report("<band type=\"PageHeader\" height=\"5\">" + text("header") + "</band>" +
               "<band type=\"ReportTitle\" height=\"5\">" + text("title") + "</band>" +
               "<band type=\"MasterHeader\" height=\"5\">" + text("columns") + "</band>" +
               "<band type=\"MasterData\" name=\"MasterData1\" source=\"rows\" height=\"5\">" +
               text("row [NAME]") + "<band type=\"DetailData\" source=\"details\" height=\"5\">" +
               text("detail [NAME]") + "</band></band>" + "<band type=\"MasterFooter\" height=\"5\">" +
               text("footer") + "</band>" + "<band type=\"ReportSummary\" height=\"5\">" + text("summary") +
               "</band>" + "<band type=\"PageFooter\" height=\"5\">" + text("page [PAGE#]") + "</band>"));
    ASSERT_EQ(1u, prepared.Pages.size());
    const std::vector<std::string> expected = {"header", "title",    "columns", "row A",   "detail x",
                                               "row B",  "detail x", "footer",  "summary", "page 1"};
    EXPECT_EQ(expected, Texts(prepared));
}

TEST_F(ReportEngineTest, AggregatesAddUpTheirBandAndRestartAfterShowing) {
    rows.rows = {row("A", "1.25", 1), row("B", "2.50", 1), row("C", "4", 2)};
    const TPreparedReport prepared = Prepare(report(
        "<band type=\"MasterData\" name=\"MasterData1\" source=\"rows\" height=\"5\">" + text("[NAME]") +
        "<band type=\"GroupHeader\" condition=\"[GROUP]\" height=\"5\">" + text("group [GROUP]") + "</band>" +
        "<band type=\"GroupFooter\" height=\"5\">" + text("subtotal [SUM(PRICE)] of [COUNT()]") + "</band>" +
        "</band>" + "<band type=\"MasterFooter\" height=\"5\">" +
        text("total [SUM(PRICE, MasterData1)] avg [FormatFloat('0.00', AVG(PRICE))] min [MIN(PRICE)] max "
             "[MAX(PRICE)] n [COUNT(MasterData1)]") +
        "</band>"));
    const std::vector<std::string> expected = {"group 1",
                                               "A",
                                               "B",
                                               "subtotal 3.75 of 2",
                                               "group 2",
                                               "C",
                                               "subtotal 4 of 1",
                                               "total 7.75 avg 2.58 min 1.25 max 4 n 3"};
    EXPECT_EQ(expected, Texts(prepared));
}

TEST_F(ReportEngineTest, PagesBreakAndKnowTheirNumbers) {
    for (int i = 0; i < 60; ++i)
        rows.rows.push_back(row("R" + std::to_string(i), "1"));
    // A5: 210 mm high, 10 mm margins, 10 mm footer: 18 rows of 10 mm per page.
    const TPreparedReport prepared = Prepare(report(
        "<band type=\"MasterData\" source=\"rows\" height=\"10\">" + text("[NAME]") + "</band>" +
            "<band type=\"PageFooter\" height=\"10\">" + text("Стр. [PAGE#] из [TOTALPAGES]") + "</band>",
        "<page size=\"A5\"/>"));
    ASSERT_EQ(4u, prepared.Pages.size());
    EXPECT_EQ("R0", Texts(prepared, 0).front());
    EXPECT_EQ("Стр. 1 из 4", Texts(prepared, 0).back());
    EXPECT_EQ("Стр. 4 из 4", Texts(prepared, 3).back());
    size_t printed = 0;
    for (size_t p = 0; p < prepared.Pages.size(); ++p)
        printed += Texts(prepared, p).size() - 1;
    EXPECT_EQ(60u, printed);
    EXPECT_EQ(ReportPixels(148), prepared.Pages[0].Width);
}

TEST_F(ReportEngineTest, StretchedTextGrowsItsBand) {
    rows.rows = {row(std::string(200, 'W'), "1"), row("short", "1")};
    // 40 mm = 151 px wide: 147 px of text, 13 px font: 21 characters of 7 px a line.
    const TPreparedReport prepared = Prepare(report(
        "<band type=\"MasterData\" source=\"rows\" height=\"5\">" +
        std::string("<text left=\"0\" top=\"0\" width=\"40\" height=\"5\" stretch=\"1\">[NAME]</text>") +
        "</band>" + "<band type=\"ReportSummary\" height=\"5\">" + text("end") + "</band>"));
    const std::vector<std::string> texts = Texts(prepared);
    ASSERT_EQ(12u, texts.size()); // 10 lines of the long name, "short", "end"
    EXPECT_EQ(std::string(21, 'W'), texts[0]);
    EXPECT_EQ(std::string(11, 'W'), texts[9]);
    EXPECT_EQ("short", texts[10]);
}

TEST_F(ReportEngineTest, UserFunctionsGetTheirArgumentsUnevaluated) {
    std::vector<std::string> seen;
    r.OnUserFunction = [&](const std::string& name,
                           const std::vector<std::string>& args) -> std::optional<Variant> {
        if (name != "_ECHO")
            return std::nullopt;
        seen = args;
        return Variant::FromText(r.Calc(args[0]).AsText() + "/" + args[1]);
    };
    rows.rows = {row("A", "1")};
    const TPreparedReport prepared =
        Prepare(report("<band type=\"MasterData\" source=\"rows\" height=\"5\">" +
                       text("[_echo(NAME + 'x', 'SORT_BY_NAME')]") + "</band>"));
    EXPECT_EQ((std::vector<std::string>{"NAME + 'x'", "'SORT_BY_NAME'"}), seen);
    EXPECT_EQ((std::vector<std::string>{"Ax/'SORT_BY_NAME'"}), Texts(prepared));
}

TEST_F(ReportEngineTest, ExpressionsMixTextsNumbersAndTruth) {
    struct Case {
        const char* name;
        const char* expression;
        const char* expected;
    };
    const Case cases[] = {
        {"texts join", "'a' + \"b\" + 'it''s'",
         "ab"
         "it's"},
        {"number and text join", "'n=' + 2", "n=2"},
        {"money adds exactly", "PRICE + PRICE", "2.5"},
        {"integers stay whole", "7 - 2 * 3", "1"},
        {"comparison of texts", "'abc' < 'abd'", "True"},
        {"comparison of numbers", "10 > 9", "True"},
        {"and binds tighter than or", "1 = 2 and 1 = 1 or 2 = 2", "True"},
        {"not", "not (1 = 1)", "False"},
        {"IIF takes one branch", "IIF(NAME = 'A', 'yes', 1 / 0)", "yes"},
        {"FormatFloat groups thousands", "FormatFloat('#,##0.00', 1234567.891)", "1 234 567.89"},
        {"FormatFloat optional digits", "FormatFloat('0.##', 2.5)", "2.5"},
        {"FormatFloat literal text", "FormatFloat('0.00 руб.', 3)", "3.00 руб."},
        {"FormatDateTime", "FormatDateTime('dd.mm.yyyy', 45000)", "15.03.2023"},
        {"Copy counts characters", "Copy('Привет', 2, 3)", "рив"},
        {"Pos counts characters", "Pos('ет', 'Привет')", "5"},
        {"Length", "Length('Привет')", "6"},
        {"Trim and Str", "Trim('  x ') + Str(1.5)", "x1.5"},
        {"names ignore case of functions", "iif(true, 'a', 'b')", "a"},
    };
    rows.rows = {row("A", "1.25")};
    rows.index = 0;
    r.LoadFromText(report(""), "test.kfr");
    r.OnGetValue = [this](const std::string& name, Variant& value) {
        if (name == "true") {
            value = Variant::FromBoolean(true);
            return true;
        }
        return rows.Get(name, value);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, ReportText(r.Calc(c.expression)));
    }
}

TEST_F(ReportEngineTest, ErrorsNameTemplateBandAndView) {
    struct Case {
        const char* name;
        std::string xml;
        std::vector<std::string> parts; // each must be in the message
    };
    const std::string data = "<band type=\"MasterData\" name=\"Rows1\" source=\"rows\" height=\"5\">";
    const Case cases[] = {
        {"broken XML", "<report><band></report>", {"test.kfr", "XML"}},
        {"no report element", "<other/>", {"test.kfr", "<report>"}},
        {"unknown band type", report("<band type=\"Middle\" name=\"B1\"/>"), {"test.kfr", "B1", "Middle"}},
        {"syntax error",
         report(data + "<text name=\"Memo7\">[NAME +]</text></band>"),
         {"test.kfr", "Rows1", "Memo7", "NAME +"}},
        {"unclosed insert", report(data + "<text name=\"Memo8\">[NAME</text></band>"), {"Rows1", "Memo8"}},
        {"missing data source",
         report("<band type=\"MasterData\" name=\"Data2\" source=\"nowhere\"/>"),
         {"test.kfr", "Data2", "nowhere"}},
        {"unknown variable",
         report(data + "<text name=\"Memo9\">[_NO_SUCH]</text></band>"),
         {"test.kfr", "Rows1", "Memo9", "_NO_SUCH"}},
        {"unknown function",
         report(data + "<text name=\"Memo10\">[_NOFUNC(1)]</text></band>"),
         {"Rows1", "Memo10", "_NOFUNC"}},
        {"missing picture",
         report(data + "<picture name=\"Logo1\" file=\"/nonexistent/logo.png\"/></band>"),
         {"Rows1", "Logo1", "logo.png"}},
        {"unknown view", report(data + "<circle name=\"C\"/></band>"), {"Rows1", "circle"}},
        {"footer without data band", report("<band type=\"MasterFooter\" name=\"F1\"/>"), {"F1"}},
        {"aggregate of an unknown band",
         report(data + "</band><band type=\"ReportSummary\">" + text("[SUM(PRICE, Nowhere)]") + "</band>"),
         {"Nowhere"}},
    };
    rows.rows = {row("A", "1")};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            Prepare(c.xml);
            ADD_FAILURE() << "no error";
        } catch (const KvfError& e) {
            for (const std::string& part : c.parts)
                EXPECT_NE(std::string::npos, std::string(e.what()).find(part)) << e.what();
        }
    }
}

TEST_F(ReportEngineTest, SketchViewShowsThePlaceholderWithoutAnObject) {
    rows.rows = {row("A", "1")};
    const TPreparedReport prepared = Prepare(report("<band type=\"ReportTitle\" height=\"50\"><KVFImage "
                                                    "name=\"Sketch1\" left=\"10\" top=\"0\" width=\"80\" "
                                                    "height=\"40\"/></band>"));
    RecordingCanvas target;
    prepared.Pages[0].Items.Replay(target);
    const std::vector<std::string> texts = target.RecordsOf("text");
    ASSERT_EQ(1u, texts.size());
    EXPECT_NE(std::string::npos, texts[0].find("ЭСКИЗ ИЗДЕЛИЯ"));
    EXPECT_NE(std::string::npos, texts[0].find("bold"));

    auto* sketch = dynamic_cast<TkvfFRDrawView*>(r.FindObject("sketch1"));
    ASSERT_NE(nullptr, sketch);
    int calls = 0;
    r.OnBeforePrint = [&](TReportView& view) {
        if (auto* s = dynamic_cast<TkvfFRDrawView*>(&view)) {
            s->HasObject = true;
            s->DrawProc = [&](Canvas& canvas, int left, int top, int right, int bottom,
                              const TkvfConstruction*) {
                ++calls;
                canvas.MoveTo({left, top});
                canvas.LineTo({right, bottom});
            };
        }
    };
    const TPreparedReport drawn = r.PrepareReport(measure);
    RecordingCanvas second;
    drawn.Pages[0].Items.Replay(second);
    EXPECT_EQ(1, calls);
    EXPECT_TRUE(second.RecordsOf("text").empty());
    // 10 mm margin + 10 mm: 76 px; 80 mm wide: 302 px; 40 mm: 151 px.
    EXPECT_EQ((std::vector<std::string>{"line 76,38 -> 378,189 pen=#000000/1"}), second.RecordsOf("line"));
}

} // namespace
} // namespace kvf
