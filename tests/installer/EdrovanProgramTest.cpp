// Whole runs of the program Edrovan on temporary host folders: its output (one status per
// line), the ini files and text files it leaves, and its exit code.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/IniFile.h"
#include "tests/installer/TempHost.h"

namespace {

using Lines = std::vector<std::string>;

struct ProgramRun {
    Lines statuses;
    int exitCode = -1;
};

std::string shellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class EdrovanProgramTest : public TempHostTest {
protected:
    // Runs the program in the folder c:\ with `arguments` and the drive root of the test; its
    // standard error goes to `errors` when one is given.
    ProgramRun Run(const Lines& arguments, const std::filesystem::path& errors = {}) {
        std::string command = "cd " + shellQuoted((root_ / "drive_c").string()) +
                              " && env -u TAVRO_SESSION_SCRIPT -u TAVRO_TRANSCRIPT " +
                              shellQuoted(EDROVAN_PROGRAM) + " " +
                              shellQuoted("--drive-root=" + root_.string());
        for (const std::string& argument : arguments) command += " " + shellQuoted(argument);
        if (!errors.empty()) command += " 2>" + shellQuoted(errors.string());
        ProgramRun run;
        FILE* output = ::popen(command.c_str(), "r");
        if (output == nullptr) return run;
        char line[4096];
        while (std::fgets(line, sizeof line, output) != nullptr)
            run.statuses.emplace_back(line, std::strcspn(line, "\n"));
        const int status = ::pclose(output);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }
};

const char* const kTwoAddInsAndABatchFile = R"(<?xml version="1.0"?>
<!-- two add-ins into two configurations, then a batch file -->
<InstallItem>
  <Command action="Ravelink">
    <AddInMenu DllName="Tavroset.dll" DirName="AddIns" MenuText="Fixture table"/>
    <Version><Directory>Cfg1</Directory><Directory>Cfg2</Directory></Version>
  </Command>
  <Command action="createfile" name="skipped.bat" location="[AppDir]"/>
  <Command action="Ravelink">
    <AddInMenu DllName="Other.dll" DirName="AddIns" MenuText=""/>
    <Version><Directory/><Directory>Cfg1</Directory></Version>
  </Command>
  <Command action="CreateFile" name="run.bat" location="[AppDir]Tools">
    <Line>call [AppDir]bin\x.bat</Line>
    <Line></Line>
    <Line>echo [SystemDir] &amp; exit</Line>
  </Command>
</InstallItem>
)";

TEST_F(EdrovanProgramTest, RunsEveryCommandInOrder) {
    Write(Host("setup.xml"), kTwoAddInsAndABatchFile);
    std::filesystem::create_directories(Host("Cfg1"));
    std::filesystem::create_directories(Host("Tools"));
    Write(Host("Cfg2/surfcam.ini"),
          "[SystemOptional]\r\nUserApplications=1\r\n"
          "UserApp1=C:\\old\\TAVROSET.DLL,Old\r\n");
    const ProgramRun run = Run({R"(c:\host)", "setup", R"(c:\win)"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.statuses,
              (Lines{R"(c:\host setup)", R"(Opened c:\host\setup.xml)", "Adding the SurfCAM API",
                     "SurfCAM API Added", "Adding the SurfCAM API", "SurfCAM API Added",
                     "Creating a File", "File Created"}));
    EXPECT_EQ(Read(Host("Cfg1/surfcam.ini")),
              "[SystemOptional]\r\nUserApplications=2\r\n"
              "UserApp1=c:\\host\\AddIns\\Tavroset.dll,Fixture table\r\n"
              "UserApp2=c:\\host\\AddIns\\Other.dll,Other.dll\r\n");
    EXPECT_EQ(Read(Host("Cfg2/surfcam.ini")),
              "[SystemOptional]\r\nUserApplications=1\r\n"
              "UserApp1=c:\\host\\AddIns\\Tavroset.dll,Fixture table\r\n");
    EXPECT_EQ(Read(Host("Tools/run.bat")), "call c:\\host\\bin\\x.bat\r\necho c:\\win & exit\r\n");
    EXPECT_FALSE(std::filesystem::exists(Host("skipped.bat")));
}

TEST_F(EdrovanProgramTest, ScriptThatCannotBeUsedDoesNothing) {
    const char* const scripts[] = {
        nullptr,  // no file
        "<InstallItem><Command action='CreateFile' name='x' location='.'></InstallItem>",
        "<Install><Command action='CreateFile' name='x' location='.'/></Install>",
        "<?xml version='1.0'?><!-- nothing else -->",
    };
    for (const char* script : scripts) {
        std::filesystem::remove(Host("setup.xml"));
        if (script != nullptr) Write(Host("setup.xml"), script);
        const ProgramRun run = Run({R"(c:\host\)", "setup"});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.statuses, (Lines{R"(c:\host\ setup)", R"(Could Not open c:\host\setup.xml)"}))
            << (script ? script : "no file");
        EXPECT_FALSE(std::filesystem::exists(root_ / "drive_c" / "x"));
    }
}

