// CApiCloudGrid: setting up, node lookup with its messages, gridding the cloud, gap filling in
// both forms, and copying.
#include "hostlink/CloudGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/MessageService.h"

namespace {

using Messages = std::vector<std::string>;

class CloudGridTest : public ::testing::Test {
protected:
    void SetUp() override { platform::ClearMessages(); }
    void TearDown() override { platform::ClearMessages(); }

    // nx x ny intervals from (0, 0) to (width, height).
    static void Setup(CApiCloudGrid& grid, int nx, int ny, double width, double height) {
        CApiPoint low{0, 0, 0, 0};
        CApiPoint high{0, width, height, 0};
        ASSERT_TRUE(grid.SetupGrid(nx, ny, &low, &high));
    }

    static CApiPointGrid& Node(CApiCloudGrid& grid, int i, int j) {
        return grid.cells[grid.Calc_GridIndex(i, j)];
    }

    // The depths of row j, 0 for nodes without a value.
    static std::vector<double> RowDepths(CApiCloudGrid& grid, int j) {
        std::vector<double> depths;
        for (int i = 0; i < grid.columns; ++i) depths.push_back(Node(grid, i, j).GetDepth());
        return depths;
    }

    static std::vector<int> RowFlags(CApiCloudGrid& grid, int j) {
        std::vector<int> flags;
        for (int i = 0; i < grid.columns; ++i) flags.push_back(Node(grid, i, j).GetFlag());
        return flags;
    }

