// Building surfaces of 1,000 x 1,000 points side by side: a Surface from points the caller holds
// (the copy a Surface owns, the grid's checks and the patch tree) and an offset of that surface
// (OffsetSurface's grid, alone and with the offset's Surface). Both end with a new Surface owning
// a new grid of a million points, as the host's first query of a surface object and its offsets
// do. The offset's grid should cost no more than the whole source Surface, so that an offset
// Surface costs no more than its source plus the offset's own tree.
#include <benchmark/benchmark.h>

#include <vector>

#include "WaveSurface.h"
#include "host/geometry/Surface.h"
#include "host/geometry/SurfaceOffset.h"

namespace {

using host::geometry::Surface;
using host::geometry::Vec3;

constexpr int kGridPoints = 1000;
constexpr double kOffsetDistance = 5.0;

Surface Source() {
    return Surface::Make(kGridPoints, kGridPoints, bench::WavePoints<Vec3>(kGridPoints)).Value();
}

void BM_SurfaceFromPoints(benchmark::State& state) {
    const std::vector<Vec3> points = bench::WavePoints<Vec3>(kGridPoints);
    for (auto _ : state) {
        const auto surface = Surface::Make(kGridPoints, kGridPoints, points);
        benchmark::DoNotOptimize(surface->Tree().NodeCount());
    }
}
BENCHMARK(BM_SurfaceFromPoints)->Unit(benchmark::kMillisecond);

// The offset's grid alone, without its tree.
void BM_OffsetGrid(benchmark::State& state) {
    const Surface source = Source();
    for (auto _ : state) {
        const auto grid = host::geometry::OffsetSurface(source.Grid(), kOffsetDistance,
                                                        host::geometry::Side::Zero);
        benchmark::DoNotOptimize(grid->Rows());
    }
}
BENCHMARK(BM_OffsetGrid)->Unit(benchmark::kMillisecond);

void BM_OffsetSurface(benchmark::State& state) {
    const Surface source = Source();
    for (auto _ : state) {
        auto grid = host::geometry::OffsetSurface(source.Grid(), kOffsetDistance,
                                                  host::geometry::Side::Zero);
        const Surface offset(std::move(*grid));
        benchmark::DoNotOptimize(offset.Tree().NodeCount());
    }
}
BENCHMARK(BM_OffsetSurface)->Unit(benchmark::kMillisecond);

}  // namespace
