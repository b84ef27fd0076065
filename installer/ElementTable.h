// The markup reader's index of elements: offsets into the document text, in pages of 65,536
// records that never move between indices.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace markup {

// One element of the document; offsets count bytes from the start of the text, links are
// element indices (0 = none). Index 0 is the document node, whose first child is the root.
struct ElementRecord {
    std::int32_t startTagOpen;   // the "<" of the start tag
    std::int32_t startTagClose;  // the ">" of the start tag
    std::int32_t endTagOpen;     // the "<" of the end tag; the "/" of "/>" for an empty element
    std::int32_t endTagClose;    // the ">" of the end tag; startTagClose for an empty element
    std::int32_t parent;
    std::int32_t firstChild;
    std::int32_t nextSibling;
};
static_assert(sizeof(ElementRecord) == 28, "seven 32-bit fields, no padding");
static_assert(std::is_trivially_copyable_v<ElementRecord>, "pages are re-allocated bytewise");

class ElementTable {
public:
    static constexpr unsigned kPageBits = 16;
    static constexpr size_t kPageRecords = size_t{1} << kPageBits;

    ElementTable() = default;
    ~ElementTable();
    ElementTable(const ElementTable&) = delete;
    ElementTable& operator=(const ElementTable&) = delete;

    // Starts a parse: only the document node (cleared) is in use, and there is room for at least
    // `records` records. False when memory runs out (the table then holds the document node at
    // most).
    [[nodiscard]] bool Restart(size_t records);

    // Takes the next free index, growing the table when it is full; -1 when memory runs out.
    [[nodiscard]] std::int32_t Take();

    // Ends a failed parse: only the document node, cleared, stays in use.
    void Clear();

    // The record at `index` (< Used()).
    ElementRecord& operator[](std::int32_t index) {
        return pages_[static_cast<std::uint32_t>(index) >> kPageBits][index & (kPageRecords - 1)];
    }
    const ElementRecord& operator[](std::int32_t index) const {
        return pages_[static_cast<std::uint32_t>(index) >> kPageBits][index & (kPageRecords - 1)];
    }

    // Records in use, the document node included.
    [[nodiscard]] size_t Used() const { return used_; }
    // Records that fit without growing.
    [[nodiscard]] size_t Capacity() const { return capacity_; }
    // Entries of the page table.
    [[nodiscard]] size_t PageTableCapacity() const { return pageTableCapacity_; }
    // Records allocated for page `page` (0 beyond the last page).
    [[nodiscard]] size_t PageRecords(size_t page) const;
    // Bytes held: all pages plus the page table.
    [[nodiscard]] size_t AllocatedBytes() const;

private:
    bool Grow();
    bool ResizeTo(size_t newCapacity);
    bool EnsurePageTable(size_t lastPage);
    bool ReallocatePage(size_t page, size_t records);

    ElementRecord** pages_ = nullptr;
    size_t pageTableCapacity_ = 0;
    size_t capacity_ = 0;
    size_t used_ = 0;
};

}  // namespace markup
