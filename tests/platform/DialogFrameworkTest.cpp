// The dialog framework on the headless backend: data exchange, nested and modeless dialogs,
// system close versus keyboard cancel, the module guard, timers and posted messages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/dialog/DataExchange.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/ListControls.h"
#include "platform/dialog/Module.h"
#include "platform/dialog/StandardControls.h"
#include "tests/platform/HeadlessSession.h"

namespace {

using platform::ControlKind;
using platform::MakeControl;

enum : int {
    kFormId = 100,
    kInnerId = 101,
    kNoMenuId = 102,
    kTimedId = 103,
    kIdName = 1001,
    kIdFlag,
    kIdApply,
    kIdList,
    kIdPick,
    kIdOnly,
    kIdStatus,
    kIdSecret,
    kIdOff,
    kIdLog,
    kIdBar,
    kIdNested,
};

platform::DialogTemplate Face(int id, std::string caption) {
    platform::DialogTemplate face;
    face.id = id;
    face.caption = std::move(caption);
    face.width = 200;
    face.height = 100;
    face.controls = {
        MakeControl(ControlKind::PushButton, platform::kIdOk, "ok", "OK", {140, 80, 50, 14})
            .Default(),
        MakeControl(ControlKind::PushButton, platform::kIdCancel, "cancel", "Cancel",
                    {80, 80, 50, 14}),
    };
    return face;
}

platform::Module& TestModule() {
    static platform::Module& module = []() -> platform::Module& {
        platform::Module& tests = platform::DefineModule("DialogTests");
        platform::DialogTemplate form = Face(kFormId, "Form");
        const std::vector<platform::ControlTemplate> more = {
            MakeControl(ControlKind::Edit, kIdName, "name", {}, {7, 7, 100, 14}),
            MakeControl(ControlKind::CheckBox, kIdFlag, "flag", "Flag", {7, 25, 50, 10}),
            MakeControl(ControlKind::PushButton, kIdApply, "apply", "Apply", {7, 40, 50, 14}),
            MakeControl(ControlKind::ListBox, kIdList, "list", {}, {110, 7, 80, 40}),
            MakeControl(ControlKind::DropDown, kIdPick, "pick", {}, {7, 60, 40, 60}),
            MakeControl(ControlKind::DropDownList, kIdOnly, "only", {}, {50, 60, 40, 60}),
            MakeControl(ControlKind::StaticText, kIdStatus, "status", "ready", {7, 90, 60, 8}),
            MakeControl(ControlKind::PushButton, kIdSecret, "secret", "Secret", {0, 0, 9, 9})
                .Hidden(),
            MakeControl(ControlKind::PushButton, kIdOff, "off", "Off", {0, 0, 9, 9}).Disabled(),
            MakeControl(ControlKind::Edit, kIdLog, "log", {}, {7, 70, 100, 14}).ReadOnly(),
            MakeControl(ControlKind::ProgressBar, kIdBar, "bar", {}, {7, 50, 100, 8}),
            MakeControl(ControlKind::PushButton, kIdNested, "nested", "Nested", {60, 40, 50, 14}),
            MakeControl(ControlKind::StaticText, platform::kStaticId, "label", "Label",
                        {60, 25, 50, 8}),
        };
        form.controls.insert(form.controls.end(), more.begin(), more.end());
        tests.AddTemplate(form);
        tests.AddTemplate(Face(kInnerId, "Inner"));
        platform::DialogTemplate noMenu = Face(kNoMenuId, "Preview");
        noMenu.style.systemMenu = false;
        tests.AddTemplate(noMenu);
        tests.AddTemplate(Face(kTimedId, "Timed"));
        return tests;
    }();
    return module;
}

// A dialog with a bound edit, check box and list selection; "apply" reads the controls,
// "nested" opens a second modal dialog.
class FormDialog : public platform::Dialog {
public:
    FormDialog() : Dialog(kFormId) {
        OnCommand(kIdApply, platform::Notification::Clicked, [this] {
            UpdateData(true);
            applied.push_back(name);
        });
        OnCommand(kIdNested, platform::Notification::Clicked, [this] {
            platform::Dialog inner(kInnerId);
            innerResults.push_back(inner.DoModal());
        });
        OnCommand(kIdFlag, platform::Notification::Clicked, [this] { ++flagClicks; });
        OnCommand(kIdPick, platform::Notification::SelectionChanged,
                  [this] { picks.push_back(Item<platform::ComboBox>(kIdPick).SelectedText()); });
    }

