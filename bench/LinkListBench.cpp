// CLinkList on 1,000,000 points: sequential walk, indexed access after one sequential pass and
// appending, beside std::vector and std::list holding the same points.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <iterator>
#include <list>
#include <random>
#include <vector>

#include "hostlink/ApiGeometry.h"
#include "hostlink/LinkList.h"

namespace {

constexpr int kCount = 1'000'000;

CApiPoint PointNumber(int i) { return CApiPoint{0, i * 0.5, i * 0.25, 1.0}; }

struct Lists {
    CLinkList linkList;
    std::vector<CApiPoint> vector;
    std::list<CApiPoint> list;
    std::vector<int> randomIndices;
};

// Built once; the link list has had its one sequential pass, so its skip cache is filled.
Lists& Shared() {
    static Lists lists = [] {
        Lists built;
        for (int i = 0; i < kCount; ++i) {
            const CApiPoint point = PointNumber(i);
            built.linkList.AddBlock(&point, sizeof point);
            built.vector.push_back(point);
            built.list.push_back(point);
        }
        for (void* block = built.linkList.GoFirst(); block != nullptr;
             block = built.linkList.GoNext()) {
        }
        std::mt19937 random(2024);
        std::uniform_int_distribution<int> index(0, kCount - 1);
        built.randomIndices.resize(4096);
        for (int& i : built.randomIndices) i = index(random);
        return built;
    }();
    return lists;
}

void SequentialLinkList(benchmark::State& state) {
    CLinkList& list = Shared().linkList;
    for (auto _ : state) {
        double sum = 0;
        for (void* block = list.GoFirst(); block != nullptr; block = list.GoNext())
            sum += static_cast<const CApiPoint*>(block)->x;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

void SequentialVector(benchmark::State& state) {
    const std::vector<CApiPoint>& points = Shared().vector;
    for (auto _ : state) {
        double sum = 0;
        for (const CApiPoint& point : points) sum += point.x;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

void SequentialStdList(benchmark::State& state) {
    const std::list<CApiPoint>& points = Shared().list;
    for (auto _ : state) {
        double sum = 0;
        for (const CApiPoint& point : points) sum += point.x;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

void RandomBlockAt(benchmark::State& state) {
    Lists& lists = Shared();
    CLinkList& list = lists.linkList;
    // The walk lengths of the same sequence of calls, counted before timing.
    int maxSteps = 0;
    for (int round = 0; round < 2; ++round) {
        for (const int index : lists.randomIndices) {
            maxSteps = std::max(maxSteps, list.StepsTo(index));
            list.BlockAt(index);
        }
    }
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.BlockAt(lists.randomIndices[next]));
        next = (next + 1) % lists.randomIndices.size();
    }
    state.counters["max_steps"] = maxSteps;
    state.SetItemsProcessed(state.iterations());
}

void RandomVector(benchmark::State& state) {
    Lists& lists = Shared();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(&lists.vector[lists.randomIndices[next]]);
        next = (next + 1) % lists.randomIndices.size();
    }
    state.SetItemsProcessed(state.iterations());
}

void RandomStdList(benchmark::State& state) {
    Lists& lists = Shared();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(&*std::next(lists.list.begin(), lists.randomIndices[next]));
        next = (next + 1) % lists.randomIndices.size();
    }
    state.SetItemsProcessed(state.iterations());
}

void AppendLinkList(benchmark::State& state) {
    for (auto _ : state) {
        CLinkList list;
        for (int i = 0; i < kCount; ++i) {
            const CApiPoint point = PointNumber(i);
            list.AddBlock(&point, sizeof point);
        }
        benchmark::DoNotOptimize(list.CurrentBlock());
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

void AppendVector(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<CApiPoint> points;
        for (int i = 0; i < kCount; ++i) points.push_back(PointNumber(i));
        benchmark::DoNotOptimize(points.data());
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

void AppendStdList(benchmark::State& state) {
    for (auto _ : state) {
        std::list<CApiPoint> points;
        for (int i = 0; i < kCount; ++i) points.push_back(PointNumber(i));
        benchmark::DoNotOptimize(&points.back());
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

BENCHMARK(SequentialLinkList)->Unit(benchmark::kMillisecond);
BENCHMARK(SequentialVector)->Unit(benchmark::kMillisecond);
BENCHMARK(SequentialStdList)->Unit(benchmark::kMillisecond);
BENCHMARK(RandomBlockAt);
BENCHMARK(RandomVector);
BENCHMARK(RandomStdList)->Unit(benchmark::kMicrosecond);
BENCHMARK(AppendLinkList)->Unit(benchmark::kMillisecond);
BENCHMARK(AppendVector)->Unit(benchmark::kMillisecond);
BENCHMARK(AppendStdList)->Unit(benchmark::kMillisecond);

}  // namespace
