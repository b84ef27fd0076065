// The desktop backend's loops, windows, message boxes and metrics.
#include "platform/desktop/DesktopBackend.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

#include "platform/desktop/DesktopFont.h"
#include "platform/desktop/DialogWindow.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/Window.h"

namespace desktop {
namespace {

// The title of message boxes, which have no caption of their own.
constexpr const char* kMessageTitle = "Tavro";

QPointer<QWidget>& HostWidget() {
    static QPointer<QWidget> widget;
    return widget;
}

void ApplyToHostWidget(const platform::WindowEvent& event) {
    QWidget* widget = HostWidget();
    if (widget == nullptr) return;
    using platform::WindowEventKind;
    if (event.kind == WindowEventKind::Enabled || event.kind == WindowEventKind::Disabled)
        widget->setEnabled(event.kind == WindowEventKind::Enabled);
    if (event.kind == WindowEventKind::Foreground || event.kind == WindowEventKind::Focused) {
        widget->raise();
        widget->activateWindow();
    }
}

}  // namespace

void SetHostWidget(QWidget* widget) { HostWidget() = widget; }

std::function<void(const std::string&)>& StatusTextListener() {
    static std::function<void(const std::string&)> listener;
    return listener;
}

void SetStatusTextListener(std::function<void(const std::string&)> listener) {
    StatusTextListener() = std::move(listener);
}

bool CanShowWindows() {
    if (QApplication::instance() != nullptr) return true;
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

void EnsureApplication() {
    if (QApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "tavro";
    static char* argv[] = {name, nullptr};
    // Kept for the life of the process: widgets of a backend may outlive any owner of it.
    new QApplication(argc, argv);
}

DesktopBackend::DesktopBackend(platform::SessionScript script, bool scripted)
    : HeadlessBackend(std::move(script)), scripted_(scripted) {
    EnsureApplication();
    clock_.start();
    wakeUp_.setSingleShot(true);
}

DesktopBackend::~DesktopBackend() = default;

std::int64_t DesktopBackend::NowMilliseconds() const {
    // A script's session keeps the headless clock, paced by the real one (WaitUntil).
    if (scripted_) return HeadlessBackend::NowMilliseconds();
    // Rounded up, while the loop fires by the clock rounded down: a timer set now is never
    // due before its whole interval has passed.
    return (clock_.nsecsElapsed() + 999'999) / 1'000'000;
}

void DesktopBackend::Wake() {
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

platform::PixelSize DesktopBackend::ScreenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return HeadlessBackend::ScreenSize();
    return {screen->geometry().width(), screen->geometry().height()};
}

platform::CharacterCell DesktopBackend::MeasureFont(const platform::DialogFont& font) const {
    return MeasureCell(DialogQFont(font));
}

platform::PixelRect DesktopBackend::ToPixels(const platform::DialogRect& rect,
                                             const platform::DialogFont& font) const {
    return platform::DialogUnitsToPixels(rect, MeasureFont(font));
}

DialogWindow* DesktopBackend::WindowOf(platform::WindowHandle handle) const {
    const auto found = windows_.find(handle);
    return found == windows_.end() ? nullptr : found->second.get();
}

void DesktopBackend::Deliver(const platform::UserInput& input, platform::WindowHandle window) {
    platform::Window* found = platform::WindowFromHandle(window);
    platform::Dialog* dialog = found != nullptr ? found->AsDialog() : nullptr;
    lastOutcome_ = dialog != nullptr ? dialog->Deliver(input)
                                     : platform::Status::Failure("the window is gone");
    if (!scripted_ && !lastOutcome_)
        std::fprintf(stderr, "desktop: %s\n", lastOutcome_.Describe().c_str());
}

void DesktopBackend::OnWindowEvent(const platform::WindowEvent& event) {
    HeadlessBackend::OnWindowEvent(event);
    using platform::WindowEventKind;
    if (event.kind == WindowEventKind::TextChanged && StatusTextListener())
        StatusTextListener()(event.text);
    if (event.hostWindow) return ApplyToHostWidget(event);
    if (event.kind == WindowEventKind::Created) {
        platform::Window* window = platform::WindowFromHandle(event.handle);
        platform::Dialog* dialog = window != nullptr ? window->AsDialog() : nullptr;
        if (dialog == nullptr || dialog->Template() == nullptr) return;
        const platform::WindowHandle handle = event.handle;
        windows_[handle] = std::make_unique<DialogWindow>(
            *dialog, event.rect, DialogQFont(dialog->Template()->font),
            [this, handle](const platform::UserInput& input) { Deliver(input, handle); });
        return;
    }
    if (event.kind == WindowEventKind::Destroyed) {
        windows_.erase(event.handle);
        return;
    }
    if (DialogWindow* window = WindowOf(event.handle)) window->Apply(event);
}

void DesktopBackend::PresentMessage(const std::string& text) {
    HeadlessBackend::PresentMessage(text);
    QMessageBox box(QMessageBox::NoIcon, kMessageTitle, QString::fromStdString(text),
                    QMessageBox::Ok);
    if (!scripted_) {
        box.exec();
        return;
    }
    // A script answers every box with OK, as the user would: through its button.
    box.open();
    QCoreApplication::processEvents();
    box.button(QMessageBox::Ok)->click();
}

void DesktopBackend::RunLoop(platform::Dialog& dialog) {
    if (scripted_)
        HeadlessBackend::RunLoop(dialog);
    else
        RunUntilEnded(dialog);
}

void DesktopBackend::RunUntilEnded(platform::Dialog& dialog) {
    while (!dialog.LoopEnded()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (dialog.LoopEnded()) break;
        if (platform::DispatchPostedMessage()) continue;
        if (platform::FireDueTimer(clock_.elapsed())) continue;
        // Nothing to do: sleep until the user acts, a message is posted (Wake) or the next
        // timer is due.
        if (const std::optional<std::int64_t> due = platform::NextTimerDue())
            wakeUp_.start(static_cast<int>(std::max<std::int64_t>(0, *due - clock_.elapsed())));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        wakeUp_.stop();
    }
}

platform::ActionOutcome DesktopBackend::FeedInput(platform::Dialog& dialog,
                                                  const platform::UserInput& input) {
    DialogWindow* window = WindowOf(dialog.Handle());
    ControlView* view = window != nullptr ? window->ViewOf(input.control) : nullptr;
    if (view == nullptr) return dialog.Deliver(input);
    lastOutcome_ = platform::Status::Failure("the widget did not take the input");
    view->Feed(input);
    return lastOutcome_;
}

platform::Status DesktopBackend::FeedClose(platform::Dialog& dialog) {
    DialogWindow* window = WindowOf(dialog.Handle());
    return window != nullptr ? window->CloseFromSystemMenu() : dialog.RequestSystemClose();
}

void DesktopBackend::FeedEscape(platform::Dialog& dialog) {
    if (DialogWindow* window = WindowOf(dialog.Handle())) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(window, &escape);
    } else
        dialog.RequestKeyboardCancel();
}

void DesktopBackend::WaitUntil(std::int64_t time) {
    // A script's session keeps the headless clock, but its time passes on the real clock
    // (both start with the backend): the widgets stay live while a timer or a "wait" is due.
    // Once the script has run out, the headless backend goes on firing timers for a long
    // virtual time before it cancels; that time is not waited for.
    if (PeekAction() == nullptr) return;
    while (clock_.elapsed() < time) {
        wakeUp_.start(static_cast<int>(time - clock_.elapsed()));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    wakeUp_.stop();
}

void DesktopBackend::BetweenSteps() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

std::unique_ptr<DesktopBackend> MakeDesktopBackend(const platform::BackendSettings& settings) {
    if (!CanShowWindows()) {
        std::fprintf(stderr,
                     "desktop: no display (set DISPLAY, or QT_QPA_PLATFORM=offscreen to draw "
                     "into memory)\n");
        return nullptr;
    }
    return platform::MakeScriptedBackend<DesktopBackend>(
        settings, [](platform::SessionScript script, bool scripted) {
            return std::make_unique<DesktopBackend>(std::move(script), scripted);
        });
}

void RegisterDesktopBackend() {
    platform::RegisterDialogBackend(
        std::string(platform::kDesktopBackendName), [](const platform::BackendSettings& settings) {
            return std::unique_ptr<platform::DialogBackend>(MakeDesktopBackend(settings));
        });
}

}  // namespace desktop
