// Hash index from (section, row, column) to the first post with those numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace core {

// Open addressing with linear probing: one flat array, no allocation per post.
class PostIndex {
public:
    struct Key {
        int section;
        int row;
        int column;
        bool operator==(const Key&) const = default;
    };

    // Remembers `position` for `key` unless the key is already known (the first post wins).
    void Insert(Key key, std::uint32_t position);
    // The position stored for `key`, if any.
    [[nodiscard]] std::optional<std::uint32_t> Find(Key key) const;
    void Clear();

private:
    struct Slot {
        Key key;
        std::uint32_t position;  // kEmpty when unused
    };
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;

    [[nodiscard]] size_t SlotFor(Key key) const;
    void Grow();

    std::vector<Slot> slots_;
    size_t used_ = 0;
};

}  // namespace core
