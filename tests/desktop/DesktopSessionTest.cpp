// The same session scripts on the desktop backend, driving real widgets, give the headless
// backend's transcript and leave the dialogs in the same state.
#include <gtest/gtest.h>

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>

#include "dialogs/AddinModule.h"
#include "dialogs/DlgOptions.h"
#include "gridwidget/GridCtrl.h"
#include "installer/InstallDialog.h"
#include "platform/MessageService.h"
#include "platform/desktop/DialogWindow.h"
#include "platform/desktop/GridView.h"
#include "platform/dialog/ListControls.h"
#include "platform/dialog/Module.h"
#include "platform/dialog/StandardControls.h"
#include "tests/desktop/DesktopFixture.h"

namespace {

using Lines = std::vector<std::string>;

// The options dialog's controls as text when OK is pressed: ticks and edit texts.
class RecordedOptions : public CDlgOptions {
public:
    Lines seen;

protected:
    void OnOK() override {
        std::string state;
        for (const auto& control : Controls()) {
            if (control->Kind() == platform::ControlKind::CheckBox)
                state += static_cast<platform::CheckBox&>(*control).IsChecked() ? "x" : "-";
            else if (control->Kind() == platform::ControlKind::Edit)
                state += "[" + control->Text() + "]";
        }
        seen.push_back(state);
        CDlgOptions::OnOK();
    }
};

TEST_F(DesktopTest, OptionsDialogSessionsMatchTheHeadlessOnes) {
    const char* scripts[] = {
        R"(tick a-inch
tick a-metric
tick c-metric
type d-file "c:\\TavroLoc.txt"
type e-layer "not a number"
type f-diameter ""
press ok
tick b-inch
type h-max-angle 45
press cancel
type g-thickness 3
close
)",
        "escape\nclear a-inch\ntick b-metric\npress ok\n",
        "press d-browse\n",  // disabled: the same script error
        "type a-inch x\n",   // a check box takes no text: the same script error
    };
    const auto session = [] {
        platform::ModuleScope addin(AddinModule());
        Lines results;
        for (int run = 0; run < 3; ++run) {
            RecordedOptions options;
            results.push_back(std::to_string(options.DoModal()));
            results.insert(results.end(), options.seen.begin(), options.seen.end());
        }
        return results;
    };
    for (const char* script : scripts) {
        const Lines headless = Outcome(script, /*onDesktop=*/false, session);
        EXPECT_EQ(Outcome(script, /*onDesktop=*/true, session), headless) << script;
    }
}

TEST_F(DesktopTest, InstallerWindowSessionMatchesTheHeadlessOne) {
    const auto session = [] {
        platform::ModuleScope installer(installer::InstallerModule());
        installer::InstallDialog dialog({"/nonexistent/host", "setup", ""});
        return Lines{std::to_string(dialog.DoModal()), dialog.Status()};
    };
    const Lines headless = Outcome("escape\n", /*onDesktop=*/false, session);
    EXPECT_EQ(Outcome("escape\n", /*onDesktop=*/true, session), headless);
}

enum : int { kGridFormId = 400, kIdGrid = 1001, kIdNote, kIdAsk, kIdFlag, kIdName, kIdPick };

