// Large pages on this machine: transparent huge pages, asked for with madvise.
#include "platform/LargePages.h"

#include <sys/mman.h>

#include <cstdint>

namespace platform {

void AdviseLargePages(const void* data, std::size_t bytes) {
    // Below a large page there is nothing to gain. The advice covers the small pages the buffer
    // touches: a hint, harmless for whatever else shares its first and last page, and a buffer
    // that has its own mapping (as big ones do) is then advised whole.
    constexpr std::uintptr_t kPage = 4096;
    if (data == nullptr || bytes < kLargePageBytes) return;
    const std::uintptr_t begin = std::uintptr_t(data) & ~(kPage - 1);
    const std::uintptr_t end = (std::uintptr_t(data) + bytes + kPage - 1) & ~(kPage - 1);
    ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace platform
