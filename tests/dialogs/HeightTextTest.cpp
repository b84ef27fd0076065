// Height texts of the review grid: the shown format and the decimal reading of typed text.
#include "dialogs/HeightText.h"

#include <gtest/gtest.h>

namespace {

TEST(HeightTextTest, FormatsThreeDecimalsInEightCharacters) {
    EXPECT_EQ(heighttext::FormatHeight(7.77777), "   7.778");
    EXPECT_EQ(heighttext::FormatHeight(-0.0004), "  -0.000");
    EXPECT_EQ(heighttext::FormatHeight(123456.5), "123456.500");  // wider, never cut
}

TEST(HeightTextTest, ReadsTheLongestDecimalPrefix) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"   7.778", 7.778},
        {"\t-12.5mm", -12.5},
        {"+3", 3},
        {".5", 0.5},
        {"5.", 5},
        {"1e3", 1000},
        {"2.5E-1x", 0.25},
        {"4e", 4},
        {"4e+", 4},
        {"-", 0},
        {".", 0},
        {"", 0},
        {"abc", 0},
        {"0x1A", 0},
        {"inf", 0},
        {"nan", 0},
        {"- 5", 0},
        {"1e999", 0},
        {"-1e999", 0},
        {"1e-999", 0},
        {"00012.000", 12},
    };
    for (const auto& c : cases) EXPECT_EQ(heighttext::ReadHeight(c.text), c.value) << c.text;
}

}  // namespace
