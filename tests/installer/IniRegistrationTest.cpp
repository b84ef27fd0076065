// Registration of the add-in in the host's surfcam.ini files.
#include "installer/IniRegistration.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/IniFile.h"
#include "tests/installer/TempHost.h"

namespace {

constexpr const char* kIni = R"(c:\host\surfcam.ini)";
constexpr const char* kEntry = R"(c:\host\AddIns\addin.dll,Fixture table)";

std::string Key(const char* key) {
    return platform::GetPrivateProfileString("SystemOptional", key, "(none)", kIni);
}

class IniRegistrationTest : public TempHostTest {
protected:
    // Runs a Ravelink Command with the children `commands` and returns the statuses it set.
    std::vector<std::string> Register(const std::string& commands) {
        MarkupDocument script;
        EXPECT_TRUE(script.setText("<InstallItem><Command action='Ravelink'>" + commands +
                                   "</Command><Command action='next'/></InstallItem>"));
        script.findElement("InstallItem");
        script.enterElement();
        script.findElement("Command");
        std::vector<std::string> statuses;
        installer::registerAddIn(script, R"(c:\host)",
                                 [&](const std::string& text) { statuses.push_back(text); });
        // Guards against losing the place: the run goes on with the following Command.
        EXPECT_TRUE(script.findElement("Command") && script.attribute("action") == "next");
        return statuses;
    }
};

struct EntryCase {
    const char* before;  // the section's keys
    const char* count;   // "UserApplications" after the call
    const char* key;     // the key that holds the entry after it
};

TEST_F(IniRegistrationTest, UpdatesTheEntryNamingTheLibraryElseAppends) {
    const EntryCase cases[] = {
        {"UserApplications=3\nUserApp1=a.dll\nUserApp2=C:\\HOST\\ADDINS\\ADDIN.DLL,Old\n", "3",
         "UserApp2"},
        {"UserApplications=2\nUserApp1=a.dll\nUserApp2=b.dll\n", "3", "UserApp3"},
        {"UserApplications=1\nUserApp1=c:\\x\\myaddin.dll,Mine\n", "1", "UserApp1"},
        {"UserApplications=1\nUserApp1=x.dll,The addin.dll menu\n", "1", "UserApp1"},
        {"UserApplications=1\nUserApp1=a.dll\nUserApp2=addin.dll\n", "2", "UserApp2"},
        {"UserApplications=x2\nUserApp1=a.dll\n", "1", "UserApp1"},
        // Guards against writing the key "UserApp-2" for a negative count.
        {"UserApplications=-3\n", "1", "UserApp1"},
    };
    for (const EntryCase& each : cases) {
        Write(Host("surfcam.ini"), std::string("[SystemOptional]\n") + each.before);
        EXPECT_TRUE(installer::EnterAddIn(kIni, "addin.dll", kEntry)) << each.before;
        EXPECT_EQ(Key("UserApplications"), each.count) << each.before;
        EXPECT_EQ(Key(each.key), kEntry) << each.before;
    }
}

// Guards against a count raised for an entry that was never written.
TEST_F(IniRegistrationTest, EntryTheFileCannotHoldLeavesTheCount) {
    Write(Host("surfcam.ini"), "[SystemOptional]\nUserApplications=1\nUserApp1=a.dll\n");
    EXPECT_FALSE(installer::EnterAddIn(kIni, "x.dll", "x.dll,two\nlines"));
    EXPECT_EQ(Key("UserApplications"), "1");
}

// Guards against reading two billion keys (and overflowing the count) for a damaged file.
TEST_F(IniRegistrationTest, ImplausibleCountIsRefused) {
    Write(Host("surfcam.ini"), "[SystemOptional]\nUserApplications=2147483647\n");
    EXPECT_EQ(installer::EnterAddIn(kIni, "addin.dll", kEntry).Describe(),
              "UserApplications is 2147483647, more than 1000");
    EXPECT_EQ(Key("UserApp2147483647"), "(none)");
}

TEST_F(IniRegistrationTest, IncompleteCommandsWriteNothing) {
    const char* commands[] = {
        "<Version><Directory>.</Directory></Version>",
        "<AddInMenu DllName='' MenuText='x'/><Version><Directory>.</Directory></Version>",
        "<Version><Directory>.</Directory></Version><AddInMenu DllName='a.dll'/>",
        "<AddInMenu DllName='a.dll'/><Version><Directory/></Version>",
    };
    for (const char* each : commands) {
        EXPECT_EQ(Register(each).back(), "SurfCAM API Added") << each;
        EXPECT_FALSE(std::filesystem::exists(Host("surfcam.ini"))) << each;
    }
}

// Guards against "SurfCAM API Added" after nothing was written.
TEST_F(IniRegistrationTest, FailedWriteIsReported) {
    const auto statuses = Register(
        "<AddInMenu DllName='a.dll' DirName='d'/>"
        "<Version><Directory>Missing</Directory><Directory>.</Directory></Version>");
    ASSERT_EQ(statuses.size(), 3u);
    EXPECT_TRUE(statuses[1].starts_with(
        R"(ERROR: Cannot register the add-in in c:\host\Missing\surfcam.ini: )"));
    EXPECT_EQ(statuses[2], R"(ERROR: SurfCAM API not added to c:\host\Missing\surfcam.ini)");
    EXPECT_EQ(Key("UserApp1"), R"(c:\host\d\a.dll,a.dll)");
}

// Regression: every read of a registration parsed the whole ini file again, so registering into
// a large file with many entries took twenty seconds (the time is measured in bench/).
TEST_F(IniRegistrationTest, ARegistrationParsesTheFileOnce) {
    std::string keys = "[SystemOptional]\nUserApplications=200\n";
    for (int n = 1; n <= 200; ++n) keys += "UserApp" + std::to_string(n) + "=other.dll,X\n";
    for (const bool settled : {false, true}) {
        Write(Host("surfcam.ini"), keys);
        if (settled)
            std::filesystem::last_write_time(
                Host("surfcam.ini"),
                std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
        platform::ForgetParsedIniFiles();
        ASSERT_TRUE(installer::EnterAddIn(kIni, "addin.dll", kEntry));
        EXPECT_EQ(platform::IniFileParses(), 1u) << (settled ? "settled" : "fresh");
        EXPECT_EQ(Key("UserApp201"), kEntry);
        EXPECT_EQ(Key("UserApplications"), "201");
    }
}

}  // namespace
