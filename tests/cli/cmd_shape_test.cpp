// `kvf shape` and `kvf eval`: a position built from shape options, shown as
// JSON, and a formula evaluated on its left sash.

#include "run_kvf.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace kvf::cli {
namespace {

TEST(CmdShape, ArchJson) {
    const Result r = run({"shape", "--shape", "7", "--width", "1000", "--height", "1400", "--x", "200",
                          "--radius", "725", "--dorn", "203"});
    ASSERT_EQ(0, r.status) << r.err;
    const nlohmann::json json = nlohmann::json::parse(r.out);
    EXPECT_EQ(2, json["ConstrType"]);
    EXPECT_EQ(nlohmann::json::parse("[1000,1400]"), json["Size"]);
    EXPECT_EQ(
        nlohmann::json::parse(R"({"Dorn": 0, "Points": [], "Lines": [], "FurnComp": null, "MatList": []})"),
        json["RightFlugel"]);
    const nlohmann::json& sash = json["LeftFlugel"];
    EXPECT_EQ(203, sash["Dorn"]);
    EXPECT_EQ(nlohmann::json::parse("[[0,0],[1000,1400]]"), sash["Extent"]);
    EXPECT_EQ(nlohmann::json::parse("[[0,14000],[0,2000],[10000,2000],[10000,14000]]"), sash["Points"]);
    const nlohmann::json& arc = sash["Lines"][1];
    EXPECT_EQ(7250.0, arc["Radius1"]);
    EXPECT_EQ(nlohmann::json::parse("[5000,7250]"), arc["Center"]);
    EXPECT_EQ(1000.0, arc["Length"]);
    EXPECT_EQ(0, arc["Orientation"]);
    EXPECT_EQ(false, arc["Handled"]);
    EXPECT_EQ(nlohmann::json::parse("[0,0]"), arc["HandleMark"]);
    EXPECT_EQ(90.0, sash["Lines"][0]["SideAngle"]);
    EXPECT_EQ(1, sash["Lines"][0]["Orientation"]);
    // Keys come in the order of the model's fields.
    EXPECT_EQ(0u,
              r.out.find("{\"ConstrType\":2,\"Size\":[1000,1400],\"LeftFlugel\":{\"Dorn\":203,\"Size\":"));
}

TEST(CmdShape, ShapesAndTheirPositionKinds) {
    struct Case {
        const char* name;
        std::vector<std::string> words;
        int constrType;
        const char* size;
        const char* leftPoints;
        const char* rightPoints;
    };
    const Case cases[] = {
        {"rectangle",
         {"--shape", "0", "--width", "700", "--height", "1400"},
         2,
         "[700,1400]",
         "[[0,14000],[0,0],[7000,0],[7000,14000]]",
         nullptr},
        {"pair, right main",
         {"--shape", "1", "--width", "1200", "--height", "1400", "--x", "700", "--y", "500"},
         1,
         "[1200,1400]",
         "[[0,14000],[0,0],[7000,0],[7000,14000]]",
         "[[7000,14000],[7000,0],[12000,0],[12000,14000]]"},
        {"pair, left main, halves by default",
         {"--shape", "2", "--width", "1400", "--height", "1400"},
         0,
         "[1400,1400]",
         "[[0,14000],[0,0],[7000,0],[7000,14000]]",
         "[[7000,14000],[7000,0],[14000,0],[14000,14000]]"},
        {"trapezium, half the height by default",
         {"--shape", "3", "--width", "1000", "--height", "1400"},
         2,
         "[1000,1400]",
         "[[0,14000],[0,7000],[10000,0],[10000,14000]]",
         nullptr},
        {"triangle",
         {"--shape", "6", "--width", "1000", "--height", "800"},
         2,
         "[1000,800]",
         "[[0,8000],[0,0],[10000,8000]]",
         nullptr},
        {"arch, a half circle by default",
         {"--shape", "7", "--width", "1000", "--height", "1400"},
         2,
         "[1000,1400]",
         "[[0,14000],[0,5000],[10000,5000],[10000,14000]]",
         nullptr},
        {"arch radius below half the width becomes a half circle",
         {"--shape", "7", "--width", "1000", "--height", "1400", "--radius", "400", "--x", "200"},
         2,
         "[1000,1400]",
         "[[0,14000],[0,5000],[10000,5000],[10000,14000]]",
         nullptr},
        {"arch radius from its rise",
         {"--shape", "7", "--width", "1000", "--height", "1400", "--x", "200"},
         2,
         "[1000,1400]",
         "[[0,14000],[0,2000],[10000,2000],[10000,14000]]",
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> words = {"shape"};
        words.insert(words.end(), c.words.begin(), c.words.end());
        const Result r = run(words);
        ASSERT_EQ(0, r.status) << r.err;
        const nlohmann::json json = nlohmann::json::parse(r.out);
        EXPECT_EQ(c.constrType, json["ConstrType"]);
        EXPECT_EQ(nlohmann::json::parse(c.size), json["Size"]);
        EXPECT_EQ(nlohmann::json::parse(c.leftPoints), json["LeftFlugel"]["Points"]);
        if (c.rightPoints == nullptr) {
            EXPECT_EQ(nlohmann::json::array(), json["RightFlugel"]["Points"]);
        } else {
            EXPECT_EQ(nlohmann::json::parse(c.rightPoints), json["RightFlugel"]["Points"]);
        }
    }
}

TEST(CmdShape, Eval) {
    struct Case {
        const char* name;
        std::vector<std::string> words;
        const char* out;
    };
    const Case cases[] = {
        {"width twice", {"--shape", "0", "--width", "700", "--height", "1400", "FFB*2"}, "1400\n"},
        {"height with Cyrillic EN", {"--shape", "0", "--width", "700", "--height", "1400", "FН+1"}, "1401\n"},
        {"Latin H is no name", {"--shape", "0", "--width", "700", "--height", "1400", "FH"}, "0\n"},
        {"left sash of a pair",
         {"--shape", "2", "--width", "1200", "--height", "1400", "--x", "700", "--y", "500", "FFB"},
         "700\n"},
        {"side beyond the last", {"--shape", "5", "--width", "1000", "--height", "800", "FFL(4)"}, "0\n"},
        {"fraction", {"--shape", "0", "--width", "700", "--height", "1400", "FFB/8"}, "87.5\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> words = {"eval"};
        words.insert(words.end(), c.words.begin(), c.words.end());
        const Result r = run(words);
        EXPECT_EQ(0, r.status) << r.err;
        EXPECT_EQ(c.out, r.out);
    }
}

TEST(CmdShape, Failures) {
    struct Case {
        const char* name;
        std::vector<std::string> words;
        int status;
    };
    const Case cases[] = {
        {"no shape", {"shape", "--width", "700", "--height", "1400"}, 2},
        {"shape out of range", {"shape", "--shape", "8", "--width", "700", "--height", "1400"}, 2},
        {"width not a number", {"shape", "--shape", "0", "--width", "wide", "--height", "1400"}, 2},
        {"stray argument", {"shape", "--shape", "0", "--width", "700", "--height", "1400", "x"}, 2},
        {"eval without formula", {"eval", "--shape", "0", "--width", "700", "--height", "1400"}, 2},
        {"malformed formula", {"eval", "--shape", "0", "--width", "700", "--height", "1400", "FFB*"}, 1},
        {"too large", {"shape", "--shape", "0", "--width", "1e12", "--height", "1400"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result r = run(c.words);
        EXPECT_EQ(c.status, r.status);
        EXPECT_EQ("", r.out);
        EXPECT_NE("", r.err);
    }
}

} // namespace
} // namespace kvf::cli
