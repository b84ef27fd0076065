// The posts the height review can show, grouped by section, found in one pass over the table so
// that the review never walks every row and column of a section.
#pragma once

#include <span>
#include <unordered_map>
#include <vector>

class PostLocation;
class TableDefinition;

namespace dialogs {

class SectionPosts {
public:
    // A grid cell that stands for a post.
    struct Cell {
        int row;
        int column;
        PostLocation* post;
    };

    // Indexes every post of `table` with a section from 1, a row from 1 to `lastRow` and a
    // column from 1 to `lastColumn` that is the first in list order with its numbers (the one
    // the table's Find gives).
    SectionPosts(TableDefinition& table, int lastRow, int lastColumn);

    // The cells of `section`, in the table's list order; empty for a section without posts.
    [[nodiscard]] std::span<const Cell> CellsOf(int section) const;
    // The post that cell (row, column) of `section` stands for, or null.
    [[nodiscard]] PostLocation* PostAt(int row, int column, int section) const;
    // The section numbers from 1 that some post of the table uses, ascending (also those whose
    // posts lie outside the grid).
    [[nodiscard]] const std::vector<int>& UsedSections() const { return usedSections_; }

private:
    TableDefinition& table_;
    int lastRow_;
    int lastColumn_;
    std::unordered_map<int, std::vector<Cell>> cells_;
    std::vector<int> usedSections_;
};

}  // namespace dialogs
