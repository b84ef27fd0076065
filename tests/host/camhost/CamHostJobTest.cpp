// Whole jobs the way a user runs them: Edrovan installs the add-in from the example install
// script, then camhost runs the real add-in on the example skin panel with a session script, and
// the program file, the transcript, the saved drawing and the picture are checked.
#include <pugixml.hpp>

#include <stdlib.h>

#include <algorithm>
#include <map>

#include "host/DrawingFile.h"
#include "host/picture/JobResults.h"
#include "tests/host/camhost/CamHostProgram.h"

namespace host::testing {
namespace {

const std::filesystem::path kExamples = std::filesystem::path(TAVRO_SOURCE_DIR) / "examples";
constexpr std::size_t kTablePosts = 144;  // 3 sections of 6 x 8 posts

// The session's first part: the table top drawn and the skin panel placed on its fixture.
const std::string kPlacePart = R"(press draw-table-top
press add-setup
type part-name "Skin panel 7"
press pick-fixed
select-entities -30 90 28
press pick-sliding
select-entities 550 90 28
choose fixed-a-row 4
choose pin-locator 2
press translate
press ok
)";

class CamHostJobTest : public CamHostProgramTest {
protected:
    void SetUp() override {
        CamHostProgramTest::SetUp();
        Copy(kExamples / "install" / "Install.xml", "c:\\Surfcam\\Install.xml");
        std::filesystem::create_directories(File("c:\\Surfcam\\Config"));
        const ProgramRun install = Run(EDROVAN_PROGRAM, {"c:\\Surfcam", "Install"});
        ASSERT_EQ(install.exitCode, 0) << install.errors;
        // The installation puts the library where its entry says it is.
        Copy(TAVROSET_LIBRARY, "c:\\Surfcam\\AddIns\\Tavroset.so");
        Copy(kExamples / "TavroLoc.txt", "c:\\TavroLoc.txt");
        Copy(kExamples / "skin-panel" / "skin-panel.scprt", "c:\\skin-panel.scprt");
    }

