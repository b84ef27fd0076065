// The host's screen on the desktop: the main window, the person's selections and picks in it,
// and the host window's enabling by dialogs.
#pragma once

#include <QEventLoop>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/HostScreen.h"
#include "host/desktop/CamHostWindow.h"

namespace host {

class DesktopScreen : public HostScreen, public HostInteraction {
public:
    // `configFolder` and `drawingPath` as CamHostWindow takes them.
    explicit DesktopScreen(QString title, std::string configFolder = {},
                           std::string drawingPath = {})
        : title_(std::move(title)),
          configFolder_(std::move(configFolder)),
          drawingPath_(std::move(drawingPath)) {}
    std::unique_ptr<HostInteraction> Show(Host& host) override;
    void DrawingChanged() override;
    void WaitUntilClosed() override;

    // Clicks until Enter (done) or Escape (cancel).
    std::optional<std::vector<HostVector3>> SelectionClicks(int mode) override;
    // One click, or Escape (cancel).
    std::optional<HostVector3> PickLocation() override;

    // The window, once shown (for tests).
    [[nodiscard]] CamHostWindow* Window() const { return window_.get(); }

private:
    // Waits in a local loop until the person ends the request; false when cancelled.
    bool Wait();

    QString title_;
    std::string configFolder_;
    std::string drawingPath_;
    std::unique_ptr<CamHostWindow> window_;
    std::vector<HostVector3> clicks_;
    bool wantsOneClick_ = false;
    QEventLoop* waiting_ = nullptr;
};

}  // namespace host
