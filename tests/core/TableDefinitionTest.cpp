// Reading the machine table definition file, and post lookups.
#include "TestSystem.h"
#include "core/TableDefinition.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "TempFolder.h"
#include "platform/MessageService.h"
#include "platform/Paths.h"

namespace {

class TableDefinitionTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ClearMessages();
        platform::SetMessagePresenter([](const std::string&) {});
    }
    void TearDown() override {
        platform::SetMessagePresenter(nullptr);
        platform::ClearMessages();
    }
    TableDefinition table_;
};

TEST_F(TableDefinitionTest, CommentsAndBlankLinesGiveAnEmptyDefaultTable) {
    table_.ReadText("; only a comment\n\n   \t\n;POST 1 1 1 0 0 0 0 0 1\n");
    EXPECT_EQ(table_.PostCount(), 0u);
    EXPECT_EQ(table_.First(), nullptr);
    EXPECT_EQ(table_.EndDeflectorRadius, 25.0);
    EXPECT_EQ(table_.EndDeflectorLength, 21.59);
    EXPECT_EQ(table_.FixtureLength, 250.0);
    EXPECT_EQ(table_.FixturePins, 6.0);
    EXPECT_EQ(table_.FixturePinLength, 125.0);
    EXPECT_EQ(table_.FixturePinDist, 25.0);
    EXPECT_EQ(table_.FixturePinDiameter, 6.0);
    EXPECT_TRUE(platform::ShownMessages().empty());
}

TEST_F(TableDefinitionTest, EndDeflectorLinesReadByCharacterPosition) {
    struct Case {
        const char* line;
        double radius;
        double length;
    } cases[] = {
        {"EndDiameter 50", 25.0, 21.59},      // number at the twelfth character
        {"  exxdiametr 40.5", 20.25, 21.59},  // positions count from the first non-blank
        {"EndLength 30", 25.0, 30.0},         // number at the tenth character
        {"EndLength=30", 25.0, 0.0},          // no number there: 0.0
        {"EndX 99", 25.0, 21.59},             // other fourth character: ignored
        {"END", 25.0, 21.59},                 // too short for a fourth character
        {"EndD", 0.0, 21.59},                 // the number would start past the line
        {"EndDiameter 50 ; 70", 25.0, 21.59},
    };
    for (const Case& c : cases) {
        table_.ReadText(c.line);
        EXPECT_EQ(table_.EndDeflectorRadius, c.radius) << c.line;
        EXPECT_EQ(table_.EndDeflectorLength, c.length) << c.line;
    }
}

TEST_F(TableDefinitionTest, FixtureKeywordsInOrderWithoutRegardToCase) {
    table_.ReadText(
        "fixturepins 8 ; eight pins\n"
        "FIXTURELENGTH 300\n"
        "FixturePinLength\t140\n"
        "FixturePinDist 30\n"
        "FixturePinDiameter 8.5\n"
        "FixtureUnknown 1\n");
    EXPECT_EQ(table_.FixturePins, 8.0);
    EXPECT_EQ(table_.FixtureLength, 300.0);
    EXPECT_EQ(table_.FixturePinLength, 140.0);
    EXPECT_EQ(table_.FixturePinDist, 30.0);
    EXPECT_EQ(table_.FixturePinDiameter, 8.5);

    table_.ReadText("FixtureLength=250\nFixturePins 5\nFixturePins 7\n");
    EXPECT_EQ(table_.FixtureLength, 0.0);  // "=" is no number
    EXPECT_EQ(table_.FixturePins, 7.0);    // the last one read wins
}

