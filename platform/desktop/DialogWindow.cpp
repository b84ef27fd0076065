// A dialog's top-level widget: its face from the template, its controls' views, and the
// window changes the framework reports.
#include "platform/desktop/DialogWindow.h"

#include <QCloseEvent>
#include <QGroupBox>

#include "platform/desktop/DesktopFont.h"
#include "platform/dialog/DialogBackend.h"
#include "platform/dialog/DialogSystem.h"

namespace desktop {
namespace {

Qt::WindowFlags FlagsOf(const platform::DialogStyle& style) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (style.systemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style.topmost) flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

}  // namespace

DialogWindow::DialogWindow(platform::Dialog& dialog, const platform::PixelRect& rect,
                           const QFont& font, InputSink sink)
    : QDialog(nullptr, FlagsOf(dialog.Template()->style)), handle_(dialog.Handle()) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFont(font);
    setWindowTitle(QString::fromStdString(dialog.Label()));
    setSizeGripEnabled(false);
    Place(rect);
    const platform::DialogBackend& backend = platform::CurrentBackend();
    for (const auto& control : dialog.Controls()) {
        std::unique_ptr<ControlView> view = MakeControlView(*control, this, sink);
        QWidget* widget = view->Widget();
        const platform::PixelRect place =
            backend.ToPixels(control->Place(), dialog.Template()->font);
        const int height = view->KeepsOwnHeight() ? widget->sizeHint().height() : place.height;
        widget->setGeometry(place.left, place.top, place.width, height);
        widget->setEnabled(control->IsEnabled());
        widget->setVisible(control->IsVisible());
        if (control->Id() != platform::kStaticId) byId_[control->Id()] = view.get();
        views_.push_back(std::move(view));
    }
    // Group boxes frame the controls after them; they go behind every other control.
    for (const auto& view : views_)
        if (qobject_cast<QGroupBox*>(view->Widget()) != nullptr) view->Widget()->lower();
}

void DialogWindow::Place(const platform::PixelRect& rect) {
    setFixedSize(rect.width, rect.height);
    move(rect.left, rect.top);
}

platform::Dialog* DialogWindow::Owner() const {
    platform::Window* window = platform::WindowFromHandle(handle_);
    return window != nullptr ? window->AsDialog() : nullptr;
}

ControlView* DialogWindow::ViewOf(int id) const {
    const auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : found->second;
}

void DialogWindow::Apply(const platform::WindowEvent& event) {
    if (!event.control.empty()) {
        ControlView* view = ViewOf(event.controlId);
        platform::Dialog* dialog = Owner();
        platform::Control* control =
            dialog != nullptr ? dialog->FindControl(event.controlId) : nullptr;
        if (view != nullptr && control != nullptr) view->Apply(event, *control);
        return;
    }
    switch (event.kind) {
        case platform::WindowEventKind::Shown:
            show();
            break;
        case platform::WindowEventKind::Hidden:
            hide();
            break;
        case platform::WindowEventKind::Enabled:
        case platform::WindowEventKind::Disabled:
            setEnabled(event.kind == platform::WindowEventKind::Enabled);
            break;
        case platform::WindowEventKind::Focused:
        case platform::WindowEventKind::Foreground:
            raise();
            activateWindow();
            break;
        case platform::WindowEventKind::Redrawn:
            repaint();
            break;
        case platform::WindowEventKind::Moved:
            Place(event.rect);
            break;
        default:
            break;
    }
}

platform::Status DialogWindow::CloseFromSystemMenu() {
    closeRefusal_ = {};
    close();
    return closeRefusal_;
}

void DialogWindow::reject() {
    // Escape: the dialog decides; the window goes when the framework says so.
    if (platform::Dialog* dialog = Owner()) dialog->RequestKeyboardCancel();
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (platform::Dialog* dialog = Owner()) closeRefusal_ = dialog->RequestSystemClose();
}

}  // namespace desktop
