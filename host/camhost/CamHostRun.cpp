// The order of a camhost run. Everything that can be checked before the job starts (outputs'
// folders, the session script, surfcam.ini, the add-in libraries) is checked first, so a run
// that cannot be done fails before the drawing is touched or any output is written.
#include "host/camhost/CamHostRun.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "host/Host.h"
#include "host/HostActions.h"
#include "host/addins/Addin.h"
#include "host/addins/AddinCommands.h"
#include "host/picture/DrawingPicture.h"
#include "platform/MessageService.h"
#include "platform/Paths.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/HeadlessBackend.h"
#include "platform/dialog/QuotedText.h"
#include "platform/dialog/ScriptVerbs.h"

namespace host {
namespace {

// A failure of a step of the run is a Status already worded for the person running it.
using platform::Expected;
using platform::Status;

void Report(const std::string& reason) { std::fprintf(stderr, "camhost: %s\n", reason.c_str()); }

// Whether the output at `systemPath` can be written, or why not (its folder is missing).
Status CheckOutput(const char* what, const std::optional<std::string>& systemPath) {
    if (!systemPath) return {};
    const std::filesystem::path file = platform::MapPath(*systemPath);
    std::filesystem::path folder = file.parent_path();
    if (folder.empty()) folder = ".";
    std::error_code error;
    if (std::filesystem::is_directory(file, error))
        return Status::Failure("cannot write the " + std::string(what) + " " + *systemPath + ": " +
                               file.string() + " is a folder");
    if (!std::filesystem::is_directory(folder, error))
        return Status::Failure("cannot write the " + std::string(what) + " " + *systemPath +
                               ": the folder " + folder.string() + " does not exist");
    return {};
}

Status CheckOutputs(const CamHostSettings& settings) {
    for (const Status& output :
         {CheckOutput("transcript", settings.transcript),
          CheckOutput("drawing", settings.saveDrawing), CheckOutput("picture", settings.picture)})
        if (!output) return output;
    return {};
}

// The session script's actions, every host action among them checked; a script that cannot be
// read or holds a host action the host cannot take is refused naming its line.
Expected<std::vector<platform::ScriptAction>> ReadScript(const CamHostSettings& settings) {
    if (!settings.sessionScript) return std::vector<platform::ScriptAction>();
    const std::string& name = *settings.sessionScript;
    Expected<std::vector<platform::ScriptAction>> read =
        platform::ReadSessionScriptFile(platform::MapPath(name));
    if (!read) return Status::Failure("session script " + name + ": " + read.Describe());
    for (const platform::ScriptAction& action : *read) {
        if (!action.verb.starts_with(platform::verbs::kHostPrefix)) continue;
        if (const Status checked = CheckHostAction(action); !checked)
            return Status::Failure("session script " + name + ": line " +
                                   std::to_string(action.line) + ": " + checked.Describe());
    }
    return read;
}

// The commands to run, in their order: each entry with its loaded add-in.
struct LoadedAddins {
    std::vector<std::pair<AddinEntry, const Addin*>> commands;
};

Expected<LoadedAddins> LoadAddins(const CamHostSettings& settings) {
    LoadedAddins loaded;
    if (settings.commands.empty()) return loaded;
    const Expected<AddinListing> listing = ReadAddinEntries(settings.configFolder);
    if (!listing) return Status::Failure(listing.Describe());
    for (const std::string& choice : settings.commands) {
        const Expected<const AddinEntry*> entry = ChooseAddin(*listing, choice);
        if (!entry) return Status::Failure(entry.Describe());
        const Expected<const Addin*> addin = LoadedAddin(**entry);
        if (!addin) return Status::Failure(addin.Describe());
        loaded.commands.emplace_back(**entry, *addin);
    }
    return loaded;
}

// A message box's text on one line: line breaks inside become " / ", trailing ones go.
std::string OnOneLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        line += text[i] == '\n' || text[i] == '\r' ? std::string(" / ") : std::string(1, text[i]);
    }
    return line;
}

// The scripted backend: headless, or with --gui the desktop one, whose script (if any) drives
// real windows and whose transcript is the headless one.
Expected<std::unique_ptr<platform::DialogBackend>> ChooseBackend(
    const CamHostSettings& settings, std::vector<platform::ScriptAction> actions) {
    if (!settings.gui)
        return std::make_unique<platform::HeadlessBackend>(
            platform::SessionScript(std::move(actions)));
    platform::BackendSettings desktop;
    if (settings.sessionScript) desktop.script = platform::MapPath(*settings.sessionScript);
    std::unique_ptr<platform::DialogBackend> chosen =
        platform::MakeDialogBackend(platform::kDesktopBackendName, desktop);
    if (!chosen) return Status::Failure("the desktop dialog backend cannot start here");
    return chosen;
}

// The backend playing the script, writing the transcript, and every message box also printed
// on standard error so that a batch run shows it.
Expected<platform::HeadlessBackend*> StartSession(const CamHostSettings& settings,
                                                  std::vector<platform::ScriptAction> actions) {
    Expected<std::unique_ptr<platform::DialogBackend>> chosen =
        ChooseBackend(settings, std::move(actions));
    if (!chosen) return chosen.GetStatus();
    platform::SetDialogBackend(std::move(*chosen));
    // Both play scripts as the headless backend does.
    platform::HeadlessBackend* backend = platform::CurrentHeadlessBackend();
    if (backend == nullptr) return Status::Failure("the dialog backend plays no session script");
    if (settings.transcript) {
        const Status written = backend->WriteTranscriptTo(platform::MapPath(*settings.transcript));
        if (!written)
            return Status::Failure("cannot write the transcript " + *settings.transcript + ": " +
                                   written.Describe());
    }
    platform::SetMessagePresenter([backend](const std::string& text) {
        backend->PresentMessage(text);
        std::fprintf(stderr, "message: %s\n", OnOneLine(text).c_str());
    });
    return backend;
}

