// The height review opened, switched to the second section and closed with OK, on an ordinary
// table, a large one, and tables whose post numbers were mistyped into the billions. Built twice:
// headless (review_bench) and on the desktop backend (desktop_review_bench); the backend comes
// from the file linked beside this one (bench/ReviewBackend.h).
#include <benchmark/benchmark.h>

#include <memory>

#include "ReviewBackend.h"
#include "core/TableDefinition.h"
#include "dialogs/AddinModule.h"
#include "dialogs/DlgModifyValues.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/SessionScript.h"

namespace {

// `sections` sections of rows x columns posts, then one post numbered (section, row, column).
void FillTable(TableDefinition& table, int sections, int rows, int columns, int section = 0,
               int row = 0, int column = 0) {
    PostLocation post;
    for (int s = 1; s <= sections; ++s)
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= columns; ++c) {
                post.Section = s;
                post.Row = r;
                post.Column = c;
                post.Hit0.point.z = 100.0 + r + c / 1000.0;
                table.Append(post);
            }
    if (section > 0) {
        post.Section = section;
        post.Row = row;
        post.Column = column;
        table.Append(post);
    }
}

void RunReview(benchmark::State& state, TableDefinition& table) {
    platform::ModuleScope addin(dialogs::AddinModule());
    for (auto _ : state) {
        platform::ResetDialogSystem();
        platform::SetDialogBackend(MakeReviewBackend(platform::SessionScript(
            *platform::ReadSessionScript("select sections 1\npress ok\n"))));
        CDlgModifyValues review;
        review.Table = &table;
        benchmark::DoNotOptimize(review.DoModal());
    }
    platform::ResetDialogSystem();
    state.counters["posts"] = static_cast<double>(table.PostCount());
}

void BM_ReviewOrdinaryTable(benchmark::State& state) {
    TableDefinition table;
    FillTable(table, 3, 20, 30);
    RunReview(state, table);
}
BENCHMARK(BM_ReviewOrdinaryTable)->Unit(benchmark::kMicrosecond);

void BM_ReviewLargeTable(benchmark::State& state) {
    TableDefinition table;
    FillTable(table, 10, 100, 100);
    RunReview(state, table);
}
BENCHMARK(BM_ReviewLargeTable)->Unit(benchmark::kMillisecond);

void BM_ReviewRowMistyped(benchmark::State& state) {
    TableDefinition table;
    FillTable(table, 2, 4, 5, 1, 2'000'000'000, 1);
    RunReview(state, table);
}
BENCHMARK(BM_ReviewRowMistyped)->Unit(benchmark::kMicrosecond);

void BM_ReviewColumnMistyped(benchmark::State& state) {
    TableDefinition table;
    FillTable(table, 2, 4, 5, 1, 1, 2'000'000'000);
    RunReview(state, table);
}
BENCHMARK(BM_ReviewColumnMistyped)->Unit(benchmark::kMicrosecond);

void BM_ReviewSectionMistyped(benchmark::State& state) {
    TableDefinition table;
    FillTable(table, 2, 4, 5, 2'000'000'000, 1, 1);
    RunReview(state, table);
}
BENCHMARK(BM_ReviewSectionMistyped)->Unit(benchmark::kMicrosecond);

}  // namespace
