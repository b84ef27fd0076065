// Ini documents and the private-profile operations: lookups, edits that keep every other line,
// refused entries and failed writes.
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TempFolder.h"
#include "TestSystem.h"
#include "platform/Paths.h"

namespace {

using platform::IniDocument;

TEST(IniDocumentTest, TextComesBackExactly) {
    const char* texts[] = {
        "",
        "[a]\r\nk=1\r\n",
        "[a]\nk=1",
        "; only a comment\n\n\n",
        "\xEF\xBB\xBF[a]\r\nk = 1  \r\n\r\n[b]\nx\r",
        "no section=1\n[a]\n=empty key\n  [ spaced ]  \n\tk\t=\tv\t\n",
    };
    for (const char* text : texts) EXPECT_EQ(IniDocument::Parse(text).Text(), text) << text;
}

TEST(IniDocumentTest, FindsKeysBySectionWithoutRegardToCase) {
    const std::string text =
        "\xEF\xBB\xBF"
        "top=before any section\n"
        "[SystemOptional]\n"
        "; UserApp9=commented out\n"
        "UserApplications = 2 \n"
        "UserApp1=c:\\host\\a.dll,A\n"
        "Empty=\n"
        "[Other]\n"
        "UserApp1=other section\n"
        "[systemoptional]\n"
        "UserApp1=second copy of the section\n"
        "UserApp2=only in the second copy\n"
        "[unterminated\n"
        "k=v\n";
    const IniDocument document = IniDocument::Parse(text);
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    } cases[] = {
        {"SYSTEMOPTIONAL", "userapplications", "2"},
        {"SystemOptional", "UserApp1", "c:\\host\\a.dll,A"},  // the first one wins
        {"SystemOptional", "UserApp2", std::nullopt},         // a later copy serves nothing
        {"SystemOptional", "Empty", ""},
        {"SystemOptional", "UserApp9", std::nullopt},
        {"Other", "UserApp1", "other section"},
        {" Other ", " UserApp1 ", "other section"},
        {"", "top", "before any section"},
        {"", "\xEF\xBB\xBFtop", std::nullopt},
        {"unterminated", "k", "v"},
        {"Missing", "k", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(document.Find(c.section, c.key), c.value) << c.section << "/" << c.key;
    // A byte order mark in front of the first section does not hide it.
    EXPECT_EQ(IniDocument::Parse("\xEF\xBB\xBF[a]\r\nk=1\r\n").Find("a", "k"), "1");
}

TEST(IniDocumentTest, SetKeepsEveryOtherLine) {
    struct Case {
        const char* name;
        const char* before;
        const char* section;
        const char* key;
        const char* value;
        const char* after;
    } cases[] = {
        {"replaced in place, spacing and spelling kept", "; c\r\n[S]\r\nKey = old \r\nz=1\r\n", "s",
         "KEY", "new", "; c\r\n[S]\r\nKey = new\r\nz=1\r\n"},
        {"an empty value replaced", "[S]\nk=\n", "S", "k", "v", "[S]\nk=v\n"},
        {"added after the section's last key", "[a]\nk=1\n; about b\n\n[b]\nx=2\n", "A", "n", "2",
         "[a]\nk=1\nn=2\n; about b\n\n[b]\nx=2\n"},
        {"added below a header without keys", "[a]\n\n[b]\n", "a", "k", "v", "[a]\nk=v\n\n[b]\n"},
        {"added to a last line without a line end", "[a]\r\nk=1", "a", "n", "2",
         "[a]\r\nk=1\r\nn=2\r\n"},
        // Guards against a carriage return at the very end joining the value it followed.
        {"a last line ended by a lone carriage return", "[a]\nk=x\r", "a", "n", "2",
         "[a]\nk=x\rn=2\n"},
        {"a new section after a blank line, in the file's line ends", "[a]\nk=1", "b", "n", "2",
         "[a]\nk=1\n\n[b]\nn=2\n"},
        {"a new section after an existing blank line", "[a]\nk=1\n\n", "b", "n", "2",
         "[a]\nk=1\n\n[b]\nn=2\n"},
        {"a new file", "", "SystemOptional", "UserApplications", "1",
         "[SystemOptional]\r\nUserApplications=1\r\n"},
        {"keys before any section are not the section's", "k=0\n", "a", "k", "1",
         "k=0\n\n[a]\nk=1\n"},
        {"blanks around names and value dropped", "[a]\n", " a ", " k ", " v ", "[a]\nk=v\n"},
    };
    for (const Case& c : cases) {
        IniDocument document = IniDocument::Parse(c.before);
        EXPECT_TRUE(document.Set(c.section, c.key, c.value)) << c.name;
        EXPECT_EQ(document.Text(), c.after) << c.name;
        const std::string_view value = c.value;
        EXPECT_EQ(IniDocument::Parse(document.Text()).Find(c.section, c.key),
                  value.substr(value.find_first_not_of(' '),
                               value.find_last_not_of(' ') + 1 - value.find_first_not_of(' ')))
            << c.name;
    }
}

// Guards against entries that would split a line or read back under another name.
TEST(IniDocumentTest, SetRefusesEntriesThatWouldBreakTheFile) {
    struct Case {
        std::string section, key, value;
    } cases[] = {
        {"", "k", "v"},           {"  ", "k", "v"},   {"a", "", "v"},
        {"a", "k", "two\nlines"}, {"a", "k", "cr\r"}, {"a\n[b]", "k", "v"},
        {"a]", "k", "v"},         {"a", "k=x", "v"},  {"a", "[k", "v"},
        {"a", ";k", "v"},         {"a", "#k", "v"},   {"a", "k", std::string("n\0ul", 4)},
    };
    const std::string before = "[a]\nk=1\n";
    for (const Case& c : cases) {
        IniDocument document = IniDocument::Parse(before);
        const platform::Status result = document.Set(c.section, c.key, c.value);
        EXPECT_FALSE(result) << c.section << "/" << c.key;
        EXPECT_FALSE(result.Describe().empty());
        EXPECT_EQ(document.Text(), before);
    }
}

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetDriveRoot(root_);
        std::filesystem::create_directories(platform::MapPath("c:\\") / "host" / "Cfg1");
    }
    std::string Contents(const char* systemPath) {
        std::ifstream in(platform::MapPath(systemPath), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void Store(const char* systemPath, const std::string& text) {
        std::ofstream(platform::MapPath(systemPath), std::ios::binary) << text;
    }
    const tavro::testing::TempFolder folder_{"ini"};
    const std::filesystem::path root_ = folder_.path();
};

constexpr const char* kIni = "c:\\host\\Cfg1\\surfcam.ini";

TEST_F(IniFileTest, ReadsGiveTheDefaultWhenAnythingIsMissing) {
    EXPECT_EQ(platform::GetPrivateProfileString("SystemOptional", "UserApplications", "0", kIni),
              "0");
    EXPECT_EQ(platform::GetPrivateProfileString("s", "k", "d", "c:\\no\\such\\dir\\x.ini"), "d");
    EXPECT_EQ(platform::GetPrivateProfileString("s", "k", "d", "c:\\host"), "d");  // a folder
    Store(kIni, "[SystemOptional]\nUserApplications=3\n");
    EXPECT_EQ(platform::GetPrivateProfileString("systemoptional", "USERAPPLICATIONS", "0", kIni),
              "3");
    EXPECT_EQ(platform::GetPrivateProfileString("SystemOptional", "UserApp1", "", kIni), "");
}

TEST_F(IniFileTest, IntegersAreTheLeadingNumber) {
    Store(kIni, "[n]\na=12abc\nb=abc\nc=-5\nd=\ne=99999999999\nf=-99999999999\ng= +7\n");
    struct Case {
        const char* key;
        int value;
    } cases[] = {{"a", 12},      {"b", 0},       {"c", -5}, {"d", 0},
                 {"e", INT_MAX}, {"f", INT_MIN}, {"g", 7},  {"missing", 42}};
    for (const Case& c : cases)
        EXPECT_EQ(platform::GetPrivateProfileInt("n", c.key, 42, kIni), c.value) << c.key;
}

TEST_F(IniFileTest, WritesEditTheFileAndKeepTheRest) {
    Store(kIni,
          "; Host configuration\r\n[Display]\r\nColors=256\r\n\r\n[SystemOptional]\r\n"
          "UserApplications=1\r\nUserApp1=c:\\host\\other.dll,Other\r\n\r\n[Tail]\r\nx=1");
    ASSERT_TRUE(platform::WritePrivateProfileInt("SystemOptional", "UserApplications", 2, kIni));
    ASSERT_TRUE(platform::WritePrivateProfileString(
        "SystemOptional", "UserApp2", "c:\\host\\AddIns\\addin.dll,Fixture table", kIni));
    EXPECT_EQ(Contents(kIni),
              "; Host configuration\r\n[Display]\r\nColors=256\r\n\r\n[SystemOptional]\r\n"
              "UserApplications=2\r\nUserApp1=c:\\host\\other.dll,Other\r\n"
              "UserApp2=c:\\host\\AddIns\\addin.dll,Fixture table\r\n\r\n[Tail]\r\nx=1");
}

TEST_F(IniFileTest, AWriteCreatesAMissingFile) {
    ASSERT_TRUE(platform::WritePrivateProfileInt("SystemOptional", "UserApplications", 1, kIni));
    EXPECT_EQ(Contents(kIni), "[SystemOptional]\r\nUserApplications=1\r\n");
    EXPECT_EQ(platform::GetPrivateProfileInt("SystemOptional", "UserApplications", 0, kIni), 1);
}

// Guards against a failed write being reported as success, and against a half-written file.
TEST_F(IniFileTest, FailedWritesAreReportedAndChangeNothing) {
    const std::string before = "[a]\nk=1\n";
    Store(kIni, before);
    {
        // The new text cannot be written in full, as on a full disk.
        TAVRO_SKIP_WITHOUT_FILE_SIZE_LIMIT();
        const tavro::testing::FileSizeLimit fullDisk(4);
        const platform::Status blocked = platform::WritePrivateProfileString("a", "k", "2", kIni);
        EXPECT_FALSE(blocked);
        EXPECT_NE(blocked.Describe().find("cannot"), std::string::npos) << blocked.Describe();
    }
    EXPECT_EQ(Contents(kIni), before);
    EXPECT_EQ(platform::GetPrivateProfileString("a", "k", "", kIni), "1");

    struct Case {
        const char* path;
        const char* why;
    } cases[] = {
        {"c:\\host\\Missing\\surfcam.ini", "the folder is missing"},
        {"c:\\host\\Cfg1", "the path is a folder"},
        {"c:\\host\\Cfg1\\surfcam.ini\\x.ini", "the folder is a file"},
        {"", "no path"},
    };
    for (const Case& c : cases) {
        const platform::Status result = platform::WritePrivateProfileString("a", "k", "v", c.path);
        EXPECT_FALSE(result) << c.why;
        EXPECT_FALSE(result.Describe().empty()) << c.why;
    }
    EXPECT_FALSE(std::filesystem::exists(platform::MapPath("c:\\") / "host" / "Missing"));
    EXPECT_EQ(Contents(kIni), before);
    EXPECT_FALSE(platform::WritePrivateProfileString("a", "bad\nkey", "v", kIni));
    EXPECT_EQ(Contents(kIni), before);
}

TEST_F(IniFileTest, AnExistingFileIsFoundWhateverTheCaseOfItsPath) {
    Store("c:\\host\\Cfg1\\SurfCam.INI", "[a]\nk=1\n");
    ASSERT_TRUE(platform::WritePrivateProfileString("a", "k", "2", "C:\\HOST\\cfg1\\surfcam.ini"));
    EXPECT_EQ(Contents("c:\\host\\Cfg1\\SurfCam.INI"), "[a]\nk=2\n");
    EXPECT_FALSE(
        std::filesystem::exists(platform::MapPath("c:\\") / "host" / "Cfg1" / "surfcam.ini"));
}

}  // namespace
