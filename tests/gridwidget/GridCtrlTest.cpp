// The editable grid's contract, alone and inside a dialog driven by a session script.
#include "gridwidget/GridCtrl.h"

#include <gtest/gtest.h>

#include "platform/dialog/Dialog.h"
#include "platform/dialog/Module.h"
#include "tests/platform/HeadlessSession.h"

namespace {

using gridwidget::CellId;
using gridwidget::GridCtrl;

constexpr int kGridDialogId = 300;
constexpr int kIdGrid = 1100;

GridCtrl MakeGrid() {
    return GridCtrl(
        platform::MakeCustomControl(gridwidget::kGridClassName, kIdGrid, "grid", {7, 7, 300, 200}));
}

TEST(GridCtrlTest, TextInsideAndOutsideTheGrid) {
    GridCtrl grid = MakeGrid();
    ASSERT_TRUE(grid.SetRowCount(5));
    ASSERT_TRUE(grid.SetColumnCount(6));
    EXPECT_TRUE(grid.SetItemText(4, 5, "  12.500"));
    EXPECT_EQ(grid.ItemText(4, 5), "  12.500");
    struct Case {
        int row, column;
    } outside[] = {{5, 0}, {0, 6}, {-1, 0}, {0, -1}, {-1, -1}, {1 << 30, 1}};
    for (const Case& c : outside) {
        EXPECT_FALSE(grid.SetItemText(c.row, c.column, "x")) << c.row << "," << c.column;
        EXPECT_EQ(grid.ItemText(c.row, c.column), "") << c.row << "," << c.column;
    }
    EXPECT_EQ(grid.ItemText(1, 1), "");  // inside, never set
}

TEST(GridCtrlTest, FixedRowsAndColumnsAreHeaders) {
    GridCtrl grid = MakeGrid();
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    EXPECT_TRUE(grid.IsFixed(0, 2));
    EXPECT_TRUE(grid.IsFixed(2, 0));
    EXPECT_FALSE(grid.IsFixed(1, 1));
    EXPECT_FALSE(grid.IsFixed(3, 3));  // outside is neither fixed nor editable
    // The program writes header texts; only the user is kept out of them.
    EXPECT_TRUE(grid.SetItemText(0, 1, "1"));
    EXPECT_EQ(grid.ItemText(0, 1), "1");
    EXPECT_FALSE(grid.SetFixedRowCount(-1));
    EXPECT_TRUE(grid.SetFixedRowCount(4));
    EXPECT_EQ(grid.RowCount(), 4);  // grows to hold its fixed rows
}

TEST(GridCtrlTest, FocusCellIsNoneOutsideTheGrid) {
    GridCtrl grid = MakeGrid();
    EXPECT_EQ(grid.FocusCell(), (CellId{-1, -1}));
    grid.SetRowCount(4);
    grid.SetColumnCount(4);
    grid.SetFocusCell(1, 1);
    EXPECT_EQ(grid.FocusCell(), (CellId{1, 1}));
    grid.SetFocusCell(9, 1);
    EXPECT_EQ(grid.FocusCell(), (CellId{-1, -1}));
    grid.SetFocusCell(3, 3);
    // Shrinking the grid must not leave a focus cell that no longer exists.
    grid.SetRowCount(2);
    EXPECT_EQ(grid.FocusCell(), (CellId{-1, -1}));
}

TEST(GridCtrlTest, ShrinkingDropsCellsSoRegrowingShowsThemEmpty) {
    GridCtrl grid = MakeGrid();
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    grid.SetItemText(2, 2, "gone");
    grid.SetItemText(1, 1, "kept");
    grid.SetRowCount(2);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.ItemText(2, 2), "");
    EXPECT_EQ(grid.ItemText(1, 1), "kept");
    EXPECT_FALSE(grid.SetRowCount(-1));
    EXPECT_EQ(grid.RowCount(), 3);
}

