// The main dialog on its own: the about text, OK's check of the program path, the unit boxes,
// the options, and the part list growing by parts entered.
#include "dialogs/DlgMain.h"

#include <gtest/gtest.h>

#include <regex>

#include "dialogs/AddinModule.h"
#include "platform/MessageService.h"
#include "platform/dialog/ListControls.h"
#include "platform/dialog/QuotedText.h"
#include "tests/hostlink/ControllerFixture.h"

namespace {

class DlgMainTest : public ControllerTest {
protected:
    // Shows the dialog modally with `script` as the user; the dialog's result.
    int RunDialog(std::string_view script) {
        host::testing::PlaySessionScript(script);
        return dialog_.DoModal();
    }
    [[nodiscard]] static std::vector<std::string> Messages() {
        std::vector<std::string> messages;
        for (const std::string& line : Transcript())
            if (line.starts_with("message ") || line.starts_with("script-error "))
                messages.push_back(line);
        return messages;
    }

    platform::ModuleScope addin_{dialogs::AddinModule()};
    CDlgMain dialog_;
};

TEST_F(DlgMainTest, AboutTextIsANoticeThenTheVersionAndTheBuildsDateAndTime) {
    const std::string about = CDlgMain::FormatAboutText("1.0.10", "Jul 19 2006", "17:17:51");
    const size_t newline = about.find('\n');
    ASSERT_NE(newline, std::string::npos);
    EXPECT_GT(newline, 0u);
    EXPECT_EQ(about.substr(newline + 1), "Version 1.0.10 built on Jul 19 2006 at 17:17:51");
    // Formatted at construction from this build; the date's day may be blank-padded.
    EXPECT_TRUE(std::regex_search(
        dialog_.Job.AboutText,
        std::regex("\nVersion 1\\.0\\.10 built on [A-Z][a-z]{2} [ 1-3][0-9] [0-9]{4} at "
                   "[0-9]{2}:[0-9]{2}:[0-9]{2}$")))
        << dialog_.Job.AboutText;
}

struct OkCase {
    const char* name;
    const char* programPath;
    const char* tablePath;
    bool accepted;
};

TEST_F(DlgMainTest, OkNeedsAProgramPathButNothingElse) {
    const std::vector<OkCase> cases{
        {"empty program path", "", "c:\\TavroLoc.txt", false},
        {"blanks only", "   ", "c:\\TavroLoc.txt", true},
        {"empty table path", "c:\\Tavro.txt", "", true},
        {"a missing table", "c:\\Tavro.txt", "c:\\nowhere\\none.txt", true},
    };
    for (const OkCase& c : cases) {
        platform::ResetDialogSystem();
        CDlgMain dialog;
        host::testing::PlaySessionScript("type program-file " + platform::QuoteText(c.programPath) +
                                         "\ntype fixture-file " + platform::QuoteText(c.tablePath) +
                                         "\npress ok\n"
                                         "expect-dialog \"TAVRO Programmer by Kestrane\"\n"
                                         "press cancel\n");
        EXPECT_EQ(dialog.DoModal(), c.accepted ? platform::kResultOk : platform::kResultCancel)
            << c.name;
        EXPECT_EQ(Messages(),
                  c.accepted
                      ? std::vector<std::string>{}
                      : std::vector<std::string>{"message \"TAVRO Program file name is Empty\""})
            << c.name;
        // What the user typed is kept, also after the message.
        EXPECT_EQ(dialog.Job.ProgramFilePath, c.programPath) << c.name;
        EXPECT_EQ(dialog.Job.TableDefinitionPath, c.tablePath) << c.name;
    }
}

TEST_F(DlgMainTest, MillimeterStaysCheckedAndTheOtherUnitsCannotBeChanged) {
    EXPECT_EQ(RunDialog("click millimeter\nclear millimeter\nclick millimeter\npress ok\n"),
              platform::kResultOk);
    EXPECT_EQ(dialog_.Job.Millimetre, 1);
    for (const char* inert :
         {"inch", "meter", "centimeter", "holding-surface-colour", "fixture-browse",
          "cls-input-file", "cls-output-browse", "program-browse", "layer", "delete-part"}) {
        platform::ResetDialogSystem();
        CDlgMain dialog;
        host::testing::PlaySessionScript("click " + std::string(inert) + "\n");
        EXPECT_EQ(dialog.DoModal(), platform::kResultCancel) << inert;
        ASSERT_EQ(Messages().size(), 1u) << inert;
        EXPECT_TRUE(Messages()[0].find(" is disabled") != std::string::npos ||
                    Messages()[0].find(" is hidden") != std::string::npos)
            << Messages()[0];
    }
}

TEST_F(DlgMainTest, OptionsOpenModallyAndChangeNothing) {
    EXPECT_EQ(RunDialog("press options\nexpect-dialog Options\ntype d-file c:\\x.txt\npress ok\n"
                        "expect-dialog \"TAVRO Programmer by Kestrane\"\npress ok\n"),
              platform::kResultOk);
    EXPECT_EQ(dialog_.Job.TableDefinitionPath, "c:\\TavroLoc.txt");
}

TEST_F(DlgMainTest, ThePartListHasItsOneColumnAndGrowsOnlyByPartsEntered) {
    Bind();
    dialog_.Job.Controller = &ctrl_;
    // Three part entries: one confirmed, one cancelled, one confirmed without a name.
    host::testing::PlaySessionScript(
        "expect-dialog \"Part Dialog\"\ntype part-name Bracket\npress ok\n"
        "type part-name Other\npress cancel\n"
        "press ok\n");
    ASSERT_TRUE(dialog_.Create());
    dialog_.Show(true);
    const auto& parts = dialog_.Item<platform::ListView>(CDlgMain::kIdPartList);
    ASSERT_EQ(parts.Columns().size(), 1u);
    EXPECT_EQ(parts.Columns()[0].heading, "Part Name");
    EXPECT_EQ(parts.Columns()[0].width, 80);
    EXPECT_EQ(parts.Columns()[0].alignment, platform::ColumnAlignment::Left);
    for (int press = 0; press < 3; ++press)
        EXPECT_TRUE(dialog_.PerformUserAction("add-setup", {"press", {}}));
    ASSERT_EQ(parts.Items().Count(), 2);
    EXPECT_EQ(parts.Items().Text(0), "Bracket");
    EXPECT_EQ(parts.Items().Text(1), "");
    EXPECT_EQ(dialog_.Job.PartCount, 2);
    // While a part is entered the main dialog is hidden and the host has the keyboard focus.
    const std::vector<std::string> lines = Transcript();
    const std::vector<std::string> expected{"hide \"TAVRO Programmer by Kestrane\"", "focus host",
                                            "show \"Part Dialog\"", "end \"Part Dialog\" OK",
                                            "show \"TAVRO Programmer by Kestrane\""};
    auto at = lines.begin();
    for (const std::string& line : expected) {
        at = std::find(at, lines.end(), line);
        ASSERT_NE(at, lines.end()) << line << " missing in " << ::testing::PrintToString(lines);
    }
    EXPECT_TRUE(dialog_.IsVisible());
}

}  // namespace