    // 11 x 3 nodes, 10 apart; row 0 measured at node 2 (depth 1) and node 6 (depth 5).
    static void TwoMeasuredInRowZero(CApiCloudGrid& grid) {
        for (CApiPoint p : {CApiPoint{0, 20, 0, 1}, CApiPoint{0, 60, 0, 5}}) grid.AddPoint(&p);
        Setup(grid, 10, 2, 100, 20);
        ASSERT_TRUE(grid.CreateSurface());
    }
};

TEST_F(CloudGridTest, SetupGridNeedsTwoIntervalsEachWay) {
    CApiCloudGrid grid;
    CApiPoint low{5, 0, 0, 0};
    CApiPoint high{6, 100, 50, 0};
    ASSERT_TRUE(grid.SetupGrid(10, 5, &low, &high));
    EXPECT_EQ(grid.columns, 11);
    EXPECT_EQ(grid.rows, 6);
    EXPECT_EQ(grid.cellSizeX, 10);
    EXPECT_EQ(grid.cellSizeY, 10);
    EXPECT_EQ(grid.lowCorner.flag, 5);
    EXPECT_EQ(grid.highCorner.flag, 6);
    CApiPointGrid* const cells = grid.cells;

    struct Refused {
        int nx;
        int ny;
        bool corners;
    };
    const Refused refused[] = {{1, 5, true},
                               {5, 1, true},
                               {-3, 5, true},
                               {5, 5, false},
                               {std::numeric_limits<int>::max(), 2, true},
                               {70000, 70000, true}};
    for (const Refused& r : refused) {
        EXPECT_FALSE(grid.SetupGrid(r.nx, r.ny, r.corners ? &low : nullptr, &high)) << r.nx;
        EXPECT_EQ(grid.cells, cells) << r.nx;
        EXPECT_EQ(grid.columns, 11) << r.nx;
        EXPECT_EQ(grid.rows, 6) << r.nx;
    }
}

TEST_F(CloudGridTest, NearestNodeRoundsHalvesUpAndClampsToTheEdges) {
    CApiCloudGrid grid;
    Setup(grid, 10, 5, 100, 50);
    struct Case {
        double x;
        double y;
        int i;
        int j;
    };
    const Case cases[] = {{14.9, 24.9, 1, 2}, {15, 25, 2, 3},   {-3, -0.1, 0, 0},
                          {120, 60, 10, 5},   {100, 50, 10, 5}, {0, 0, 0, 0}};
    for (const Case& c : cases) {
        int i = -7;
        int j = -7;
        EXPECT_EQ(grid.Calc_Grid_from_XY(c.x, c.y, &i, &j), 0) << c.x;
        EXPECT_EQ(i, c.i) << c.x;
        EXPECT_EQ(j, c.j) << c.y;
        EXPECT_EQ(grid.Calc_GridIndex(c.x, c.y), c.i + c.j * 11) << c.x;
        EXPECT_EQ(grid.Calc_GridIndex(static_cast<float>(c.x), static_cast<float>(c.y)),
                  c.i + c.j * 11)
            << c.x;
    }
    EXPECT_TRUE(platform::ShownMessages().empty());
}

TEST_F(CloudGridTest, LookupOnAGridThatIsNotSetUpSaysSo) {
    CApiCloudGrid grid;
    int i = 0;
    int j = 0;
    EXPECT_EQ(grid.Calc_Grid_from_XY(5, 5, &i, &j), -1);
    EXPECT_EQ(grid.Calc_GridIndex(5.0, 5.0), -1);
    EXPECT_EQ(platform::ShownMessages(),
              Messages(2, "Error: Outside the boundries\n-2 > -1 - -2 > -1"));
}

// Guards against converting a coordinate that is not a number into an index (undefined).
TEST_F(CloudGridTest, CoordinateThatIsNotANumberHasNoNode) {
    CApiCloudGrid grid;
    Setup(grid, 10, 5, 100, 50);
    EXPECT_EQ(grid.Calc_GridIndex(std::nan(""), 0.0), -1);
    EXPECT_EQ(platform::ShownMessages(), Messages{"Error: Outside the boundries\n-1 > 11 - 0 > 6"});
}

// Guards against 0 / 0 on a grid whose corners share an x.
TEST_F(CloudGridTest, GridCollapsedAlongOneAxisStillFindsItsNodes) {
    CApiCloudGrid grid;
    CApiPoint low{0, 5, 0, 0};
    CApiPoint high{0, 5, 10, 0};
    ASSERT_TRUE(grid.SetupGrid(2, 2, &low, &high));
    EXPECT_EQ(grid.Calc_GridIndex(5.0, 10.0), 6);
    EXPECT_TRUE(platform::ShownMessages().empty());
}

TEST_F(CloudGridTest, IndexOfANodeOutsideTheGridIsRefusedQuietly) {
    CApiCloudGrid grid;
    Setup(grid, 10, 5, 100, 50);
    struct Case {
        int i;
        int j;
        int index;
    };
    const Case cases[] = {{0, 0, 0},   {10, 5, 65}, {3, 2, 25},  {-1, 0, -1},
                          {11, 0, -1}, {0, 6, -1},  {0, -1, -1}, {-1, -1, -1}};
    for (const Case& c : cases) EXPECT_EQ(grid.Calc_GridIndex(c.i, c.j), c.index) << c.i << c.j;
    EXPECT_TRUE(platform::ShownMessages().empty());
}

TEST_F(CloudGridTest, CreateSurfaceAveragesThePointsOfANode) {
    CApiCloudGrid grid;
    for (CApiPoint p :
         {CApiPoint{0, 21, 29, 3}, CApiPoint{0, 19, 31, 5}, CApiPoint{0, 250, -40, 8}})
        grid.AddPoint(&p);
    Setup(grid, 10, 5, 100, 50);
    ASSERT_TRUE(grid.CreateSurface());
    EXPECT_EQ(Node(grid, 2, 3).GetDepth(), 4);
    EXPECT_EQ(Node(grid, 2, 3).GetFlag(), 1);
    EXPECT_EQ(Node(grid, 10, 0).GetDepth(), 8);  // clamped onto the corner node
    ASSERT_TRUE(grid.CreateSurface());
    EXPECT_EQ(Node(grid, 2, 3).sampleCount, 4);
    EXPECT_EQ(Node(grid, 2, 3).GetDepth(), 4);
}

// Guards against one message box per point when the grid went stale after AddPoint.
TEST_F(CloudGridTest, CreateSurfaceRefusesAStaleGrid) {
    CApiCloudGrid grid;
    EXPECT_FALSE(grid.CreateSurface());  // no cells yet
    Setup(grid, 10, 5, 100, 50);
    for (int k = 0; k < 100; ++k) {
        CApiPoint p{0, k * 1.0, 0, 1};
        EXPECT_TRUE(grid.AddPoint(&p));
    }
    EXPECT_EQ(grid.columns, -1);
    EXPECT_EQ(grid.rows, -1);
    EXPECT_FALSE(grid.CreateSurface());
    EXPECT_TRUE(platform::ShownMessages().empty());
}

TEST_F(CloudGridTest, CreateGuessedInterpolatesBetweenMeasuredNodesOnly) {
    CApiCloudGrid grid;
    TwoMeasuredInRowZero(grid);
    ASSERT_TRUE(grid.CreateGuessed());
    EXPECT_EQ(RowDepths(grid, 0), (std::vector<double>{0, 0, 1, 2, 3, 4, 5, 0, 0, 0, 0}));
    EXPECT_EQ(RowFlags(grid, 0), (std::vector<int>{0, 0, 1, 2, 2, 2, 1, 0, 0, 0, 0}));
    for (int j : {1, 2}) EXPECT_EQ(RowFlags(grid, j), std::vector<int>(11, 0));
}

TEST_F(CloudGridTest, CreateOutsideAndGuessedExtendsTheEdgeValues) {
    CApiCloudGrid grid;
    TwoMeasuredInRowZero(grid);
    ASSERT_TRUE(grid.CreateOutsideAndGuessed());
    EXPECT_EQ(RowDepths(grid, 0), (std::vector<double>{1, 1, 1, 2, 3, 4, 5, 5, 5, 5, 5}));
    EXPECT_EQ(RowFlags(grid, 0), (std::vector<int>{4, 4, 1, 2, 2, 2, 1, 4, 4, 4, 4}));
    // Columns 2 and 6 carry their measured node downwards.
    for (int j : {1, 2}) {
        EXPECT_EQ(RowDepths(grid, j), (std::vector<double>{0, 0, 1, 0, 0, 0, 5, 0, 0, 0, 0}));
        EXPECT_EQ(RowFlags(grid, j), (std::vector<int>{0, 0, 4, 0, 0, 0, 4, 0, 0, 0, 0}));
    }
}

// Guards against the scan's start value 999999.999 being written into a line that has no
// measured node: such lines are left for the other pass.
TEST_F(CloudGridTest, LineWithoutMeasuredNodesIsLeftForTheOtherPass) {
    CApiCloudGrid grid;
    Setup(grid, 4, 4, 40, 40);
    Node(grid, 2, 2).OverWriteDepth(1, 7);
    ASSERT_TRUE(grid.CreateOutsideAndGuessed());
    for (int j = 0; j < grid.rows; ++j) {
        for (int i = 0; i < grid.columns; ++i) {
            const CApiPointGrid& node = Node(grid, i, j);
            const bool reached = i == 2 || j == 2;
            EXPECT_EQ(node.GetDepth(), reached ? 7 : 0) << i << "," << j;
            EXPECT_EQ(node.sampleCount, reached ? 1 : 0) << i << "," << j;
        }
    }
}

TEST_F(CloudGridTest, NodeReachedByBothPassesKeepsTheHigherInterpolation) {
    struct Case {
        double columnEnds;
        double depth;
        int flag;
    };
    // The row pass gives the middle node 2 (from 1 and 3 beside it).
    for (const Case& c : {Case{3, 3, 2}, Case{1, 2, 2}}) {
        CApiCloudGrid grid;
        Setup(grid, 2, 2, 2, 2);
        Node(grid, 0, 1).OverWriteDepth(1, 1);
        Node(grid, 2, 1).OverWriteDepth(1, 3);
        Node(grid, 1, 0).OverWriteDepth(1, c.columnEnds - 2);
        Node(grid, 1, 2).OverWriteDepth(1, c.columnEnds + 2);
        ASSERT_TRUE(grid.CreateGuessed());
        EXPECT_EQ(Node(grid, 1, 1).GetDepth(), c.depth) << c.columnEnds;
        EXPECT_EQ(Node(grid, 1, 1).GetFlag(), c.flag) << c.columnEnds;
    }
}

TEST_F(CloudGridTest, FillingRespectsTheReplaceRule) {
    CApiCloudGrid grid;
    Setup(grid, 4, 2, 4, 2);
    for (int i : {0, 4}) Node(grid, i, 0).OverWriteDepth(1, 10);
    Node(grid, 1, 0).OverWriteDepth(8, 50);  // free for any value
    Node(grid, 2, 0).OverWriteDepth(0, 50);  // a caller's higher value stays
    Node(grid, 3, 0).OverWriteDepth(0, 5);   // a lower one is replaced
    ASSERT_TRUE(grid.CreateGuessed());
    EXPECT_EQ(RowDepths(grid, 0), (std::vector<double>{10, 10, 50, 10, 10}));
    EXPECT_EQ(RowFlags(grid, 0), (std::vector<int>{1, 2, 0, 2, 1}));
}

TEST_F(CloudGridTest, GridWithoutCellsReportsOnceWhenFilled) {
    CApiCloudGrid grid;
    grid.columns = 1000;
    grid.rows = 1000;
    EXPECT_TRUE(grid.CreateGuessed());
    EXPECT_EQ(platform::ShownMessages(), Messages{" CApiCloudGrid: Error Getting Grid 0 0"});
}

// Guards against a member-wise copy sharing the cells and the points (freed twice).
TEST_F(CloudGridTest, CopiesOwnTheirCellsAndPoints) {
    CApiCloudGrid original;
    TwoMeasuredInRowZero(original);
    CApiCloudGrid copy(original);
    CApiCloudGrid assigned;
    Setup(assigned, 3, 3, 1, 1);
    assigned = original;
    for (CApiCloudGrid* grid : {&copy, &assigned}) {
        ASSERT_NE(grid->cells, nullptr);
        EXPECT_NE(grid->cells, original.cells);
        EXPECT_EQ(grid->columns, 11);
        EXPECT_EQ(RowDepths(*grid, 0), RowDepths(original, 0));
        EXPECT_EQ(grid->points.Get_Count(), 2);
        grid->CreateOutsideAndGuessed();
        grid->points.removeall();
    }
    EXPECT_EQ(Node(original, 0, 0).GetFlag(), 0);
    EXPECT_EQ(original.points.Get_Count(), 2);

    CApiPoint extra{0, 1, 1, 1};
    original.AddPoint(&extra);
    CApiCloudGrid stale(original);
    EXPECT_EQ(stale.cells, nullptr);
    EXPECT_EQ(stale.points.Get_Count(), 3);
    EXPECT_FALSE(stale.CreateSurface());
}

}  // namespace
