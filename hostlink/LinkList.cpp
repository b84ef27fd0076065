// The list of owned byte blocks: appending, cursor movement, indexed access through the skip
// cache, removal and copying.
#include "hostlink/LinkList.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

CLinkList::CLinkList()
    : first_(nullptr),
      last_(nullptr),
      cursor_(nullptr),
      skip_{0, nullptr, nullptr},
      cursorIndex_(-1),
      count_(0) {}

CLinkList::CLinkList(const CLinkList& other) : CLinkList() {
    // Linked here rather than through AddBlock, so the skip cache is sized once, not re-made
    // every 32 blocks.
    for (const Node* source = other.first_; source != nullptr; source = source->next) {
        Node* node = NewNode(source->data, source->size);
        if (node == nullptr) {
            RemoveAll();
            ReleaseSkipCache();
            throw std::bad_alloc();
        }
        node->prev = last_;
        (last_ != nullptr ? last_->next : first_) = node;
        last_ = node;
        if (source == other.cursor_) cursor_ = node;
        ++count_;
    }
    cursorIndex_ = other.CursorIndex();
    if (count_ > kSkipBlock) ResizeSkipCache((count_ - 1) / kSkipBlock);
}

CLinkList::CLinkList(CLinkList&& other) noexcept
    : first_(std::exchange(other.first_, nullptr)),
      last_(std::exchange(other.last_, nullptr)),
      cursor_(std::exchange(other.cursor_, nullptr)),
      skip_(std::exchange(other.skip_, SkipCache{0, nullptr, nullptr})),
      cursorIndex_(std::exchange(other.cursorIndex_, -1)),
      count_(std::exchange(other.count_, 0)) {}

CLinkList& CLinkList::operator=(CLinkList other) noexcept {
    std::swap(first_, other.first_);
    std::swap(last_, other.last_);
    std::swap(cursor_, other.cursor_);
    std::swap(skip_, other.skip_);
    std::swap(cursorIndex_, other.cursorIndex_);
    std::swap(count_, other.count_);
    return *this;
}

CLinkList::~CLinkList() {
    RemoveAll();
    ReleaseSkipCache();
}

int CLinkList::AddBlock(const void* block, int size) {
    // A negative size would otherwise become a block of gigabytes copied from a short buffer.
    if (size < 0 || (block == nullptr && size != 0)) return 0;
    if (count_ == std::numeric_limits<std::int32_t>::max()) return 0;
    Node* node = NewNode(block, static_cast<std::uint32_t>(size));
    if (node == nullptr) return 0;
    node->prev = last_;
    (last_ != nullptr ? last_->next : first_) = node;
    last_ = node;
    cursor_ = node;
    cursorIndex_ = count_;
    ++count_;
    if (count_ > kSkipBlock) {
        const int blockCount = (count_ - 1) / kSkipBlock;
        if (blockCount != skip_.blockCount) ResizeSkipCache(blockCount);
    }
    return 1;
}

void* CLinkList::GoFirst() {
    if (first_ == nullptr) return nullptr;
    cursor_ = first_;
    cursorIndex_ = 0;
    return cursor_->data;
}

void* CLinkList::GoNext() {
    if (cursor_ == nullptr || cursor_->next == nullptr) return nullptr;
    cursor_ = cursor_->next;
    ++cursorIndex_;
    NoteArrival();
    return cursor_->data;
}

void* CLinkList::GoPrev() {
    if (cursor_ == nullptr || cursor_->prev == nullptr) return nullptr;
    cursor_ = cursor_->prev;
    --cursorIndex_;
    NoteArrival();
    return cursor_->data;
}

void* CLinkList::GoLast() {
    if (last_ == nullptr) return nullptr;
    cursor_ = last_;
    cursorIndex_ = count_ - 1;
    NoteArrival();
    return cursor_->data;
}

void* CLinkList::CurrentBlock() const { return cursor_ != nullptr ? cursor_->data : nullptr; }

void* CLinkList::BlockAt(int index) {
    if (index < 0 || index >= count_) return nullptr;
    const WalkStart start = StartFor(index);
    switch (start.origin) {
        case Origin::Cursor:
            break;
        case Origin::First:
            GoFirst();
            break;
        case Origin::Last:
            GoLast();
            break;
        case Origin::Cache:
            cursor_ = skip_.nodes[index / kSkipBlock];
            cursorIndex_ = start.index;
            break;
    }
    while (cursorIndex_ < index) GoNext();
    while (cursorIndex_ > index) GoPrev();
    return cursor_->data;
}

