// Large buffers backed by 2 MB pages where the system offers them.
#pragma once

#include <cstddef>
#include <vector>

namespace host::geometry {

// Asks the system to back [data, data + bytes) with 2 MB pages where it can. A
// grid of a million points is filled once right after it is allocated, and with 4 KB pages that
// costs one page fault per 4 KB, which on a virtual machine is most of the time spent. Only a
// hint: without support, or for buffers smaller than a large page, nothing changes.
void AdviseLargePages(const void* data, std::size_t bytes);

// `v` with room for `count` elements, its storage advised before anything is written to it.
template <class T>
void ReserveLargePages(std::vector<T>& v, std::size_t count) {
    v.reserve(count);
    AdviseLargePages(v.data(), v.capacity() * sizeof(T));
}

}  // namespace host::geometry
