#include "engine/article_selection.h"

#include "base/error.h"
#include "engine_fixture.h"

#include <gtest/gtest.h>

namespace kvf::test {
namespace {

class SelectArticleTest : public EngineTest {
protected:
    ArticleResult Select(ArticleRequest request) {
        request.ComplectName = "Комплект";
        return SelectArticle(EngineContext{dm, lookups, prompter, debug}, request);
    }
    std::string SelectError(const ArticleRequest& request) {
        try {
            Select(request);
        } catch (const KvfError& e) {
            return e.what();
        }
        return "";
    }
    static ArticleRequest Request(const std::string& element, bool required = true) {
        ArticleRequest r;
        r.ElementID = element;
        r.Required = required;
        r.Direction = 1;
        r.Color = "RAL";
        r.Principle.FFB = 70;
        r.Principle.FFH = 141;
        return r;
    }
};

TEST_F(SelectArticleTest, ElementWithoutArticlesIsNotFoundEvenWhenRequired) {
    ArticleResult r = Select(Request("E0"));
    EXPECT_FALSE(r.Found);
    EXPECT_EQ("", r.Article);
}

TEST_F(SelectArticleTest, ColourRowOrColourlessFallback) {
    Element("E1", {{"HasColor", 1}});
    Article("E1", "A-ANY", {{"Color", ""}});
    Article("E1", "A-RAL", {{"Color", "RAL"}});
    EXPECT_EQ("A-RAL", Select(Request("E1")).Article);
    ArticleRequest other = Request("E1");
    other.Color = "WHITE";
    EXPECT_EQ("A-ANY", Select(other).Article);

    // All articles colourless: found for any colour.
    Element("E2", {{"HasColor", 1}});
    Article("E2", "B-ANY");
    EXPECT_EQ("B-ANY", Select(Request("E2")).Article);
    EXPECT_EQ(std::vector<std::string>(), FilteredTables());
}

TEST_F(SelectArticleTest, DirectionPassesOwnAndBoth) {
    Element("E1", {{"CheckDirect", 1}});
    Article("E1", "L", {{"Direct", 2}});
    Article("E1", "R", {{"Direct", 1}});
    EXPECT_EQ("R", Select(Request("E1")).Article);
    EXPECT_TRUE(prompter.lists.empty());

    Article("E1", "BOTH", {{"Direct", 3}});
    EXPECT_EQ("BOTH", Select(Request("E1")).Article); // "BOTH" sorts before "R" and is highlighted first
    ASSERT_EQ(1u, prompter.lists.size());
    EXPECT_EQ((std::vector<std::vector<std::string>>{{"BOTH", ""}, {"R", ""}}), prompter.lists[0].Rows);
}

TEST_F(SelectArticleTest, AlternativesListTakesTheHighlightedRow) {
    Element("E1");
    Row(dm.T_Catalog, {{"ID", "A2"}, {"Name", "Второй"}});
    Row(dm.T_Catalog, {{"ID", "A1"}, {"Name", "Первый"}});
    Article("E1", "A2");
    Article("E1", "A1");

    EXPECT_EQ("A1", Select(Request("E1")).Article); // closed without moving (no answer): the first row
    ASSERT_EQ(1u, prompter.lists.size());
    const ChoiceList& list = prompter.lists[0];
    EXPECT_EQ("Список артикулов", list.Caption);
    EXPECT_EQ("В документации присутствует несколько альтернативных вариантов. Выберите нужный элемент.",
              list.Message);
    EXPECT_EQ(2u, list.Columns.size());
    EXPECT_EQ((std::vector<std::vector<std::string>>{{"A1", "Первый"}, {"A2", "Второй"}}), list.Rows);
    EXPECT_EQ(0, list.Initial);

    prompter.choiceAnswers.push_back(1);
    EXPECT_EQ("A2", Select(Request("E1")).Article);
    EXPECT_EQ(std::vector<std::string>(), FilteredTables());
}

TEST_F(SelectArticleTest, MissingArticleMessages) {
    Element("E1", {{"CheckStulpType", 1}});
    Article("E1", "A1", {{"StulpType", 3}});
    ArticleRequest r = Request("E1");
    r.StulpType = 6;
    r.Principle.Condition = 1;
    EXPECT_EQ("В БД артикулов фурнитуры не найден подходящий\r\nартикул для элемента фурнитуры [Элемент "
              "E1]!\r\n\r\n"
              "Искомый запрос:\r\nFFBMin <= 70 and FFBMax >= 70 and StulpType = 6 and ID='E1' ",
              SelectError(r));
    EXPECT_EQ(std::vector<std::string>(), FilteredTables());

    r.AlertText = "Нет петли для этой створки";
    EXPECT_EQ("Нет петли для этой створки", SelectError(r));

    r.Required = false;
    EXPECT_FALSE(Select(r).Found);
    EXPECT_TRUE(prompter.records.empty());

    // A coloured element reports the text with the colour term, not the fallback.
    Element("E2", {{"HasColor", 1}});
    Article("E2", "A2", {{"Color", "X"}});
    EXPECT_EQ("В БД артикулов фурнитуры не найден подходящий\r\nартикул для элемента фурнитуры [Элемент "
              "E2]!\r\n\r\n"
              "Искомый запрос:\r\nID='E2' and Color = 'RAL' ",
              SelectError(Request("E2")));
}

TEST_F(SelectArticleTest, UnknownElementEmptyArticleAndMissingStrikeSystem) {
    Article("E9", "A9");
    EXPECT_EQ("Элемент фурнитуры [E9] не найден в документации!", SelectError(Request("E9")));

    Element("E1");
    Article("E1", "");
    EXPECT_EQ("В БД артикулов фурнитуры найден пустой\r\nартикул для элемента фурнитуры [Элемент E1]!",
              SelectError(Request("E1")));
    EXPECT_EQ(std::vector<std::string>(), FilteredTables());

    Element("E3", {{"HasProfSys", 1}});
    Article("E3", "A3", {{"ProfSys", "SP"}});
    EXPECT_EQ("Для комплекта фурнитуры [Комплект]\r\nне указана система ответных планок!",
              SelectError(Request("E3")));
    ArticleRequest r = Request("E3");
    r.ProfSys = "SP";
    EXPECT_EQ("A3", Select(r).Article);
}

TEST_F(SelectArticleTest, HandleHeightFromTheArticleOrTheBasis) {
    Element("E1");
    Article("E1", "H0", {{"FFHMin", 100}, {"FFHMax", 200}});
    Element("E2");
    Article("E2", "H1", {{"HandleHeight", 1050}});
    struct Case {
        const char* name;
        const char* element;
        int condition;
        bool define;
        int height;
    } cases[] = {
        {"basis FFH 141 halves to 71", "E1", 2, true, 71},
        {"article's own height", "E2", 0, true, 1050},
        {"height not asked for", "E2", 0, false, 0},
        {"principle without a basis", "E1", 0, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ArticleRequest r = Request(c.element);
        r.Principle.Condition = c.condition;
        r.DefineHandleHeight = c.define;
        ArticleResult result = Select(r);
        EXPECT_TRUE(result.Found);
        EXPECT_EQ(c.height, result.HandleHeight);
    }
}

TEST_F(SelectArticleTest, RangesOfThePrincipleAndTheSwitches) {
    Element("E1", {{"HasFalzLuft", 1}, {"HasDornMass", 1}, {"CheckThickness", 1}});
    Article("E1", "SHORT",
            {{"FFL1Min", 0},
             {"FFL1Max", 812},
             {"FalzLuft", 12},
             {"DornMassMin", 10.0},
             {"DornMassMax", 20.0},
             {"ThicknessMin", 60},
             {"ThicknessMax", 80}});
    Article("E1", "LONG",
            {{"FFL1Min", 813},
             {"FFL1Max", 2000},
             {"FalzLuft", 12},
             {"DornMassMin", 10.0},
             {"DornMassMax", 20.0},
             {"ThicknessMin", 60},
             {"ThicknessMax", 80}});
    ArticleRequest r = Request("E1");
    r.Params.FalzLuft = 12;
    r.Params.DornMass = 15;
    r.Params.Thickness = 68;
    r.Principle.Condition = 4;
    r.Principle.L1 = 812.5;
    EXPECT_EQ("LONG", Select(r).Article);
    r.Principle.L1 = 812.49;
    EXPECT_EQ("SHORT", Select(r).Article);
    r.Params.DornMass = 25;
    EXPECT_NE(std::string::npos, SelectError(r).find("DornMassMin <= 25.00 and DornMassMax >= 25.00"));
}

} // namespace
} // namespace kvf::test
