// Substitution of [AppDir] and [SystemDir].
#include "installer/Placeholders.h"

#include <gtest/gtest.h>

namespace {

struct ExpandCase {
    const char* text;
    const char* expanded;
};

TEST(PlaceholdersTest, ReplacesKnownNamesInAnyCase) {
    const installer::RunParameters run{R"(c:\host)", "setup", R"(c:\windows\system32)"};
    const ExpandCase cases[] = {
        {R"([AppDir]Tools\run.bat)", R"(c:\host\Tools\run.bat)"},
        {R"(call [appdir]bin\x.bat)", R"(call c:\host\bin\x.bat)"},
        {"[SYSTEMDIR]", R"(c:\windows\system32)"},
        {"[Other]", "[Other]"},
        {"[Other][AppDir]", R"([Other]c:\host\)"},
        {"[x[AppDir]", "[x[AppDir]"},
        {"[AppDir", "[AppDir"},
        {"a]b[", "a]b["},
        {"[AppDir][SystemDir][AppDir]", R"(c:\host\c:\windows\system32c:\host\)"},
    };
    for (const ExpandCase& each : cases)
        EXPECT_EQ(installer::expandPlaceholders(each.text, run), each.expanded) << each.text;
}

TEST(PlaceholdersTest, HostDirectoryEndingInBackslashGetsNoSecond) {
    const installer::RunParameters run{R"(c:\host\)", "setup", ""};
    EXPECT_EQ(installer::expandPlaceholders("[AppDir]x", run), R"(c:\host\x)");
    EXPECT_EQ(installer::expandPlaceholders("[SystemDir]x", run), "x");
}

// Guards against an endless loop when a directory holds a placeholder itself.
TEST(PlaceholdersTest, InsertedValueIsNotExpandedAgain) {
    const installer::RunParameters run{R"(c:\[AppDir])", "setup", "[SystemDir]"};
    EXPECT_EQ(installer::expandPlaceholders("[AppDir]|[SystemDir]", run),
              R"(c:\[AppDir]\|[SystemDir])");
}

}  // namespace
