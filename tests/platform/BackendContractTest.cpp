// What every backend is told and may ask: window and control changes with handles and
// identifiers, wake-ups, typed user input, the registry of backends, metrics.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gridwidget/GridCtrl.h"
#include "platform/dialog/BackendRegistry.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/HeadlessBackend.h"
#include "platform/dialog/ListControls.h"
#include "platform/dialog/Module.h"
#include "platform/dialog/ScriptInput.h"
#include "platform/dialog/StandardControls.h"

namespace {

using platform::ControlKind;
using platform::InputKind;
using platform::MakeControl;
using platform::WindowEventKind;

enum : int {
    kFormId = 300,
    kIdName = 1001,
    kIdFlag,
    kIdList,
    kIdPick,
    kIdView,
    kIdBar,
    kIdGrid,
    kIdGo,
};

platform::Module& ContractModule() {
    static platform::Module& module = []() -> platform::Module& {
        gridwidget::RegisterGridControlClass();
        platform::Module& tests = platform::DefineModule("ContractTests");
        platform::DialogTemplate form;
        form.id = kFormId;
        form.caption = "";  // like the progress box: only the handle tells windows apart
        form.width = 200;
        form.height = 120;
        form.controls = {
            MakeControl(ControlKind::Edit, kIdName, "name", {}, {7, 7, 100, 14}),
            MakeControl(ControlKind::CheckBox, kIdFlag, "flag", "Flag", {7, 25, 50, 10}),
            MakeControl(ControlKind::ListBox, kIdList, "list", {}, {110, 7, 80, 40}),
            MakeControl(ControlKind::DropDown, kIdPick, "pick", {}, {7, 40, 40, 60}),
            MakeControl(ControlKind::ListView, kIdView, "view", {}, {7, 60, 90, 40}),
            MakeControl(ControlKind::ProgressBar, kIdBar, "bar", {}, {7, 105, 100, 8}),
            platform::MakeCustomControl(gridwidget::kGridClassName, kIdGrid, "grid",
                                        {110, 50, 80, 50}),
            MakeControl(ControlKind::PushButton, kIdGo, "go", "Go", {150, 104, 40, 14}),
        };
        tests.AddTemplate(form);
        return tests;
    }();
    return module;
}

// A headless backend that also keeps every event and counts wake-ups.
class RecordingBackend : public platform::HeadlessBackend {
public:
    using HeadlessBackend::HeadlessBackend;
    void OnWindowEvent(const platform::WindowEvent& event) override {
        events.push_back(event);
        HeadlessBackend::OnWindowEvent(event);
    }
    void Wake() override { ++wakes; }
    std::vector<platform::WindowEvent> events;
    int wakes = 0;
};

class BackendContractTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto backend = std::make_unique<RecordingBackend>();
        backend_ = backend.get();
        platform::SetDialogBackend(std::move(backend));
    }
    // The events of `kind` since the last call, in order.
    std::vector<platform::WindowEvent> Take(WindowEventKind kind) {
        std::vector<platform::WindowEvent> found;
        for (const auto& event : backend_->events)
            if (event.kind == kind) found.push_back(event);
        return found;
    }
    platform::ModuleScope scope_{ContractModule()};
    RecordingBackend* backend_ = nullptr;
};

TEST_F(BackendContractTest, WindowsAreCreatedAndDestroyedByHandleEvenWithoutCaption) {
    platform::Dialog first(kFormId);
    platform::Dialog second(kFormId);
    ASSERT_TRUE(first.Create());
    ASSERT_TRUE(second.Create());
    const auto created = Take(WindowEventKind::Created);
    ASSERT_EQ(created.size(), 2u);
    EXPECT_EQ(created[0].handle, first.Handle());
    EXPECT_EQ(created[1].handle, second.Handle());
    EXPECT_EQ(created[0].rect, first.Rect());
    const platform::WindowHandle secondHandle = second.Handle();
    second.DestroyWindow();
    const auto destroyed = Take(WindowEventKind::Destroyed);
    ASSERT_EQ(destroyed.size(), 1u);
    EXPECT_EQ(destroyed[0].handle, secondHandle);
    EXPECT_EQ(destroyed[0].value, platform::kDestroyedByProgram);
}

