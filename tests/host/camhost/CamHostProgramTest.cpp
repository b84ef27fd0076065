// Whole runs of camhost with a small test add-in: the host's selection reaching the add-in's
// command, the file hooks, the transcript, and every way a run is refused before it starts.
#include <functional>

#include "TempFolder.h"
#include "host/DrawingFile.h"
#include "host/addins/AddinCommands.h"
#include "tests/host/camhost/CamHostProgram.h"

namespace host::testing {
namespace {

constexpr const char* kIni = "c:\\Surfcam\\Config\\surfcam.ini";
constexpr const char* kAddinEntry =
    "[SystemOptional]\nUserApplications=1\nUserApp1=c:\\Surfcam\\AddIns\\TestAddin.dll,Test "
    "add-in\n";
constexpr const char* kAddinFile = "c:\\Surfcam\\AddIns\\TestAddin.so";
constexpr const char* kPart =
    "scprt 1\n"
    "layer 2 shown Holding surface\n"
    "layer 5 hidden Hidden\n"
    "surface 5 2 2 2 1 0\n0 0 20\n100 0 20\n0 50 25\n100 50 25\n"
    "surface 5 5 2 2 1 0\n0 0 40\n100 0 40\n0 50 45\n100 50 45\n"
    "line 12 3 0 0 0 100 0 0\n"
    "end\n";

// An entry re-registered with another library (an installer run in between) loads that library,
// not the one loaded earlier under the same entry number.
TEST(LoadedAddinTest, AnEntryNamingAnotherLibraryLoadsIt) {
    const tavro::testing::TempFolder folder("loaded-addin");
    AddinEntry entry{1, "", "Test", ""};
    std::vector<const Addin*> loaded;
    for (const char* name : {"first.so", "second.so"}) {
        std::filesystem::copy_file(TEST_ADDIN_MODULE, folder.path() / name);
        entry.libraryPath = (folder.path() / name).string();
        const platform::Expected<const Addin*> addin = LoadedAddin(entry);
        ASSERT_TRUE(addin) << addin.Describe();
        loaded.push_back(*addin);
    }
    EXPECT_NE(loaded[0], loaded[1]);
    EXPECT_EQ(*LoadedAddin(entry), loaded[1]);  // and loads each library once
}

class CamHostAddinTest : public CamHostProgramTest {
protected:
    void SetUp() override {
        CamHostProgramTest::SetUp();
        Write(kIni, kAddinEntry);
        Copy(TEST_ADDIN_MODULE, kAddinFile);
        Write("c:\\part.scprt", kPart);
    }
};

TEST_F(CamHostAddinTest, RunsTheCommandsWithTheSelectionTheScriptMakesBetweenThem) {
    Write("c:\\session.txt",
          "host-select surface\nhost-run\nhost-unselect\nhost-run\nhost-select all 3\n");
    const ProgramRun run = CamHost({"--open", "c:\\part.scprt", "--session=c:\\session.txt",
                                    "--transcript", "c:\\transcript.txt", "--run", "Test add-in",
                                    "--run=1", "--save", "c:\\out.scprt"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    // The surface on the hidden layer is not selected; every message box is also on stderr.
    EXPECT_EQ(Lines(run.errors), (std::vector<std::string>{
                                     "message: test add-in: drawing opened",
                                     "message: test add-in: 1 surfaces selected",
                                     "message: test add-in: 0 surfaces selected",
                                     "message: test add-in: drawing saved",
                                 }));
    EXPECT_EQ(Lines(Read(File("c:\\transcript.txt"))),
              (std::vector<std::string>{
                  R"(open "c:\\part.scprt")",
                  R"(message "test add-in: drawing opened")",
                  "host-select surface 1",
                  "host-run",
                  R"(run 1 "Test add-in")",
                  R"(message "test add-in: 1 surfaces selected")",
                  "host-unselect 1",
                  "host-run",
                  R"(run 1 "Test add-in")",
                  R"(message "test add-in: 0 surfaces selected")",
                  "host-select all 3 1",
                  R"(save "c:\\out.scprt")",
                  R"(message "test add-in: drawing saved")",
              }));
    const platform::Expected<Drawing> saved = ReadDrawingFile(File("c:\\out.scprt"));
    ASSERT_TRUE(saved) << saved.Describe();
    EXPECT_EQ(saved->EntityCount(), 5u);  // the part and a point from each command
}

// A run that cannot be done says why, exits 1 (2 for a command line it cannot use) and writes
// nothing: no drawing, and no transcript unless the session had started (a drawing is opened
// in the session, so the transcript shows its refusal).
struct RefusedRun {
    const char* name;
    std::function<void()> prepare;
    std::vector<std::string> arguments;
    int exitCode;
    const char* reason;
    bool sessionStarted = false;
};

class CamHostRefusalTest : public CamHostAddinTest,
                           public ::testing::WithParamInterface<RefusedRun> {};

TEST_P(CamHostRefusalTest, SaysWhyAndWritesNothing) {
    const RefusedRun& refused = GetParam();
    if (refused.prepare) refused.prepare();
    std::vector<std::string> arguments = refused.arguments;
    for (const char* output : {"--save=c:\\out.scprt", "--transcript=c:\\transcript.txt"})
        arguments.push_back(output);
    const ProgramRun run = CamHost(arguments);
    EXPECT_EQ(run.exitCode, refused.exitCode);
    EXPECT_NE(run.errors.find(refused.reason), std::string::npos) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(File("c:\\out.scprt")));
    EXPECT_EQ(std::filesystem::exists(File("c:\\transcript.txt")), refused.sessionStarted);
}

const std::vector<std::string> kRunFirst{"--run", "1"};

INSTANTIATE_TEST_SUITE_P(
    Cases, CamHostRefusalTest,
    ::testing::Values(
        RefusedRun{"NoIni", [] { std::filesystem::remove(CamHostProgramTest::File(kIni)); },
                   kRunFirst, 1, "no surfcam.ini in the host configuration c:\\Surfcam\\Config"},
        RefusedRun{"NoEntry", [] { CamHostProgramTest::Write(kIni, "[SystemOptional]\n"); },
                   kRunFirst, 1, "lists no add-in"},
        RefusedRun{"MenuTextOfNone",
                   nullptr,
                   {"--run", "Fixture table"},
                   1,
                   "no add-in \"Fixture table\" in c:\\Surfcam\\Config\\surfcam.ini (listed: 1 "
                   "\"Test add-in\")"},
        RefusedRun{"NumberOfAMissingEntry",
                   [] {
                       CamHostProgramTest::Write(
                           kIni,
                           "[SystemOptional]\nUserApplications=2\n"
                           "UserApp1=c:\\Surfcam\\AddIns\\TestAddin.dll,Test add-in\n");
                   },
                   {"--run", "2"},
                   1,
                   "add-in 2 of c:\\Surfcam\\Config\\surfcam.ini: UserApp2 is missing"},
        RefusedRun{"LibraryThatDoesNotLoad",
                   [] { CamHostProgramTest::Write(kAddinFile, "not a library\n"); }, kRunFirst, 1,
                   "the add-in \"Test add-in\" (c:\\Surfcam\\AddIns\\TestAddin.dll) does not load"},
        RefusedRun{"LibraryWithoutTheCommand",
                   [] { CamHostProgramTest::Copy(LIBRARY_WITHOUT_COMMAND, kAddinFile); }, kRunFirst,
                   1, "does not export UserApp_nCallback"},
        RefusedRun{"MalformedDrawing",
                   [] { CamHostProgramTest::Write("c:\\bad.scprt", "scprt 1\nline 1 2 x\nend\n"); },
                   {"--open", "c:\\bad.scprt"},
                   1,
                   "Cannot open the drawing \"c:\\bad.scprt\": line 2",
                   /*sessionStarted=*/true},
        RefusedRun{"MalformedScript",
                   [] { CamHostProgramTest::Write("c:\\s.txt", "# a user\nfrobnicate now\n"); },
                   {"--session", "c:\\s.txt"},
                   1,
                   "session script c:\\s.txt: line 2: unknown action"},
        RefusedRun{"HostActionOfNoKind",
                   [] { CamHostProgramTest::Write("c:\\s.txt", "host-select circle\n"); },
                   {"--session", "c:\\s.txt"},
                   1,
                   "session script c:\\s.txt: line 1: host-select needs KIND"},
        RefusedRun{"OutputInAMissingFolder",
                   nullptr,
                   {"--svg", "c:\\pictures\\job.svg"},
                   1,
                   "cannot write the picture c:\\pictures\\job.svg"},
        RefusedRun{"UnknownOption", nullptr, {"--fullscreen"}, 2, "unknown option --fullscreen"},
        RefusedRun{"OptionWithoutItsValue", nullptr, {"--open"}, 2, "--open needs a value"}),
    [](const ::testing::TestParamInfo<RefusedRun>& info) { return info.param.name; });

}  // namespace
}  // namespace host::testing
