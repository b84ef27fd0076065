// Every dialog of the add-in, the link library and the installer as native dialogs: the
// dialog manager places each control from its template's dialog units (MapDialogRect), and the
// backend's conversion, made before any dialog exists, agrees with it.
#include <gtest/gtest.h>

#include "dialogs/AddinModule.h"
#include "hostlink/LinkModule.h"
#include "installer/InstallDialog.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/Module.h"
#include "tests/support/PersonDialogs.h"
#include "tests/win32/Win32Fixture.h"

namespace {

using namespace tavro::testing;

TEST_F(Win32Test, EveryControlSitsWhereItsDialogUnitsPutIt) {
    Play("", /*native=*/true);
    int checked = 0;
    for (platform::Module* module :
         {&dialogs::AddinModule(), &ravelink::LinkModule(), &installer::InstallerModule()}) {
        platform::ModuleScope scope(*module);
        for (const auto& [id, face] : module->Templates()) {
            platform::Dialog dialog(id);
            ASSERT_TRUE(dialog.Create()) << dialog.CreationError();
            const win32::NativeDialog* window = Native().WindowOf(dialog.Handle());
            ASSERT_TRUE(window != nullptr && window->Exists()) << id;
            const platform::DialogRect size{0, 0, face.width, face.height};
            EXPECT_EQ(window->ClientArea(), window->MapDialogUnits(size)) << id;
            EXPECT_EQ(window->ClientArea(), Native().ToPixels(size, face.font)) << id;
            ASSERT_EQ(window->Views().size(), face.controls.size()) << id;
            for (std::size_t i = 0; i < face.controls.size(); ++i) {
                const platform::ControlTemplate& control = face.controls[i];
                const win32::ControlView* view = window->Views()[i].get();
                const std::string where = std::to_string(id) + " " + control.name;
                ASSERT_NE(view, nullptr) << where;
                const platform::PixelRect at = view->Probe().place;
                const platform::PixelRect wanted = window->MapDialogUnits(control.place);
                EXPECT_EQ(Native().ToPixels(control.place, face.font), wanted) << where;
                EXPECT_EQ(at.left, wanted.left) << where;
                EXPECT_EQ(at.top, wanted.top) << where;
                if (!view->KeepsOwnWidth()) {
                    EXPECT_EQ(at.width, wanted.width) << where;
                }
                if (!view->KeepsOwnHeight()) {
                    EXPECT_EQ(at.height, wanted.height) << where;
                }
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 50);
}

TEST_F(Win32Test, DialogUnitsFollowTheMeasuredFont) {
    Play("", /*native=*/true);
    const platform::DialogFont font{"MS Shell Dlg", 8};
    const platform::CharacterCell cell = Native().MeasureFont(font);
    // A sane dialog font: a cell at least 5 pixels wide and 10 high.
    EXPECT_GE(cell.width, 5);
    EXPECT_GE(cell.height, 10);
    EXPECT_EQ(Native().ToPixels({0, 0, 4, 8}, font),
              (platform::PixelRect{0, 0, cell.width, cell.height}));
    // A bigger font, bigger units.
    EXPECT_GT(Native().MeasureFont({"MS Shell Dlg", 12}).height, cell.height);
}

TEST_F(Win32Test, ACentredDialogSitsInTheMiddleOfTheScreenFrameIncluded) {
    Play("", /*native=*/true);
    platform::ModuleScope scope(PersonModule());  // a centred face
    platform::Dialog dialog(kPersonFaceId);
    ASSERT_TRUE(dialog.Create());
    const platform::PixelRect place = Native().WindowOf(dialog.Handle())->ScreenPlace();
    const platform::PixelSize screen = Native().ScreenSize();
    EXPECT_NEAR(place.left + place.width / 2, screen.width / 2, 1);
    EXPECT_NEAR(place.top + place.height / 2, screen.height / 2, 1);
}

TEST_F(Win32Test, TheBackendIsChosenByName) {
    win32::RegisterWin32Backend();
    std::unique_ptr<platform::DialogBackend> chosen = platform::MakeDialogBackend("desktop", {});
    ASSERT_NE(chosen, nullptr);
    EXPECT_TRUE(chosen->HasScreen());
    EXPECT_NE(chosen->ScreenSize().width, 0);
    platform::RegisterDialogBackend("desktop", nullptr);
}

}  // namespace
