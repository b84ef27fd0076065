// Bottom-up construction of the patch tree.
#include "host/geometry/PatchTree.h"

#include <algorithm>
#include <cmath>

namespace host::geometry {
namespace {

float RoundDown(double x) {
    const float f = float(x);
    return double(f) > x ? std::nextafter(f, -INFINITY) : f;
}

float RoundUp(double x) {
    const float f = float(x);
    return double(f) < x ? std::nextafter(f, INFINITY) : f;
}

// Box of one patch relative to `centre`, rounded outwards: a bilinear patch lies in the hull of
// its corners.
TreeBox PatchBox(const BilinearPatch& patch, Vec3 centre) {
    const Vec3 corners[4] = {patch.p00 - centre, patch.p10 - centre, patch.p01 - centre,
                             patch.p11 - centre};
    TreeBox box;
    for (int axis = 0; axis < 3; ++axis) {
        const auto of = [axis](Vec3 p) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; };
        double lo = of(corners[0]);
        double hi = lo;
        for (const Vec3& c : corners) {
            lo = std::min(lo, of(c));
            hi = std::max(hi, of(c));
        }
        box.lo[axis] = RoundDown(lo);
        box.hi[axis] = RoundUp(hi);
    }
    return box;
}

void Enclose(TreeBox& box, const TreeBox& other) {
    for (int axis = 0; axis < 3; ++axis) {
        box.lo[axis] = std::min(box.lo[axis], other.lo[axis]);
        box.hi[axis] = std::max(box.hi[axis], other.hi[axis]);
    }
}

// The largest quantised value standing for a coordinate no greater than `value`.
std::uint16_t QuantizeDown(float value, float lo, float quantum) {
    if (!(quantum > 0.0f)) {
        return 0;
    }
    int q = std::clamp(int(std::floor((value - lo) / quantum)), 0, 65535);
    while (q > 0 && Dequantize(lo, quantum, std::uint16_t(q)) > value) {
        --q;
    }
    return std::uint16_t(q);
}

// The smallest quantised value standing for a coordinate no smaller than `value`.
std::uint16_t QuantizeUp(float value, float lo, float quantum) {
    if (!(quantum > 0.0f)) {
        return 0;
    }
    int q = std::clamp(int(std::ceil((value - lo) / quantum)), 0, 65535);
    while (q < 65535 && Dequantize(lo, quantum, std::uint16_t(q)) < value) {
        ++q;
    }
    return std::uint16_t(q);
}

}  // namespace

PatchTree::PatchTree(const SurfaceGrid& grid) {
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
        levels_.push_back({(below.rows + 1) / 2, (below.columns + 1) / 2, total});
        total += std::size_t(levels_.back().rows) * std::size_t(levels_.back().columns);
    } while (levels_.back().rows > 1 || levels_.back().columns > 1);
    nodes_.resize(total);

    // Exact single-precision boxes of the cells of every level, bottom-up.
    std::vector<std::vector<TreeBox>> exact(levels_.size());
    exact[0].resize(grid.patchCount());
    for (int row = 0; row < grid.patchRows(); ++row) {
        for (int column = 0; column < grid.patchColumns(); ++column) {
            exact[0][std::size_t(row) * grid.patchColumns() + column] =
                PatchBox(grid.Patch(row, column), centre_);
        }
    }
    for (int k = 1; k < int(levels_.size()); ++k) {
        const Level& level = levels_[k];
        const Level& children = levels_[k - 1];
        exact[k].resize(std::size_t(level.rows) * level.columns);
        for (int row = 0; row < level.rows; ++row) {
            for (int column = 0; column < level.columns; ++column) {
                TreeBox& own = exact[k][std::size_t(row) * level.columns + column];
                own = exact[k - 1][std::size_t(2 * row) * children.columns + 2 * column];
                for (int slot = 1; slot < 4; ++slot) {
                    const int childRow = 2 * row + slot / 2;
                    const int childColumn = 2 * column + slot % 2;
                    if (childRow < children.rows && childColumn < children.columns) {
                        Enclose(
                            own,
                            exact[k - 1][std::size_t(childRow) * children.columns + childColumn]);
                    }
                }
            }
        }
    }
    // Quantised top-down: a node's children are stored relative to the box a search will
    // have decoded for the node itself, which is a little larger than its exact box.
    rootBox_ = exact.back().front();
    std::vector<TreeBox> decoded{rootBox_};
    for (int k = int(levels_.size()) - 1; k >= 1; --k) {
        const Level& level = levels_[k];
        const Level& children = levels_[k - 1];
        std::vector<TreeBox> decodedBelow(exact[k - 1].size());
        for (int row = 0; row < level.rows; ++row) {
            for (int column = 0; column < level.columns; ++column) {
                const std::size_t index = std::size_t(row) * level.columns + column;
                const TreeBox& own = decoded[index];
                QuadNode& node = nodes_[level.first + index];
                for (int slot = 0; slot < 4; ++slot) {
                    const int childRow = std::min(2 * row + slot / 2, children.rows - 1);
                    const int childColumn = std::min(2 * column + slot % 2, children.columns - 1);
                    const std::size_t child =
                        std::size_t(childRow) * children.columns + childColumn;
                    for (int axis = 0; axis < 3; ++axis) {
                        const float quantum = QuantumOf(own.lo[axis], own.hi[axis]);
                        node.lo[axis][slot] =
                            QuantizeDown(exact[k - 1][child].lo[axis], own.lo[axis], quantum);
                        node.hi[axis][slot] =
                            QuantizeUp(exact[k - 1][child].hi[axis], own.lo[axis], quantum);
                        decodedBelow[child].lo[axis] =
                            Dequantize(own.lo[axis], quantum, node.lo[axis][slot]);
                        decodedBelow[child].hi[axis] =
                            Dequantize(own.lo[axis], quantum, node.hi[axis][slot]);
                    }
                }
            }
        }
        decoded = std::move(decodedBelow);
    }
}

}  // namespace host::geometry
