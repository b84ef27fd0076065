// The progress window: its face, the run's sequence of positions, and a Cancel that stops
// nothing.
#include "dialogs/DlgPleaseWait.h"

#include <gtest/gtest.h>

#include "dialogs/AddinModule.h"
#include "platform/dialog/Dialog.h"
#include "tests/platform/HeadlessSession.h"

namespace {

using platform::ControlKind;

class DlgPleaseWaitTest : public HeadlessSessionTest {
protected:
    platform::ModuleScope addin_{dialogs::AddinModule()};
};

TEST_F(DlgPleaseWaitTest, FaceHasItsCaptionSizeFontAndControls) {
    const platform::DialogTemplate face = CDlgPleaseWait::Template();
    EXPECT_EQ(face.id, 7003);
    EXPECT_EQ(face.caption, "Calculating TAVRO Heights - Please Wait");
    EXPECT_EQ(face.width, 299);
    EXPECT_EQ(face.height, 28);
    EXPECT_EQ(face.font, (platform::DialogFont{"MS Shell Dlg", 8}));
    EXPECT_TRUE(face.style.centred);
    EXPECT_TRUE(face.style.systemMenu);
    ASSERT_EQ(face.controls.size(), 2u);
    const platform::ControlTemplate& bar = face.controls[0];
    const platform::ControlTemplate& cancel = face.controls[1];
    EXPECT_EQ(bar.kind, ControlKind::ProgressBar);
    EXPECT_EQ(bar.place.width, 218);
    EXPECT_EQ(bar.place.height, 14);
    EXPECT_EQ(cancel.kind, ControlKind::PushButton);
    EXPECT_EQ(cancel.caption, "Cancel");
    EXPECT_GT(cancel.place.x, bar.place.x + bar.place.width);  // bar left, button right
    EXPECT_LE(cancel.place.x + cancel.place.width, face.width);
}

// The run's use, also for a table with no posts: the bar passes 10, 30 and 100.
TEST_F(DlgPleaseWaitTest, RunSequenceShowsEveryPositionThenCloses) {
    Play("");
    CDlgPleaseWait wait;
    ASSERT_TRUE(wait.Create());
    wait.Show(true);
    // 299 x 28 dialog units of the 8-point font, centred on the 1280 x 1024 screen.
    EXPECT_EQ(wait.Rect(), (platform::PixelRect{416, 489, 448, 45}));
    EXPECT_EQ(wait.Progress().Lower(), 0);
    EXPECT_EQ(wait.Progress().Upper(), 100);
    for (const int position : {10, 30, 100}) wait.Progress().SetPosition(position);
    wait.DestroyWindow();
    EXPECT_EQ(Transcript(),
              (Lines{"show \"Calculating TAVRO Heights - Please Wait\"",
                     "progress \"Calculating TAVRO Heights - Please Wait\" progress 10",
                     "progress \"Calculating TAVRO Heights - Please Wait\" progress 30",
                     "progress \"Calculating TAVRO Heights - Please Wait\" progress 100",
                     "destroy \"Calculating TAVRO Heights - Please Wait\""}));
}

TEST_F(DlgPleaseWaitTest, CancelCloseAndEscapeLeaveTheWindowUp) {
    Play("");
    CDlgPleaseWait wait;
    ASSERT_TRUE(wait.Create());
    wait.Show(true);
    EXPECT_TRUE(wait.PerformUserAction("cancel", {"press", {}}));
    EXPECT_TRUE(wait.RequestSystemClose());
    wait.RequestKeyboardCancel();
    EXPECT_TRUE(wait.IsVisible());
    wait.Progress().SetPosition(100);
    EXPECT_EQ(wait.Progress().Position(), 100);
    EXPECT_EQ(Transcript().size(), 2u);  // shown, and the last position
}

TEST_F(DlgPleaseWaitTest, TemplateIsTheAddinsNotAnotherLibrarys) {
    Play("");
    platform::ModuleScope link(platform::DefineModule("Ravelink03"));
    CDlgPleaseWait wait;
    EXPECT_FALSE(wait.Create());
    EXPECT_EQ(wait.CreationError(),
              "dialog template 7003 is not in module Ravelink03 (module Tavroset has one)");
}

}  // namespace
