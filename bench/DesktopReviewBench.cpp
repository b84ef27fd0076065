// The height review on the desktop backend (real widgets, Qt's offscreen platform): opened,
// switched to the first section and closed with OK, on an ordinary table, a large one, and
// tables whose post numbers were mistyped into the billions (a grid of two billion rows).
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <memory>

#include "core/TableDefinition.h"
#include "dialogs/AddinModule.h"
#include "dialogs/DlgModifyValues.h"
#include "platform/desktop/DesktopBackend.h"
#include "platform/dialog/DialogSystem.h"

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
    ::setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    platform::ModuleScope addin(AddinModule());
    for (auto _ : state) {
        platform::ResetDialogSystem();
        platform::SetDialogBackend(std::make_unique<desktop::DesktopBackend>(
            platform::SessionScript(*platform::ReadSessionScript("select sections 1\npress ok\n")),
            /*scripted=*/true));
        CDlgModifyValues review;
        review.Table = &table;
        benchmark::DoNotOptimize(review.DoModal());
    }
    platform::ResetDialogSystem();
    state.counters["posts"] = static_cast<double>(table.PostCount());
}

void BM_DesktopReviewOrdinaryTable(benchmark::State& state) {
    TableDefinition table;
    FillTable(table, 3, 20, 30);
    RunReview(state, table);
}
BENCHMARK(BM_DesktopReviewOrdinaryTable)->Unit(benchmark::kMicrosecond);

void BM_DesktopReviewLargeTable(benchmark::State& state) {
    TableDefinition table;
    FillTable(table, 10, 100, 100);
    RunReview(state, table);
}
BENCHMARK(BM_DesktopReviewLargeTable)->Unit(benchmark::kMillisecond);

void BM_DesktopReviewRowMistyped(benchmark::State& state) {
    TableDefinition table;
    FillTable(table, 2, 4, 5, 1, 2'000'000'000, 1);
    RunReview(state, table);
}
BENCHMARK(BM_DesktopReviewRowMistyped)->Unit(benchmark::kMicrosecond);

void BM_DesktopReviewColumnMistyped(benchmark::State& state) {
    TableDefinition table;
    FillTable(table, 2, 4, 5, 1, 1, 2'000'000'000);
    RunReview(state, table);
}
BENCHMARK(BM_DesktopReviewColumnMistyped)->Unit(benchmark::kMicrosecond);

void BM_DesktopReviewSectionMistyped(benchmark::State& state) {
    TableDefinition table;
    FillTable(table, 2, 4, 5, 2'000'000'000, 1, 1);
    RunReview(state, table);
}
BENCHMARK(BM_DesktopReviewSectionMistyped)->Unit(benchmark::kMicrosecond);

}  // namespace
