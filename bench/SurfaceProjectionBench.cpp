// Projection along a direction onto a 1,000 x 1,000-point curved surface through the patch tree,
// beside Embree (the same grid as two triangles per patch, when built with it) and brute force;
// tree build times; projection cost at 100 x 100, 1,000 x 1,000 and 2,000 x 2,000 points; the
// nearest surface point beside Embree's own nearest-point query.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "host/geometry/Projection.h"
#include "host/geometry/Surface.h"

#include "WaveSurface.h"

#ifdef TAVRO_BENCH_EMBREE
#include <embree3/rtcore.h>
#endif

namespace {

using host::geometry::Surface;
using host::geometry::Vec3;

constexpr int kRays = 1 << 16;

const Surface& WaveSurface(int n) {
    static std::map<int, std::unique_ptr<Surface>> surfaces;
    auto& surface = surfaces[n];
    if (!surface) {
        surface =
            std::make_unique<Surface>(Surface::Make(n, n, bench::WavePoints<Vec3>(n)).Value());
    }
    return *surface;
}

const Vec3 kDirection = [] {
    const Vec3 d{0.05, -0.03, -1.0};
    return (1.0 / host::geometry::Length(d)) * d;
}();

// Starting points above the surface: a 256 x 256 lattice visited row by row, or shuffled.
std::vector<Vec3> RayOrigins(bool shuffled) {
    std::vector<Vec3> origins;
    const int n = 256;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            origins.push_back({60.0 + 880.0 * c / (n - 1), 60.0 + 880.0 * r / (n - 1), 100.0});
        }
    }
    if (shuffled) {
        std::shuffle(origins.begin(), origins.end(), std::mt19937(7));
    }
    return origins;
}

void SetRaysPerSecond(benchmark::State& state, int raysPerIteration) {
    state.counters["rays/s"] = benchmark::Counter(double(raysPerIteration) * state.iterations(),
                                                  benchmark::Counter::kIsRate);
}

// Rays along kDirection, as a job's posts along one axis: after the first run of them the surface
// answers from its grid along that direction where it keeps one. With `varying`, each ray's
// direction differs from the others' in its last digits, so that no run forms and every ray
// searches the tree.
void Project(benchmark::State& state, int n, bool shuffled, bool varying = false) {
    const Surface& surface = WaveSurface(n);
    const std::vector<Vec3> origins = RayOrigins(shuffled);
    std::vector<Vec3> directions(origins.size(), kDirection);
    if (varying) {
        for (std::size_t i = 0; i < directions.size(); ++i) {
            directions[i].x += 1e-12 * double(i);
        }
    }
    int missed = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < origins.size(); ++i) {
            const auto hit = host::geometry::ProjectAlong(surface, origins[i], directions[i]);
            missed += !hit;
            benchmark::DoNotOptimize(hit);
        }
    }
    if (missed > 0) {
        state.SkipWithError("a ray missed the surface");
    }
    SetRaysPerSecond(state, kRays);
    state.counters["grid bytes/patch"] =
        double(surface.Grids().Bytes()) / double(surface.Grid().PatchCount());
}

void BM_TreeRandomOrder(benchmark::State& state) { Project(state, 1000, true); }
void BM_TreeRowOrder(benchmark::State& state) { Project(state, 1000, false); }
BENCHMARK(BM_TreeRandomOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeRowOrder)->Unit(benchmark::kMillisecond);

void BM_TreeBuild(benchmark::State& state) {
    const host::geometry::SurfaceGrid grid =
        host::geometry::SurfaceGrid::Make(1000, 1000, bench::WavePoints<Vec3>(1000)).Value();
    for (auto _ : state) {
        const host::geometry::PatchTree tree(grid);
        tree.PrepareNearest();  // the whole structure, as for both kinds of projection
        benchmark::DoNotOptimize(tree.NodeCount());
    }
    state.counters["bytes/patch"] =
        double(host::geometry::PatchTree(grid).Bytes()) / double(grid.PatchCount());
}
BENCHMARK(BM_TreeBuild)->Unit(benchmark::kMillisecond);

