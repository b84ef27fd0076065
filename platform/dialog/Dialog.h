// The dialog base class: created from a template of the current module, run modally or
// modeless, with data exchange, command handlers, timers and posted messages.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Invariant.h"
#include "platform/Status.h"
#include "platform/dialog/Control.h"
#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/Window.h"

namespace platform {

class DataExchange;

// Identifiers of the OK and Cancel buttons, whose clicks end a dialog by default.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
// Dialog results: OK, Cancel, and the dialog could not be created. Any other integer may be
// passed to EndDialog.
inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
inline constexpr int kResultFailed = -1;

class Dialog : public Window, private ControlSite {
public:
    // A dialog on template `templateId`, owned by `owner` (by default the main window).
    explicit Dialog(int templateId, WindowHandle owner = {});
    ~Dialog() override;

    // Creates the window, disables the owner, runs the loop until EndDialog, enables the
    // owner again and destroys the window. Returns the result, kResultFailed when the window
    // could not be created.
    int DoModal();
    // Creates the window without a loop (modeless); shown only if its style says so. False
    // when it could not be created.
    bool Create();
    // Runs a loop on the created window until EndDialog and returns the result; the window
    // stays.
    int RunModalLoop();
    // Ends the running loop with `result`; without a loop it hides the window.
    void EndDialog(int result);
    // Destroys the window (a modeless dialog's end); nothing when there is none.
    void DestroyWindow();
    // Moves every bound field to its control (false) or every control to its field (true).
    bool UpdateData(bool saveAndValidate = true);

    // Whether the loop has been ended by EndDialog.
    [[nodiscard]] bool LoopEnded() const { return ended_; }
    [[nodiscard]] int TemplateId() const { return templateId_; }
    // The template the window was created from (null without a window).
    [[nodiscard]] const DialogTemplate* Template() const { return template_; }
    // Why the last DoModal or Create failed, empty when it did not.
    [[nodiscard]] const std::string& CreationError() const { return creationError_; }
    [[nodiscard]] std::string Label() const override;
    [[nodiscard]] Dialog* AsDialog() override { return this; }

    // The control with this identifier or script name, or null.
    [[nodiscard]] Control* FindControl(int id) const;
    [[nodiscard]] Control* FindControl(std::string_view name) const;
    [[nodiscard]] const std::vector<std::unique_ptr<Control>>& Controls() const {
        return controls_;
    }
    // The control with this identifier as its kind; a missing control or another kind is a
    // programming error that stops the process.
    template <class Kind>
    [[nodiscard]] Kind& Item(int id) const {
        Kind* control = dynamic_cast<Kind*>(FindControl(id));
        TAVRO_INVARIANT(control != nullptr, "no control of that kind: is the window created?");
        return *control;
    }

    // The user's input to a control, from whatever backend: checks that the dialog and the
    // control take input, passes it to the control and routes its notification.
    ActionOutcome Deliver(const UserInput& input);
    // The session-script action `action` on the control named by script name or
    // "#identifier", as the headless backend translates it (ScriptInput.h), then delivered.
    ActionOutcome PerformUserAction(std::string_view control, const UserAction& action);
    // Whether the dialog takes the user's input now (it has a window, shown and enabled), or
    // why not.
    [[nodiscard]] Status TakesInput() const;
    // The user closes the window from its system menu; a failure when it has none.
    [[nodiscard]] Status RequestSystemClose();
    // The user asks to cancel from the keyboard (Escape).
    void RequestKeyboardCancel();

    // Timers and posted messages of this dialog's window.
    void SetTimer(int id, int milliseconds);
    bool KillTimer(int id);
    void PostMessage(int message, std::intptr_t wParam = 0, std::intptr_t lParam = 0);

protected:
    // After the window and its controls exist, before it is shown. By default moves every
    // field to its control.
    virtual bool OnInitDialog();
    // Binds fields to controls; called by UpdateData in either direction.
    virtual void DoDataExchange(DataExchange& exchange) { (void)exchange; }
    // OK clicked: by default moves the controls to the fields and ends with OK.
    virtual void OnOK();
    // Cancel clicked: by default ends with Cancel.
    virtual void OnCancel();
    // Close chosen from the system menu: by default OnCancel.
    virtual void OnSystemClose();
    // Cancel asked for from the keyboard: by default OnCancel.
    virtual void OnKeyboardCancel();
    // Just before the window goes.
    virtual void OnDestroy() {}

    // Runs `handler` when control `id` notifies `notification` (replaces an earlier one).
    void OnCommand(int id, Notification notification, std::function<void()> handler);

private:
    void ControlChanged(const Control& control, WindowEvent change) override;
    bool BuildWindow();
    // `destroyedBy`: kDestroyedByProgram, or 0 when a modal run ends.
    void TearDownWindow(int destroyedBy);
    void Notify(int id, Notification notification);

    int templateId_;
    WindowHandle owner_;
    const DialogTemplate* template_ = nullptr;
    std::string caption_;
    std::string creationError_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::pair<int, Notification>, std::function<void()>> handlers_;
    bool inLoop_ = false;
    bool ended_ = false;
    int result_ = kResultCancel;
};

}  // namespace platform
