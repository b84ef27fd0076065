// Bounding volume hierarchy over a surface grid's patches, built once per surface.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "host/geometry/SurfaceGrid.h"
#include "host/geometry/Vec3.h"

namespace host::geometry {

// A box in single precision relative to the tree's centre.
struct TreeBox {
    std::array<float, 3> lo;
    std::array<float, 3> hi;
};

// Four boxes side by side (structure of arrays), so that a query tests them in one pass.
struct QuadBoxes {
    std::array<std::array<float, 4>, 3> lo;  // lo[axis][child]
    std::array<std::array<float, 4>, 3> hi;
};

// A stored node: its four children's boxes quantised to 16 bits within the node's own box
// (rounded outwards), one cache line, so that a descent costs one memory access per level.
struct alignas(64) QuadNode {
    std::array<std::array<std::uint16_t, 4>, 3> lo;
    std::array<std::array<std::uint16_t, 4>, 3> hi;
};

// Width of one quantisation step along an axis of a box from `lo` to `hi`.
[[nodiscard]] inline float QuantumOf(float lo, float hi) { return (hi - lo) * (1.0f / 65535.0f); }
// The coordinate that quantised value `q` stands for.
[[nodiscard]] inline float Dequantize(float lo, float quantum, std::uint16_t q) {
    return lo + float(q) * quantum;
}
// The boxes of a node's children, given the node's own box.
[[nodiscard]] inline QuadBoxes Decode(const QuadNode& node, const TreeBox& box) {
    QuadBoxes out;
    for (int axis = 0; axis < 3; ++axis) {
        const float quantum = QuantumOf(box.lo[axis], box.hi[axis]);
        for (int c = 0; c < 4; ++c) {
            out.lo[axis][c] = Dequantize(box.lo[axis], quantum, node.lo[axis][c]);
            out.hi[axis][c] = Dequantize(box.lo[axis], quantum, node.hi[axis][c]);
        }
    }
    return out;
}

// An implicit quadtree: the grid's regularity gives every node its patches without storing
// them. Level 0 is the patches; a node of level k covers 2^k x 2^k patches and holds the boxes
// of its four children of level k - 1, which are the cells (2i + a, 2j + b), slot 2a + b; the top
// level has a single node. Exact boxes are gathered bottom-up, then quantised top-down, each
// level in one pass.
class PatchTree {
public:
    explicit PatchTree(const SurfaceGrid& grid);

    // Centre that node boxes are relative to.
    [[nodiscard]] Vec3 centre() const { return centre_; }
    // Largest extent of the surface's box.
    [[nodiscard]] double size() const { return size_; }
    // Levels above the patches; the top one has a single node.
    [[nodiscard]] int levels() const { return int(levels_.size()) - 1; }
    [[nodiscard]] std::size_t nodeCount() const { return nodes_.size(); }

    // Shows `examiner` the patches nearest first while they may beat the bound.
    // `distances(boxes, out)` writes a lower bound of the query's distance to each of four boxes
    // (or +infinity to skip it); `examiner.Visit(patchRow, patchColumn)` examines one patch and
    // returns the new bound; `examiner.Prefetch(patchRow, patchColumn)` hears that the 2 x 2
    // patches from there may be examined soon. Children farther than the bound are pruned.
    template <class Distances, class Examiner>
    void Search(Distances&& distances, Examiner& examiner) const;

private:
    struct Level {
        int rows;
        int columns;
        std::size_t first;  // index of its first node in nodes_
    };
    struct Pending {
        int level;
        int row;
        int column;
        float distance;
        TreeBox box;
    };

    Vec3 centre_;
    TreeBox rootBox_;
    double size_ = 0.0;
    std::vector<Level> levels_;  // levels_[k] describes level k; level 0 has no nodes
    std::vector<QuadNode> nodes_;
};

template <class Distances, class Examiner>
void PatchTree::Search(Distances&& distances, Examiner& examiner) const {
    std::array<Pending, 128> stack;  // at most 3 entries wait per level
    int top = 0;
    stack[top++] = {levels(), 0, 0, 0.0f, rootBox_};
    float bound = INFINITY;
    while (top > 0) {
        const Pending at = stack[--top];
        if (at.distance > bound) {
            continue;
        }
        const Level& level = levels_[at.level];
        const QuadNode& node =
            nodes_[level.first + std::size_t(at.row) * level.columns + at.column];
        const QuadBoxes boxes = Decode(node, at.box);
        std::array<float, 4> distance;
        distances(boxes, distance);
        // The children worth examining, nearest first (slot order on ties): met no farther than
        // the bound, where an infinite distance is a miss even while nothing is found yet.
        const Level& children = levels_[at.level - 1];
        std::array<int, 4> order;
        int count = 0;
        for (int slot = 0; slot < 4; ++slot) {
            if (distance[slot] <= bound && distance[slot] < INFINITY &&
                2 * at.row + slot / 2 < children.rows &&
                2 * at.column + slot % 2 < children.columns) {
                int j = count++;
                for (; j > 0 && distance[slot] < distance[order[j - 1]]; --j) {
                    order[j] = order[j - 1];
                }
                order[j] = slot;
            }
        }
        if (at.level == 1) {
            for (int i = 0; i < count; ++i) {
                const int slot = order[i];
                if (distance[slot] <= bound) {
                    bound = examiner.Visit(2 * at.row + slot / 2, 2 * at.column + slot % 2);
                }
            }
            continue;
        }
        // Pushed farthest first so that the nearest is examined next. The child and its own
        // children (or patches) are fetched ahead meanwhile: their places follow from the grid,
        // so the memory waits of two levels overlap.
        for (int i = count - 1; i >= 0; --i) {
            const int slot = order[i];
            const int row = 2 * at.row + slot / 2;
            const int column = 2 * at.column + slot % 2;
            __builtin_prefetch(
                &nodes_[children.first + std::size_t(row) * children.columns + column]);
            if (at.level == 2) {
                examiner.Prefetch(2 * row, 2 * column);
            } else {
                const Level& grandchildren = levels_[at.level - 2];
                const std::size_t first = grandchildren.first + 2 * std::size_t(column);
                const int lastRow = std::min(2 * row + 1, grandchildren.rows - 1);
                __builtin_prefetch(&nodes_[first + std::size_t(2 * row) * grandchildren.columns]);
                __builtin_prefetch(&nodes_[first + std::size_t(lastRow) * grandchildren.columns]);
                if (2 * column + 1 < grandchildren.columns) {
                    __builtin_prefetch(
                        &nodes_[first + std::size_t(2 * row) * grandchildren.columns + 1]);
                    __builtin_prefetch(
                        &nodes_[first + std::size_t(lastRow) * grandchildren.columns + 1]);
                }
            }
            stack[top++] = {at.level - 1,
                            row,
                            column,
                            distance[slot],
                            {{boxes.lo[0][slot], boxes.lo[1][slot], boxes.lo[2][slot]},
                             {boxes.hi[0][slot], boxes.hi[1][slot], boxes.hi[2][slot]}}};
        }
    }
}

}  // namespace host::geometry
