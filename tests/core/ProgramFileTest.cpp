// The program file: exact bytes, order, selection of posts, and failures.
#include "core/ProgramFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "TempFolder.h"
#include "TestSystem.h"
#include "platform/MessageService.h"
#include "platform/Paths.h"

namespace {

// A table read from `text` whose posts stand at the heights of their own z.
void ReadWithOwnHeights(TableDefinition& table, const std::string& text) {
    table.ReadText(text);
    for (PostLocation* post = table.First(); post != nullptr; post = table.Next())
        post->Hit0.point.z = post->Post.point.z;
}

std::string Body(const std::string& lines) {
    return "DEFINE_PRG TEST V2.4\r\n" + lines + "END_DEFINE_PRG";
}

TEST(ProgramFileTextTest, EmptyTablesGiveHeaderAndTerminatorOnly) {
    TableDefinition table;
    EXPECT_EQ(ProgramFileText(table), Body(""));
    ReadWithOwnHeights(table, "POST 0 1 1 0 0 5 0 0 1\n");  // section maximum stays 0
    EXPECT_EQ(ProgramFileText(table), Body(""));
}

TEST(ProgramFileTextTest, MoveLinesFollowTheNumbersNotTheFileOrder) {
    TableDefinition table;
    ReadWithOwnHeights(table,
                       "POST 2 1 1  0 0 7 0 0 1\n"
                       "POST 1 2 10 0 0 12.5 0 0 1\n"
                       "POST 1 5 1  0 0 1 0 0 1\n"  // rows 3 and 4 have no posts
                       "POST 1 1 123 0 0 0.00001 0 0 1\n"
                       "POST 1 1 2  0 0 0 0 0 1\n"    // height 0: not programmed
                       "POST 1 1 3  0 0 -4 0 0 1\n"   // negative: not programmed
                       "POST 1 -1 3 0 0 9 0 0 1\n");  // row below 1: never written
    EXPECT_EQ(ProgramFileText(table), Body("  MOVE S01R01C123 0.0000\r\n"
                                           "  MOVE S01R02C10 12.5000\r\n"
                                           "  MOVE S01R05C01 1.0000\r\n"
                                           "  MOVE S02R01C01 7.0000\r\n"));
}

TEST(ProgramFileTextTest, HeightsThatAreNotFiniteAreNeverWritten) {
    // Regression: a table line with z = INF gave a post programmed as "inf".
    TableDefinition table;
    ReadWithOwnHeights(
        table, "POST 1 1 1 0 0 INF 0 0 1\nPOST 1 1 2 0 0 NAN 0 0 1\nPOST 1 1 3 0 0 1 0 0 1\n");
    EXPECT_EQ(ProgramFileText(table), Body("  MOVE S01R01C03 1.0000\r\n"));
}

TEST(ProgramFileTextTest, OnlyTheFirstOfDuplicatePostsCounts) {
    TableDefinition table;
    ReadWithOwnHeights(table, "POST 1 1 1 0 0 0 0 0 1\nPOST 1 1 1 0 0 5 0 0 1\n");
    EXPECT_EQ(ProgramFileText(table), Body(""));  // the first has height 0
    ReadWithOwnHeights(table, "POST 1 1 1 0 0 3 0 0 1\nPOST 1 1 1 0 0 5 0 0 1\n");
    EXPECT_EQ(ProgramFileText(table), Body("  MOVE S01R01C01 3.0000\r\n"));
}

TEST(ProgramFileTextTest, HeightsRoundLikePrintfWhateverTheLocale) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> height(0.0, 5000.0);
    TableDefinition table;
    // Exact binary ties (0.03125 and the like) must round half to even as printf does.
    std::vector<double> heights = {
        0.00005, 0.00015, 1.23445, 2.5,        1e-9,          123456789.123456789,
        0.03125, 0.09375, 1.40625, 1000.15625, 9999999.99995, 1e7};
    for (int i = 0; i < 2000; ++i) heights.push_back(height(random));
    for (int i = 0; i < 2000; ++i) heights.push_back((2 * i + 1) / 20000.0);  // near decimal ties
    PostLocation post;
    post.Section = post.Row = 1;
    for (size_t i = 0; i < heights.size(); ++i) {
        post.Column = static_cast<int>(i) + 1;
        post.Hit0.point.z = heights[i];
        table.Append(post);
    }
    // A locale with a decimal comma must not change the file.
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const std::string text = ProgramFileText(table);
    std::setlocale(LC_NUMERIC, "C");
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    for (size_t i = 0; i < heights.size(); ++i) {
        ASSERT_TRUE(std::getline(lines, line));
        char expected[64];
        std::snprintf(expected, sizeof expected, "  MOVE S01R01C%02zu %.4f\r", i + 1, heights[i]);
        EXPECT_EQ(line, expected);
    }
}

class ProgramFileWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetDriveRoot(root_);
        std::filesystem::create_directories(platform::MapPath("c:\\"));
        platform::ClearMessages();
        platform::SetMessagePresenter([](const std::string&) {});
        ReadWithOwnHeights(table_, "POST 1 2 10 0 0 12.5 0 0 1\n");
    }
    std::string Contents(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    const tavro::testing::TempFolder folder_{"program-file"};
    const std::filesystem::path root_ = folder_.path();
    TableDefinition table_;
};

TEST_F(ProgramFileWriteTest, WritesAndOverwritesTheExactBytes) {
    ASSERT_TRUE(WriteProgramFile(table_, "c:\\Tavro.txt"));
    const std::string expected = Body("  MOVE S01R02C10 12.5000\r\n");
    EXPECT_EQ(Contents(platform::MapPath("c:\\") / "Tavro.txt"), expected);
    TableDefinition empty;
    ASSERT_TRUE(WriteProgramFile(empty, "c:\\Tavro.txt"));
    EXPECT_EQ(Contents(platform::MapPath("c:\\") / "Tavro.txt"), Body(""));
    EXPECT_TRUE(platform::ShownMessages().empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(platform::MapPath("c:\\")), {}), 1);
}

TEST_F(ProgramFileWriteTest, AFileThatCannotBeOpenedIsReported) {
    EXPECT_FALSE(WriteProgramFile(table_, "c:\\no such folder\\Tavro.txt"));
    std::filesystem::create_directories(platform::MapPath("c:\\") / "Tavro.txt");
    EXPECT_FALSE(WriteProgramFile(table_, "c:\\Tavro.txt"));
    EXPECT_EQ(platform::ShownMessages(),
              (std::vector<std::string>{"Cannot Open Tavro Program File",
                                        "Cannot Open Tavro Program File"}));
}

TEST_F(ProgramFileWriteTest, AFailedWriteKeepsTheEarlierFileAndIsReported) {
    // Regression: write errors after the open went unnoticed and the job reported success.
    const auto target = platform::MapPath("c:\\") / "Tavro.txt";
    std::ofstream(target) << "previous program";
    {
        TAVRO_SKIP_WITHOUT_FILE_SIZE_LIMIT();
        const tavro::testing::FileSizeLimit fullDisk(8);
        EXPECT_FALSE(WriteProgramFile(table_, "c:\\Tavro.txt"));
    }
    EXPECT_EQ(Contents(target), "previous program");
    EXPECT_EQ(platform::ShownMessages(),
              (std::vector<std::string>{"Cannot Write Tavro Program File"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(platform::MapPath("c:\\")), {}), 1);
}

// Regression: the program was written beside a read-only program file and renamed over it, so
// the file's protection was got round.
TEST_F(ProgramFileWriteTest, AReadOnlyProgramFileIsRefusedAsUnopenable) {
    const auto target = platform::MapPath("c:\\") / "Tavro.txt";
    std::ofstream(target) << "protected program";
    std::filesystem::permissions(
        target, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_FALSE(WriteProgramFile(table_, "c:\\Tavro.txt"));
    EXPECT_EQ(Contents(target), "protected program");
    EXPECT_EQ(platform::ShownMessages(),
              (std::vector<std::string>{"Cannot Open Tavro Program File"}));
}

// Regression: a program file reached through a link replaced the link by a plain file.
TEST_F(ProgramFileWriteTest, ALinkedProgramFileIsWrittenThrough) {
    std::filesystem::create_directories(platform::MapPath("c:\\") / "controller");
    std::filesystem::create_symlink(platform::MapPath("c:\\") / "controller" / "Tavro.txt",
                                    platform::MapPath("c:\\") / "Tavro.txt");
    ASSERT_TRUE(WriteProgramFile(table_, "c:\\Tavro.txt"));
    EXPECT_TRUE(std::filesystem::is_symlink(platform::MapPath("c:\\") / "Tavro.txt"));
    EXPECT_EQ(Contents(platform::MapPath("c:\\") / "controller" / "Tavro.txt"),
              Body("  MOVE S01R02C10 12.5000\r\n"));
}

}  // namespace

namespace {

TEST(ProgramFileTextTest, AHugePostNumberDoesNotWalkEveryCombination) {
    // Regression: a typo'd post number made the writer visit maxima-product combinations, so a
    // single post numbered 1,000,000 would hang the job; lines come from the posts themselves.
    TableDefinition table;
    ReadWithOwnHeights(table, "POST 1000000 1000000 1000000 0 0 3 0 0 1\nPOST 1 1 1 0 0 2 0 0 1\n");
    EXPECT_EQ(ProgramFileText(table), Body("  MOVE S01R01C01 2.0000\r\n"
                                           "  MOVE S1000000R1000000C1000000 3.0000\r\n"));
}

}  // namespace
