// The install run's report when its script cannot be used: the fixed status text, and a second
// line with the path tried on this machine and the reason the reader found.
#include "installer/InstallScript.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/installer/TempHost.h"

namespace {

class InstallScriptTest : public TempHostTest {};

// Regression: every unusable script gave the same status with no reason, so a missing file, a
// folder, a malformed or too deeply nested script and a wrong root could not be told apart.
TEST_F(InstallScriptTest, AnUnusableScriptIsReportedWithItsReasonAndPath) {
    std::string deep;
    for (int i = 0; i < 100'001; ++i) deep += "<e>";
    struct Case {
        const char* name;
        const char* kind;  // "file", "folder", "pipe" or "none"
        std::string text;
        std::string reason;
    } cases[] = {
        {"missing", "none", "", "No such file or directory"},
        {"a folder", "folder", "", "Is a directory"},
        {"a pipe", "pipe", "", "Not a regular file (a pipe, a device or a socket)"},
        {"not well-formed", "file", "<InstallItem>\n<Command>\n</Line>\n",
         "line 3: End tag does not correspond to Command"},
        {"nested too deep", "file", "\n" + deep,
         "line 2: Elements nested deeper than 100000 levels at element e"},
        {"another root", "file", "<Install/>", "the root element is not InstallItem"},
        {"no element", "file", "</InstallItem>", "no element"},
        {"only a comment", "file", "<!-- nothing -->", "line 1: Element tag not found"},
    };
    const std::filesystem::path script = Host("setup.xml");
    for (const Case& c : cases) {
        std::filesystem::remove_all(script);
        if (std::string(c.kind) == "file") Write(script, c.text);
        if (std::string(c.kind) == "folder") std::filesystem::create_directory(script);
        if (std::string(c.kind) == "pipe") {
            TAVRO_MAKE_PIPE_OR_SKIP(script);
        }
        std::vector<std::string> statuses;
        installer::runInstallScript({"c:\\host", "setup", ""},
                                    [&](const std::string& text) { statuses.push_back(text); });
        EXPECT_EQ(statuses, std::vector<std::string>{"Could Not open c:\\host\\setup.xml\n" +
                                                     script.string() + ": " + c.reason})
            << c.name;
    }
}

}  // namespace
