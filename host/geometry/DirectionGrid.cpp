// Building the direction grids, and deciding when one is worth it.
#include "host/geometry/DirectionGrid.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace host::geometry {
namespace {

// Lists longer than this many entries per patch on average make the grid a poor bargain.
constexpr std::size_t kMaxEntriesPerPatch = 8;
// Cells at most per patch, so that the cell index stays small beside the patches.
constexpr double kMaxCellsPerPatch = 2.0;
// The padding of the lists, as a share of a cell: queries whose rounding allowance is larger
// search the tree instead.
constexpr double kPadPerCell = 1.0 / 64.0;

// Two unit vectors across `direction` and across each other.
std::array<Vec3, 2> AcrossAxes(Vec3 direction) {
    const Vec3 helper = std::abs(direction.x) < 0.6 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    const Vec3 first = Cross(direction, helper);
    const Vec3 unit = (1.0 / Length(first)) * first;
    return {unit, Cross(direction, unit)};
}

// Where the points lie on the plane across the direction.
using Flat = std::array<double, 2>;

// The box around a patch's corners on that plane.
struct FlatBox {
    Flat lo;
    Flat hi;
};

// Calls `use(firstPoint, box)` for every patch, row after row: `firstPoint` is the index of its
// first corner among the grid's points. Each grid row is projected once per call, into two rows
// of storage that take turns: a projection of the whole grid would be fresh memory, whose first
// touch costs more than projecting the rows again.
template <class Use>
void ForEachPatchBox(const SurfaceGrid& grid, const std::array<Vec3, 2>& across, Use&& use) {
    const int columns = grid.Columns();
    std::vector<Flat> below(static_cast<std::size_t>(columns));
    std::vector<Flat> above(static_cast<std::size_t>(columns));
    const auto project = [&](int row, std::vector<Flat>& out) {
        for (int column = 0; column < columns; ++column) {
            const Vec3 p = grid.At(row, column);
            out[std::size_t(column)] = {Dot(p, across[0]), Dot(p, across[1])};
        }
    };
    project(0, below);
    for (int row = 0; row < grid.PatchRows(); ++row) {
        project(row + 1, above);
        for (int column = 0; column < grid.PatchColumns(); ++column) {
            const std::size_t c = std::size_t(column);
            FlatBox box{below[c], below[c]};
            for (const Flat& corner : {below[c + 1], above[c], above[c + 1]}) {
                for (int k = 0; k < 2; ++k) {
                    box.lo[k] = std::min(box.lo[k], corner[k]);
                    box.hi[k] = std::max(box.hi[k], corner[k]);
                }
            }
            use(std::size_t(row) * std::size_t(columns) + c, box);
        }
        std::swap(below, above);
    }
}

// The two bits for the halves of cell `cell` that the half cells [first, last] cover.
std::uint32_t HalvesCovered(int first, int last, int cell) {
    const auto covered = [&](int half) { return half >= first && half <= last; };
    return std::uint32_t(covered(2 * cell)) | std::uint32_t(covered(2 * cell + 1)) << 1;
}

// A key for a run of lines along one direction; equal directions have equal keys.
std::uint64_t KeyOf(Vec3 direction) {
    const std::uint64_t x = std::bit_cast<std::uint64_t>(direction.x);
    const std::uint64_t y = std::bit_cast<std::uint64_t>(direction.y);
    const std::uint64_t z = std::bit_cast<std::uint64_t>(direction.z);
    return (x * 0x9E3779B97F4A7C15ull) ^ (y * 0xC2B2AE3D27D4EB4Full) ^ (z * 0x165667B19E3779F9ull);
}

}  // namespace

