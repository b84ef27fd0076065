// A whole post height computation, preparation included, in the stand-in host through the link
// library: 10,000 posts against a 1,000 x 1,000-point curved surface, and a small job of 200
// posts against 200 x 200 points.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "WaveSurface.h"
#include "core/HeightComputation.h"
#include "core/TableDefinition.h"
#include "host/Host.h"
#include "host/HostApiTable.h"
#include "hostlink/SurfcamCtrl.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/HeadlessBackend.h"

namespace {

// rows x columns vertical posts below the surface, well inside its border.
void AddPosts(TableDefinition& table, int rows, int columns) {
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            PostLocation post;
            post.Section = 1;
            post.Row = r + 1;
            post.Column = c + 1;
            post.Post.point.x = 60.0 + 880.0 * c / (columns - 1);
            post.Post.point.y = 60.0 + 880.0 * r / (rows - 1);
            post.Post.point.z = -100.0;
            table.Append(post);
        }
    }
}

// One job's world: a host whose drawing holds the selected surface, a bound controller, a table.
struct Job {
    host::Host host;
    HostApi api{};
    TableDefinition table;
    CSurfcamCtrl ctrl;

    Job(const std::vector<HostVector3>& points, int gridPoints, int postRows, int postColumns) {
        const std::uint32_t surface = host.ActiveDrawing().Add(
            host::SurfaceGeometry{gridPoints, gridPoints, kHostSurfacePointGrid, 0, points},
            /*color=*/5, /*layer=*/1);
        host.ActiveDrawing().Find(surface)->selected = true;
        api = host::HostApiFor(host);
        AddPosts(table, postRows, postColumns);
        ctrl.Setup(&api);
    }
    ~Job() { ctrl.Shutdown(); }
};

void WholeComputation(benchmark::State& state) {
    platform::SetDialogBackend(std::make_unique<platform::HeadlessBackend>());
    const int gridPoints = int(state.range(0));
    const int postRows = int(state.range(1));
    const int postColumns = int(state.range(2));
    const std::vector<HostVector3> points = bench::WavePoints<HostVector3>(gridPoints);
    int raised = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto job = std::make_unique<Job>(points, gridPoints, postRows, postColumns);
        state.ResumeTiming();

        PrepareHeightComputation(job->ctrl, job->table);
        ComputeAllHeights(job->ctrl, job->table);

        state.PauseTiming();
        raised = 0;
        for (PostLocation* post = job->table.First(); post != nullptr; post = job->table.Next())
            raised += post->Height() > post->Post.point.z ? 1 : 0;
        job.reset();  // shutdown and teardown are not part of the computation
        state.ResumeTiming();
    }
    state.counters["posts raised"] = raised;
    state.counters["posts/s"] = benchmark::Counter(
        double(postRows) * postColumns * state.iterations(), benchmark::Counter::kIsRate);
    platform::ResetDialogSystem();
}

BENCHMARK(WholeComputation)
    ->Args({1000, 100, 100})
    ->Args({200, 10, 20})
    ->ArgNames({"grid", "postRows", "postColumns"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
