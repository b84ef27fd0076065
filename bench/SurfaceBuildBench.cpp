// Building surfaces of 1,000 x 1,000 points side by side: a Surface from points the caller holds
// (the copy a Surface owns, the grid's checks and the patch tree) and an offset of that surface
// (OffsetSurface's grid and the offset's Surface). Both end with a new Surface owning a new grid
// of a million points, as the host's first query of a surface object and its offsets do; an
// offset should cost no more than its source.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "host/geometry/Surface.h"
#include "host/geometry/SurfaceOffset.h"

namespace {

using host::geometry::Surface;
using host::geometry::Vec3;

constexpr int kGridPoints = 1000;
constexpr double kSide = 1000.0;
constexpr double kOffsetDistance = 5.0;

// The wave surface of the projection benchmark: a doubly curved height field with a few hundred
// waves; columns along +x and rows along +y.
std::vector<Vec3> WavePoints(int n) {
    std::vector<Vec3> points;
    points.reserve(std::size_t(n) * n);
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            const double x = kSide * c / (n - 1);
            const double y = kSide * r / (n - 1);
            points.push_back({x, y, 20.0 * std::sin(x / 40.0) * std::cos(y / 55.0) + 0.01 * x});
        }
    }
    return points;
}

void BM_SurfaceFromPoints(benchmark::State& state) {
    const std::vector<Vec3> points = WavePoints(kGridPoints);
    for (auto _ : state) {
        const auto surface = Surface::Make(kGridPoints, kGridPoints, points);
        benchmark::DoNotOptimize(surface->Tree().NodeCount());
    }
}
BENCHMARK(BM_SurfaceFromPoints)->Unit(benchmark::kMillisecond);

// The offset's grid alone, without its tree.
void BM_OffsetGrid(benchmark::State& state) {
    const Surface source = Surface::Make(kGridPoints, kGridPoints, WavePoints(kGridPoints)).Value();
    for (auto _ : state) {
        const auto grid = host::geometry::OffsetSurface(source.Grid(), kOffsetDistance,
                                                        host::geometry::Side::Zero);
        benchmark::DoNotOptimize(grid->Rows());
    }
}
BENCHMARK(BM_OffsetGrid)->Unit(benchmark::kMillisecond);

void BM_OffsetSurface(benchmark::State& state) {
    const Surface source = Surface::Make(kGridPoints, kGridPoints, WavePoints(kGridPoints)).Value();
    for (auto _ : state) {
        auto grid = host::geometry::OffsetSurface(source.Grid(), kOffsetDistance,
                                                  host::geometry::Side::Zero);
        const Surface offset(std::move(*grid));
        benchmark::DoNotOptimize(offset.Tree().NodeCount());
    }
}
BENCHMARK(BM_OffsetSurface)->Unit(benchmark::kMillisecond);

}  // namespace