// A dialog whose handlers write what reached them into a status line (which the transcript
// shows) and which asks with a message box.
class GridForm : public platform::Dialog {
public:
    explicit GridForm(int rows = 4) : Dialog(kGridFormId), rows_(rows) {
        using platform::Notification;
        OnCommand(kIdGrid, Notification::EndEdit, [this] { Note("edited"); });
        OnCommand(kIdGrid, Notification::FocusCellChanged, [this] { Note("focus"); });
        OnCommand(kIdAsk, Notification::Clicked, [] { platform::ShowMessage("Sure?"); });
        OnCommand(kIdFlag, Notification::Clicked, [this] {
            Note(Item<platform::CheckBox>(kIdFlag).IsChecked() ? "ticked" : "cleared");
        });
        OnCommand(kIdName, Notification::TextChanged,
                  [this] { Note("typed " + Item<platform::Edit>(kIdName).Text()); });
    }
    static platform::Module& Module() {
        static platform::Module& module = []() -> platform::Module& {
            gridwidget::RegisterGridControlClass();
            using platform::ControlKind;
            using platform::MakeControl;
            platform::Module& tests = platform::DefineModule("DesktopTests");
            platform::DialogTemplate form;
            form.id = kGridFormId;
            form.caption = "Grid";
            form.width = 220;
            form.height = 140;
            form.controls = {
                platform::MakeCustomControl(gridwidget::kGridClassName, kIdGrid, "grid",
                                            {7, 7, 150, 90}),
                MakeControl(ControlKind::StaticText, kIdNote, "note", "", {7, 100, 150, 8}),
                MakeControl(ControlKind::PushButton, kIdAsk, "ask", "Ask", {165, 7, 50, 14}),
                MakeControl(ControlKind::CheckBox, kIdFlag, "flag", "Flag", {165, 25, 50, 10}),
                MakeControl(ControlKind::Edit, kIdName, "name", "", {165, 40, 50, 14}),
                MakeControl(ControlKind::DropDown, kIdPick, "pick", "", {165, 60, 50, 60}),
                MakeControl(ControlKind::PushButton, platform::kIdOk, "ok", "OK",
                            {165, 120, 50, 14})
                    .Default(),
            };
            tests.AddTemplate(form);
            return tests;
        }();
        return module;
    }

protected:
    bool OnInitDialog() override {
        auto& grid = Item<gridwidget::GridCtrl>(kIdGrid);
        grid.SetRowCount(rows_);
        grid.SetColumnCount(3);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetNumberedHeaders(true);
        grid.SetItemText(1, 1, "1.5");
        return Dialog::OnInitDialog();
    }

private:
    int rows_;
    void Note(const std::string& what) {
        const auto& grid = Item<gridwidget::GridCtrl>(kIdGrid);
        const gridwidget::CellId focus = grid.FocusCell();
        Item<platform::StaticText>(kIdNote).SetText(what + " " + std::to_string(focus.row) + " " +
                                                    std::to_string(focus.column) + " " +
                                                    grid.ItemText(focus.row, focus.column));
    }
};

TEST_F(DesktopTest, GridEditsClicksBoxesAndMessagesMatchTheHeadlessSession) {
    const char* script = R"(edit-cell grid 2 2 "7.25"
focus-cell grid 3 1
edit-cell grid 0 1 "header"
)";
    const char* second = R"(edit-cell grid 1 1 ""
press ask
tick flag
type name "abc"
edit-cell grid 9 9 x
)";
    const auto session = [] {
        platform::ModuleScope scope(GridForm::Module());
        GridForm form;
        return Lines{std::to_string(form.DoModal())};
    };
    for (const char* each : {script, second}) {
        const Lines headless = Outcome(each, /*onDesktop=*/false, session);
        EXPECT_EQ(Outcome(each, /*onDesktop=*/true, session), headless) << each;
    }
}

