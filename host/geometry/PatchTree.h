// Bounding volume hierarchy over a surface grid's patches, built once per surface.
#pragma once

#include <emmintrin.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <type_traits>
#include <vector>

#include "host/geometry/LargePages.h"
#include "host/geometry/SurfaceGrid.h"
#include "host/geometry/Vec3.h"

namespace host::geometry {

// Four boxes side by side (structure of arrays) in single precision relative to the tree's
// centre, so that a query tests them in one pass of four lanes. A missing box is empty: lo
// +infinity, hi -infinity, which every test misses.
struct alignas(16) QuadBoxes {
    std::array<std::array<float, 4>, 3> lo;  // lo[axis][child]
    std::array<std::array<float, 4>, 3> hi;
};

// A stored node: its four children's boxes (96 bytes, two cache lines).
struct alignas(32) QuadNode {
    QuadBoxes boxes;
};

// A stored node again, for searches of the nearest point, where boxes along the coordinate axes
// are loose around tilted patches: three orthonormal axes of the node's own (the first along its
// columns, the last along its normal; the coordinate axes where it has no normal) and its four
// children's extents along them, relative to the tree's centre. A point's distance from such a
// box is as cheap as from a box along the coordinate axes, and nearly its distance from the
// patches inside. 128 bytes, two cache lines: the middle axis is not stored but computed.
struct alignas(64) FrameNode {
    std::array<std::array<float, 4>, 3> lo;  // lo[i][child]: least extent along axis i
    std::array<std::array<float, 4>, 3> hi;
    // The first and the third axis, each with a fourth component of 0 so that a search reads it
    // as one vector.
    alignas(16) std::array<float, 4> along{};
    alignas(16) std::array<float, 4> normal{};

