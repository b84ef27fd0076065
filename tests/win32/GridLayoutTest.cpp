// The native grid's layout: which cell a point falls on, where a cell lies, how the body
// scrolls, for grids from empty to two billion rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <optional>

#include "platform/win32/GridLayout.h"

namespace {

using platform::GridCell;
using win32::GridLayout;

// 10 rows x 5 columns, one header row and column, cells 50 x 20 in a view of 200 x 100: the
// view shows the header row and four body rows, the header column and three body columns.
GridLayout SmallGrid() {
    GridLayout layout;
    layout.SetCellSize(50, 20);
    layout.SetViewSize(200, 100);
    layout.SetCounts(10, 5, 1, 1);
    return layout;
}

TEST(GridLayoutTest, PointsFallOnTheCellsUnderThem) {
    struct Case {
        int x, y;
        std::optional<GridCell> cell;
    };
    const Case cases[] = {
        {0, 0, GridCell{0, 0}},     // the corner header
        {49, 19, GridCell{0, 0}},   // its last pixel
        {50, 20, GridCell{1, 1}},   // the first body cell
        {199, 99, GridCell{4, 3}},  // the last cell shown
        {-1, 5, std::nullopt},      // left of the grid
        {5, -1, std::nullopt},      // above it
        {260, 5, std::nullopt},     // right of the last column
    };
    const GridLayout layout = SmallGrid();
    for (const Case& each : cases) {
        EXPECT_EQ(layout.CellAt(each.x, each.y), each.cell) << each.x << ", " << each.y;
    }
}

TEST(GridLayoutTest, ScrolledBodyCellsMoveAndHeadersStay) {
    GridLayout layout = SmallGrid();
    EXPECT_TRUE(layout.Reveal(9, 4));  // the last cell: rows 6-9 and columns 2-4 shown
    EXPECT_EQ(layout.Rows().First(), 6);
    EXPECT_EQ(layout.Columns().First(), 2);
    EXPECT_EQ(layout.CellAt(50, 20), (GridCell{6, 2}));
    EXPECT_EQ(layout.CellAt(10, 30), (GridCell{6, 0}));  // the header column stays
    EXPECT_EQ(layout.CellAt(60, 5), (GridCell{0, 2}));   // the header row too
    EXPECT_EQ(layout.CellPlace(9, 4), (platform::PixelRect{150, 80, 50, 20}));
    EXPECT_EQ(layout.CellPlace(0, 0), (platform::PixelRect{0, 0, 50, 20}));
    EXPECT_LT(layout.CellPlace(1, 1).top, 0);  // scrolled out above
}

TEST(GridLayoutTest, RevealScrollsOnlyWhenTheCellIsOutOfView) {
    struct Case {
        int row, column;
        bool moves;
        int firstRow;
    };
    const Case cases[] = {
        {2, 2, false, 1},   // shown already
        {4, 1, false, 1},   // the last body row shown
        {5, 1, true, 2},    // one below: one line down
        {0, 1, false, 1},   // a header row never scrolls
        {10, 1, false, 1},  // outside the grid
        {-1, 1, false, 1},
    };
    for (const Case& each : cases) {
        GridLayout layout = SmallGrid();
        EXPECT_EQ(layout.Reveal(each.row, each.column), each.moves) << each.row;
        EXPECT_EQ(layout.Rows().First(), each.firstRow) << each.row;
    }
}

TEST(GridLayoutTest, ScrollingStopsWithTheLastPageFull) {
    GridLayout layout = SmallGrid();
    for (const long long first : {-5LL, 0LL, 1LL, 6LL, 7LL, 1LL << 40}) {
        layout.Rows().ScrollTo(first);
        EXPECT_GE(layout.Rows().First(), 1) << first;
        EXPECT_LE(layout.Rows().First(), 6) << first;
    }
    layout.Rows().ScrollTo(6);
    layout.SetCounts(8, 5, 1, 1);  // fewer rows: the body scrolls back to stay full
    EXPECT_EQ(layout.Rows().First(), 4);
    layout.SetViewSize(200, 400);  // a view taller than the grid shows it from its first row
    EXPECT_EQ(layout.Rows().First(), 1);
}

// A mistyped post number makes a grid of two billion rows: its far rows are found and placed
// without overflow.
TEST(GridLayoutTest, TheLastOfTwoBillionRowsIsReachedAndPlacedExactly) {
    GridLayout layout = SmallGrid();
    layout.SetCounts(2'000'000'000, 3, 1, 1);
    EXPECT_TRUE(layout.Reveal(1'999'999'999, 1));
    EXPECT_EQ(layout.Rows().First(), 1'999'999'996);
    EXPECT_EQ(layout.CellPlace(1'999'999'999, 1).top, 80);
    EXPECT_EQ(layout.CellAt(60, 85), (GridCell{1'999'999'999, 1}));
    const int farAbove = layout.CellPlace(1, 1).top;
    EXPECT_LT(farAbove, -1'000'000);  // far out of view, not wrapped into it
    layout.Rows().ScrollTo(LLONG_MAX);
    EXPECT_EQ(layout.Rows().First(), 1'999'999'996);
}

TEST(GridLayoutTest, DegenerateShapesHaveNoBodyAndNoStrayCells) {
    struct Case {
        int rows, columns, fixedRows, fixedColumns;
        int fixedRowsKept;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0},   // empty
        {3, 2, 5, 0, 3},   // more header rows than rows: all rows are headers
        {-4, 2, 1, 1, 0},  // a negative count is none
        {1, 1, 1, 1, 1},   // only the corner
    };
    for (const Case& each : cases) {
        GridLayout layout = SmallGrid();
        layout.SetCounts(each.rows, each.columns, each.fixedRows, each.fixedColumns);
        EXPECT_EQ(layout.Rows().Fixed(), each.fixedRowsKept) << each.rows;
        EXPECT_FALSE(layout.IsBodyCell(0, 0)) << each.rows;
        EXPECT_FALSE(layout.Reveal(each.rows, 0)) << each.rows;
        EXPECT_LE(static_cast<int>(layout.Rows().Shown().size()), std::max(each.rows, 0))
            << each.rows;
        EXPECT_FALSE(layout.CellAt(199, 99).has_value()) << each.rows;
    }
}

TEST(GridLayoutTest, TheViewShowsHeadersThenTheBodyIncludingAPartLine) {
    GridLayout layout = SmallGrid();
    EXPECT_EQ(layout.Rows().Shown(), (std::vector<int>{0, 1, 2, 3, 4}));
    layout.SetViewSize(200, 110);  // half a row more
    EXPECT_EQ(layout.Rows().Shown(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(layout.Rows().BodyShown(), 4);  // whole rows only
    layout.SetViewSize(0, 0);
    EXPECT_TRUE(layout.Rows().Shown().empty());
    EXPECT_EQ(layout.Rows().BodyShown(), 1);  // a page is never empty
}

}  // namespace