    std::string name = "preset";
    int flag = 0;
    int selection = -1;
    std::vector<std::string> applied;
    std::vector<int> innerResults;
    std::vector<std::string> picks;
    int flagClicks = 0;

protected:
    bool OnInitDialog() override {
        auto& list = Item<platform::ListBox>(kIdList).Entries();
        for (const char* entry : {"one", "two", "three"}) list.Insert(-1, entry);
        auto& pick = Item<platform::ComboBox>(kIdPick);
        for (const char* entry : {"1", "2", "3"}) pick.Insert(-1, entry);
        pick.Select(0);
        Item<platform::ComboBox>(kIdOnly).Insert(-1, "x");
        return Dialog::OnInitDialog();
    }
    void DoDataExchange(platform::DataExchange& exchange) override {
        exchange.Text(kIdName, name);
        exchange.Check(kIdFlag, flag);
        exchange.Selection(kIdList, selection);
    }
};

class DialogFrameworkTest : public HeadlessSessionTest {
protected:
    void SetUp() override {
        HeadlessSessionTest::SetUp();
        scope_ = std::make_unique<platform::ModuleScope>(TestModule());
    }
    void TearDown() override {
        scope_.reset();
        HeadlessSessionTest::TearDown();
    }
    std::unique_ptr<platform::ModuleScope> scope_;
};

TEST_F(DialogFrameworkTest, DataExchangeMovesEveryFieldBothWays) {
    Play(R"(# the edit shows the field written at init; apply reads it back unchanged
press apply
type name "Ann \"A\""
tick flag
select list 2
press ok
)");
    FormDialog form;
    EXPECT_EQ(form.DoModal(), platform::kResultOk);
    EXPECT_EQ(form.applied, Lines{"preset"});
    EXPECT_EQ(form.name, "Ann \"A\"");
    EXPECT_EQ(form.flag, 1);
    EXPECT_EQ(form.selection, 2);
    EXPECT_EQ(Transcript(), (Lines{"show \"Form\"", "end \"Form\" OK"}));
}

TEST_F(DialogFrameworkTest, CancelKeepsFieldsAsTheyWere) {
    Play("type name changed\npress cancel\n");
    FormDialog form;
    EXPECT_EQ(form.DoModal(), platform::kResultCancel);
    EXPECT_EQ(form.name, "preset");
}

TEST_F(DialogFrameworkTest, ModalDialogsNestAndDisableTheirOwner) {
    platform::HostMainWindow host;
    Play(R"(press nested
expect-dialog Inner
press ok
press nested
close
expect-dialog Form
press cancel
)");
    FormDialog form;
    EXPECT_EQ(form.DoModal(), platform::kResultCancel);
    EXPECT_EQ(form.innerResults, (std::vector<int>{platform::kResultOk, platform::kResultCancel}));
    EXPECT_EQ(Transcript(), (Lines{"disable host", "show \"Form\"", "show \"Inner\"",
                                   "end \"Inner\" OK", "show \"Inner\"", "end \"Inner\" Cancel",
                                   "end \"Form\" Cancel", "enable host"}));
    EXPECT_TRUE(host.IsEnabled());
}

// A dialog that, like the preview window, does not end on a cancel from the keyboard.
class PreviewDialog : public platform::Dialog {
public:
    PreviewDialog(int id) : Dialog(id) {}
    int keyboardCancels = 0;

protected:
    void OnKeyboardCancel() override { ++keyboardCancels; }
};

// Ends before it is shown, as a dialog does that finds nothing to show.
class EndsAtInit : public platform::Dialog {
public:
    EndsAtInit() : Dialog(kInnerId) {}

protected:
    bool OnInitDialog() override {
        EndDialog(7);
        return true;
    }
};

// A dialog ending itself while initialising must not wait for input nor keep its owner disabled.
TEST_F(DialogFrameworkTest, DialogEndingInInitIsNeverShown) {
    platform::HostMainWindow host;
    Play("press ok\n");
    EndsAtInit dialog;
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(Transcript(), (Lines{"disable host", "end \"Inner\" 7", "enable host"}));
}

TEST_F(DialogFrameworkTest, SystemCloseAndKeyboardCancelAreSeparateEvents) {
    Play("escape\nescape\nclose\n");
    PreviewDialog dialog(kInnerId);
    EXPECT_EQ(dialog.DoModal(), platform::kResultCancel);
    EXPECT_EQ(dialog.keyboardCancels, 2);
    EXPECT_EQ(Transcript(), (Lines{"show \"Inner\"", "end \"Inner\" Cancel"}));
}

TEST_F(DialogFrameworkTest, AWindowWithoutSystemMenuCannotBeClosedFromIt) {
    Play("close\n");
    PreviewDialog dialog(kNoMenuId);
    EXPECT_EQ(dialog.DoModal(), platform::kResultCancel);
    EXPECT_EQ(Transcript(),
              (Lines{"show \"Preview\"",
                     "script-error \"line 1: dialog \\\"Preview\\\" has no system menu\"",
                     "end \"Preview\" Cancel"}));
}

TEST_F(DialogFrameworkTest, ModelessDialogLivesWhileItsCreatorGoesOn) {
    Play("");
    FormDialog status;
    ASSERT_TRUE(status.Create());
    EXPECT_FALSE(status.IsVisible());
    status.Show(true);
    status.Item<platform::ProgressBar>(kIdBar).SetPosition(10);
    status.Item<platform::ProgressBar>(kIdBar).SetPosition(10);  // no change, no line
    status.Item<platform::ProgressBar>(kIdBar).SetPosition(250);
    status.Item<platform::StaticText>(kIdStatus).SetText("working");
    status.Item<platform::Edit>(kIdLog).SetText("line\n2");
    status.Item<platform::Edit>(kIdName).SetText("not a status");
    status.RedrawNow();
    status.DestroyWindow();
    EXPECT_FALSE(status.HasWindow());
    EXPECT_EQ(Transcript(),
              (Lines{"show \"Form\"", "progress \"Form\" bar 10", "progress \"Form\" bar 100",
                     "text \"Form\" status \"working\"", "text \"Form\" log \"line\\n2\"",
                     "redraw \"Form\"", "destroy \"Form\""}));
}

TEST_F(DialogFrameworkTest, ModelessWindowWaitsInItsOwnLoop) {
    platform::HostMainWindow host;
    Play("escape\npress ok\n");
    PreviewDialog preview(kNoMenuId);
    ASSERT_TRUE(preview.Create());
    preview.Show(true);
    host.Enable(false);
    EXPECT_EQ(preview.RunModalLoop(), platform::kResultOk);
    EXPECT_TRUE(preview.HasWindow());  // the window stays until destroyed
    preview.DestroyWindow();
    EXPECT_EQ(Transcript(), (Lines{"show \"Preview\"", "disable host", "end \"Preview\" OK",
                                   "destroy \"Preview\""}));
}

// Like the link library's status window: it moves itself whenever it is shown or hidden.
class SelfPlacing : public platform::Dialog {
public:
    SelfPlacing() : Dialog(kInnerId) {}
    std::vector<bool> notifications;

protected:
    void OnShowWindow(bool shown) override {
        notifications.push_back(shown);
        Move({10, 20, 300, 58});
    }
};

TEST_F(DialogFrameworkTest, ShowNotificationComesFirstAndMayMoveTheWindow) {
    Play("");
    SelfPlacing window;
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(window.Rect(), (platform::PixelRect{0, 0, 300, 162}));  // 200 x 100 units
    window.Show(true);
    window.Show(true);  // already shown: no notification
    window.Show(false);
    EXPECT_EQ(window.notifications, (std::vector<bool>{true, false}));
    EXPECT_EQ(window.Rect(), (platform::PixelRect{10, 20, 300, 58}));
    window.DestroyWindow();
    EXPECT_EQ(Transcript(), (Lines{"move \"Inner\" 10 20 300 58", "show \"Inner\"",
                                   "hide \"Inner\"", "destroy \"Inner\""}));
}

TEST_F(DialogFrameworkTest, TemplatesAreFoundOnlyInTheCurrentModule) {
    Play("");
    platform::Module& other = platform::DefineModule("OtherLibrary");
    {
        platform::ModuleScope guard(other);
        EXPECT_EQ(platform::CurrentModule(), &other);
        FormDialog form;
        EXPECT_EQ(form.DoModal(), platform::kResultFailed);
        EXPECT_EQ(form.CreationError(),
                  "dialog template 100 is not in module OtherLibrary (module DialogTests has one)");
        EXPECT_FALSE(form.Create());
    }
    EXPECT_EQ(platform::CurrentModule(), &TestModule());
    EXPECT_EQ(Transcript()[0],
              "fail 100 \"dialog template 100 is not in module OtherLibrary (module DialogTests "
              "has one)\"");
}

TEST_F(DialogFrameworkTest, NoCurrentModuleIsAnErrorToo) {
    scope_.reset();
    Play("");
    FormDialog form;
    EXPECT_EQ(form.DoModal(), platform::kResultFailed);
    EXPECT_EQ(form.CreationError(), "dialog template 100 asked for while no module is current");
}

// The installer's timeline: a timer after showing, a posted message that runs the work, a
// second timer that closes the window.
class TimedDialog : public platform::Dialog {
public:
    TimedDialog() : Dialog(kTimedId) {}
    std::vector<std::string> events;

protected:
    bool OnInitDialog() override {
        SetTimer(100, 500);
        return true;
    }
    void OnTimer(int id) override {
        events.push_back("timer " + std::to_string(id) + " at " +
                         std::to_string(platform::CurrentBackend().NowMilliseconds()));
        KillTimer(id);
        if (id == 100)
            PostMessage(1124);
        else
            EndDialog(1);
    }
    void OnMessage(int message, std::intptr_t, std::intptr_t) override {
        events.push_back("message " + std::to_string(message));
        SetTimer(101, 5000);
    }
};

TEST_F(DialogFrameworkTest, TimersRunOnTheVirtualClockWithoutAScript) {
    Play("");
    TimedDialog dialog;
    EXPECT_EQ(dialog.DoModal(), platform::kResultOk);
    EXPECT_EQ(dialog.events, (Lines{"timer 100 at 500", "message 1124", "timer 101 at 5500"}));
    EXPECT_EQ(Transcript(), (Lines{"show \"Timed\"", "time 500", "time 5500", "end \"Timed\" OK"}));
}

// Counts the firings of two periodic timers.
class TwoTimers : public platform::Dialog {
public:
    TwoTimers() : Dialog(kTimedId) {}
    std::vector<std::string> fired;

protected:
    bool OnInitDialog() override {
        SetTimer(2, 200);
        SetTimer(1, 200);  // same due time: fires after timer 2, which was set first
        SetTimer(3, 300);
        return true;
    }
    void OnTimer(int id) override {
        fired.push_back(std::to_string(id) + "@" +
                        std::to_string(platform::CurrentBackend().NowMilliseconds()));
    }
};

TEST_F(DialogFrameworkTest, WaitFiresDueTimersInOrderBeforeTheNextAction) {
    Play("wait 450\npress ok\n");
    TwoTimers dialog;
    EXPECT_EQ(dialog.DoModal(), platform::kResultOk);
    EXPECT_EQ(dialog.fired, (Lines{"2@200", "1@200", "3@300", "2@400", "1@400"}));
}

TEST_F(DialogFrameworkTest, TimersOfADialogThatNeverEndsStopAtTheIdleLimit) {
    Play("");
    TwoTimers dialog;
    EXPECT_EQ(dialog.DoModal(), platform::kResultCancel);
    EXPECT_EQ(platform::CurrentBackend().NowMilliseconds(),
              platform::HeadlessBackend::kIdleLimitMilliseconds);
    EXPECT_EQ(Transcript().back(), "end \"Timed\" Cancel");
    EXPECT_EQ(Transcript()[Transcript().size() - 2], "script-end \"Timed\"");
}

TEST_F(DialogFrameworkTest, ScriptThatRunsOutCancelsTheWaitingDialogAndSaysSo) {
    Play("type name x\n");
    FormDialog form;
    EXPECT_EQ(form.DoModal(), platform::kResultCancel);
    EXPECT_EQ(form.name, "preset");
    EXPECT_EQ(Transcript(), (Lines{"show \"Form\"", "script-end \"Form\"", "end \"Form\" Cancel"}));
}

TEST_F(DialogFrameworkTest, ActionErrorsNameTheLineStopTheScriptAndCancel) {
    struct Case {
        const char* action;
        const char* error;
    } cases[] = {
        {"press nothing", "dialog \\\"Form\\\" has no control \\\"nothing\\\""},
        {"press #4711", "dialog \\\"Form\\\" has no control \\\"#4711\\\""},
        {"press secret", "control \\\"secret\\\" of dialog \\\"Form\\\" is hidden"},
        {"press off", "control \\\"off\\\" of dialog \\\"Form\\\" is disabled"},
        {"type apply text", "push button \\\"apply\\\" does not take 'type'"},
        {"press flag", "check box \\\"flag\\\" does not take 'press'"},
        {"type log text", "edit \\\"log\\\" is read-only"},
        {"type only x", "drop-down list \\\"only\\\" does not take 'type'"},
        {"choose pick 9", "\\\"pick\\\" has no entry \\\"9\\\""},
        {"select list 3", "\\\"list\\\" has no entry at index 3 (it has 3)"},
        {"press label", "static text \\\"label\\\" does not take 'press'"},
        {"pick-location 1 2 3",
         "host action 'pick-location' while dialog \\\"Form\\\" waits for "
         "the user"},
        {"expect-dialog Other", "expected dialog \\\"Other\\\", \\\"Form\\\" is waiting"},
    };
    for (const Case& c : cases) {
        platform::ResetDialogSystem();
        platform::ModuleScope guard(TestModule());
        platform::HeadlessBackend& backend =
            Play(std::string("type name changed\n") + c.action + "\npress ok\n");
        FormDialog form;
        EXPECT_EQ(form.DoModal(), platform::kResultCancel) << c.action;
        EXPECT_TRUE(backend.ScriptFailed());
        EXPECT_EQ(Transcript(),
                  (Lines{"show \"Form\"", std::string("script-error \"line 2: ") + c.error + "\"",
                         "end \"Form\" Cancel"}))
            << c.action;
        // Later dialogs find the script stopped: they are cancelled, not driven.
        platform::Dialog inner(kInnerId);
        EXPECT_EQ(inner.DoModal(), platform::kResultCancel);
    }
}

TEST_F(DialogFrameworkTest, ControlsCanBeNamedByIdentifier) {
    Play("type #1001 viaId\npress #1\n");
    FormDialog form;
    EXPECT_EQ(form.DoModal(), platform::kResultOk);
    EXPECT_EQ(form.name, "viaId");
}

TEST_F(DialogFrameworkTest, DropDownKeepsTypedTextApartFromTheSelection) {
    Play("choose pick 3\ntype pick typed\npress ok\n");
    FormDialog form;
    EXPECT_EQ(form.DoModal(), platform::kResultOk);
    EXPECT_EQ(form.picks, Lines{"3"});
}

TEST_F(DialogFrameworkTest, CheckBoxTickAndClearClickOnlyWhenNeeded) {
    Play("tick flag\ntick flag\nclick flag\nclick flag\nclear flag\nclear flag\npress ok\n");
    FormDialog form;
    EXPECT_EQ(form.DoModal(), platform::kResultOk);
    EXPECT_EQ(form.flagClicks, 4);
    EXPECT_EQ(form.flag, 0);
}

TEST_F(DialogFrameworkTest, MessageBoxesAreAnsweredAndWrittenToTheTranscript) {
    Play("");
    platform::ShowMessage("Point 1.000000, 2.000000, 3.000000");
    EXPECT_EQ(Transcript(), Lines{"message \"Point 1.000000, 2.000000, 3.000000\""});
    EXPECT_EQ(platform::ShownMessages(), Lines{"Point 1.000000, 2.000000, 3.000000"});
}

TEST_F(DialogFrameworkTest, HandlesOfGoneWindowsNameNoWindow) {
    Play("");
    platform::WindowHandle stale;
    {
        platform::HostMainWindow host;
        stale = host.Handle();
        EXPECT_EQ(platform::MainWindow(), stale);
        EXPECT_TRUE(platform::SetFocus(stale));
        EXPECT_TRUE(platform::SetFocus(stale));  // already focused: no second line
        EXPECT_TRUE(platform::SetForegroundWindow(stale));
        EXPECT_EQ(platform::FocusWindow(), stale);
    }
    EXPECT_EQ(platform::FocusWindow(), platform::WindowHandle{});
    EXPECT_EQ(platform::MainWindow(), platform::WindowHandle{});
    EXPECT_FALSE(platform::EnableWindow(stale, true));
    EXPECT_FALSE(platform::ShowWindow(stale, false));
    EXPECT_EQ(Transcript(), (Lines{"focus host", "foreground host"}));
}

TEST_F(DialogFrameworkTest, PostedMessagesToADestroyedWindowAreDropped) {
    Play("press ok\n");
    FormDialog gone;
    ASSERT_TRUE(gone.Create());
    gone.PostMessage(1124);
    gone.SetTimer(7, 1);
    gone.DestroyWindow();
    TimedDialog receiver;  // would record any message it got
    platform::Dialog inner(kInnerId);
    EXPECT_EQ(inner.DoModal(), platform::kResultOk);
    EXPECT_TRUE(receiver.events.empty());
}

}  // namespace
