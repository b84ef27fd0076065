// Writes pictures of the add-in's main dialog and its height review as the Win32 backend shows
// them, with sample contents, as 24-bit bitmaps: `win32_screenshots FOLDER` writes
// win32-main-dialog.bmp and win32-review-dialog.bmp there (scripts/win32-screenshots makes
// PNGs of them). The dialogs run on a desktop of their own, which under Wine is a virtual
// desktop that draws the windows' frames itself.
#include <cstdio>
#include <filesystem>
#include <string>

#include "dialogs/AddinModule.h"
#include "dialogs/DlgMain.h"
#include "dialogs/DlgModifyValues.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/Module.h"
#include "platform/win32/NativeDialog.h"
#include "platform/win32/OwnDesktop.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/WindowPicture.h"
#include "tests/support/DialogSamples.h"

namespace {

// Shows `dialog` with sample contents and writes its picture to `file`.
bool Picture(win32::Win32Backend& backend, platform::Dialog& dialog,
             const std::filesystem::path& file) {
    tavro::testing::FillWithSamples(dialog);
    dialog.Show(true);
    const win32::NativeDialog* window = backend.WindowOf(dialog.Handle());
    if (window == nullptr || !win32::SaveWindowPicture(window->Window(), file)) {
        std::fprintf(stderr, "cannot write %s\n", file.string().c_str());
        return false;
    }
    std::printf("%s\n", file.string().c_str());
    dialog.DestroyWindow();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: win32_screenshots FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    if (!win32::MoveToOwnDesktop("TavroScreenshots", {1024, 768})) {
        std::fprintf(stderr, "no desktop for the pictures\n");
        return 1;
    }
    auto owned = win32::MakeWin32Backend({});
    win32::Win32Backend& backend = *owned;
    platform::SetDialogBackend(std::move(owned));
    platform::ModuleScope scope(dialogs::AddinModule());
    // The main dialog as the add-in fills it (a job's default files), one part entered.
    CDlgMain main;
    platform::Dialog review(CDlgModifyValues::IDD);
    const bool written =
        main.Create() && Picture(backend, main, folder / "win32-main-dialog.bmp") &&
        review.Create() && Picture(backend, review, folder / "win32-review-dialog.bmp");
    platform::ResetDialogSystem();
    return written ? 0 : 1;
}
