// The part dialog's number lists: the full range while it is small, the used numbers beyond.
#include "dialogs/PostNumberList.h"

#include <algorithm>

#include "core/TableDefinition.h"

namespace dialogs {

PostNumberList::PostNumberList(int maximum, std::vector<int> used) {
    if (maximum <= kFullRange) {
        for (int n = 1; n <= maximum; ++n) numbers_.push_back(n);
        return;
    }
    std::erase_if(used, [maximum](int n) { return n < 1 || n > maximum; });
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    numbers_ = std::move(used);
}

int PostNumberList::IndexOf(int number) const {
    const auto found = std::lower_bound(numbers_.begin(), numbers_.end(), number);
    if (found == numbers_.end() || *found != number) return -1;
    return static_cast<int>(found - numbers_.begin());
}

PostNumberLists ListPostNumbers(const TableDefinition& table) {
    std::vector<int> sections, rows, columns;
    // Only a kind whose range is too large to list whole needs its used numbers.
    const auto collect = [](std::vector<int>& into, int maximum, int number) {
        if (maximum > PostNumberList::kFullRange) into.push_back(number);
    };
    for (std::size_t i = 0; i < table.PostCount(); ++i) {
        const PostLocation& post = table.PostAt(i);
        collect(sections, table.MaxSection, post.Section);
        collect(rows, table.MaxRow, post.Row);
        collect(columns, table.MaxColumn, post.Column);
    }
    return {PostNumberList(table.MaxSection, std::move(sections)),
            PostNumberList(table.MaxRow, std::move(rows)),
            PostNumberList(table.MaxColumn, std::move(columns))};
}

}  // namespace dialogs