// The reference without acceleration: every patch for every ray.
void BM_BruteForce(benchmark::State& state) {
    const Surface& surface = WaveSurface(1000);
    const std::vector<Vec3> origins = RayOrigins(true);
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            host::geometry::ProjectAlongBruteForce(surface, origins[next++ % kRays], kDirection));
    }
    SetRaysPerSecond(state, 1);
}
BENCHMARK(BM_BruteForce)->Unit(benchmark::kMillisecond)->Iterations(10);

// Cost of one projection as the surface grows, in random order (second argument 1) and in row
// order (0): it should grow like log n, plus the memory hierarchy's toll once the tree no longer
// fits the caches.
void BM_ProjectionCost(benchmark::State& state) {
    Project(state, int(state.range(0)), state.range(1) != 0);
    state.counters["s/ray"] =
        benchmark::Counter(double(kRays) * state.iterations(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ProjectionCost)
    ->ArgsProduct({{100, 1000, 2000}, {1, 0}})
    ->ArgNames({"n", "random"})
    ->Unit(benchmark::kMillisecond);

// The same in random order with every ray's direction its own: the tree alone, as for rays that
// do not come in runs along one direction.
void BM_ProjectionCostVaryingDirections(benchmark::State& state) {
    Project(state, int(state.range(0)), true, true);
    state.counters["s/ray"] =
        benchmark::Counter(double(kRays) * state.iterations(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ProjectionCostVaryingDirections)
    ->Arg(100)
    ->Arg(1000)
    ->ArgName("n")
    ->Unit(benchmark::kMillisecond);

// Nearest surface point (no direction) in random order, from points 15 units above the base plane.
void BM_NearestPointRandomOrder(benchmark::State& state) {
    const Surface& surface = WaveSurface(1000);
    const std::vector<Vec3> origins = RayOrigins(true);
    for (auto _ : state) {
        for (const Vec3& o : origins) {
            benchmark::DoNotOptimize(host::geometry::NearestPoint(surface, o - Vec3{0, 0, 85}));
        }
    }
    SetRaysPerSecond(state, kRays);
}
BENCHMARK(BM_NearestPointRandomOrder)->Unit(benchmark::kMillisecond);

#ifdef TAVRO_BENCH_EMBREE
// The same grid as two triangles per patch in an Embree scene.
struct EmbreeScene {
    RTCDevice device = rtcNewDevice(nullptr);
    RTCScene scene = rtcNewScene(device);
    const float* vertices = nullptr;      // x, y, z of each point, owned by the scene
    const unsigned* triangles = nullptr;  // three point indices per triangle

    explicit EmbreeScene(int n) {
        const std::vector<Vec3> points = bench::WavePoints<Vec3>(n);
        RTCGeometry mesh = rtcNewGeometry(device, RTC_GEOMETRY_TYPE_TRIANGLE);
        auto* points3 = static_cast<float*>(rtcSetNewGeometryBuffer(
            mesh, RTC_BUFFER_TYPE_VERTEX, 0, RTC_FORMAT_FLOAT3, 3 * sizeof(float), points.size()));
        for (std::size_t i = 0; i < points.size(); ++i) {
            points3[3 * i] = float(points[i].x);
            points3[3 * i + 1] = float(points[i].y);
            points3[3 * i + 2] = float(points[i].z);
        }
        vertices = points3;
        const std::size_t patches = std::size_t(n - 1) * (n - 1);
        auto* corners = static_cast<unsigned*>(rtcSetNewGeometryBuffer(
            mesh, RTC_BUFFER_TYPE_INDEX, 0, RTC_FORMAT_UINT3, 3 * sizeof(unsigned), 2 * patches));
        std::size_t t = 0;
        for (int r = 0; r + 1 < n; ++r) {
            for (int c = 0; c + 1 < n; ++c) {
                const unsigned a = r * n + c, b = a + 1, d = a + n, e = d + 1;
                for (const unsigned v : {a, b, e, a, e, d}) {
                    corners[t++] = v;
                }
            }
        }
        triangles = corners;
        rtcCommitGeometry(mesh);
        rtcAttachGeometry(scene, mesh);
        rtcReleaseGeometry(mesh);
        rtcCommitScene(scene);
    }
    ~EmbreeScene() {
        rtcReleaseScene(scene);
        rtcReleaseDevice(device);
    }
};

const EmbreeScene& EmbreeSceneOf(int n) {
    static std::map<int, std::unique_ptr<EmbreeScene>> scenes;
    auto& scene = scenes[n];
    if (!scene) {
        scene = std::make_unique<EmbreeScene>(n);
    }
    return *scene;
}

void EmbreeProject(benchmark::State& state, bool shuffled, int n = 1000) {
    const EmbreeScene& embree = EmbreeSceneOf(n);
    const std::vector<Vec3> origins = RayOrigins(shuffled);
    RTCIntersectContext context;
    int missed = 0;
    for (auto _ : state) {
        for (const Vec3& o : origins) {
            rtcInitIntersectContext(&context);
            RTCRayHit ray{};
            ray.ray.org_x = float(o.x);
            ray.ray.org_y = float(o.y);
            ray.ray.org_z = float(o.z);
            ray.ray.dir_x = float(kDirection.x);
            ray.ray.dir_y = float(kDirection.y);
            ray.ray.dir_z = float(kDirection.z);
            ray.ray.tnear = 0.0f;
            ray.ray.tfar = INFINITY;
            ray.ray.mask = ~0u;
            ray.hit.geomID = RTC_INVALID_GEOMETRY_ID;
            rtcIntersect1(embree.scene, &context, &ray);
            missed += ray.hit.geomID == RTC_INVALID_GEOMETRY_ID;
            benchmark::DoNotOptimize(ray.ray.tfar);
        }
    }
    if (missed > 0) {
        state.SkipWithError("a ray missed the surface");
    }
    SetRaysPerSecond(state, kRays);
}

void BM_EmbreeRandomOrder(benchmark::State& state) { EmbreeProject(state, true); }
void BM_EmbreeRowOrder(benchmark::State& state) { EmbreeProject(state, false); }
BENCHMARK(BM_EmbreeRandomOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmbreeRowOrder)->Unit(benchmark::kMillisecond);

// Embree's cost per ray at the sizes of BM_ProjectionCost.
void BM_EmbreeCost(benchmark::State& state) {
    EmbreeProject(state, state.range(1) != 0, int(state.range(0)));
    state.counters["s/ray"] =
        benchmark::Counter(double(kRays) * state.iterations(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_EmbreeCost)
    ->ArgsProduct({{100, 1000, 2000}, {1, 0}})
    ->ArgNames({"n", "random"})
    ->Unit(benchmark::kMillisecond);

// The point of triangle abc nearest to p: by the region of the triangle's plane that p projects
// into (a corner, an edge or the face), from the barycentric coordinates of the projection.
Vec3 NearestOnTriangle(Vec3 p, Vec3 a, Vec3 b, Vec3 c) {
    const Vec3 ab = b - a;
    const Vec3 ac = c - a;
    const Vec3 ap = p - a;
    const double d1 = Dot(ab, ap);
    const double d2 = Dot(ac, ap);
    if (d1 <= 0.0 && d2 <= 0.0) {
        return a;
    }
    const Vec3 bp = p - b;
    const double d3 = Dot(ab, bp);
    const double d4 = Dot(ac, bp);
    if (d3 >= 0.0 && d4 <= d3) {
        return b;
    }
    const double vc = d1 * d4 - d3 * d2;
    if (vc <= 0.0 && d1 >= 0.0 && d3 <= 0.0) {
        return a + (d1 / (d1 - d3)) * ab;
    }
    const Vec3 cp = p - c;
    const double d5 = Dot(ab, cp);
    const double d6 = Dot(ac, cp);
    if (d6 >= 0.0 && d5 <= d6) {
        return c;
    }
    const double vb = d5 * d2 - d1 * d6;
    if (vb <= 0.0 && d2 >= 0.0 && d6 <= 0.0) {
        return a + (d2 / (d2 - d6)) * ac;
    }
    const double va = d3 * d6 - d5 * d4;
    if (va <= 0.0 && d4 - d3 >= 0.0 && d5 - d6 >= 0.0) {
        return b + ((d4 - d3) / ((d4 - d3) + (d5 - d6))) * (c - b);
    }
    const double denominator = 1.0 / (va + vb + vc);
    return a + (vb * denominator) * ab + (vc * denominator) * ac;
}

// Embree's own nearest-point query (a sphere shrinking around the query point) over the same
// triangles: the peer of BM_NearestPointRandomOrder. Each triangle the search reaches gets its
// nearest point computed here, and the sphere shrinks to the nearest so far.
void BM_EmbreeNearestPointRandomOrder(benchmark::State& state) {
    const EmbreeScene& embree = EmbreeSceneOf(1000);
    const std::vector<Vec3> origins = RayOrigins(true);
    struct Nearest {
        const EmbreeScene* scene;
        Vec3 point;
        double distanceSq;
    };
    const auto examine = [](RTCPointQueryFunctionArguments* args) {
        auto& nearest = *static_cast<Nearest*>(args->userPtr);
        const unsigned* corner = nearest.scene->triangles + 3 * std::size_t(args->primID);
        const auto vertex = [&](int k) {
            const float* v = nearest.scene->vertices + 3 * std::size_t(corner[k]);
            return Vec3{v[0], v[1], v[2]};
        };
        const Vec3 p{args->query->x, args->query->y, args->query->z};
        const Vec3 q = NearestOnTriangle(p, vertex(0), vertex(1), vertex(2));
        const double distanceSq = Dot(q - p, q - p);
        if (distanceSq >= nearest.distanceSq) {
            return false;
        }
        nearest.point = q;
        nearest.distanceSq = distanceSq;
        args->query->radius = float(std::sqrt(distanceSq));
        return true;  // the sphere shrank
    };
    const auto search = [&](Vec3 point) {
        RTCPointQuery query;
        query.x = float(point.x);
        query.y = float(point.y);
        query.z = float(point.z);
        query.radius = INFINITY;
        query.time = 0.0f;
        RTCPointQueryContext context;
        rtcInitPointQueryContext(&context);
        Nearest nearest{&embree, {}, INFINITY};
        rtcPointQuery(embree.scene, &query, &context, examine, &nearest);
        return nearest;
    };
    for (auto _ : state) {
        for (const Vec3& o : origins) {
            benchmark::DoNotOptimize(search(o - Vec3{0, 0, 85}).point);
        }
    }
    // The same query as ours: the distances agree up to the triangles' departure from the
    // patches (a few thousandths here).
    for (std::size_t i = 0; i < origins.size(); i += 256) {
        const Vec3 point = origins[i] - Vec3{0, 0, 85};
        const double ours = host::geometry::NearestPoint(WaveSurface(1000), point)->distance;
        if (!(std::abs(std::sqrt(search(point).distanceSq) - ours) < 0.01)) {
            state.SkipWithError("Embree's nearest point differs from ours");
        }
    }
    SetRaysPerSecond(state, kRays);
}
BENCHMARK(BM_EmbreeNearestPointRandomOrder)->Unit(benchmark::kMillisecond);

void BM_EmbreeBuild(benchmark::State& state) {
    for (auto _ : state) {
        const EmbreeScene embree(1000);
        benchmark::DoNotOptimize(embree.scene);
    }
}
BENCHMARK(BM_EmbreeBuild)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

}  // namespace
