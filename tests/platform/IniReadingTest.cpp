// Ini files read as the system reads them: quotes, line ends, white space, duplicate sections,
// lines before the first section, UTF-16 files, and files changed between reads.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "TempFolder.h"
#include "TestSystem.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"

namespace {

using platform::IniDocument;

// Guards against values read with their quotes, a stray carriage return, a trailing Ctrl-Z or
// tab, from a later copy of a section, or lost before the first section header.
TEST(IniReadingTest, ValuesReadAsTheSystemReadsThem) {
    struct Case {
        const char* name;
        const char* text;
        const char* section;
        const char* key;
        std::optional<std::string> value;
    } cases[] = {
        {"double quotes", "[a]\nk=\"c:\\my dir\\x.dll,Menu\"\n", "a", "k",
         "c:\\my dir\\x.dll,Menu"},
        {"single quotes", "[a]\nk= 'v' \n", "a", "k", "v"},
        {"quotes of two kinds stay", "[a]\nk=\"v'\n", "a", "k", "\"v'"},
        {"one quote stays", "[a]\nk=\"\n", "a", "k", "\""},
        {"only the outer pair goes", "[a]\nk=\"\"v\"\"\n", "a", "k", "\"v\""},
        {"lines ended by CR alone", "[a]\rk=1\rn=2\r", "a", "n", "2"},
        {"no stray CR in a CR-ended value", "[a]\rk=1\rn=2\r", "a", "k", "1"},
        {"mixed line ends", "[a]\r\nk=1\nn=2\rm=3", "a", "m", "3"},
        {"a CR LF line between CR lines", "[a]\rk=1\r\nn=2\r", "a", "k", "1"},
        {"a trailing Ctrl-Z", "[a]\r\nk=1\r\n\x1A", "a", "k", "1"},
        {"Ctrl-Z right after the value", "[a]\nk=1\x1A", "a", "k", "1"},
        {"tabs around names and values", "[\ta\t]\n\tk\t=\tv\t\n", "a", "k", "v"},
        {"the first of duplicate sections", "[a]\nk=1\n[b]\n[A]\nk=2\nn=3\n", "a", "k", "1"},
        {"not from a later copy", "[a]\nk=1\n[A]\nn=3\n", "a", "n", std::nullopt},
        {"before the first section", "k=top\n[a]\nk=1\n", "", "k", "top"},
        {"the empty section is the top", "k=top\n[]\nn=2\n", "", "n", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IniDocument::Parse(c.text).Find(c.section, c.key), c.value) << c.name;
}

// Guards against a write going to a later copy of a section, or mixing line ends into a file of
// CR-ended lines.
TEST(IniReadingTest, WritesGoWhereReadsLook) {
    struct Case {
        const char* name;
        const char* before;
        const char* key;
        const char* after;
    } cases[] = {
        {"replaced in the first copy", "[a]\nk=1\n[a]\nk=2\n", "k", "[a]\nk=v\n[a]\nk=2\n"},
        {"added to the first copy", "[a]\nx=1\n[a]\nk=2\n", "k", "[a]\nx=1\nk=v\n[a]\nk=2\n"},
        {"CR-ended lines stay so", "[a]\rx=1\r", "k", "[a]\rx=1\rk=v\r"},
        {"the line a Ctrl-Z ends", "[a]\nx=1\x1A", "x", "[a]\nx=v"},
        // A CR ending the new line must not join the blank LF line after it into one CR LF.
        {"added before a blank LF line", "[a]\rx=1\n\n[b]", "k", "[a]\rx=1\nk=v\r\n\n[b]"},
        {"a new section after a CR line", "[z]\nx=1\r", "k", "[z]\nx=1\r\r[a]\nk=v\n"},
    };
    for (const Case& c : cases) {
        IniDocument document = IniDocument::Parse(c.before);
        ASSERT_TRUE(document.Set("a", c.key, "v")) << c.name;
        EXPECT_EQ(document.Text(), c.after) << c.name;
    }
}

class IniFileReadingTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetDriveRoot(folder_.path());
        std::filesystem::create_directories(platform::MapPath("c:\\"));
    }
    std::string Contents() const {
        std::ifstream in(platform::MapPath(kIni), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void Store(const std::string& bytes) const {
        std::ofstream(platform::MapPath(kIni), std::ios::binary) << bytes;
    }
    static constexpr const char* kIni = "c:\\surfcam.ini";
    const tavro::testing::TempFolder folder_{"ini-reading"};
};

// UTF-16 text as bytes: each character of `text` (ASCII) as one code unit, after the mark.
std::string Utf16(std::string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : text) {
        bytes += bigEndian ? '\0' : c;
        bytes += bigEndian ? c : '\0';
    }
    return bytes;
}

// Guards against a UTF-16 file read as bytes (no key found) and written back with lines of
// another encoding mixed into it.
TEST_F(IniFileReadingTest, AUtf16FileIsReadAndWrittenAsUtf16) {
    for (const bool bigEndian : {false, true}) {
        Store(Utf16("; kept\r\n[SystemOptional]\r\nUserApplications=1\r\n", bigEndian));
        EXPECT_EQ(platform::GetPrivateProfileInt("SystemOptional", "UserApplications", 0, kIni), 1);
        ASSERT_TRUE(
            platform::WritePrivateProfileInt("SystemOptional", "UserApplications", 2, kIni));
        ASSERT_TRUE(
            platform::WritePrivateProfileString("SystemOptional", "UserApp2", "x.dll,X", kIni));
        EXPECT_EQ(Contents(), Utf16("; kept\r\n[SystemOptional]\r\nUserApplications=2\r\n"
                                    "UserApp2=x.dll,X\r\n",
                                    bigEndian))
            << (bigEndian ? "big endian" : "little endian");
    }
    // Characters beyond ASCII and beyond the basic plane travel both ways.
    Store(Utf16("[a]\r\nk=", false) + std::string("\xE9\x00\x3D\xD8\x00\xDE", 6));
    EXPECT_EQ(platform::GetPrivateProfileString("a", "k", "", kIni), "\xC3\xA9\xF0\x9F\x98\x80");
    ASSERT_TRUE(platform::WritePrivateProfileString("a", "n", "\xC3\xA9", kIni));
    EXPECT_EQ(Contents(), Utf16("[a]\r\nk=", false) + std::string("\xE9\x00\x3D\xD8\x00\xDE", 6) +
                              Utf16("\r\nn=", false).substr(2) + std::string("\xE9\x00", 2) +
                              Utf16("\r\n", false).substr(2));
}

// Guards against text that UTF-16 cannot hold, or a damaged UTF-16 file, being written into it.
TEST_F(IniFileReadingTest, WritesAUtf16FileCannotHoldAreRefused) {
    struct Case {
        const char* name;
        std::string file;
        const char* value;
    } cases[] = {
        {"a value that is not UTF-8", Utf16("[a]\r\nk=1\r\n", false), "\xFF\xFE bytes"},
        {"a file ending in half a character", Utf16("[a]\r\nk=1\r\n", false) + "x", "v"},
    };
    for (const Case& c : cases) {
        Store(c.file);
        const platform::Status result =
            platform::WritePrivateProfileString("a", "k", c.value, kIni);
        EXPECT_FALSE(result) << c.name;
        EXPECT_NE(result.Describe().find("UTF-16"), std::string::npos) << result.Describe();
        EXPECT_EQ(Contents(), c.file) << c.name;
    }
}

// Guards against a kept parse hiding a change made to the file since, even one that keeps its
// size and is made at once.
TEST_F(IniFileReadingTest, AFileChangedBetweenReadsIsReadAgain) {
    Store("[a]\nk=1\n");
    EXPECT_EQ(platform::GetPrivateProfileString("a", "k", "", kIni), "1");
    Store("[a]\nk=2\n");
    EXPECT_EQ(platform::GetPrivateProfileString("a", "k", "", kIni), "2");
    ASSERT_TRUE(platform::WritePrivateProfileString("a", "k", "3", kIni));
    Store("[a]\nk=4\n");
    EXPECT_EQ(platform::GetPrivateProfileString("a", "k", "", kIni), "4");
    std::filesystem::remove(platform::MapPath(kIni));
    EXPECT_EQ(platform::GetPrivateProfileString("a", "k", "gone", kIni), "gone");
}

// Guards against a pipe named as an ini file blocking the read or the write for ever.
TEST_F(IniFileReadingTest, APipeIsNoIniFile) {
    TAVRO_MAKE_PIPE_OR_SKIP(platform::MapPath(kIni));
    EXPECT_EQ(platform::GetPrivateProfileString("a", "k", "default", kIni), "default");
    const platform::Status result = platform::WritePrivateProfileString("a", "k", "v", kIni);
    EXPECT_FALSE(result);
    EXPECT_NE(result.Describe().find("Not a regular file"), std::string::npos) << result.Describe();
}

}  // namespace
