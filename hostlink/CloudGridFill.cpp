// The cloud grid's gap filling: runs of unmeasured nodes between measured ones are interpolated,
// and optionally the first and last measured values of a line are extended to its ends; one scan
// per row, then one per column.
#include <cstddef>

#include "hostlink/CloudGrid.h"
#include "hostlink/MessageText.h"
#include "hostlink/NoThrow.h"
#include "platform/MessageService.h"

namespace {

// One row or column of the grid: `length` nodes, `stride` nodes apart.
struct GridLine {
    CApiPointGrid* first;
    std::ptrdiff_t stride;
    int length;

    CApiPointGrid& operator[](int k) const { return first[k * stride]; }
};

// Nodes from..to-1 take values on the straight line from `before` (at from - 1) to `after` (at
// to), one division per run. A node keeps a higher value it already holds.
void Interpolate(const GridLine& line, int from, int to, double before, double after) {
    const double slope = (after - before) / (to - from + 1);
    for (int k = from; k < to; ++k)
        line[k].SetDepth(CApiPointGrid::kInterpolated, before + (k - from + 1) * slope);
}

void Extend(const GridLine& line, int from, int to, double value) {
    for (int k = from; k < to; ++k) line[k].SetDepth(CApiPointGrid::kExtended, value);
}

// Only measured nodes carry a line's values; everything else, interpolated and extended nodes of
// an earlier pass included, is a gap.
void ScanLine(const GridLine& line, bool extendEdges) {
    constexpr int kNoRun = -1;
    int runStart = kNoRun;
    double lastMeasured = 0.0;  // read only once a measured node has been seen
    for (int k = 0; k < line.length; ++k) {
        const CApiPointGrid& node = line[k];
        if (node.GetFlag() != CApiPointGrid::kMeasured) {
            if (runStart == kNoRun) runStart = k;
            continue;
        }
        const double depth = node.GetDepth();
        if (runStart > 0)
            Interpolate(line, runStart, k, lastMeasured, depth);
        else if (runStart == 0 && extendEdges)
            Extend(line, 0, k, depth);
        lastMeasured = depth;
        runStart = kNoRun;
    }
    // A run from index 0 to the end means the line has no measured node at all: there is no
    // value to extend, so the line is left for the other pass.
    if (runStart > 0 && extendEdges) Extend(line, runStart, line.length, lastMeasured);
}

}  // namespace

bool CApiCloudGrid::CreateGuessed() {
    return ravelink::NoThrow("CreateGuessed", false, [&] {
        FillGaps(/*extendEdges=*/false);
        return true;
    });
}

bool CApiCloudGrid::CreateOutsideAndGuessed() {
    return ravelink::NoThrow("CreateOutsideAndGuessed", false, [&] {
        FillGaps(/*extendEdges=*/true);
        return true;
    });
}

void CApiCloudGrid::FillGaps(bool extendEdges) {
    if (columns <= 0 || rows <= 0) return;
    if (cells == nullptr) {
        // No node of the grid can be read; one message for the first stands for all of them.
        platform::ShowMessage(
            hostlink::MessageText(" CApiCloudGrid: Error Getting Grid %d %d", 0, 0));
        return;
    }
    for (int j = 0; j < rows; ++j)
        ScanLine(GridLine{cells + static_cast<std::ptrdiff_t>(j) * columns, 1, columns},
                 extendEdges);
    for (int i = 0; i < columns; ++i) ScanLine(GridLine{cells + i, columns, rows}, extendEdges);
}
