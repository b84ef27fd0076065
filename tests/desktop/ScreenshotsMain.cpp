// Writes a PNG of every dialog of the add-in, the link library and the installer, as the
// desktop backend shows it on Qt's offscreen platform, and camhost's window on the demo job after
// its computation: `dialog_screenshots FOLDER`.
#include <stdlib.h>

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "dialogs/AddinModule.h"
#include "gridwidget/GridCtrl.h"
#include "host/Host.h"
#include "host/camhost/CamHostRun.h"
#include "host/desktop/DesktopScreen.h"
#include "hostlink/LinkModule.h"
#include "installer/InstallDialog.h"
#include "platform/Paths.h"
#include "platform/desktop/DesktopBackend.h"
#include "platform/desktop/DialogWindow.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/ListControls.h"
#include "platform/dialog/Module.h"
#include "platform/dialog/StandardControls.h"
#include "tests/support/DialogSamples.h"

namespace {

// A file name from a caption: letters and digits kept, the rest one dash.
std::string Slug(const std::string& caption) {
    std::string slug;
    for (const char c : caption) {
        const bool keep = std::isalnum(static_cast<unsigned char>(c)) != 0;
        if (keep)
            slug += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (!slug.empty() && slug.back() != '-')
            slug += '-';
    }
    while (!slug.empty() && slug.back() == '-') slug.pop_back();
    return slug.empty() ? "untitled" : slug;
}

// The window with a frame and title bar around it, as a window manager would draw them; the
// offscreen platform has none, and a caption belongs in the picture.
QImage Framed(QWidget& window, bool closeButton) {
    constexpr int kBorder = 1;
    const QPixmap client = window.grab();
    const QFont title = window.font();
    const int titleHeight = QFontMetrics(title).height() + 10;
    QImage framed(client.width() + 2 * kBorder, client.height() + titleHeight + kBorder,
                  QImage::Format_RGB32);
    framed.fill(QColor(0x5a, 0x5a, 0x5a));
    QPainter painter(&framed);
    painter.fillRect(kBorder, kBorder, client.width(), titleHeight - kBorder,
                     QColor(0x3a, 0x5f, 0x8f));
    painter.setPen(Qt::white);
    painter.setFont(title);
    const QRect bar(kBorder + 8, kBorder, client.width() - 40, titleHeight - kBorder);
    painter.drawText(bar, Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
    if (closeButton) {
        const QRect close(client.width() - titleHeight + 4, kBorder, titleHeight - 4,
                          titleHeight - kBorder);
        painter.drawText(close, Qt::AlignCenter, QStringLiteral("\u2715"));
    }
    painter.drawPixmap(kBorder, titleHeight, client);
    return framed;
}

// The screen that pictures the window each time a command has changed the drawing: the last
// picture shows the job's results.
class PicturingScreen : public host::DesktopScreen {
public:
    PicturingScreen(std::filesystem::path file, std::string config)
        : DesktopScreen("camhost - c:\\skin-panel.scprt", std::move(config),
                        "c:\\skin-panel.scprt"),
          file_(std::move(file)) {}
    void DrawingChanged() override {
        DesktopScreen::DrawingChanged();
        Window()->resize(1200, 760);
        Window()->View().SetAngles(-30, 50);
        QApplication::processEvents();
        written = Framed(*Window(), /*closeButton=*/true).save(QString::fromStdString(file_));
    }
    bool written = false;

private:
    std::filesystem::path file_;
};

// The demo job (scripts/demo) in a drive root of its own beside the pictures: the add-in
// registered as the installer registers it, the example session played on the desktop.
bool DemoJobWindow(const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    const fs::path root = file.parent_path() / "demo-drives";
    const fs::path c = root / "drive_c";
    const fs::path examples = TAVRO_SOURCE_DIR "/examples";
    fs::remove_all(root);
    fs::create_directories(c / "Surfcam" / "Config");
    fs::create_directories(c / "Surfcam" / "AddIns");
    std::error_code error;
    for (const auto& [from, to] :
         {std::pair{examples / "skin-panel" / "skin-panel.scprt", c / "skin-panel.scprt"},
          std::pair{examples / "skin-panel" / "session.txt", c / "skin-panel-session.txt"},
          std::pair{examples / "TavroLoc.txt", c / "TavroLoc.txt"},
          std::pair{fs::path(TAVROSET_LIBRARY), c / "Surfcam" / "AddIns" / "Tavroset.so"}})
        if (!fs::copy_file(from, to, error)) return false;
    std::ofstream(c / "Surfcam" / "Config" / "surfcam.ini")
        << "[SystemOptional]\r\nUserApplications=1\r\n"
           "UserApp1=c:\\Surfcam\\AddIns\\Tavroset.dll,TAVRO Fixture Table\r\n";
    platform::SetDriveRoot(root);
    host::CamHostSettings settings;
    settings.configFolder = "c:\\Surfcam\\Config";
    settings.openDrawing = "c:\\skin-panel.scprt";
    settings.sessionScript = "c:\\skin-panel-session.txt";
    settings.commands = {"TAVRO Fixture Table"};
    settings.gui = true;
    PicturingScreen screen(file, settings.configFolder);
    desktop::RegisterDesktopBackend();
    return host::RunCamHost(settings, &screen) == host::kCamHostDone && screen.written &&
           fs::exists(c / "Tavro.txt");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dialog_screenshots FOLDER\n");
        return 2;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    auto owned = desktop::MakeDesktopBackend({});
    desktop::DesktopBackend& backend = *owned;
    platform::SetDialogBackend(std::move(owned));
    int written = 0;
    for (platform::Module* module :
         {&dialogs::AddinModule(), &ravelink::LinkModule(), &installer::InstallerModule()}) {
        platform::ModuleScope scope(*module);
        for (const auto& [id, face] : module->Templates()) {
            platform::Dialog dialog(id);
            if (!dialog.Create()) {
                std::fprintf(stderr, "%d: %s\n", id, dialog.CreationError().c_str());
                return 1;
            }
            tavro::testing::FillWithSamples(dialog);
            desktop::DialogWindow* window = backend.WindowOf(dialog.Handle());
            const std::filesystem::path file =
                folder / (std::to_string(id) + "-" + Slug(face.caption) + ".png");
            if (window == nullptr || !Framed(*window, face.style.systemMenu)
                                          .save(QString::fromStdString(file.string()))) {
                std::fprintf(stderr, "cannot write %s\n", file.c_str());
                return 1;
            }
            std::printf("%s\n", file.c_str());
            ++written;
        }
    }
    // camhost's window on the demo job, after the add-in computed the heights.
    if (!DemoJobWindow(folder / "camhost-skin-panel.png")) return 1;
    std::printf("%s\n", (folder / "camhost-skin-panel.png").c_str());
    ++written;
    platform::ResetDialogSystem();
    return written > 0 ? 0 : 1;
}