    ProgramRun Job(const std::string& session, const std::vector<std::string>& more = {}) {
        Write("c:\\session.txt", session);
        std::vector<std::string> arguments = {
            "--open",       "c:\\skin-panel.scprt", "--session", "c:\\session.txt",
            "--transcript", "c:\\transcript.txt",   "--run",     "TAVRO Fixture Table",
            "--save",       "c:\\job.scprt",        "--svg",     "c:\\job.svg",
            "--table",      "c:\\TavroLoc.txt"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return CamHost(arguments);
    }
    std::vector<std::string> Moves() {
        std::vector<std::string> moves;
        for (const std::string& line : Lines(Read(File("c:\\Tavro.txt"))))
            if (line.starts_with("  MOVE ")) moves.push_back(line.substr(7));
        return moves;
    }
    bool TranscriptHas(const std::string& line) {
        const std::vector<std::string> lines = Lines(Read(File("c:\\transcript.txt")));
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    // The picture's post marks by class ("post raised", "post-side own-z", ...); the picture
    // must be well-formed XML.
    std::map<std::string, std::size_t> PictureMarks() {
        pugi::xml_document svg;
        const pugi::xml_parse_result parsed = svg.load_file(File("c:\\job.svg").c_str());
        EXPECT_TRUE(parsed) << parsed.description() << " at " << parsed.offset;
        std::map<std::string, std::size_t> marks;
        for (const pugi::xpath_node& node : svg.select_nodes(
                 "//g[starts-with(@class, 'post ') or starts-with(@class, 'post-side ')]"))
            ++marks[node.node().attribute("class").value()];
        return marks;
    }
    Drawing SavedDrawing() {
        platform::Expected<Drawing> saved = ReadDrawingFile(File("c:\\job.scprt"));
        EXPECT_TRUE(saved) << saved.Describe();
        return saved ? std::move(*saved) : Drawing();
    }
};

TEST_F(CamHostJobTest, InstallThenTheExampleJob) {
    Copy(kExamples / "skin-panel" / "session.txt", "c:\\example-session.txt");
    const ProgramRun run = Job(Read(File("c:\\example-session.txt")));
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    // The panel lies over three rows of five posts in sections 1 and 2; S1 R4 C5 was edited.
    const std::vector<std::string> moves = Moves();
    EXPECT_EQ(moves.size(), 30u);
    EXPECT_NE(std::find(moves.begin(), moves.end(), "S01R04C05 140.0000"), moves.end());
    EXPECT_TRUE(std::all_of(moves.begin(), moves.end(), [](const std::string& move) {
        return move.starts_with("S01R03") || move.starts_with("S01R04") ||
               move.starts_with("S01R05") || move.starts_with("S02R03") ||
               move.starts_with("S02R04") || move.starts_with("S02R05");
    }));
    EXPECT_TRUE(TranscriptHas("host-select surface 2 1"));
    EXPECT_TRUE(TranscriptHas(R"(end "Edit the calculated TAVRO heigh values." OK)"));
    const Drawing saved = SavedDrawing();
    EXPECT_EQ(saved.Layers().at(kTableLayoutLayer).name, "Table Layout");
    EXPECT_EQ(saved.Layers().at(kResultLayer).name, "End Deflector Heights");
    EXPECT_EQ(PictureMarks(), (std::map<std::string, std::size_t>{{"post raised", 30},
                                                                  {"post own-z", 114},
                                                                  {"post-side raised", 30},
                                                                  {"post-side own-z", 114}}));
    EXPECT_NE(run.output.find("144 posts, 30 programmed"), std::string::npos) << run.output;
}

// Without a holding surface every post keeps its own z; the example table's posts stand at z 0,
// so none is programmed. A program file that cannot be created shows its message on stderr.
// The same job with the dialogs as real windows (Qt's offscreen platform): the script drives
// their widgets, and the transcript, program file and drawing are the headless run's.
TEST_F(CamHostJobTest, TheExampleJobOnTheDesktopGivesWhatTheHeadlessOneGives) {
    Copy(kExamples / "skin-panel" / "session.txt", "c:\\example-session.txt");
    const std::string session = Read(File("c:\\example-session.txt"));
    ASSERT_EQ(Job(session).exitCode, 0);
    const std::string transcript = Read(File("c:\\transcript.txt"));
    const std::string program = Read(File("c:\\Tavro.txt"));
    const std::string drawing = Read(File("c:\\job.scprt"));
    ::setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    const ProgramRun onDesktop = Job(session, {"--gui"});
    ASSERT_EQ(onDesktop.exitCode, 0) << onDesktop.errors;
    EXPECT_EQ(Read(File("c:\\transcript.txt")), transcript);
    EXPECT_EQ(Read(File("c:\\Tavro.txt")), program);
    EXPECT_EQ(Read(File("c:\\job.scprt")), drawing);
    EXPECT_GT(Lines(transcript).size(), 40u);
}

// The installer's window on the desktop runs on the real clock and says nothing on standard
// output (the window shows its status); the registration is the headless one's.
TEST_F(CamHostJobTest, InstallingOnTheDesktopRegistersTheAddinAlike) {
    const std::string registered = Read(File("c:\\Surfcam\\Config\\surfcam.ini"));
    std::filesystem::remove(File("c:\\Surfcam\\Config\\surfcam.ini"));
    ::setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    const ProgramRun install = Run(EDROVAN_PROGRAM, {"--gui", "c:\\Surfcam", "Install"});
    ASSERT_EQ(install.exitCode, 0) << install.errors;
    EXPECT_EQ(install.output, "");
    EXPECT_EQ(Read(File("c:\\Surfcam\\Config\\surfcam.ini")), registered);
}

// The backend chosen by name in the environment, as any program that links it allows.
TEST_F(CamHostJobTest, TheEnvironmentChoosesTheDesktopBackendByName) {
    const std::string registered = Read(File("c:\\Surfcam\\Config\\surfcam.ini"));
    std::filesystem::remove(File("c:\\Surfcam\\Config\\surfcam.ini"));
    ::setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    ::setenv("TAVRO_DIALOG_BACKEND", "desktop", /*overwrite=*/1);
    const ProgramRun install = Run(EDROVAN_PROGRAM, {"c:\\Surfcam", "Install"});
    ::unsetenv("TAVRO_DIALOG_BACKEND");
    ASSERT_EQ(install.exitCode, 0) << install.errors;
    EXPECT_EQ(install.output, "");  // the window shows the status, not standard output
    EXPECT_EQ(Read(File("c:\\Surfcam\\Config\\surfcam.ini")), registered);
}

TEST_F(CamHostJobTest, ASessionThatSelectsNothingKeepsEveryPostAtItsOwnZ) {
    const ProgramRun run = Job(kPlacePart + "press ok\npress ok\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(Lines(Read(File("c:\\Tavro.txt"))),
              (std::vector<std::string>{"DEFINE_PRG TEST V2.4", "END_DEFINE_PRG"}));
    EXPECT_EQ(PictureMarks(), (std::map<std::string, std::size_t>{
                                  {"post own-z", kTablePosts}, {"post-side own-z", kTablePosts}}));
    std::size_t ownZPoints = 0;
    SavedDrawing().ForEach([&](const Entity& entity) {
        if (entity.layer == kResultLayer) {
            EXPECT_TRUE(std::holds_alternative<PointGeometry>(entity.geometry));
            ++ownZPoints;
        }
    });
    EXPECT_EQ(ownZPoints, kTablePosts);

    const ProgramRun unwritable =
        Job(kPlacePart + "type program-file c:\\\\missing\\\\Tavro.txt\npress ok\npress ok\n");
    EXPECT_EQ(unwritable.exitCode, 0) << unwritable.errors;
    EXPECT_NE(unwritable.errors.find("message: Cannot Open Tavro Program File\n"),
              std::string::npos)
        << unwritable.errors;
}

// A batch run shows the table reader's complaints on stderr, one line each, without the
// transcript (the message keeps the line's end, which must not make a second line).
TEST_F(CamHostJobTest, MessageBoxesAreOneLineEachOnStandardError) {
    Write("c:\\TavroLoc.txt", Read(File("c:\\TavroLoc.txt")) + "post 1 2 ; cut short\r\n");
    const ProgramRun run = Job("press draw-table-top\npress cancel\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const std::vector<std::string> errors = Lines(run.errors);
    EXPECT_NE(std::find(errors.begin(), errors.end(), "message: ERROR Line - POST 1 2 "),
              errors.end())
        << run.errors;
}

// On the desktop the same cancelled job gives the headless transcript.
TEST_F(CamHostJobTest, AJobCancelledInTheMainDialogComputesAndWritesNothing) {
    const std::string session = "press draw-table-top\npress cancel\n";
    const ProgramRun run = Job(session);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(File("c:\\Tavro.txt")));
    EXPECT_TRUE(TranscriptHas(R"(end "TAVRO Programmer by Kestrane" Cancel)"));
    const Drawing saved = SavedDrawing();
    EXPECT_TRUE(saved.HasLayer(kTableLayoutLayer));
    EXPECT_FALSE(saved.HasLayer(kResultLayer));
    EXPECT_EQ(PictureMarks(), (std::map<std::string, std::size_t>{}));

    const std::string transcript = Read(File("c:\\transcript.txt"));
    ::setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    const ProgramRun onDesktop = Job(session, {"--gui"});
    ASSERT_EQ(onDesktop.exitCode, 0) << onDesktop.errors;
    EXPECT_EQ(Read(File("c:\\transcript.txt")), transcript);
    EXPECT_FALSE(std::filesystem::exists(File("c:\\Tavro.txt")));
}

}  // namespace
}  // namespace host::testing
