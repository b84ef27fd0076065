// The options dialog: its face, OK and Cancel alike, and a fresh empty state every opening.
#include "dialogs/DlgOptions.h"

#include <gtest/gtest.h>

#include "dialogs/AddinModule.h"
#include "platform/dialog/StandardControls.h"
#include "tests/platform/HeadlessSession.h"
#include "tests/support/ScreenSessions.h"

namespace {

using platform::ControlKind;

class DlgOptionsTest : public HeadlessSessionTest {
protected:
    platform::ModuleScope addin_{dialogs::AddinModule()};
};

TEST_F(DlgOptionsTest, FaceHasItsCaptionSizeFontAndControls) {
    const platform::DialogTemplate face = CDlgOptions::Template();
    EXPECT_EQ(face.caption, "Options");
    EXPECT_EQ(face.width, 357);
    EXPECT_EQ(face.height, 191);
    EXPECT_EQ(face.font, (platform::DialogFont{"MS Shell Dlg", 8}));
    EXPECT_TRUE(face.style.systemMenu);
    EXPECT_FALSE(face.style.centred);
    struct Expected {
        const char* name;
        ControlKind kind;
        const char* caption;
        bool disabled;
        bool isDefault;
    } expected[] = {
        {"a-label", ControlKind::StaticText, "a. Input Part Units Default", false, false},
        {"a-inch", ControlKind::CheckBox, "Inch", false, false},
        {"a-metric", ControlKind::CheckBox, "Metric", false, false},
        {"b-label", ControlKind::StaticText, "b. TAVRO Output Units Default", false, false},
        {"b-inch", ControlKind::CheckBox, "Inch", false, false},
        {"b-metric", ControlKind::CheckBox, "Metric", false, false},
        {"c-label", ControlKind::StaticText, "c. TAVRO Machine Table Definition Units", false,
         false},
        {"c-inch", ControlKind::CheckBox, "Inch", false, false},
        {"c-metric", ControlKind::CheckBox, "Metric", false, false},
        {"d-label", ControlKind::StaticText, "d. TAVRO Machine Table Definition File", false,
         false},
        {"d-file", ControlKind::Edit, "", false, false},
        {"d-browse", ControlKind::PushButton, "...", true, false},
        {"e-label", ControlKind::StaticText, "e. TAVRO Output Graphics Layer", false, false},
        {"e-layer", ControlKind::Edit, "", false, false},
        {"f-label", ControlKind::StaticText, "f. TAVRO End Defector Diameter", false, false},
        {"f-diameter", ControlKind::Edit, "", false, false},
        {"g-label", ControlKind::StaticText, "g. TAVRO End Defector Thickness", false, false},
        {"g-thickness", ControlKind::Edit, "", false, false},
        {"h-label", ControlKind::StaticText, "h. TAVRO Max Angle From Machine Table IJK", false,
         false},
        {"h-max-angle", ControlKind::Edit, "", false, false},
        {"cancel", ControlKind::PushButton, "Cancel", false, false},
        {"ok", ControlKind::PushButton, "OK", false, true},
    };
    ASSERT_EQ(face.controls.size(), std::size(expected));
    int previousTop = 0;
    for (std::size_t i = 0; i < face.controls.size(); ++i) {
        const platform::ControlTemplate& control = face.controls[i];
        EXPECT_EQ(control.name, expected[i].name);
        EXPECT_EQ(control.kind, expected[i].kind) << control.name;
        EXPECT_EQ(control.caption, expected[i].caption) << control.name;
        EXPECT_EQ(control.disabled, expected[i].disabled) << control.name;
        EXPECT_EQ(control.defaultButton, expected[i].isDefault) << control.name;
        EXPECT_FALSE(control.checked || control.hidden || control.readOnly) << control.name;
        // Top to bottom, inside the client area.
        EXPECT_GE(control.place.y + 3, previousTop) << control.name;
        previousTop = control.place.y;
        EXPECT_LE(control.place.x + control.place.width, face.width) << control.name;
        EXPECT_LE(control.place.y + control.place.height, face.height) << control.name;
    }
}

// Reads every check box and edit of an open options dialog when OK or Cancel is pressed.
class ObservedOptions : public CDlgOptions {
public:
    std::vector<std::string> seen;

protected:
    bool OnInitDialog() override {
        Record();
        return CDlgOptions::OnInitDialog();
    }
    void Record() {
        std::string state;
        for (const auto& control : Controls()) {
            if (auto* box = dynamic_cast<platform::CheckBox*>(control.get()))
                state += box->IsChecked() ? "x" : "-";
            else if (dynamic_cast<platform::Edit*>(control.get()))
                state += "[" + control->Text() + "]";
        }
        seen.push_back(state);
    }
};

constexpr const char* kEmpty = "------[][][][][]";

TEST_F(DlgOptionsTest, OkAndCancelCloseAlikeAndReopeningShowsItEmpty) {
    // The first of the scripts every screen backend plays too (ScreenSessions.h).
    Play(tavro::testing::kOptionsScripts.front());
    for (const int expected :
         {platform::kResultOk, platform::kResultCancel, platform::kResultCancel}) {
        ObservedOptions options;
        EXPECT_EQ(options.DoModal(), expected);
        EXPECT_EQ(options.seen, std::vector<std::string>{kEmpty});
    }
    EXPECT_EQ(Transcript(),
              (Lines{"show \"Options\"", "end \"Options\" OK", "show \"Options\"",
                     "end \"Options\" Cancel", "show \"Options\"", "end \"Options\" Cancel"}));
    EXPECT_FALSE(platform::CurrentHeadlessBackend()->ScriptFailed());
}

TEST_F(DlgOptionsTest, BrowseButtonIsDisabled) {
    Play("press d-browse\n");
    CDlgOptions options;
    EXPECT_EQ(options.DoModal(), platform::kResultCancel);
    EXPECT_EQ(Transcript().at(1),
              "script-error \"line 1: control \\\"d-browse\\\" of dialog \\\"Options\\\" is "
              "disabled\"");
}

}  // namespace
