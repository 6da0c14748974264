#include "base/scripted_prompter.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

TEST(ScriptedPrompter, AnswersFromQueuesThenRefuses) {
    ScriptedPrompter p;
    p.confirmAnswers = {true};
    p.inputAnswers = {std::string("12")};
    p.choiceAnswers = {2};
    EXPECT_TRUE(p.Confirm("a"));
    EXPECT_FALSE(p.Confirm("b"));
    EXPECT_EQ("12", p.InputText("", "prompt", ""));
    EXPECT_EQ(std::nullopt, p.InputText("", "again", ""));
    EXPECT_EQ(2, p.ChooseRow(ChoiceList{"c", "list", {}, {}, 0}));
    EXPECT_EQ(-1, p.ChooseRow(ChoiceList{}));
    EXPECT_EQ(YesNoCancelAnswer::Cancel, p.YesNoCancel("q"));
    EXPECT_EQ(0, p.TwoButton("c", "t", "1", "2"));
    p.ErrorDetail("text", "detail");
    EXPECT_EQ((ScriptedPrompter::Record{MessageKind::Error, "text\r\n[detail]"}), p.records.back());
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), p.Texts(MessageKind::Confirmation));
}

TEST(ScriptedPrompter, FlagsNestedBusyCursor) {
    ScriptedPrompter p;
    { BusyCursor outer(p); }
    EXPECT_FALSE(p.nestedBusy);
    EXPECT_FALSE(p.busy);
    {
        BusyCursor outer(p);
        BusyCursor inner(p, BusyKind::DatabaseWait);
    }
    EXPECT_TRUE(p.nestedBusy);
    EXPECT_EQ(3, p.busySets);
    EXPECT_EQ(3, p.cursorRestores);
    EXPECT_TRUE(p.unmatchedRestore);
}

} // namespace
} // namespace kvf
