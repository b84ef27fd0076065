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
    const TemplateLookup lookup = LookUpTemplate(templateId_);
    std::vector<std::unique_ptr<Control>> controls;
    if (lookup.found != nullptr) {
        for (const ControlTemplate& control : lookup.found->controls) {
            ControlCreation created = CreateControl(control);
            if (!created.control) {
                creationError_ = created.error;
                break;
            }
            controls.push_back(std::move(created.control));
        }
    } else {
        creationError_ = lookup.error;
    }
    if (!creationError_.empty()) {
        WindowEvent failed;
        failed.kind = WindowEventKind::Failed;
        failed.value = templateId_;
        failed.text = creationError_;
        CurrentBackend().OnWindowEvent(failed);
        return false;
    }
    template_ = lookup.found;
    caption_ = template_->caption;
    controls_ = std::move(controls);
    for (const auto& control : controls_) control->AttachSite(this);
    ended_ = false;
    result_ = kResultCancel;
    AttachWindow(/*visible=*/false, /*enabled=*/true, PlaceDialog(*template_));
    return true;
}

void Dialog::TearDownWindow() {
    OnDestroy();
    controls_.clear();
    DetachWindow();
    ended_ = true;
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
    if (HasWindow()) TearDownWindow();
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
    if (!HasWindow()) return;
    WindowEvent destroyed;
    destroyed.kind = WindowEventKind::Destroyed;
    destroyed.window = Label();
    TearDownWindow();
    CurrentBackend().OnWindowEvent(destroyed);
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

ActionOutcome Dialog::PerformUserAction(std::string_view reference, const UserAction& action) {
    const std::string dialog = "dialog \"" + caption_ + "\"";
    if (!HasWindow()) return ActionOutcome::Error("the dialog has no window");
    if (!IsVisible()) return ActionOutcome::Error(dialog + " is hidden");
    if (!IsEnabled()) return ActionOutcome::Error(dialog + " is disabled");
    Control* control = nullptr;
    if (reference.starts_with('#')) {
        int id = 0;
        const std::string digits(reference.substr(1));
        if (!digits.empty() && digits.size() < 10 &&
            digits.find_first_not_of("0123456789") == std::string::npos)
            id = std::stoi(digits);
        control = id > 0 ? FindControl(id) : nullptr;
    } else {
        control = FindControl(reference);
    }
    const std::string named = "control \"" + std::string(reference) + "\"";
    if (control == nullptr) return ActionOutcome::Error(dialog + " has no " + named);
    if (!control->IsVisible()) return ActionOutcome::Error(named + " of " + dialog + " is hidden");
    if (!control->IsEnabled())
        return ActionOutcome::Error(named + " of " + dialog + " is disabled");
    ActionOutcome outcome = control->Perform(action);
    if (!outcome.Failed() && outcome.notification) Notify(control->Id(), *outcome.notification);
    return outcome;
}

std::string Dialog::RequestSystemClose() {
    TAVRO_INVARIANT(HasWindow(), "RequestSystemClose needs a created window");
    if (!template_->style.systemMenu) return "dialog \"" + caption_ + "\" has no system menu";
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

void Dialog::ControlChanged(const Control& control, WindowEventKind kind, int value,
                            const std::string& text) {
    Emit(kind, value, control.Name().empty() ? "#" + std::to_string(control.Id()) : control.Name(),
         text);
}

}  // namespace platform
