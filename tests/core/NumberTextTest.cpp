// Number scanning: the same results as the C library's "%d", "%lf" and atof.
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

// What sscanf makes of `text` with one conversion: the value and how many characters it took.
template <typename T>
std::optional<std::pair<T, int>> Sscanf(const std::string& text, const char* conversion) {
    T value{};
    int consumed = 0;
    const std::string format = std::string(conversion) + "%n";
    if (std::sscanf(text.c_str(), format.c_str(), &value, &consumed) != 1) return std::nullopt;
    return std::make_pair(value, consumed);
}

void ExpectSameAsSscanf(const std::string& text) {
    const auto ours = core::numbertext::ScanDouble(text.c_str());
    const auto theirs = Sscanf<double>(text, "%lf");
    ASSERT_EQ(ours.has_value(), theirs.has_value()) << '"' << text << '"';
    if (!ours) return;
    if (std::isnan(theirs->first))
        EXPECT_TRUE(std::isnan(ours->value)) << text;
    else
        EXPECT_EQ(ours->value, theirs->first) << '"' << text << '"';
    EXPECT_EQ(ours->next - text.c_str(), theirs->second) << '"' << text << '"';

    const auto ourInt = core::numbertext::ScanInt(text.c_str());
    const auto theirInt = Sscanf<int>(text, "%d");
    ASSERT_EQ(ourInt.has_value(), theirInt.has_value()) << '"' << text << '"';
    if (!ourInt) return;
    EXPECT_EQ(ourInt->value, theirInt->first) << '"' << text << '"';
    EXPECT_EQ(ourInt->next - text.c_str(), theirInt->second) << '"' << text << '"';
}

TEST(NumberTextTest, AgreesWithSscanfOnTheFormsFoundInFiles) {
    const char* cases[] = {
        "0",
        "12",
        "-7",
        "+3",
        "  \t42 rest",
        "1.5",
        "-0.25",
        ".5",
        "5.",
        "1e3",
        "1E-3",
        "-1.5E+2",
        "0012.50",
        "-0",
        "1e",
        "1e+",
        "1.5.6",
        "12abc",
        "abc",
        "",
        "   ",
        "+",
        "-",
        "+-1",
        ".",
        "-.e1",
        "0X1P3",
        "0x10",
        "INF",
        "-INFINITY",
        "NAN",
        "1e400",
        "-1e-400",
        "1e-320",
        "99999999999",
        "-2147483649",
        "4294967297",
        "123456789012345678901234567890",
        "3.14159265358979323846264338327950288",
        "\n\r\v\f7",
    };
    for (const char* text : cases) ExpectSameAsSscanf(text);
}

TEST(NumberTextTest, AgreesWithSscanfOnRandomDecimals) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> magnitude(-1e6, 1e6);
    char text[64];
    for (int i = 0; i < 20000; ++i) {
        const int digits = static_cast<int>(random() % 12);
        std::snprintf(text, sizeof text, "%.*f", digits, magnitude(random));
        ExpectSameAsSscanf(text);
        std::snprintf(text, sizeof text, "%.17g", magnitude(random));
        ExpectSameAsSscanf(text);
    }
}

TEST(NumberTextTest, LeadingDoubleIsZeroWithoutANumber) {
    EXPECT_EQ(core::numbertext::LeadingDouble(" 250"), 250.0);
    EXPECT_EQ(core::numbertext::LeadingDouble("=250"), 0.0);
    EXPECT_EQ(core::numbertext::LeadingDouble(""), 0.0);
    EXPECT_EQ(core::numbertext::LeadingDouble("12.5mm"), 12.5);
}

}  // namespace
