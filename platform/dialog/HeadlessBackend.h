// The headless backend: a session script plays the user, a virtual clock runs the timers, and
// a transcript records every visible event. Tests and batch runs use it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dialog/BackendRegistry.h"
#include "platform/dialog/Control.h"
#include "platform/dialog/DialogBackend.h"
#include "platform/dialog/SessionScript.h"
#include "platform/dialog/Transcript.h"

namespace platform {

// Also the base of a backend with widgets that a script drives (the desktop one): it overrides
// the protected hooks to feed the script's input to its widgets and to pace the clock.
class HeadlessBackend : public DialogBackend {
public:
    // How long, by the virtual clock, timers go on firing once the script has run out, before
    // the waiting dialog is cancelled: a dialog driven by its timers alone still ends, and a
    // dialog whose timer never ends it cannot hang the session.
    static constexpr std::int64_t kIdleLimitMilliseconds = 600'000;

    explicit HeadlessBackend(SessionScript script = {});
    ~HeadlessBackend() override;
    HeadlessBackend(const HeadlessBackend&) = delete;
    HeadlessBackend& operator=(const HeadlessBackend&) = delete;

    // Also writes the transcript to `path`; a failure when the file cannot be made.
    Status WriteTranscriptTo(const std::filesystem::path& path);

    void RunLoop(Dialog& dialog) override;
    void OnWindowEvent(const WindowEvent& event) override;
    void PresentMessage(const std::string& text) override;
    [[nodiscard]] std::int64_t NowMilliseconds() const override { return now_; }

    [[nodiscard]] const Transcript& GetTranscript() const { return transcript_; }
    [[nodiscard]] const std::vector<std::string>& TranscriptLines() const {
        return transcript_.Lines();
    }

    // For the stand-in host: the script's next action without taking it; null when the script
    // ran out or stopped.
    [[nodiscard]] const ScriptAction* PeekAction() const { return script_.Next(); }
    // For the stand-in host: writes a line of its own to the transcript (an action it took).
    void Record(const std::string& line) { transcript_.Write(line); }
    // For the stand-in host: takes a host action met while a dialog waits, or says why it
    // refuses it. Only while the host's main window takes input (a dialog has handed it over, as
    // a preview does): otherwise the user cannot reach the host and the action is an error of
    // the script.
    using HostActionHandler = std::function<Status(const ScriptAction& action)>;
    void SetHostActionHandler(HostActionHandler handler) { hostActions_ = std::move(handler); }
    // For the stand-in host: the next script action must be the host action `verb`. Returns
    // it, or null after recording the error and stopping the script.
    const ScriptAction* TakeHostAction(std::string_view verb);
    // Records an error in `action` (for example arguments the host cannot use) and stops the
    // script.
    void FailAction(const ScriptAction& action, const std::string& error);
    // Records a script that could not be read (nothing of it runs).
    void FailScript(const Status& read);
    // Whether the script stopped on an error.
    [[nodiscard]] bool ScriptFailed() const { return failed_; }

protected:
    // How a script's input reaches the dialog. The headless backend delivers it at once; a
    // backend with widgets feeds it to them, whose signals deliver it.
    virtual ActionOutcome FeedInput(Dialog& dialog, const UserInput& input);
    // "close": the system menu's Close; a failure when the window has none.
    virtual Status FeedClose(Dialog& dialog);
    // "escape": a cancel from the keyboard.
    virtual void FeedEscape(Dialog& dialog);
    // The clock is about to move on to `time`; a backend on the real clock waits until then.
    virtual void WaitUntil(std::int64_t time) { (void)time; }
    // Called before each step of a loop; a backend with widgets lets them work.
    virtual void BetweenSteps() {}

private:
    void Perform(Dialog& dialog, const ScriptAction& action);
    void AdvanceClockTo(std::int64_t time);
    bool FireTimerDueBy(std::int64_t limit);

    SessionScript script_;
    Transcript transcript_;
    std::int64_t now_ = 0;
    std::optional<std::int64_t> waitUntil_;
    std::optional<std::int64_t> idleDeadline_;
    int cancelsAfterEnd_ = 0;
    bool failed_ = false;
    HostActionHandler hostActions_;
};

// A headless backend playing the script file `script` (empty: no script) and writing its
// transcript to `transcript` (empty: kept in memory only). A script that cannot be read, or a
// transcript that cannot be written, is reported on standard error and in the transcript; the
// session then runs without a script.
[[nodiscard]] std::unique_ptr<HeadlessBackend> MakeHeadlessBackend(
    const std::filesystem::path& script, const std::filesystem::path& transcript);

// The script file `script` names read (none named: an empty script).
[[nodiscard]] Expected<std::vector<ScriptAction>> ReadNamedSessionScript(
    const std::filesystem::path& script);
// Connects a new backend's transcript to `transcript` and reports a script that could not be
// `read`, as MakeHeadlessBackend does.
void ConnectScriptedBackend(HeadlessBackend& backend, const std::filesystem::path& transcript,
                            const Expected<std::vector<ScriptAction>>& read);

// A backend of class `Backend` (a HeadlessBackend) for `settings`, made by
// `make(SessionScript, bool scripted)` (scripted: a script file is named), its script and
// transcript set up as MakeHeadlessBackend sets them up.
template <class Backend, class Make>
[[nodiscard]] std::unique_ptr<Backend> MakeScriptedBackend(const BackendSettings& settings,
                                                           Make make) {
    Expected<std::vector<ScriptAction>> read = ReadNamedSessionScript(settings.script);
    std::unique_ptr<Backend> backend =
        make(SessionScript(read ? std::move(*read) : std::vector<ScriptAction>()),
             !settings.script.empty());
    ConnectScriptedBackend(*backend, settings.transcript, read);
    return backend;
}

// The backend in use when it is the headless one, else null.
[[nodiscard]] HeadlessBackend* CurrentHeadlessBackend();

}  // namespace platform