TEST_F(TableDefinitionTest, PostLinesNormaliseTheAxisAndRaiseTheMaxima) {
    table_.ReadText(
        "POST 1 2 3  10 20 30  0 0 2\n"
        "post 2 1 5  1 2 3  3 0 4 ; lower case\n"
        "POST 0 -1 9  0 0 0  0 0 0.0001\n");
    ASSERT_EQ(table_.PostCount(), 3u);
    const PostLocation* first = table_.First();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Section, 1);
    EXPECT_EQ(first->Row, 2);
    EXPECT_EQ(first->Column, 3);
    EXPECT_EQ(first->Post.point.z, 30.0);
    EXPECT_EQ(first->Post.vect.z, 1.0);
    const PostLocation* second = table_.Next();
    EXPECT_DOUBLE_EQ(second->Post.vect.x, 0.6);
    EXPECT_DOUBLE_EQ(second->Post.vect.z, 0.8);
    const PostLocation* third = table_.Next();
    EXPECT_EQ(third->Post.vect.z, 0.0001);  // too short to normalise: kept as read
    EXPECT_EQ(table_.Next(), nullptr);
    EXPECT_EQ(table_.MaxSection, 2);
    EXPECT_EQ(table_.MaxRow, 2);
    EXPECT_EQ(table_.MaxColumn, 9);
}

TEST_F(TableDefinitionTest, NumbersOfZeroOrBelowNeverRaiseTheMaxima) {
    table_.ReadText("POST 0 -3 -1 0 0 0 0 0 1\n");
    EXPECT_EQ(table_.PostCount(), 1u);
    EXPECT_EQ(table_.MaxSection, 0);
    EXPECT_EQ(table_.MaxRow, 0);
    EXPECT_EQ(table_.MaxColumn, 0);
}

TEST_F(TableDefinitionTest, RejectedPostLinesShowTheConvertedLine) {
    table_.ReadText(
        "  Post 1 1 1 0 0 0 0 0\n"  // eight numbers
        "POST\n"                    // ends within its first five characters
        "P\n"
        "post 1 %s %n 1 ; tail\n"  // the line is data, never a format
        "POST 1 1 1 0 0 0 0 0 1");
    EXPECT_EQ(table_.PostCount(), 1u);
    const std::vector<std::string> expected = {
        "ERROR Line -   POST 1 1 1 0 0 0 0 0\n",
        "ERROR Line - POST\n",
        "ERROR Line - P\n",
        "ERROR Line - POST 1 %S %N 1 ",
    };
    EXPECT_EQ(platform::ShownMessages(), expected);
}

TEST_F(TableDefinitionTest, CrLfFilesReadLikeLfFiles) {
    const std::string lf =
        "EndDiameter 40\nFixturePins 3\nPOST 1 1 1 1 2 3 0 0 1\nPOST 1 1 2 4 5\n";
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    TableDefinition fromLf;
    fromLf.ReadText(lf);
    const auto lfMessages = platform::ShownMessages();
    platform::ClearMessages();
    table_.ReadText(crlf);
    EXPECT_EQ(platform::ShownMessages(), lfMessages);
    EXPECT_EQ(table_.PostCount(), fromLf.PostCount());
    EXPECT_EQ(table_.EndDeflectorRadius, fromLf.EndDeflectorRadius);
    EXPECT_EQ(table_.FixturePins, fromLf.FixturePins);
}

TEST_F(TableDefinitionTest, LongLinesContinueAsTheNextLine) {
    // The first line holds 999 characters, later ones 1023; the rest is read as a new line.
    const std::string first = std::string(999, ' ') + "POST 1 1 1 0 0 5 0 0 1\n";
    table_.ReadText(first + std::string(1023, ' ') + "POST 1 1 2 0 0 5 0 0 1\n");
    EXPECT_EQ(table_.PostCount(), 2u);
    table_.ReadText(std::string(1000, ' ') + "POST 1 1 1 0 0 5 0 0 1\n");
    EXPECT_EQ(table_.PostCount(), 1u);  // one blank carried over is skipped as leading blank
}

