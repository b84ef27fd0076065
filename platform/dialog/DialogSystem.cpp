// The session state object, the backend in use, timers and posted messages.
#include "platform/dialog/DialogSystem.h"

#include "platform/MessageService.h"
#include "platform/dialog/BackendRegistry.h"
#include "platform/dialog/SessionState.h"
#include "platform/dialog/Window.h"

namespace platform {

DialogSession& Session() {
    static DialogSession session;
    return session;
}

void SetDialogBackend(std::unique_ptr<DialogBackend> backend) {
    DialogSession& session = Session();
    session.backend = std::move(backend);
    DialogBackend* installed = session.backend.get();
    SetMessagePresenter([installed](const std::string& text) { installed->PresentMessage(text); });
}

DialogBackend& CurrentBackend() {
    if (!Session().backend) SetDialogBackend(BackendFromEnvironment());
    return *Session().backend;
}

DialogBackend* InstalledBackend() { return Session().backend.get(); }

void ResetDialogSystem() {
    SetMessagePresenter(nullptr);
    Session() = DialogSession{};
}

void SetTimer(WindowHandle window, int id, int milliseconds) {
    DialogBackend& backend = CurrentBackend();
    Session().queue.SetTimer(window, id, milliseconds, backend.NowMilliseconds());
    backend.Wake();
}

bool KillTimer(WindowHandle window, int id) { return Session().queue.KillTimer(window, id); }

void PostMessage(WindowHandle window, int message, std::intptr_t wParam, std::intptr_t lParam) {
    Session().queue.Post({window, message, wParam, lParam});
    CurrentBackend().Wake();
}

bool DispatchPostedMessage() {
    const std::optional<PostedMessage> message = Session().queue.TakePosted();
    if (!message) return false;
    if (Window* window = WindowFromHandle(message->window))
        window->OnMessage(message->message, message->wParam, message->lParam);
    return true;
}

std::optional<std::int64_t> NextTimerDue() { return Session().queue.NextDue(); }

bool FireDueTimer(std::int64_t now) {
    const std::optional<TimerFiring> firing = Session().queue.TakeDue(now);
    if (!firing) return false;
    if (Window* window = WindowFromHandle(firing->window)) window->OnTimer(firing->id);
    return true;
}

}  // namespace platform