    // The three axes; the second is normal x along, in single precision as every user takes it.
    [[nodiscard]] std::array<std::array<float, 3>, 3> Axes() const {
        const std::array<float, 4>& a = along;
        const std::array<float, 4>& n = normal;
        return {{{a[0], a[1], a[2]},
                 {n[1] * a[2] - n[2] * a[1], n[2] * a[0] - n[0] * a[2], n[0] * a[1] - n[1] * a[0]},
                 {n[0], n[1], n[2]}}};
    }
};
static_assert(sizeof(FrameNode) == 128);

// A child's slot, 2a + b: the child a rows and b columns on from its parent's first. (Shifts,
// not division: a slot is never negative, which the compiler cannot know.)
constexpr int SlotRow(int slot) { return slot >> 1; }
constexpr int SlotColumn(int slot) { return slot & 1; }

// The children worth examining, nearest first (slot order on ties): those met no farther than
// `bound`, where an infinite distance is a miss even while nothing is found yet.
struct NearestSlots {
    std::array<int, 4> slot;
    int count = 0;
};
[[nodiscard]] inline __attribute__((always_inline)) NearestSlots OrderSlots(
    const std::array<float, 4>& distance, float bound) {
    // Each child's rank among the four, counted in lanes without branches (an insertion sort's
    // branches are mispredicted about every other node): a missed child ranks after every met
    // one, and ties go by slot.
    // Static, so that the table is not copied onto the stack at every call.
    static constexpr int kBits[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
    const __m128 d = _mm_loadu_ps(distance.data());
    const __m128 infinite = _mm_set1_ps(INFINITY);
    const __m128 met = _mm_and_ps(_mm_cmple_ps(d, _mm_set1_ps(bound)), _mm_cmplt_ps(d, infinite));
    const __m128 key = _mm_or_ps(_mm_and_ps(met, d), _mm_andnot_ps(met, infinite));
    NearestSlots out;
    const int metMask = _mm_movemask_ps(met);
    out.count = kBits[metMask];
    if (out.count <= 1) {
        // A line meets a single child at most levels: no ranking to do.
        out.slot[0] = __builtin_ctz(metMask | 16);
        return out;
    }
    const auto place = [&](int slot, __m128 mine) {
        const int before = _mm_movemask_ps(_mm_cmplt_ps(key, mine));
        const int tiedBefore = _mm_movemask_ps(_mm_cmpeq_ps(key, mine)) & ((1 << slot) - 1);
        out.slot[kBits[before] + kBits[tiedBefore]] = slot;
    };
    place(0, _mm_shuffle_ps(key, key, 0x00));
    place(1, _mm_shuffle_ps(key, key, 0x55));
    place(2, _mm_shuffle_ps(key, key, 0xAA));
    place(3, _mm_shuffle_ps(key, key, 0xFF));
    return out;
}

// The boxes of the 2 x 2 patches from (row, column), from their corner points (rounded to
// single precision), relative to `centre`; patches beyond the grid get empty boxes.
[[nodiscard]] QuadBoxes PatchBlockBoxes(const SurfaceGrid& grid, Vec3 centre, int row, int column);

// The corners of the 2 x 2 patches from (row, column) in single precision relative to `centre`,
// side by side: corner[k][axis][patch] with k = 00, 10, 01, 11 as in BilinearPatch. A search
// for the nearest point bounds each patch by its corners' convex hull, which is far tighter
// than a box along the coordinate axes around a tilted patch.
struct alignas(16) PatchCorners {
    std::array<std::array<std::array<float, 4>, 3>, 4> corner;
    std::array<float, 4> missing;  // +infinity for a patch beyond the grid, else 0
};
[[nodiscard]] PatchCorners PatchBlockCorners(const SurfaceGrid& grid, Vec3 centre, int row,
                                             int column);

// An implicit quadtree: the grid's regularity gives every node its patches without storing
// them. Level 0 is the patches; a node of level k covers 2^k x 2^k patches and has four children
// of level k - 1, the cells (2i + a, 2j + b), slot 2a + b; the top level has a single node.
// Nodes of level 2 and above are stored with their children's boxes; a level-1 node's boxes are
// those of its patches, taken from the grid's points when a search reaches it (the points are
// read for the patches' own tests anyway), which saves three quarters of the nodes.
class PatchTree {
public:
    // Builds the tree over `grid`, which must outlive it (Surface keeps the two together).
    explicit PatchTree(const SurfaceGrid& grid);

    // Centre that node boxes are relative to.
    [[nodiscard]] Vec3 Centre() const { return centre_; }
    // Largest extent of the surface's box.
    [[nodiscard]] double Size() const { return size_; }
    // Levels above the patches; the top one has a single node.
    [[nodiscard]] int Levels() const { return int(levels_.size()) - 1; }
    [[nodiscard]] std::size_t NodeCount() const { return nodes_.size(); }
    // Memory held by the structure (both kinds of nodes, the frames counted as built, and the
    // level table), without the grid.
    [[nodiscard]] std::size_t Bytes() const {
        return nodes_.size() * (sizeof(QuadNode) + sizeof(FrameNode)) +
               levels_.size() * sizeof(Level) + sizeof *this;
    }
    // The grid the tree describes; a copy of a surface points its tree at its own grid.
    void Attach(const SurfaceGrid& grid) { grid_ = &grid; }

    // Shows `examiner` the patches nearest first while they may beat the bound.
    // `distances(boxes, out)` writes a lower bound of the query's distance to each of four boxes
    // (or +infinity to skip it); `examiner.Visit(patchRow, patchColumn)` examines one patch and
    // returns the new bound. Children farther than the bound are pruned.
    template <class Distances, class Examiner>
    void Search(Distances&& distances, Examiner& examiner) const {
        SearchNodes(nodes_, distances, examiner);
    }
    // The same over the frame nodes: `distances(frame, out)` for a stored node, and
    // `distances(corners, out)` (PatchCorners) for a 2 x 2 block of patches.
    template <class Distances, class Examiner>
    void SearchNearest(Distances&& distances, Examiner& examiner) const {
        SearchNodes(Frames(), distances, examiner);
    }
    // Builds the frame nodes now rather than on the first SearchNearest.
    void PrepareNearest() const { Frames(); }

private:
    struct Level {
        int rows;
        int columns;
        std::size_t first;  // index of its first node in nodes_ (levels 2 and above)
    };
    // The nodes waiting to be searched, one array per field: each field is then read back with
    // the width it was written with, so that the processor forwards it from the store at once.
    struct Pending {
        // At most 15 entries wait per two levels a line decides at once and 3 per level
        // otherwise: fewer than 150 for the largest grid (SurfaceGrid::kMaxPoints).
        static constexpr int kSize = 256;
        std::array<float, kSize> distance;
        std::array<int, kSize> level;
        std::array<int, kSize> row;
        std::array<int, kSize> column;
        int top = 0;

        void Push(float d, int l, int r, int c) {
            distance[top] = d;
            level[top] = l;
            row[top] = r;
            column[top] = c;
            ++top;
        }
    };

    std::size_t NodeIndex(int level, int row, int column) const {
        const Level& l = levels_[level];
        return l.first + std::size_t(row) * std::size_t(l.columns) + std::size_t(column);
    }
    const QuadNode& NodeAt(int level, int row, int column) const {
        return nodes_[NodeIndex(level, row, column)];
    }
    // Asks the memory for every cache line of a node ahead of its use.
    template <class Node>
    static void PrefetchNode(const Node& node) {
        const char* at = reinterpret_cast<const char*>(&node);
        for (std::size_t line = 0; line < sizeof(Node); line += 64) {
            __builtin_prefetch(at + line);
        }
        __builtin_prefetch(at + sizeof(Node) - 1);
    }

    template <class Nodes, class Distances, class Examiner>
    void SearchNodes(const Nodes& nodes, Distances& distances, Examiner& examiner) const;
    // A line's step from a node of level 4 or above: the four children's stored boxes are the
    // sixteen grandchildren's, tested side by side, so that two levels take one decision instead
    // of two in a row. Moves (level, row, column) to the nearest grandchild met, the others
    // waiting on `stack`, and returns true; false when none is met. Below level 4 the children
    // would be level-2 nodes, the largest array, and reading four of them where one would do
    // slows rays in row order on large grids. The frame nodes' searches step one level at a
    // time: their bounds are looser, and sixteen tests cost them more than the chain saves.
    template <class Distances>
    bool DescendTwoLevels(Distances& distances, Pending& stack, float bound, int& level, int& row,
                          int& column) const;
    // The frame nodes, built once by the first caller: many surfaces (offsets among them) are
    // only ever projected onto along a direction. They depend on the grid's points alone, so
    // that copies of a tree share them.
    using FrameNodes = std::vector<FrameNode, LargePageAllocator<FrameNode>>;
    struct LazyFrames {
        std::once_flag built;
        FrameNodes nodes;  // nodes[i] describes the same node as nodes_[i]
    };
    const FrameNodes& Frames() const;
    // The boxes of level 2's nodes, from the points.
    void BuildLevelTwo();
    void BuildFrames(FrameNodes& frames) const;
    // A level-2 frame node's extents from its points, along `axes` (its own, in double).
    void FrameLevelTwo(const std::array<Vec3, 3>& axes, int row, int column,
                       FrameNode& frame) const;

    // The grid points of the 4 x 4 patches from (row, column): a level-2 node's.
    void PrefetchPoints(int row, int column) const;
    // The level-2 nodes below the level-3 node (row, column): for the nearest child of a level-4
    // node, so that the waits for the two levels below overlap.
    template <class Nodes>
    void PrefetchGrandchildren(const Nodes& nodes, int row, int column) const {
        const Level& below = levels_[2];
        for (int slot = 0; slot < 4; ++slot) {
            const int childRow = 2 * row + SlotRow(slot);
            const int childColumn = 2 * column + SlotColumn(slot);
            if (childRow < below.rows && childColumn < below.columns) {
                PrefetchNode(nodes[NodeIndex(2, childRow, childColumn)]);
            }
        }
    }

    const SurfaceGrid* grid_;
    Vec3 centre_;
    double size_ = 0.0;
    std::vector<Level> levels_;  // levels_[k] describes level k; levels 0 and 1 have no nodes
    std::vector<QuadNode, LargePageAllocator<QuadNode>> nodes_;
    std::shared_ptr<LazyFrames> frames_ = std::make_shared<LazyFrames>();
};

template <class Nodes, class Distances, class Examiner>
void PatchTree::SearchNodes(const Nodes& nodes, Distances& distances, Examiner& examiner) const {
    using Node = typename Nodes::value_type;
    Pending stack;
    float bound = INFINITY;
    std::array<float, 4> distance;
    // The node being examined; its nearest child follows at once, without a round trip through
    // the stack, which would lengthen the chain of waits from one level to the next.
    int level = Levels();
    int row = 0;
    int column = 0;
    for (;;) {
        if (level == 1) {
            if constexpr (std::is_same_v<Node, QuadNode>) {
                distances(PatchBlockBoxes(*grid_, centre_, 2 * row, 2 * column), distance);
            } else {
                distances(PatchBlockCorners(*grid_, centre_, 2 * row, 2 * column), distance);
            }
            const NearestSlots order = OrderSlots(distance, bound);
            for (int i = 0; i < order.count; ++i) {
                const int slot = order.slot[i];
                if (distance[slot] <= bound) {
                    bound = examiner.Visit(2 * row + SlotRow(slot), 2 * column + SlotColumn(slot));
                }
            }
        } else if (std::is_same_v<Node, QuadNode> && level >= 4) {
            if constexpr (std::is_same_v<Node, QuadNode>) {
                if (DescendTwoLevels(distances, stack, bound, level, row, column)) {
                    continue;
                }
            }
        } else {
            const Node& node = nodes[NodeIndex(level, row, column)];
            if constexpr (std::is_same_v<Node, QuadNode>) {
                distances(node.boxes, distance);
            } else {
                distances(node, distance);
            }
            const NearestSlots order = OrderSlots(distance, bound);
            // The others wait, farthest first, so that the nearest of them comes next. Each
            // child's node is fetched ahead meanwhile and, two levels above the patches, the grid
            // points of its patches too, so that the memory waits of the two lowest levels
            // overlap. (Fetching all the children's children as well costs more than it saves;
            // the nearest child's, below level 4, saves a little.) A nearest-point search fetches
            // the points of its nearest child only: it passes more children than a line, and the
            // points of them all fill the processor's queue of fetches, mostly for nothing.
            for (int i = order.count - 1; i >= 0; --i) {
                const int slot = order.slot[i];
                const int childRow = 2 * row + SlotRow(slot);
                const int childColumn = 2 * column + SlotColumn(slot);
                if (level == 3) {
                    PrefetchNode(nodes[NodeIndex(2, childRow, childColumn)]);
                    if (std::is_same_v<Node, QuadNode> || i == 0) {
                        PrefetchPoints(4 * childRow, 4 * childColumn);
                    }
                } else if (level > 3) {
                    PrefetchNode(nodes[NodeIndex(level - 1, childRow, childColumn)]);
                    if (level == 4 && i == 0) {
                        PrefetchGrandchildren(nodes, childRow, childColumn);
                    }
                }
                if (i > 0) {
                    stack.Push(distance[slot], level - 1, childRow, childColumn);
                }
            }
            if (order.count > 0) {
                level -= 1;
                row = 2 * row + SlotRow(order.slot[0]);
                column = 2 * column + SlotColumn(order.slot[0]);
                continue;
            }
        }
        int top = stack.top;
        do {
            if (top == 0) {
                return;
            }
            --top;
        } while (stack.distance[top] > bound);
        stack.top = top;
        level = stack.level[top];
        row = stack.row[top];
        column = stack.column[top];
    }
}

template <class Distances>
bool PatchTree::DescendTwoLevels(Distances& distances, Pending& stack, float bound, int& level,
                                 int& row, int& column) const {
    const Level& children = levels_[level - 1];
    std::array<std::array<float, 4>, 4> distance;
    int metMask = 0;  // bit 4 * child + slot for each grandchild met
    for (int child = 0; child < 4; ++child) {
        const int childRow = 2 * row + SlotRow(child);
        const int childColumn = 2 * column + SlotColumn(child);
        if (childRow >= children.rows || childColumn >= children.columns) {
            continue;  // beyond the grid
        }
        distances(NodeAt(level - 1, childRow, childColumn).boxes, distance[child]);
        const __m128 d = _mm_loadu_ps(distance[child].data());
        const __m128 met =
            _mm_and_ps(_mm_cmple_ps(d, _mm_set1_ps(bound)), _mm_cmplt_ps(d, _mm_set1_ps(INFINITY)));
        metMask |= _mm_movemask_ps(met) << (4 * child);
    }
    if (metMask == 0) {
        return false;
    }
    const auto cell = [&](int grandchild, int& r, int& c) {
        const int child = grandchild / 4;
        const int slot = grandchild % 4;
        r = 4 * row + 2 * SlotRow(child) + SlotRow(slot);
        c = 4 * column + 2 * SlotColumn(child) + SlotColumn(slot);
    };
    const auto key = [&](int grandchild) { return distance[grandchild / 4][grandchild % 4]; };
    // Nearest first, ties in grandchild order; rarely more than two are met.
    std::array<int, 16> order;
    int count = 0;
    for (int bits = metMask; bits != 0; bits &= bits - 1) {
        const int grandchild = __builtin_ctz(bits);
        int i = count++;
        for (; i > 0 && key(order[i - 1]) > key(grandchild); --i) {
            order[i] = order[i - 1];
        }
        order[i] = grandchild;
    }
    const int below = level - 2;
    for (int i = count - 1; i >= 0; --i) {
        int r = 0;
        int c = 0;
        cell(order[i], r, c);
        PrefetchNode(NodeAt(below, r, c));
        if (below == 2) {
            PrefetchPoints(4 * r, 4 * c);
        }
        if (i > 0) {
            stack.Push(key(order[i]), below, r, c);
        }
    }
    level = below;
    cell(order[0], row, column);
    return true;
}

}  // namespace host::geometry
