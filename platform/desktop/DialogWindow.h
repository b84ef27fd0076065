// The top-level widget of one dialog window: made from its template and controls, following
// every change of the window and its controls, and passing the user's closing and
// cancelling to the dialog.
#pragma once

#include <QDialog>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop/ControlView.h"
#include "platform/dialog/Dialog.h"

namespace desktop {

class DialogWindow : public QDialog {
public:
    // A window for `dialog` (just created, not yet shown) at `rect`, in `font`; the user's
    // input goes to `sink`.
    DialogWindow(platform::Dialog& dialog, const platform::PixelRect& rect, const QFont& font,
                 InputSink sink);

    // Follows a change of this window or one of its controls.
    void Apply(const platform::WindowEvent& event);
    // The view of control `id`, or null.
    [[nodiscard]] ControlView* ViewOf(int id) const;
    // Every view, in the order of the dialog's controls.
    [[nodiscard]] const std::vector<std::unique_ptr<ControlView>>& Views() const { return views_; }
    // The system menu's Close as the user chooses it; the dialog's refusal, if any.
    platform::Status CloseFromSystemMenu();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    [[nodiscard]] platform::Dialog* Owner() const;
    void Place(const platform::PixelRect& rect);

    platform::WindowHandle handle_;
    std::map<int, ControlView*> byId_;
    std::vector<std::unique_ptr<ControlView>> views_;
    platform::Status closeRefusal_;
};

}  // namespace desktop