int CLinkList::StepsTo(int index) const {
    if (index < 0 || index >= count_) return -1;
    return std::abs(index - StartFor(index).index);
}

void CLinkList::RemoveCurrent() {
    if (cursor_ == nullptr) return;
    Node* removed = cursor_;
    (removed->prev != nullptr ? removed->prev->next : first_) = removed->next;
    (removed->next != nullptr ? removed->next->prev : last_) = removed->prev;
    --count_;
    if (removed->next != nullptr) {
        cursor_ = removed->next;  // takes over the removed block's index
    } else {
        cursor_ = last_;
        cursorIndex_ = count_ - 1;
    }
    FreeNode(removed);
    EmptySkipCache();
}

void CLinkList::RemoveAll() {
    for (Node* node = first_; node != nullptr;) {
        Node* next = node->next;
        FreeNode(node);
        node = next;
    }
    first_ = last_ = cursor_ = nullptr;
    cursorIndex_ = -1;
    count_ = 0;
    EmptySkipCache();
}

// The walk for a target in range: the cursor itself, an end, a neighbour of the cursor, a
// cached block end, or whichever of cursor and nearer end lies closer.
CLinkList::WalkStart CLinkList::StartFor(int index) const {
    const int cursor = cursorIndex_;
    if (index == cursor) return {Origin::Cursor, cursor};
    if (index == 0) return {Origin::First, 0};
    if (index == count_ - 1) return {Origin::Last, count_ - 1};
    if (index == cursor + 1 || index == cursor - 1) return {Origin::Cursor, cursor};
    if (CacheUsableFor(index)) return {Origin::Cache, skip_.indices[index / kSkipBlock]};
    if (index > cursor)
        return index > cursor + (count_ - cursor) / 2 ? WalkStart{Origin::Last, count_ - 1}
                                                      : WalkStart{Origin::Cursor, cursor};
    return index < cursor / 2 ? WalkStart{Origin::First, 0} : WalkStart{Origin::Cursor, cursor};
}

bool CLinkList::CacheUsableFor(int index) const {
    const int block = index / kSkipBlock;
    return index >= kSkipBlock && block < skip_.blockCount && skip_.nodes[block] != nullptr;
}

// Remembers the end of a block when the cursor steps onto it.
void CLinkList::NoteArrival() {
    const int index = cursorIndex_;
    if (index % kSkipBlock != kSkipBlock - 1 || index < kSkipBlock) return;
    const int block = index / kSkipBlock;
    // After removals the block count may trail the blocks that exist; those have no slot.
    if (block >= skip_.blockCount || skip_.nodes[block] != nullptr) return;
    skip_.indices[block] = index;
    skip_.nodes[block] = cursor_;
}

void CLinkList::ResizeSkipCache(int blockCount) {
    ReleaseSkipCache();
    skip_.indices = new (std::nothrow) std::int32_t[blockCount];
    skip_.nodes = new (std::nothrow) Node*[blockCount];
    if (skip_.indices == nullptr || skip_.nodes == nullptr) {
        // Without a cache indexed access still works, walking from the cursor or an end.
        ReleaseSkipCache();
        return;
    }
    skip_.blockCount = blockCount;
    EmptySkipCache();
}

void CLinkList::EmptySkipCache() {
    for (int block = 0; block < skip_.blockCount; ++block) {
        skip_.indices[block] = -1;
        skip_.nodes[block] = nullptr;
    }
}

void CLinkList::ReleaseSkipCache() {
    delete[] skip_.indices;
    delete[] skip_.nodes;
    skip_ = SkipCache{0, nullptr, nullptr};
}

CLinkList::Node* CLinkList::NewNode(const void* block, std::uint32_t size) {
    auto* data = new (std::nothrow) unsigned char[std::size_t{size} + 2];
    if (data == nullptr) return nullptr;
    auto* node = new (std::nothrow) Node{nullptr, nullptr, size, data};
    if (node == nullptr) {
        delete[] data;
        return nullptr;
    }
    if (size != 0) std::memcpy(data, block, size);
    data[size] = 0;
    data[std::size_t{size} + 1] = 0;
    return node;
}

void CLinkList::FreeNode(Node* node) {
    delete[] node->data;
    delete node;
}
