// The install run over the script's Commands, and the text files it writes.
#include "installer/InstallScript.h"

#include <cstdio>
#include <memory>

#include "installer/IniRegistration.h"
#include "installer/Placeholders.h"
#include "platform/Paths.h"

namespace installer {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The files are batch and text files for the host's platform, whose text mode ends lines so.
constexpr std::string_view kLineEnd = "\r\n";

bool writeLine(std::FILE* file, const std::string& line) {
    return std::fwrite(line.data(), 1, line.size(), file) == line.size() &&
           std::fwrite(kLineEnd.data(), 1, kLineEnd.size(), file) == kLineEnd.size();
}

}  // namespace

std::string ScriptPath(const RunParameters& run) {
    return WithTrailingBackslash(run.hostDirectory) + run.scriptName + ".xml";
}

void runInstallScript(const RunParameters& run, const StatusLine& status) {
    const std::string path = ScriptPath(run);
    MarkupDocument script;
    // A file that cannot be read leaves the document empty, and then no root is found.
    (void)script.loadFile(path);
    if (!script.findElement("InstallItem")) {
        // The fixed text, and on a second line the path tried on this machine and the reason.
        const std::string reason = script.FailureReason().empty()
                                       ? "the root element is not InstallItem"
                                       : script.FailureReason();
        status("Could Not open " + path + "\n" + platform::MapPath(path).string() + ": " + reason);
        return;
    }
    status("Opened " + path);
    script.enterElement();
    while (script.findElement("Command")) {
        const std::string action = script.attribute("action");
        if (action == "Ravelink")
            registerAddIn(script, run.hostDirectory, status);
        else if (action == "CreateFile")
            createTextFile(script, run, status);
    }
}

void createTextFile(MarkupDocument& script, const RunParameters& run, const StatusLine& status) {
    const std::string name = script.attribute("name");
    const std::string location =
        WithTrailingBackslash(expandPlaceholders(script.attribute("location"), run));
    const std::string path = location + name;
    status("Creating a File");
    std::unique_ptr<std::FILE, FileCloser> file(platform::OpenFile(platform::MapPath(path), "wb"));
    if (!file) {
        status("ERROR: Cannot open " + path);
        return;
    }
    bool written = true;
    while (script.findChildElement("Line")) {
        const std::string text = script.childText();
        if (text.empty()) continue;
        written = writeLine(file.get(), expandPlaceholders(text, run)) && written;
    }
    // Data still buffered is written by the close, which is where a full disk shows.
    written = std::fclose(file.release()) == 0 && written;
    status(written ? "File Created" : "ERROR: Cannot write " + path);
}

}  // namespace installer
