#include "engine/element_conditions.h"
#include "engine/scale_count.h"

#include "base/error.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

TEST(ElementConditions, RowRangeIsInclusiveAndMaxZeroIsOpen) {
    struct Case {
        const char* name;
        double min, max, value;
        bool expected;
    } cases[] = {
        {"below min with open max", 40, 0, 35, false},
        {"at min with open max", 40, 0, 40, true},
        {"far above min with open max", 40, 0, 4000, true},
        {"at max", 40, 60, 60, true},
        {"above max", 40, 60, 60.01, false},
        {"negative max is open", 0, -5, 100, true},
        {"both bounds zero", 0, 0, 812.5, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, WithinRowRange(c.min, c.max, c.value));
    }
}

TEST(ElementConditions, ArcMask) {
    using K = ArcKind;
    struct Case {
        const char* name;
        int type;
        K kind;
        bool expected;
    } cases[] = {
        {"0 accepts straight", 0, K::Straight, true},     {"0 accepts elliptic", 0, K::Elliptic, true},
        {"1 refuses straight", 1, K::Straight, false},    {"1 accepts semicircle", 1, K::Semicircle, true},
        {"1 accepts segment", 1, K::Segment, true},       {"1 accepts elliptic", 1, K::Elliptic, true},
        {"2 refuses straight", 2, K::Straight, false},    {"2 accepts semicircle", 2, K::Semicircle, true},
        {"2 refuses segment", 2, K::Segment, false},      {"3 refuses straight", 3, K::Straight, false},
        {"3 accepts segment", 3, K::Segment, true},       {"3 accepts elliptic", 3, K::Elliptic, true},
        {"4 accepts segment only", 4, K::Segment, true},  {"4 refuses semicircle", 4, K::Semicircle, false},
        {"8 accepts elliptic", 8, K::Elliptic, true},     {"8 refuses segment", 8, K::Segment, false},
        {"6 accepts semicircle", 6, K::Semicircle, true}, {"6 refuses elliptic", 6, K::Elliptic, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, ArcMaskAllows(c.type, c.kind));
    }
    EXPECT_FALSE(RadiusGroupActive(0, 0, 1));
    EXPECT_TRUE(RadiusGroupActive(0, 0, 2));
    EXPECT_TRUE(RadiusGroupActive(10, 0, 0));
}

TEST(ElementConditions, StulpMask) {
    struct Case {
        const char* name;
        int mask, t;
        bool expected;
    } cases[] = {
        {"64 keeps type 6", 64, 6, true},
        {"64 drops type 5", 64, 5, false},
        {"1 keeps every type", 1, 5, true},
        {"0 keeps every type", 0, 3, true},
        {"65 keeps every type", 65, 2, true},
        {"12 keeps type 2", 12, 2, true},
        {"12 keeps type 3", 12, 3, true},
        {"12 drops type 0", 12, 0, false},
        {"huge type is never in a mask", 64, 40, false},
        {"negative type is never in a mask", 64, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, StulpMaskAllows(c.mask, c.t));
    }
}

TEST(ScaleCount, SchemeCountsIntegerEntriesNotAboveTheBasis) {
    struct Case {
        const char* name;
        const char* scheme;
        double v;
        int expected;
    } cases[] = {
        {"entry that is no integer is skipped", "500;1000;x;1500", 1200, 2},
        {"entry equal to basis counts", "500;1000;1500", 1000, 2},
        {"-1 never counts", "-1;500", 600, 1},
        {"other negative entries count", "-5;500", 100, 1},
        {"empty entries and decimals are skipped", "500;;7.5;1000;", 2000, 2},
        {"side length is compared unrounded", "812;813", 812.5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, CountSchemeEntries(c.scheme, c.v));
    }
    ScaleRule rule{"500;1000;x;1500", 0, 0, 3, 1};
    EXPECT_EQ(2 * 3 + 1, ScaledCount(rule, 1200, false, "К", "Э"));
}

TEST(ScaleCount, StepsFromTheStart) {
    ScaleRule rule{"", 25, 50, 1, 0};
    struct Case {
        const char* name;
        double v;
        bool side;
        int expected;
    } cases[] = {
        {"below start gives Number", 49, false, 0},
        {"at start", 50, false, 1},
        {"just below the next step", 74, false, 1},
        {"next step", 75, false, 2},
        {"side length difference rounds half away", 74.5, true, 2},
        {"side length difference rounds down below half", 74.49, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, ScaledCount(rule, c.v, c.side, "К", "Э"));
    }
    ScaleRule withNumber{"", 10, 0, 2, 3};
    EXPECT_EQ((2 + 3 + 1) * 2, ScaledCount(withNumber, 25, false, "К", "Э"));
}

TEST(ScaleCount, StepBelowOneRaisesTheRowMessage) {
    ScaleRule rule{"", 0, 50, 1, 0};
    try {
        ScaledCount(rule, 10, false, "Комплект А", "Петля");
        FAIL() << "no error";
    } catch (const KvfError& e) {
        EXPECT_EQ(
            std::string("В БД наборов фурнитуры в комплекте [Комплект А]\r\nсодержится элемент фурнитуры "
                        "[Петля],\r\nимеющий масштабирование и шаг равный нулю!"),
            e.what());
    }
}

} // namespace
} // namespace kvf