// Regression: a script that could not be used was reported by the fixed text alone, so nobody
// could tell a missing file from a malformed one, or which path was tried.
TEST_F(EdrovanProgramTest, AHeadlessRunGivesTheReasonOnStandardError) {
    const ProgramRun run = Run({R"(c:\host)", "setup"}, root_ / "errors.txt");
    EXPECT_EQ(run.statuses, (Lines{R"(c:\host setup)", R"(Could Not open c:\host\setup.xml)"}));
    EXPECT_EQ(Read(root_ / "errors.txt"),
              "Edrovan: " + Host("setup.xml").string() + ": No such file or directory\n");
}

TEST_F(EdrovanProgramTest, FileThatCannotBeCreatedDoesNotStopTheRun) {
    Write(Host("setup.xml"),
          "<InstallItem>"
          "<Command action='CreateFile' name='a.txt' location='[AppDir]NoSuchFolder'>"
          "<Line>x</Line></Command>"
          "<Command action='CreateFile' name='b.txt' location='[SystemDir]'><Line>y</Line>"
          "</Command>"
          // Guards against "File Created" for a file whose lines were lost on a full disk.
          "<Command action='CreateFile' name='full' location='/dev'><Line>z</Line></Command>"
          "</InstallItem>");
    const ProgramRun run = Run({R"(c:\host)", "setup"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.statuses,
              (Lines{R"(c:\host setup)", R"(Opened c:\host\setup.xml)", "Creating a File",
                     R"(ERROR: Cannot open c:\host\NoSuchFolder\a.txt)", "Creating a File",
                     "File Created", "Creating a File", R"(ERROR: Cannot write /dev\full)"}));
    // [SystemDir] without a third word: the root of the current drive.
    EXPECT_EQ(Read(root_ / "drive_c" / "b.txt"), "y\r\n");
}

struct WordsCase {
    Lines arguments;
    Lines statuses;
};

TEST_F(EdrovanProgramTest, OptionWordsAndTooFewWords) {
    Write(Host("my host/setup.xml"), "<Other/>");
    Write(Host("setup.xml"), "<Other/>");
    const WordsCase cases[] = {
        {{}, {}},
        {{R"(c:\host)"}, {}},
        {{"-q", "-r", R"(c:\host)"}, {}},
        {{"-q", R"(c:\host)", "-x", "setup", "-y"},
         {R"(c:\host setup)", R"(Could Not open c:\host\setup.xml)"}},
        // A word the installation quotes keeps its spaces.
        {{R"("c:\host\my host")", "setup"},
         {R"(c:\host\my host setup)", R"(Could Not open c:\host\my host\setup.xml)"}},
        {{R"(c:\host\my host)", "setup"},
         {R"(c:\host\my host setup)", R"(Could Not open c:\host\my host\setup.xml)"}},
        {{std::string(260, 'x'), "setup"},
         {std::string(260, 'x') + " setup",
          "ERROR: Command line word 1 is longer than 259 characters"}},
    };
    for (const WordsCase& each : cases) {
        const ProgramRun run = Run(each.arguments);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.statuses, each.statuses) << each.arguments.size() << " words";
    }
}

// The example script of examples/install registers the add-in in the host's Config folder.
TEST_F(EdrovanProgramTest, ExampleScriptRegistersTheAddIn) {
    std::filesystem::create_directories(root_ / "drive_c" / "Surfcam" / "Config");
    std::filesystem::copy_file(TAVRO_SOURCE_DIR "/examples/install/Install.xml",
                               root_ / "drive_c" / "Surfcam" / "Install.xml");
    const ProgramRun run = Run({R"(c:\Surfcam)", "Install"});
    EXPECT_EQ(run.statuses.back(), "File Created");
    EXPECT_EQ(platform::GetPrivateProfileString("SystemOptional", "UserApp1", "",
                                                R"(c:\Surfcam\Config\surfcam.ini)"),
              R"(c:\Surfcam\AddIns\Tavroset.dll,TAVRO Fixture Table)");
}

}  // namespace
