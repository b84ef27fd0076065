// The grid's geometry in 64-bit arithmetic: a row two billion lines down is far, not wrapped.
#include "platform/win32/GridLayout.h"

#include <algorithm>

namespace win32 {
namespace {

// Places far outside the view are kept this far out, where they still fit an int.
constexpr long long kFarAway = 0x4000'0000;

}  // namespace

void GridAxis::SetCount(int count, int fixed) {
    count_ = std::max(count, 0);
    fixed_ = std::clamp(fixed, 0, count_);
    ScrollTo(first_);
}

void GridAxis::SetSize(int size) {
    size_ = std::max(size, 1);
    ScrollTo(first_);
}

void GridAxis::SetView(int view) {
    view_ = std::max(view, 0);
    ScrollTo(first_);
}

long long GridAxis::HeaderExtent() const { return static_cast<long long>(fixed_) * size_; }

int GridAxis::BodyShown() const {
    return static_cast<int>(std::max<long long>(1, (view_ - HeaderExtent()) / size_));
}

void GridAxis::ScrollTo(long long first) {
    const long long last =
        std::max<long long>(fixed_, static_cast<long long>(count_) - BodyShown());
    first_ = static_cast<int>(std::clamp<long long>(first, fixed_, last));
}

bool GridAxis::Reveal(int line) {
    if (line < fixed_ || line >= count_) return false;
    const int before = first_;
    if (line < first_) ScrollTo(line);
    if (line - static_cast<long long>(first_) >= BodyShown()) ScrollTo(line - BodyShown() + 1LL);
    return first_ != before;
}

int GridAxis::Start(int line) const {
    const long long start = line < fixed_
                                ? static_cast<long long>(line) * size_
                                : HeaderExtent() + (static_cast<long long>(line) - first_) * size_;
    return static_cast<int>(std::clamp(start, -kFarAway, kFarAway));
}

std::optional<int> GridAxis::At(int place) const {
    if (place < 0) return std::nullopt;
    const long long line =
        place < HeaderExtent() ? place / size_ : first_ + (place - HeaderExtent()) / size_;
    if (line >= count_) return std::nullopt;
    return static_cast<int>(line);
}

std::vector<int> GridAxis::Shown() const {
    std::vector<int> lines;
    for (int line = 0; line < fixed_ && static_cast<long long>(line) * size_ < view_; ++line)
        lines.push_back(line);
    long long start = HeaderExtent();
    for (int line = first_; line < count_ && start < view_; ++line, start += size_)
        lines.push_back(line);
    return lines;
}

void GridLayout::SetCounts(int rows, int columns, int fixedRows, int fixedColumns) {
    rows_.SetCount(rows, fixedRows);
    columns_.SetCount(columns, fixedColumns);
}

void GridLayout::SetCellSize(int width, int height) {
    columns_.SetSize(width);
    rows_.SetSize(height);
}

void GridLayout::SetViewSize(int width, int height) {
    columns_.SetView(width);
    rows_.SetView(height);
}

bool GridLayout::Contains(int row, int column) const {
    return row >= 0 && row < rows_.Count() && column >= 0 && column < columns_.Count();
}

bool GridLayout::IsBodyCell(int row, int column) const {
    return Contains(row, column) && row >= rows_.Fixed() && column >= columns_.Fixed();
}

bool GridLayout::Reveal(int row, int column) {
    const bool rowMoved = rows_.Reveal(row);
    const bool columnMoved = columns_.Reveal(column);
    return rowMoved || columnMoved;
}

platform::PixelRect GridLayout::CellPlace(int row, int column) const {
    return {columns_.Start(column), rows_.Start(row), columns_.Size(), rows_.Size()};
}

std::optional<platform::GridCell> GridLayout::CellAt(int x, int y) const {
    const std::optional<int> row = rows_.At(y);
    const std::optional<int> column = columns_.At(x);
    if (!row || !column) return std::nullopt;
    return platform::GridCell{*row, *column};
}

}  // namespace win32
