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

// A failure of the run, already worded for the person running it.
struct Failure {
    std::string reason;
};

void Report(const std::string& reason) { std::fprintf(stderr, "camhost: %s\n", reason.c_str()); }

// Why the output at `systemPath` cannot be written (its folder is missing), or empty.
std::string OutputProblem(const char* what, const std::optional<std::string>& systemPath) {
    if (!systemPath) return "";
    const std::filesystem::path file = platform::MapPath(*systemPath);
    std::filesystem::path folder = file.parent_path();
    if (folder.empty()) folder = ".";
    std::error_code error;
    if (std::filesystem::is_directory(file, error))
        return "cannot write the " + std::string(what) + " " + *systemPath + ": " + file.string() +
               " is a folder";
    if (!std::filesystem::is_directory(folder, error))
        return "cannot write the " + std::string(what) + " " + *systemPath + ": the folder " +
               folder.string() + " does not exist";
    return "";
}

std::optional<Failure> CheckOutputs(const CamHostSettings& settings) {
    for (const std::string& problem : {OutputProblem("transcript", settings.transcript),
                                       OutputProblem("drawing", settings.saveDrawing),
                                       OutputProblem("picture", settings.picture)})
        if (!problem.empty()) return Failure{problem};
    return std::nullopt;
}

// The session script's actions, every host action among them checked; a script that cannot be
// read or holds a host action the host cannot take is refused naming its line.
std::optional<Failure> ReadScript(const CamHostSettings& settings,
                                  std::vector<platform::ScriptAction>& actions) {
    if (!settings.sessionScript) return std::nullopt;
    const std::string& name = *settings.sessionScript;
    platform::Expected<std::vector<platform::ScriptAction>> read =
        platform::ReadSessionScriptFile(platform::MapPath(name));
    if (!read) return Failure{"session script " + name + ": " + read.Describe()};
    for (const platform::ScriptAction& action : *read) {
        if (!action.verb.starts_with(platform::verbs::kHostPrefix)) continue;
        if (const platform::Status checked = CheckHostAction(action); !checked)
            return Failure{"session script " + name + ": line " + std::to_string(action.line) +
                           ": " + checked.Describe()};
    }
    actions = std::move(*read);
    return std::nullopt;
}

// The commands to run, in their order: each entry with its loaded add-in.
struct LoadedAddins {
    std::vector<std::pair<AddinEntry, const Addin*>> commands;
};

