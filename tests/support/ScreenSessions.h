// Test support: the sessions that every backend with real windows plays beside the headless
// backend (the options dialog, the installer's window, a grid dialog), and what a session gives
// on one backend. A screen backend's suite plays each case on both and compares.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/AddinModule.h"
#include "dialogs/DlgOptions.h"
#include "gridwidget/GridCtrl.h"
#include "installer/InstallDialog.h"
#include "platform/MessageService.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/HeadlessBackend.h"
#include "platform/dialog/ListControls.h"
#include "platform/dialog/Module.h"
#include "platform/dialog/StandardControls.h"

namespace tavro::testing {

using Lines = std::vector<std::string>;

// Makes the backend that plays a session's script.
using BackendMaker =
    std::function<std::unique_ptr<platform::HeadlessBackend>(platform::SessionScript script)>;

inline std::unique_ptr<platform::HeadlessBackend> MakeHeadless(platform::SessionScript script) {
    return std::make_unique<platform::HeadlessBackend>(std::move(script));
}

// Installs the backend `make` makes, playing `script`.
inline platform::HeadlessBackend& Play(std::string_view script, const BackendMaker& make) {
    platform::Expected<std::vector<platform::ScriptAction>> read =
        platform::ReadSessionScript(script);
    EXPECT_TRUE(read) << read.Describe();
    std::unique_ptr<platform::HeadlessBackend> backend = make(
        platform::SessionScript(read ? std::move(*read) : std::vector<platform::ScriptAction>()));
    platform::HeadlessBackend& installed = *backend;
    platform::SetDialogBackend(std::move(backend));
    return installed;
}

// What a session gives on one backend: the transcript, then whatever `session` returns.
using Session = std::function<Lines()>;
inline Lines Outcome(std::string_view script, const BackendMaker& make, const Session& session) {
    platform::ResetDialogSystem();
    platform::HeadlessBackend& backend = Play(script, make);
    Lines seen = session();
    Lines lines = backend.TranscriptLines();
    lines.insert(lines.end(), seen.begin(), seen.end());
    platform::ResetDialogSystem();
    return lines;
}

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

// Scripts for three runs of the options dialog, the last two ending in script errors that
// every backend must report alike.
inline const std::vector<std::string> kOptionsScripts = {
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
    "press d-browse\n",  // disabled: a script error
    "type a-inch x\n",   // a check box takes no text: a script error
};

inline Lines OptionsSession() {
    platform::ModuleScope addin(dialogs::AddinModule());
    Lines results;
    for (int run = 0; run < 3; ++run) {
        RecordedOptions options;
        results.push_back(std::to_string(options.DoModal()));
        results.insert(results.end(), options.seen.begin(), options.seen.end());
    }
    return results;
}

// The installer's window, cancelled from the keyboard, and closed from a system menu it does not
// have (a script error).
inline const std::vector<std::string> kInstallerScripts = {"escape\n", "close\n"};

inline Lines InstallerSession() {
    platform::ModuleScope installer(installer::InstallerModule());
    installer::InstallDialog dialog({"/nonexistent/host", "setup", ""});
    return Lines{std::to_string(dialog.DoModal()), dialog.Status()};
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
        OnCommand(kIdPick, Notification::SelectionChanged,
                  [this] { Note("picked " + Item<platform::ComboBox>(kIdPick).SelectedText()); });
    }
    static platform::Module& Module() {
        static platform::Module& module = []() -> platform::Module& {
            gridwidget::RegisterGridControlClass();
            using platform::ControlKind;
            using platform::MakeControl;
            platform::Module& tests = platform::DefineModule("ScreenSessionTests");
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
        auto& pick = Item<platform::ComboBox>(kIdPick);
        for (const char* entry : {"red", "green"}) pick.Insert(-1, entry);
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

// Grid edits and clicks, a message box, a tick, typing and a choice; header and outside cells
// are script errors every backend reports alike.
inline const std::vector<std::string> kGridScripts = {
    R"(edit-cell grid 2 2 "7.25"
focus-cell grid 3 1
edit-cell grid 0 1 "header"
)",
    R"(edit-cell grid 1 1 ""
press ask
tick flag
type name "abc"
choose pick green
type pick "blue"
edit-cell grid 9 9 x
)",
};

// Only a mistyped post number makes such a grid: the screen shows its first rows at once, and
// the script still edits a cell far beyond them.
inline constexpr int kTwoBillionRows = 2'000'000'000;
inline constexpr std::string_view kFarCellScript = "edit-cell grid 1999999999 2 far\npress ok\n";
inline constexpr std::string_view kFarCellNote = R"(text "Grid" note "edited 1999999999 2 far")";

// A wait, which a screen backend takes on the real clock.
inline constexpr int kWaitMilliseconds = 60;
inline constexpr std::string_view kWaitScript = "wait 60\npress ok\n";

inline Lines GridSession(int rows = 4) {
    platform::ModuleScope scope(GridForm::Module());
    GridForm form(rows);
    return Lines{std::to_string(form.DoModal())};
}

}  // namespace tavro::testing