TEST_F(BackendContractTest, AModalRunEndsWithItsWindowDestroyedButNoDestroyLine) {
    platform::Dialog dialog(kFormId);
    EXPECT_EQ(dialog.DoModal(), platform::kResultCancel);  // no script: cancelled at once
    const auto destroyed = Take(WindowEventKind::Destroyed);
    ASSERT_EQ(destroyed.size(), 1u);
    EXPECT_EQ(destroyed[0].value, 0);
    EXPECT_EQ(backend_->TranscriptLines(),
              (std::vector<std::string>{R"(show "")", R"(script-end "")", R"(end "" Cancel)"}));
}

// Each change made from code, the event it gives, and what it carries. Setting a state the
// control already has gives nothing.
TEST_F(BackendContractTest, EveryChangeFromCodeIsReportedOnceWithTheControlsIdentifier) {
    platform::Dialog dialog(kFormId);
    ASSERT_TRUE(dialog.Create());
    auto& name = dialog.Item<platform::Edit>(kIdName);
    auto& flag = dialog.Item<platform::CheckBox>(kIdFlag);
    auto& list = dialog.Item<platform::ListBox>(kIdList);
    auto& pick = dialog.Item<platform::ComboBox>(kIdPick);
    auto& view = dialog.Item<platform::ListView>(kIdView);
    auto& bar = dialog.Item<platform::ProgressBar>(kIdBar);
    auto& grid = dialog.Item<gridwidget::GridCtrl>(kIdGrid);
    struct Case {
        const char* what;
        std::function<void()> change;
        WindowEventKind kind;
        int controlId;
        int value, row, column;
        std::string text;
    };
    const Case cases[] = {
        {"disable", [&] { name.Enable(false); }, WindowEventKind::ControlEnabled, kIdName, 0, 0, 0,
         ""},
        {"hide", [&] { name.Show(false); }, WindowEventKind::ControlShown, kIdName, 0, 0, 0, ""},
        {"edit text", [&] { name.SetText("abc"); }, WindowEventKind::TextSet, kIdName, 0, 0, 0,
         "abc"},
        {"check", [&] { flag.SetChecked(true); }, WindowEventKind::CheckChanged, kIdFlag, 1, 0, 0,
         ""},
        {"list entry", [&] { list.Entries().Insert(-1, "one"); }, WindowEventKind::EntryInserted,
         kIdList, 0, 0, 0, "one"},
        {"list selection", [&] { list.Entries().Select(0); }, WindowEventKind::EntrySelected,
         kIdList, 0, 0, 0, ""},
        {"list cleared", [&] { list.Entries().Clear(); }, WindowEventKind::EntriesCleared, kIdList,
         0, -1, 0, ""},
        {"drop-down entry", [&] { pick.Insert(-1, "7"); }, WindowEventKind::EntryInserted, kIdPick,
         0, 0, 0, "7"},
        {"drop-down selection", [&] { pick.Select(0); }, WindowEventKind::EntrySelected, kIdPick, 0,
         0, 0, ""},
        {"column",
         [&] {
             view.InsertColumn(0, {"Name", 80});
         },
         WindowEventKind::ColumnInserted, kIdView, 80, 0, 0, "Name"},
        {"item", [&] { view.Items().Insert(-1, "row"); }, WindowEventKind::EntryInserted, kIdView,
         0, 0, 0, "row"},
        {"range", [&] { bar.SetRange(0, 10); }, WindowEventKind::ProgressRangeChanged, kIdBar, 0, 0,
         0, ""},
        {"rows", [&] { grid.SetRowCount(5); }, WindowEventKind::RowCountChanged, kIdGrid, 5, 0, 0,
         ""},
        {"columns", [&] { grid.SetColumnCount(3); }, WindowEventKind::ColumnCountChanged, kIdGrid,
         3, 0, 0, ""},
        {"fixed rows", [&] { grid.SetFixedRowCount(1); }, WindowEventKind::FixedRowsChanged,
         kIdGrid, 1, 0, 0, ""},
        {"fixed columns", [&] { grid.SetFixedColumnCount(1); },
         WindowEventKind::FixedColumnsChanged, kIdGrid, 1, 0, 0, ""},
        {"cell", [&] { grid.SetItemText(2, 1, "x"); }, WindowEventKind::CellTextChanged, kIdGrid, 0,
         2, 1, "x"},
        {"focus cell", [&] { grid.SetFocusCell(3, 2); }, WindowEventKind::FocusCellChanged, kIdGrid,
         0, 3, 2, ""},
        {"cells cleared", [&] { grid.ClearNonFixedCells(); }, WindowEventKind::CellsCleared,
         kIdGrid, 0, 0, 0, ""},
        {"numbered headers", [&] { grid.SetNumberedHeaders(true); },
         WindowEventKind::HeaderNumbersChanged, kIdGrid, 1, 0, 0, ""},
    };
    for (const Case& c : cases) {
        backend_->events.clear();
        c.change();
        ASSERT_EQ(backend_->events.size(), 1u) << c.what;
        const platform::WindowEvent& event = backend_->events[0];
        EXPECT_EQ(event.kind, c.kind) << c.what;
        EXPECT_EQ(event.handle, dialog.Handle()) << c.what;
        EXPECT_EQ(event.controlId, c.controlId) << c.what;
        EXPECT_EQ(event.value, c.value) << c.what;
        EXPECT_EQ(event.row, c.row) << c.what;
        EXPECT_EQ(event.column, c.column) << c.what;
        EXPECT_EQ(event.text, c.text) << c.what;
        backend_->events.clear();
        c.change();  // the same again changes nothing
        EXPECT_TRUE(backend_->events.empty() || c.kind == WindowEventKind::EntryInserted ||
                    c.kind == WindowEventKind::ColumnInserted)
            << c.what;
    }
    // None of these reaches the transcript, which shows what it always showed.
    EXPECT_TRUE(backend_->TranscriptLines().empty());
}

