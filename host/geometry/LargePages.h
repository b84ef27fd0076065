// Large buffers backed by 2 MB pages where the system offers them.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

#include "platform/LargePages.h"

namespace host::geometry {

// A grid of a million points is filled once right after it is allocated, and with 4 KB pages
// that costs one page fault per 4 KB, which on a virtual machine is most of the time spent: big
// buffers ask for large pages (platform::AdviseLargePages) before anything is written to them.
using platform::AdviseLargePages;

// `v` with room for `count` elements, its storage advised before anything is written to it.
template <class T>
void ReserveLargePages(std::vector<T>& v, std::size_t count) {
    v.reserve(count);
    AdviseLargePages(v.data(), v.capacity() * sizeof(T));
}

// An allocator for vectors of many megabytes: a block of a large page or more starts on a large
// page and fills whole ones, all advised before anything is constructed in them, so that none
// of it is left to small pages (a vector growing by reallocation fills each new block at once).
template <class T>
struct LargePageAllocator {
    using value_type = T;
    static constexpr std::size_t kLargePage = platform::kLargePageBytes;

    LargePageAllocator() = default;
    template <class U>
    LargePageAllocator(const LargePageAllocator<U>&) {}

    T* allocate(std::size_t count) {
        if (count > (std::size_t(-1) - kLargePage) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        const std::size_t bytes = count * sizeof(T);
        if (bytes < kLargePage) {
            return std::allocator<T>().allocate(count);
        }
        const std::size_t whole = (bytes + kLargePage - 1) / kLargePage * kLargePage;
        void* block = ::operator new (whole, std::align_val_t{kLargePage});
        AdviseLargePages(block, whole);
        return static_cast<T*>(block);
    }
    void deallocate(T* block, std::size_t count) {
        if (count * sizeof(T) < kLargePage) {
            std::allocator<T>().deallocate(block, count);
        } else {
            ::operator delete (block, std::align_val_t{kLargePage});
        }
    }
    friend bool operator==(const LargePageAllocator&, const LargePageAllocator&) { return true; }
};

}  // namespace host::geometry
