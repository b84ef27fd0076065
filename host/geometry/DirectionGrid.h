// The patches of a surface sorted by where they lie seen along one direction, so that a line
// along it finds the patches it may meet at one look instead of a descent through the tree.
#pragma once

#include <emmintrin.h>

#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "host/geometry/BilinearPatch.h"
#include "host/geometry/LargePages.h"
#include "host/geometry/SurfaceGrid.h"
#include "host/geometry/Vec3.h"

namespace host::geometry {

// A uniform grid of cells on the plane across one direction: each cell lists the patches whose
// projection onto that plane, padded by Pad(), overlaps it. A patch is projected as the box
// around its corners' projections, which holds the whole patch's (the patch lies in its
// corners' convex hull).
class DirectionGrid {
public:
    // The grid along `direction` (of unit length); null where it would not pay: more patches
    // than kMaxPatches, the surface seen edge on, or patches so long across the direction that
    // the lists would grow beyond a few entries per patch.
    [[nodiscard]] static std::unique_ptr<const DirectionGrid> Build(const SurfaceGrid& grid,
                                                                    Vec3 direction);

    // Beyond this many patches the lists and points no longer stay in the caches, and a lookup
    // waits on three memory reads in a row where the tree's descent fetches ahead: in random
    // order the tree is as fast at 700 x 700 points and faster beyond.
    static constexpr std::size_t kMaxPatches = std::size_t{1} << 18;

    [[nodiscard]] Vec3 Direction() const { return direction_; }
    // How far outside its projection a patch is still listed.
    [[nodiscard]] double Pad() const { return pad_; }
    [[nodiscard]] std::size_t Bytes() const {
        return first_.size() * sizeof(std::uint32_t) + patches_.size() * sizeof(std::uint32_t) +
               sizeof *this;
    }

    // Shows `use` the patches whose padded projection may hold the projection of `point`, each
    // by the index of its first corner among the grid's points (row * columns + column); none
    // beyond every patch's.
    template <class Use>
    void ForPatchesAt(Vec3 point, Use&& use) const {
        std::size_t cell = 0;
        int quadrant = 0;
        for (int k = 1; k >= 0; --k) {
            const double at =
                std::floor((Dot(point, across_[k]) - lowest_[k]) * inverseHalfCell_[k]);
            if (!(at >= 0.0 && at < 2.0 * cells_[k])) {
                return;
            }
            const int half = int(at);
            cell = cell * std::size_t(cells_[k]) + std::size_t(half >> 1);
            quadrant = 2 * quadrant + (half & 1);
        }
        const std::uint32_t bit = std::uint32_t{1} << (kQuadrantShift + quadrant);
        const std::uint32_t* list = patches_.data() + first_[cell];
        const std::uint32_t count = first_[cell + 1] - first_[cell];
        for (std::uint32_t i = 0; i < count; ++i) {
            if (list[i] & bit) {
                use(list[i] & kPointMask);
            }
        }
    }

    // The largest line allowance (LineAllowance) of any point of the surface seen from `point`,
    // plus the rounding of the projections onto the grid's plane: no line through `point` meets a
    // patch whose projection lies farther from the point's. The grid can answer for `point` when
    // this is no more than Pad().
    [[nodiscard]] double Reach(Vec3 point, double tolerance) const {
        return (tolerance + 1e-9 * (Norm1(point - centre_) + 2.5 * size_)) * (1.0 + 1e-9) +
               1e-12 * (Norm1(point) + cornersNorm1_);
    }