std::optional<Failure> LoadAddins(const CamHostSettings& settings, LoadedAddins& loaded) {
    if (settings.commands.empty()) return std::nullopt;
    const platform::Expected<AddinListing> listing = ReadAddinEntries(settings.configFolder);
    if (!listing) return Failure{listing.Describe()};
    for (const std::string& choice : settings.commands) {
        const platform::Expected<const AddinEntry*> entry = ChooseAddin(*listing, choice);
        if (!entry) return Failure{entry.Describe()};
        const platform::Expected<const Addin*> addin = LoadedAddin(**entry);
        if (!addin) return Failure{addin.Describe()};
        loaded.commands.emplace_back(**entry, *addin);
    }
    return std::nullopt;
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
std::optional<Failure> ChooseBackend(const CamHostSettings& settings,
                                     std::vector<platform::ScriptAction> actions,
                                     std::unique_ptr<platform::DialogBackend>& chosen) {
    if (!settings.gui) {
        chosen = std::make_unique<platform::HeadlessBackend>(
            platform::SessionScript(std::move(actions)));
        return std::nullopt;
    }
    platform::BackendSettings desktop;
    if (settings.sessionScript) desktop.script = platform::MapPath(*settings.sessionScript);
    chosen = platform::MakeDialogBackend(platform::kDesktopBackendName, desktop);
    if (!chosen) return Failure{"the desktop dialog backend cannot start here"};
    return std::nullopt;
}

// The backend playing the script, writing the transcript, and every message box also printed
// on standard error so that a batch run shows it.
std::optional<Failure> StartSession(const CamHostSettings& settings,
                                    std::vector<platform::ScriptAction> actions,
                                    platform::HeadlessBackend*& backend) {
    std::unique_ptr<platform::DialogBackend> chosen;
    if (auto failure = ChooseBackend(settings, std::move(actions), chosen)) return failure;
    platform::SetDialogBackend(std::move(chosen));
    // Both play scripts as the headless backend does.
    platform::HeadlessBackend* headless = platform::CurrentHeadlessBackend();
    if (headless == nullptr) return Failure{"the dialog backend plays no session script"};
    if (settings.transcript) {
        const platform::Status written =
            headless->WriteTranscriptTo(platform::MapPath(*settings.transcript));
        if (!written)
            return Failure{"cannot write the transcript " + *settings.transcript + ": " +
                           written.Describe()};
    }
    backend = headless;
    platform::SetMessagePresenter([backend](const std::string& text) {
        backend->PresentMessage(text);
        std::fprintf(stderr, "message: %s\n", OnOneLine(text).c_str());
    });
    return std::nullopt;
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

    std::optional<Failure> Run() {
        TakeHostActionsInDialogs(host_.ActiveDrawing(), backend_);
        if (auto failure = Open()) return failure;
        ShowScreen();
        for (const auto& [entry, addin] : addins_.commands) {
            if (auto failure = RunCommand(entry, *addin)) return failure;
            if (screen_ != nullptr) screen_->DrawingChanged();
        }
        if (auto failure = PlayHostActions()) return failure;
        if (const platform::ScriptAction* unused = backend_.PeekAction())
            Report("note: the session script's actions from line " + std::to_string(unused->line) +
                   " on were not used");
        if (auto failure = Save()) return failure;
        if (auto failure = Draw()) return failure;
        if (screen_ != nullptr && !settings_.sessionScript) screen_->WaitUntilClosed();
        return std::nullopt;
    }

private:
    // The window on the screen; a script's session keeps answering the host's requests from
    // the script, so that it runs the same with or without a screen.
    void ShowScreen() {
        if (screen_ == nullptr) return;
        std::unique_ptr<HostInteraction> person = screen_->Show(host_);
        if (!settings_.sessionScript && person) host_.SetInteraction(std::move(person));
    }

    std::optional<Failure> Open() {
        if (!settings_.openDrawing) return std::nullopt;
        backend_.Record("open " + platform::QuoteText(*settings_.openDrawing));
        if (!host_.OpenDrawing(*settings_.openDrawing, /*merge=*/false))
            return Failure{"the drawing " + *settings_.openDrawing + " was not opened"};
        TellAddinsDrawingOpened();
        return StoppedScript();
    }

    std::optional<Failure> RunCommand(const AddinEntry& entry, const Addin& addin) {
        if (auto failure = PlayHostActions()) return failure;
        RunAddinCommand(host_, entry, addin, &backend_);
        return StoppedScript();
    }

    std::optional<Failure> PlayHostActions() {
        host::PlayHostActions(host_.ActiveDrawing(), backend_);
        return StoppedScript();
    }

    // A session script that stopped on an error ends the job: what follows would act on a
    // job the script no longer describes, so nothing is saved or drawn.
    std::optional<Failure> StoppedScript() const {
        if (!backend_.ScriptFailed()) return std::nullopt;
        return Failure{
            "the session script stopped on an error (see above and the transcript); "
            "nothing was saved or drawn"};
    }

    std::optional<Failure> Save() {
        if (!settings_.saveDrawing) return std::nullopt;
        const std::string& path = *settings_.saveDrawing;
        backend_.Record("save " + platform::QuoteText(path));
        if (!host_.SaveDrawing(path)) return Failure{"the drawing was not saved to " + path};
        TellAddinsDrawingSaved();
        std::printf("drawing saved to %s (%s)\n", path.c_str(),
                    platform::MapPath(path).string().c_str());
        return std::nullopt;
    }

    std::optional<Failure> Draw() {
        if (!settings_.picture) return std::nullopt;
        const std::string& path = *settings_.picture;
        PictureOptions options;
        options.tableDefinition = settings_.pictureTable;
        options.title = settings_.openDrawing.value_or("New drawing");
        const platform::Expected<PictureSummary> summary =
            WriteDrawingPicture(host_.ActiveDrawing(), options, path);
        if (!summary)
            return Failure{"the picture was not written to " + path + ": " + summary.Describe()};
        std::printf("picture written to %s (%s): %zu posts, %zu programmed\n", path.c_str(),
                    platform::MapPath(path).string().c_str(), summary->posts, summary->programmed);
        return std::nullopt;
    }

    const CamHostSettings& settings_;
    LoadedAddins& addins_;
    platform::HeadlessBackend& backend_;
    HostScreen* screen_;
    Host host_;
};

int Fail(const Failure& failure) {
    Report(failure.reason);
    return kCamHostFailed;
}

}  // namespace

int RunCamHost(const CamHostSettings& settings, HostScreen* screen) {
    if (auto failure = CheckOutputs(settings)) return Fail(*failure);
    std::vector<platform::ScriptAction> actions;
    if (auto failure = ReadScript(settings, actions)) return Fail(*failure);
    LoadedAddins addins;
    if (auto failure = LoadAddins(settings, addins)) return Fail(*failure);
    platform::HeadlessBackend* backend = nullptr;
    if (auto failure = StartSession(settings, std::move(actions), backend)) return Fail(*failure);
    const std::optional<Failure> failure = Job(settings, addins, *backend, screen).Run();
    if (settings.transcript)
        std::printf("transcript written to %s (%s)\n", settings.transcript->c_str(),
                    platform::MapPath(*settings.transcript).string().c_str());
    return failure ? Fail(*failure) : kCamHostDone;
}

}  // namespace host
