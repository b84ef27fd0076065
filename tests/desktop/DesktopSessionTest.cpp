// The same session scripts on the desktop backend, driving real widgets, give the headless
// backend's transcript and leave the dialogs in the same state.
#include <gtest/gtest.h>

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>

#include "platform/desktop/DialogWindow.h"
#include "platform/desktop/GridView.h"
#include "platform/dialog/ListControls.h"
#include "platform/dialog/Module.h"
#include "platform/dialog/StandardControls.h"
#include "tests/desktop/DesktopFixture.h"

namespace {

using namespace tavro::testing;

TEST_F(DesktopTest, OptionsDialogSessionsMatchTheHeadlessOnes) {
    for (const std::string& script : kOptionsScripts) {
        const Lines headless = Outcome(script, /*onDesktop=*/false, OptionsSession);
        EXPECT_EQ(Outcome(script, /*onDesktop=*/true, OptionsSession), headless) << script;
    }
}

TEST_F(DesktopTest, InstallerWindowSessionsMatchTheHeadlessOnes) {
    for (const std::string& script : kInstallerScripts) {
        const Lines headless = Outcome(script, /*onDesktop=*/false, InstallerSession);
        EXPECT_EQ(Outcome(script, /*onDesktop=*/true, InstallerSession), headless) << script;
    }
}

TEST_F(DesktopTest, GridEditsClicksBoxesAndMessagesMatchTheHeadlessSession) {
    const auto session = [] { return GridSession(); };
    for (const std::string& script : kGridScripts) {
        const Lines headless = Outcome(script, /*onDesktop=*/false, session);
        EXPECT_EQ(Outcome(script, /*onDesktop=*/true, session), headless) << script;
    }
}

TEST_F(DesktopTest, AGridOfTwoBillionRowsOpensAtOnceAndTakesEditsBeyondWhatItShows) {
    const auto session = [] { return GridSession(kTwoBillionRows); };
    const Lines headless = Outcome(kFarCellScript, /*onDesktop=*/false, session);
    EXPECT_EQ(Outcome(kFarCellScript, /*onDesktop=*/true, session), headless);
    EXPECT_NE(std::find(headless.begin(), headless.end(), kFarCellNote), headless.end());
}

// While the script lasts, its time passes on the real clock: a "wait" really waits.
TEST_F(DesktopTest, AScriptsWaitTakesItsTimeOnTheDesktop) {
    const auto session = [] { return GridSession(); };
    const Lines headless = Outcome(kWaitScript, /*onDesktop=*/false, session);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Outcome(kWaitScript, /*onDesktop=*/true, session), headless);
    EXPECT_GE(clock.elapsed(), kWaitMilliseconds);
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
    EXPECT_EQ(pick->count(), 4);                       // after the form's own two
    EXPECT_EQ(pick->currentText().toStdString(), "");  // inserting selects nothing
    choices.Select(3);
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
