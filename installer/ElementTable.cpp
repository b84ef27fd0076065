// Growth of the element table: by half again, at most one page at a time, records kept.
#include "installer/ElementTable.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace markup {

ElementTable::~ElementTable() {
    for (size_t page = 0; page < pageTableCapacity_; ++page) std::free(pages_[page]);
    std::free(pages_);
}

size_t ElementTable::PageRecords(size_t page) const {
    if (capacity_ == 0) return 0;
    const size_t lastPage = (capacity_ - 1) >> kPageBits;
    if (page < lastPage) return kPageRecords;
    if (page == lastPage) return capacity_ - (lastPage << kPageBits);
    return 0;
}

size_t ElementTable::AllocatedBytes() const {
    return capacity_ * sizeof(ElementRecord) + pageTableCapacity_ * sizeof(ElementRecord*);
}

bool ElementTable::Restart(size_t records) {
    used_ = 0;
    if (records > capacity_ && !ResizeTo(records)) return false;
    used_ = 1;
    (*this)[0] = ElementRecord{};
    return true;
}

void ElementTable::Clear() {
    if (capacity_ == 0) return;
    used_ = 1;
    (*this)[0] = ElementRecord{};
}

std::int32_t ElementTable::Take() {
    if (used_ == capacity_ && !Grow()) return -1;
    return static_cast<std::int32_t>(used_++);
}

bool ElementTable::Grow() {
    // Indices are 32-bit signed: the table never holds more.
    constexpr size_t kMaxRecords = std::numeric_limits<std::int32_t>::max();
    if (capacity_ == 0 || used_ >= kMaxRecords) return false;
    size_t newCapacity = std::max(used_ + used_ / 2, used_ + 1);
    const size_t lastPage = (capacity_ - 1) >> kPageBits;
    if (((newCapacity - 1) >> kPageBits) > lastPage + 1) newCapacity = (lastPage + 2) << kPageBits;
    return ResizeTo(std::min(newCapacity, kMaxRecords));
}

bool ElementTable::EnsurePageTable(size_t lastPage) {
    if (lastPage < pageTableCapacity_) return true;
    const size_t entries = 2 * lastPage + 4;
    auto* table =
        static_cast<ElementRecord**>(std::realloc(pages_, entries * sizeof(ElementRecord*)));
    if (table == nullptr) return false;
    std::fill(table + pageTableCapacity_, table + entries, nullptr);
    pages_ = table;
    pageTableCapacity_ = entries;
    return true;
}

bool ElementTable::ReallocatePage(size_t page, size_t records) {
    auto* resized =
        static_cast<ElementRecord*>(std::realloc(pages_[page], records * sizeof(ElementRecord)));
    if (resized == nullptr) return false;
    pages_[page] = resized;
    return true;
}

// capacity_ follows every page that was really allocated, so a failure midway leaves a table
// that is consistent (only smaller than asked for).
bool ElementTable::ResizeTo(size_t newCapacity) {
    const size_t newLastPage = (newCapacity - 1) >> kPageBits;
    if (!EnsurePageTable(newLastPage)) return false;
    size_t page = 0;
    if (capacity_ > 0) {
        page = (capacity_ - 1) >> kPageBits;
        if (page == newLastPage) {
            if (!ReallocatePage(page, newCapacity - (page << kPageBits))) return false;
            capacity_ = newCapacity;
            return true;
        }
        if (PageRecords(page) < kPageRecords) {
            if (!ReallocatePage(page, kPageRecords)) return false;
            capacity_ = (page + 1) << kPageBits;
        }
        ++page;
    }
    for (; page <= newLastPage; ++page) {
        const size_t end = std::min(newCapacity, (page + 1) << kPageBits);
        if (!ReallocatePage(page, end - (page << kPageBits))) return false;
        capacity_ = end;
    }
    return true;
}

}  // namespace markup
