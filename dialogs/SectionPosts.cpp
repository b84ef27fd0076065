// One pass over the table's posts, keeping those that the review grid can show.
#include "dialogs/SectionPosts.h"

#include <algorithm>

#include "core/TableDefinition.h"

namespace dialogs {

SectionPosts::SectionPosts(TableDefinition& table, int lastRow, int lastColumn)
    : table_(table), lastRow_(lastRow), lastColumn_(lastColumn) {
    for (std::size_t position = 0; position < table.PostCount(); ++position) {
        PostLocation& post = table.PostAt(position);
        if (post.Section < 1) continue;
        usedSections_.push_back(post.Section);
        if (PostAt(post.Row, post.Column, post.Section) == &post)
            cells_[post.Section].push_back({post.Row, post.Column, &post});
    }
    std::sort(usedSections_.begin(), usedSections_.end());
    usedSections_.erase(std::unique(usedSections_.begin(), usedSections_.end()),
                        usedSections_.end());
}

std::span<const SectionPosts::Cell> SectionPosts::CellsOf(int section) const {
    const auto found = cells_.find(section);
    if (found == cells_.end()) return {};
    return found->second;
}

PostLocation* SectionPosts::PostAt(int row, int column, int section) const {
    // Header cells (row or column 0) and positions past the grid stand for no post, whatever
    // numbers the table's posts carry.
    if (section < 1 || row < 1 || row > lastRow_ || column < 1 || column > lastColumn_)
        return nullptr;
    return table_.Find(row, column, section);
}

}  // namespace dialogs
