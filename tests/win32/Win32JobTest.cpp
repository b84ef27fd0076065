// Whole jobs on native dialogs: camhost's run, in this process, loads the real add-in from the
// entry the installer writes and plays a session with every dialog a native window; the
// transcript, the program file and the saved drawing are the headless run's.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/camhost/CamHostRun.h"
#include "platform/Paths.h"
#include "tests/win32/Win32Fixture.h"

namespace {

namespace fs = std::filesystem;
using tavro::testing::Lines;

const fs::path kExamples = fs::path(TAVRO_SOURCE_DIR) / "examples";
// The job's files in a folder of its own on drive C, which the tests of other programs share
// under Wine: each session first types the table and program files into the main dialog.
constexpr const char* kProgramFile = "c:\\win32-job\\Tavro.txt";
constexpr const char* kTable = "c:\\win32-job\\TavroLoc.txt";
constexpr const char* kTypeJobFiles = R"(type fixture-file "c:\\win32-job\\TavroLoc.txt"
type program-file "c:\\win32-job\\Tavro.txt"
)";
constexpr const char* kMainDialog = "TAVRO Programmer by Kestrane";

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return in ? text.str() : "(no file)";
}

void Write(const std::string& systemPath, const std::string& text) {
    const fs::path file = platform::MapPath(systemPath);
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

void Copy(const fs::path& from, const std::string& systemPath) { Write(systemPath, Read(from)); }

class Win32JobTest : public Win32Test {
protected:
    void SetUp() override {
        Copy(kExamples / "TavroLoc.txt", kTable);
        Copy(kExamples / "skin-panel" / "skin-panel.scprt", "c:\\win32-job\\skin-panel.scprt");
        // The add-in registered as the installer registers it, beside the libraries it needs.
        Write("c:\\win32-job\\Config\\surfcam.ini",
              "[SystemOptional]\r\nUserApplications=1\r\n"
              "UserApp1=c:\\win32-job\\AddIns\\Tavroset.dll,TAVRO Fixture Table\r\n");
        const fs::path addins = platform::MapPath("c:\\win32-job\\AddIns");
        fs::create_directories(addins);
        std::error_code inUse;  // loaded by an earlier test of this process: the same file
        fs::copy_file(TAVROSET_LIBRARY, addins / "Tavroset.dll",
                      fs::copy_options::overwrite_existing, inUse);
    }

    struct Outcome {
        Lines transcript;
        std::string program;
        std::string drawing;
    };

    // The transcript, the program file and the saved drawing of the example drawing's job
    // played by `session`, headless or on native dialogs.
    static Outcome Job(const std::string& session, bool native) {
        Write("c:\\win32-job\\session.txt", kTypeJobFiles + session);
        for (const char* output :
             {kProgramFile, "c:\\win32-job\\transcript.txt", "c:\\win32-job\\job.scprt"})
            fs::remove(platform::MapPath(output));
        host::CamHostSettings settings;
        settings.configFolder = "c:\\win32-job\\Config";
        settings.openDrawing = "c:\\win32-job\\skin-panel.scprt";
        settings.sessionScript = "c:\\win32-job\\session.txt";
        settings.transcript = "c:\\win32-job\\transcript.txt";
        settings.saveDrawing = "c:\\win32-job\\job.scprt";
        settings.commands = {"TAVRO Fixture Table"};
        settings.gui = native;
        if (native) win32::RegisterWin32Backend();
        EXPECT_EQ(host::RunCamHost(settings), host::kCamHostDone);
        platform::ResetDialogSystem();
        Outcome outcome;
        std::istringstream transcript(Read(platform::MapPath(*settings.transcript)));
        for (std::string line; std::getline(transcript, line);) outcome.transcript.push_back(line);
        outcome.program = Read(platform::MapPath(kProgramFile));
        outcome.drawing = Read(platform::MapPath(*settings.saveDrawing));
        return outcome;
    }

    // Plays `session` on native dialogs and headless, expects the same outcome and returns it.
    // The link library keeps its progress box's text for its whole life, as in the host that
    // loads it once: both compared runs start after the same job, a first one headless.
    static Outcome ExpectTheHeadlessOutcome(const std::string& session) {
        (void)Job(session, /*native=*/false);
        const Outcome native = Job(session, /*native=*/true);
        const Outcome headless = Job(session, /*native=*/false);
        EXPECT_EQ(native.transcript, headless.transcript);
        EXPECT_TRUE(native.program == headless.program) << "the program files differ";
        EXPECT_TRUE(native.drawing == headless.drawing) << "the saved drawings differ";
        return headless;
    }
};

bool Has(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(Win32JobTest, TheExampleJobOnNativeDialogsGivesWhatTheHeadlessOneGives) {
    const Outcome headless =
        ExpectTheHeadlessOutcome(Read(kExamples / "skin-panel" / "session.txt"));
    // The heights were reviewed and programmed.
    EXPECT_TRUE(Has(headless.transcript, R"(end "Edit the calculated TAVRO heigh values." OK)"));
    EXPECT_NE(headless.program.find("MOVE S01R04C05 140.0000"), std::string::npos);
}

TEST_F(Win32JobTest, AJobCancelledInTheMainDialogGivesWhatTheHeadlessOneGives) {
    const Outcome headless = ExpectTheHeadlessOutcome("press draw-table-top\npress cancel\n");
    EXPECT_TRUE(Has(headless.transcript, "end \"" + std::string(kMainDialog) + "\" Cancel"));
    EXPECT_EQ(headless.program, "(no file)");
}

}  // namespace
