// Splitting of the installer's command line.
#include "installer/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using installer::JoinArguments;
using installer::SplitCommandLine;
using Words = std::vector<std::string>;

struct SplitCase {
    const char* text;
    Words positional;
};

TEST(CommandLineTest, SplitsAsTheInstallationWritesIt) {
    const SplitCase cases[] = {
        {R"(c:\host setup)", {R"(c:\host)", "setup"}},
        {R"(   "c:\my host\" setup c:\windows)", {R"(c:\my host\)", "setup", R"(c:\windows)"}},
        {R"(c:\host  -q   setup)", {R"(c:\host)", "setup"}},
        {R"(-q c:\host "-x y" setup)", {R"(c:\host)", "setup"}},
        {R"(c:\h"o s"t setup)", {"c:\\ho st", "setup"}},
        // Only the space separates: a tab is part of the word.
        {"a\tb c", {"a\tb", "c"}},
        // A word made only of quotes ends the splitting.
        {R"(c:\host "" setup)", {R"(c:\host)"}},
        {"", {}},
        {"   ", {}},
        {"-q -r", {}},
    };
    for (const SplitCase& each : cases)
        EXPECT_EQ(SplitCommandLine(each.text).positional, each.positional) << each.text;
}

// Guards against collecting more than 100 positional words.
TEST(CommandLineTest, CollectsAtMostAHundredWords) {
    std::string text;
    for (int word = 0; word < 150; ++word) text += "w" + std::to_string(word) + " ";
    const installer::CommandLine line = SplitCommandLine(text);
    ASSERT_EQ(line.positional.size(), installer::kMostPositionalWords);
    EXPECT_EQ(line.positional.back(), "w99");
}

// Guards against a long host directory cut to another, existing directory.
TEST(CommandLineTest, RefusesWordsLongerThanTheLimit) {
    const std::string longest(installer::kLongestWord, 'x');
    EXPECT_TRUE(installer::CheckCommandLine(SplitCommandLine(longest + " setup")));
    const installer::CommandLine line = SplitCommandLine("c:\\host " + longest + "y");
    EXPECT_EQ(installer::CheckCommandLine(line).Describe(),
              "ERROR: Command line word 2 is longer than 259 characters");
    EXPECT_EQ(line.positional[1].size(), installer::kLongestWord + 1);
}

TEST(CommandLineTest, JoinedArgumentsSplitBackUnchanged) {
    const Words arguments = {R"(c:\my host)", "setup", "-q", "sys dir"};
    const installer::CommandLine line = SplitCommandLine(JoinArguments(arguments));
    EXPECT_EQ(line.positional, (Words{R"(c:\my host)", "setup", "sys dir"}));
    EXPECT_EQ(line.options, (Words{"-q"}));
    // Arguments already quoted as on the host's platform are passed on as written.
    EXPECT_EQ(JoinArguments({R"("c:\my host")", "setup"}), R"("c:\my host" setup)");
    EXPECT_EQ(JoinArguments({"a", "", "b"}), R"(a "" b)");
}

}  // namespace
