// The numbers a section, row or column box of the part dialog lists, and where each one is.
#pragma once

#include <vector>

class TableDefinition;

namespace dialogs {

// Every number from 1 up to the table's maximum while that range is small; beyond it only the
// numbers some post uses. A mistyped post number (a section of 2,000,000,000) then costs one
// entry, not two thousand million, and ordinary tables list exactly 1 to their maximum.
class PostNumberList {
public:
    // The largest maximum whose whole range is listed.
    static constexpr int kFullRange = 1000;

    PostNumberList() = default;
    // 1 .. maximum when maximum <= kFullRange; else the numbers of `used` from 1 to maximum.
    // Ascending, each once.
    PostNumberList(int maximum, std::vector<int> used);

    // The listed numbers in the order of the box's entries.
    [[nodiscard]] const std::vector<int>& Numbers() const { return numbers_; }
    // The entry that holds `number`, or -1 when it is not listed.
    [[nodiscard]] int IndexOf(int number) const;

private:
    std::vector<int> numbers_;
};

// The lists of the section, row and column boxes for one table.
struct PostNumberLists {
    PostNumberList sections;
    PostNumberList rows;
    PostNumberList columns;
};

// The three lists of `table`: one pass over its posts.
[[nodiscard]] PostNumberLists ListPostNumbers(const TableDefinition& table);

}  // namespace dialogs
