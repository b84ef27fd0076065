// camhost's main window on the desktop: the 3D view of the drawing, the layer panel, menus of
// files, views and add-in commands, and a status line that says what the host waits for.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <functional>
#include <string>

#include "host/addins/AddinRegistry.h"
#include "host/desktop/DrawingView.h"
#include "host/desktop/LayerPanel.h"

namespace host {

class Host;

class CamHostWindow : public QMainWindow {
public:
    // `configFolder` (a system path) holds the surfcam.ini whose add-ins the Add-ins menu lists;
    // `drawingPath` is where Save writes until Save As names another file ("" asks).
    CamHostWindow(Host& host, const QString& title, std::string configFolder = {},
                  std::string drawingPath = {});
    [[nodiscard]] DrawingView& View() { return *view_; }
    [[nodiscard]] LayerPanel& Layers() { return *layers_; }
    [[nodiscard]] QMenu& AddinsMenu() { return *addins_; }
    // Shows what the host waits for ("" when nothing).
    void Prompt(const QString& text);
    // The drawing changed (a command ran, a drawing was opened): layers, view and status anew.
    void DrawingChanged();
    // Opens / saves the drawing file at `path` through the host (what the File menu does after
    // its file dialog); a failure is the host's message box. True when done.
    bool OpenDrawingFile(const QString& path);
    bool SaveDrawingFile(const QString& path);
    // The status line's right side: the selection count and the host's last message.
    [[nodiscard]] QString StatusText() const;
    // Shows the link library's status text (its progress box's line) on the status line.
    void ShowLibraryStatus(const std::string& text);
    // Called when a key is pressed while the host waits: Enter finishes, Escape cancels.
    std::function<void(int key)> onKey;
    // Called when the person closes the window.
    std::function<void()> onClosed;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void MakeFileMenu();
    void MakeViewMenu();
    // Lists surfcam.ini's entries afresh each time the menu opens (an installer may have
    // changed it since).
    void ListAddins();
    void RunAddin(const AddinEntry& entry);
    void UpdateStatus();

    Host& host_;
    std::string configFolder_;
    std::string drawingPath_;
    DrawingView* view_;
    LayerPanel* layers_;
    QMenu* file_ = nullptr;
    QMenu* addins_ = nullptr;
    QLabel* prompt_;
    QLabel* status_;
    QString libraryStatus_;  // the progress box's last line, while it has one
    bool running_ = false;   // an add-in command runs: the menu does not start another
};

}  // namespace host
