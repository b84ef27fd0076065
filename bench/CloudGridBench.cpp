// CApiCloudGrid on a scanned cloud of 1,000,000 points gridded onto 1,000 x 1,000 nodes:
// CreateSurface plus CreateOutsideAndGuessed (target: under 0.2 s), and each step alone.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "hostlink/CloudGrid.h"

namespace {

constexpr int kNodesPerSide = 1000;
constexpr double kSide = kNodesPerSide - 1;  // one unit between nodes

double Height(double x, double y) { return 20.0 + 5.0 * std::sin(x * 0.01) * std::cos(y * 0.013); }

// Scan order, row by row, each point jittered by up to 0.7 node distances, so that some nodes
// get no point and others two; a round hole in the middle leaves longer runs to interpolate.
void AddScannedCloud(CApiCloudGrid& cloud) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> jitter(-0.7, 0.7);
    for (int row = 0; row < kNodesPerSide; ++row) {
        for (int column = 0; column < kNodesPerSide; ++column) {
            double x = column + jitter(random);
            double y = row + jitter(random);
            if (std::hypot(x - 500, y - 500) < 60) x = std::fmod(x + 200, kSide);
            CApiPoint point{0, x, y, Height(x, y)};
            cloud.AddPoint(&point);
        }
    }
}

CApiCloudGrid& SharedCloud() {
    static CApiCloudGrid cloud = [] {
        CApiCloudGrid built;
        AddScannedCloud(built);
        return built;
    }();
    return cloud;
}

// Fresh, empty nodes over the cloud's extent.
void SetUpNodes(CApiCloudGrid& cloud) {
    CApiPoint low{0, 0, 0, 0};
    CApiPoint high{0, kSide, kSide, 0};
    cloud.SetupGrid(kNodesPerSide - 1, kNodesPerSide - 1, &low, &high);
}

void CountNodes(benchmark::State& state, CApiCloudGrid& cloud) {
    int measured = 0;
    int filled = 0;
    for (int k = 0; k < cloud.columns * cloud.rows; ++k) {
        measured += cloud.cells[k].GetFlag() == CApiPointGrid::kMeasured;
        filled += cloud.cells[k].sampleCount > 0;
    }
    state.counters["measured"] = measured;
    state.counters["filled"] = filled;
}

void BM_SurfaceAndOutsideAndGuessed(benchmark::State& state) {
    CApiCloudGrid& cloud = SharedCloud();
    for (auto _ : state) {
        state.PauseTiming();
        SetUpNodes(cloud);
        state.ResumeTiming();
        benchmark::DoNotOptimize(cloud.CreateSurface());
        benchmark::DoNotOptimize(cloud.CreateOutsideAndGuessed());
    }
    CountNodes(state, cloud);
}
BENCHMARK(BM_SurfaceAndOutsideAndGuessed)->Unit(benchmark::kMillisecond);

void BM_CreateSurface(benchmark::State& state) {
    CApiCloudGrid& cloud = SharedCloud();
    for (auto _ : state) {
        state.PauseTiming();
        SetUpNodes(cloud);
        state.ResumeTiming();
        benchmark::DoNotOptimize(cloud.CreateSurface());
    }
}
BENCHMARK(BM_CreateSurface)->Unit(benchmark::kMillisecond);

void BM_CreateOutsideAndGuessed(benchmark::State& state) {
    CApiCloudGrid& cloud = SharedCloud();
    for (auto _ : state) {
        state.PauseTiming();
        SetUpNodes(cloud);
        cloud.CreateSurface();
        state.ResumeTiming();
        benchmark::DoNotOptimize(cloud.CreateOutsideAndGuessed());
    }
}
BENCHMARK(BM_CreateOutsideAndGuessed)->Unit(benchmark::kMillisecond);

// Filling the cloud itself, as a loader does: one AddPoint per point (the list's cost).
void BM_AddPoints(benchmark::State& state) {
    for (auto _ : state) {
        CApiCloudGrid cloud;
        AddScannedCloud(cloud);
        benchmark::DoNotOptimize(cloud.points.Get_Count());
    }
}
BENCHMARK(BM_AddPoints)->Unit(benchmark::kMillisecond)->Iterations(1);

// The extent and spacing come from statistics kept while adding: no pass over the cloud.
void BM_ExtentAndSpacing(benchmark::State& state) {
    CApiCloudGrid& cloud = SharedCloud();
    for (auto _ : state) {
        CApiPoint low;
        CApiPoint high;
        double sx = 0;
        double sy = 0;
        cloud.points.Get_MinMaxPoints(&low, &high);
        cloud.points.Get_GridSpacing(&sx, &sy);
        benchmark::DoNotOptimize(sx + sy + low.x + high.y);
    }
}
BENCHMARK(BM_ExtentAndSpacing);

}  // namespace
