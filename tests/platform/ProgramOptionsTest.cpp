// The options parser shared by the project's programs: both spellings, repeated options,
// switches, "--", unknown words kept or refused, and the errors.
#include <gtest/gtest.h>

#include "platform/Paths.h"
#include "platform/ProgramOptions.h"

namespace {

using Words = std::vector<std::string>;

constexpr platform::ProgramOption kOptions[] = {
    platform::kDriveRootOption,
    {"open", "DRAWING", "drawing to open"},
    {"run", "COMMAND", "command to run", /*repeatable=*/true},
    {"help", "", "shows help"},
};

struct Case {
    const char* name;
    Words arguments;
    Words runs;        // values of --run
    std::string open;  // value of --open, "" when not given
    Words positional;
    std::string error;  // "" when the line parses
};

class ProgramOptionsCases : public ::testing::TestWithParam<Case> {};

TEST_P(ProgramOptionsCases, Parse) {
    const Case& c = GetParam();
    const platform::Expected<platform::ParsedOptions> parsed =
        platform::ParseOptions(kOptions, c.arguments);
    EXPECT_EQ(parsed.Describe(), c.error);
    if (!c.error.empty()) return;
    EXPECT_EQ(parsed->Values("run"), c.runs);
    EXPECT_EQ(parsed->Value("open").value_or(""), c.open);
    EXPECT_EQ(parsed->positional, c.positional);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ProgramOptionsCases,
    ::testing::Values(
        Case{"BothSpellings", {"--open", "a b", "--run=1"}, {"1"}, "a b", {}, ""},
        Case{"RepeatedInOrder",
             {"--run", "2", "--run=Fixture table", "--run", "2"},
             {"2", "Fixture table", "2"},
             "",
             {},
             ""},
        Case{"ValueWithEqualsAndDash", {"--open=x=y", "--run", "-3"}, {"-3"}, "x=y", {}, ""},
        Case{"EmptyValue", {"--open="}, {}, "", {}, ""},
        Case{"DoubleDashEndsOptions", {"a", "--", "--open", "b"}, {}, "", {"a", "--open", "b"}, ""},
        Case{"UnknownRefused", {"--gui"}, {}, "", {}, "unknown option --gui"},
        Case{"MissingValueAtEnd", {"--open"}, {}, "", {}, "--open needs a value (--open DRAWING)"},
        Case{"NextOptionIsNoValue",
             {"--open", "--run=1"},
             {},
             "",
             {},
             "--open needs a value (--open DRAWING)"},
        Case{"SwitchWithValue", {"--help=yes"}, {}, "", {}, "--help takes no value"},
        Case{"GivenTwice",
             {"--open", "a", "--open=b"},
             {},
             "",
             {},
             "--open is given more than once"}),
    [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

// Programs with a command line of their own (the installer) keep the words the parser does not
// know, in their order, and still take the drive root in either spelling.
TEST(ProgramOptions, KeepsUnknownWordsAndTakesTheDriveRoot) {
    for (const Words& arguments : {Words{"--drive-root", "/tmp/r", "-x", "c:\\host", "--y=1"},
                                   Words{"-x", "--drive-root=/tmp/r", "c:\\host", "--y=1"}}) {
        const platform::Expected<platform::ParsedOptions> parsed =
            platform::ParseOptions(kOptions, arguments, platform::UnknownOptions::Keep);
        ASSERT_TRUE(parsed) << parsed.Describe();
        EXPECT_EQ(parsed->positional, (Words{"-x", "c:\\host", "--y=1"}));
        platform::ApplyDriveRoot(*parsed);
        EXPECT_EQ(platform::DriveRoot(), std::filesystem::path("/tmp/r"));
        platform::ResetDriveRoot();
    }
}

TEST(ProgramOptions, HelpListsEveryOptionAligned) {
    EXPECT_EQ(platform::OptionsHelp(kOptions),
              "  --drive-root DIR   folder that holds the drives: drive C is DIR/drive_c\n"
              "  --open DRAWING     drawing to open\n"
              "  --run COMMAND      command to run (may be repeated)\n"
              "  --help             shows help\n");
}

}  // namespace
