// The machine table: its posts in file order and its dimensions, read from the table
// definition file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/PostIndex.h"
#include "core/PostLocation.h"

namespace core {

// The table's plain values with their defaults; a reset assigns a fresh one.
struct TableDimensions {
    int MaxSection = 0;                // largest Section read
    int MaxRow = 0;                    // largest Row read
    int MaxColumn = 0;                 // largest Column read
    double EndDeflectorRadius = 25.0;  // the file gives the diameter
    double EndDeflectorLength = 21.59;
    double FixtureLength = 250.0;
    double FixturePins = 6.0;
    double FixturePinLength = 125.0;
    double FixturePinDist = 25.0;
    double FixturePinDiameter = 6.0;
};

}  // namespace core

class TableDefinition : public core::TableDimensions {
public:
    TableDefinition() = default;
    // Posts are handed out by pointer, so a table is neither copied nor moved by accident.
    TableDefinition(const TableDefinition&) = delete;
    TableDefinition& operator=(const TableDefinition&) = delete;

    // Removes all posts and sets the maxima to 0 and every dimension to its default.
    void Reset();
    // Resets, then reads the table definition file at `path` (a system path). -1 when the file
    // cannot be opened (the table stays reset), else 0, also when lines were rejected.
    int Read(const std::string& path);
    // Resets, then reads the file's text from memory.
    void ReadText(std::string_view text);

    // Appends a copy of `post`, raising the maxima; returns the table's own copy.
    PostLocation* Append(const PostLocation& post);

    // Iteration in list order with the table's own cursor; null at the end.
    PostLocation* First();
    PostLocation* Next();
    // The first post in list order with these numbers, or null. Leaves the cursor on it.
    // O(1) on average: the index catches up with newly read posts on the first lookup.
    PostLocation* Find(int row, int column, int section);
    // The post nearest to (x, y, 0) and closer than 9999999.0, the first of equally near ones;
    // or null. Leaves the cursor past the end.
    PostLocation* FindNearest(double x, double y);

    [[nodiscard]] size_t PostCount() const { return count_; }
    // The post at `position` in list order (position < PostCount()).
    [[nodiscard]] PostLocation& PostAt(size_t position);
    [[nodiscard]] const PostLocation& PostAt(size_t position) const;

private:
    // Posts live in fixed-size chunks, so pointers handed out survive appending.
    static constexpr size_t kChunkBits = 12;
    static constexpr size_t kChunkSize = size_t{1} << kChunkBits;

    void ReadLine(char* line);
    void ReadPostLine(const char* line, const char* start, size_t length);

    std::vector<std::unique_ptr<PostLocation[]>> chunks_;
    size_t count_ = 0;
    size_t cursor_ = 0;
    core::PostIndex index_;
    size_t indexed_ = 0;  // posts [0, indexed_) are in index_
};