// Only a mistyped post number makes such a grid: the table shows its first rows at once, and
// the script still edits a cell far beyond them.
TEST_F(DesktopTest, AGridOfTwoBillionRowsOpensAtOnceAndTakesEditsBeyondWhatItShows) {
    const auto session = [] {
        platform::ModuleScope scope(GridForm::Module());
        GridForm form(2'000'000'000);
        return Lines{std::to_string(form.DoModal())};
    };
    const char* script = "edit-cell grid 1999999999 2 far\npress ok\n";
    const Lines headless = Outcome(script, /*onDesktop=*/false, session);
    EXPECT_EQ(Outcome(script, /*onDesktop=*/true, session), headless);
    EXPECT_NE(std::find(headless.begin(), headless.end(),
                        R"(text "Grid" note "edited 1999999999 2 far")"),
              headless.end());
}

// While the script lasts, its time passes on the real clock: a "wait" really waits.
TEST_F(DesktopTest, AScriptsWaitTakesItsTimeOnTheDesktop) {
    const auto session = [] {
        platform::ModuleScope scope(GridForm::Module());
        GridForm form;
        return Lines{std::to_string(form.DoModal())};
    };
    const char* script = "wait 60\npress ok\n";
    const Lines headless = Outcome(script, /*onDesktop=*/false, session);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Outcome(script, /*onDesktop=*/true, session), headless);
    EXPECT_GE(clock.elapsed(), 60);
    EXPECT_NE(std::find(headless.begin(), headless.end(), "time 60"), headless.end());
}

TEST_F(DesktopTest, WidgetsFollowChangesMadeFromCode) {
    Play("", /*onDesktop=*/true);
    auto& backend = static_cast<desktop::DesktopBackend&>(platform::CurrentBackend());
    platform::ModuleScope scope(GridForm::Module());
    GridForm form;
    ASSERT_TRUE(form.Create());
    desktop::DialogWindow* window = backend.WindowOf(form.Handle());
    ASSERT_NE(window, nullptr);
    auto* table = qobject_cast<QTableView*>(window->ViewOf(kIdGrid)->Widget());
    auto* box = qobject_cast<QCheckBox*>(window->ViewOf(kIdFlag)->Widget());
    auto* edit = qobject_cast<QLineEdit*>(window->ViewOf(kIdName)->Widget());
    auto* pick = qobject_cast<QComboBox*>(window->ViewOf(kIdPick)->Widget());
    ASSERT_TRUE(table && box && edit && pick);
    auto& choices = form.Item<platform::ComboBox>(kIdPick);
    for (const char* entry : {"a", "b"}) choices.Insert(-1, entry);
    EXPECT_EQ(pick->count(), 2);
    EXPECT_EQ(pick->currentText().toStdString(), "");  // inserting selects nothing
    choices.Select(1);
    EXPECT_EQ(pick->currentText().toStdString(), "b");
    choices.Select(-1);
    EXPECT_EQ(pick->currentText().toStdString(), "");
    auto& grid = form.Item<gridwidget::GridCtrl>(kIdGrid);
    const auto cell = [&](int row, int column) {
        return table->model()->index(row, column).data().toString().toStdString();
    };
    EXPECT_EQ(table->model()->rowCount(), 4);
    EXPECT_EQ(cell(1, 1), "1.5");
    EXPECT_EQ(cell(0, 2), "2");  // a numbered header
    grid.SetRowCount(2'000'000'000);
    EXPECT_EQ(table->model()->rowCount(), desktop::CellGridModel::kMostRows);
    grid.SetRowCount(6);
    grid.SetItemText(5, 2, "x");
    grid.SetFocusCell(5, 2);
    EXPECT_EQ(table->model()->rowCount(), 6);
    EXPECT_EQ(cell(5, 2), "x");
    EXPECT_EQ(table->currentIndex().row(), 5);
    EXPECT_FALSE(table->model()->flags(table->model()->index(0, 1)) & Qt::ItemIsEditable);
    form.Item<platform::CheckBox>(kIdFlag).SetChecked(true);
    form.Item<platform::Edit>(kIdName).SetText("from code");
    form.Item<platform::Edit>(kIdName).Enable(false);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(edit->text().toStdString(), "from code");
    EXPECT_FALSE(edit->isEnabled());
    // Changes from code are no user input: no handler ran.
    EXPECT_EQ(form.Item<platform::StaticText>(kIdNote).Text(), "");
    const platform::WindowHandle handle = form.Handle();
    form.DestroyWindow();
    EXPECT_EQ(backend.WindowOf(handle), nullptr);
}

}  // namespace
