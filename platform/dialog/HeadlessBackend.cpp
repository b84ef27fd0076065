// The headless loop: posted messages first, then the script's next action, then timers on the
// virtual clock; the transcript of everything visible.
#include "platform/dialog/HeadlessBackend.h"

#include <charconv>
#include <cstdio>
#include <set>

#include "platform/Invariant.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/QuotedText.h"
#include "platform/dialog/ScriptInput.h"
#include "platform/dialog/ScriptVerbs.h"
#include "platform/dialog/Window.h"

namespace platform {
namespace {

// Cancelled loops after the script ended beyond which a dialog is taken to wait for ever
// (for example one that ignores every result but one).
constexpr int kCancelsAfterEndLimit = 10'000;

// The headless backends alive, so that the one in use is found without asking the backend
// interface what it is. Never destroyed: a backend in the session's static state goes after it.
std::set<const DialogBackend*>& LiveHeadlessBackends() {
    static auto* live = new std::set<const DialogBackend*>;
    return *live;
}

}  // namespace

HeadlessBackend::HeadlessBackend(SessionScript script) : script_(std::move(script)) {
    LiveHeadlessBackends().insert(this);
}

HeadlessBackend::~HeadlessBackend() { LiveHeadlessBackends().erase(this); }

Status HeadlessBackend::WriteTranscriptTo(const std::filesystem::path& path) {
    return transcript_.WriteTo(path);
}

void HeadlessBackend::OnWindowEvent(const WindowEvent& event) {
    if (std::string line = Transcript::Format(event); !line.empty()) transcript_.Write(line);
}

void HeadlessBackend::PresentMessage(const std::string& text) {
    transcript_.Write("message " + QuoteText(text));
}

void HeadlessBackend::AdvanceClockTo(std::int64_t time) {
    if (time <= now_) return;
    WaitUntil(time);
    now_ = time;
    transcript_.Write("time " + std::to_string(now_));
}

bool HeadlessBackend::FireTimerDueBy(std::int64_t limit) {
    const std::optional<std::int64_t> due = NextTimerDue();
    if (!due || *due > limit) return false;
    AdvanceClockTo(*due);
    FireDueTimer(now_);
    return true;
}

void HeadlessBackend::RunLoop(Dialog& dialog) {
    while (!dialog.LoopEnded()) {
        BetweenSteps();
        if (dialog.LoopEnded()) break;
        if (DispatchPostedMessage()) continue;
        if (waitUntil_) {
            if (!FireTimerDueBy(*waitUntil_)) {
                AdvanceClockTo(*waitUntil_);
                waitUntil_.reset();
            }
            continue;
        }
        if (const ScriptAction* action = script_.Next()) {
            const ScriptAction taken = *action;
            // Taken before it runs: the action may open a dialog whose loop reads on.
            script_.Consume();
            Perform(dialog, taken);
            continue;
        }
        if (!idleDeadline_) idleDeadline_ = now_ + kIdleLimitMilliseconds;
        if (FireTimerDueBy(*idleDeadline_)) continue;
        transcript_.Write("script-end " + QuoteText(dialog.Label()));
        dialog.EndDialog(kResultCancel);
        TAVRO_INVARIANT(++cancelsAfterEnd_ < kCancelsAfterEndLimit,
                        "a dialog keeps waiting for input after the session script ended");
    }
}

void HeadlessBackend::Perform(Dialog& dialog, const ScriptAction& action) {
    const std::vector<std::string>& arguments = action.arguments;
    std::string error;
    if (action.verb == verbs::kWait) {
        std::int64_t milliseconds = -1;
        if (arguments.size() == 1) {
            const std::string& text = arguments[0];
            std::from_chars(text.data(), text.data() + text.size(), milliseconds);
        }
        if (milliseconds < 0)
            error = "'wait' takes a whole number of milliseconds";
        else
            waitUntil_ = now_ + milliseconds;
    } else if (action.verb == verbs::kExpectDialog) {
        if (arguments.size() != 1 || arguments[0] != dialog.Label())
            error = "expected dialog " + QuoteText(arguments.empty() ? "" : arguments[0]) + ", " +
                    QuoteText(dialog.Label()) + " is waiting";
    } else if (action.verb == verbs::kClose) {
        error = FeedClose(dialog).Describe();
    } else if (action.verb == verbs::kEscape) {
        FeedEscape(dialog);
    } else if (IsHostVerb(action.verb)) {
        const Window* host = WindowFromHandle(MainWindow());
        if (hostActions_ && host != nullptr && host->IsEnabled())
            error = hostActions_(action).Describe();
        else
            error = "host action '" + action.verb + "' while dialog " + QuoteText(dialog.Label()) +
                    " waits for the user";
    } else if (arguments.empty()) {
        error = "'" + action.verb + "' needs a control";
    } else {
        const UserAction user{action.verb, {arguments.begin() + 1, arguments.end()}};
        const ScriptInput translated = TranslateDialogAction(dialog, arguments.front(), user);
        if (!translated)
            error = translated.Describe();
        else if (*translated)
            error = FeedInput(dialog, **translated).Describe();
    }
    if (!error.empty()) {
        FailAction(action, error);
        dialog.EndDialog(kResultCancel);
    }
}

ActionOutcome HeadlessBackend::FeedInput(Dialog& dialog, const UserInput& input) {
    return dialog.Deliver(input);
}

Status HeadlessBackend::FeedClose(Dialog& dialog) { return dialog.RequestSystemClose(); }

void HeadlessBackend::FeedEscape(Dialog& dialog) { dialog.RequestKeyboardCancel(); }

const ScriptAction* HeadlessBackend::TakeHostAction(std::string_view verb) {
    const Expected<const ScriptAction*> action = script_.TakeHostAction(verb);
    if (action) return *action;
    const std::string error = action.Describe();
    transcript_.Write("script-error " + QuoteText(error));
    std::fprintf(stderr, "session script: %s\n", error.c_str());
    script_.Stop();
    failed_ = true;
    return nullptr;
}

void HeadlessBackend::FailAction(const ScriptAction& action, const std::string& error) {
    const std::string where = "line " + std::to_string(action.line) + ": " + error;
    transcript_.Write("script-error " + QuoteText(where));
    std::fprintf(stderr, "session script: %s\n", where.c_str());
    script_.Stop();
    failed_ = true;
}

void HeadlessBackend::FailScript(const Status& read) {
    const std::string where = read.Describe();
    transcript_.Write("script-error " + QuoteText(where));
    std::fprintf(stderr, "session script: %s\n", where.c_str());
    script_ = SessionScript();
    script_.Stop();
    failed_ = true;
}

Expected<std::vector<ScriptAction>> ReadNamedSessionScript(const std::filesystem::path& script) {
    if (script.empty()) return std::vector<ScriptAction>();
    return ReadSessionScriptFile(script);
}

void ConnectScriptedBackend(HeadlessBackend& backend, const std::filesystem::path& transcript,
                            const Expected<std::vector<ScriptAction>>& read) {
    if (!transcript.empty()) {
        if (const Status written = backend.WriteTranscriptTo(transcript); !written)
            std::fprintf(stderr, "%s\n", written.Describe().c_str());
    }
    if (!read) backend.FailScript(read.GetStatus());
}

std::unique_ptr<HeadlessBackend> MakeHeadlessBackend(const std::filesystem::path& script,
                                                     const std::filesystem::path& transcript) {
    return MakeScriptedBackend<HeadlessBackend>(
        {script, transcript}, [](SessionScript session, bool) {
            return std::make_unique<HeadlessBackend>(std::move(session));
        });
}

HeadlessBackend* CurrentHeadlessBackend() {
    DialogBackend& current = CurrentBackend();
    return LiveHeadlessBackends().contains(&current) ? static_cast<HeadlessBackend*>(&current)
                                                     : nullptr;
}

}  // namespace platform