std::unique_ptr<const DirectionGrid> DirectionGrid::Build(const SurfaceGrid& grid, Vec3 direction) {
    if (grid.PatchCount() > kMaxPatches) {
        return nullptr;
    }
    const std::array<Vec3, 2> across = AcrossAxes(direction);
    const std::size_t patchCount = grid.PatchCount();
    const auto forEachPatch = [&](auto&& use) { ForEachPatchBox(grid, across, use); };

    Flat lowest{INFINITY, INFINITY};
    Flat highest{-INFINITY, -INFINITY};
    Flat sizeSum{0.0, 0.0};
    forEachPatch([&](std::size_t, const FlatBox& box) {
        for (int k = 0; k < 2; ++k) {
            lowest[k] = std::min(lowest[k], box.lo[k]);
            highest[k] = std::max(highest[k], box.hi[k]);
            sizeSum[k] += box.hi[k] - box.lo[k];
        }
    });
    // Cells about the size of a patch's projection on average, at most kMaxCellsPerPatch.
    std::unique_ptr<DirectionGrid> out(new DirectionGrid);
    double cellCount = 1.0;
    Flat span;
    for (int k = 0; k < 2; ++k) {
        span[k] = highest[k] - lowest[k];
        const double meanSize = sizeSum[k] / double(patchCount);
        if (!(meanSize > 0.0) || !std::isfinite(span[k])) {
            return nullptr;  // seen edge on: no area to spread the patches over
        }
        out->cells_[k] = int(std::clamp(std::ceil(span[k] / meanSize), 1.0, double(patchCount)));
        cellCount *= out->cells_[k];
    }
    if (cellCount > kMaxCellsPerPatch * double(patchCount)) {
        const double shrink = std::sqrt(cellCount / (kMaxCellsPerPatch * double(patchCount)));
        for (int& cells : out->cells_) {
            cells = std::max(1, int(cells / shrink));
        }
    }
    out->pad_ = kPadPerCell * std::min(span[0] / out->cells_[0], span[1] / out->cells_[1]);
    for (int k = 0; k < 2; ++k) {
        out->lowest_[k] = lowest[k] - 2.0 * out->pad_;
        out->inverseHalfCell_[k] = 2.0 * out->cells_[k] / (span[k] + 4.0 * out->pad_);
    }
    out->centre_ = 0.5 * (grid.Lowest() + grid.Highest());
    out->size_ = Norm1(grid.Highest() - grid.Lowest());
    out->cornersNorm1_ = Norm1(grid.Lowest()) + Norm1(grid.Highest());
    out->direction_ = direction;
    out->across_[0] = across[0];
    out->across_[1] = across[1];
    out->acrossX_ = _mm_set_pd(across[1].x, across[0].x);
    out->acrossY_ = _mm_set_pd(across[1].y, across[0].y);
    out->acrossZ_ = _mm_set_pd(across[1].z, across[0].z);

    // The half cells a patch's padded box overlaps, as [first, last] along each axis, by the
    // same arithmetic as the lookup's.
    const auto halfRange = [&](const FlatBox& box, int k) {
        const auto half = [&](double at) {
            return std::clamp(int(std::floor((at - out->lowest_[k]) * out->inverseHalfCell_[k])), 0,
                              2 * out->cells_[k] - 1);
        };
        return std::array<int, 2>{half(box.lo[k] - out->pad_), half(box.hi[k] + out->pad_)};
    };
    // Calls `list(cell, quadrants)` for each cell the patch's box overlaps, with the entry's
    // bits for the quarters it overlaps.
    const auto forEachCell = [&](const FlatBox& box, auto&& list) {
        const std::array<int, 2> a = halfRange(box, 0);
        const std::array<int, 2> b = halfRange(box, 1);
        for (int j = b[0] >> 1; j <= b[1] >> 1; ++j) {
            const std::uint32_t rowHalves = HalvesCovered(b[0], b[1], j);
            for (int i = a[0] >> 1; i <= a[1] >> 1; ++i) {
                const std::uint32_t columnHalves = HalvesCovered(a[0], a[1], i);
                const std::uint32_t quadrants = ((rowHalves & 1) ? columnHalves : 0) |
                                                ((rowHalves & 2) ? columnHalves << 2 : 0);
                list(std::size_t(j) * std::size_t(out->cells_[0]) + std::size_t(i),
                     quadrants << kQuadrantShift);
            }
        }
    };
    const std::size_t cells = std::size_t(out->cells_[0]) * std::size_t(out->cells_[1]);
    out->first_.assign(cells + 1, 0);
    std::size_t entries = 0;
    forEachPatch([&](std::size_t, const FlatBox& box) {
        forEachCell(box, [&](std::size_t cell, std::uint32_t) {
            ++entries;
            ++out->first_[cell + 1];
        });
    });
    if (entries > kMaxEntriesPerPatch * patchCount) {
        return nullptr;
    }
    for (std::size_t c = 0; c < cells; ++c) {
        out->first_[c + 1] += out->first_[c];
    }
    // Each cell's list filled from its start; first_[c] then ends cell c, and moves up by one.
    out->patches_.resize(entries);
    forEachPatch([&](std::size_t firstPoint, const FlatBox& box) {
        forEachCell(box, [&](std::size_t cell, std::uint32_t quadrants) {
            out->patches_[out->first_[cell]++] = std::uint32_t(firstPoint) | quadrants;
        });
    });
    std::copy_backward(out->first_.begin(), out->first_.end() - 1, out->first_.end());
    out->first_[0] = 0;
    return out;
}

const DirectionGrid* DirectionGrids::CountRun(const SurfaceGrid& grid, Vec3 direction) {
    const std::uint64_t key = KeyOf(direction);
    std::size_t length = 1;
    if (runKey_.load(std::memory_order_relaxed) == key) {
        length = runLength_.load(std::memory_order_relaxed) + 1;
    } else {
        runKey_.store(key, std::memory_order_relaxed);
    }
    runLength_.store(length, std::memory_order_relaxed);
    // The line that makes the run long enough builds (or finds) the grid, and no other does.
    if (length != RunToBuild(grid.PatchCount())) {
        return nullptr;
    }
    return BuildOnce(grid, direction);
}

const DirectionGrid* DirectionGrids::Find(Vec3 direction) const {
    for (const auto& built : built_) {
        if (built->Direction() == direction) {
            return built.get();
        }
    }
    return nullptr;
}

const DirectionGrid* DirectionGrids::BuildOnce(const SurfaceGrid& grid, Vec3 direction) {
    const std::lock_guard lock(building_);
    const DirectionGrid* found = Find(direction);
    const bool tried = std::find(refused_.begin(), refused_.end(), direction) != refused_.end();
    if (!found && !tried && built_.size() + refused_.size() < kMaxTries) {
        std::unique_ptr<const DirectionGrid> made = DirectionGrid::Build(grid, direction);
        if (made) {
            found = made.get();
            built_.push_back(std::move(made));
        } else {
            refused_.push_back(direction);
        }
    }
    if (found) {
        latest_.store(found, std::memory_order_release);
    }
    return found;
}

std::size_t DirectionGrids::Bytes() const {
    const std::lock_guard lock(building_);
    std::size_t bytes = 0;
    for (const auto& built : built_) {
        bytes += built->Bytes();
    }
    return bytes;
}

}  // namespace host::geometry
