// camhost's main window on the desktop: the 3D view of the drawing, standard views in a menu,
// and a status line that says what the host waits for.
#pragma once

#include <QLabel>
#include <QMainWindow>

#include "host/desktop/DrawingView.h"

namespace host {

class CamHostWindow : public QMainWindow {
public:
    CamHostWindow(const Drawing& drawing, const QString& title);
    [[nodiscard]] DrawingView& View() { return *view_; }
    // Shows what the host waits for ("" when nothing).
    void Prompt(const QString& text);
    // Called when a key is pressed while the host waits: Enter finishes, Escape cancels.
    std::function<void(int key)> onKey;
    // Called when the person closes the window.
    std::function<void()> onClosed;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    DrawingView* view_;
    QLabel* prompt_;
};

}  // namespace host