// The job itself, on a host whose session is set up.
class Job {
public:
    Job(const CamHostSettings& settings, LoadedAddins& addins, platform::HeadlessBackend& backend,
        HostScreen* screen)
        : settings_(settings), addins_(addins), backend_(backend), screen_(screen) {}
    ~Job() { backend_.SetHostActionHandler({}); }
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;

    Status Run() {
        TakeHostActionsInDialogs(host_.ActiveDrawing(), backend_);
        if (Status step = Open(); !step) return step;
        ShowScreen();
        for (const auto& [entry, addin] : addins_.commands) {
            if (Status step = RunCommand(entry, *addin); !step) return step;
            if (screen_ != nullptr) screen_->DrawingChanged();
        }
        if (Status step = PlayHostActions(); !step) return step;
        if (const platform::ScriptAction* unused = backend_.PeekAction())
            Report("note: the session script's actions from line " + std::to_string(unused->line) +
                   " on were not used");
        if (Status step = Save(); !step) return step;
        if (Status step = Draw(); !step) return step;
        if (screen_ != nullptr && !settings_.sessionScript) screen_->WaitUntilClosed();
        return {};
    }

private:
    // The window on the screen; a script's session keeps answering the host's requests from
    // the script, so that it runs the same with or without a screen.
    void ShowScreen() {
        if (screen_ == nullptr) return;
        std::unique_ptr<HostInteraction> person = screen_->Show(host_);
        if (!settings_.sessionScript && person) host_.SetInteraction(std::move(person));
    }

    Status Open() {
        if (!settings_.openDrawing) return {};
        backend_.Record("open " + platform::QuoteText(*settings_.openDrawing));
        if (!host_.OpenDrawing(*settings_.openDrawing, /*merge=*/false))
            return Status::Failure("the drawing " + *settings_.openDrawing + " was not opened");
        TellAddinsDrawingOpened();
        return StoppedScript();
    }

    Status RunCommand(const AddinEntry& entry, const Addin& addin) {
        if (Status step = PlayHostActions(); !step) return step;
        RunAddinCommand(host_, entry, addin, &backend_);
        return StoppedScript();
    }

    Status PlayHostActions() {
        host::PlayHostActions(host_.ActiveDrawing(), backend_);
        return StoppedScript();
    }

    // A session script that stopped on an error ends the job: what follows would act on a
    // job the script no longer describes, so nothing is saved or drawn.
    Status StoppedScript() const {
        if (!backend_.ScriptFailed()) return {};
        return Status::Failure(
            "the session script stopped on an error (see above and the transcript); "
            "nothing was saved or drawn");
    }

    Status Save() {
        if (!settings_.saveDrawing) return {};
        const std::string& path = *settings_.saveDrawing;
        backend_.Record("save " + platform::QuoteText(path));
        if (!host_.SaveDrawing(path))
            return Status::Failure("the drawing was not saved to " + path);
        TellAddinsDrawingSaved();
        std::printf("drawing saved to %s (%s)\n", path.c_str(),
                    platform::MapPath(path).string().c_str());
        return {};
    }

    Status Draw() {
        if (!settings_.picture) return {};
        const std::string& path = *settings_.picture;
        PictureOptions options;
        options.tableDefinition = settings_.pictureTable;
        options.title = settings_.openDrawing.value_or("New drawing");
        const platform::Expected<PictureSummary> summary =
            WriteDrawingPicture(host_.ActiveDrawing(), options, path);
        if (!summary)
            return Status::Failure("the picture was not written to " + path + ": " +
                                   summary.Describe());
        std::printf("picture written to %s (%s): %zu posts, %zu programmed\n", path.c_str(),
                    platform::MapPath(path).string().c_str(), summary->posts, summary->programmed);
        return {};
    }

    const CamHostSettings& settings_;
    LoadedAddins& addins_;
    platform::HeadlessBackend& backend_;
    HostScreen* screen_;
    Host host_;
};

int Fail(const Status& failure) {
    Report(failure.Describe());
    return kCamHostFailed;
}

}  // namespace

int RunCamHost(const CamHostSettings& settings, HostScreen* screen) {
    if (const Status outputs = CheckOutputs(settings); !outputs) return Fail(outputs);
    Expected<std::vector<platform::ScriptAction>> actions = ReadScript(settings);
    if (!actions) return Fail(actions.GetStatus());
    Expected<LoadedAddins> addins = LoadAddins(settings);
    if (!addins) return Fail(addins.GetStatus());
    const Expected<platform::HeadlessBackend*> backend =
        StartSession(settings, std::move(*actions));
    if (!backend) return Fail(backend.GetStatus());
    const Status done = Job(settings, *addins, **backend, screen).Run();
    if (settings.transcript)
        std::printf("transcript written to %s (%s)\n", settings.transcript->c_str(),
                    platform::MapPath(*settings.transcript).string().c_str());
    return done ? kCamHostDone : Fail(done);
}

}  // namespace host
