// Bottom-up construction of the patch tree, and the boxes of its lowest level.
#include "host/geometry/PatchTree.h"

#include <algorithm>
#include <cmath>

#include "host/geometry/LargePages.h"

namespace host::geometry {
namespace {

// A point relative to the centre in single precision, in lanes x, y, z (the fourth is unused).
// Rounding to nearest moves it by at most 3e-8 of the surface's size, far inside the searches'
// box padding.
__m128 Local(const Vec3& p, __m128d centreXY, __m128d centreZ) {
    const __m128 xy = _mm_cvtpd_ps(_mm_sub_pd(_mm_loadu_pd(&p.x), centreXY));
    const __m128 z = _mm_cvtpd_ps(_mm_sub_pd(_mm_load_sd(&p.z), centreZ));
    return _mm_movelh_ps(xy, z);
}

constexpr std::array<float, 4> kEmptyLo{INFINITY, INFINITY, INFINITY, INFINITY};
constexpr std::array<float, 4> kEmptyHi{-INFINITY, -INFINITY, -INFINITY, -INFINITY};

QuadBoxes EmptyBoxes() {
    QuadBoxes boxes;
    boxes.lo.fill(kEmptyLo);
    boxes.hi.fill(kEmptyHi);
    return boxes;
}

// The box around all four boxes.
void EncloseAll(const QuadBoxes& boxes, std::array<float, 3>& lo, std::array<float, 3>& hi) {
    for (int axis = 0; axis < 3; ++axis) {
        const std::array<float, 4>& l = boxes.lo[axis];
        const std::array<float, 4>& h = boxes.hi[axis];
        lo[axis] = std::min(std::min(l[0], l[1]), std::min(l[2], l[3]));
        hi[axis] = std::max(std::max(h[0], h[1]), std::max(h[2], h[3]));
    }
}

}  // namespace

QuadBoxes PatchBlockBoxes(const SurfaceGrid& grid, Vec3 centre, int row, int column) {
    // The 3 x 3 points around the block; beyond the grid the last point stands in, and the
    // patches it would belong to are left empty. Each point is one vector of its coordinates;
    // neighbours are combined along the rows, then the rows pairwise, then the four patch boxes
    // are turned from points into axes.
    const int rows[3] = {row, row + 1, std::min(row + 2, grid.rows() - 1)};
    const int columns[3] = {column, column + 1, std::min(column + 2, grid.columns() - 1)};
    const __m128d centreXY = _mm_loadu_pd(&centre.x);
    const __m128d centreZ = _mm_load_sd(&centre.z);
    __m128 rowLo[3][2];
    __m128 rowHi[3][2];
    for (int r = 0; r < 3; ++r) {
        const Vec3* line = &grid.points()[std::size_t(rows[r]) * std::size_t(grid.columns())];
        const __m128 p0 = Local(line[columns[0]], centreXY, centreZ);
        const __m128 p1 = Local(line[columns[1]], centreXY, centreZ);
        const __m128 p2 = Local(line[columns[2]], centreXY, centreZ);
        rowLo[r][0] = _mm_min_ps(p0, p1);
        rowLo[r][1] = _mm_min_ps(p1, p2);
        rowHi[r][0] = _mm_max_ps(p0, p1);
        rowHi[r][1] = _mm_max_ps(p1, p2);
    }
    __m128 lo[4];
    __m128 hi[4];
    for (int slot = 0; slot < 4; ++slot) {
        const int a = slot / 2;
        const int b = slot % 2;
        const bool inside = row + a < grid.patchRows() && column + b < grid.patchColumns();
        lo[slot] = inside ? _mm_min_ps(rowLo[a][b], rowLo[a + 1][b]) : _mm_set1_ps(INFINITY);
        hi[slot] = inside ? _mm_max_ps(rowHi[a][b], rowHi[a + 1][b]) : _mm_set1_ps(-INFINITY);
    }
    _MM_TRANSPOSE4_PS(lo[0], lo[1], lo[2], lo[3]);
    _MM_TRANSPOSE4_PS(hi[0], hi[1], hi[2], hi[3]);
    QuadBoxes boxes;
    for (int axis = 0; axis < 3; ++axis) {
        _mm_store_ps(boxes.lo[axis].data(), lo[axis]);
        _mm_store_ps(boxes.hi[axis].data(), hi[axis]);
    }
    return boxes;
}

void PatchTree::PrefetchPoints(int row, int column, int count) const {
    const SurfaceGrid& grid = *grid_;
    const int lastRow = std::min(row + count, grid.rows() - 1);
    const int points = std::min(column + count, grid.columns() - 1) - column + 1;
    for (int r = row; r <= lastRow; ++r) {
        const char* first = reinterpret_cast<const char*>(
            &grid.points()[std::size_t(r) * std::size_t(grid.columns()) + std::size_t(column)]);
        const int bytes = points * int(sizeof(Vec3));
        for (int at = 0; at < bytes; at += 64) {
            __builtin_prefetch(first + at);
        }
        __builtin_prefetch(first + bytes - 1);
    }
}

PatchTree::PatchTree(const SurfaceGrid& grid) : grid_(&grid) {
    Vec3 lo = grid.At(0, 0);
    Vec3 hi = lo;
    for (const Vec3& p : grid.points()) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    centre_ = 0.5 * (lo + hi);
    size_ = std::max({hi.x - lo.x, hi.y - lo.y, hi.z - lo.z});

    levels_.push_back({grid.patchRows(), grid.patchColumns(), 0});
    std::size_t total = 0;
    do {
        const Level& below = levels_.back();
        const Level level{(below.rows + 1) / 2, (below.columns + 1) / 2, total};
        levels_.push_back(level);
        if (levels_.size() > 2) {
            total += std::size_t(level.rows) * std::size_t(level.columns);
        }
    } while (levels_.back().rows > 1 || levels_.back().columns > 1);
    // Reserved and advised before the first write, so that the nodes fill large pages.
    ReserveLargePages(nodes_, total);
    nodes_.resize(total);

    // Level 2 takes its children's boxes (the level-1 blocks) from the points, each higher level
    // encloses the boxes stored in the nodes below, so that nothing else is allocated.
    for (int k = 2; k < int(levels_.size()); ++k) {
        const Level& level = levels_[k];
        const Level& children = levels_[k - 1];
        for (int row = 0; row < level.rows; ++row) {
            for (int column = 0; column < level.columns; ++column) {
                QuadBoxes& boxes =
                    nodes_[level.first + std::size_t(row) * level.columns + column].boxes;
                boxes = EmptyBoxes();
                for (int slot = 0; slot < 4; ++slot) {
                    const int childRow = 2 * row + slot / 2;
                    const int childColumn = 2 * column + slot % 2;
                    if (childRow >= children.rows || childColumn >= children.columns) {
                        continue;
                    }
                    std::array<float, 3> lo;
                    std::array<float, 3> hi;
                    EncloseAll(k == 2
                                   ? PatchBlockBoxes(grid, centre_, 2 * childRow, 2 * childColumn)
                                   : NodeAt(k - 1, childRow, childColumn).boxes,
                               lo, hi);
                    for (int axis = 0; axis < 3; ++axis) {
                        boxes.lo[axis][slot] = lo[axis];
                        boxes.hi[axis][slot] = hi[axis];
                    }
                }
            }
        }
    }
}

}  // namespace host::geometry
