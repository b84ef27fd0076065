// The same session scripts on the Win32 backend, sending the native controls what a user's
// clicks and keys would, give the headless backend's transcript; the native controls show
// what the script did and follow every change made from code.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "platform/dialog/ListControls.h"
#include "platform/dialog/Module.h"
#include "platform/dialog/StandardControls.h"
#include "tests/win32/ListForm.h"
#include "tests/win32/Win32Fixture.h"

namespace {

using namespace tavro::testing;

TEST_F(Win32Test, OptionsDialogSessionsMatchTheHeadlessOnes) {
    for (const std::string& script : kOptionsScripts) {
        const Lines headless = Outcome(script, /*native=*/false, OptionsSession);
        EXPECT_EQ(Outcome(script, /*native=*/true, OptionsSession), headless) << script;
    }
}

TEST_F(Win32Test, InstallerWindowSessionsMatchTheHeadlessOnes) {
    for (const std::string& script : kInstallerScripts) {
        const Lines headless = Outcome(script, /*native=*/false, InstallerSession);
        EXPECT_EQ(Outcome(script, /*native=*/true, InstallerSession), headless) << script;
    }
}

TEST_F(Win32Test, GridEditsClicksBoxesAndMessagesMatchTheHeadlessSession) {
    const auto session = [] { return GridSession(); };
    for (const std::string& script : kGridScripts) {
        const Lines headless = Outcome(script, /*native=*/false, session);
        EXPECT_EQ(Outcome(script, /*native=*/true, session), headless) << script;
    }
}

TEST_F(Win32Test, AGridOfTwoBillionRowsOpensAtOnceAndTakesEditsBeyondWhatItShows) {
    const auto session = [] { return GridSession(kTwoBillionRows); };
    const Lines headless = Outcome(kFarCellScript, /*native=*/false, session);
    EXPECT_EQ(Outcome(kFarCellScript, /*native=*/true, session), headless);
    EXPECT_NE(std::find(headless.begin(), headless.end(), kFarCellNote), headless.end());
}

TEST_F(Win32Test, ListSessionsMatchTheHeadlessOnes) {
    const char* scripts[] = {
        "select entries 2\nchoose items beta\nchoose kind y\nselect items 1\npress ok\n",
        "choose kind x\nselect entries 3\n",  // no such entry: a script error
    };
    const auto session = [] {
        platform::ModuleScope scope(ListForm::Module());
        ListForm form;
        return Lines{std::to_string(form.DoModal())};
    };
    for (const char* script : scripts) {
        const Lines headless = Outcome(script, /*native=*/false, session);
        EXPECT_EQ(Outcome(script, /*native=*/true, session), headless) << script;
    }
}

// While the script lasts, its time passes on the real clock: a "wait" really waits.
TEST_F(Win32Test, AScriptsWaitTakesItsTimeOnScreen) {
    const auto session = [] { return GridSession(); };
    const Lines headless = Outcome(kWaitScript, /*native=*/false, session);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Outcome(kWaitScript, /*native=*/true, session), headless);
    EXPECT_GE(std::chrono::steady_clock::now() - start,
              std::chrono::milliseconds(kWaitMilliseconds));
}

// The form's native controls as they are when OK is pressed.
class ProbedForm : public GridForm {
public:
    std::vector<win32::NativeState> seen;
    std::string note;

protected:
    void OnOK() override {
        for (const int id : {kIdFlag, kIdName, kIdPick, kIdNote}) seen.push_back(Probe(*this, id));
        note = Item<platform::StaticText>(kIdNote).Text();
        GridForm::OnOK();
    }
};

