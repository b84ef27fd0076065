// Loading install scripts from files: status texts, failures that keep the previous document.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "TempFolder.h"
#include "TestSystem.h"
#include "installer/MarkupDocument.h"
#include "platform/Paths.h"

namespace {

class MarkupFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetDriveRoot(root_);
        std::filesystem::create_directories(platform::MapPath("c:\\") / "Host");
    }
    // Writes `bytes` to c:\Host\<name> and returns its system path.
    std::string WriteHostFile(const std::string& name, const std::string& bytes) {
        std::ofstream(platform::MapPath("c:\\") / "Host" / name, std::ios::binary) << bytes;
        return "c:\\Host\\" + name;
    }
    const tavro::testing::TempFolder folder_{"markup-file"};
    const std::filesystem::path root_ = folder_.path();
    MarkupDocument document_;
};

TEST_F(MarkupFileTest, StatusIsTheByteCount) {
    const std::string text = "<InstallItem>\r\n<Command action=\"x\"/>\r\n</InstallItem>\r\n";
    ASSERT_TRUE(document_.loadFile(WriteHostFile("setup.xml", text)));
    EXPECT_EQ(document_.statusText(), std::to_string(text.size()) + " bytes");
    EXPECT_TRUE(document_.findElement("InstallItem"));
}

TEST_F(MarkupFileTest, ParseErrorFollowsTheByteCount) {
    ASSERT_FALSE(document_.loadFile(WriteHostFile("bad.xml", "<r><Line>x</line></r>")));
    EXPECT_EQ(document_.statusText(), "21 bytes, End tag does not correspond to Line");
    EXPECT_FALSE(document_.findElement());

    ASSERT_FALSE(document_.loadFile(WriteHostFile("end.xml", "</r>")));
    EXPECT_EQ(document_.statusText(), "4 bytes");

    ASSERT_FALSE(document_.loadFile(WriteHostFile("empty.xml", "")));
    EXPECT_EQ(document_.statusText(), "0 bytes");
}

// Fault guarded: a failed open destroying the document that was loaded before.
TEST_F(MarkupFileTest, FailedOpenKeepsThePreviousDocument) {
    ASSERT_TRUE(document_.loadFile(WriteHostFile("setup.xml", "<InstallItem a='1'/>")));
    ASSERT_TRUE(document_.findElement("InstallItem"));
    EXPECT_FALSE(document_.loadFile("c:\\Host\\missing.xml"));
    EXPECT_EQ(document_.statusText(), "No such file or directory");
    EXPECT_EQ(document_.attribute("a"), "1");  // document, table and positions unchanged
    EXPECT_FALSE(document_.loadFile("c:\\Host"));
    EXPECT_EQ(document_.statusText(), "Is a directory");
    EXPECT_EQ(document_.attribute("a"), "1");
}

// Fault guarded: an install script that is a pipe blocking the installer for ever.
TEST_F(MarkupFileTest, APipeIsRefusedAtOnce) {
    ASSERT_TRUE(document_.loadFile(WriteHostFile("setup.xml", "<InstallItem a='1'/>")));
    ASSERT_TRUE(document_.findElement("InstallItem"));
    TAVRO_MAKE_PIPE_OR_SKIP((platform::MapPath("c:\\") / "Host" / "pipe.xml"));
    EXPECT_FALSE(document_.loadFile("c:\\Host\\pipe.xml"));
    EXPECT_EQ(document_.statusText(), "Not a regular file (a pipe, a device or a socket)");
    EXPECT_EQ(document_.attribute("a"), "1");
}

// Fault guarded: a file beyond the 32-bit offsets read in and indexed with wrapped offsets.
TEST_F(MarkupFileTest, FileTooLargeToIndexIsRefusedBeforeReading) {
    const std::filesystem::path huge = platform::MapPath("c:\\") / "Host" / "huge.xml";
    std::ofstream(huge) << "<a>";
    std::filesystem::resize_file(huge, 2'147'483'648);  // sparse: nothing is written
    ASSERT_TRUE(document_.setText("<kept/>"));
    EXPECT_FALSE(document_.loadFile("C:\\HOST\\HUGE.XML"));
    EXPECT_EQ(document_.statusText(),
              "Document too large: 2147483648 bytes (at most 2147483647 can be read)");
    EXPECT_TRUE(document_.findElement("kept"));
}

TEST_F(MarkupFileTest, PosixPathsAreReadAsTheyAre) {
    WriteHostFile("plain.xml", "<p/>");
    EXPECT_TRUE(document_.loadFile((platform::MapPath("c:\\") / "Host" / "plain.xml").string()));
    EXPECT_TRUE(document_.findElement("p"));
}

}  // namespace