TEST(GridCtrlTest, DeleteAllItemsRemovesEverything) {
    GridCtrl grid = MakeGrid();
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetItemText(1, 1, "x");
    grid.SetFocusCell(1, 1);
    grid.DeleteAllItems();
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.ColumnCount(), 0);
    EXPECT_EQ(grid.FixedRowCount(), 0);
    EXPECT_EQ(grid.StoredCellCount(), 0u);
    EXPECT_EQ(grid.FocusCell(), (CellId{-1, -1}));
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    EXPECT_EQ(grid.ItemText(1, 1), "");
}

// A table definition with a typo can ask for a million rows: only cells with text cost memory.
TEST(GridCtrlTest, AHugeMostlyEmptyGridStaysSmall) {
    GridCtrl grid = MakeGrid();
    ASSERT_TRUE(grid.SetRowCount(1'000'001));
    ASSERT_TRUE(grid.SetColumnCount(9));
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetItemText(1'000'000, 8, "last");
    grid.SetItemText(500'000, 4, "middle");
    grid.SetItemText(500'000, 4, "");  // emptied: no longer stored
    EXPECT_EQ(grid.StoredCellCount(), 1u);
    EXPECT_EQ(grid.ItemText(1'000'000, 8), "last");
    EXPECT_EQ(grid.ItemText(999'999, 8), "");
}

// Headers numbered on demand: a grid of two billion rows gets its row numbers without a cell
// stored per row.
TEST(GridCtrlTest, NumberedHeadersReadTheirNumbersUnlessGivenText) {
    GridCtrl grid = MakeGrid();
    grid.SetRowCount(2'000'000'001);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetNumberedHeaders(true);
    grid.SetItemText(0, 2, "B");
    struct Case {
        int row, column;
        const char* text;
    } cases[] = {
        {0, 0, ""},                        // the corner
        {0, 3, "3"},                       // fixed row: the column's number
        {2'000'000'000, 0, "2000000000"},  // fixed column: the row's number
        {0, 2, "B"},                       // text of its own wins
        {1, 1, ""},                        // not a header
        {0, 4, ""},                        // outside
    };
    for (const Case& c : cases)
        EXPECT_EQ(grid.ItemText(c.row, c.column), c.text) << c.row << "," << c.column;
    EXPECT_EQ(grid.StoredCellCount(), 1u);
    grid.SetItemText(0, 2, "");
    EXPECT_EQ(grid.ItemText(0, 2), "2");
    grid.SetNumberedHeaders(false);
    EXPECT_EQ(grid.ItemText(0, 3), "");
}

TEST(GridCtrlTest, ClearingNonFixedCellsKeepsTheHeaders) {
    GridCtrl grid = MakeGrid();
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (const auto& [row, column] : {std::pair{0, 1}, {1, 0}, {1, 1}, {2, 2}})
        grid.SetItemText(row, column, "x");
    grid.ClearNonFixedCells();
    EXPECT_EQ(grid.ItemText(0, 1), "x");
    EXPECT_EQ(grid.ItemText(1, 0), "x");
    EXPECT_EQ(grid.ItemText(1, 1), "");
    EXPECT_EQ(grid.StoredCellCount(), 2u);
}

TEST(GridCtrlTest, SelectionModeIsCellOrRow) {
    GridCtrl grid = MakeGrid();
    grid.SetSelectionMode(gridwidget::SelectionMode::Cell);
    EXPECT_EQ(grid.GetSelectionMode(), gridwidget::SelectionMode::Cell);
}

// A dialog holding a grid; records the user's edits.
class GridDialog : public platform::Dialog {
public:
    GridDialog() : Dialog(kGridDialogId) {
        OnCommand(kIdGrid, platform::Notification::EndEdit, [this] {
            const CellId cell = Grid().FocusCell();
            edits.push_back(std::to_string(cell.row) + "," + std::to_string(cell.column) + "=" +
                            Grid().ItemText(cell.row, cell.column));
        });
    }
    GridCtrl& Grid() const { return Item<GridCtrl>(kIdGrid); }
    std::vector<std::string> edits;
    CellId focusAtEnd;

protected:
    bool OnInitDialog() override {
        GridCtrl& grid = Grid();
        grid.SetRowCount(3);
        grid.SetColumnCount(4);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetItemText(1, 1, "   1.000");
        grid.RedrawNow();
        return true;
    }
    void OnOK() override {
        focusAtEnd = Grid().FocusCell();
        EndDialog(platform::kResultOk);
    }
};

platform::Module& GridModule() {
    static platform::Module& module = []() -> platform::Module& {
        gridwidget::RegisterGridControlClass();
        platform::Module& grids = platform::DefineModule("GridTests");
        platform::DialogTemplate face;
        face.id = kGridDialogId;
        face.caption = "Grid";
        face.controls = {
            platform::MakeCustomControl(gridwidget::kGridClassName, kIdGrid, "grid",
                                        {7, 7, 300, 200}),
            platform::MakeControl(platform::ControlKind::PushButton, platform::kIdOk, "ok", "OK",
                                  {7, 210, 50, 14}),
        };
        grids.AddTemplate(face);
        return grids;
    }();
    return module;
}

class GridDialogTest : public HeadlessSessionTest {};

TEST_F(GridDialogTest, UserEditsNonFixedCellsInPlace) {
    platform::ModuleScope guard(GridModule());
    Play(R"(edit-cell grid 1 1 "2.5"
edit-cell grid 2 3 ""
focus-cell grid 2 2
press ok
)");
    GridDialog dialog;
    EXPECT_EQ(dialog.DoModal(), platform::kResultOk);
    EXPECT_EQ(dialog.edits, (std::vector<std::string>{"1,1=2.5", "2,3="}));
    EXPECT_EQ(dialog.focusAtEnd, (CellId{2, 2}));
    EXPECT_EQ(Transcript(), (Lines{"redraw \"Grid\" grid", "show \"Grid\"", "end \"Grid\" OK"}));
}

TEST_F(GridDialogTest, UserCannotEditHeadersOrCellsOutside) {
    struct Case {
        const char* action;
        const char* error;
    } cases[] = {
        {"edit-cell grid 0 1 x", "cell (0, 1) of grid \\\"grid\\\" is a fixed header cell"},
        {"focus-cell grid 1 0", "cell (1, 0) of grid \\\"grid\\\" is a fixed header cell"},
        {"edit-cell grid 3 1 x", "cell (3, 1) is outside grid \\\"grid\\\" of 3 x 4"},
        {"press grid", "grid \\\"grid\\\" does not take 'press'"},
    };
    for (const Case& c : cases) {
        platform::ResetDialogSystem();
        platform::ModuleScope guard(GridModule());
        Play(std::string(c.action) + "\npress ok\n");
        GridDialog dialog;
        EXPECT_EQ(dialog.DoModal(), platform::kResultCancel) << c.action;
        EXPECT_TRUE(dialog.edits.empty());
        EXPECT_EQ(Transcript().at(2), std::string("script-error \"line 1: ") + c.error + "\"");
    }
}

TEST_F(GridDialogTest, AnUnregisteredControlClassFailsTheDialogClearly) {
    platform::Module& module = platform::DefineModule("GridTestsUnregistered");
    if (module.FindTemplate(1) == nullptr) {
        platform::DialogTemplate face;
        face.id = 1;
        face.caption = "Broken";
        face.controls = {platform::MakeCustomControl("NoSuchGrid", 5, "g", {0, 0, 9, 9})};
        module.AddTemplate(face);
    }
    platform::ModuleScope guard(module);
    Play("");
    platform::Dialog dialog(1);
    EXPECT_EQ(dialog.DoModal(), platform::kResultFailed);
    EXPECT_EQ(dialog.CreationError(),
              "control class \"NoSuchGrid\" of control \"g\" is not registered");
}

}  // namespace
