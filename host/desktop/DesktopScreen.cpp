// The main window's life in a camhost run, and the person's answers to the host's requests.
#include "host/desktop/DesktopScreen.h"

#include <QApplication>
#include <QPointer>

#include "host/Host.h"
#include "platform/desktop/DesktopBackend.h"

namespace host {
namespace {

// The hand-over to the add-in: Wait's loop returns done (1) or cancelled (0).
constexpr int kDone = 1;
constexpr int kCancelled = 0;

// The interaction the host owns: it answers through the screen, which outlives the run.
class ForwardedInteraction : public HostInteraction {
public:
    explicit ForwardedInteraction(HostInteraction& to) : to_(to) {}
    std::optional<std::vector<HostVector3>> SelectionClicks(int mode) override {
        return to_.SelectionClicks(mode);
    }
    std::optional<HostVector3> PickLocation() override { return to_.PickLocation(); }

private:
    HostInteraction& to_;
};

}  // namespace

std::unique_ptr<HostInteraction> DesktopScreen::Show(Host& host) {
    desktop::EnsureApplication();
    window_ = std::make_unique<CamHostWindow>(host, title_, configFolder_, drawingPath_);
    window_->View().onClick = [this, &host](const HostVector3& place) {
        // A click while the add-in asks for nothing selects or unselects what lies under it, so
        // that a person selects the holding surfaces before running the add-in.
        if (waiting_ == nullptr) {
            if (Entity* entity = host.NearestShownEntity(place, /*mode=*/0)) {
                entity->selected = !entity->selected;
                window_->DrawingChanged();
            }
            return;
        }
        clicks_.push_back(place);
        if (wantsOneClick_) waiting_->exit(kDone);
    };
    window_->onKey = [this](int key) {
        if (waiting_ == nullptr) return;
        if (key == Qt::Key_Escape) waiting_->exit(kCancelled);
        if (key == Qt::Key_Return || key == Qt::Key_Enter) waiting_->exit(kDone);
    };
    window_->onClosed = [this] {
        if (waiting_ != nullptr) waiting_->exit(kCancelled);
    };
    window_->show();
    // Modal dialogs disable the host's window, as they disable its stand-in window.
    desktop::SetHostWidget(window_.get());
    desktop::SetStatusTextListener(
        [window = QPointer<CamHostWindow>(window_.get())](const std::string& text) {
            if (window) window->ShowLibraryStatus(text);
        });
    return std::make_unique<ForwardedInteraction>(*this);
}

void DesktopScreen::DrawingChanged() {
    if (window_) window_->DrawingChanged();
}

void DesktopScreen::WaitUntilClosed() {
    if (!window_ || !window_->isVisible()) return;
    window_->Prompt("Done: close the window to end camhost");
    while (window_->isVisible()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

bool DesktopScreen::Wait() {
    if (!window_) return false;
    window_->raise();
    window_->activateWindow();
    QEventLoop loop;
    waiting_ = &loop;
    const int result = loop.exec();
    waiting_ = nullptr;
    window_->Prompt({});
    window_->View().update();
    return result == kDone;
}

std::optional<std::vector<HostVector3>> DesktopScreen::SelectionClicks(int) {
    clicks_.clear();
    wantsOneClick_ = false;
    if (window_)
        window_->Prompt("Select entities: click each one, Enter when done, Escape to cancel");
    if (!Wait()) return std::nullopt;
    return clicks_;
}

std::optional<HostVector3> DesktopScreen::PickLocation() {
    clicks_.clear();
    wantsOneClick_ = true;
    if (window_) window_->Prompt("Pick a location: click it, Escape to cancel");
    if (!Wait() || clicks_.empty()) return std::nullopt;
    return clicks_.back();
}

}  // namespace host
