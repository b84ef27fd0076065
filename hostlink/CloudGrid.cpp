// The cloud grid: setting up the nodes, finding the node of a position, putting the cloud's
// points into their nodes, and copying. The gap filling is in CloudGridFill.cpp.
#include "hostlink/CloudGrid.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <new>

#include "hostlink/MessageText.h"
#include "hostlink/NoThrow.h"
#include "platform/MessageService.h"

namespace {

// The node along one axis nearest to `value`, clamped to the ends; -1 when there is none (a
// coordinate that is not a number, or an index beyond what an int holds).
int NodeAlong(double value, double low, double high, double size, int count) {
    if (value < low) return 0;
    if (value > high) return count - 1;
    const double offset = value - low;
    // Also the answer on a grid collapsed to one position, where the division would be 0 / 0.
    if (offset == 0.0) return 0;
    const double node = offset / size + 0.5;
    return node >= 0.0 && node < static_cast<double>(INT_MAX) ? static_cast<int>(node) : -1;
}

CApiPointGrid* CopyOfCells(const CApiPointGrid* cells, int count) {
    auto* copy = new CApiPointGrid[static_cast<std::size_t>(count)];
    std::copy(cells, cells + count, copy);
    return copy;
}

}  // namespace

CApiCloudGrid::CApiCloudGrid()
    : cells(nullptr),
      columns(-1),
      rows(-1),
      cellSizeX(0.0),
      cellSizeY(0.0),
      lowCorner{0, 0.0, 0.0, 0.0},
      highCorner{0, 0.0, 0.0, 0.0} {}

CApiCloudGrid::CApiCloudGrid(const CApiCloudGrid& other)
    : points(other.points),
      cells(other.IsSetUp() ? CopyOfCells(other.cells, other.columns * other.rows) : nullptr),
      columns(other.columns),
      rows(other.rows),
      cellSizeX(other.cellSizeX),
      cellSizeY(other.cellSizeY),
      lowCorner(other.lowCorner),
      highCorner(other.highCorner) {}

CApiCloudGrid& CApiCloudGrid::operator=(const CApiCloudGrid& other) {
    if (this == &other) return *this;
    // Copied before anything is replaced, so running out of memory leaves this grid whole.
    std::unique_ptr<CApiPointGrid[]> copiedCells(
        other.IsSetUp() ? CopyOfCells(other.cells, other.columns * other.rows) : nullptr);
    points = other.points;
    delete[] cells;
    cells = copiedCells.release();
    columns = other.columns;
    rows = other.rows;
    cellSizeX = other.cellSizeX;
    cellSizeY = other.cellSizeY;
    lowCorner = other.lowCorner;
    highCorner = other.highCorner;
    return *this;
}

CApiCloudGrid::~CApiCloudGrid() { delete[] cells; }

bool CApiCloudGrid::AddPoint(CApiPoint* p) {
    points.Add(p);
    columns = rows = -1;
    return true;
}

bool CApiCloudGrid::SetupGrid(int nx, int ny, CApiPoint* low, CApiPoint* high) {
    if (nx < 2 || ny < 2 || low == nullptr || high == nullptr) return false;
    // Node indices are ints, so the whole grid has to be countable in one.
    const long long nodeCount = (nx + 1LL) * (ny + 1LL);
    if (nodeCount > INT_MAX) return false;
    auto* fresh = new (std::nothrow) CApiPointGrid[static_cast<std::size_t>(nodeCount)];
    if (fresh == nullptr) return false;
    delete[] cells;
    cells = fresh;
    columns = nx + 1;
    rows = ny + 1;
    cellSizeX = (high->x - low->x) / nx;
    cellSizeY = (high->y - low->y) / ny;
    lowCorner = *low;
    highCorner = *high;
    return true;
}

int CApiCloudGrid::Calc_Grid_from_XY(double x, double y, int* i, int* j) {
    return ravelink::NoThrow("Calc_Grid_from_XY", -1, [&] {
        const int column = NodeAlong(x, lowCorner.x, highCorner.x, cellSizeX, columns);
        const int row = NodeAlong(y, lowCorner.y, highCorner.y, cellSizeY, rows);
        if (i != nullptr) *i = column;
        if (j != nullptr) *j = row;
        if (column >= 0 && column < columns && row >= 0 && row < rows) return 0;
        platform::ShowMessage(hostlink::MessageText(
            "Error: Outside the boundries\n%d > %d - %d > %d", column, columns, row, rows));
        return -1;
    });
}

int CApiCloudGrid::Calc_GridIndex(int i, int j) {
    return ravelink::NoThrow("Calc_GridIndex", -1, [&] {
        if (i < 0 || i >= columns || j < 0 || j >= rows) return -1;
        const long long index = i + static_cast<long long>(j) * columns;
        if (index >= static_cast<long long>(columns) * rows || index > INT_MAX) {
            platform::ShowMessage(hostlink::MessageText(
                "Error outside the boundries\n%lld > %d * %d", index, columns, rows));
            return -1;
        }
        return static_cast<int>(index);
    });
}

int CApiCloudGrid::Calc_GridIndex(double x, double y) {
    int i = 0;
    int j = 0;
    if (Calc_Grid_from_XY(x, y, &i, &j) != 0) return -1;
    return Calc_GridIndex(i, j);
}

int CApiCloudGrid::Calc_GridIndex(float x, float y) {
    return Calc_GridIndex(static_cast<double>(x), static_cast<double>(y));
}

void CApiCloudGrid::Calc_XY_from_Grid(int i, int j, double* x, double* y) {
    if (x != nullptr) *x = i * cellSizeX + lowCorner.x;
    if (y != nullptr) *y = j * cellSizeY + lowCorner.y;
}

bool CApiCloudGrid::CreateSurface() {
    // Points added since SetupGrid make the grid stale; refusing here spares one message per
    // point (every node would be out of range).
    if (!IsSetUp()) return false;
    for (CApiPoint* p = points.GetFirst(); p != nullptr; p = points.GetNext()) {
        const int index = Calc_GridIndex(p->x, p->y);
        if (index >= 0) cells[index].SetDepth(CApiPointGrid::kMeasured, p->z);
    }
    return true;
}

bool CApiCloudGrid::CalcVolume(int, int, double*, double*, double*, double*) { return true; }

bool CApiCloudGrid::IsSetUp() const { return cells != nullptr && columns > 0 && rows > 0; }
