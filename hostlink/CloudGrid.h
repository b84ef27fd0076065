// CApiCloudGrid: a regular depth grid over x and y built from a cloud of points; it averages the
// points' z into the nearest nodes and fills empty nodes along rows and columns. Add-ins share its
// layout (below) and read the nodes through `cells`.
#pragma once

#include <cstddef>

#include "hostlink/LinkExport.h"

#include "hostlink/ApiGeometry.h"
#include "hostlink/PointGrid.h"
#include "hostlink/PointList.h"

class RAVELINK_API CApiCloudGrid {
public:
    // An empty cloud without cells; columns = rows = -1, sizes and corners 0.
    CApiCloudGrid();
    // A deep copy: its own points and, for a grid that is set up, its own copy of the cells (a
    // grid that is not set up is copied without cells).
    CApiCloudGrid(const CApiCloudGrid& other);
    CApiCloudGrid& operator=(const CApiCloudGrid& other);
    // Removes all points and releases the cells.
    virtual ~CApiCloudGrid();

    // Adds a copy of `p` to the cloud; the grid must then be set up again. Always true.
    bool AddPoint(CApiPoint* p);
    // (nx + 1) x (ny + 1) empty nodes from `low` to `high` (nodes on both boundaries). False,
    // nothing changed, for nx or ny below 2, null corners, or a node count that cannot be held.
    bool SetupGrid(int nx, int ny, CApiPoint* low, CApiPoint* high);
    // The node nearest to (x, y), clamped to the grid's edges, written to the non-null i and j.
    // 0, or -1 with a message when it lies outside the grid (the grid is not set up).
    int Calc_Grid_from_XY(double x, double y, int* i, int* j);
    // The cells index of node (i, j); -1 (no message) for a node outside the grid.
    int Calc_GridIndex(int i, int j);
    // The cells index of the node nearest to (x, y); -1 when either step fails.
    int Calc_GridIndex(double x, double y);
    int Calc_GridIndex(float x, float y);
    // The position of node (i, j), written to the non-null x and y; no range check.
    void Calc_XY_from_Grid(int i, int j, double* x, double* y);
    // Adds every point as a measured sample to its nearest node. False without cells or when the
    // grid is not set up (points were added since SetupGrid).
    bool CreateSurface();
    // Interpolates runs of unmeasured nodes between measured ones, rows first, then columns.
    // Always true.
    bool CreateGuessed();
    // As CreateGuessed, and extends each line's first and last measured values to its ends.
    // A line without any measured node is left for the other pass. Always true.
    bool CreateOutsideAndGuessed();
    // Reserved: returns true and writes nothing.
    bool CalcVolume(int, int, double*, double*, double*, double*);

    CApiPointLst points;
    CApiPointGrid* cells;
    int columns;
    int rows;
    double cellSizeX;
    double cellSizeY;
    CApiPoint lowCorner;
    CApiPoint highCorner;

private:
    [[nodiscard]] bool IsSetUp() const;
    void FillGaps(bool extendEdges);
};

// The layout add-ins rely on: a vtable pointer, then the fields in declaration order.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(sizeof(CApiCloudGrid) == 280 && offsetof(CApiCloudGrid, points) == 8 &&
              offsetof(CApiCloudGrid, cells) == 184 && offsetof(CApiCloudGrid, columns) == 192 &&
              offsetof(CApiCloudGrid, rows) == 196 && offsetof(CApiCloudGrid, cellSizeX) == 200 &&
              offsetof(CApiCloudGrid, cellSizeY) == 208 &&
              offsetof(CApiCloudGrid, lowCorner) == 216 &&
              offsetof(CApiCloudGrid, highCorner) == 248);
#pragma GCC diagnostic pop
