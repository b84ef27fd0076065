// The installer's window: its status line and icons, and the timeline on the virtual clock.
#include "installer/InstallDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/HeadlessSession.h"

namespace {

using installer::InstallDialog;

class InstallDialogTest : public HeadlessSessionTest {
protected:
    platform::ModuleScope installer_{installer::InstallerModule()};
};

TEST_F(InstallDialogTest, RunsAfterHalfASecondAndClosesFiveSecondsLater) {
    // Guards against Escape closing the window before the run: nothing would be installed.
    Play("escape");
    InstallDialog dialog({"/nonexistent/host", "setup", ""});
    EXPECT_EQ(dialog.DoModal(), platform::kResultOk);
    EXPECT_EQ(dialog.LargeIcon(), 128);
    EXPECT_EQ(dialog.SmallIcon(), 128);
    EXPECT_EQ(dialog.Status(), "Could Not open /nonexistent/host\\setup.xml");
    EXPECT_EQ(dialog.Reason(), "/nonexistent/host/setup.xml: No such file or directory");
    EXPECT_EQ(Transcript(),
              (Lines{R"(text "Edrovan" status "/nonexistent/host setup")", R"(show "Edrovan")",
                     "time 500",
                     R"(text "Edrovan" status "Could Not open /nonexistent/host\\setup.xml\r\n)"
                     R"(/nonexistent/host/setup.xml: No such file or directory")",
                     "time 5500", R"(end "Edrovan" OK)"}));
}

}  // namespace