    // False only where no line along the direction through `point` meets `patch` in
    // IntersectLine: the point's projection lies farther than `reach` (Reach) outside the box of
    // the corners' projections. Both axes at once, one in each lane.
    [[nodiscard]] bool MayMeet(const BilinearPatch& patch, Vec3 point, double reach) const {
        const auto project = [&](const Vec3& c) {
            return _mm_add_pd(_mm_add_pd(_mm_mul_pd(_mm_set1_pd(c.x - point.x), acrossX_),
                                         _mm_mul_pd(_mm_set1_pd(c.y - point.y), acrossY_)),
                              _mm_mul_pd(_mm_set1_pd(c.z - point.z), acrossZ_));
        };
        const __m128d a = project(patch.p00);
        const __m128d b = project(patch.p10);
        const __m128d c = project(patch.p01);
        const __m128d d = project(patch.p11);
        const __m128d lo = _mm_min_pd(_mm_min_pd(a, b), _mm_min_pd(c, d));
        const __m128d hi = _mm_max_pd(_mm_max_pd(a, b), _mm_max_pd(c, d));
        const __m128d outside =
            _mm_or_pd(_mm_cmpgt_pd(lo, _mm_set1_pd(reach)), _mm_cmplt_pd(hi, _mm_set1_pd(-reach)));
        return _mm_movemask_pd(outside) == 0;
    }

private:
    DirectionGrid() = default;

    // An entry is a patch's first point, with a bit for each quarter of the cell its padded
    // projection overlaps (bit 2 * b + a for the half a along the first axis, b along the
    // second): a point in a quarter that a patch misses spares that patch's test.
    static constexpr int kQuadrantShift = 27;
    static_assert(SurfaceGrid::kMaxPoints <= std::size_t{1} << kQuadrantShift);
    static constexpr std::uint32_t kPointMask = (std::uint32_t{1} << kQuadrantShift) - 1;

    Vec3 direction_;
    Vec3 across_[2];   // orthonormal to the direction and to each other
    __m128d acrossX_;  // the two axes' x components side by side
    __m128d acrossY_;
    __m128d acrossZ_;
    double lowest_[2] = {};
    double inverseHalfCell_[2] = {};
    int cells_[2] = {};
    double pad_ = 0.0;
    // The surface's box, for Reach: its centre, Norm1 of its diagonal, and the sum of its
    // corners' Norm1.
    Vec3 centre_;
    double size_ = 0.0;
    double cornersNorm1_ = 0.0;
    // Cell (i, j) lists patches_[first_[c] .. first_[c + 1]), c = j * cells_[0] + i.
    std::vector<std::uint32_t, LargePageAllocator<std::uint32_t>> first_;
    std::vector<std::uint32_t, LargePageAllocator<std::uint32_t>> patches_;
};

// The direction grids of one surface. A grid is built once a run of lines along one direction
// has been long enough to pay for it, and kept while the surface lives; searches running at the
// same time read the grids without locks.
class DirectionGrids {
public:
    // The grid along `direction` (of unit length), or null: none is built (yet) for it.
    [[nodiscard]] const DirectionGrid* Along(const SurfaceGrid& grid, Vec3 direction) {
        const DirectionGrid* latest = latest_.load(std::memory_order_acquire);
        if (latest && latest->Direction() == direction) {
            return latest;
        }
        return CountRun(grid, direction);
    }

    // How many lines in a row along one direction build its grid: a build costs about 50 ns per
    // patch and a line through the tree 250 to 400 ns, so that by then the run has spent on the
    // tree about what the grid costs, and a run costs at most about twice what it would with the
    // grid from its start.
    [[nodiscard]] static constexpr std::size_t RunToBuild(std::size_t patchCount) {
        return patchCount / 4 + 64;
    }

    // Memory held by the grids built so far.
    [[nodiscard]] std::size_t Bytes() const;

private:
    // Directions a surface tries to build a grid for, at most: beyond them it searches its tree.
    static constexpr std::size_t kMaxTries = 4;

    // Lengthens the run of lines along `direction`, and builds or finds its grid once the run
    // is long enough.
    const DirectionGrid* CountRun(const SurfaceGrid& grid, Vec3 direction);
    const DirectionGrid* Find(Vec3 direction) const;
    const DirectionGrid* BuildOnce(const SurfaceGrid& grid, Vec3 direction);

    std::atomic<const DirectionGrid*> latest_{nullptr};
    // The run of lines along one direction (by a hash of its bits): a race between threads only
    // miscounts, which decides no more than when a grid is built.
    std::atomic<std::uint64_t> runKey_{0};
    std::atomic<std::size_t> runLength_{0};
    mutable std::mutex building_;
    std::vector<std::unique_ptr<const DirectionGrid>> built_;
    std::vector<Vec3> refused_;  // directions whose grid would not pay (Build gave none)
};

}  // namespace host::geometry
