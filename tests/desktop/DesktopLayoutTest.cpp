// Every dialog of the add-in, the link library and the installer on the desktop: each widget
// sits where its template puts it, in pixels of the dialog font's character cell.
#include <gtest/gtest.h>

#include <QDialog>

#include "dialogs/AddinModule.h"
#include "hostlink/LinkModule.h"
#include "installer/InstallDialog.h"
#include "platform/desktop/DesktopFont.h"
#include "platform/desktop/DialogWindow.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/Module.h"
#include "tests/desktop/DesktopFixture.h"

namespace {

// How far a widget may sit from its converted place: the native conversion rounds each value.
constexpr int kTolerance = 1;

bool Near(int a, int b) { return std::abs(a - b) <= kTolerance; }

TEST_F(DesktopTest, EveryWidgetSitsWhereItsTemplatePutsIt) {
    Play("", /*onDesktop=*/true);
    auto& backend = static_cast<desktop::DesktopBackend&>(platform::CurrentBackend());
    int checked = 0;
    for (platform::Module* module :
         {&dialogs::AddinModule(), &ravelink::LinkModule(), &installer::InstallerModule()}) {
        platform::ModuleScope scope(*module);
        for (const auto& [id, face] : module->Templates()) {
            platform::Dialog dialog(id);
            ASSERT_TRUE(dialog.Create()) << dialog.CreationError();
            desktop::DialogWindow* window = backend.WindowOf(dialog.Handle());
            ASSERT_NE(window, nullptr) << id;
            const platform::PixelRect client =
                backend.ToPixels({0, 0, face.width, face.height}, face.font);
            EXPECT_EQ(window->width(), client.width) << id;
            EXPECT_EQ(window->height(), client.height) << id;
            ASSERT_EQ(window->Views().size(), face.controls.size()) << id;
            for (std::size_t i = 0; i < face.controls.size(); ++i) {
                const platform::ControlTemplate& control = face.controls[i];
                const desktop::ControlView& view = *window->Views()[i];
                const QRect at = view.Widget()->geometry();
                const platform::PixelRect wanted = backend.ToPixels(control.place, face.font);
                const std::string where = std::to_string(id) + " " + control.name;
                EXPECT_TRUE(Near(at.x(), wanted.left)) << where;
                EXPECT_TRUE(Near(at.y(), wanted.top)) << where;
                EXPECT_TRUE(Near(at.width(), wanted.width)) << where;
                if (!view.KeepsOwnHeight()) {
                    EXPECT_TRUE(Near(at.height(), wanted.height)) << where;
                }
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 50);
}

TEST_F(DesktopTest, DialogUnitsFollowTheMeasuredFont) {
    Play("", /*onDesktop=*/true);
    const platform::DialogBackend& backend = platform::CurrentBackend();
    const platform::DialogFont font{"MS Shell Dlg", 8};
    const platform::CharacterCell cell = backend.MeasureFont(font);
    // A sane dialog font: a cell a little wider than 5 and taller than 10 pixels.
    EXPECT_GE(cell.width, 5);
    EXPECT_GE(cell.height, 10);
    EXPECT_EQ(backend.ToPixels({0, 0, 4, 8}, font),
              (platform::PixelRect{0, 0, cell.width, cell.height}));
    // A bigger font, bigger units.
    EXPECT_GT(backend.MeasureFont({"MS Shell Dlg", 12}).height, cell.height);
}

TEST_F(DesktopTest, TheBackendIsChosenByName) {
    desktop::RegisterDesktopBackend();
    std::unique_ptr<platform::DialogBackend> chosen = platform::MakeDialogBackend("desktop", {});
    ASSERT_NE(chosen, nullptr);
    EXPECT_NE(chosen->ScreenSize().width, 0);
    platform::RegisterDialogBackend("desktop", nullptr);
}

}  // namespace
