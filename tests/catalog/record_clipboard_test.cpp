#include "catalog/record_clipboard.h"

#include "catalog_fixture.h"

#include "base/error.h"

namespace kvf {
namespace {

class ClipboardTest : public CatalogFixture {
protected:
    ClipboardTest() {
        Sql("INSERT INTO PriceGrp (GroupID, Name, Reduce_1) VALUES (1,'a',-10),(2,'b',5.5),(3,'c',0)");
        OpenAll();
    }
    std::vector<int64_t> AllRowIds() {
        std::vector<int64_t> ids;
        for (t_.First(); !t_.Eof(); t_.Next())
            ids.push_back(t_.RowId());
        t_.First();
        return ids;
    }
    Table& t_ = dm_.T_PriceGrp;
    // Random(n) answers from a fixed list.
    std::vector<int> answers_ = {7, 42, 8, 43, 9, 44};
    size_t next_ = 0;
    TRecClipBoard clip_{[this](int) { return answers_[next_++ % answers_.size()]; }};
};

TEST_F(ClipboardTest, ThreeRecordsWithACounterArePostedEach) {
    const std::vector<std::string> exclude = {"reduce_2"};
    clip_.Copy(&t_, &exclude, true, AllRowIds(), "", "", "");
    ASSERT_EQ(3u, clip_.Records().size());
    EXPECT_EQ(nullptr, clip_.Records()[0]->Find("Reduce_2"));
    EXPECT_NE(nullptr, clip_.Records()[0]->Find("GroupID"));
    clip_.Paste(&t_, false, 10, "GroupID", 1, prompter_);
    EXPECT_EQ(TableState::Browse, t_.State());
    t_.Close();
    t_.Open();
    std::vector<std::string> rows;
    for (t_.First(); !t_.Eof(); t_.Next())
        rows.push_back(t_.AsString("GroupID") + ":" + t_.AsString("Name") + ":" + t_.AsString("Reduce_1"));
    EXPECT_EQ((std::vector<std::string>{"1:a:-10", "2:b:5.5", "3:c:0", "11:a:-10", "12:b:5.5", "13:c:0"}),
              rows);
}

TEST_F(ClipboardTest, RandomKeyAndAskedValueForASingleRecord) {
    ASSERT_TRUE(t_.Locate("GroupID", {Value{int64_t{2}}}));
    clip_.Copy(&t_, nullptr, false, {}, "Reduce_2", "Name", "Название группы");
    prompter_.inputAnswers.push_back(std::string("new"));
    clip_.Paste(&t_, false, 0, "", 0, prompter_);
    ASSERT_EQ(1u, prompter_.records.size());
    EXPECT_EQ("Название группы", prompter_.records[0].text);
    EXPECT_EQ(TableState::Insert, t_.State()) << "a single pasted record stays open for editing";
    EXPECT_EQ("new", t_.AsString("Name"));
    EXPECT_DOUBLE_EQ(7 * 10000 + 42, t_.AsFloat("Reduce_2"));
    t_.Post();
    EXPECT_EQ(4, t_.RecordCount());
}

TEST_F(ClipboardTest, CancelledOrEmptyAnswerAbandonsThePaste) {
    for (std::optional<std::string> answer : {std::optional<std::string>(), std::optional<std::string>("")}) {
        SCOPED_TRACE(answer ? "empty answer" : "cancelled");
        clip_.Copy(&t_, nullptr, false, AllRowIds(), "", "Name", "?");
        prompter_.inputAnswers.push_back(std::string("x"));
        prompter_.inputAnswers.push_back(answer);
        clip_.Paste(&t_, true, 0, "", 1, prompter_);
        EXPECT_EQ(TableState::Browse, t_.State());
        EXPECT_EQ(4, t_.RecordCount()) << "the first record was pasted before the question for the second";
        t_.First();
        while (!t_.Eof() && t_.AsString("Name") != "x")
            t_.Next();
        ASSERT_FALSE(t_.Eof());
        t_.Delete();
    }
}

TEST_F(ClipboardTest, OnlyIntoTheTableItCameFromAndNothingFromAnEmptyTable) {
    clip_.Copy(&t_, nullptr, false, {}, "", "", "");
    clip_.Paste(&dm_.T_Color, true, 0, "", 1, prompter_);
    EXPECT_TRUE(dm_.T_Color.IsEmpty());
    clip_.Copy(&dm_.T_Color, nullptr, false, {}, "", "", "");
    EXPECT_EQ(&t_, clip_.DataSet) << "copying from an empty table changes nothing";
    const std::vector<std::string> only = {"Reduce_1", "Name", "Nope"};
    t_.First();
    clip_.Copy(&t_, &only, false, {}, "", "", "");
    ASSERT_EQ(2u, clip_.Records()[0]->Fields.size());
    EXPECT_EQ("Reduce_1", clip_.Records()[0]->Fields[0].FieldName);
    EXPECT_EQ("Name", clip_.Records()[0]->Fields[1].FieldName);
}

TEST_F(ClipboardTest, PastingARowWhoseKeyIsTakenIsRefused) {
    Sql("INSERT INTO COLORSET (Color, Name) VALUES ('WH', 'Белый')");
    Table& colors = dm_.T_Color;
    colors.Close();
    colors.Open();
    colors.First();
    clip_.Copy(&colors, nullptr, false, {}, "", "", "");
    try {
        clip_.Paste(&colors, true, 0, "", 1, prompter_);
        ADD_FAILURE() << "pasted";
    } catch (const KvfError& e) {
        EXPECT_STREQ("Таблица [COLORSET]: запись с ключом (Color=WH) уже есть", e.what());
    }
    EXPECT_EQ(TableState::Browse, colors.State());
    EXPECT_EQ(1, colors.RecordCount());
}

TEST_F(ClipboardTest, EditModeOverwritesTheCurrentRow) {
    const std::vector<std::string> only = {"Reduce_1"};
    ASSERT_TRUE(t_.Locate("GroupID", {Value{int64_t{1}}}));
    clip_.Copy(&t_, &only, false, {}, "", "", "");
    ASSERT_TRUE(t_.Locate("GroupID", {Value{int64_t{3}}}));
    clip_.Paste(&t_, true, 0, "", 2, prompter_);
    ASSERT_TRUE(t_.Locate("GroupID", {Value{int64_t{3}}}));
    EXPECT_DOUBLE_EQ(-10, t_.AsFloat("Reduce_1"));
    EXPECT_EQ("c", t_.AsString("Name"));
    EXPECT_EQ(3, t_.RecordCount());
}

} // namespace
} // namespace kvf
