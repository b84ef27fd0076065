// The link library's general list: an ordered list of owned byte blocks with a cursor, and a skip
// cache that keeps indexed access cheap on long lists. Add-ins share its layout (pinned below).
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "hostlink/LinkExport.h"

class RAVELINK_API CLinkList {
public:
    // One block of the list: its links, the size of the block given to AddBlock and the list's
    // own copy of it (two bytes longer, both zero).
    struct Node {
        Node* next;
        Node* prev;
        std::uint32_t size;
        unsigned char* data;
    };

    // Start points for indexed access. Block k holds indices 32k .. 32k + 31; slot k (1 <= k <
    // blockCount) is empty (node null) or holds the index 32k + 31 and its node.
    struct SkipCache {
        std::int32_t blockCount;
        std::int32_t* indices;
        Node** nodes;
    };

    // Positions per skip-cache block.
    static constexpr int kSkipBlock = 32;

    // An empty list without a cursor.
    CLinkList();
    // A deep copy: every block is copied, the cursor stands on the same index, the skip cache
    // starts empty. Throws std::bad_alloc only when memory is exhausted, like any container.
    CLinkList(const CLinkList& other);
    // Takes over the other list's blocks; the other list is left empty.
    CLinkList(CLinkList&& other) noexcept;
    // Copy or move assignment (by value, then swapped in).
    CLinkList& operator=(CLinkList other) noexcept;
    // Frees every block and the skip cache.
    ~CLinkList();

    // Appends a copy of `size` bytes at `block`; the new block becomes the cursor. 1 on success;
    // 0 (nothing added) for a negative size, a null block with a non-zero size, a copy that
    // cannot be allocated, or a list that already holds the largest count an int can hold.
    int AddBlock(const void* block, int size);

    // Cursor movement; each returns the data at the new cursor, or null (cursor unchanged) when
    // there is no such block.
    void* GoFirst();
    void* GoNext();
    void* GoPrev();
    void* GoLast();
    // The data at the cursor, or null without a cursor.
    [[nodiscard]] void* CurrentBlock() const;
    // The data of the block at `index`, moving the cursor there; null (cursor unchanged) for an
    // index outside 0 .. BlockCount() - 1.
    void* BlockAt(int index);
    // The number of blocks.
    [[nodiscard]] int BlockCount() const { return count_; }
    // The index of the cursor, -1 without a cursor.
    [[nodiscard]] int CursorIndex() const { return cursor_ != nullptr ? cursorIndex_ : -1; }
    // The number of single steps BlockAt(index) would take from the present state, -1 for an
    // index out of range (lets tests and benchmarks check the walk without timing it).
    [[nodiscard]] int StepsTo(int index) const;

    // Removes the block at the cursor (nothing without one). The cursor moves to the following
    // block, which takes the removed block's index, or to the new last block.
    void RemoveCurrent();
    // Removes every block; the list is then empty without a cursor.
    void RemoveAll();

private:
    friend struct CLinkListLayout;

    // Where BlockAt starts walking.
    enum class Origin { Cursor, First, Last, Cache };
    struct WalkStart {
        Origin origin;
        int index;
    };

    [[nodiscard]] WalkStart StartFor(int index) const;
    [[nodiscard]] bool CacheUsableFor(int index) const;
    void NoteArrival();
    void ResizeSkipCache(int blockCount);
    void EmptySkipCache();
    void ReleaseSkipCache();
    static Node* NewNode(const void* block, std::uint32_t size);
    static void FreeNode(Node* node);

    Node* first_;
    Node* last_;
    Node* cursor_;
    SkipCache skip_;
    std::int32_t cursorIndex_;
    std::int32_t count_;
};

// The layout add-ins rely on: 64-bit pointers, fields in declaration order.
struct CLinkListLayout {
    static_assert(sizeof(CLinkList::Node) == 32 && offsetof(CLinkList::Node, next) == 0 &&
                  offsetof(CLinkList::Node, prev) == 8 && offsetof(CLinkList::Node, size) == 16 &&
                  offsetof(CLinkList::Node, data) == 24);
    static_assert(sizeof(CLinkList::SkipCache) == 24 &&
                  offsetof(CLinkList::SkipCache, blockCount) == 0 &&
                  offsetof(CLinkList::SkipCache, indices) == 8 &&
                  offsetof(CLinkList::SkipCache, nodes) == 16);
    static_assert(std::is_standard_layout_v<CLinkList> && !std::is_polymorphic_v<CLinkList>);
    static_assert(sizeof(CLinkList) == 56 && offsetof(CLinkList, first_) == 0 &&
                  offsetof(CLinkList, last_) == 8 && offsetof(CLinkList, cursor_) == 16 &&
                  offsetof(CLinkList, skip_) == 24 && offsetof(CLinkList, cursorIndex_) == 48 &&
                  offsetof(CLinkList, count_) == 52);
};