TEST_F(TableDefinitionTest, FindReturnsTheFirstOfDuplicatesAndFindNearestTheStrictlyNearest) {
    table_.ReadText(
        "POST 1 1 1  0 0 0  0 0 1\n"
        "POST 1 1 1  5 5 0  0 0 1\n"
        "POST 1 2 1  10 0 0  0 0 1\n"
        "POST 1 2 2  -10 0 0  0 0 1\n");
    const PostLocation* found = table_.Find(1, 1, 1);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Post.point.x, 0.0);
    EXPECT_EQ(table_.Find(2, 2, 1)->Post.point.x, -10.0);
    EXPECT_EQ(table_.Find(9, 9, 9), nullptr);
    // Arguments are row, column, section.
    EXPECT_EQ(table_.Find(2, 1, 1)->Post.point.x, 10.0);

    EXPECT_EQ(table_.FindNearest(4, 4)->Post.point.x, 5.0);
    EXPECT_EQ(table_.FindNearest(0, 0)->Post.point.x, 0.0);
    EXPECT_EQ(table_.FindNearest(0, 5)->Post.point.x, 0.0);  // as near as (5, 5): the first wins
    EXPECT_EQ(table_.FindNearest(1e8, 0), nullptr);          // 9999999.0 or farther: none
}

TEST_F(TableDefinitionTest, PointersStayValidWhileTheTableGrowsAndWritesChangeIt) {
    PostLocation post;
    post.Section = post.Row = post.Column = 1;
    PostLocation* kept = table_.Append(post);
    for (int i = 0; i < 20000; ++i) {
        post.Column = i + 2;
        table_.Append(post);
    }
    EXPECT_EQ(kept, table_.Find(1, 1, 1));
    kept->Hit0.point.z = 42.0;
    EXPECT_EQ(table_.First()->Height(), 42.0);
    EXPECT_EQ(table_.Find(1, 20001, 1)->Column, 20001);
}

TEST_F(TableDefinitionTest, CursorAfterFindContinuesBehindTheFoundPost) {
    table_.ReadText("POST 1 1 1 0 0 0 0 0 1\nPOST 1 1 2 0 0 0 0 0 1\nPOST 1 1 3 0 0 0 0 0 1\n");
    table_.Find(1, 2, 1);
    EXPECT_EQ(table_.Next()->Column, 3);
    EXPECT_EQ(table_.Next(), nullptr);
    table_.FindNearest(0, 0);
    EXPECT_EQ(table_.Next(), nullptr);
    EXPECT_EQ(table_.First()->Column, 1);
}

TEST_F(TableDefinitionTest, ReadFromAFileThroughThePathService) {
    const tavro::testing::TempFolder folder("table-definition");
    const std::filesystem::path root = folder.path();
    platform::SetDriveRoot(root);
    std::filesystem::create_directories(platform::MapPath("c:\\"));
    std::ofstream(platform::MapPath("c:\\") / "TavroLoc.txt")
        << "EndLength 10\nPOST 1 1 1 0 0 1 0 0 1\n";
    EXPECT_EQ(table_.Read("c:\\TavroLoc.txt"), 0);
    EXPECT_EQ(table_.PostCount(), 1u);
    EXPECT_EQ(table_.EndDeflectorLength, 10.0);

    EXPECT_EQ(table_.Read("c:\\Missing.txt"), -1);
    EXPECT_EQ(table_.PostCount(), 0u);
    EXPECT_EQ(table_.EndDeflectorLength, 21.59);
    EXPECT_EQ(table_.Read("c:\\"), -1);  // a folder cannot be read
    // Regression: a table definition that is a pipe blocked the job for ever at its open.
    TAVRO_MAKE_PIPE_OR_SKIP((platform::MapPath("c:\\") / "pipe.txt"));
    EXPECT_EQ(table_.Read("c:\\pipe.txt"), -1);
    EXPECT_EQ(table_.PostCount(), 0u);
    EXPECT_TRUE(platform::ShownMessages().empty());
}

TEST_F(TableDefinitionTest, ResetRestoresEveryDefault) {
    table_.ReadText("EndDiameter 10\nEndLength 1\nFixtureLength 1\nPOST 3 3 3 0 0 0 0 0 1\n");
    table_.Reset();
    EXPECT_EQ(table_.PostCount(), 0u);
    EXPECT_EQ(table_.MaxSection, 0);
    EXPECT_EQ(table_.EndDeflectorRadius, 25.0);
    EXPECT_EQ(table_.EndDeflectorLength, 21.59);
    EXPECT_EQ(table_.FixtureLength, 250.0);
    EXPECT_EQ(table_.Find(3, 3, 3), nullptr);
}

}  // namespace
