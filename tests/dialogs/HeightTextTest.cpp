// The review grid's decimal reading of typed heights.
#include "dialogs/HeightText.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(HeightTextTest, ReadsTheLongestDecimalPrefix) {
    const std::pair<const char*, double> cases[] = {
        {"   7.778", 7.778}, {"\t-12.5mm", -12.5}, {"+3", 3},     {".5", 0.5},       {"5.", 5},
        {"2.5E-1x", 0.25},   {"4e+", 4},           {"-", 0},      {".", 0},          {"", 0},
        {"abc", 0},          {"0x1A", 0},          {"inf", 0},    {"nan", 0},        {"- 5", 0},
        {"1e999", 0},        {"-1e999", 0},        {"1e-999", 0}, {"00012.000", 12},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(dialogs::heighttext::ReadHeight(text), value) << text;
}

}  // namespace
