// The main window: menus, the drawing's view, the layer panel, the status line.
#include "host/desktop/CamHostWindow.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include "host/Host.h"
#include "host/addins/AddinCommands.h"
#include "host/addins/AddinRegistry.h"
#include "platform/MessageService.h"
#include "platform/dialog/HeadlessBackend.h"
#include "platform/dialog/QuotedText.h"

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
constexpr const char* kDrawingFilter = "Drawings (*.scprt);;All files (*)";
// How often (ms) the status line looks at the selection and the messages: an add-in changes
// them while its dialogs run, without telling the window.
constexpr int kStatusInterval = 250;

// Records the person's document command in the transcript, as camhost records its options'.
void Record(const std::string& line) {
    if (platform::HeadlessBackend* backend = platform::CurrentHeadlessBackend())
        backend->Record(line);
}

}  // namespace

CamHostWindow::CamHostWindow(Host& host, const QString& title, std::string configFolder,
                             std::string drawingPath)
    : host_(host),
      configFolder_(std::move(configFolder)),
      drawingPath_(std::move(drawingPath)),
      view_(new DrawingView(host.ActiveDrawing())),
      layers_(new LayerPanel(host.ActiveDrawing())),
      prompt_(new QLabel),
      status_(new QLabel) {
    setWindowTitle(title);
    setCentralWidget(view_);
    auto* dock = new QDockWidget("Layers", this);
    dock->setObjectName("layers");
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    dock->setWidget(layers_);
    layers_->setMinimumWidth(220);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    layers_->onChanged = [this] { view_->update(); };
    statusBar()->addWidget(prompt_, 1);
    statusBar()->addPermanentWidget(status_);
    MakeFileMenu();
    MakeViewMenu();
    addins_ = menuBar()->addMenu("&Add-ins");
    connect(addins_, &QMenu::aboutToShow, this, [this] { ListAddins(); });
    ListAddins();
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] { UpdateStatus(); });
    timer->start(kStatusInterval);
    resize(1100, 720);
    Prompt({});
    UpdateStatus();
}

void CamHostWindow::MakeFileMenu() {
    file_ = menuBar()->addMenu("&File");
    QMenu* file = file_;
    file->addAction("&Open...", QKeySequence::Open, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, "Open drawing", {}, kDrawingFilter);
        if (!path.isEmpty()) OpenDrawingFile(path);
    });
    const auto saveAs = [this] {
        const QString path = QFileDialog::getSaveFileName(
            this, "Save drawing as", QString::fromStdString(drawingPath_), kDrawingFilter);
        if (!path.isEmpty()) SaveDrawingFile(path);
    };
    file->addAction("&Save", QKeySequence::Save, this, [this, saveAs] {
        if (drawingPath_.empty())
            saveAs();
        else
            SaveDrawingFile(QString::fromStdString(drawingPath_));
    });
    file->addAction("Save &As...", QKeySequence::SaveAs, this, saveAs);
    file->addSeparator();
    file->addAction("E&xit", this, [this] { close(); });
}

void CamHostWindow::MakeViewMenu() {
    QMenu* views = menuBar()->addMenu("&View");
    for (const StandardAngle& angle : kAngles)
        views->addAction(angle.name, [this, angle] { view_->SetAngles(angle.yaw, angle.pitch); });
    views->addSeparator();
    views->addAction("Zoom to &fit", QKeySequence(Qt::Key_Home), this, [this] { view_->Fit(); });
}

void CamHostWindow::ListAddins() {
    addins_->clear();
    const platform::Expected<AddinListing> listing = ReadAddinEntries(configFolder_);
    if (!listing) {
        addins_->addAction(QString::fromStdString(listing.Describe()))->setEnabled(false);
        return;
    }
    for (const AddinEntry& entry : listing->entries) {
        QAction* action = addins_->addAction(
            QString::fromStdString(entry.fault.empty() ? entry.menuText : entry.fault),
            [this, entry] { RunAddin(entry); });
        action->setEnabled(entry.fault.empty() && !running_);
    }
}

void CamHostWindow::RunAddin(const AddinEntry& entry) {
    if (running_) return;
    const platform::Expected<const Addin*> addin = LoadedAddin(entry);
    if (!addin) {
        platform::ShowMessage(addin.Describe());
        return;
    }
    // The add-in holds the drawing's entities while it runs (its preview leaves this window
    // enabled): no other command and no other drawing until it returns.
    running_ = true;
    file_->setEnabled(false);
    addins_->setEnabled(false);
    RunAddinCommand(host_, entry, **addin, platform::CurrentHeadlessBackend());
    file_->setEnabled(true);
    addins_->setEnabled(true);
    running_ = false;
    DrawingChanged();
}

bool CamHostWindow::OpenDrawingFile(const QString& path) {
    const std::string systemPath = path.toStdString();
    Record("open " + platform::QuoteText(systemPath));
    if (!host_.OpenDrawing(systemPath, /*merge=*/false)) return false;
    TellAddinsDrawingOpened();
    drawingPath_ = systemPath;
    setWindowTitle("camhost - " + path);
    DrawingChanged();
    return true;
}

bool CamHostWindow::SaveDrawingFile(const QString& path) {
    const std::string systemPath = path.toStdString();
    Record("save " + platform::QuoteText(systemPath));
    if (!host_.SaveDrawing(systemPath)) return false;
    TellAddinsDrawingSaved();
    drawingPath_ = systemPath;
    setWindowTitle("camhost - " + path);
    return true;
}

void CamHostWindow::DrawingChanged() {
    layers_->Refresh();
    view_->Fit();
    UpdateStatus();
}

void CamHostWindow::Prompt(const QString& text) {
    prompt_->setText(text.isEmpty()
                         ? QStringLiteral("Drag to turn, right-drag or Shift+drag to pan, "
                                          "wheel to zoom, Home to fit")
                         : text);
}

void CamHostWindow::ShowLibraryStatus(const std::string& text) {
    libraryStatus_ = QString::fromStdString(text).simplified();
    UpdateStatus();
}

QString CamHostWindow::StatusText() const {
    QString text = QString("%1 selected").arg(host_.ActiveDrawing().SelectedCount());
    if (!libraryStatus_.isEmpty()) text = libraryStatus_ + "  |  " + text;
    const std::vector<std::string>& messages = platform::ShownMessages();
    if (!messages.empty()) {
        QString last = QString::fromStdString(messages.back()).simplified();
        if (last.size() > 80) last = last.left(77) + "...";
        text += "  |  Last message: " + last;
    }
    return text;
}

void CamHostWindow::UpdateStatus() { status_->setText(StatusText()); }

void CamHostWindow::keyPressEvent(QKeyEvent* event) {
    if (onKey) onKey(event->key());
    QMainWindow::keyPressEvent(event);
}

void CamHostWindow::closeEvent(QCloseEvent* event) {
    if (onClosed) onClosed();
    event->accept();
}

}  // namespace host
