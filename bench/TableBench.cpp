// Table definition reading, program file writing and post lookup on a 1,000,000-post table,
// beside the plain C library loop and a bare fwrite of the same bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "core/OfflineJob.h"
#include "core/ProgramFile.h"
#include "core/TableDefinition.h"
#include "platform/MessageService.h"

namespace {

// A table of `posts` posts: sections of 100 x 100, coordinates with a few decimals.
std::string TableText(int posts) {
    std::string text = "; generated\nEndDiameter 50\nEndLength 21.59\n";
    char line[160];
    std::mt19937 random(1);
    for (int i = 0; i < posts; ++i) {
        const int section = i / 10000 + 1, row = i / 100 % 100 + 1, column = i % 100 + 1;
        std::snprintf(line, sizeof line, "POST %d %d %d  %.3f %.3f %.4f  0 0 1\n", section, row,
                      column, column * 100.0, row * 100.0 + 0.125,
                      100.0 + random() % 100000 / 1000.0);
        text += line;
    }
    return text;
}

const std::string& MillionPostText() {
    static const std::string text = TableText(1'000'000);
    return text;
}

std::filesystem::path TempFile(const char* name) {
    return std::filesystem::temp_directory_path() / name;
}

const std::filesystem::path& MillionPostFile() {
    static const std::filesystem::path path = [] {
        const auto p = TempFile("bench-table-1m.txt");
        std::FILE* f = std::fopen(p.c_str(), "wb");
        std::fwrite(MillionPostText().data(), 1, MillionPostText().size(), f);
        std::fclose(f);
        return p;
    }();
    return path;
}

void SetLinesPerSecond(benchmark::State& state) {
    state.counters["lines/s"] =
        benchmark::Counter(1'000'003.0 * state.iterations(), benchmark::Counter::kIsRate);
}

// The reference: fgets and sscanf over the same file, keeping the posts in a vector.
void BM_ReadFgetsSscanf(benchmark::State& state) {
    for (auto _ : state) {
        std::FILE* f = std::fopen(MillionPostFile().c_str(), "r");
        char line[1024];
        std::vector<PostLocation> posts;
        while (std::fgets(line, sizeof line, f)) {
            if (line[0] != 'P') continue;
            PostLocation p;
            if (std::sscanf(line + 5, "%d %d %d %lf %lf %lf %lf %lf %lf", &p.Section, &p.Row,
                            &p.Column, &p.Post.point.x, &p.Post.point.y, &p.Post.point.z,
                            &p.Post.vect.x, &p.Post.vect.y, &p.Post.vect.z) == 9)
                posts.push_back(p);
        }
        std::fclose(f);
        benchmark::DoNotOptimize(posts.data());
    }
    SetLinesPerSecond(state);
}
BENCHMARK(BM_ReadFgetsSscanf)->Unit(benchmark::kMillisecond);

void BM_ReadTableDefinition(benchmark::State& state) {
    TableDefinition table;
    for (auto _ : state) {
        table.Read(MillionPostFile().string());
        benchmark::DoNotOptimize(table.PostCount());
    }
    SetLinesPerSecond(state);
}
BENCHMARK(BM_ReadTableDefinition)->Unit(benchmark::kMillisecond);

TableDefinition& MillionPostTable() {
    static TableDefinition* table = [] {
        auto* t = new TableDefinition;
        t->ReadText(MillionPostText());
        AssignOwnHeights(*t);
        return t;
    }();
    return *table;
}

// The reference: writing the finished bytes of the program file with one fwrite.
void BM_FwriteProgramBytes(benchmark::State& state) {
    const std::string bytes = ProgramFileText(MillionPostTable());
    const auto path = TempFile("bench-program-fwrite.txt");
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes.size()) * state.iterations());
}
BENCHMARK(BM_FwriteProgramBytes)->Unit(benchmark::kMillisecond);

void BM_WriteProgramFile(benchmark::State& state) {
    const TableDefinition& table = MillionPostTable();
    const auto path = TempFile("bench-program.txt");
    for (auto _ : state) benchmark::DoNotOptimize(WriteProgramFile(table, path.string()));
    state.SetBytesProcessed(static_cast<int64_t>(ProgramFileText(table).size()) *
                            state.iterations());
}
BENCHMARK(BM_WriteProgramFile)->Unit(benchmark::kMillisecond);

// Find on tables of growing size, for posts drawn from the whole table (range(1) == 0; large
// tables then pay for cache misses, not for a scan) or from a fixed set of 1,000 posts.
void BM_Find(benchmark::State& state) {
    const int posts = static_cast<int>(state.range(0));
    const int drawnFrom = state.range(1) == 0 ? posts : 1'000;
    TableDefinition table;
    table.ReadText(TableText(posts));
    (void)table.Find(0, 0, 0);  // builds the index
    std::mt19937 random(3);
    for (auto _ : state) {
        const int i = static_cast<int>(random() % drawnFrom);
        benchmark::DoNotOptimize(table.Find(i / 100 % 100 + 1, i % 100 + 1, i / 10000 + 1));
    }
}
BENCHMARK(BM_Find)->ArgsProduct({{1'000, 100'000, 1'000'000}, {0, 1}});

}  // namespace