// A script that fell back on delivering its input past the controls would give the same
// transcript; the controls must show the input.
TEST_F(Win32Test, ScriptedInputShowsOnTheNativeControls) {
    Play("tick flag\ntype name \"abc\"\nchoose pick green\npress ok\n", /*native=*/true);
    platform::ModuleScope scope(GridForm::Module());
    ProbedForm form;
    ASSERT_EQ(form.DoModal(), platform::kResultOk);
    ASSERT_EQ(form.seen.size(), 4u);
    EXPECT_TRUE(form.seen[0].checked);
    EXPECT_EQ(form.seen[1].text, "abc");
    EXPECT_EQ(form.seen[2].selection, 1);
    EXPECT_EQ(form.seen[2].text, "green");
    EXPECT_EQ(form.seen[3].text, form.note);
    EXPECT_EQ(form.note, "picked green -1 -1 ");
}

TEST_F(Win32Test, NativeControlsFollowChangesMadeFromCode) {
    Play("", /*native=*/true);
    platform::ModuleScope scope(GridForm::Module());
    GridForm form;
    ASSERT_TRUE(form.Create());
    auto& choices = form.Item<platform::ComboBox>(kIdPick);
    for (const char* entry : {"a", "b"}) choices.Insert(-1, entry);
    EXPECT_EQ(Probe(form, kIdPick).count, 4);  // after the form's own two
    EXPECT_EQ(Probe(form, kIdPick).text, "");  // inserting selects nothing
    choices.Select(3);
    EXPECT_EQ(Probe(form, kIdPick).text, "b");  // the edit field shows the choice
    choices.Select(-1);
    EXPECT_EQ(Probe(form, kIdPick).text, "");
    form.Item<platform::CheckBox>(kIdFlag).SetChecked(true);
    form.Item<platform::Edit>(kIdName).SetText("from code");
    form.Item<platform::Edit>(kIdName).Enable(false);
    form.Item<platform::CheckBox>(kIdFlag).Show(false);
    EXPECT_TRUE(Probe(form, kIdFlag).checked);
    EXPECT_FALSE(Probe(form, kIdFlag).visible);
    EXPECT_EQ(Probe(form, kIdName).text, "from code");
    EXPECT_FALSE(Probe(form, kIdName).enabled);
    // Changes from code are no user input: no handler ran.
    EXPECT_EQ(form.Item<platform::StaticText>(kIdNote).Text(), "");
    const platform::WindowHandle handle = form.Handle();
    form.DestroyWindow();
    EXPECT_EQ(Native().WindowOf(handle), nullptr);
}

TEST_F(Win32Test, ListsAndProgressFollowChangesMadeFromCode) {
    Play("", /*native=*/true);
    platform::ModuleScope scope(ListForm::Module());
    ListForm form;
    ASSERT_TRUE(form.Create());
    platform::EntryList& entries = form.Item<platform::ListBox>(kIdEntries).Entries();
    EXPECT_EQ(Probe(form, kIdEntries).count, 3);
    entries.Select(1);
    entries.Insert(0, "z");  // the selection moves with its entry
    EXPECT_EQ(Probe(form, kIdEntries).selection, 2);
    EXPECT_EQ(Probe(form, kIdEntries).text, "b");
    entries.Clear();
    EXPECT_EQ(Probe(form, kIdEntries).count, 0);
    form.Item<platform::ListView>(kIdItems).Items().Select(1);
    EXPECT_EQ(Probe(form, kIdItems).count, 2);
    EXPECT_EQ(Probe(form, kIdItems).text, "beta");
    form.Item<platform::ComboBox>(kIdKind).Select(0);
    EXPECT_EQ(Probe(form, kIdKind).text, "x");
    auto& bar = form.Item<platform::ProgressBar>(kIdBar);
    bar.SetRange(0, 20);
    bar.SetPosition(7);
    EXPECT_EQ(Probe(form, kIdBar).upper, 20);
    EXPECT_EQ(Probe(form, kIdBar).position, 7);
    bar.SetRange(10, 5);  // inverted: shown empty
    EXPECT_EQ(Probe(form, kIdBar).lower, 10);
    EXPECT_EQ(Probe(form, kIdBar).upper, 10);
    EXPECT_EQ(form.Item<platform::StaticText>(kIdShown).Text(), "");
}

}  // namespace
