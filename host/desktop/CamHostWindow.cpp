// The main window: menu of standard views, the drawing's view, the status line.
#include "host/desktop/CamHostWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QStatusBar>

namespace host {
namespace {

// The standard views the menu offers: name, turn about Z, tilt (degrees).
struct StandardAngle {
    const char* name;
    double yaw;
    double pitch;
};
constexpr StandardAngle kAngles[] = {
    {"&Top", 0, 0}, {"&Front", 0, 90}, {"&Right", -90, 90}, {"&Iso", -45, 55}};

}  // namespace

CamHostWindow::CamHostWindow(const Drawing& drawing, const QString& title)
    : view_(new DrawingView(drawing)), prompt_(new QLabel) {
    setWindowTitle(title);
    setCentralWidget(view_);
    statusBar()->addWidget(prompt_, 1);
    QMenu* views = menuBar()->addMenu("&View");
    for (const StandardAngle& angle : kAngles)
        views->addAction(angle.name, [this, angle] { view_->SetAngles(angle.yaw, angle.pitch); });
    views->addSeparator();
    views->addAction("Zoom to &fit", [this] { view_->Fit(); });
    resize(960, 720);
    Prompt({});
}

void CamHostWindow::Prompt(const QString& text) {
    prompt_->setText(text.isEmpty() ? QStringLiteral("Drag to turn the view, wheel to zoom")
                                    : text);
}

void CamHostWindow::keyPressEvent(QKeyEvent* event) {
    if (onKey) onKey(event->key());
    QMainWindow::keyPressEvent(event);
}

void CamHostWindow::closeEvent(QCloseEvent* event) {
    if (onClosed) onClosed();
    event->accept();
}

}  // namespace host