TEST_F(BackendContractTest, ShrinkingAGridReportsTheFocusCellThatFellOutside) {
    platform::Dialog dialog(kFormId);
    ASSERT_TRUE(dialog.Create());
    auto& grid = dialog.Item<gridwidget::GridCtrl>(kIdGrid);
    grid.SetRowCount(4);
    grid.SetColumnCount(4);
    grid.SetFocusCell(3, 3);
    backend_->events.clear();
    grid.SetRowCount(2);
    const auto focus = Take(WindowEventKind::FocusCellChanged);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].row, -1);
    EXPECT_EQ(focus[0].column, -1);
}

TEST_F(BackendContractTest, PostingAndTimersWakeTheBackend) {
    platform::Dialog dialog(kFormId);
    ASSERT_TRUE(dialog.Create());
    dialog.PostMessage(1);
    EXPECT_EQ(backend_->wakes, 1);
    dialog.SetTimer(1, 100);
    EXPECT_EQ(backend_->wakes, 2);
}

// Input a widget would feed: delivered to the control, its notification routed, refused while
// the control or the dialog cannot take it.
TEST_F(BackendContractTest, TypedInputReachesControlsThatTakeIt) {
    platform::Dialog dialog(kFormId);
    ASSERT_TRUE(dialog.Create());
    dialog.Show(true);
    auto& grid = dialog.Item<gridwidget::GridCtrl>(kIdGrid);
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    dialog.Item<platform::ListBox>(kIdList).Entries().Insert(-1, "one");
    const auto input = [](InputKind kind, int control, std::string text = {}, int index = -1,
                          int row = -1, int column = -1) {
        return platform::UserInput{kind, control, std::move(text), index, row, column};
    };
    struct Case {
        const char* what;
        platform::UserInput input;
        bool accepted;
    } cases[] = {
        {"type", input(InputKind::TypeText, kIdName, "x"), true},
        {"toggle", input(InputKind::Toggle, kIdFlag), true},
        {"select", input(InputKind::SelectEntry, kIdList, {}, 0), true},
        {"select outside", input(InputKind::SelectEntry, kIdList, {}, 1), false},
        {"edit cell", input(InputKind::EditCell, kIdGrid, "2.5", -1, 1, 1), true},
        {"edit header", input(InputKind::EditCell, kIdGrid, "2.5", -1, 0, 1), false},
        {"click cell", input(InputKind::ClickCell, kIdGrid, {}, -1, 2, 2), true},
        {"press an edit", input(InputKind::Press, kIdName), false},
        {"no such control", input(InputKind::Press, 4242), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<bool>(dialog.Deliver(c.input)), c.accepted) << c.what;
    EXPECT_EQ(dialog.Item<platform::Edit>(kIdName).Text(), "x");
    EXPECT_TRUE(dialog.Item<platform::CheckBox>(kIdFlag).IsChecked());
    EXPECT_EQ(grid.ItemText(1, 1), "2.5");
    EXPECT_EQ(grid.FocusCell(), (gridwidget::CellId{2, 2}));
    dialog.Item<platform::Edit>(kIdName).Enable(false);
    EXPECT_FALSE(dialog.Deliver(input(InputKind::TypeText, kIdName, "y")));
    dialog.Show(false);
    EXPECT_FALSE(dialog.Deliver(input(InputKind::Toggle, kIdFlag)));
}

// The script's verbs as typed calls: the one translation both backends use.
TEST_F(BackendContractTest, ScriptVerbsTranslateToTypedInput) {
    platform::Dialog dialog(kFormId);
    ASSERT_TRUE(dialog.Create());
    dialog.Show(true);
    dialog.Item<platform::ComboBox>(kIdPick).Insert(-1, "a");
    dialog.Item<platform::ComboBox>(kIdPick).Insert(-1, "b");
    struct Case {
        const char* control;
        platform::UserAction action;
        InputKind kind;
        int index, row, column;
        std::string text;
    } cases[] = {
        {"go", {"press", {}}, InputKind::Press, -1, -1, -1, ""},
        {"flag", {"tick", {}}, InputKind::Toggle, -1, -1, -1, ""},
        {"name", {"type", {"t"}}, InputKind::TypeText, -1, -1, -1, "t"},
        {"pick", {"choose", {"b"}}, InputKind::SelectEntry, 1, -1, -1, ""},
        {"pick", {"select", {"0"}}, InputKind::SelectEntry, 0, -1, -1, ""},
        {"pick", {"type", {"c"}}, InputKind::TypeText, -1, -1, -1, "c"},
        {"grid", {"edit-cell", {"4", "2", "v"}}, InputKind::EditCell, -1, 4, 2, "v"},
        {"#1007", {"focus-cell", {"1", "+3"}}, InputKind::ClickCell, -1, 1, 3, ""},
    };
    for (const Case& c : cases) {
        const platform::ScriptInput translated =
            platform::TranslateDialogAction(dialog, c.control, c.action);
        ASSERT_TRUE(translated) << c.control << ": " << translated.Describe();
        ASSERT_TRUE(translated->has_value()) << c.control;
        EXPECT_EQ((*translated)->kind, c.kind) << c.control;
        EXPECT_EQ((*translated)->index, c.index) << c.control;
        EXPECT_EQ((*translated)->row, c.row) << c.control;
        EXPECT_EQ((*translated)->column, c.column) << c.control;
        EXPECT_EQ((*translated)->text, c.text) << c.control;
    }
    // Ticking a ticked box and clearing a clear one change nothing.
    dialog.Item<platform::CheckBox>(kIdFlag).SetChecked(true);
    EXPECT_FALSE(*platform::TranslateDialogAction(dialog, "flag", {"tick", {}}));
    EXPECT_TRUE(*platform::TranslateDialogAction(dialog, "flag", {"clear", {}}));
}

class OtherBackend : public platform::HeadlessBackend {};

TEST(BackendRegistryTest, BackendsAreChosenByNameAndAnUnknownNameFallsBackToHeadless) {
    platform::RegisterDialogBackend(
        "other", [](const platform::BackendSettings&) { return std::make_unique<OtherBackend>(); });
    EXPECT_NE(platform::MakeDialogBackend("other", {}), nullptr);
    EXPECT_NE(platform::MakeDialogBackend("headless", {}), nullptr);
    EXPECT_EQ(platform::MakeDialogBackend("nonesuch", {}), nullptr);
    testing::internal::CaptureStderr();
    EXPECT_NE(platform::ChooseDialogBackend("nonesuch", {}), nullptr);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("\"nonesuch\""), std::string::npos) << said;
    EXPECT_NE(said.find("headless, other"), std::string::npos) << said;
    platform::RegisterDialogBackend("other", nullptr);
    EXPECT_EQ(platform::MakeDialogBackend("other", {}), nullptr);
}

TEST(DialogUnitsTest, AMeasuredCellConvertsWithTheNativeRounding) {
    struct Case {
        platform::DialogRect units;
        platform::CharacterCell cell;
        platform::PixelRect pixels;
    } cases[] = {
        {{0, 0, 4, 8}, {6, 13}, {0, 0, 6, 13}},
        {{1, 1, 3, 3}, {6, 13}, {2, 2, 5, 5}},  // 1.5 and 1.625 round up, 4.5 and 4.875 too
        {{7, 4, 50, 14}, {7, 15}, {12, 8, 88, 26}},
        {{-2, 0, 0, 0}, {6, 13}, {-3, 0, 0, 0}},  // half away from zero
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::DialogUnitsToPixels(c.units, c.cell), c.pixels)
            << c.units.x << "," << c.units.y << " " << c.units.width << "x" << c.units.height;
    EXPECT_EQ(platform::DefaultCharacterCell({"MS Shell Dlg", 8}),
              (platform::CharacterCell{6, 13}));
}

}  // namespace
