// Asking the system for large pages behind a big buffer.
#pragma once

#include <cstddef>

namespace platform {

// Size of a large page on the systems that offer them.
inline constexpr std::size_t kLargePageBytes = std::size_t{2} << 20;

// Asks the system to back [data, data + bytes) with large pages where it can. Only a hint:
// without support, or for buffers smaller than a large page, nothing changes.
void AdviseLargePages(const void* data, std::size_t bytes);

}  // namespace platform
