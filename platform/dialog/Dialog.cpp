// Dialog windows: creation from templates, loops, user input routing and data exchange.
#include "platform/dialog/Dialog.h"

#include "platform/dialog/ControlClasses.h"
#include "platform/dialog/DataExchange.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/DialogUnits.h"
#include "platform/dialog/Module.h"

namespace platform {

Dialog::Dialog(int templateId, WindowHandle owner) : templateId_(templateId), owner_(owner) {}

Dialog::~Dialog() { DestroyWindow(); }

std::string Dialog::Label() const { return caption_; }

bool Dialog::BuildWindow() {
    TAVRO_INVARIANT(!HasWindow(), "the dialog already has a window");
    creationError_.clear();
    const Expected<const DialogTemplate*> lookup = LookUpTemplate(templateId_);
    std::vector<std::unique_ptr<Control>> controls;
    if (lookup) {
        for (const ControlTemplate& control : (*lookup)->controls) {
            Expected<std::unique_ptr<Control>> created = CreateControl(control);
            if (!created) {
                creationError_ = created.Describe();
                break;
            }
            controls.push_back(std::move(*created));
        }
    } else {
        creationError_ = lookup.Describe();
    }
    if (!creationError_.empty()) {
        WindowEvent failed;
        failed.kind = WindowEventKind::Failed;
        failed.value = templateId_;
        failed.text = creationError_;
        CurrentBackend().OnWindowEvent(failed);
        return false;
    }
    template_ = *lookup;
    caption_ = template_->caption;
    controls_ = std::move(controls);
    for (const auto& control : controls_) control->AttachSite(this);
    ended_ = false;
    result_ = kResultCancel;
    AttachWindow(/*visible=*/false, /*enabled=*/true, PlaceDialog(*template_, CurrentBackend()));
    Emit(WindowEventKind::Created, 0, {}, {}, Rect());
    return true;
}

void Dialog::TearDownWindow(int destroyedBy) {
    OnDestroy();
    WindowEvent destroyed;
    destroyed.kind = WindowEventKind::Destroyed;
    destroyed.window = Label();
    destroyed.handle = Handle();
    destroyed.value = destroyedBy;
    controls_.clear();
    DetachWindow();
    ended_ = true;
    CurrentBackend().OnWindowEvent(destroyed);
}

int Dialog::DoModal() {
    if (!BuildWindow()) return kResultFailed;
    Window* owner = WindowFromHandle(owner_ ? owner_ : MainWindow());
    const bool disabledOwner = owner != nullptr && owner->IsEnabled();
    if (disabledOwner) owner->Enable(false);
    OnInitDialog();
    int result = result_;
    // A dialog may end itself while initialising; it is then never shown.
    if (!ended_ && HasWindow()) {
        Show(true);
        result = RunModalLoop();
    } else {
        Emit(WindowEventKind::Ended, result);
    }
    // The owner may have gone while the dialog ran; look it up again.
    if (disabledOwner) EnableWindow(owner_ ? owner_ : MainWindow(), true);
    if (HasWindow()) TearDownWindow(/*destroyedBy=*/0);
    return result;
}

bool Dialog::Create() {
    if (!BuildWindow()) return false;
    OnInitDialog();
    if (HasWindow() && template_->style.visible) Show(true);
    return true;
}

int Dialog::RunModalLoop() {
    TAVRO_INVARIANT(HasWindow(), "RunModalLoop needs a created window");
    TAVRO_INVARIANT(!inLoop_, "a dialog runs one loop at a time");
    ended_ = false;
    inLoop_ = true;
    CurrentBackend().RunLoop(*this);
    inLoop_ = false;
    Emit(WindowEventKind::Ended, result_);
    return result_;
}

void Dialog::EndDialog(int result) {
    result_ = result;
    ended_ = true;
    // Without a loop to end (a modeless window), ending hides the window.
    if (!inLoop_ && HasWindow()) Show(false);
}

void Dialog::DestroyWindow() {
    if (HasWindow()) TearDownWindow(kDestroyedByProgram);
}

bool Dialog::UpdateData(bool saveAndValidate) {
    TAVRO_INVARIANT(HasWindow(), "UpdateData needs a created window");
    DataExchange exchange(*this, saveAndValidate);
    DoDataExchange(exchange);
    return true;
}

Control* Dialog::FindControl(int id) const {
    for (const auto& control : controls_)
        if (control->Id() == id) return control.get();
    return nullptr;
}

Control* Dialog::FindControl(std::string_view name) const {
    for (const auto& control : controls_)
        if (control->Name() == name) return control.get();
    return nullptr;
}

Status Dialog::TakesInput() const {
    const std::string dialog = "dialog \"" + caption_ + "\"";
    if (!HasWindow()) return Status::Failure("the dialog has no window");
    if (!IsVisible()) return Status::Failure(dialog + " is hidden");
    if (!IsEnabled()) return Status::Failure(dialog + " is disabled");
    return {};
}

ActionOutcome Dialog::Deliver(const UserInput& input) {
    if (const Status takes = TakesInput(); !takes) return takes;
    Control* control = FindControl(input.control);
    const std::string named = "control #" + std::to_string(input.control);
    if (control == nullptr) return Status::Failure("dialog has no " + named);
    if (!control->IsVisible()) return Status::Failure(named + " is hidden");
    if (!control->IsEnabled()) return Status::Failure(named + " is disabled");
    ActionOutcome outcome = control->Accept(input);
    if (outcome && *outcome) Notify(control->Id(), **outcome);
    return outcome;
}

Status Dialog::RequestSystemClose() {
    TAVRO_INVARIANT(HasWindow(), "RequestSystemClose needs a created window");
    if (!template_->style.systemMenu)
        return Status::Failure("dialog \"" + caption_ + "\" has no system menu");
    OnSystemClose();
    return {};
}

void Dialog::RequestKeyboardCancel() {
    TAVRO_INVARIANT(HasWindow(), "RequestKeyboardCancel needs a created window");
    OnKeyboardCancel();
}

void Dialog::SetTimer(int id, int milliseconds) {
    TAVRO_INVARIANT(HasWindow(), "SetTimer needs a created window");
    platform::SetTimer(Handle(), id, milliseconds);
}

bool Dialog::KillTimer(int id) { return platform::KillTimer(Handle(), id); }

void Dialog::PostMessage(int message, std::intptr_t wParam, std::intptr_t lParam) {
    TAVRO_INVARIANT(HasWindow(), "PostMessage needs a created window");
    platform::PostMessage(Handle(), message, wParam, lParam);
}

bool Dialog::OnInitDialog() { return UpdateData(false); }

void Dialog::OnOK() {
    if (UpdateData(true)) EndDialog(kResultOk);
}

void Dialog::OnCancel() { EndDialog(kResultCancel); }

void Dialog::OnSystemClose() { OnCancel(); }

void Dialog::OnKeyboardCancel() { OnCancel(); }

void Dialog::OnCommand(int id, Notification notification, std::function<void()> handler) {
    handlers_[{id, notification}] = std::move(handler);
}

void Dialog::Notify(int id, Notification notification) {
    const auto found = handlers_.find({id, notification});
    if (found != handlers_.end()) {
        found->second();
        return;
    }
    if (notification == Notification::Clicked && id == kIdOk)
        OnOK();
    else if (notification == Notification::Clicked && id == kIdCancel)
        OnCancel();
}

void Dialog::ControlChanged(const Control& control, WindowEvent change) {
    change.control = control.Name().empty() ? "#" + std::to_string(control.Id()) : control.Name();
    change.controlId = control.Id();
    Emit(std::move(change));
}

}  // namespace platform
