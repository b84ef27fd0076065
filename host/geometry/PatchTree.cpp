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

// A single-precision bound no greater (Down) or no smaller (Up) than `x`: rounding to nearest
// moves a value by at most 6e-8 of it.
float Down(double x) { return float(x - 1.2e-7 * std::abs(x)); }
float Up(double x) { return float(x + 1.2e-7 * std::abs(x)); }

// Orthonormal axes, in double for the products of the build.
using Axes = std::array<Vec3, 3>;

// The axes a frame node's searches use.
Axes AxesOf(const FrameNode& frame) {
    Axes out;
    const std::array<std::array<float, 3>, 3> axes = frame.Axes();
    for (int i = 0; i < 3; ++i) {
        out[i] = {axes[i][0], axes[i][1], axes[i][2]};
    }
    return out;
}

// The axes of the patches from point (row0, column0) to point (row1, column1): along the columns,
// across them, along the normal. The coordinate axes where the corners span no area (a pole, a
// closed seam, a fold onto itself): any axes give boxes that hold their patches.
Axes AxesOf(const SurfaceGrid& grid, int row0, int column0, int row1, int column1) {
    const Vec3 du = (grid.At(row0, column1) - grid.At(row0, column0)) +
                    (grid.At(row1, column1) - grid.At(row1, column0));
    const Vec3 dv = (grid.At(row1, column0) - grid.At(row0, column0)) +
                    (grid.At(row1, column1) - grid.At(row0, column1));
    const Vec3 n = Cross(du, dv);
    if (!(Dot(n, n) > 1e-12 * Dot(du, du) * Dot(dv, dv))) {
        return {Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}};
    }
    const Vec3 along = (1.0 / Length(du)) * du;
    const Vec3 normal = (1.0 / Length(n)) * n;
    return {along, Cross(normal, along), normal};
}

}  // namespace

