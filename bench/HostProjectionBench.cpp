// Projection through the host's operations table onto one handed-out surface object, beside the
// same projection straight on the geometry: the table's cost per call once the object's geometry
// is built, and the cost of the first query of a fresh object (the build).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "host/Host.h"
#include "host/HostApiTable.h"
#include "host/geometry/Projection.h"

namespace {

constexpr int kSize = 1000;  // points per row and per column, unless the benchmark says
constexpr double kSide = 1000.0;

HostVector3 WavePoint(int size, int row, int column) {
    const double x = kSide * column / (size - 1);
    const double y = kSide * row / (size - 1);
    return {x, y, 20.0 * std::sin(x / 40.0) * std::cos(y / 55.0) + 0.01 * x};
}

HostSurfaceObject* NewWave(const HostApi& api, int size) {
    HostSurfaceObject* s = api.HostNewSurface(kHostSurfacePointGrid, 0, size, size);
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c) s->points[r * size + c] = WavePoint(size, r, c);
    return s;
}

// Points above the surface in random order.
std::vector<HostVector3> Origins() {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> across(10.0, kSide - 10.0);
    std::vector<HostVector3> origins(1 << 16);
    for (HostVector3& p : origins) p = {across(random), across(random), 100.0};
    return origins;
}

HostViewRecord TopView() {
    HostViewRecord view{};
    const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::memcpy(view.matrix, identity, sizeof identity);
    return view;
}

void BM_ProjectPointThroughTable(benchmark::State& state) {
    host::Host h;
    const HostApi api = host::HostApiFor(h);
    HostSurfaceObject* surface = NewWave(api, int(state.range(0)));
    const std::vector<HostVector3> origins = Origins();
    const HostViewRecord view = TopView();
    std::size_t next = 0;
    for (auto _ : state) {
        HostVector3 out;
        int status = 1;
        const HostVector3& p = origins[next++ & (origins.size() - 1)];
        benchmark::DoNotOptimize(api.HostProjectPoint(surface, &p, &view, 0.0001, &out, &status));
        benchmark::DoNotOptimize(out);
    }
    state.counters["builds"] = double(h.SurfaceBuilds());
    state.SetItemsProcessed(state.iterations());
    api.HostFree(surface);
}
// 1,000 x 1,000 points, and 10 x 10 where the projection itself costs little.
BENCHMARK(BM_ProjectPointThroughTable)->Arg(kSize)->Arg(10);

void BM_ProjectAlongDirectly(benchmark::State& state) {
    const int size = int(state.range(0));
    std::vector<host::geometry::Vec3> points;
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c) {
            const HostVector3 p = WavePoint(size, r, c);
            points.push_back({p.x, p.y, p.z});
        }
    const host::geometry::Surface surface =
        host::geometry::Surface::Make(size, size, std::move(points)).Value();
    const std::vector<HostVector3> origins = Origins();
    std::size_t next = 0;
    for (auto _ : state) {
        const HostVector3& p = origins[next++ & (origins.size() - 1)];
        benchmark::DoNotOptimize(
            host::geometry::ProjectAlong(surface, {p.x, p.y, p.z}, {0, 0, 1}, 0.0001));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ProjectAlongDirectly)->Arg(kSize)->Arg(10);

// A fresh copy of a drawing surface and its first projection: the geometry's build.
void BM_FirstProjectionOfAFreshCopy(benchmark::State& state) {
    host::Host h;
    const HostApi api = host::HostApiFor(h);
    HostSurfaceObject* wave = NewWave(api, kSize);
    api.HostAddSurface(api.HostDrawing(), wave);
    api.HostFree(wave);
    const HostHandle handle = api.HostFirstEntity(api.HostDrawing());
    const HostViewRecord view = TopView();
    const HostVector3 p{500, 500, 100};
    for (auto _ : state) {
        HostSurfaceObject* copy = api.HostGetSurface(handle);
        HostVector3 out;
        int status = 1;
        benchmark::DoNotOptimize(api.HostProjectPoint(copy, &p, &view, 0.0001, &out, &status));
        api.HostFree(copy);
    }
    state.SetLabel("1,000 x 1,000 points, copy included");
}
BENCHMARK(BM_FirstProjectionOfAFreshCopy)->Unit(benchmark::kMillisecond);

}  // namespace