QuadBoxes PatchBlockBoxes(const SurfaceGrid& grid, Vec3 centre, int row, int column) {
    // The 3 x 3 points around the block; beyond the grid the last point stands in, and the
    // patches it would belong to are left empty. Each point is one vector of its coordinates;
    // neighbours are combined along the rows, then the rows pairwise, then the four patch boxes
    // are turned from points into axes.
    const int rows[3] = {row, row + 1, std::min(row + 2, grid.Rows() - 1)};
    const int columns[3] = {column, column + 1, std::min(column + 2, grid.Columns() - 1)};
    const __m128d centreXY = _mm_loadu_pd(&centre.x);
    const __m128d centreZ = _mm_load_sd(&centre.z);
    __m128 rowLo[3][2];
    __m128 rowHi[3][2];
    for (int r = 0; r < 3; ++r) {
        const Vec3* line = &grid.Points()[std::size_t(rows[r]) * std::size_t(grid.Columns())];
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
        const int a = SlotRow(slot);
        const int b = SlotColumn(slot);
        const bool inside = row + a < grid.PatchRows() && column + b < grid.PatchColumns();
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

PatchCorners PatchBlockCorners(const SurfaceGrid& grid, Vec3 centre, int row, int column) {
    // The 3 x 3 points around the block (beyond the grid the last ones again), each read as a
    // vector of its coordinates as in PatchBlockBoxes; the same corner of the four patches is four
    // neighbouring points, turned from points into axes. A point is read again for each corner
    // it is: nine vectors kept across the corners would not fit the registers.
    const std::size_t columns = std::size_t(grid.Columns());
    const Vec3* lines[3] = {
        &grid.Points()[std::size_t(row) * columns], &grid.Points()[std::size_t(row + 1) * columns],
        &grid.Points()[std::size_t(std::min(row + 2, grid.Rows() - 1)) * columns]};
    const int at[3] = {column, column + 1, std::min(column + 2, grid.Columns() - 1)};
    const __m128d centreXY = _mm_loadu_pd(&centre.x);
    const __m128d centreZ = _mm_load_sd(&centre.z);
    PatchCorners out;
    for (int k = 0; k < 4; ++k) {
        const int r = k / 2;  // corners 01 and 11 lie a row on, 10 and 11 a column on
        const int c = k % 2;
        // Slot 2a + b is the patch a rows and b columns on.
        __m128 v0 = Local(lines[r][at[c]], centreXY, centreZ);
        __m128 v1 = Local(lines[r][at[c + 1]], centreXY, centreZ);
        __m128 v2 = Local(lines[r + 1][at[c]], centreXY, centreZ);
        __m128 v3 = Local(lines[r + 1][at[c + 1]], centreXY, centreZ);
        _MM_TRANSPOSE4_PS(v0, v1, v2, v3);
        _mm_store_ps(out.corner[k][0].data(), v0);
        _mm_store_ps(out.corner[k][1].data(), v1);
        _mm_store_ps(out.corner[k][2].data(), v2);
    }
    for (int slot = 0; slot < 4; ++slot) {
        const bool inside = row + SlotRow(slot) < grid.PatchRows() &&
                            column + SlotColumn(slot) < grid.PatchColumns();
        out.missing[slot] = inside ? 0.0f : INFINITY;
    }
    return out;
}

void PatchTree::PrefetchPoints(int row, int column) const {
    // A row's five points span 120 bytes: three cache lines at most, the first, the next and the
    // one holding the last byte.
    const SurfaceGrid& grid = *grid_;
    const int lastRow = std::min(row + 4, grid.Rows() - 1);
    const int points = std::min(column + 4, grid.Columns() - 1) - column + 1;
    const int bytes = points * int(sizeof(Vec3));
    const std::size_t stride = std::size_t(grid.Columns()) * sizeof(Vec3);
    const char* first = reinterpret_cast<const char*>(
        &grid.Points()[std::size_t(row) * std::size_t(grid.Columns()) + std::size_t(column)]);
    for (int r = row; r <= lastRow; ++r, first += stride) {
        __builtin_prefetch(first);
        __builtin_prefetch(first + std::min(64, bytes - 1));
        __builtin_prefetch(first + bytes - 1);
    }
}

PatchTree::PatchTree(const SurfaceGrid& grid) : grid_(&grid) {
    const Vec3 lo = grid.Lowest();
    const Vec3 hi = grid.Highest();
    centre_ = 0.5 * (lo + hi);
    size_ = std::max({hi.x - lo.x, hi.y - lo.y, hi.z - lo.z});

    levels_.push_back({grid.PatchRows(), grid.PatchColumns(), 0});
    std::size_t total = 0;
    do {
        const Level& below = levels_.back();
        const Level level{(below.rows + 1) / 2, (below.columns + 1) / 2, total};
        levels_.push_back(level);
        if (levels_.size() > 2) {
            total += std::size_t(level.rows) * std::size_t(level.columns);
        }
    } while (levels_.back().rows > 1 || levels_.back().columns > 1);
    nodes_.resize(total);

    // Level 2 takes its children's boxes (the level-1 blocks) from the points, each higher level
    // encloses the boxes stored in the nodes below, so that nothing else is allocated.
    if (levels_.size() > 2) {
        BuildLevelTwo();
    }
    for (int k = 3; k < int(levels_.size()); ++k) {
        const Level& level = levels_[k];
        const Level& children = levels_[k - 1];
        for (int row = 0; row < level.rows; ++row) {
            for (int column = 0; column < level.columns; ++column) {
                QuadBoxes& boxes =
                    nodes_[level.first + std::size_t(row) * level.columns + column].boxes;
                boxes = EmptyBoxes();
                for (int slot = 0; slot < 4; ++slot) {
                    const int childRow = 2 * row + SlotRow(slot);
                    const int childColumn = 2 * column + SlotColumn(slot);
                    if (childRow >= children.rows || childColumn >= children.columns) {
                        continue;
                    }
                    std::array<float, 3> lo;
                    std::array<float, 3> hi;
                    EncloseAll(NodeAt(k - 1, childRow, childColumn).boxes, lo, hi);
                    for (int axis = 0; axis < 3; ++axis) {
                        boxes.lo[axis][slot] = lo[axis];
                        boxes.hi[axis][slot] = hi[axis];
                    }
                }
            }
        }
    }
}

void PatchTree::BuildLevelTwo() {
    // Each node's 5 x 5 points (the last ones again beyond the grid) once: per point row the
    // least and greatest of the columns of each block, then of the rows of each block. A block
    // partly beyond the grid then spans the points of its patches inside it.
    const SurfaceGrid& grid = *grid_;
    const Level& level = levels_[2];
    const Level& blocks = levels_[1];
    const __m128d centreXY = _mm_loadu_pd(&centre_.x);
    const __m128d centreZ = _mm_load_sd(&centre_.z);
    for (int row = 0; row < level.rows; ++row) {
        for (int column = 0; column < level.columns; ++column) {
            __m128 rowLo[5][2];
            __m128 rowHi[5][2];
            for (int r = 0; r < 5; ++r) {
                const Vec3* line =
                    &grid.Points()[std::size_t(std::min(4 * row + r, grid.Rows() - 1)) *
                                   std::size_t(grid.Columns())];
                __m128 p[5];
                for (int c = 0; c < 5; ++c) {
                    p[c] = Local(line[std::min(4 * column + c, grid.Columns() - 1)], centreXY,
                                 centreZ);
                }
                for (int half = 0; half < 2; ++half) {
                    const __m128* q = p + 2 * half;
                    rowLo[r][half] = _mm_min_ps(_mm_min_ps(q[0], q[1]), q[2]);
                    rowHi[r][half] = _mm_max_ps(_mm_max_ps(q[0], q[1]), q[2]);
                }
            }
            __m128 lo[4];
            __m128 hi[4];
            for (int slot = 0; slot < 4; ++slot) {
                const int a = SlotRow(slot);
                const int b = SlotColumn(slot);
                const bool inside = 2 * row + a < blocks.rows && 2 * column + b < blocks.columns;
                const __m128 least = _mm_min_ps(_mm_min_ps(rowLo[2 * a][b], rowLo[2 * a + 1][b]),
                                                rowLo[2 * a + 2][b]);
                const __m128 most = _mm_max_ps(_mm_max_ps(rowHi[2 * a][b], rowHi[2 * a + 1][b]),
                                               rowHi[2 * a + 2][b]);
                lo[slot] = inside ? least : _mm_set1_ps(INFINITY);
                hi[slot] = inside ? most : _mm_set1_ps(-INFINITY);
            }
            _MM_TRANSPOSE4_PS(lo[0], lo[1], lo[2], lo[3]);
            _MM_TRANSPOSE4_PS(hi[0], hi[1], hi[2], hi[3]);
            QuadBoxes& boxes = nodes_[NodeIndex(2, row, column)].boxes;
            for (int axis = 0; axis < 3; ++axis) {
                _mm_store_ps(boxes.lo[axis].data(), lo[axis]);
                _mm_store_ps(boxes.hi[axis].data(), hi[axis]);
            }
        }
    }
}

void PatchTree::FrameLevelTwo(const std::array<Vec3, 3>& axes, int row, int column,
                              FrameNode& frame) const {
    // The products of the node's 5 x 5 points (the last ones again beyond the grid) with the
    // three axes at once, a point's three in the lanes of one vector; then, as in BuildLevelTwo,
    // the least and greatest over each block's 3 x 3. In single precision, so each extent is
    // widened by 1e-6 of the surface's size, well beyond the rounding of the coordinates
    // (relative to the centre, no larger than the size) and of the products.
    const SurfaceGrid& grid = *grid_;
    const Level& blocks = levels_[1];
    const __m128d centreXY = _mm_loadu_pd(&centre_.x);
    const __m128d centreZ = _mm_load_sd(&centre_.z);
    __m128 along[3];  // along[j]: the axes' components j, axis i in lane i
    for (int j = 0; j < 3; ++j) {
        const auto component = [&](int i) {
            return float(j == 0 ? axes[i].x : j == 1 ? axes[i].y : axes[i].z);
        };
        along[j] = _mm_setr_ps(component(0), component(1), component(2), 0.0f);
    }
    __m128 rowLo[5][2];
    __m128 rowHi[5][2];
    for (int r = 0; r < 5; ++r) {
        const Vec3* line = &grid.Points()[std::size_t(std::min(4 * row + r, grid.Rows() - 1)) *
                                          std::size_t(grid.Columns())];
        __m128 products[5];
        for (int c = 0; c < 5; ++c) {
            const __m128 p =
                Local(line[std::min(4 * column + c, grid.Columns() - 1)], centreXY, centreZ);
            products[c] = _mm_add_ps(_mm_add_ps(_mm_mul_ps(_mm_shuffle_ps(p, p, 0x00), along[0]),
                                                _mm_mul_ps(_mm_shuffle_ps(p, p, 0x55), along[1])),
                                     _mm_mul_ps(_mm_shuffle_ps(p, p, 0xAA), along[2]));
        }
        for (int half = 0; half < 2; ++half) {
            const __m128* q = products + 2 * half;
            rowLo[r][half] = _mm_min_ps(_mm_min_ps(q[0], q[1]), q[2]);
            rowHi[r][half] = _mm_max_ps(_mm_max_ps(q[0], q[1]), q[2]);
        }
    }
    const __m128 margin = _mm_set1_ps(float(1e-6 * size_));
    for (int slot = 0; slot < 4; ++slot) {
        const int a = SlotRow(slot);
        const int b = SlotColumn(slot);
        alignas(16) float lo[4];
        alignas(16) float hi[4];
        _mm_store_ps(lo, _mm_sub_ps(_mm_min_ps(_mm_min_ps(rowLo[2 * a][b], rowLo[2 * a + 1][b]),
                                               rowLo[2 * a + 2][b]),
                                    margin));
        _mm_store_ps(hi, _mm_add_ps(_mm_max_ps(_mm_max_ps(rowHi[2 * a][b], rowHi[2 * a + 1][b]),
                                               rowHi[2 * a + 2][b]),
                                    margin));
        const bool inside = 2 * row + a < blocks.rows && 2 * column + b < blocks.columns;
        for (int i = 0; i < 3; ++i) {
            frame.lo[i][slot] = inside ? lo[i] : INFINITY;
            frame.hi[i][slot] = inside ? hi[i] : -INFINITY;
        }
    }
}

const PatchTree::FrameNodes& PatchTree::Frames() const {
    std::call_once(frames_->built, [this] { BuildFrames(frames_->nodes); });
    return frames_->nodes;
}

void PatchTree::BuildFrames(FrameNodes& frames) const {
    const SurfaceGrid& grid = *grid_;
    frames.resize(nodes_.size());
    for (int k = 2; k < int(levels_.size()); ++k) {
        const Level& level = levels_[k];
        const Level& children = levels_[k - 1];
        const int span = 1 << k;  // patches per node side
        for (int row = 0; row < level.rows; ++row) {
            for (int column = 0; column < level.columns; ++column) {
                const int row0 = row * span;
                const int column0 = column * span;
                const Axes exact =
                    AxesOf(grid, row0, column0, std::min(row0 + span, grid.Rows() - 1),
                           std::min(column0 + span, grid.Columns() - 1));
                FrameNode& frame = frames[NodeIndex(k, row, column)];
                frame.along = {float(exact[0].x), float(exact[0].y), float(exact[0].z), 0.0f};
                frame.normal = {float(exact[2].x), float(exact[2].y), float(exact[2].z), 0.0f};
                const Axes axes = AxesOf(frame);
                if (k == 2) {
                    FrameLevelTwo(axes, row, column, frame);
                    continue;
                }
                for (int i = 0; i < 3; ++i) {
                    frame.lo[i].fill(INFINITY);
                    frame.hi[i].fill(-INFINITY);
                }
                for (int slot = 0; slot < 4; ++slot) {
                    const int childRow = 2 * row + SlotRow(slot);
                    const int childColumn = 2 * column + SlotColumn(slot);
                    if (childRow >= children.rows || childColumn >= children.columns) {
                        continue;  // empty: every test misses it
                    }
                    std::array<double, 3> lo{INFINITY, INFINITY, INFINITY};
                    std::array<double, 3> hi{-INFINITY, -INFINITY, -INFINITY};
                    // The child's box in its own axes, the corners of which are sums of its
                    // axes times its extents; extended by a relative 1e-6 for axes that are
                    // orthonormal only to single precision.
                    const FrameNode& child = frames[NodeIndex(k - 1, childRow, childColumn)];
                    const Axes childAxes = AxesOf(child);
                    std::array<double, 3> childLo;
                    std::array<double, 3> childHi;
                    double magnitude = 0.0;
                    for (int j = 0; j < 3; ++j) {
                        childLo[j] = *std::min_element(child.lo[j].begin(), child.lo[j].end());
                        childHi[j] = *std::max_element(child.hi[j].begin(), child.hi[j].end());
                        magnitude += std::max(std::abs(childLo[j]), std::abs(childHi[j]));
                    }
                    for (int i = 0; i < 3; ++i) {
                        double least = -1e-6 * magnitude;
                        double most = 1e-6 * magnitude;
                        for (int j = 0; j < 3; ++j) {
                            const double cosine = Dot(axes[i], childAxes[j]);
                            least += std::min(cosine * childLo[j], cosine * childHi[j]);
                            most += std::max(cosine * childLo[j], cosine * childHi[j]);
                        }
                        lo[i] = least;
                        hi[i] = most;
                    }
                    for (int i = 0; i < 3; ++i) {
                        frame.lo[i][slot] = Down(lo[i]);
                        frame.hi[i][slot] = Up(hi[i]);
                    }
                }
            }
        }
    }
}

}  // namespace host::geometry
